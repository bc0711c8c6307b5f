#include "LiveDevice.h"

#include <utility>

LiveDevice::LiveDevice(std::unique_ptr<CommandSession> session,
                       std::unique_ptr<ColumnWalker> walker)
    : m_Session(std::move(session)), m_Walker(std::move(walker)) {
    if (m_Session)
        m_Report.commands = m_Session->Describe();
    if (m_Walker)
        m_Report.snmp = m_Walker->Describe();
}

LiveDevice::~LiveDevice() {
    Close();
}

bool LiveDevice::SDAnswersCommands() const {
    if (!m_Session)
        return false;
    if (!m_Opened) {
        m_Opened = true;
        std::string reason;
        if (!m_Session->Open(reason))
            Fail(reason);
        else
            m_Report.hostName = m_Session->HostName();
    }
    return !m_Session->Lost();
}

const std::string* LiveDevice::SDHeldOutput(const std::string& command) const {
    const auto found = m_Outputs.find(command);
    return found != m_Outputs.end() ? &found->second : nullptr;
}

bool LiveDevice::SDRunCommand(const std::string& command, std::string& output) {
    if (!m_Session)
        return false;
    const auto asked = m_Asked.find(command);
    if (asked != m_Asked.end()) {
        // Asked before and gave no text (an answer would have been held).
        return false;
    }
    m_Asked.insert(command);
    std::string reason;
    std::string answer;
    const bool lostBefore = m_Session->Lost();
    if (!m_Session->Run(command, answer, reason)) {
        // A session lost earlier fails every later command for the reason
        // already reported.
        if (!lostBefore)
            Fail(reason);
        return false;
    }
    if (m_Report.hostName.empty())
        m_Report.hostName = m_Session->HostName();
    output = answer;
    m_Outputs.emplace(command, std::move(answer));
    return true;
}

bool LiveDevice::SDWalkColumn(const std::string& column, std::vector<CScoutSnmpRow>& rows) {
    if (!m_Walker)
        return false;
    std::string reason;
    if (!m_Walker->Walk(column, rows, reason)) {
        Fail(reason);
        rows.clear();
        return false;
    }
    return true;
}

void LiveDevice::Close() {
    if (!m_Session)
        return;
    if (m_Report.hostName.empty())
        m_Report.hostName = m_Session->HostName();
    m_Session->Close();
}

void LiveDevice::Fail(const std::string& reason) const {
    if (!reason.empty())
        m_Report.failures.push_back(reason);
}
