// An SNMP object identifier as its sub-identifiers, and its dotted text
// ("1.3.6.1.2.1.2.2.1.2") as the walker's reasons and snmpsimd's data files
// write it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using SnmpName = std::vector<std::uint32_t>;

inline std::string SnmpDotted(const SnmpName& name) {
    std::string text;
    for (std::uint32_t part : name) {
        if (!text.empty())
            text += '.';
        text += std::to_string(part);
    }
    return text;
}
