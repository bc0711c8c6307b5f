#include "CScoutMediationStore.h"

#include "CScoutMediationData.h"

CScoutMediationStore::CScoutMediationStore(CScoutMediationData& data) : m_Data(data) {}

bool CScoutMediationStore::Hold(const char* key, void* object) {
    return m_Data.SMDAddDataPtr(key, object) == 1;
}

const void* CScoutMediationStore::Find(const char* key) const {
    return m_Data.SMDGetDataPtr(key);
}

void* CScoutMediationStore::Remove(const char* key) {
    return m_Data.SMDRemoveDataPtr(key);
}
