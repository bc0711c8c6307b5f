// An ordered vector of atoms. It owns every atom added to it.
//
// Threads: an object serves one thread at a time; objects share nothing.
#pragma once

#include <vector>

#include "CZanObject.h"
#include "HostApi.h"

class CZanAtom;

class HOST_API CZanAtomVector : public CZanObject {
public:
    // sizeHint is the room to reserve; the vector starts empty.
    explicit CZanAtomVector(int sizeHint);
    ~CZanAtomVector() override;

    // Appends the atom and takes it over.
    void ZAVAddToEnd(CZanAtom* atom);
    int ZAVSize() const { return static_cast<int>(m_Atoms.size()); }
    // The atom at a position, or null for a position outside the vector.
    CZanAtom* ZAVGetValue(int position) const;

private:
    std::vector<CZanAtom*> m_Atoms;
};
