#include "SnmprecFile.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "SnmpName.h"

namespace {

using Name = SnmpName;

const Name kSysDescr = {1, 3, 6, 1, 2, 1, 1, 1, 0};
const Name kSysObjectId = {1, 3, 6, 1, 2, 1, 1, 2, 0};
const Name kSysUpTime = {1, 3, 6, 1, 2, 1, 1, 3, 0};
const Name kSysName = {1, 3, 6, 1, 2, 1, 1, 5, 0};
const Name kIfDescr = {1, 3, 6, 1, 2, 1, 2, 2, 1, 2};

// A Cisco router's sysObjectID (ciscoProducts.1).
constexpr const char* kCiscoProduct = "1.3.6.1.4.1.9.1.1";

// snmpsimd strips the blanks around a line and reads the rest of a plain
// value as it stands; anything else goes in hex.
bool Plain(const std::string& value) {
    if (!value.empty() && (value.front() == ' ' || value.back() == ' '))
        return false;
    return std::all_of(value.begin(), value.end(), [](char c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte <= 0x7e;
    });
}

std::string OctetString(const std::string& value) {
    if (Plain(value))
        return "4|" + value;
    static const char kDigits[] = "0123456789abcdef";
    std::string hex = "4x|";
    for (char c : value) {
        const unsigned char byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0f];
    }
    return hex;
}

} // namespace

std::string SnmprecFile::Render(const ServedRouter& router) {
    std::vector<std::pair<Name, std::string>> records = {
        {kSysDescr, OctetString("Cisco IOS Software, simulated router " + router.name)},
        {kSysObjectId, std::string("6|") + kCiscoProduct},
        {kSysUpTime, "67|0"},
        {kSysName, OctetString(router.hostName)},
    };
    std::set<std::uint32_t> served;
    for (const CScoutSnmpRow& row : router.ifDescr) {
        if (!row.hasIndex)
            continue;
        const std::uint32_t index = static_cast<std::uint32_t>(row.index);
        if (!served.insert(index).second)
            continue;
        Name name = kIfDescr;
        name.push_back(index);
        records.emplace_back(std::move(name), row.isString ? OctetString(row.value) : "2|0");
    }
    std::sort(records.begin(), records.end());
    std::string text;
    for (const auto& [name, value] : records)
        text += SnmpDotted(name) + "|" + value + "\n";
    return text;
}
