// "show clns interface": protocol flag, circuit type and levels of one
// interface, read from router output as IOS prints it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CScoutCiscoClnsInterface.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "EndPointRecord.h"

using namespace quillon_test;

namespace {

const char* const kFresh = "{m_ISISEnabled=0; m_LevelData=[]}";

// The record of an IS-IS end point with levels written "Level-1 10 64 r1.01".
std::string Isis(const char* circuitType, std::vector<std::string> levels = {},
                 const char* enabled = "1") {
    std::string record = std::string("{m_ISISEnabled=") + enabled + "; m_CircuitType=\"" +
                         circuitType + "\"; m_LevelData=[";
    for (size_t i = 0; i < levels.size(); ++i) {
        std::istringstream in(levels[i]);
        std::string type, metric, priority, circuitId;
        in >> type >> metric >> priority >> circuitId;
        record += std::string(i ? ", " : "") + "{m_LevelType=\"" + type + "\"; m_Metric=" + metric +
                  "; m_Priority=" + priority + "; m_CircuitID=\"" + circuitId + "\"}";
    }
    return record + "]}";
}

std::string Parsed(const std::string& output, const char* name,
                   void (*prepare)(CScoutCiscoProtocolEndPoint&) = nullptr) {
    return ReadBothLineEnds(output, [&](const std::string& text) {
        return ParsedRecord<CScoutCiscoClnsInterface>("show clns interface", text, name, prepare);
    });
}

TEST(ClnsInterface, FillsTheEndPointOfEachInterfaceOfARouter) {
    const std::string output = ReadTestFile("clns-interface-router.txt");
    struct Row {
        const char* name;
        std::string record;
    } rows[] = {
        {"FastEthernet0/0", Isis("level-1-2", {"Level-1 10 64 r1.01", "Level-2 10 64 r1.01"})},
        {"Serial1/0", Isis("level-1-2", {"Level-1 20 64 r2.00", "Level-2 30 63 r2.00"})},
        {"Serial1/0.100", Isis("level-2-only")},
        {"Ethernet1/0", kFresh}, // ISO-IGRP: no circuit type line
        {"Loopback0", Isis("level-1-2", {"Level-1 0 64 r1.00"})},
        {"Serial2/0", kFresh}, // not in the output
    };
    for (const Row& row : rows)
        EXPECT_EQ(Parsed(output, row.name), row.record) << row.name;
}

std::string Section() {
    return ReadTestFile("clns-interface-section.txt");
}
const char* const kLevel1 = "Level-1 15 70 r4.00";
const char* const kLevel2 = "Level-2 25 71 r4-b_x.00";
const char* const kLevel2Block = "    Level-2 Metric: 25, Priority: 71, Circuit ID: r4-b_x.00\n"
                                 "    DR ID: r4.00\n"
                                 "    Level-2 IPv6 Metric: 25\n"
                                 "    Number of active level-2 adjacencies: 1\n";

TEST(ClnsInterface, ReadsWhatThePatternsAllowInOneSection) {
    struct Row {
        const char* what;
        Edits edits;
        std::string record;
    } rows[] = {
        {"every optional line", {}, Isis("level-1-2", {kLevel1, kLevel2})},
        {"no RDPDUs nor Congestion line",
         {{"  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n", ""},
          {"  Congestion Experienced bit set at 4 packets\n", ""}},
         Isis("level-1-2", {kLevel1, kLevel2})},
        {"no DR ID nor IPv6 metric lines",
         {{"    DR ID: r4.00\n", ""},
          {"    DR ID: r4.00\n", ""},
          {"    Level-1 IPv6 Metric: 15\n", ""},
          {"    Level-2 IPv6 Metric: 25\n", ""}},
         Isis("level-1-2", {kLevel1, kLevel2})},
        {"administratively down",
         {{"is up, line protocol is up", "is administratively down, line protocol is down"}},
         Isis("level-1-2", {kLevel1, kLevel2})},
        {"Level-1 only", {{kLevel2Block, ""}}, Isis("level-1-2", {kLevel1})},
        {"protocol other than IS-IS",
         {{"Routing Protocol: IS-IS", "Routing Protocol: ISO-IGRP"}},
         Isis("level-1-2", {kLevel1, kLevel2}, "0")},
        {"circuit type level-1", {{"Type: level-1-2", "Type: level-1"}}, Isis("level-1")},
        {"DR ID after the IPv6 metric",
         {{"    DR ID: r4.00\n    Level-1 IPv6 Metric: 15\n",
           "    Level-1 IPv6 Metric: 15\n    DR ID: r4.00\n"}},
         Isis("level-1-2")},
        {"upper-case circuit id", {{"ID: r4.00\n", "ID: R4.00\n"}}, Isis("level-1-2")},
        {"CLNS fast and SSE lines swapped",
         {{"  CLNS fast switching enabled\n  CLNS SSE switching disabled\n",
           "  CLNS SSE switching disabled\n  CLNS fast switching enabled\n"}},
         kFresh},
        {"extra line after ERPDUs", {{"10 msec.\n", "10 msec.\n  CLNS cost 10\n"}}, kFresh},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Parsed(Edited(Section(), row.edits), "Serial2/0"), row.record) << row.what;
}

TEST(ClnsInterface, ReadsEverySectionTheNameFindsInOutputOrder) {
    const std::string fast = Edited(Section(), {{"Serial2/0", "FastEthernet0"},
                                                {"Loopback1 is up, line protocol is up\n", ""}});
    const std::string plain =
        Edited(Section(), {{"Serial2/0", "Ethernet0"},
                           {"Metric: 15, Priority: 70", "Metric: 16, Priority: 80"},
                           {"Metric: 25, Priority: 71", "Metric: 26, Priority: 81"}});
    const std::string plainLevel1 = Edited(plain, {{"Type: level-1-2", "Type: level-1"}});
    EXPECT_EQ(
        Parsed(fast + plain, "Ethernet0"),
        Isis("level-1-2", {kLevel1, kLevel2, "Level-1 16 80 r4.00", "Level-2 26 81 r4-b_x.00"}));
    EXPECT_EQ(Parsed(fast + plainLevel1, "Ethernet0"), Isis("level-1", {kLevel1, kLevel2}));
    EXPECT_EQ(Parsed(plain + fast, "FastEthernet0"), Isis("level-1-2", {kLevel1, kLevel2}));
}

TEST(ClnsInterface, LooksForLevelsOnlyAfterTheName) {
    // FastEthernet0/0's level lines come before the name; Serial3/0 has none.
    EXPECT_EQ(Parsed(ReadTestFile("clns-interface-router.txt") +
                         Edited(Section(), {{"Serial2/0", "Serial3/0"},
                                            {"    Level-1 Metric: 15, Priority: 70, Circuit "
                                             "ID: r4.00\n",
                                             ""}}),
                     "Serial3/0"),
              Isis("level-1-2"));
}

TEST(ClnsInterface, OverwritesOnlyWhatASectionGives) {
    auto filled = [](CScoutCiscoProtocolEndPoint& endPoint) {
        endPoint.SetISISEnabled(true);
        endPoint.SetCircuitType("level-2-only");
        endPoint.SetSNPA("HDLC");
    };
    EXPECT_EQ(Parsed(Section(), "Tunnel0", filled),
              "{m_ISISEnabled=1; m_CircuitType=\"level-2-only\"; m_SNPA=\"HDLC\"; m_LevelData=[]}");
    EXPECT_EQ(Parsed(Edited(Section(), {{"Protocol: IS-IS", "Protocol: ES-IS"},
                                        {"Type: level-1-2", "Type: level-1"}}),
                     "Serial2/0", filled),
              "{m_ISISEnabled=0; m_CircuitType=\"level-1\"; m_SNPA=\"HDLC\"; m_LevelData=[]}");
}

TEST(ClnsInterface, NameThatBreaksThePatternIsReportedBeforeItIsLookedFor) {
    for (const char* name : {"Serial1/0(", "*Serial1/0"})
        EXPECT_EQ(Parsed("Serial1/0( is up\n" + Section(), name),
                  std::string(kFresh) +
                      "-220439 CScoutCiscoClnsInterface:190 Parsing interface line regex failed\n")
            << name;
}

TEST(ClnsInterface, TracesEachLineFromItsLevelOn) {
    // No Level-2 line: the second level entry is made and freed.
    LabRouter router;
    router.Answer("show clns interface", Edited(Section(), {{kLevel2Block, ""}}));
    ExpectTraceByLevel({{2, "CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()"},
                        {2, "leaving CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()"},
                        {3, "CScoutCiscoClnsInterface::ObtainData"},
                        {2, "CScoutCiscoProtocolEndPoint::CScoutCiscoProtocolEndPoint("},
                        {3, "Entering into CScoutCiscoClnsInterface::ParseData"},
                        {4, " protocolStr = IS-IS"},
                        {4, " circuitTypeStr = level-1-2"},
                        {2, "CScoutCiscoLevelData::CScoutCiscoLevelData("},
                        {4, " i= 0"},
                        {4, " levelType = Level-1"},
                        {4, " metric = 15"},
                        {4, " priority = 70"},
                        {4, " circuitId = r4.00"},
                        {2, "CScoutCiscoLevelData::CScoutCiscoLevelData("},
                        {4, " i= 7"},
                        {2, "CScoutCiscoLevelData::~CScoutCiscoLevelData()"},
                        {2, "CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint()"},
                        {2, "CScoutCiscoLevelData::~CScoutCiscoLevelData()"},
                        {2, "CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()"},
                        {2, "leaving CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()"}},
                       [&] {
                           CScoutCiscoClnsInterface collector;
                           collector.ObtainData(router.Record(), router.Requester());
                           CScoutCiscoProtocolEndPoint endPoint;
                           std::string name = "Serial2/0";
                           collector.ParseData(name, &endPoint);
                       });
}

} // namespace
