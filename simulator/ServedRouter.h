// One router as the simulator serves it: a lab device's answers, the
// credentials its login dialogue asks for, and the host name its prompts
// show. Read-only once serving starts, so every server thread may read it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "CScoutDevice.h"

struct ServedRouter {
    // Credentials of a device without a `login` member.
    static constexpr const char* kDefaultUser = "quillon";
    static constexpr const char* kDefaultPassword = "quillon";
    static constexpr const char* kDefaultEnableSecret = "quillon";

    std::string name;     // the lab device's name
    std::string hostName; // the prompt is hostName> and, enabled, hostName#
    bool answersCommands = false;
    std::map<std::string, std::string> commands;
    bool hasIfDescr = false;
    std::vector<CScoutSnmpRow> ifDescr;
    std::string user = kDefaultUser; // empty: no Username: prompt
    std::string password = kDefaultPassword;
    std::string enableSecret = kDefaultEnableSecret;
    std::vector<std::string> addresses; // IPv4 addresses the router owns

    // The host name a router of these answers shows in its prompt: the
    // "hostname" line of its "show run", else the device name with every
    // character a prompt cannot hold (anything but letters, digits, '-',
    // '_' and '.') left out, else "Router".
    static std::string HostNameFor(const std::string& name,
                                   const std::map<std::string, std::string>& commands);
};
