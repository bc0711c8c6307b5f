// An ordered list of var binds. It owns every var bind added to it. Names
// may repeat; the list keeps them all, in order.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include <vector>

#include "CZanObject.h"
#include "HostApi.h"

class CZanVarBind;

class HOST_API CZanVBList : public CZanObject {
public:
    CZanVBList();
    ~CZanVBList() override;

    // Appends the var bind and takes it over. Returns 1.
    int ZVBLAddToListEnd(CZanVarBind* vb);
    int ZVBLSize() const { return static_cast<int>(m_VarBinds.size()); }
    // The var bind at a position, or null outside the list.
    const CZanVarBind* ZVBLGet(int position) const;
    // The first var bind of that name, or null.
    const CZanVarBind* ZVBLFind(const char* name) const;

private:
    std::vector<CZanVarBind*> m_VarBinds;
};
