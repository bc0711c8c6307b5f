// Lab routers served as live IOS routers over SSH, on loopback only, on the
// same ports as the telnet server would use (see RouterPorts). The host key
// is made at start (ed25519) or read from a file; the known-hosts lines
// that match it can be written for clients.
//
// One thread accepts; each connection has a thread of its own, at most
// kMostSessions at once (later connections wait in the listen queue). Every
// login tried is counted, so that a test can tell that none was. Start and
// Stop are called from one controlling thread; Sessions and Logins may be
// read from any.
#pragma once

#include <atomic>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <libssh/libssh.h>
#include <libssh/server.h>

#include "RouterPorts.h"
#include "ServedRouter.h"
#include "UniqueFd.h"

class SshServerSession;

class SshServer {
public:
    static constexpr std::size_t kMostSessions = 64;

    struct Options {
        std::string address = "127.0.0.1";
        int basePort = 0;           // 0: every router on a port the system picks
        int latencyMs = 0;          // delay before each command's answer
        int addressPort = 0;        // not 0: each router's loopback addresses on this port too
        std::string hostKeyFile;    // empty: a new ed25519 key
        std::string authorizedKeys; // empty: no public-key login; else a file of public keys
    };

    using Endpoint = RouterPorts::Endpoint;

    SshServer(std::vector<ServedRouter> routers, Options options);
    ~SshServer();
    SshServer(const SshServer&) = delete;
    SshServer& operator=(const SshServer&) = delete;

    // Makes or reads the host key, binds every port, then serves. False,
    // with a one-line error and nothing bound, on any failure.
    bool Start(std::string& error);
    // Ends every session and waits for every thread.
    void Stop();

    const std::vector<Endpoint>& Endpoints() const { return m_Endpoints; }
    const std::vector<ServedRouter>& Routers() const { return m_Routers; }
    // The known-hosts file's text for every endpoint:
    // "[127.0.0.1]:2001 ssh-ed25519 AAAA...".
    std::string KnownHosts() const;
    // Logins tried on any session (a password, or a public key offered).
    std::size_t Logins() const { return m_Logins.load(); }
    std::size_t Sessions() const;

private:
    struct BindFree {
        void operator()(ssh_bind bind) const { ssh_bind_free(bind); }
    };
    struct Worker {
        std::unique_ptr<SshServerSession> session;
        UniqueFd socket; // the connection's own descriptor; libssh has a copy
        std::thread thread;
        std::atomic<bool> done{false};
    };

    bool LoadHostKey(std::string& error);
    bool LoadAuthorizedKeys(std::string& error);
    void Accept();
    void Serve(UniqueFd socket, const ServedRouter& router);
    // Joins the threads of sessions that ended.
    void Reap();

    std::vector<ServedRouter> m_Routers;
    Options m_Options;
    std::vector<Endpoint> m_Endpoints;
    std::vector<RouterPorts::Port> m_Ports;
    std::vector<std::string> m_AuthorizedKeys;
    std::string m_PublicKey; // "ssh-ed25519 AAAA..."
    std::unique_ptr<ssh_bind_struct, BindFree> m_Bind;
    UniqueFd m_Wake;
    std::thread m_Acceptor;
    std::atomic<bool> m_Stopping{false};
    mutable std::mutex m_Mutex; // guards m_Workers
    std::list<Worker> m_Workers;
    std::atomic<std::size_t> m_Logins{0};
};
