// The private working directory of one snmpsimd: made under the system's
// temporary directory, removed with everything in it when the object goes
// away. When snmpsimd is to run as another user, everything made inside is
// handed to that user and no one else can read it; the directory itself
// only lets that user pass through.
#pragma once

#include <string>
#include <sys/types.h>

class SnmpsimDirectory {
public:
    SnmpsimDirectory();
    ~SnmpsimDirectory();
    SnmpsimDirectory(const SnmpsimDirectory&) = delete;
    SnmpsimDirectory& operator=(const SnmpsimDirectory&) = delete;

    // Makes the directory; `handOver` says whether what is made inside goes
    // to user `owner` and group `group`.
    bool Create(bool handOver, uid_t owner, gid_t group, std::string& error);
    const std::string& Path() const { return m_Path; }

    // A subdirectory (mode 0700) and a file (mode 0600), by their path
    // relative to the directory.
    bool MakeDirectory(const std::string& relative, std::string& error);
    bool WriteFile(const std::string& relative, const std::string& content, std::string& error);

private:
    bool HandOver(const std::string& path, std::string& error) const;

    std::string m_Path; // empty until made
    bool m_HandOver = false;
    uid_t m_Owner = 0;
    gid_t m_Group = 0;
};
