// The ports a lab's routers are served on, for telnet and SSH alike: router
// i on address:basePort+i, and, when asked, each of a router's own addresses
// that lies in 127.0.0.0/8 on one common port. Routers that take no command
// session get no port. Nothing but loopback is ever bound.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "LoopbackListener.h"
#include "ServedRouter.h"

class RouterPorts {
public:
    struct Endpoint {
        std::string address;
        int port = 0;
        std::size_t router = 0; // index into the routers served
    };

    // A bound port and the router it serves.
    struct Port {
        std::unique_ptr<LoopbackListener> listener;
        const ServedRouter* router = nullptr;
    };

    // Binds every port (main ports first) and raises the limit of open
    // files to match. False, with a one-line error and nothing bound, when
    // an address is not loopback, a port is taken or out of range, or two
    // routers claim one address.
    static bool Bind(const std::vector<ServedRouter>& routers, const std::string& address,
                     int basePort, int addressPort, std::vector<Endpoint>& endpoints,
                     std::vector<Port>& ports, std::string& error);
};
