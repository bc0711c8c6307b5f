// A listening TCP socket on a loopback address (127.0.0.0/8). Any other
// address is refused: the simulator is never reachable from elsewhere.
#pragma once

#include <string>

#include "UniqueFd.h"

class LoopbackListener {
public:
    // Whether address is an IPv4 address in dotted form within 127.0.0.0/8.
    static bool IsLoopback(const std::string& address);

    // Listens on address:port; port 0 takes one the system picks. False,
    // with a one-line reason, when the address is not loopback or the
    // socket cannot be bound.
    bool Listen(const std::string& address, int port, std::string& error);
    // A waiting connection, non-blocking; invalid when there is none (errno
    // tells why).
    UniqueFd Accept();

    int Fd() const { return m_Socket.Get(); }
    const std::string& Address() const { return m_Address; }
    int Port() const { return m_Port; }

private:
    UniqueFd m_Socket;
    std::string m_Address;
    int m_Port = 0;
};
