// "show clns interface": protocol flag, circuit type and levels of one
// interface, read from router output as IOS prints it.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CScoutCiscoClnsInterface.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "EndPointRecord.h"
#include "HostFixture.h"

using quillon_test::DebugLevel;
using quillon_test::EndPointRecord;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;
using quillon_test::TraceLines;
using quillon_test::WithCrLf;

namespace {

const char* const kCommand = "show clns interface";

// A router with a LAN, a serial link, a frame-relay sub-interface, an
// ISO-IGRP interface and a loopback.
const std::string kRouterOutput = R"(FastEthernet0/0 is up, line protocol is up
  Checksums enabled, MTU 1497, Encapsulation SAP
  ERPDUs enabled, min. interval 10 msec.
  CLNS fast switching enabled
  CLNS SSE switching disabled
  DEC compatibility mode OFF for this interface
  Next ESH/ISH in 8 seconds
  Routing Protocol: IS-IS
    Circuit Type: level-1-2
    Interface number 0x0, local circuit ID 0x1
    Level-1 Metric: 10, Priority: 64, Circuit ID: r1.01
    DR ID: r1.01
    Level-1 IPv6 Metric: 10
    Number of active level-1 adjacencies: 1
    Level-2 Metric: 10, Priority: 64, Circuit ID: r1.01
    DR ID: r1.01
    Level-2 IPv6 Metric: 10
    Number of active level-2 adjacencies: 1
    Next IS-IS LAN Level-1 Hello in 2 seconds
    Next IS-IS LAN Level-2 Hello in 1 seconds
Serial1/0 is up, line protocol is up
  Checksums enabled, MTU 1500, Encapsulation HDLC
  ERPDUs enabled, min. interval 10 msec.
  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled
  Congestion Experienced bit set at 4 packets
  CLNS fast switching enabled
  CLNS SSE switching disabled
  DEC compatibility mode OFF for this interface
  Next ESH/ISH in 42 seconds
  Routing Protocol: IS-IS
    Circuit Type: level-1-2
    Interface number 0x1, local circuit ID 0x100
    Neighbor System-ID: r2
    Level-1 Metric: 20, Priority: 64, Circuit ID: r2.00
    Number of active level-1 adjacencies: 1
    Level-2 Metric: 30, Priority: 63, Circuit ID: r2.00
    Number of active level-2 adjacencies: 1
    Next IS-IS Hello in 4 seconds
    if state UP
Serial1/0.100 is up, line protocol is up
  Checksums enabled, MTU 1500, Encapsulation FRAME-RELAY
  ERPDUs enabled, min. interval 10 msec.
  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled
  Congestion Experienced bit set at 4 packets
  CLNS fast switching enabled
  CLNS SSE switching disabled
  DEC compatibility mode OFF for this interface
  Next ESH/ISH in 13 seconds
  Routing Protocol: IS-IS
    Circuit Type: level-2-only
    Interface number 0x2, local circuit ID 0x101
    Neighbor System-ID: r3
    Level-2 Metric: 40, Priority: 64, Circuit ID: r3.00
    Number of active level-2 adjacencies: 1
    Next IS-IS Hello in 6 seconds
    if state UP
Ethernet1/0 is up, line protocol is up
  Checksums enabled, MTU 1497, Encapsulation SAP
  ERPDUs enabled, min. interval 10 msec.
  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled
  Congestion Experienced bit set at 4 packets
  CLNS fast switching enabled
  CLNS SSE switching disabled
  DEC compatibility mode OFF for this interface
  Next ESH/ISH in 19 seconds
  Routing Protocol: ISO-IGRP
    Routing Domain/Area: <49.0002> <0001>
Loopback0 is up, line protocol is up
  Checksums enabled, MTU 1514, Encapsulation LOOPBACK
  ERPDUs enabled, min. interval 10 msec.
  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled
  Congestion Experienced bit set at 4 packets
  CLNS fast switching disabled
  CLNS SSE switching disabled
  DEC compatibility mode OFF for this interface
  Next ESH/ISH in 27 seconds
  Routing Protocol: IS-IS
    Circuit Type: level-1-2
    Interface number 0x4, local circuit ID 0x103
    Level-1 Metric: 0, Priority: 64, Circuit ID: r1.00
    Number of active level-1 adjacencies: 0
    Next IS-IS Hello in 3 seconds
    if state UP
)";

