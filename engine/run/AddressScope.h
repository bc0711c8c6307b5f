// The IPv4 networks a crawl may reach, given as "CIDR[,CIDR...]"
// ("127.16.0.0/12,127.1.0.0/16"). An address outside every one of them is
// never contacted.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class AddressScope {
public:
    // On a malformed list returns false and sets a one-line `error` naming
    // the entry at fault.
    bool Parse(const std::string& text, std::string& error);

    // Whether `address` (dotted IPv4) lies in the scope; text that is not an
    // IPv4 address never does.
    bool Contains(const std::string& address) const;

private:
    std::vector<std::pair<uint32_t, uint32_t>> m_Networks; // network, mask
};
