// An SSH connection to a router's command line: a TCP socket, the key
// exchange, the host key checked against a known-hosts file (before any
// authentication, so that a router with the wrong key never sees a
// password), login by public key, password or keyboard-interactive, and a
// shell on a pseudo-terminal. It yields the bytes the shell sends.
//
// Every call is bounded by its deadline; the libssh handles are owned here
// and freed channel first.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include <libssh/libssh.h>

#include "CliTransport.h"
#include "Secret.h"
#include "SshSettings.h"

class SshConnection : public CliTransport {
public:
    SshConnection(std::string user, Secret password, SshSettings settings);
    ~SshConnection() override;
    SshConnection(const SshConnection&) = delete;
    SshConnection& operator=(const SshConnection&) = delete;

    const char* Kind() const override { return "ssh"; }
    // Reads the private key, if any, then opens the TCP connection.
    Status Connect(const std::string& address, int port, Clock::time_point deadline,
                   std::string& reason) override;
    // Key exchange, host key check, authentication, shell.
    Status Start(Clock::time_point deadline, std::string& reason) override;
    Status Read(Clock::time_point deadline, std::string& data, std::string& reason) override;
    using CliTransport::Send;
    Status Send(const char* data, std::size_t size, Clock::time_point deadline,
                std::string& reason) override;
    bool Open() const override { return m_Session != nullptr; }
    void Close() override;

private:
    struct SessionFree {
        void operator()(ssh_session session) const;
    };
    struct ChannelFree {
        void operator()(ssh_channel channel) const;
    };
    struct KeyFree {
        void operator()(ssh_key key) const { ssh_key_free(key); }
    };

    Status CheckHostKey(std::string& reason);
    Status Authenticate(Clock::time_point deadline, std::string& reason);
    int KeyboardInteractive(Clock::time_point deadline);
    Status OpenShell(Clock::time_point deadline, std::string& reason);
    // Waits until the router sends something, once the session no longer
    // blocks.
    Status WaitForRouter(Clock::time_point deadline, std::string& reason);
    // Bounds the next blocking libssh call by deadline; false when it has
    // passed.
    bool Limit(Clock::time_point deadline);
    // What a failed libssh call means: a timeout, the router gone, or the
    // library's own words.
    Status Failure(Clock::time_point deadline, const std::string& doing, std::string& reason);
    std::string KnownHostsFile() const;

    std::string m_User;
    Secret m_Password;
    SshSettings m_Settings;
    std::unique_ptr<ssh_key_struct, KeyFree> m_Key;
    std::unique_ptr<ssh_session_struct, SessionFree> m_Session;
    std::unique_ptr<ssh_channel_struct, ChannelFree> m_Channel;
};
