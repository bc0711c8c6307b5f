#include "SnmpLibrary.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <syslog.h>
#include <vector>

namespace {

// The name the library files its settings under; it reads none of them.
constexpr const char* kApplication = "quillon";

// A directory of our own for what the library insists on making while it
// starts (an index of TLS certificates), so that nothing lands in
// /var/lib/snmp; it is removed once the library has started.
std::string ScratchDirectory() {
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temporary != nullptr && *temporary != '\0' ? temporary : "/tmp") +
        "/quillon-netsnmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) != nullptr ? std::string(name.data()) : std::string();
}

} // namespace

void SnmpLibrary::Init() {
    static std::once_flag once;
    std::call_once(once, [] {
        std::lock_guard<std::mutex> lock(Lock());
        // A handler of type "none" swallows every message; without any
        // handler the library falls back to writing on stderr.
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
        // Object identifiers are numeric here; no MIB file is needed.
        netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIBDIRS, "");
        const std::string scratch = ScratchDirectory();
        // Without a directory of our own, one that cannot be made keeps the
        // library from making any.
        netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR,
                              scratch.empty() ? "/dev/null/quillon" : scratch.c_str());
        init_snmp(kApplication);
        if (!scratch.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(scratch, ignored);
        }
    });
}

std::mutex& SnmpLibrary::Lock() {
    static std::mutex lock;
    return lock;
}
