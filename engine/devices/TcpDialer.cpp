#include "TcpDialer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

std::string TcpDialer::ErrorText(int error) {
    switch (error) {
    case ECONNREFUSED:
        return "connection refused";
    case ECONNRESET:
    case EPIPE:
        return "connection reset";
    case ETIMEDOUT:
        return "connection timed out";
    case EHOSTUNREACH:
        return "host unreachable";
    case ENETUNREACH:
        return "network unreachable";
    default:
        return std::strerror(error);
    }
}

int TcpDialer::MillisecondsUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0)
        return 0;
    // Rounded up, so that a wait does not end just before its deadline.
    return left.count() >= 0x7fffffff ? 0x7fffffff : static_cast<int>(left.count()) + 1;
}

TcpDialer::Status TcpDialer::Connect(const std::string& address, int port,
                                     Clock::time_point deadline, UniqueFd& socket,
                                     std::string& reason) {
    socket.Reset();
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    if (inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1) {
        reason = "not an IPv4 address: " + address;
        return Status::kFailed;
    }
    if (port <= 0 || port > 65535) {
        reason = "not a port: " + std::to_string(port);
        return Status::kFailed;
    }
    peer.sin_port = htons(static_cast<uint16_t>(port));

    UniqueFd opened(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!opened.Valid()) {
        reason = ErrorText(errno);
        return Status::kFailed;
    }
    const int on = 1;
    setsockopt(opened.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (::connect(opened.Get(), reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        if (errno != EINPROGRESS) {
            reason = ErrorText(errno);
            return Status::kFailed;
        }
        const Status waited = Wait(opened.Get(), POLLOUT, deadline, reason);
        if (waited != Status::kOk)
            return waited;
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(opened.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            error = errno;
        if (error != 0) {
            reason = ErrorText(error);
            return Status::kFailed;
        }
    }
    socket = std::move(opened);
    return Status::kOk;
}

TcpDialer::Status TcpDialer::Wait(int fd, short events, Clock::time_point deadline,
                                  std::string& reason) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int result = ::poll(&entry, 1, MillisecondsUntil(deadline));
        if (result > 0)
            return Status::kOk;
        if (result == 0)
            return Status::kTimeout;
        if (errno != EINTR) {
            reason = ErrorText(errno);
            return Status::kFailed;
        }
    }
}
