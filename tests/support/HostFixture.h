// Test scaffolding shared by the host and agent tests: router outputs kept
// under tests/data, a simulated router behind a requester with the host's
// entity for it, the trace level, and traces checked against golden files.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CScoutEntity.h"
#include "CScoutStdRequester.h"
#include "LabDevice.h"
#include "Records.h"
#include "ZanDebug.h"

namespace quillon_test {

// A file under tests/data, read whole.
inline std::string ReadData(const std::string& name) {
    std::ifstream file(std::string(QUILLON_TEST_DATA) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing test file " << name;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline nlohmann::ordered_json ReadJson(const std::string& name) {
    return nlohmann::ordered_json::parse(ReadData(name));
}

// A router output kept under tests/data/outputs.
inline std::string ReadTestFile(const std::string& name) {
    return ReadData("outputs/" + name);
}

// The text with CR LF line ends in place of LF.
inline std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text)
        result += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return result;
}

// The text split into lines (without their line ends).
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

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

// What `run` writes on standard output (the agent's trace) at the level.
template <typename Run> std::string TraceOf(int level, Run run) {
    DebugLevel debug(level);
    testing::internal::CaptureStdout();
    run();
    return testing::internal::GetCapturedStdout();
}

// Runs `run` at debug levels 0 to 4: at each it must trace exactly the lines
// of tests/data/traces/<name>.json ([level, line] pairs) whose level is at
// or below it.
template <typename Run> void ExpectTraceByLevel(const std::string& name, Run run) {
    const auto golden = ReadJson("traces/" + name + ".json");
    for (int level = 0; level <= 4; ++level) {
        std::vector<std::string> expected;
        for (const auto& line : golden)
            if (line[0].get<int>() <= level)
                expected.push_back(line[1].get<std::string>());
        EXPECT_EQ(Lines(TraceOf(level, run)), expected) << name << " at debug level " << level;
    }
}

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
        for (const auto& [index, name] : rows)
            walk.push_back({true, index, true, name});
        m_Device.SLDSetIfDescr(std::move(walk));
        return *this;
    }

    CZanRecord& Record() { return m_Entity.SERecord(); }
    CScoutStdRequester& Requester() { return m_Requester; }
    CScoutMediationData& MediationData() { return m_Entity.SEMediationData(); }
    CScoutProcessedData& ProcessedData() { return m_Entity.SEProcessedData(); }
    const CScoutEntityJournal& Journal() const { return m_Entity.SEJournal(); }
    const std::vector<std::string>& Commands() const { return m_Entity.SEJournal().SEJCommands(); }
    std::string Errors() const { return quillon_test::Errors(m_Entity.SEJournal().SEJErrors()); }

private:
    LabDevice m_Device;
    CScoutStdRequester m_Requester;
    CScoutEntity m_Entity;
};

} // namespace quillon_test

// The IOS router r1 runs IS-IS on Ethernet0/0, a LAN with three neighbours
// where it is the designated IS, and on Serial1/0, a point-to-point link. Its
// answers to every command the agent runs are files under
// tests/data/outputs/r1 (commands.json names them).
namespace isis_router {

inline std::map<std::string, std::string> Answers() {
    std::map<std::string, std::string> answers;
    const auto files = quillon_test::ReadJson("outputs/r1/commands.json");
    for (const auto& [command, file] : files.items())
        answers[command] = quillon_test::ReadTestFile("r1/" + file.get<std::string>());
    return answers;
}

// The router answers as r1 does, except to the silent commands.
inline quillon_test::LabRouter& Answer(quillon_test::LabRouter& router,
                                       const std::set<std::string>& silent = {}) {
    router.Reachable();
    for (const auto& [command, output] : Answers())
        if (silent.count(command) == 0)
            router.Answer(command, output);
    return router;
}

} // namespace isis_router
