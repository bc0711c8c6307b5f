// Writes hosts as an inventory the reader takes back unchanged: every host
// under all: hosts:, in the order added, with its address, ports and
// credentials, and each other setting only where it is not the default.
// The text is ASCII, all else escaped. Strings are double-quoted, and tagged
// !unsafe where they would otherwise read as a template or a vault value, so
// that Ansible reads them as written too.
#pragma once

#include <string>
#include <vector>

#include "InventoryHost.h"
#include "Secret.h"

class InventoryWriter {
public:
    void Add(const InventoryHost& host);

    // The inventory's YAML text; it holds the hosts' secrets. Returns false
    // and sets `error` when a host cannot be written so that it reads back
    // the same: no name, a name given twice or not UTF-8; no IPv4
    // address, or a telnet and an SNMP address that differ; another string
    // that is not UTF-8 or holds a control character (tab aside).
    bool Text(Secret& text, std::string& error) const;

    // Writes the text to `path`, readable and writable by its owner alone
    // (mode 0600): a file beside it is written and then renamed over `path`,
    // so that `path` is never seen half written.
    bool WriteFile(const std::string& path, std::string& error) const;

private:
    std::vector<InventoryHost> m_Hosts;
};
