#include "TelnetConnection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "TcpDialer.h"

TelnetConnection::TelnetConnection() : m_Codec(TelnetCodec::Role::kClient) {}

TelnetConnection::~TelnetConnection() = default;

TelnetConnection::Status TelnetConnection::Connect(const std::string& address, int port,
                                                   Clock::time_point deadline,
                                                   std::string& reason) {
    Close();
    return TcpDialer::Connect(address, port, deadline, m_Socket, reason);
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
        const Status waited = TcpDialer::Wait(m_Socket.Get(), POLLIN, deadline, reason);
        if (waited != Status::kOk)
            return waited;
        const ssize_t got = ::recv(m_Socket.Get(), buffer, sizeof buffer, 0);
        if (got == 0)
            return Status::kClosed;
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            reason = TcpDialer::ErrorText(errno);
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
            reason = TcpDialer::ErrorText(errno);
            return Status::kFailed;
        }
        const Status waited = TcpDialer::Wait(m_Socket.Get(), POLLOUT, deadline, reason);
        if (waited != Status::kOk)
            return waited;
    }
    return Status::kOk;
}
