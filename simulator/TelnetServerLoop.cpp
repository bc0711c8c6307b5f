#include "TelnetServerLoop.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// epoll keys: the wake-up event, then one per port, then connections.
constexpr uint64_t kWakeKey = 0;
// Accepting again after running out of descriptors.
constexpr std::chrono::milliseconds kAcceptPause(100);
// Connections taken from one port at a time, so that no port starves others.
constexpr int kAcceptBurst = 64;

} // namespace

TelnetServerLoop::TelnetServerLoop(std::vector<Port> ports, std::chrono::milliseconds latency,
                                   std::atomic<std::size_t>& sessionCount)
    : m_Ports(std::move(ports)), m_Latency(latency), m_SessionCount(sessionCount),
      m_NextId(m_Ports.size() + 1) {}

TelnetServerLoop::~TelnetServerLoop() {
    m_SessionCount -= m_Connections.size();
    m_Connections.clear();
}

bool TelnetServerLoop::Prepare(std::string& error) {
    m_Epoll.Reset(epoll_create1(EPOLL_CLOEXEC));
    m_Wake.Reset(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!m_Epoll.Valid() || !m_Wake.Valid()) {
        error = std::string("cannot serve: ") + std::strerror(errno);
        return false;
    }
    epoll_event wake{};
    wake.events = EPOLLIN;
    wake.data.u64 = kWakeKey;
    if (epoll_ctl(m_Epoll.Get(), EPOLL_CTL_ADD, m_Wake.Get(), &wake) != 0) {
        error = std::string("cannot serve: ") + std::strerror(errno);
        return false;
    }
    for (std::size_t i = 0; i < m_Ports.size(); ++i) {
        epoll_event listen{};
        listen.events = EPOLLIN;
        listen.data.u64 = i + 1;
        if (epoll_ctl(m_Epoll.Get(), EPOLL_CTL_ADD, m_Ports[i].listener->Fd(), &listen) != 0) {
            error = std::string("cannot serve: ") + std::strerror(errno);
            return false;
        }
    }
    return true;
}

void TelnetServerLoop::Wake() {
    const uint64_t one = 1;
    // A full counter still wakes the loop.
    [[maybe_unused]] const ssize_t written = ::write(m_Wake.Get(), &one, sizeof one);
}

void TelnetServerLoop::Run() {
    epoll_event events[256];
    for (;;) {
        const int count = epoll_wait(m_Epoll.Get(), events, 256, WaitMilliseconds());
        if (count < 0 && errno != EINTR)
            return;
        for (int i = 0; i < count; ++i) {
            const uint64_t key = events[i].data.u64;
            if (key == kWakeKey)
                return;
            if (key <= m_Ports.size())
                Accept(static_cast<std::size_t>(key - 1));
            else
                Handle(key, events[i].events);
        }
        if (m_AcceptPaused && Clock::now() >= m_AcceptResumes)
            ResumeAccepting();
        RunTimers();
    }
}

void TelnetServerLoop::Accept(std::size_t port) {
    if (m_AcceptPaused)
        return;
    for (int taken = 0; taken < kAcceptBurst; ++taken) {
        UniqueFd socket = m_Ports[port].listener->Accept();
        if (!socket.Valid()) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                PauseAccepting(Clock::now() + kAcceptPause);
            return;
        }
        const uint64_t id = m_NextId++;
        Connection& connection = m_Connections[id];
        connection.session = std::make_unique<TelnetServerSession>(
            std::move(socket), *m_Ports[port].router, m_Latency);
        ++m_SessionCount;
        epoll_event watch{};
        watch.events = 0;
        watch.data.u64 = id;
        if (epoll_ctl(m_Epoll.Get(), EPOLL_CTL_ADD, connection.session->Fd(), &watch) != 0) {
            Settle(id, false);
            continue;
        }
        Settle(id, connection.session->Open());
    }
}

void TelnetServerLoop::PauseAccepting(Clock::time_point until) {
    m_AcceptPaused = true;
    m_AcceptResumes = until;
    for (std::size_t i = 0; i < m_Ports.size(); ++i) {
        epoll_event none{};
        none.data.u64 = i + 1;
        epoll_ctl(m_Epoll.Get(), EPOLL_CTL_MOD, m_Ports[i].listener->Fd(), &none);
    }
}

void TelnetServerLoop::ResumeAccepting() {
    m_AcceptPaused = false;
    for (std::size_t i = 0; i < m_Ports.size(); ++i) {
        epoll_event listen{};
        listen.events = EPOLLIN;
        listen.data.u64 = i + 1;
        epoll_ctl(m_Epoll.Get(), EPOLL_CTL_MOD, m_Ports[i].listener->Fd(), &listen);
    }
}

void TelnetServerLoop::Handle(uint64_t id, uint32_t events) {
    const auto found = m_Connections.find(id);
    if (found == m_Connections.end())
        return;
    TelnetServerSession& session = *found->second.session;
    bool alive = true;
    if (events & EPOLLIN)
        alive = session.OnReadable();
    if (alive && (events & EPOLLOUT))
        alive = session.OnWritable();
    // An error or hang-up with nothing left to read ends the connection.
    if (alive && (events & (EPOLLERR | EPOLLHUP)) && !(events & EPOLLIN))
        alive = false;
    Settle(id, alive);
}

void TelnetServerLoop::RunTimers() {
    const Clock::time_point now = Clock::now();
    while (!m_Timers.empty() && m_Timers.top().first <= now) {
        const uint64_t id = m_Timers.top().second;
        m_Timers.pop();
        const auto found = m_Connections.find(id);
        // A timer left from an earlier wait, or of a connection gone.
        if (found == m_Connections.end() || !found->second.session->HasDue())
            continue;
        Settle(id, found->second.session->OnDue(now));
    }
}

void TelnetServerLoop::Settle(uint64_t id, bool alive) {
    const auto found = m_Connections.find(id);
    if (found == m_Connections.end())
        return;
    Connection& connection = found->second;
    TelnetServerSession& session = *connection.session;
    if (!alive) {
        // Closing the socket takes it out of the epoll.
        m_Connections.erase(found);
        --m_SessionCount;
        return;
    }
    uint32_t events = 0;
    if (session.WantsRead())
        events |= EPOLLIN;
    if (session.WantsWrite())
        events |= EPOLLOUT;
    if (events != connection.events) {
        epoll_event watch{};
        watch.events = events;
        watch.data.u64 = id;
        epoll_ctl(m_Epoll.Get(), EPOLL_CTL_MOD, session.Fd(), &watch);
        connection.events = events;
    }
    if (session.HasDue() && session.Due() != connection.scheduled) {
        connection.scheduled = session.Due();
        m_Timers.emplace(session.Due(), id);
    }
}

int TelnetServerLoop::WaitMilliseconds() const {
    Clock::time_point next = Clock::time_point::max();
    if (!m_Timers.empty())
        next = m_Timers.top().first;
    if (m_AcceptPaused && m_AcceptResumes < next)
        next = m_AcceptResumes;
    if (next == Clock::time_point::max())
        return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now());
    // Rounded up, so that the loop does not wake just before a timer.
    return left.count() < 0 ? 0 : static_cast<int>(std::min<long long>(left.count() + 1, 60000));
}
