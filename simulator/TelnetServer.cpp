#include "TelnetServer.h"

#include <sys/resource.h>

#include <map>
#include <utility>

#include "LoopbackListener.h"

namespace {

// Descriptors beyond the ports: connections, epoll, the program's own.
constexpr rlim_t kSpareDescriptors = 4096;

// Serving many routers takes more descriptors than a process usually may
// open: the limit is raised toward the hard one.
bool RaiseDescriptorLimit(std::size_t ports, std::string& error) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return true;
    const rlim_t wanted = static_cast<rlim_t>(ports) + kSpareDescriptors;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < wanted) {
        limit.rlim_cur =
            limit.rlim_max == RLIM_INFINITY || limit.rlim_max > wanted ? wanted : limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < static_cast<rlim_t>(ports) + 64) {
        error = "cannot serve " + std::to_string(ports) + " ports: at most " +
                std::to_string(limit.rlim_cur) + " files may be open";
        return false;
    }
    return true;
}

} // namespace

TelnetServer::TelnetServer(std::vector<ServedRouter> routers, Options options)
    : m_Routers(std::move(routers)), m_Options(std::move(options)) {}

TelnetServer::~TelnetServer() {
    Stop();
}

bool TelnetServer::Start(std::string& error) {
    if (m_Loop) {
        error = "the telnet server is already serving";
        return false;
    }
    if (m_Options.latencyMs < 0) {
        error = "a command's delay cannot be negative";
        return false;
    }
    std::vector<TelnetServerLoop::Port> ports;
    if (!Bind(ports, error)) {
        m_Endpoints.clear();
        return false;
    }
    if (!RaiseDescriptorLimit(ports.size(), error)) {
        m_Endpoints.clear();
        return false;
    }
    auto loop = std::make_unique<TelnetServerLoop>(
        std::move(ports), std::chrono::milliseconds(m_Options.latencyMs), m_SessionCount);
    if (!loop->Prepare(error)) {
        m_Endpoints.clear();
        return false;
    }
    m_Loop = std::move(loop);
    m_Thread = std::thread([this] { m_Loop->Run(); });
    return true;
}

void TelnetServer::Stop() {
    if (!m_Loop)
        return;
    m_Loop->Wake();
    if (m_Thread.joinable())
        m_Thread.join();
    m_Loop.reset();
}

bool TelnetServer::Bind(std::vector<TelnetServerLoop::Port>& ports, std::string& error) {
    m_Endpoints.clear();
    if (!LoopbackListener::IsLoopback(m_Options.address)) {
        error = "cannot serve on " + m_Options.address +
                ": only loopback addresses (127.0.0.0/8) are served";
        return false;
    }
    const long last =
        static_cast<long>(m_Options.basePort) + static_cast<long>(m_Routers.size()) - 1;
    if (m_Options.basePort < 0 || (m_Options.basePort > 0 && last > 65535)) {
        error = "cannot serve " + std::to_string(m_Routers.size()) + " routers from port " +
                std::to_string(m_Options.basePort) + ": ports end at 65535";
        return false;
    }
    if (m_Options.addressPort < 0 || m_Options.addressPort > 65535) {
        error = "cannot serve on port " + std::to_string(m_Options.addressPort) + ": not a port";
        return false;
    }
    // Each loopback address a router owns, checked before anything is bound.
    std::vector<std::pair<std::string, std::size_t>> owned;
    if (m_Options.addressPort != 0) {
        std::map<std::string, std::size_t> owners;
        for (std::size_t i = 0; i < m_Routers.size(); ++i) {
            if (!m_Routers[i].answersCommands)
                continue;
            for (const std::string& address : m_Routers[i].addresses) {
                if (!LoopbackListener::IsLoopback(address))
                    continue;
                const auto owner = owners.emplace(address, i);
                if (owner.second) {
                    owned.emplace_back(address, i);
                } else if (owner.first->second != i) {
                    error = "cannot serve " + address + ": it is an address of both " +
                            m_Routers[owner.first->second].name + " and " + m_Routers[i].name;
                    return false;
                }
            }
        }
    }
    auto listen = [&](const std::string& address, int port, std::size_t router) {
        auto listener = std::make_unique<LoopbackListener>();
        if (!listener->Listen(address, port, error))
            return false;
        m_Endpoints.push_back({address, listener->Port(), router});
        ports.push_back({std::move(listener), &m_Routers[router]});
        return true;
    };
    for (std::size_t i = 0; i < m_Routers.size(); ++i) {
        const int port = m_Options.basePort == 0 ? 0 : m_Options.basePort + static_cast<int>(i);
        if (m_Routers[i].answersCommands && !listen(m_Options.address, port, i))
            return false;
    }
    for (const auto& [address, router] : owned) {
        if (!listen(address, m_Options.addressPort, router))
            return false;
    }
    return true;
}
