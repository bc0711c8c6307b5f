#include "CScoutProcessedData.h"

#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"

namespace {

CZanVBList* CopyList(const CZanVBList& list);
CZanVarBind* CopyVarBind(const CZanVarBind& vb);

CZanAtom* CopyAtom(const CZanAtom& atom) {
    switch (atom.ZAType()) {
    case ZAN_STRING:
        return new CZanAtom(atom.ZAText());
    case ZAN_INTEGER:
        return new CZanAtom(atom.ZAInteger());
    case ZAN_VBLIST:
        return new CZanAtom(atom.ZAList() != nullptr ? CopyList(*atom.ZAList())
                                                     : static_cast<CZanVBList*>(nullptr));
    case ZAN_VECTOR: {
        const CZanAtomVector* source = atom.ZAVector();
        if (source == nullptr)
            return new CZanAtom(static_cast<CZanAtomVector*>(nullptr));
        auto* copy = new CZanAtomVector(source->ZAVSize());
        for (int i = 0; i < source->ZAVSize(); ++i) {
            const CZanAtom* element = source->ZAVGetValue(i);
            copy->ZAVAddToEnd(element != nullptr ? CopyAtom(*element) : nullptr);
        }
        return new CZanAtom(copy);
    }
    case ZAN_NULL:
        break;
    }
    return new CZanAtom();
}

CZanVBList* CopyList(const CZanVBList& list) {
    auto* copy = new CZanVBList();
    for (int i = 0; i < list.ZVBLSize(); ++i) {
        const CZanVarBind* vb = list.ZVBLGet(i);
        copy->ZVBLAddToListEnd(vb != nullptr ? CopyVarBind(*vb) : nullptr);
    }
    return copy;
}

CZanVarBind* CopyVarBind(const CZanVarBind& vb) {
    const char* name = vb.ZVBName().c_str();
    switch (vb.ZVBKind()) {
    case CZanVarBind::VB_INTEGER:
        return new CZanVarBind(name, vb.ZVBInteger());
    case CZanVarBind::VB_STRING:
        return new CZanVarBind(name, vb.ZVBString());
    case CZanVarBind::VB_ATOM:
        break;
    }
    CZanAtom* atom = vb.ZVBAtom() != nullptr ? CopyAtom(*vb.ZVBAtom()) : nullptr;
    return new CZanVarBind(name, &atom);
}

} // namespace

CScoutProcessedData::CScoutProcessedData() = default;

CScoutProcessedData::~CScoutProcessedData() {
    for (CZanVBList* record : m_Local)
        delete record;
    for (RemoteNbr& remote : m_Remote) {
        delete remote.key;
        delete remote.record;
    }
}

int CScoutProcessedData::SPDAddLocalNbr(CZanVBList* nbr) {
    m_Local.push_back(nbr);
    return 1;
}

int CScoutProcessedData::SPDAddRemoteNbr(CZanVarBind* key, CZanVBList* nbr) {
    m_Remote.push_back(RemoteNbr{key != nullptr ? CopyVarBind(*key) : nullptr, nbr});
    return 1;
}
