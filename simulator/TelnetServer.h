// Lab routers served as live IOS routers over telnet, on loopback only:
// router i on address:basePort+i, and, when asked, each of a router's own
// addresses that lies in 127.0.0.0/8 on one common port. Routers that take
// no command session get no port: connecting to them is refused.
//
// One event-loop thread serves every connection; a command's delay is a
// timer, never a sleep. Start and Stop are called from one controlling
// thread (never both at once); Sessions may be read from any.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "RouterPorts.h"
#include "ServedRouter.h"
#include "TelnetServerLoop.h"

class TelnetServer {
public:
    struct Options {
        std::string address = "127.0.0.1";
        int basePort = 0;    // 0: every router on a port the system picks
        int latencyMs = 0;   // delay before each command's answer
        int addressPort = 0; // not 0: each router's loopback addresses on this port too
    };

    using Endpoint = RouterPorts::Endpoint;

    TelnetServer(std::vector<ServedRouter> routers, Options options);
    ~TelnetServer();
    TelnetServer(const TelnetServer&) = delete;
    TelnetServer& operator=(const TelnetServer&) = delete;

    // Binds every port, then serves on a thread of its own. False, with a
    // one-line error and nothing bound, when an address is not loopback, a
    // port is taken or out of range, or two routers claim one address.
    bool Start(std::string& error);
    // Closes every connection and port and waits for the thread to end.
    void Stop();

    // Where each router is served, once started; main ports first.
    const std::vector<Endpoint>& Endpoints() const { return m_Endpoints; }
    const std::vector<ServedRouter>& Routers() const { return m_Routers; }
    // Connections open now.
    std::size_t Sessions() const { return m_SessionCount.load(); }

private:
    std::vector<ServedRouter> m_Routers;
    Options m_Options;
    std::vector<Endpoint> m_Endpoints;
    std::unique_ptr<TelnetServerLoop> m_Loop;
    std::thread m_Thread;
    std::atomic<std::size_t> m_SessionCount{0};
};
