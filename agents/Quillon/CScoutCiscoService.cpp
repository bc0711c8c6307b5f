#include "CScoutCiscoService.h"

#include "CZanAtom.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "QuillonTrace.h"

CScoutCiscoService::CScoutCiscoService()
    : m_AreaID(), m_SystemID(), m_NETAddress(), m_HostName(), m_OverloadBit(false), m_Tag(),
      m_PseudoNodeDIS(false) {
    QuillonTrace::Line(2, "CScoutCiscoService::CScoutCiscoService()");
}

CScoutCiscoService::~CScoutCiscoService() {
    QuillonTrace::Line(2, "CScoutCiscoService::~CScoutCiscoService()");
}

CZanAtom* CScoutCiscoService::GenerateServiceData() const {
    QuillonTrace::Line(3, "GenerateServiceData()");
    CZanVBList* list = new CZanVBList();
    AddAreaIDToList(list);
    AddSystemIDToList(list);
    AddNETAddressToList(list);
    AddHostNameToList(list);
    AddOverloadBitToList(list);
    AddTagToList(list);
    AddPseudoNodeDISToList(list);
    CZanAtom* atom = new CZanAtom(list);
    QuillonTrace::Line(3, "leaving GenerateServiceData()");
    return atom;
}

// Every field is written whether it was found or not: an empty text or 0
// stands for a value the router did not give.

void CScoutCiscoService::AddAreaIDToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_AreaID", m_AreaID));
}

void CScoutCiscoService::AddSystemIDToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_SystemID", m_SystemID));
}

void CScoutCiscoService::AddNETAddressToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_NETAddress", m_NETAddress));
}

void CScoutCiscoService::AddHostNameToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_HostName", m_HostName));
}

void CScoutCiscoService::AddOverloadBitToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_OverloadBit", m_OverloadBit ? 1 : 0));
}

void CScoutCiscoService::AddTagToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_Tag", m_Tag));
}

void CScoutCiscoService::AddPseudoNodeDISToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_PseudoNodeDIS", m_PseudoNodeDIS ? 1 : 0));
}
