// Per-entity store that carries data from one layer to the next: agent heap
// objects under string keys, and SNMP walks stored by the host utilities.
//
// Pointer entries are not owned: whoever removes one frees the object. SNMP
// walks are owned and freed with the store.
//
// Threads: a store belongs to one entity and serves one thread at a time.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "CZanObject.h"
#include "HostApi.h"

class CZanDoubleList;

class HOST_API CScoutMediationData : public CZanObject {
public:
    CScoutMediationData();
    ~CScoutMediationData() override;

    // Stores the pointer under the key. Returns 1; returns 0 and changes
    // nothing when the key is already held.
    int SMDAddDataPtr(const char* key, void* data);
    // The pointer under the key, or null; the entry stays.
    void* SMDGetDataPtr(const char* key) const;
    // The pointer under the key, or null; the entry is dropped and the caller
    // owns the object.
    void* SMDRemoveDataPtr(const char* key);

    // Stores an SNMP walk (a list of CZanSnmpVarOp) under the column name and
    // takes it over, replacing any walk or pointer entry of that name.
    void SMDStoreSnmpWalk(const char* key, CZanDoubleList* walk);
    // The walk stored under the key, or null. The store keeps it.
    CZanDoubleList* SMDGetSnmpGetNext(const char* key) const;

    // Every key held, pointer entries and walks alike, in byte order.
    std::vector<std::string> SMDKeys() const;

private:
    std::map<std::string, void*> m_Pointers;
    std::map<std::string, CZanDoubleList*> m_Walks;
};
