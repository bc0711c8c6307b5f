#include "InventoryFile.h"

#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_Fd(fd) {}
    ~Descriptor() {
        if (m_Fd >= 0)
            close(m_Fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_Fd; }

private:
    int m_Fd;
};

void Wipe(std::string& text) {
    explicit_bzero(text.data(), text.size());
}

} // namespace

bool InventoryFile::Read(const std::string& path, std::size_t limit, Secret& contents,
                         std::string& why) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info;
    if (file.Get() < 0 || fstat(file.Get(), &info) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        why = "not a regular file";
        return false;
    }

    // Room for the size the file gives (files under /proc give 0) and one
    // byte more, so that reading past the limit shows.
    const std::size_t given = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    std::string text(std::min(limit + 1, std::max<std::size_t>(given + 1, 4096)), '\0');
    std::size_t length = 0;
    while (length <= limit) {
        if (length == text.size()) {
            // Grows by hand, so that the old buffer can be wiped.
            std::string larger(std::min(limit + 1, text.size() * 2), '\0');
            std::copy(text.begin(), text.end(), larger.begin());
            Wipe(text);
            text.swap(larger);
        }
        const ssize_t count = read(file.Get(), &text[length], text.size() - length);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            why = std::strerror(errno);
            Wipe(text);
            return false;
        }
        if (count == 0)
            break;
        length += static_cast<std::size_t>(count);
    }
    if (length > limit) {
        why = "larger than " + std::to_string(limit) + " bytes";
        Wipe(text);
        return false;
    }
    text.resize(length);
    contents = Secret(std::move(text));
    return true;
}
