// Reads the plain value of one of our keys as the inventory writes it.
// Ansible would decrypt a vault value and expand a {{ ... }} template; we do
// neither, so both are refused with an error that names the key. A value
// tagged !unsafe is Ansible's literal text and is taken as written.
#pragma once

#include <string>

#include <yaml-cpp/yaml.h>

class InventoryScalar {
public:
    // The text of `value`, a scalar given for `key`; `secret` picks the hint
    // errors give. Throws InventoryError naming `subject` and `key`, never
    // the value.
    static std::string Text(const YAML::Node& value, const std::string& subject,
                            const std::string& key, bool secret);

    // Whether the value is vault-encrypted: tagged !vault or holding a vault
    // payload.
    static bool IsVault(const YAML::Node& value);
};
