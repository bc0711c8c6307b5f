// One IS-IS level of an interface: level word, metric, priority, circuit id.
#pragma once

#include <string>

class CZanVBList;

class CScoutCiscoLevelData {
public:
    CScoutCiscoLevelData();
    ~CScoutCiscoLevelData();
    CScoutCiscoLevelData(const CScoutCiscoLevelData&) = delete;
    CScoutCiscoLevelData& operator=(const CScoutCiscoLevelData&) = delete;

    void SetLevelType(const std::string& levelType) { m_LevelType = levelType; }
    void SetMetric(int metric) { m_Metric = metric; }
    void SetPriority(int priority) { m_Priority = priority; }
    void SetCircuitID(const std::string& circuitId) { m_CircuitID = circuitId; }

private:
    friend class CScoutCiscoProtocolEndPoint; // renders the level records

    void AddLevelTypeToList(CZanVBList* list) const;
    void AddMetricToList(CZanVBList* list) const;
    void AddPriorityToList(CZanVBList* list) const;
    void AddCircuitIDToList(CZanVBList* list) const;

    std::string m_LevelType;
    int m_Metric;
    int m_Priority;
    std::string m_CircuitID;
};
