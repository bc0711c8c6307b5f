// A stand-in router for the telnet client's tests: listens on 127.0.0.1 on
// a port the system picks, takes one connection and plays a script on it
// from a thread of its own. Every wait of the script is bounded.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "UniqueFd.h"

namespace quillon_test {

// The raw bytes a script reads and writes.
class PeerSocket {
public:
    explicit PeerSocket(int fd) : m_Fd(fd) {}

    void Send(const std::string& bytes) {
        std::size_t at = 0;
        while (at < bytes.size()) {
            const ssize_t sent = ::send(m_Fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
            if (sent <= 0)
                return;
            at += static_cast<std::size_t>(sent);
        }
    }

    // Reads until the bytes read so far hold text; false when the client
    // closed or nothing came within the time.
    bool ReadUntil(const std::string& text, int milliseconds = 5000) {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (m_Read.find(text) == std::string::npos) {
            if (Receive(until) != 1)
                return false;
        }
        m_Read.erase(0, m_Read.find(text) + text.size());
        return true;
    }

    // A typed line: waits for it, then echoes it and sends reply.
    bool Answer(const std::string& line, const std::string& reply) {
        if (!ReadUntil(line + "\r\n"))
            return false;
        Send(line + "\r\n" + reply);
        return true;
    }

    // Waits for the client to close the connection, keeping what it sends.
    bool Closed(int milliseconds = 5000) {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        int got = 1;
        while (got == 1)
            got = Receive(until);
        return got == 0;
    }

    // Makes the connection's close a reset.
    void ResetOnClose() {
        const linger abort{1, 0};
        ::setsockopt(m_Fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }

    // Everything read and not yet matched; everything read.
    const std::string& Unmatched() const { return m_Read; }
    const std::string& All() const { return m_All; }

private:
    // 1: bytes came; 0: the client closed; -1: nothing came in time.
    int Receive(std::chrono::steady_clock::time_point until) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        pollfd entry{m_Fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0)
            return -1;
        char buffer[4096];
        const ssize_t got = ::recv(m_Fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            return 0;
        m_Read.append(buffer, static_cast<std::size_t>(got));
        m_All.append(buffer, static_cast<std::size_t>(got));
        return 1;
    }

    int m_Fd;
    std::string m_Read;
    std::string m_All;
};

class TelnetScriptedPeer {
public:
    explicit TelnetScriptedPeer(std::function<void(PeerSocket&)> script) {
        m_Listener.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof local;
        if (::bind(m_Listener.Get(), reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
            ::listen(m_Listener.Get(), 4) != 0 ||
            ::getsockname(m_Listener.Get(), reinterpret_cast<sockaddr*>(&local), &length) != 0)
            return;
        m_Port = ntohs(local.sin_port);
        m_Thread = std::thread([this, script] {
            pollfd entry{m_Listener.Get(), POLLIN, 0};
            if (::poll(&entry, 1, 10000) <= 0)
                return;
            {
                UniqueFd connection(::accept(m_Listener.Get(), nullptr, nullptr));
                if (!connection.Valid())
                    return;
                ++m_Accepted;
                PeerSocket socket(connection.Get());
                script(socket);
            }
            // Further connections are counted, never served.
            while (::poll(&entry, 1, 200) > 0) {
                UniqueFd another(::accept(m_Listener.Get(), nullptr, nullptr));
                ++m_Accepted;
            }
        });
    }

    ~TelnetScriptedPeer() {
        if (m_Thread.joinable())
            m_Thread.join();
    }

    int Port() const { return m_Port; }
    // Waits for the script to end; then the connections taken are known.
    int Accepted() {
        if (m_Thread.joinable())
            m_Thread.join();
        return m_Accepted;
    }

private:
    UniqueFd m_Listener;
    int m_Port = 0;
    std::thread m_Thread;
    std::atomic<int> m_Accepted{0};
};

} // namespace quillon_test
