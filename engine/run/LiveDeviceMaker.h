// Makes the live device of a router: its command line over telnet or SSH and its
// SNMP agent, as an inventory host's settings say.
#pragma once

#include <memory>
#include <string>

#include "InventoryHost.h"
#include "LiveDevice.h"

class LiveDeviceMaker {
public:
    // The router of an inventory host.
    static std::unique_ptr<LiveDevice> ForHost(const InventoryHost& host);
    // A router found at `address` by crawling, reached with the inventory's
    // defaults (its `all:` vars, ports included).
    static std::unique_ptr<LiveDevice> ForAddress(const InventoryHost& defaults,
                                                  const std::string& address);
};
