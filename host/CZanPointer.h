// A tree-list entry: a pointer to data the entry does not own.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include "CZanObject.h"
#include "HostApi.h"

class HOST_API CZanPointer : public CZanObject {
public:
    explicit CZanPointer(void* data) : m_Data(data) {}
    ~CZanPointer() override;

    void* ZPData() const { return m_Data; }

private:
    void* m_Data;
};
