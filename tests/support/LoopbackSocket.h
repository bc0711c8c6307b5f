// Sockets the tests open for themselves, always on 127.0.0.1.
#pragma once

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillon_test {

// A socket of `type` bound to 127.0.0.1 on a port the system picks; `port`
// gets that port. The caller closes the socket.
inline int BoundLoopbackSocket(int type, int& port) {
    const int fd = socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
    port = ntohs(address.sin_port);
    return fd;
}

// A UDP port on 127.0.0.1 that nothing used a moment ago.
inline int FreeUdpPort() {
    int port = 0;
    close(BoundLoopbackSocket(SOCK_DGRAM, port));
    return port;
}

} // namespace quillon_test
