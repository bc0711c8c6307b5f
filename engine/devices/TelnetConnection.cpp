#include "TelnetConnection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string ErrorText(int error) {
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

int MillisecondsUntil(TelnetConnection::Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - TelnetConnection::Clock::now());
    if (left.count() <= 0)
        return 0;
    // Rounded up, so that a wait does not end just before its deadline.
    return left.count() >= 0x7fffffff ? 0x7fffffff : static_cast<int>(left.count()) + 1;
}

} // namespace

TelnetConnection::TelnetConnection() : m_Codec(TelnetCodec::Role::kClient) {}

TelnetConnection::~TelnetConnection() = default;

TelnetConnection::Status TelnetConnection::Connect(const std::string& address, int port,
                                                   Clock::time_point deadline,
                                                   std::string& reason) {
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

    m_Socket.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!m_Socket.Valid()) {
        reason = ErrorText(errno);
        return Status::kFailed;
    }
    const int on = 1;
    setsockopt(m_Socket.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (::connect(m_Socket.Get(), reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        if (errno != EINPROGRESS) {
            reason = ErrorText(errno);
            Close();
            return Status::kFailed;
        }
        const Status waited = Wait(POLLOUT, deadline, reason);
        if (waited != Status::kOk) {
            Close();
            return waited;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(m_Socket.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            error = errno;
        if (error != 0) {
            reason = ErrorText(error);
            Close();
            return Status::kFailed;
        }
    }
    return Status::kOk;
}

TelnetConnection::Status TelnetConnection::Read(Clock::time_point deadline, std::string& data,
                                                std::string& reason) {
    if (!Open()) {
        reason = "not connected";
        return Status::kFailed;
    }
    const std::size_t before = data.size();
    char buffer[16384];
    while (data.size() == before) {
        const Status flushed = Flush(deadline, reason);
        if (flushed != Status::kOk)
            return flushed;
        const Status waited = Wait(POLLIN, deadline, reason);
        if (waited != Status::kOk)
            return waited;
        const ssize_t got = ::recv(m_Socket.Get(), buffer, sizeof buffer, 0);
        if (got == 0)
            return Status::kClosed;
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            reason = ErrorText(errno);
            return Status::kFailed;
        }
        m_Codec.Receive(buffer, static_cast<std::size_t>(got), data);
        if (m_Codec.Failed()) {
            reason = m_Codec.Failure();
            return Status::kFailed;
        }
    }
    // Answers to negotiation that came with the data go out now, without
    // waiting for room: the next read or send finishes them.
    std::string ignored;
    Flush(Clock::now(), ignored);
    return Status::kOk;
}

TelnetConnection::Status TelnetConnection::Send(const char* data, std::size_t size,
                                                Clock::time_point deadline, std::string& reason) {
    if (!Open()) {
        reason = "not connected";
        return Status::kFailed;
    }
    m_Codec.Send(data, size);
    return Flush(deadline, reason);
}

void TelnetConnection::Close() {
    m_Socket.Reset();
    m_Codec.Consume(m_Codec.PendingSize());
}

TelnetConnection::Status TelnetConnection::Flush(Clock::time_point deadline, std::string& reason) {
    while (m_Codec.PendingSize() > 0) {
        const ssize_t sent =
            ::send(m_Socket.Get(), m_Codec.Pending(), m_Codec.PendingSize(), MSG_NOSIGNAL);
        if (sent > 0) {
            m_Codec.Consume(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            reason = ErrorText(errno);
            return Status::kFailed;
        }
        const Status waited = Wait(POLLOUT, deadline, reason);
        if (waited != Status::kOk)
            return waited;
    }
    return Status::kOk;
}

TelnetConnection::Status TelnetConnection::Wait(short events, Clock::time_point deadline,
                                                std::string& reason) {
    for (;;) {
        pollfd entry{m_Socket.Get(), events, 0};
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
