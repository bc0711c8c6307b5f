// A router's command line over telnet or SSH, as the live device uses it.
// The session (and with it the router's overall deadline) starts with the
// first command, not when the router is listed, so a router waiting for a
// free worker does not use up its time.
#pragma once

#include <memory>
#include <string>

#include "CommandSession.h"
#include "SshSettings.h"
#include "TelnetSettings.h"

class IosCliSession;

class CliCommandSession : public CommandSession {
public:
    // Over SSH when ssh.enabled, else over telnet.
    CliCommandSession(TelnetSettings settings, SshSettings ssh);
    ~CliCommandSession() override;

    bool Open(std::string& reason) override;
    bool Run(const std::string& command, std::string& output, std::string& reason) override;
    bool Lost() const override;
    std::string HostName() const override;
    void Close() override;
    std::string Describe() const override;

private:
    IosCliSession& Session();

    TelnetSettings m_Settings;
    SshSettings m_Ssh;
    std::unique_ptr<IosCliSession> m_Session; // from the first command on
};
