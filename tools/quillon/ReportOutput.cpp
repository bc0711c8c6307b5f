#include "ReportOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool ReportOutput::Deliver(const std::string& path, const std::string& text, std::ostream& out,
                           std::string& error) {
    if (path.empty()) {
        out << text << std::flush;
        if (!out) {
            error = "cannot write the report to standard output";
            return false;
        }
        return true;
    }

    // The temporary file sits in the same folder, so the rename cannot cross
    // file systems.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string pattern = folder + "." + base + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        error = path + ": cannot create the report: " + std::strerror(errno);
        return false;
    }
    const std::string temporary(name.data());

    // mkstemp makes the file private; give it the mode a new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, text);
    int failure = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        error = path + ": cannot write the report: " + std::strerror(failure);
        return false;
    }
    return true;
}