const char* const kFresh = "{m_ISISEnabled=0; m_LevelData=[]}";

std::string LevelRecord(const char* type, int metric, int priority, const char* circuitId) {
    return std::string("{m_LevelType=\"") + type + "\"; m_Metric=" + std::to_string(metric) +
           "; m_Priority=" + std::to_string(priority) + "; m_CircuitID=\"" + circuitId + "\"}";
}

std::string IsisRecord(const char* circuitType, const std::vector<std::string>& levels,
                       bool enabled = true) {
    std::string record = std::string("{m_ISISEnabled=") + (enabled ? "1" : "0") +
                         "; m_CircuitType=\"" + circuitType + "\"; m_LevelData=[";
    for (size_t i = 0; i < levels.size(); ++i)
        record += (i ? ", " : "") + levels[i];
    return record + "]}";
}

// Obtains the output from a router answering `output` and parses it for
// `name` into `endPoint`.
void Parse(const std::string& output, std::string name, CScoutCiscoProtocolEndPoint& endPoint) {
    LabRouter router;
    router.Answer(kCommand, output);
    CScoutCiscoClnsInterface collector;
    ASSERT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    collector.ParseData(name, &endPoint);
    EXPECT_TRUE(router.Errors().empty());
}

std::string ParsedRecord(const std::string& output, const std::string& name) {
    CScoutCiscoProtocolEndPoint endPoint;
    Parse(output, name, endPoint);
    return EndPointRecord(endPoint);
}

// Applies text replacements; each must find its text.
std::string Edited(std::string text,
                   const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits) {
        std::string::size_type at = text.find(from);
        EXPECT_NE(at, std::string::npos) << "edit does not apply: " << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
    }
    return text;
}

