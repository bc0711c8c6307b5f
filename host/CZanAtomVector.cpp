#include "CZanAtomVector.h"

#include <cstddef>

#include "CZanAtom.h"

CZanAtomVector::CZanAtomVector(int sizeHint) {
    if (sizeHint > 0)
        m_Atoms.reserve(static_cast<size_t>(sizeHint));
}

CZanAtomVector::~CZanAtomVector() {
    for (CZanAtom* atom : m_Atoms)
        delete atom;
}

void CZanAtomVector::ZAVAddToEnd(CZanAtom* atom) {
    m_Atoms.push_back(atom);
}

CZanAtom* CZanAtomVector::ZAVGetValue(int position) const {
    if (position < 0 || position >= ZAVSize())
        return nullptr;
    return m_Atoms[static_cast<size_t>(position)];
}
