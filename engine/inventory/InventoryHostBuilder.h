// Turns the variables one host sees into its settings. Our keys are checked
// and converted; every other key is left alone, as inventories carry other
// tools' variables. A null value counts as not given.
#pragma once

#include <string>

#include "InventoryHost.h"
#include "InventorySecretReader.h"

class InventoryVariables;

class InventoryHostBuilder {
public:
    // `folder` is where relative {file: PATH} secrets are found.
    explicit InventoryHostBuilder(std::string folder);

    // The settings of host `name`. Its address is ansible_host, else the
    // name itself, which must then be an IPv4 address. Throws
    // InventoryError.
    InventoryHost Host(const std::string& name, const InventoryVariables& variables) const;

    // The settings all: vars alone give, for routers no inventory lists: no
    // name, and an address only when all: vars sets ansible_host. Throws
    // InventoryError.
    InventoryHost Defaults(const InventoryVariables& variables) const;

private:
    // Everything but the address.
    void Fill(const std::string& subject, const InventoryVariables& variables,
              InventoryHost& host) const;

    InventorySecretReader m_Secrets;
};
