// A byte stream to a router's command line, whatever carries it (telnet or
// SSH): connected, started, then read and written within deadlines. The IOS
// dialogue runs over it unchanged.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

class CliTransport {
public:
    using Clock = std::chrono::steady_clock;

    enum class Status {
        kOk,
        kTimeout, // the deadline passed first
        kClosed,  // the router closed the connection
        kFailed,  // anything else; the reason says what
    };

    virtual ~CliTransport() = default;

    // "telnet" or "ssh": how reasons and reports name the way in.
    virtual const char* Kind() const = 0;
    // Opens the TCP connection to an IPv4 address in dotted form. On
    // kFailed, reason is short: "connection refused", "not an IPv4 address: x".
    virtual Status Connect(const std::string& address, int port, Clock::time_point deadline,
                           std::string& reason) = 0;
    // What must happen before the router's first byte (key exchange, host
    // key check and authentication for SSH); nothing for telnet.
    virtual Status Start(Clock::time_point deadline, std::string& reason) = 0;
    // Waits until data bytes arrive and appends them to data.
    virtual Status Read(Clock::time_point deadline, std::string& data, std::string& reason) = 0;
    // Sends data bytes and waits until they are taken.
    virtual Status Send(const char* data, std::size_t size, Clock::time_point deadline,
                        std::string& reason) = 0;
    Status Send(const std::string& data, Clock::time_point deadline, std::string& reason) {
        return Send(data.data(), data.size(), deadline, reason);
    }
    virtual bool Open() const = 0;
    virtual void Close() = 0;
};
