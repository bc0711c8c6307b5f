#include "RouterPorts.h"

#include <sys/resource.h>

#include <map>
#include <utility>

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

bool Listen(const std::vector<ServedRouter>& routers, const std::string& address, int basePort,
            int addressPort, std::vector<RouterPorts::Endpoint>& endpoints,
            std::vector<RouterPorts::Port>& ports, std::string& error) {
    if (!LoopbackListener::IsLoopback(address)) {
        error = "cannot serve on " + address + ": only loopback addresses (127.0.0.0/8) are served";
        return false;
    }
    const long last = static_cast<long>(basePort) + static_cast<long>(routers.size()) - 1;
    if (basePort < 0 || (basePort > 0 && last > 65535)) {
        error = "cannot serve " + std::to_string(routers.size()) + " routers from port " +
                std::to_string(basePort) + ": ports end at 65535";
        return false;
    }
    if (addressPort < 0 || addressPort > 65535) {
        error = "cannot serve on port " + std::to_string(addressPort) + ": not a port";
        return false;
    }
    // Each loopback address a router owns, checked before anything is bound.
    std::vector<std::pair<std::string, std::size_t>> owned;
    if (addressPort != 0) {
        std::map<std::string, std::size_t> owners;
        for (std::size_t i = 0; i < routers.size(); ++i) {
            if (!routers[i].answersCommands)
                continue;
            for (const std::string& own : routers[i].addresses) {
                if (!LoopbackListener::IsLoopback(own))
                    continue;
                const auto owner = owners.emplace(own, i);
                if (owner.second) {
                    owned.emplace_back(own, i);
                } else if (owner.first->second != i) {
                    error = "cannot serve " + own + ": it is an address of both " +
                            routers[owner.first->second].name + " and " + routers[i].name;
                    return false;
                }
            }
        }
    }
    auto listen = [&](const std::string& at, int port, std::size_t router) {
        auto listener = std::make_unique<LoopbackListener>();
        if (!listener->Listen(at, port, error))
            return false;
        endpoints.push_back({at, listener->Port(), router});
        ports.push_back({std::move(listener), &routers[router]});
        return true;
    };
    for (std::size_t i = 0; i < routers.size(); ++i) {
        const int port = basePort == 0 ? 0 : basePort + static_cast<int>(i);
        if (routers[i].answersCommands && !listen(address, port, i))
            return false;
    }
    for (const auto& [at, router] : owned) {
        if (!listen(at, addressPort, router))
            return false;
    }
    return true;
}

} // namespace

bool RouterPorts::Bind(const std::vector<ServedRouter>& routers, const std::string& address,
                       int basePort, int addressPort, std::vector<Endpoint>& endpoints,
                       std::vector<Port>& ports, std::string& error) {
    endpoints.clear();
    ports.clear();
    if (!Listen(routers, address, basePort, addressPort, endpoints, ports, error) ||
        !RaiseDescriptorLimit(ports.size(), error)) {
        endpoints.clear();
        ports.clear();
        return false;
    }
    return true;
}
