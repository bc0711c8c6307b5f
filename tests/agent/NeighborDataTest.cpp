// "show isis neighbors detail": the SNPA word of the L1 neighbour, UP on
// circuit 01, seen on one interface.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "CScoutCiscoNeighborData.h"
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

const char* const kCommand = "show isis neighbors detail";

// IOS leaves two blanks after the SNPA of a serial neighbour.
const std::string kNeighbors = R"(
System Id      Type Interface   IP Address      State Holdtime Circuit Id
r2             L1   Se0/0       10.1.2.2        UP    27       01
  Area Address(es): 49.0001
  SNPA: *HDLC*  
  State Changed: 00:12:31
  Format: Phase V
r2             L2   Se0/0       10.1.2.2        UP    26       01
  Area Address(es): 49.0001
  SNPA: *PPP*  
  State Changed: 00:12:31
  Format: Phase V
r3             L1L2 Se0/1       10.1.3.2        UP    25       01
  Area Address(es): 49.0001
  SNPA: *PPP*  
  State Changed: 00:02:11
  Format: Phase V
r4             L1   Se0/2       10.1.4.2        INIT  29       01
  Area Address(es): 49.0001
  SNPA: *HDLC*  
  State Changed: 00:00:03
  Format: Phase V
r5             L1   Se0/3       10.1.5.2        UP    24       02
  Area Address(es): 49.0001
  SNPA: *HDLC*  
  State Changed: 00:05:41
  Format: Phase V
r6             L1   Fa1/0       10.2.1.6        UP    9        r6.01
  Area Address(es): 49.0001
  SNPA: 0050.0c12.3456
  State Changed: 00:22:04
  LAN Priority: 64
  Format: Phase V
r7             L1   Se2/0:0     10.1.7.2        UP    28       01
  Area Address(es): 49.0001
  SNPA: *FR*  
  State Changed: 01:02:03
  Format: Phase V
)";

const char* const kNothing = "{m_ISISEnabled=0; m_LevelData=[]}";

std::string SnpaRecord(const char* snpa) {
    return std::string("{m_ISISEnabled=0; m_SNPA=\"") + snpa + "\"; m_LevelData=[]}";
}

std::string ParsedRecord(const std::string& output, const std::string& name) {
    LabRouter router;
    router.Answer(kCommand, output);
    CScoutCiscoNeighborData collector;
    EXPECT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    CScoutCiscoProtocolEndPoint endPoint;
    std::string interfaceName = name;
    collector.ParseData(interfaceName, &endPoint);
    EXPECT_TRUE(router.Errors().empty());
    return EndPointRecord(endPoint);
}

struct NameCase {
    const char* name;
    std::string record;
};

class NeighborDataInterface
    : public testing::TestWithParam<std::tuple<NameCase, bool /* CR LF */>> {};

TEST_P(NeighborDataInterface, TakesTheSnpaOfTheQualifyingNeighbour) {
    const auto& [row, crlf] = GetParam();
    EXPECT_EQ(ParsedRecord(crlf ? WithCrLf(kNeighbors) : kNeighbors, row.name), row.record);
}

INSTANTIATE_TEST_SUITE_P(
    Interfaces, NeighborDataInterface,
    testing::Combine(testing::Values(NameCase{"Serial0/0", SnpaRecord("HDLC")},
                                     // Substring test: 0/0 is inside the longer name too.
                                     NameCase{"Serial1/0/0", SnpaRecord("HDLC")},
                                     NameCase{"Serial0/1", kNothing},       // L1L2
                                     NameCase{"Serial0/2", kNothing},       // INIT
                                     NameCase{"Serial0/3", kNothing},       // circuit id 02
                                     NameCase{"FastEthernet1/0", kNothing}, // LAN circuit id
                                     NameCase{"Serial2/0:0", SnpaRecord("FR")},
                                     NameCase{"Serial3/0", kNothing}),
                     testing::Bool()),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(std::get<0>(info.param).name))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name + (std::get<1>(info.param) ? "_CrLf" : "_Lf");
    });

struct OutputCase {
    const char* what;
    std::string output;
    std::string record;
};

class NeighborDataOutput : public testing::TestWithParam<OutputCase> {};

TEST_P(NeighborDataOutput, ReadsSerial00) {
    EXPECT_EQ(ParsedRecord(GetParam().output, "Serial0/0"), GetParam().record);
}

const char* const kHeaderLine =
    "System Id      Type Interface   IP Address      State Holdtime Circuit Id\n";
const char* const kHdlcEntry = "r2             L1   Se0/0       10.1.2.2        UP    27       01\n"
                               "  Area Address(es): 49.0001\n"
                               "  SNPA: *HDLC*  \n";
const char* const kPppEntry = "r9             L1   Se0/0       10.1.9.2        UP    21       01\n"
                              "  Area Address(es): 49.0001\n"
                              "  SNPA: *PPP*  \n";