std::string CaseName(const char* what) {
    std::string name;
    for (const char* p = what; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

// --- Every interface of a real router output, with LF and CR LF ends ---

struct RouterCase {
    const char* name;
    std::string record;
};

class ClnsInterfaceRouter
    : public testing::TestWithParam<std::tuple<RouterCase, bool /* CR LF */>> {};

TEST_P(ClnsInterfaceRouter, FillsTheEndPointOfTheNamedInterface) {
    const auto& [row, crlf] = GetParam();
    EXPECT_EQ(ParsedRecord(crlf ? WithCrLf(kRouterOutput) : kRouterOutput, row.name), row.record);
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, ClnsInterfaceRouter,
    testing::Combine(
        testing::Values(
            RouterCase{"FastEthernet0/0",
                       IsisRecord("level-1-2", {LevelRecord("Level-1", 10, 64, "r1.01"),
                                                LevelRecord("Level-2", 10, 64, "r1.01")})},
            RouterCase{"Serial1/0",
                       IsisRecord("level-1-2", {LevelRecord("Level-1", 20, 64, "r2.00"),
                                                LevelRecord("Level-2", 30, 63, "r2.00")})},
            RouterCase{"Serial1/0.100", IsisRecord("level-2-only", {})},
            RouterCase{"Ethernet1/0", kFresh},
            RouterCase{"Loopback0",
                       IsisRecord("level-1-2", {LevelRecord("Level-1", 0, 64, "r1.00")})},
            RouterCase{"Serial2/0", kFresh}),
        testing::Bool()),
    [](const auto& info) {
        return CaseName(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_CrLf" : "_Lf");
    });

// --- One section edited: optional, missing, extra and reordered lines ---

const std::string kSection = R"(Serial2/0 is up, line protocol is up
  Checksums enabled, MTU 1500, Encapsulation PPP
  ERPDUs enabled, min. interval 10 msec.
  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled
  Congestion Experienced bit set at 4 packets
  CLNS fast switching enabled
  CLNS SSE switching disabled
  DEC compatibility mode OFF for this interface
  Next ESH/ISH in 33 seconds
  Routing Protocol: IS-IS
    Circuit Type: level-1-2
    Interface number 0x5, local circuit ID 0x104
    Level-1 Metric: 15, Priority: 70, Circuit ID: r4.00
    DR ID: r4.00
    Level-1 IPv6 Metric: 15
    Number of active level-1 adjacencies: 1
    Level-2 Metric: 25, Priority: 71, Circuit ID: r4-b_x.00
    DR ID: r4.00
    Level-2 IPv6 Metric: 25
    Number of active level-2 adjacencies: 1
    Next IS-IS Hello in 5 seconds
    if state UP
Loopback1 is up, line protocol is up
)";

const char* const kLevel2Block = "    Level-2 Metric: 25, Priority: 71, Circuit ID: r4-b_x.00\n"
                                 "    DR ID: r4.00\n"
                                 "    Level-2 IPv6 Metric: 25\n"
                                 "    Number of active level-2 adjacencies: 1\n";

struct SectionCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> edits;
    std::string record;
};

const std::string kBothLevels =
    IsisRecord("level-1-2", {LevelRecord("Level-1", 15, 70, "r4.00"),
                             LevelRecord("Level-2", 25, 71, "r4-b_x.00")});
const std::string kLevel1Only = IsisRecord("level-1-2", {LevelRecord("Level-1", 15, 70, "r4.00")});

class ClnsInterfaceSection : public testing::TestWithParam<SectionCase> {};

TEST_P(ClnsInterfaceSection, ReadsWhatThePatternAllows) {
    const std::string output = Edited(kSection, GetParam().edits);
    EXPECT_EQ(ParsedRecord(output, "Serial2/0"), GetParam().record);
    EXPECT_EQ(ParsedRecord(WithCrLf(output), "Serial2/0"), GetParam().record) << "CR LF";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ClnsInterfaceSection,
    testing::Values(
        SectionCase{"every optional line", {}, kBothLevels},
        SectionCase{"no RDPDUs line",
                    {{"  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n", ""}},
                    kBothLevels},
        SectionCase{"no Congestion line",
                    {{"  Congestion Experienced bit set at 4 packets\n", ""}},
                    kBothLevels},
        SectionCase{"no RDPDUs nor Congestion line",
                    {{"  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n", ""},
                     {"  Congestion Experienced bit set at 4 packets\n", ""}},
                    kBothLevels},
        SectionCase{"no DR ID lines",
                    {{"    DR ID: r4.00\n", ""}, {"    DR ID: r4.00\n", ""}},
                    kBothLevels},
        SectionCase{"no IPv6 metric lines",
                    {{"    Level-1 IPv6 Metric: 15\n", ""}, {"    Level-2 IPv6 Metric: 25\n", ""}},
                    kBothLevels},
        SectionCase{"administratively down",
                    {{"is up, line protocol is up", "is administratively down, line protocol is "
                                                    "down"}},
                    kBothLevels},
        SectionCase{"Level-1 only", {{kLevel2Block, ""}}, kLevel1Only},
        SectionCase{"line between level-1 adjacencies and Level-2",
                    {{"    Number of active level-1 adjacencies: 1\n",
                      "    Number of active level-1 adjacencies: 1\n"
                      "    Level-1 Hello padding enabled\n"}},
                    kLevel1Only},
        SectionCase{"DR ID after the IPv6 metric",
                    {{"    DR ID: r4.00\n    Level-1 IPv6 Metric: 15\n",
                      "    Level-1 IPv6 Metric: 15\n    DR ID: r4.00\n"}},
                    IsisRecord("level-1-2", {})},
        SectionCase{"upper-case circuit id",
                    {{"Circuit ID: r4.00\n", "Circuit ID: R4.00\n"}},
                    IsisRecord("level-1-2", {})},
        SectionCase{"circuit type level-1",
                    {{"Circuit Type: level-1-2", "Circuit Type: level-1"}},
                    IsisRecord("level-1", {})},
        SectionCase{"circuit type level-2-only",
                    {{"Circuit Type: level-1-2", "Circuit Type: level-2-only"}},
                    IsisRecord("level-2-only", {})},
        SectionCase{"protocol other than IS-IS",
                    {{"Routing Protocol: IS-IS", "Routing Protocol: ISO-IGRP"}},
                    IsisRecord("level-1-2",
                               {LevelRecord("Level-1", 15, 70, "r4.00"),
                                LevelRecord("Level-2", 25, 71, "r4-b_x.00")},
                               false)},
        SectionCase{"no CLNS SSE line", {{"  CLNS SSE switching disabled\n", ""}}, kFresh},
        SectionCase{"CLNS fast and SSE lines swapped",
                    {{"  CLNS fast switching enabled\n  CLNS SSE switching disabled\n",
                      "  CLNS SSE switching disabled\n  CLNS fast switching enabled\n"}},
                    kFresh},
        SectionCase{"extra line after ERPDUs",
                    {{"  ERPDUs enabled, min. interval 10 msec.\n",
                      "  ERPDUs enabled, min. interval 10 msec.\n  CLNS cost 10\n"}},
                    kFresh},
        SectionCase{
            "line between protocol and circuit type",
            {{"  Routing Protocol: IS-IS\n", "  Routing Protocol: IS-IS\n    Area 49.0001\n"}},
            kFresh},
        SectionCase{"lower-case protocol word",
                    {{"Routing Protocol: IS-IS", "Routing Protocol: is-is"}},
                    kFresh}),
    [](const auto& info) { return CaseName(info.param.what); });

// --- Where the parse starts and what it keeps ---

TEST(ClnsInterfaceTail, NameThatEndsAnotherNameReadsBothSectionsInOrder) {
    std::string fast = Edited(
        kSection, {{"Serial2/0", "FastEthernet0"}, {"Loopback1 is up, line protocol is up\n", ""}});
    std::string plain = Edited(
        kSection, {{"Serial2/0", "Ethernet0"},
                   {"Level-1 Metric: 15, Priority: 70", "Level-1 Metric: 16, Priority: 80"},
                   {"Level-2 Metric: 25, Priority: 71", "Level-2 Metric: 26, Priority: 81"}});
    std::string plainLevel1 = Edited(plain, {{"Circuit Type: level-1-2", "Circuit Type: level-1"}});

    const std::string fastLevels[] = {LevelRecord("Level-1", 15, 70, "r4.00"),
                                      LevelRecord("Level-2", 25, 71, "r4-b_x.00")};
    const std::string plainLevels[] = {LevelRecord("Level-1", 16, 80, "r4.00"),
                                       LevelRecord("Level-2", 26, 81, "r4-b_x.00")};
    struct Row {
        const char* what;
        std::string output;
        const char* name;
        std::string record;
    } rows[] = {
        {"tail first in the output", fast + plain, "Ethernet0",
         IsisRecord("level-1-2", {fastLevels[0], fastLevels[1], plainLevels[0], plainLevels[1]})},
        {"tail last in the output", plain + fast, "Ethernet0",
         IsisRecord("level-1-2", {plainLevels[0], plainLevels[1], fastLevels[0], fastLevels[1]})},
        {"later section overwrites the circuit type", fast + plainLevel1, "Ethernet0",
         IsisRecord("level-1", {fastLevels[0], fastLevels[1]})},
        {"longer name reads only its own section", fast + plain, "FastEthernet0",
         IsisRecord("level-1-2", {fastLevels[0], fastLevels[1]})},
        {"longer name after the shorter one", plain + fast, "FastEthernet0",
         IsisRecord("level-1-2", {fastLevels[0], fastLevels[1]})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ParsedRecord(row.output, row.name), row.record);
    }
}

TEST(ClnsInterfaceStart, LevelsAreLookedForOnlyAfterTheName) {
    // The level lines of FastEthernet0/0 come before the name; the section
    // of Serial3/0 has none of its own.
    std::string output = kRouterOutput + Edited(kSection, {{"Serial2/0", "Serial3/0"},
                                                           {kLevel2Block, ""},
                                                           {"    Level-1 Metric: 15, Priority: "
                                                            "70, Circuit ID: r4.00\n"
                                                            "    DR ID: r4.00\n"
                                                            "    Level-1 IPv6 Metric: 15\n"
                                                            "    Number of active level-1 "
                                                            "adjacencies: 1\n",
                                                            ""}});
    EXPECT_EQ(ParsedRecord(output, "Serial3/0"), IsisRecord("level-1-2", {}));
}

TEST(ClnsInterfaceStart, NameNotInTheOutputLeavesTheEndPointAsItWas) {
    CScoutCiscoProtocolEndPoint endPoint;
    endPoint.SetISISEnabled(true);
    endPoint.SetCircuitType("level-2-only");
    endPoint.SetSNPA("HDLC");
    Parse(kRouterOutput, "Tunnel0", endPoint);
    EXPECT_EQ(EndPointRecord(endPoint),
              "{m_ISISEnabled=1; m_CircuitType=\"level-2-only\"; m_SNPA=\"HDLC\"; "
              "m_LevelData=[]}");
}

TEST(ClnsInterfaceStart, ProtocolFlagIsClearedByAnotherProtocol) {
    CScoutCiscoProtocolEndPoint endPoint;
    endPoint.SetISISEnabled(true);
    Parse(Edited(kSection, {{"Routing Protocol: IS-IS", "Routing Protocol: ES-IS"},
                            {"Circuit Type: level-1-2", "Circuit Type: level-1"}}),
          "Serial2/0", endPoint);
    EXPECT_EQ(EndPointRecord(endPoint), IsisRecord("level-1", {}, false));
}

TEST(ClnsInterfaceErrors, NameThatBreaksThePatternIsReportedAndChangesNothing) {
    struct Row {
        const char* name;
        bool inOutput; // the report comes before the name is looked for
    } rows[] = {{"Serial1/0(", true}, {"Serial1/0)", true}, {"*Serial1/0", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LabRouter router;
        router.Answer(kCommand, kRouterOutput + (row.inOutput ? std::string(row.name) : "") +
                                    " is up, line protocol is up\n");
        CScoutCiscoClnsInterface collector;
        ASSERT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
        CScoutCiscoProtocolEndPoint endPoint;
        std::string interfaceName = row.name;
        collector.ParseData(interfaceName, &endPoint);
        EXPECT_EQ(EndPointRecord(endPoint), kFresh);
        ASSERT_EQ(router.Errors().size(), 1u);
        const auto& error = router.Errors()[0];
        EXPECT_EQ(error.code, -220439);
        EXPECT_EQ(error.file, "CScoutCiscoClnsInterface");
        EXPECT_EQ(error.line, 190);
        EXPECT_TRUE(error.hasMessage);
        EXPECT_EQ(error.message, "Parsing interface line regex failed");
    }
}

TEST(ClnsInterfaceObtain, AsksTheRouterOnceAndTellsWhetherTextCame) {
    LabRouter answering;
    answering.Answer(kCommand, kRouterOutput);
    CScoutCiscoClnsInterface withText;
    EXPECT_TRUE(withText.ObtainData(answering.Record(), answering.Requester()));
    EXPECT_EQ(answering.Commands(), std::vector<std::string>{kCommand});

    LabRouter silent;
    silent.Reachable();
    CScoutCiscoClnsInterface withoutText;
    EXPECT_FALSE(withoutText.ObtainData(silent.Record(), silent.Requester()));
    EXPECT_EQ(silent.Commands(), std::vector<std::string>{kCommand});
}

// --- Trace ---

TEST(ClnsInterfaceTrace, EachLineAppearsFromItsOwnLevelOn) {
    // Every line of one collector's life with the level it is written at. The
    // section has no Level-2 line: the second level entry is made and freed.
    const std::vector<std::pair<int, std::string>> all = {
        {2, "CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()"},
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
        {2, "leaving CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()"},
    };
    LabRouter router;
    router.Answer(kCommand, Edited(kSection, {{kLevel2Block, ""}}));
    for (int debugLevel = 0; debugLevel <= 4; ++debugLevel) {
        SCOPED_TRACE(debugLevel);
        std::vector<std::string> expected;
        for (const auto& [lineLevel, line] : all)
            if (lineLevel <= debugLevel)
                expected.push_back(line);
        DebugLevel level(debugLevel);
        TraceCapture capture;
        {
            CScoutCiscoClnsInterface collector;
            collector.ObtainData(router.Record(), router.Requester());
            CScoutCiscoProtocolEndPoint endPoint;
            std::string name = "Serial2/0";
            collector.ParseData(name, &endPoint);
        }
        EXPECT_EQ(TraceLines(capture.Take()), expected);
    }
}

} // namespace
