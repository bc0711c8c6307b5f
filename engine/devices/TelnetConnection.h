// A telnet connection to a router: a TCP socket and the client side of the
// telnet protocol, read and written within deadlines. It yields the data
// bytes the router sent, telnet commands taken out.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "TelnetCodec.h"
#include "UniqueFd.h"

class TelnetConnection {
public:
    using Clock = std::chrono::steady_clock;

    enum class Status {
        kOk,
        kTimeout, // the deadline passed first
        kClosed,  // the router closed the connection
        kFailed,  // anything else; the reason says what
    };

    TelnetConnection();
    ~TelnetConnection();
    TelnetConnection(const TelnetConnection&) = delete;
    TelnetConnection& operator=(const TelnetConnection&) = delete;

    // Connects to an IPv4 address in dotted form. On kFailed, reason is
    // short: "connection refused", "not an IPv4 address: x".
    Status Connect(const std::string& address, int port, Clock::time_point deadline,
                   std::string& reason);
    // Waits until data bytes arrive and appends them to data; telnet
    // negotiation on the way is answered.
    Status Read(Clock::time_point deadline, std::string& data, std::string& reason);
    // Sends data bytes (0xFF doubled) and waits until the socket took them.
    Status Send(const char* data, std::size_t size, Clock::time_point deadline,
                std::string& reason);
    Status Send(const std::string& data, Clock::time_point deadline, std::string& reason) {
        return Send(data.data(), data.size(), deadline, reason);
    }
    bool Open() const { return m_Socket.Valid(); }
    void Close();

private:
    // Writes what the codec has queued; waits for room only until deadline.
    Status Flush(Clock::time_point deadline, std::string& reason);
    Status Wait(short events, Clock::time_point deadline, std::string& reason);

    UniqueFd m_Socket;
    TelnetCodec m_Codec;
};
