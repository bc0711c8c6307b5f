#include "CScoutEntity.h"

CScoutEntity::CScoutEntity(const std::string& identifier) : m_Record(identifier) {
    m_Record.ZRAttach(&m_MediationData, &m_ProcessedData, &m_Journal);
}

CScoutEntity::~CScoutEntity() {
    if (m_Active)
        SEEnd();
}

void CScoutEntity::SEBegin() {
    if (m_Active)
        return;
    m_PreviousListener = CZanError::ZESetListener(&m_Journal);
    m_Active = true;
}

void CScoutEntity::SEEnd() {
    if (!m_Active)
        return;
    CZanError::ZESetListener(m_PreviousListener);
    m_PreviousListener = nullptr;
    m_Active = false;
}
