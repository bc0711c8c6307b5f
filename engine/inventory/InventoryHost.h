// One router an inventory lists: the name its entity gets and how to reach
// it. The inventory defaults (all: vars alone) have the same shape, with no
// name.
#pragma once

#include <string>

#include "SnmpSettings.h"
#include "SshSettings.h"
#include "TelnetSettings.h"

struct InventoryHost {
    std::string name;       // the inventory host name; empty for the defaults
    std::string connection; // ansible_connection as written; empty when not given
    TelnetSettings telnet;  // the command line's address, port and login, over either way in
    SshSettings ssh;        // ssh.enabled when ansible_connection asks for SSH
    SnmpSettings snmp;      // same address as telnet
};
