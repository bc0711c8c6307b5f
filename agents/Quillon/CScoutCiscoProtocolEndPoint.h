// The IS-IS data of one router interface, and its record.
#pragma once

#include <map>
#include <string>
#include <vector>

class CZanAtom;
class CZanVBList;
class CScoutCiscoLevelData;

class CScoutCiscoProtocolEndPoint {
public:
    CScoutCiscoProtocolEndPoint();
    ~CScoutCiscoProtocolEndPoint();
    CScoutCiscoProtocolEndPoint(const CScoutCiscoProtocolEndPoint&) = delete;
    CScoutCiscoProtocolEndPoint& operator=(const CScoutCiscoProtocolEndPoint&) = delete;

    void SetISISEnabled(bool enabled) { m_ISISEnabled = enabled; }
    void SetCircuitType(const std::string& circuitType) { m_CircuitType = circuitType; }
    void SetL1CSNPTransmitInterval(int interval) { m_L1CSNPTransmitInterval = interval; }
    void SetL2CSNPTransmitInterval(int interval) { m_L2CSNPTransmitInterval = interval; }
    void SetLSPTransmitInterval(int interval) { m_LSPTransmitInterval = interval; }
    void SetSNPA(const std::string& snpa) { m_SNPA = snpa; }
    // Appends a level entry and takes it over.
    void AddLevelData(CScoutCiscoLevelData* level) { m_LevelData.push_back(level); }

    // A new atom wrapping the end point's record; the caller owns it.
    CZanAtom* GeneratePEData() const;

private:
    void AddISISEnabledToList(CZanVBList* list) const;
    void AddCircuitTypeToList(CZanVBList* list) const;
    void AddL1CSNPTransmitIntervalToList(CZanVBList* list) const;
    void AddL2CSNPTransmitIntervalToList(CZanVBList* list) const;
    void AddLSPTransmitIntervalToList(CZanVBList* list) const;
    void AddSNPAToList(CZanVBList* list) const;

    bool m_ISISEnabled;
    std::string m_CircuitType;
    int m_L1CSNPTransmitInterval;
    int m_L2CSNPTransmitInterval;
    int m_LSPTransmitInterval;
    std::string m_SNPA;
    std::vector<CScoutCiscoLevelData*> m_LevelData;
};

// Interface name to its end point, in byte order of the names. The map owns
// its end points.
typedef std::map<std::string, CScoutCiscoProtocolEndPoint*> ProtocolEndPointMap;
