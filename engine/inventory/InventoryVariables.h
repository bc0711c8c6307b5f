// The variables one host sees: YAML mappings stacked from the weakest layer
// (all: vars) to the strongest (the host's own), each with unique keys.
//
// A copy of a YAML::Node shares the node, and assigning to a node rewrites
// the node it shares; so layers are only ever added, never assigned.
#pragma once

#include <string>
#include <vector>

#include <yaml-cpp/yaml.h>

class InventoryVariables {
public:
    InventoryVariables() = default;
    InventoryVariables(const InventoryVariables&) = default;
    InventoryVariables(InventoryVariables&&) = default;
    InventoryVariables& operator=(const InventoryVariables&) = delete;
    InventoryVariables& operator=(InventoryVariables&&) = default;

    // Puts a mapping on top of the layers.
    void AddLayer(const YAML::Node& mapping);

    // The value of a variable, known by the names `keys` (Ansible has aliases
    // for some): the strongest layer that has any of them counts, and within
    // it the first of `keys` it has. `found` gets the name found; when no
    // layer has any, the result is an undefined node and `found` the first
    // of `keys`.
    YAML::Node Find(const std::vector<std::string>& keys, std::string& found) const;

private:
    std::vector<YAML::Node> m_Layers;
};
