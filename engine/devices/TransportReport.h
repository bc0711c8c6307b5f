// How a live router was reached and what went wrong on the way: the report's
// "transport" member of the router's entry.
#pragma once

#include <string>
#include <vector>

struct TransportReport {
    std::string commands;              // "telnet 127.0.0.1:2301", "ssh 127.0.0.1:22"
    std::string snmp;                  // "snmp v2c 127.0.0.1:1161"
    std::string hostName;              // from the router's prompt; empty if never seen
    std::vector<std::string> failures; // one line each, in the order they happened
};
