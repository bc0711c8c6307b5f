#include "AddressScope.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace {

bool ParseAddress(const std::string& text, uint32_t& address) {
    in_addr parsed{};
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1)
        return false;
    address = ntohl(parsed.s_addr);
    return true;
}

} // namespace

bool AddressScope::Parse(const std::string& text, std::string& error) {
    m_Networks.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string entry =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::size_t slash = entry.find('/');
        uint32_t network = 0;
        int bits = -1;
        if (slash != std::string::npos && slash + 1 < entry.size() && entry.size() - slash <= 3) {
            bits = 0;
            for (std::size_t i = slash + 1; i < entry.size(); ++i)
                bits = entry[i] >= '0' && entry[i] <= '9' ? bits * 10 + (entry[i] - '0') : -1000;
        }
        if (slash == std::string::npos || bits < 0 || bits > 32 ||
            !ParseAddress(entry.substr(0, slash), network)) {
            error = "'" + entry + "' is not a network in CIDR form (such as 127.16.0.0/12)";
            return false;
        }
        const uint32_t mask = bits == 0 ? 0 : ~uint32_t{0} << (32 - bits);
        if ((network & ~mask) != 0) {
            error = "'" + entry + "' has host bits set";
            return false;
        }
        m_Networks.emplace_back(network, mask);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

bool AddressScope::Contains(const std::string& address) const {
    uint32_t value = 0;
    if (!ParseAddress(address, value))
        return false;
    for (const auto& [network, mask] : m_Networks) {
        if ((value & mask) == network)
            return true;
    }
    return false;
}
