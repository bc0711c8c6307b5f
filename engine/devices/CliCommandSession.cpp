#include "CliCommandSession.h"

#include <utility>

#include "IosCliSession.h"
#include "SshConnection.h"

CliCommandSession::CliCommandSession(TelnetSettings settings, SshSettings ssh)
    : m_Settings(std::move(settings)), m_Ssh(std::move(ssh)) {}

CliCommandSession::~CliCommandSession() = default;

IosCliSession& CliCommandSession::Session() {
    if (!m_Session) {
        std::unique_ptr<CliTransport> transport;
        if (m_Ssh.enabled)
            transport =
                std::make_unique<SshConnection>(m_Settings.user, m_Settings.password, m_Ssh);
        m_Session = std::make_unique<IosCliSession>(m_Settings, std::move(transport));
    }
    return *m_Session;
}

bool CliCommandSession::Open(std::string& reason) {
    return Session().Login(reason);
}

bool CliCommandSession::Run(const std::string& command, std::string& output, std::string& reason) {
    return Session().Run(command, output, reason);
}

bool CliCommandSession::Lost() const {
    return m_Session && m_Session->Lost();
}

std::string CliCommandSession::HostName() const {
    return m_Session ? m_Session->HostName() : std::string();
}

void CliCommandSession::Close() {
    if (m_Session)
        m_Session->Close();
}

std::string CliCommandSession::Describe() const {
    return std::string(m_Ssh.enabled ? "ssh " : "telnet ") + m_Settings.address + ":" +
           std::to_string(m_Settings.port);
}
