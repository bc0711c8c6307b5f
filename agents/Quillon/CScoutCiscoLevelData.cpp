#include "CScoutCiscoLevelData.h"

#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "QuillonTrace.h"

CScoutCiscoLevelData::CScoutCiscoLevelData() : m_LevelType(), m_Metric(0), m_Priority(0) {
    QuillonTrace::Line(2, "CScoutCiscoLevelData::CScoutCiscoLevelData(");
}

CScoutCiscoLevelData::~CScoutCiscoLevelData() {
    QuillonTrace::Line(2, "CScoutCiscoLevelData::~CScoutCiscoLevelData()");
}

// Every level field is written, set or not: a level record always has all four.

void CScoutCiscoLevelData::AddLevelTypeToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_LevelType", m_LevelType));
}

void CScoutCiscoLevelData::AddMetricToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_Metric", m_Metric));
}

void CScoutCiscoLevelData::AddPriorityToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_Priority", m_Priority));
}

void CScoutCiscoLevelData::AddCircuitIDToList(CZanVBList* list) const {
    list->ZVBLAddToListEnd(new CZanVarBind("m_CircuitID", m_CircuitID));
}
