#include "CScoutMediationData.h"

#include <algorithm>

#include "CZanDoubleList.h"

CScoutMediationData::CScoutMediationData() = default;

// Pointer entries belong to whoever stored them; walks are the store's own.
CScoutMediationData::~CScoutMediationData() {
    for (auto& walk : m_Walks)
        delete walk.second;
}

int CScoutMediationData::SMDAddDataPtr(const char* key, void* data) {
    if (key == nullptr)
        return 0;
    const std::string name = key;
    if (m_Pointers.count(name) != 0 || m_Walks.count(name) != 0)
        return 0;
    m_Pointers.emplace(name, data);
    return 1;
}

void* CScoutMediationData::SMDGetDataPtr(const char* key) const {
    if (key == nullptr)
        return nullptr;
    auto found = m_Pointers.find(key);
    return found != m_Pointers.end() ? found->second : nullptr;
}

void* CScoutMediationData::SMDRemoveDataPtr(const char* key) {
    if (key == nullptr)
        return nullptr;
    auto found = m_Pointers.find(key);
    if (found == m_Pointers.end())
        return nullptr;
    void* data = found->second;
    m_Pointers.erase(found);
    return data;
}

void CScoutMediationData::SMDStoreSnmpWalk(const char* key, CZanDoubleList* walk) {
    if (key == nullptr || walk == nullptr)
        return;
    const std::string name = key;
    m_Pointers.erase(name);
    CZanDoubleList*& slot = m_Walks[name];
    if (slot != walk)
        delete slot;
    slot = walk;
}

CZanDoubleList* CScoutMediationData::SMDGetSnmpGetNext(const char* key) const {
    if (key == nullptr)
        return nullptr;
    auto found = m_Walks.find(key);
    return found != m_Walks.end() ? found->second : nullptr;
}

std::vector<std::string> CScoutMediationData::SMDKeys() const {
    std::vector<std::string> keys;
    keys.reserve(m_Pointers.size() + m_Walks.size());
    for (const auto& entry : m_Pointers)
        keys.push_back(entry.first);
    for (const auto& entry : m_Walks)
        keys.push_back(entry.first);
    // std::string compares as unsigned bytes (char_traits<char>::lt).
    std::sort(keys.begin(), keys.end());
    return keys;
}
