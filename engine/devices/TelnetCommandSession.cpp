#include "TelnetCommandSession.h"

#include <utility>

#include "IosCliSession.h"

TelnetCommandSession::TelnetCommandSession(TelnetSettings settings)
    : m_Settings(std::move(settings)) {}

TelnetCommandSession::~TelnetCommandSession() = default;

bool TelnetCommandSession::Open(std::string& reason) {
    if (!m_Session)
        m_Session = std::make_unique<IosCliSession>(m_Settings);
    return m_Session->Login(reason);
}

bool TelnetCommandSession::Run(const std::string& command, std::string& output,
                               std::string& reason) {
    if (!m_Session)
        m_Session = std::make_unique<IosCliSession>(m_Settings);
    return m_Session->Run(command, output, reason);
}

bool TelnetCommandSession::Lost() const {
    return m_Session && m_Session->Lost();
}

std::string TelnetCommandSession::HostName() const {
    return m_Session ? m_Session->HostName() : std::string();
}

void TelnetCommandSession::Close() {
    if (m_Session)
        m_Session->Close();
}

std::string TelnetCommandSession::Describe() const {
    return "telnet " + m_Settings.address + ":" + std::to_string(m_Settings.port);
}
