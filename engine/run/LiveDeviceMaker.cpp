#include "LiveDeviceMaker.h"

#include "CliCommandSession.h"
#include "SnmpWalker.h"

std::unique_ptr<LiveDevice> LiveDeviceMaker::ForHost(const InventoryHost& host) {
    return std::make_unique<LiveDevice>(std::make_unique<CliCommandSession>(host.telnet, host.ssh),
                                        std::make_unique<SnmpWalker>(host.snmp));
}

std::unique_ptr<LiveDevice> LiveDeviceMaker::ForAddress(const InventoryHost& defaults,
                                                        const std::string& address) {
    InventoryHost host = defaults;
    host.name = address;
    host.telnet.address = address;
    host.snmp.address = address;
    return ForHost(host);
}
