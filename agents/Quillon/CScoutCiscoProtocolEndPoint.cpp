#include "CScoutCiscoProtocolEndPoint.h"

#include "CScoutCiscoLevelData.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "QuillonTrace.h"

CScoutCiscoProtocolEndPoint::CScoutCiscoProtocolEndPoint()
    : m_ISISEnabled(false), m_CircuitType(), m_L1CSNPTransmitInterval(0),
      m_L2CSNPTransmitInterval(0), m_LSPTransmitInterval(0), m_SNPA(), m_LevelData() {
    QuillonTrace::Line(2, "CScoutCiscoProtocolEndPoint::CScoutCiscoProtocolEndPoint(");
}

CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint() {
    QuillonTrace::Line(2, "CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint()");
    // First to last, each entry leaving the array as it is freed.
    while (!m_LevelData.empty()) {
        CScoutCiscoLevelData* level = m_LevelData.front();
        m_LevelData.erase(m_LevelData.begin());
        delete level;
    }
    m_CircuitType.clear();
    m_SNPA.clear();
}

// Unset values (0, empty text) stay out of the record; the protocol flag is
// always written.

void CScoutCiscoProtocolEndPoint::AddISISEnabledToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_ISISEnabled", m_ISISEnabled ? 1 : 0));
}

void CScoutCiscoProtocolEndPoint::AddCircuitTypeToList(CZanVBList* list) const {
    if (!m_CircuitType.empty())
        list->ZVBLAddToListEnd(new CZanVarBind("m_CircuitType", m_CircuitType));
}

void CScoutCiscoProtocolEndPoint::AddL1CSNPTransmitIntervalToList(CZanVBList* list) const {
    if (m_L1CSNPTransmitInterval != 0)
        list->ZVBLAddToListEnd(
            new CZanVarBind("m_L1CSNPTransmitInterval", m_L1CSNPTransmitInterval));
}

void CScoutCiscoProtocolEndPoint::AddL2CSNPTransmitIntervalToList(CZanVBList* list) const {
    if (m_L2CSNPTransmitInterval != 0)
        list->ZVBLAddToListEnd(
            new CZanVarBind("m_L2CSNPTransmitInterval", m_L2CSNPTransmitInterval));
}

void CScoutCiscoProtocolEndPoint::AddLSPTransmitIntervalToList(CZanVBList* list) const {
    if (m_LSPTransmitInterval != 0)
        list->ZVBLAddToListEnd(new CZanVarBind("m_LSPTransmitInterval", m_LSPTransmitInterval));
}

void CScoutCiscoProtocolEndPoint::AddSNPAToList(CZanVBList* list) const {
    if (!m_SNPA.empty())
        list->ZVBLAddToListEnd(new CZanVarBind("m_SNPA", m_SNPA));
}

CZanAtom* CScoutCiscoProtocolEndPoint::GeneratePEData() const {
    QuillonTrace::Line(3, "SCPE::GeneratePEData()");

    CZanVBList* endPointList = new CZanVBList();
    AddISISEnabledToList(endPointList);
    AddCircuitTypeToList(endPointList);
    AddL1CSNPTransmitIntervalToList(endPointList);
    AddL2CSNPTransmitIntervalToList(endPointList);
    AddLSPTransmitIntervalToList(endPointList);
    AddSNPAToList(endPointList);

    CZanAtomVector* levels = new CZanAtomVector(static_cast<int>(m_LevelData.size()));
    for (size_t i = 0; i < m_LevelData.size(); ++i) {
        const CScoutCiscoLevelData* level = m_LevelData[i];
        CZanVBList* levelList = new CZanVBList();
        level->AddLevelTypeToList(levelList);
        level->AddMetricToList(levelList);
        level->AddPriorityToList(levelList);
        level->AddCircuitIDToList(levelList);
        levels->ZAVAddToEnd(new CZanAtom(levelList));
    }
    CZanAtom* levelsAtom = new CZanAtom(levels);
    endPointList->ZVBLAddToListEnd(new CZanVarBind("m_LevelData", &levelsAtom));

    return new CZanAtom(endPointList);
}
