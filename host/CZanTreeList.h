// A tree of entries keyed by int. Each entry is a CZanPointer to data that
// the tree never owns: deleting the tree frees its entries, not their data.
//
// Threads: a tree serves one thread at a time (ZTLIterator rebuilds the
// tree's own list); trees share nothing.
#pragma once

#include <map>

#include "CZanObject.h"
#include "HostApi.h"

class CZanPointer;
class CZanDoubleList;

class HOST_API CZanTreeList : public CZanObject {
public:
    // allowDuplicates false: a key holds at most one entry.
    explicit CZanTreeList(bool allowDuplicates);
    ~CZanTreeList() override;

    // Returns 1 when the entry was added, 0 when it was refused.
    int ZTLAdd(int key, void* data);
    // The (first) entry under the key, or null.
    CZanPointer* ZTLGet(int key) const;
    int ZTLSize() const { return static_cast<int>(m_Entries.size()); }
    // A list of the entries (CZanPointer) in ascending key order. The tree
    // owns the list; the next call or the tree's destruction frees it.
    CZanDoubleList* ZTLIterator();

private:
    std::multimap<int, CZanPointer*> m_Entries;
    bool m_AllowDuplicates;
    CZanDoubleList* m_Iterator = nullptr;
};
