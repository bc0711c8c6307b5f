// One open file descriptor (a socket, an epoll or an eventfd), closed when
// its owner goes away. Moves, never copies.
#pragma once

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_Fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept;
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int Get() const { return m_Fd; }
    bool Valid() const { return m_Fd >= 0; }
    // Closes the descriptor held, if any, and holds fd instead.
    void Reset(int fd = -1);
    // Gives the descriptor up to another owner; holds none after.
    int Release();

private:
    int m_Fd = -1;
};
