#include "CScoutCiscoPseudoNodeLSP.h"

#include "CZanAtom.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "QuillonTrace.h"

CScoutCiscoPseudoNodeLSP::CScoutCiscoPseudoNodeLSP() : m_GeneratedPseudoNodeLSP(), m_LevelType() {
    QuillonTrace::Line(2, "CScoutCiscoPseudoNodeLSP::CScoutCiscoPseudoNodeLSP(");
}

CScoutCiscoPseudoNodeLSP::~CScoutCiscoPseudoNodeLSP() {
    QuillonTrace::Line(2, "CScoutCiscoPseudoNodeLSP::~CScoutCiscoPseudoNodeLSP()");
}

CZanAtom* CScoutCiscoPseudoNodeLSP::GeneratePseudoNodeLSPData() const {
    QuillonTrace::Line(3, "GeneratePseudoNodeLSPData()");
    CZanVBList* list = new CZanVBList();
    AddGeneratedPseudoNodeLSPToList(list);
    AddLevelTypeToList(list);
    CZanAtom* atom = new CZanAtom(list);
    QuillonTrace::Line(3, "leaving GeneratePseudoNodeLSPData()");
    return atom;
}

void CScoutCiscoPseudoNodeLSP::AddGeneratedPseudoNodeLSPToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_GeneratedPseudoNodeLSP", m_GeneratedPseudoNodeLSP));
}

void CScoutCiscoPseudoNodeLSP::AddLevelTypeToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_LevelType", m_LevelType));
}
