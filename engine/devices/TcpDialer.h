// The TCP side of the ways into a router: a non-blocking connection to an
// IPv4 address within a deadline, waits on the socket, and short reasons
// for socket errors.
#pragma once

#include <string>

#include "CliTransport.h"
#include "UniqueFd.h"

class TcpDialer {
public:
    using Clock = CliTransport::Clock;
    using Status = CliTransport::Status;

    // Connects a non-blocking socket to address:port. On kFailed, reason is
    // short: "connection refused", "not an IPv4 address: x".
    static Status Connect(const std::string& address, int port, Clock::time_point deadline,
                          UniqueFd& socket, std::string& reason);
    // Waits until the socket is ready for events (POLLIN, POLLOUT).
    static Status Wait(int fd, short events, Clock::time_point deadline, std::string& reason);
    // "connection refused", "connection reset", or the system's text.
    static std::string ErrorText(int error);
    // What poll takes as its timeout, rounded up.
    static int MillisecondsUntil(Clock::time_point deadline);
};
