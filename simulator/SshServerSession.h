// One SSH connection to a served router, on a thread of its own: the key
// exchange, the login (password, or a public key the server accepts), a
// shell on a pseudo-terminal, and then the router's IOS dialogue over the
// channel, with the same delay before each command's answer as over telnet.
//
// Stop may be called from any thread; the session then ends soon.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include <libssh/libssh.h>
#include <libssh/server.h>

#include "ServedRouter.h"

class SshServerSession {
public:
    struct SessionFree {
        void operator()(ssh_session session) const;
    };
    using SessionHandle = std::unique_ptr<ssh_session_struct, SessionFree>;

    // Counts in logins every login tried (anything but "none").
    SshServerSession(SessionHandle session, const ServedRouter& router,
                     const std::vector<std::string>& authorizedKeys,
                     std::chrono::milliseconds latency, std::atomic<std::size_t>& logins);
    ~SshServerSession();
    SshServerSession(const SshServerSession&) = delete;
    SshServerSession& operator=(const SshServerSession&) = delete;

    // Serves the connection until either side ends it or Stop is called.
    void Run();
    void Stop();

private:
    struct ChannelFree {
        void operator()(ssh_channel channel) const { ssh_channel_free(channel); }
    };
    using ChannelHandle = std::unique_ptr<ssh_channel_struct, ChannelFree>;

    bool Authenticate();
    ChannelHandle OpenShell();
    void Converse(ssh_channel channel);
    bool KeyAuthorized(ssh_key key) const;
    // Waits out a command's delay; false when stopped meanwhile.
    bool Delay();

    SessionHandle m_Session;
    const ServedRouter& m_Router;
    const std::vector<std::string>& m_AuthorizedKeys; // "type base64", as in a .pub file
    std::chrono::milliseconds m_Latency;
    std::atomic<std::size_t>& m_Logins;
    std::atomic<bool> m_Stopped{false};
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
};
