// What reaching a router's command line over SSH needs beyond the login
// itself (user, password and timeouts come from TelnetSettings).
#pragma once

#include <string>

struct SshSettings {
    bool enabled = false;        // the way in is SSH, not telnet
    std::string privateKeyFile;  // empty: no public-key login
    std::string knownHostsFile;  // empty: ~/.ssh/known_hosts
    bool hostKeyChecking = true; // refuse a router whose key the file does not hold
};
