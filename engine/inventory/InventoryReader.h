// Reads an inventory: a YAML file in the shape Ansible's inventories have
// (all: with hosts:, children: groups and vars: inherited downwards; see
// InventoryTree), giving each host's settings (see InventoryHostBuilder for
// the keys) and the settings all: vars alone give. A faulty inventory is
// refused whole with one line that names the file and the place: line and
// column where there is one, host and key otherwise. No line ever holds a
// secret value.
#pragma once

#include <string>
#include <vector>

#include "InventoryHost.h"

class InventoryReader {
public:
    // An inventory file larger than this is refused.
    static constexpr std::size_t kLargestFile = 64 * 1024 * 1024;

    InventoryReader();
    ~InventoryReader();
    InventoryReader(const InventoryReader&) = delete;
    InventoryReader& operator=(const InventoryReader&) = delete;

    // Reads the inventory at `path` in place of anything read before. On
    // failure, returns false, sets `error` and holds no hosts.
    bool ReadFile(const std::string& path, std::string& error);
    // The same for an inventory held in memory; `label` names it in
    // messages and `folder` is where relative {file: PATH} secrets are.
    bool ReadText(const std::string& label, const std::string& text, const std::string& folder,
                  std::string& error);

    // Every host, in the order the inventory first lists it.
    const std::vector<InventoryHost>& Hosts() const { return m_Hosts; }
    // The settings all: vars alone give (no name; no address unless all:
    // vars sets ansible_host).
    const InventoryHost& Defaults() const { return m_Defaults; }
    // Checks (or not) every SSH host key, defaults included, whatever the
    // inventory said.
    void SetHostKeyChecking(bool on);

private:
    void Clear();

    std::vector<InventoryHost> m_Hosts;
    InventoryHost m_Defaults;
};
