// The entity record the host hands to an agent: one network entity (a
// router). Besides its fields it carries the host's per-entity attachments,
// which the host wires up (see CScoutEntity); the record owns none of them.
//
// Threads: a record, like its entity, serves one thread at a time.
#pragma once

#include <string>

#include "CZanBaseRecord.h"
#include "HostApi.h"

class CScoutMediationData;
class CScoutProcessedData;
class CScoutEntityJournal;

class HOST_API CZanRecord : public CZanBaseRecord {
public:
    explicit CZanRecord(std::string identifier);
    ~CZanRecord() override;

    // The entity's identifier, as the host knows it (it may hold any byte).
    const std::string& ZRIdentifier() const { return m_Identifier; }

    CScoutMediationData* ZRMediationData() const { return m_MediationData; }
    CScoutProcessedData* ZRProcessedData() const { return m_ProcessedData; }
    CScoutEntityJournal* ZRJournal() const { return m_Journal; }
    void ZRAttach(CScoutMediationData* md, CScoutProcessedData* pd, CScoutEntityJournal* journal);

private:
    std::string m_Identifier;
    CScoutMediationData* m_MediationData = nullptr;
    CScoutProcessedData* m_ProcessedData = nullptr;
    CScoutEntityJournal* m_Journal = nullptr;
};
