// The event loop behind the telnet server: one epoll over the listening
// ports and every connection, with the connections' timers (delayed
// answers, lingering closes) in one queue. Runs on one thread until woken
// from another.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <queue>
#include <string>
#include <utility>
#include <vector>

#include "RouterPorts.h"
#include "ServedRouter.h"
#include "TelnetServerSession.h"
#include "UniqueFd.h"

class TelnetServerLoop {
public:
    using Clock = std::chrono::steady_clock;

    using Port = RouterPorts::Port;

    // sessionCount is kept up to date with the connections open.
    TelnetServerLoop(std::vector<Port> ports, std::chrono::milliseconds latency,
                     std::atomic<std::size_t>& sessionCount);
    ~TelnetServerLoop();
    TelnetServerLoop(const TelnetServerLoop&) = delete;
    TelnetServerLoop& operator=(const TelnetServerLoop&) = delete;

    // Sets up the epoll and the wake-up event; false with an error.
    bool Prepare(std::string& error);
    // Serves until Wake is called.
    void Run();
    // Ends Run; safe from any thread.
    void Wake();

private:
    struct Connection {
        std::unique_ptr<TelnetServerSession> session;
        uint32_t events = 0;              // what epoll watches for it
        Clock::time_point scheduled = {}; // its latest timer in the queue
    };
    using Timer = std::pair<Clock::time_point, uint64_t>;

    void Accept(std::size_t port);
    void PauseAccepting(Clock::time_point until);
    void ResumeAccepting();
    void Handle(uint64_t id, uint32_t events);
    void RunTimers();
    // Watches a connection for what it waits for, or ends it when over.
    void Settle(uint64_t id, bool alive);
    int WaitMilliseconds() const;

    std::vector<Port> m_Ports;
    std::chrono::milliseconds m_Latency;
    std::atomic<std::size_t>& m_SessionCount;
    UniqueFd m_Epoll;
    UniqueFd m_Wake;
    std::map<uint64_t, Connection> m_Connections;
    uint64_t m_NextId;
    std::priority_queue<Timer, std::vector<Timer>, std::greater<Timer>> m_Timers;
    bool m_AcceptPaused = false;
    Clock::time_point m_AcceptResumes{};
};
