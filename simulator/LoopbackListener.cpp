#include "LoopbackListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace {

bool Parse(const std::string& address, in_addr& parsed) {
    return inet_pton(AF_INET, address.c_str(), &parsed) == 1;
}

} // namespace

bool LoopbackListener::IsLoopback(const std::string& address) {
    in_addr parsed{};
    return Parse(address, parsed) && (ntohl(parsed.s_addr) >> 24) == 127;
}

bool LoopbackListener::Listen(const std::string& address, int port, std::string& error) {
    const std::string where = address + ":" + std::to_string(port);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    if (!Parse(address, local.sin_addr) || (ntohl(local.sin_addr.s_addr) >> 24) != 127) {
        error = "cannot serve on " + address + ": only loopback addresses (127.0.0.0/8) are served";
        return false;
    }
    if (port < 0 || port > 65535) {
        error = "cannot serve on " + where + ": not a port";
        return false;
    }
    local.sin_port = htons(static_cast<uint16_t>(port));
    m_Socket.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    const int on = 1;
    if (!m_Socket.Valid() ||
        setsockopt(m_Socket.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::bind(m_Socket.Get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(m_Socket.Get(), SOMAXCONN) != 0) {
        error = "cannot serve on " + where + ": " + std::strerror(errno);
        m_Socket.Reset();
        return false;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(m_Socket.Get(), reinterpret_cast<sockaddr*>(&bound), &length);
    m_Address = address;
    m_Port = ntohs(bound.sin_port);
    return true;
}

UniqueFd LoopbackListener::Accept() {
    UniqueFd accepted(::accept4(m_Socket.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (accepted.Valid()) {
        const int on = 1;
        setsockopt(accepted.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return accepted;
}
