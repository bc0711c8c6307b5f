#include "SnmpsimDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Failure(const std::string& what, const std::string& path, int error) {
    return what + " " + path + ": " + std::strerror(error);
}

} // namespace

SnmpsimDirectory::SnmpsimDirectory() = default;

SnmpsimDirectory::~SnmpsimDirectory() {
    if (!m_Path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
}

bool SnmpsimDirectory::Create(bool handOver, uid_t owner, gid_t group, std::string& error) {
    if (!m_Path.empty()) {
        error = "the snmpsimd directory is already made";
        return false;
    }
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temporary != nullptr && *temporary != '\0' ? temporary : "/tmp") +
        "/quillon-snmpsim-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) {
        error = Failure("cannot make", pattern, errno);
        return false;
    }
    m_Path = name.data();
    m_HandOver = handOver;
    m_Owner = owner;
    m_Group = group;
    const mode_t mode = handOver ? 0711 : 0700;
    if (chmod(m_Path.c_str(), mode) != 0) {
        error = Failure("cannot set the mode of", m_Path, errno);
        return false;
    }
    return true;
}

bool SnmpsimDirectory::MakeDirectory(const std::string& relative, std::string& error) {
    const std::string path = m_Path + "/" + relative;
    if (mkdir(path.c_str(), 0700) != 0) {
        error = Failure("cannot make", path, errno);
        return false;
    }
    return HandOver(path, error);
}

bool SnmpsimDirectory::WriteFile(const std::string& relative, const std::string& content,
                                 std::string& error) {
    const std::string path = m_Path + "/" + relative;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error = Failure("cannot write", path, errno);
        return false;
    }
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t step = write(fd, content.data() + written, content.size() - written);
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0) {
            error = Failure("cannot write", path, errno);
            close(fd);
            return false;
        }
        written += static_cast<std::size_t>(step);
    }
    if (close(fd) != 0) {
        error = Failure("cannot write", path, errno);
        return false;
    }
    return HandOver(path, error);
}

bool SnmpsimDirectory::HandOver(const std::string& path, std::string& error) const {
    if (m_HandOver && chown(path.c_str(), m_Owner, m_Group) != 0) {
        error = Failure("cannot hand over", path, errno);
        return false;
    }
    return true;
}
