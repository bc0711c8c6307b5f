#include "UniqueFd.h"

#include <unistd.h>

UniqueFd::UniqueFd(UniqueFd&& other) noexcept : m_Fd(other.m_Fd) {
    other.m_Fd = -1;
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        Reset(other.m_Fd);
        other.m_Fd = -1;
    }
    return *this;
}

UniqueFd::~UniqueFd() {
    Reset();
}

void UniqueFd::Reset(int fd) {
    if (m_Fd >= 0)
        ::close(m_Fd);
    m_Fd = fd;
}

int UniqueFd::Release() {
    const int fd = m_Fd;
    m_Fd = -1;
    return fd;
}
