// The command line of one IOS router over telnet or SSH: one login for all of its
// commands, enable when wanted, each command's output as the router sent
// it. Every failure gives a short reason naming the router's address and
// never a secret; once the session is lost, every later command fails at
// once with the same reason.
//
// Used by one thread at a time.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "CliTransport.h"
#include "TelnetSettings.h"

class IosCliSession {
public:
    using Clock = std::chrono::steady_clock;

    // The whole router may take settings.timeouts.routerMs from now. The
    // dialogue runs over transport; without one, over telnet.
    explicit IosCliSession(TelnetSettings settings,
                           std::unique_ptr<CliTransport> transport = nullptr);
    ~IosCliSession();
    IosCliSession(const IosCliSession&) = delete;
    IosCliSession& operator=(const IosCliSession&) = delete;

    // Connects and logs in: user name when asked, password, enable when an
    // enable secret is given, then no paging and no wrapping. Run logs in
    // by itself when this was not called.
    bool Login(std::string& reason);
    // The output of one command: the bytes after the echo of the command
    // line and before the next prompt, telnet commands and the pager's
    // marks taken out. False, with the reason, when the command gave none:
    // rejected by the router, or the session lost. Enables first when the
    // command needs it.
    bool Run(const std::string& command, std::string& output, std::string& reason);
    // Ends the session with "exit" and closes the connection.
    void Close();

    // The host name the router's prompt shows, once logged in.
    const std::string& HostName() const { return m_HostName; }
    bool Enabled() const { return m_Mode == '#'; }
    bool Lost() const { return m_State == State::kLost; }
    // "telnet 127.0.0.1:2001" or "ssh 127.0.0.1:2001", the start of every
    // reason.
    std::string Where() const;

private:
    enum class State { kNew, kReady, kLost };
    enum class Result { kOk, kRejected, kLost };

    bool Authenticate(Clock::time_point deadline, std::string& reason);
    bool Enable(Clock::time_point deadline, std::string& reason);
    Result Exchange(const std::string& command, std::string& output, std::string& reason);
    bool SendLine(const std::string& text, Clock::time_point deadline, const std::string& during,
                  std::string& reason);
    bool SendSecret(const Secret& secret, Clock::time_point deadline, const std::string& during,
                    std::string& reason);
    // Reads more data; on anything but data the session is lost and
    // reason says why.
    bool ReadMore(Clock::time_point deadline, std::string& text, const std::string& timeout,
                  const std::string& during, std::string& reason);
    bool Lose(const std::string& why, std::string& reason);
    bool Failed(CliTransport::Status status, const std::string& why, Clock::time_point deadline,
                const std::string& timeout, const std::string& during, std::string& reason);
    Clock::time_point StageDeadline(int milliseconds) const;

    TelnetSettings m_Settings;
    Clock::time_point m_RouterDeadline;
    std::unique_ptr<CliTransport> m_Connection;
    State m_State = State::kNew;
    std::string m_LostReason;
    std::string m_EnableRefusal;
    std::string m_HostName;
    char m_Mode = 0;
};
