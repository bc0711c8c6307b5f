// One entity of a run as the host holds it: the record handed to agents,
// its mediation and processed data, and its journal, wired together.
// While an entity is the current one (SEBegin to SEEnd), every CZanError
// reported lands in its journal.
//
// Threads: an entity is worked on by one thread at a time. SEBegin and SEEnd
// route the reports of the calling thread, so both are called on the thread
// that works on the entity; entities on other threads are not affected.
#pragma once

#include <string>

#include "CScoutEntityJournal.h"
#include "CScoutMediationData.h"
#include "CScoutProcessedData.h"
#include "CZanRecord.h"
#include "HostApi.h"

class HOST_API CScoutEntity {
public:
    explicit CScoutEntity(const std::string& identifier);
    CScoutEntity(const CScoutEntity&) = delete;
    CScoutEntity& operator=(const CScoutEntity&) = delete;
    ~CScoutEntity();

    CZanRecord& SERecord() { return m_Record; }
    CScoutMediationData& SEMediationData() { return m_MediationData; }
    CScoutProcessedData& SEProcessedData() { return m_ProcessedData; }
    CScoutEntityJournal& SEJournal() { return m_Journal; }
    const CZanRecord& SERecord() const { return m_Record; }
    const CScoutMediationData& SEMediationData() const { return m_MediationData; }
    const CScoutProcessedData& SEProcessedData() const { return m_ProcessedData; }
    const CScoutEntityJournal& SEJournal() const { return m_Journal; }

    // Routes error reports to this entity's journal until SEEnd.
    void SEBegin();
    void SEEnd();

private:
    CScoutMediationData m_MediationData;
    CScoutProcessedData m_ProcessedData;
    CScoutEntityJournal m_Journal;
    CZanRecord m_Record;
    CZanErrorListener* m_PreviousListener = nullptr;
    bool m_Active = false;
};
