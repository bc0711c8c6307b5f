#include "InventoryVariables.h"

void InventoryVariables::AddLayer(const YAML::Node& mapping) {
    m_Layers.push_back(mapping);
}

YAML::Node InventoryVariables::Find(const std::vector<std::string>& keys,
                                    std::string& found) const {
    for (auto layer = m_Layers.rbegin(); layer != m_Layers.rend(); ++layer) {
        for (const std::string& key : keys) {
            for (const auto& entry : *layer) {
                if (entry.first.IsScalar() && entry.first.Scalar() == key) {
                    found = key;
                    return entry.second;
                }
            }
        }
    }
    found = keys.empty() ? std::string() : keys.front();
    return YAML::Node(YAML::NodeType::Undefined);
}
