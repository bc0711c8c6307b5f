#include "CZanTreeList.h"

#include "CZanDoubleList.h"
#include "CZanPointer.h"

CZanTreeList::CZanTreeList(bool allowDuplicates) : m_AllowDuplicates(allowDuplicates) {}

CZanTreeList::~CZanTreeList() {
    delete m_Iterator;
    for (auto& entry : m_Entries)
        delete entry.second;
}

int CZanTreeList::ZTLAdd(int key, void* data) {
    if (!m_AllowDuplicates && m_Entries.count(key) != 0)
        return 0;
    // A multimap inserts an equal key after those already there, so entries
    // under one key keep the order they were added in.
    m_Entries.emplace(key, new CZanPointer(data));
    return 1;
}

CZanPointer* CZanTreeList::ZTLGet(int key) const {
    auto found = m_Entries.lower_bound(key);
    if (found == m_Entries.end() || found->first != key)
        return nullptr;
    return found->second;
}

CZanDoubleList* CZanTreeList::ZTLIterator() {
    delete m_Iterator;
    m_Iterator = new CZanDoubleList(false);
    for (auto& entry : m_Entries)
        m_Iterator->ZDLAddToEnd(entry.second);
    return m_Iterator;
}
