#include "CZanRecord.h"

#include <utility>

CZanRecord::CZanRecord(std::string identifier) : m_Identifier(std::move(identifier)) {}

CZanRecord::~CZanRecord() = default;

void CZanRecord::ZRAttach(CScoutMediationData* md, CScoutProcessedData* pd,
                          CScoutEntityJournal* journal) {
    m_MediationData = md;
    m_ProcessedData = pd;
    m_Journal = journal;
}
