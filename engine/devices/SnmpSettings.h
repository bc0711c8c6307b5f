// How to walk one router's SNMP agent.
#pragma once

#include <string>

#include "Secret.h"

struct SnmpSettings {
    enum class Version { V1, V2c, V3 };

    std::string address; // an IPv4 address in dotted form
    int port = 161;
    Version version = Version::V2c;
    Secret community{"public"}; // v1 and v2c
    std::string user;           // v3: authPriv with SHA and AES
    Secret authPassphrase;
    Secret privPassphrase;
    int timeoutMs = 2000; // per request
    int retries = 1;
};
