// The protocol end point: what its record holds, in which order and of which
// kind, and that it frees each of its level entries.
#include <gtest/gtest.h>

#include <string>

#include "CScoutCiscoLevelData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "EndPointRecord.h"

using quillon_test::EndPointRecord;
using quillon_test::ExpectTraceByLevel;

namespace {

CScoutCiscoLevelData* Level(const std::string& type, int metric, int priority,
                            const std::string& circuitId) {
    CScoutCiscoLevelData* level = new CScoutCiscoLevelData();
    level->SetLevelType(type);
    level->SetMetric(metric);
    level->SetPriority(priority);
    level->SetCircuitID(circuitId);
    return level;
}

TEST(ProtocolEndPoint, RecordHoldsTheSetValuesInOrder) {
    CScoutCiscoProtocolEndPoint fresh;
    EXPECT_EQ(EndPointRecord(fresh), "{m_ISISEnabled=0; m_LevelData=[]}");

    CScoutCiscoProtocolEndPoint full; // set in an order unlike the record's
    full.SetSNPA("HDLC");
    full.SetLSPTransmitInterval(33);
    full.AddLevelData(Level("Level-1", 10, 64, "r2.01"));
    full.SetL2CSNPTransmitInterval(20);
    full.SetL1CSNPTransmitInterval(10);
    full.SetCircuitType("level-1-2");
    full.SetISISEnabled(true);
    full.AddLevelData(Level("Level-2", 20, 65, "r2.02"));
    const std::string record =
        "{m_ISISEnabled=1; m_CircuitType=\"level-1-2\"; m_L1CSNPTransmitInterval=10; "
        "m_L2CSNPTransmitInterval=20; m_LSPTransmitInterval=33; m_SNPA=\"HDLC\"; "
        "m_LevelData=[{m_LevelType=\"Level-1\"; m_Metric=10; m_Priority=64; "
        "m_CircuitID=\"r2.01\"}, {m_LevelType=\"Level-2\"; m_Metric=20; m_Priority=65; "
        "m_CircuitID=\"r2.02\"}]}";
    EXPECT_EQ(EndPointRecord(full), record);
    EXPECT_EQ(EndPointRecord(full), record) << "rendered again";

    // 0 and empty texts mean unset; a level entry always shows its four values.
    CScoutCiscoProtocolEndPoint sparse;
    sparse.SetL1CSNPTransmitInterval(5);
    sparse.SetL1CSNPTransmitInterval(0);
    sparse.SetL2CSNPTransmitInterval(-1);
    sparse.SetCircuitType("");
    sparse.SetSNPA("");
    sparse.AddLevelData(new CScoutCiscoLevelData());
    EXPECT_EQ(EndPointRecord(sparse),
              "{m_ISISEnabled=0; m_L2CSNPTransmitInterval=-1; m_LevelData=[{m_LevelType=\"\"; "
              "m_Metric=0; m_Priority=0; m_CircuitID=\"\"}]}");
}

TEST(ProtocolEndPoint, FreesEachLevelEntryOnceAfterItself) {
    ExpectTraceByLevel({{2, "CScoutCiscoProtocolEndPoint::CScoutCiscoProtocolEndPoint("},
                        {2, "CScoutCiscoLevelData::CScoutCiscoLevelData("},
                        {2, "CScoutCiscoLevelData::CScoutCiscoLevelData("},
                        {3, "SCPE::GeneratePEData()"},
                        {2, "CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint()"},
                        {2, "CScoutCiscoLevelData::~CScoutCiscoLevelData()"},
                        {2, "CScoutCiscoLevelData::~CScoutCiscoLevelData()"}},
                       [] {
                           CScoutCiscoProtocolEndPoint endPoint;
                           endPoint.AddLevelData(Level("Level-1", 1, 2, "a"));
                           endPoint.AddLevelData(Level("Level-2", 3, 4, "b"));
                           EndPointRecord(endPoint);
                       });
}

} // namespace
