// Reads the value of a secret key (a password, the enable secret, a
// community or a passphrase): the text itself, {env: NAME} for an
// environment variable, or {file: PATH} for a file's contents without one
// trailing newline, a relative PATH being taken from the inventory's folder.
// Errors name the key and the variable or file, never the value.
#pragma once

#include <cstddef>
#include <string>

#include <yaml-cpp/yaml.h>

#include "Secret.h"

class InventorySecretReader {
public:
    // A secret file larger than this is refused: no secret is that long, and
    // a device file would never end.
    static constexpr std::size_t kLargestFile = 64 * 1024;

    explicit InventorySecretReader(std::string folder);

    // The secret `value` (given for `key`) stands for; empty when the value
    // is null. Throws InventoryError naming `subject` and `key`.
    Secret Read(const YAML::Node& value, const std::string& subject, const std::string& key) const;

private:
    Secret FromEnvironment(const YAML::Node& name, const std::string& subject,
                           const std::string& key) const;
    Secret FromFile(const YAML::Node& path, const std::string& subject,
                    const std::string& key) const;

    std::string m_Folder;
};
