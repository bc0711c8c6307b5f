// The protocol end point and its levels: what the record holds, in which
// order and of which kind, and who frees the level entries.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

#include "CScoutCiscoLevelData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "EndPointRecord.h"
#include "HostFixture.h"

using quillon_test::CountLines;
using quillon_test::DebugLevel;
using quillon_test::EndPointRecord;
using quillon_test::TraceCapture;
using quillon_test::TraceLines;

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

} // namespace

TEST(ProtocolEndPointRecord, FreshEndPointHoldsFlagAndEmptyLevelVector) {
    CScoutCiscoProtocolEndPoint endPoint;
    EXPECT_EQ(EndPointRecord(endPoint), "{m_ISISEnabled=0; m_LevelData=[]}");
}

TEST(ProtocolEndPointRecord, FullEndPointHoldsEveryFieldInOrder) {
    CScoutCiscoProtocolEndPoint endPoint;
    // Set in an order unlike the record's, which must not matter.
    endPoint.SetSNPA("HDLC");
    endPoint.SetLSPTransmitInterval(33);
    endPoint.AddLevelData(Level("Level-1", 10, 64, "r2.01"));
    endPoint.SetL2CSNPTransmitInterval(20);
    endPoint.SetL1CSNPTransmitInterval(10);
    endPoint.SetCircuitType("level-1-2");
    endPoint.SetISISEnabled(true);
    endPoint.AddLevelData(Level("Level-2", 20, 65, "r2.02"));

    const std::string expected =
        "{m_ISISEnabled=1; m_CircuitType=\"level-1-2\"; m_L1CSNPTransmitInterval=10; "
        "m_L2CSNPTransmitInterval=20; m_LSPTransmitInterval=33; m_SNPA=\"HDLC\"; "
        "m_LevelData=[{m_LevelType=\"Level-1\"; m_Metric=10; m_Priority=64; "
        "m_CircuitID=\"r2.01\"}, {m_LevelType=\"Level-2\"; m_Metric=20; m_Priority=65; "
        "m_CircuitID=\"r2.02\"}]}";
    EXPECT_EQ(EndPointRecord(endPoint), expected);
    // Rendering copies: a second record is the same and the levels stay.
    EXPECT_EQ(EndPointRecord(endPoint), expected);
}

struct SparseCase {
    const char* what;
    void (*fill)(CScoutCiscoProtocolEndPoint&);
    const char* record;
};

class ProtocolEndPointSparse : public testing::TestWithParam<SparseCase> {};

TEST_P(ProtocolEndPointSparse, UnsetValuesStayOutOfTheRecord) {
    CScoutCiscoProtocolEndPoint endPoint;
    GetParam().fill(endPoint);
    EXPECT_EQ(EndPointRecord(endPoint), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ProtocolEndPointSparse,
    testing::Values(
        SparseCase{"flag cleared again",
                   [](CScoutCiscoProtocolEndPoint& ep) {
                       ep.SetISISEnabled(true);
                       ep.SetISISEnabled(false);
                   },
                   "{m_ISISEnabled=0; m_LevelData=[]}"},
        SparseCase{"level-2 CSNP only",
                   [](CScoutCiscoProtocolEndPoint& ep) { ep.SetL2CSNPTransmitInterval(7); },
                   "{m_ISISEnabled=0; m_L2CSNPTransmitInterval=7; m_LevelData=[]}"},
        SparseCase{"intervals set back to 0 and empty texts",
                   [](CScoutCiscoProtocolEndPoint& ep) {
                       ep.SetL1CSNPTransmitInterval(5);
                       ep.SetL1CSNPTransmitInterval(0);
                       ep.SetLSPTransmitInterval(0);
                       ep.SetCircuitType("");
                       ep.SetSNPA("");
                   },
                   "{m_ISISEnabled=0; m_LevelData=[]}"},
        SparseCase{"negative interval is not unset",
                   [](CScoutCiscoProtocolEndPoint& ep) { ep.SetLSPTransmitInterval(-1); },
                   "{m_ISISEnabled=0; m_LSPTransmitInterval=-1; m_LevelData=[]}"},
        SparseCase{
            "level entry with nothing set keeps all four values",
            [](CScoutCiscoProtocolEndPoint& ep) { ep.AddLevelData(new CScoutCiscoLevelData()); },
            "{m_ISISEnabled=0; m_LevelData=[{m_LevelType=\"\"; m_Metric=0; "
            "m_Priority=0; m_CircuitID=\"\"}]}"},
        SparseCase{"circuit type and SNPA only",
                   [](CScoutCiscoProtocolEndPoint& ep) {
                       ep.SetSNPA("PPP");
                       ep.SetCircuitType("level-2-only");
                   },
                   "{m_ISISEnabled=0; m_CircuitType=\"level-2-only\"; m_SNPA=\"PPP\"; "
                   "m_LevelData=[]}"}),
    [](const testing::TestParamInfo<SparseCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(ProtocolEndPointLifetime, EachLevelEntryIsFreedOnceWithTheEndPoint) {
    DebugLevel level(2);
    TraceCapture capture;
    {
        CScoutCiscoProtocolEndPoint endPoint;
        endPoint.AddLevelData(Level("Level-1", 1, 2, "a"));
        endPoint.AddLevelData(Level("Level-2", 3, 4, "b"));
        endPoint.AddLevelData(Level("Level-2", 5, 6, "c"));
    }
    const std::vector<std::string> expected = {
        "CScoutCiscoProtocolEndPoint::CScoutCiscoProtocolEndPoint(",
        "CScoutCiscoLevelData::CScoutCiscoLevelData(",
        "CScoutCiscoLevelData::CScoutCiscoLevelData(",
        "CScoutCiscoLevelData::CScoutCiscoLevelData(",
        "CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint()",
        "CScoutCiscoLevelData::~CScoutCiscoLevelData()",
        "CScoutCiscoLevelData::~CScoutCiscoLevelData()",
        "CScoutCiscoLevelData::~CScoutCiscoLevelData()",
    };
    EXPECT_EQ(TraceLines(capture.Take()), expected);
}

TEST(ProtocolEndPointTrace, LinesAppearFromTheirOwnLevelOn) {
    struct Row {
        int level;
        int constructions;
        int renderings;
    };
    for (Row row : {Row{0, 0, 0}, Row{1, 0, 0}, Row{2, 1, 0}, Row{3, 1, 1}, Row{4, 1, 1}}) {
        SCOPED_TRACE(row.level);
        DebugLevel level(row.level);
        TraceCapture capture;
        {
            CScoutCiscoProtocolEndPoint endPoint;
            EndPointRecord(endPoint);
        }
        std::string trace = capture.Take();
        EXPECT_EQ(CountLines(trace, "CScoutCiscoProtocolEndPoint::CScoutCiscoProtocolEndPoint("),
                  row.constructions);
        EXPECT_EQ(CountLines(trace, "CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint()"),
                  row.constructions);
        EXPECT_EQ(CountLines(trace, "SCPE::GeneratePEData()"), row.renderings);
        EXPECT_EQ(TraceLines(trace).size(),
                  static_cast<size_t>(2 * row.constructions + row.renderings));
    }
}