INSTANTIATE_TEST_SUITE_P(
    Outputs, NeighborDataOutput,
    testing::Values(
        OutputCase{"later entry wins",
                   std::string(kHeaderLine) + kHdlcEntry + "  State Changed: 00:12:31\n" +
                       kPppEntry + "  State Changed: 00:01:10\n",
                   SnpaRecord("PPP")},
        // The tail of a match takes the next line, so an entry right after
        // another one is not seen.
        OutputCase{"entries back to back", std::string(kHeaderLine) + kHdlcEntry + kPppEntry,
                   SnpaRecord("HDLC")},
        OutputCase{"neighbour line first in the output",
                   std::string(kHdlcEntry) + "  State Changed: 00:12:31\n", kNothing},
        OutputCase{"neighbour line second in the output", std::string("\n") + kHdlcEntry,
                   SnpaRecord("HDLC")},
        OutputCase{"only CR line ends",
                   "System Id      Type Interface   IP Address      State Holdtime Circuit Id\r"
                   "r2             L1   Se0/0       10.1.2.2        UP    27       01\r"
                   "  Area Address(es): 49.0001\r"
                   "  SNPA: *HDLC*  \r",
                   kNothing},
        OutputCase{"first line ends in CR LF, the rest in CR",
                   "System Id      Type Interface   IP Address      State Holdtime Circuit Id\r\n"
                   "r2             L1   Se0/0       10.1.2.2        UP    27       01\r"
                   "  Area Address(es): 49.0001\r"
                   "  SNPA: *HDLC*  \r",
                   SnpaRecord("HDLC")},
        OutputCase{"SNPA line without a trailing blank",
                   std::string(kHeaderLine) +
                       "r2             L1   Se0/0       10.1.2.2        UP    27       01\n"
                       "  Area Address(es): 49.0001\n"
                       "  SNPA: *HDLC*\n"
                       "  State Changed: 00:12:31\n",
                   kNothing},
        OutputCase{"SNPA line without a trailing blank before a blank line",
                   std::string(kHeaderLine) +
                       "r2             L1   Se0/0       10.1.2.2        UP    27       01\n"
                       "  Area Address(es): 49.0001\n"
                       "  SNPA: *HDLC*\n\n",
                   SnpaRecord("HDLC")},
        OutputCase{"upper-case system id still fits by its tail",
                   std::string(kHeaderLine) +
                       "R2             L1   Se0/0       10.1.2.2        UP    27       01\n"
                       "  Area Address(es): 49.0001\n"
                       "  SNPA: *HDLC*  \n",
                   SnpaRecord("HDLC")},
        OutputCase{"no area line",
                   std::string(kHeaderLine) +
                       "r2             L1   Se0/0       10.1.2.2        UP    27       01\n"
                       "  SNPA: *HDLC*  \n"
                       "  State Changed: 00:12:31\n",
                   kNothing},
        OutputCase{"empty table", std::string("\n") + kHeaderLine, kNothing}),
    [](const testing::TestParamInfo<OutputCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(NeighborDataKeep, SnpaSetEarlierStaysWhenNoEntryQualifies) {
    LabRouter router;
    router.Answer(kCommand, kNeighbors);
    CScoutCiscoNeighborData collector;
    ASSERT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    CScoutCiscoProtocolEndPoint endPoint;
    endPoint.SetSNPA("ATM");
    std::string name = "Serial0/1";
    collector.ParseData(name, &endPoint);
    EXPECT_EQ(EndPointRecord(endPoint), SnpaRecord("ATM"));
}

TEST(NeighborDataObtain, AsksTheRouterAndTellsWhetherTextCame) {
    LabRouter answering;
    answering.Answer(kCommand, kNeighbors);
    CScoutCiscoNeighborData withText;
    EXPECT_TRUE(withText.ObtainData(answering.Record(), answering.Requester()));
    EXPECT_EQ(answering.Commands(), std::vector<std::string>{kCommand});

    LabRouter silent;
    silent.Reachable();
    CScoutCiscoNeighborData withoutText;
    EXPECT_FALSE(withoutText.ObtainData(silent.Record(), silent.Requester()));
}

TEST(NeighborDataTrace, EachLineAppearsFromItsOwnLevelOn) {
    const std::string pattern =
        "System Id      Type Interface IP Address      State Holdtime Circuit Id[\r\n]"
        "[[:space:]]*[a-z0-9_]+[[:space:]]+L1[[:space:]]+[A-Za-z]+([0-9/:]+)[[:space:]]+[0-9.]+"
        "[[:space:]]+UP[[:space:]]+[0-9]+[[:space:]]+01[\r\n]"
        "[[:space:]]+Area.*:[[:space:]]+[0-9.]+[\r\n]"
        "[[:space:]]+SNPA:[[:space:]]+\\*([A-Z]+)\\*[[:space:]]+[\r\n].*";
    // Traced lines, each with its level; the pattern line holds a CR and LF
    // of its own and so splits into three lines.
    const std::vector<std::pair<int, std::string>> all = {
        {2, "CScoutCiscoNeighborData::CScoutCiscoNeighborData()"},
        {2, "leaving CScoutCiscoNeighborData::CScoutCiscoNeighborData()"},
        {3, "CScoutCiscoNeighborData::ObtainData"},
        {1, "Entering into CScoutCiscoNeighborData::ParseData"},
        {4, " isisInterface = Serial1/0/0"},
        {4, " 2 ParseData: neighborPattern = " + pattern},
        {4, " interfaceStr = 0/0"},
        {4, " snpaStr = HDLC"},
        {4, " interfaceStr = 2/0:0"},
        {4, " snpaStr = FR"},
        {2, "CScoutCiscoNeighborData::~CScoutCiscoNeighborData()"},
        {2, "leaving CScoutCiscoNeighborData::~CScoutCiscoNeighborData()"},
    };
    LabRouter router;
    router.Answer(kCommand, kNeighbors);
    for (int debugLevel = 0; debugLevel <= 4; ++debugLevel) {
        SCOPED_TRACE(debugLevel);
        std::string expected;
        for (const auto& [lineLevel, line] : all)
            if (lineLevel <= debugLevel)
                expected += line + "\n";
        CScoutCiscoProtocolEndPoint endPoint;
        DebugLevel level(debugLevel);
        TraceCapture capture;
        {
            CScoutCiscoNeighborData collector;
            collector.ObtainData(router.Record(), router.Requester());
            std::string name = "Serial1/0/0";
            collector.ParseData(name, &endPoint);
        }
        EXPECT_EQ(capture.Take(), expected);
    }
}

} // namespace
