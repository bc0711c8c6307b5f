// How to reach one router's command line over telnet.
#pragma once

#include <string>

#include "Secret.h"
#include "Timeouts.h"

struct TelnetSettings {
    std::string address; // an IPv4 address in dotted form
    int port = 23;
    std::string user; // empty: the router asks for no user name
    Secret password;
    Secret enableSecret; // empty: no enable unless a command needs it
    Timeouts timeouts;
};
