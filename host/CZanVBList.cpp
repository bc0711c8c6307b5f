#include "CZanVBList.h"

#include <cstddef>

#include "CZanVarBind.h"

CZanVBList::CZanVBList() = default;

CZanVBList::~CZanVBList() {
    for (CZanVarBind* vb : m_VarBinds)
        delete vb;
}

int CZanVBList::ZVBLAddToListEnd(CZanVarBind* vb) {
    m_VarBinds.push_back(vb);
    return 1;
}

const CZanVarBind* CZanVBList::ZVBLGet(int position) const {
    if (position < 0 || position >= ZVBLSize())
        return nullptr;
    return m_VarBinds[static_cast<size_t>(position)];
}

const CZanVarBind* CZanVBList::ZVBLFind(const char* name) const {
    if (name == nullptr)
        return nullptr;
    for (const CZanVarBind* vb : m_VarBinds) {
        if (vb != nullptr && vb->ZVBName() == name)
            return vb;
    }
    return nullptr;
}
