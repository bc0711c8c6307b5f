// One router's SNMP agent as snmpsimd serves it: where it listens and what
// it lets in. Every agent has a community for SNMPv1 and v2c; with a user it
// also answers SNMPv3 (authPriv, SHA and AES) in the default context.
//
// The agent serves the router's ifDescr column even when the router has none
// (then an empty one); a lab router whose walk is to fail gets no agent.
#pragma once

#include <string>

#include "Secret.h"
#include "ServedRouter.h"

struct SnmpsimAgent {
    const ServedRouter* router = nullptr; // not owned; outlives the serving
    std::string address = "127.0.0.1";    // a loopback address
    int port = 0;
    // 1 to 64 printable ASCII characters without blanks or '/', not starting
    // with '.' and not "index" (snmpsimd's own); it names the data file.
    Secret community{"public"};
    // SNMPv3; empty: the agent answers no SNMPv3 request. The user and the
    // passphrases are printable ASCII without blanks; passphrases have at
    // least 8 characters.
    std::string v3User;
    Secret v3AuthPassphrase;
    Secret v3PrivPassphrase;
};
