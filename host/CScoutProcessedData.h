// Per-entity store of what an agent found: local and remote neighbour
// records. It owns every record handed to it.
//
// Threads: a store belongs to one entity and serves one thread at a time.
#pragma once

#include <vector>

#include "CZanObject.h"
#include "HostApi.h"

class CZanVBList;
class CZanVarBind;

class HOST_API CScoutProcessedData : public CZanObject {
public:
    CScoutProcessedData();
    ~CScoutProcessedData() override;

    // Takes the record over. Returns 1.
    int SPDAddLocalNbr(CZanVBList* nbr);
    // Keeps a copy of the key (which stays the caller's) and takes the record
    // over. Returns 1.
    int SPDAddRemoteNbr(CZanVarBind* key, CZanVBList* nbr);

    int SPDLocalNbrCount() const { return static_cast<int>(m_Local.size()); }
    const CZanVBList* SPDLocalNbr(int position) const { return m_Local[position]; }
    int SPDRemoteNbrCount() const { return static_cast<int>(m_Remote.size()); }
    const CZanVarBind* SPDRemoteNbrKey(int position) const { return m_Remote[position].key; }
    const CZanVBList* SPDRemoteNbr(int position) const { return m_Remote[position].record; }

private:
    struct RemoteNbr {
        CZanVarBind* key;
        CZanVBList* record;
    };
    std::vector<CZanVBList*> m_Local;
    std::vector<RemoteNbr> m_Remote;
};
