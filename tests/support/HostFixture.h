// Test scaffolding shared by the agent tests: a simulated router behind a
// requester, an entity wired to it, and capture of what the agent writes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CScoutDevice.h"
#include "CScoutEntity.h"
#include "LabDevice.h"
#include "CScoutStdRequester.h"
#include "ZanDebug.h"

namespace quillon_test {

// Sets the host trace level for the life of the guard.
class DebugLevel {
public:
    explicit DebugLevel(int level) : m_Saved(__Zandemar_Debug_Level) {
        __Zandemar_Debug_Level = level;
    }
    ~DebugLevel() { __Zandemar_Debug_Level = m_Saved; }
    DebugLevel(const DebugLevel&) = delete;
    DebugLevel& operator=(const DebugLevel&) = delete;

private:
    int m_Saved;
};

// Captures standard output (the agent's trace) between construction and
// Take().
class TraceCapture {
public:
    TraceCapture() { testing::internal::CaptureStdout(); }
    ~TraceCapture() {
        if (!m_Taken)
            testing::internal::GetCapturedStdout();
    }
    std::string Take() {
        m_Taken = true;
        return testing::internal::GetCapturedStdout();
    }

private:
    bool m_Taken = false;
};

// A router simulated from given answers, reachable through a requester, and
// the host's entity for it. Errors reported while the router is alive land in
// the entity's journal.
class LabRouter {
public:
    explicit LabRouter(const std::string& name = "R1") : m_Entity(name) {
        m_Requester.SSRAddDevice(name, &m_Device);
        m_Entity.SEBegin();
    }
    ~LabRouter() { m_Entity.SEEnd(); }
    LabRouter(const LabRouter&) = delete;
    LabRouter& operator=(const LabRouter&) = delete;

    // The router answers `command` with `output`.
    LabRouter& Answer(const std::string& command, const std::string& output) {
        m_Device.SLDEnableCommands();
        m_Device.SLDSetCommand(command, output);
        return *this;
    }
    // The router takes command sessions but answers nothing yet.
    LabRouter& Reachable() {
        m_Device.SLDEnableCommands();
        return *this;
    }
    // The router's ifDescr column, rows of (index, name) in walk order.
    LabRouter& IfDescr(const std::vector<std::pair<long long, std::string>>& rows) {
        std::vector<CScoutSnmpRow> walk;
        for (const auto& [index, name] : rows) {
            CScoutSnmpRow row;
            row.hasIndex = true;
            row.index = index;
            row.isString = true;
            row.value = name;
            walk.push_back(row);
        }
        m_Device.SLDSetIfDescr(std::move(walk));
        return *this;
    }
    LabRouter& IfDescrRows(std::vector<CScoutSnmpRow> rows) {
        m_Device.SLDSetIfDescr(std::move(rows));
        return *this;
    }

    CZanRecord& Record() { return m_Entity.SERecord(); }
    CScoutStdRequester& Requester() { return m_Requester; }
    CScoutMediationData& MediationData() { return m_Entity.SEMediationData(); }
    CScoutProcessedData& ProcessedData() { return m_Entity.SEProcessedData(); }
    const CScoutEntityJournal& Journal() const { return m_Entity.SEJournal(); }
    const std::vector<std::string>& Commands() const { return m_Entity.SEJournal().SEJCommands(); }
    const std::vector<CScoutEntityJournal::Error>& Errors() const {
        return m_Entity.SEJournal().SEJErrors();
    }

private:
    LabDevice m_Device;
    CScoutStdRequester m_Requester;
    CScoutEntity m_Entity;
};

} // namespace quillon_test
