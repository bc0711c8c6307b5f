#include "Crawler.h"

#include <algorithm>
#include <cctype>

Crawler::Crawler(AddressScope scope, std::size_t maxRouters)
    : m_Scope(std::move(scope)), m_MaxRouters(maxRouters) {}

void Crawler::AddKnown(const std::string& address) {
    m_Known.insert(address);
}

std::vector<std::string> Crawler::Expand(const std::vector<std::string>& neighbours) {
    std::vector<std::string> found;
    for (const std::string& address : neighbours) {
        if (m_Known.size() >= m_MaxRouters)
            break;
        if (!m_Scope.Contains(address) || !m_Known.insert(address).second)
            continue;
        found.push_back(address);
    }
    return found;
}

bool Crawler::SeenBefore(const std::string& hostName, const std::string& systemId) {
    if (hostName.empty() || systemId.empty())
        return false;
    std::string lower = hostName;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return !m_Identities.emplace(lower, systemId).second;
}
