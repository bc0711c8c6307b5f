// A telnet connection to a router: a TCP socket and the client side of the
// telnet protocol, read and written within deadlines. It yields the data
// bytes the router sent, telnet commands taken out.
#pragma once

#include <cstddef>
#include <string>

#include "CliTransport.h"
#include "TelnetCodec.h"
#include "UniqueFd.h"

class TelnetConnection : public CliTransport {
public:
    TelnetConnection();
    ~TelnetConnection() override;
    TelnetConnection(const TelnetConnection&) = delete;
    TelnetConnection& operator=(const TelnetConnection&) = delete;

    const char* Kind() const override { return "telnet"; }
    Status Connect(const std::string& address, int port, Clock::time_point deadline,
                   std::string& reason) override;
    // Telnet needs nothing before the router's first byte.
    Status Start(Clock::time_point, std::string&) override { return Status::kOk; }
    // Waits until data bytes arrive and appends them to data; telnet
    // negotiation on the way is answered.
    Status Read(Clock::time_point deadline, std::string& data, std::string& reason) override;
    // Sends data bytes (0xFF doubled) and waits until the socket took them.
    using CliTransport::Send;
    Status Send(const char* data, std::size_t size, Clock::time_point deadline,
                std::string& reason) override;
    bool Open() const override { return m_Socket.Valid(); }
    void Close() override;

private:
    // Writes what the codec has queued; waits for room only until deadline.
    Status Flush(Clock::time_point deadline, std::string& reason);

    UniqueFd m_Socket;
    TelnetCodec m_Codec;
};
