// The CLNS IS-neighbour collector: which neighbour blocks of
// "show clns is-neighbors detail" become adjacencies, and how the
// connectivity map orders them.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoConnectivity.h"
#include "EndPointRecord.h"
#include "HostFixture.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;
using quillon_test::TraceLines;
using quillon_test::WithCrLf;

namespace {

const char* const kCommand = "show clns is-neighbors detail";
const std::string kHeading = "System Id      Interface   State  Type Priority  Circuit Id         "
                             "Format\n";

// One neighbour block as IOS prints it; the flags leave out parts of it.
struct Block {
    std::string systemId;
    std::string interfaceName;
    std::string state;
    std::string type;
    std::string area;
    std::string address;
    bool asterisk = true;
    bool uptime = true;
    bool nsf = false;
};

std::string Text(const Block& b) {
    char row[160];
    std::snprintf(row, sizeof row, "%-15s%-12s%-7s%-5s%-10s%-19s%s\n", b.systemId.c_str(),
                  b.interfaceName.c_str(), b.state.c_str(), b.type.c_str(), "64/64",
                  (b.systemId + ".01").c_str(), "Phase V");
    std::string text = row;
    text += "  Area Address(es): " + b.area + "\n";
    text += "  IP Address(es):  " + b.address + (b.asterisk ? "*" : "") + "\n";
    if (b.uptime)
        text += "  Uptime: 00:05:17\n";
    if (b.nsf)
        text += "  NSF capable\n";
    return text;
}

Block Nbr(const std::string& systemId, const std::string& interfaceName, const std::string& type,
          const std::string& area, const std::string& address) {
    Block b;
    b.systemId = systemId;
    b.interfaceName = interfaceName;
    b.state = "Up";
    b.type = type;
    b.area = area;
    b.address = address;
    return b;
}

Block NoAsterisk(Block b) {
    b.asterisk = false;
    return b;
}
Block NoUptime(Block b) {
    b.uptime = false;
    return b;
}
Block Nsf(Block b) {
    b.nsf = true;
    return b;
}
Block State(Block b, const std::string& state) {
    b.state = state;
    return b;
}

std::string Output(const std::string& first, const std::vector<Block>& blocks) {
    std::string text = first;
    for (const Block& b : blocks)
        text += Text(b);
    return text;
}

// An entry as a line: key|system id|interface|type|area|address.
std::string Describe(const std::string& key, const CScoutCiscoConnectivity& e) {
    return key + "|" + e.GetSystemId() + "|" + e.GetInterface() + "|" + e.GetConnectivityType() +
           "|" + e.GetAreaId() + "|" + e.GetIPAddress();
}

// Runs the collector on a router that answers the command with `output`
// and returns the map's entries in map order, then frees the map.
std::vector<std::string> Collect(const std::string& output) {
    LabRouter router;
    router.Answer(kCommand, output);
    CScoutCiscoClnsNeighbor collector;
    EXPECT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    ConnectivityMap map;
    collector.ParseData(&map);
    std::vector<std::string> entries;
    for (auto& [key, entry] : map) {
        entries.push_back(Describe(key, *entry));
        delete entry;
    }
    EXPECT_TRUE(router.Errors().empty());
    return entries;
}

struct NeighborCase {
    const char* name;
    std::string output;
    std::vector<std::string> expected;
};

// Failure messages name the case.
void PrintTo(const NeighborCase& c, std::ostream* out) {
    *out << c.name;
}

class ClnsNeighborParse : public testing::TestWithParam<NeighborCase> {};

TEST_P(ClnsNeighborParse, MapHoldsTheMatchingBlocks) {
    EXPECT_EQ(Collect(GetParam().output), GetParam().expected);
}

const Block r2 = Nbr("r2", "Et0/0", "L1L2", "49.0001", "10.0.12.2");
const Block r3 = Nbr("r3", "Et0/0", "L1", "49.0001", "10.0.12.3");
const Block r4 = Nbr("r4", "Se1/0", "L2", "49.0002", "10.0.14.4");
const Block r5 = Nbr("r5", "Et0/0", "L2", "49.0003", "10.0.12.5");

const std::vector<std::string> kLanAndSerial = {
    "Et0/0|r2|Et0/0|L1L2|49.0001|10.0.12.2",
    "Et0/0|r3|Et0/0|L1|49.0001|10.0.12.3",
    "Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4",
};

INSTANTIATE_TEST_SUITE_P(
    RealOutputs, ClnsNeighborParse,
    testing::Values(
        NeighborCase{"SeveralNeighboursOnOneLanInterface", Output(kHeading, {r2, r3, r4}),
                     kLanAndSerial},
        // Keys in byte order; under one key the order of the output.
        NeighborCase{
            "OneKeyKeepsOutputOrder",
            Output(kHeading, {r4, r3, Nbr("r9", "Et0/1", "L1", "49.0001", "10.0.19.9"), r5, r2}),
            {"Et0/0|r3|Et0/0|L1|49.0001|10.0.12.3", "Et0/0|r5|Et0/0|L2|49.0003|10.0.12.5",
             "Et0/0|r2|Et0/0|L1L2|49.0001|10.0.12.2", "Et0/1|r9|Et0/1|L1|49.0001|10.0.19.9",
             "Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4"}},
        NeighborCase{"CapitalsSortBeforeSmallLetters",
                     Output(kHeading, {Nbr("r2", "et0", "L1", "49.0001", "10.0.0.2"),
                                       Nbr("r3", "Gi0/1", "L1", "49.0001", "10.0.0.3")}),
                     {"Gi0/1|r3|Gi0/1|L1|49.0001|10.0.0.3", "et0|r2|et0|L1|49.0001|10.0.0.2"}},
        NeighborCase{"NsfCapableLinesAreSkipped", Output(kHeading, {Nsf(r2), Nsf(r3), r4}),
                     kLanAndSerial},
        // The NSF line belongs to its block: it does not start one of its
        // own with a neighbour whose name has no digit.
        NeighborCase{
            "NsfLineBeforeLetterOnlyName",
            Output(kHeading, {Nsf(r2), Nbr("core", "Et0/1", "L2", "49.0001", "10.0.9.9")}),
            {"Et0/0|r2|Et0/0|L1L2|49.0001|10.0.12.2", "Et0/1|core|Et0/1|L2|49.0001|10.0.9.9"}},
        NeighborCase{"CrLfLineEnds", WithCrLf(Output(kHeading, {r2, Nsf(r3), r4})), kLanAndSerial},
        NeighborCase{
            "AddressWithoutAsteriskIsNoBlock",
            Output(kHeading, {r2, NoAsterisk(r3), r4}),
            {"Et0/0|r2|Et0/0|L1L2|49.0001|10.0.12.2", "Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4"}},
        NeighborCase{
            "BlockWithoutUptimeIsNoBlock",
            Output(kHeading, {NoUptime(r2), r3, r4}),
            {"Et0/0|r3|Et0/0|L1|49.0001|10.0.12.3", "Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4"}},
        NeighborCase{
            "HexLettersAndPunctuationInIds",
            Output(kHeading, {Nbr("0000.0c07.ac01", "Gi0/0/1", "L1", "49.0001", "10.1.0.1"),
                              Nbr("pe-1.core_a", "POS2/0:1", "L2", "49.0002", "10.1.0.2")}),
            {"Gi0/0/1|0000.0c07.ac01|Gi0/0/1|L1|49.0001|10.1.0.1",
             "POS2/0:1|pe-1.core_a|POS2/0:1|L2|49.0002|10.1.0.2"}},
        // The state class runs from capital A to small z, past the capitals.
        NeighborCase{"StateClassTakesCharactersBetweenZAndA",
                     Output(kHeading, {State(r2, "Init"), State(r3, "Up_^"), r4}), kLanAndSerial},
        // A sub-interface number, a state with a digit, an area with a hex
        // letter: each value lies outside its class.
        NeighborCase{
            "ValuesOutsideTheirClassesAreNoBlocks",
            Output(kHeading, {Nbr("r2", "Et0/0.100", "L1", "49.0001", "10.0.0.2"), State(r3, "Up2"),
                              Nbr("r5", "Et0/0", "L1", "49.000a", "10.0.0.5"), r4}),
            {"Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4"}},
        NeighborCase{"HeadingOnly", kHeading, {}},
        // The first line is never read: a row there is lost.
        NeighborCase{
            "RowOnTheFirstLineIsLost",
            Output("", {r2, r3, r4}),
            {"Et0/0|r3|Et0/0|L1|49.0001|10.0.12.3", "Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4"}},
        // With a blank line first, the column heading is read as a summary
        // row: its words become the first block's ids.
        NeighborCase{
            "HeadingAfterBlankLineTakesTheFirstBlock",
            Output("\n" + kHeading, {r2, r4}),
            {"Id|System|Id|State|49.0001|10.0.12.2", "Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4"}}),
    [](const testing::TestParamInfo<NeighborCase>& info) { return info.param.name; });

TEST(ClnsNeighborCollector, RunsItsCommandOnce) {
    LabRouter router;
    router.Answer(kCommand, Output(kHeading, {r2}));
    CScoutCiscoClnsNeighbor collector;
    EXPECT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    EXPECT_EQ(router.Commands(), std::vector<std::string>{kCommand});
}

struct NoTextCase {
    const char* name;
    bool answers;
    std::string output;
    bool obtained;
    std::string traced;
};

// Failure messages name the case.
void PrintTo(const NoTextCase& c, std::ostream* out) {
    *out << c.name;
}

class ClnsNeighborNoBlocks : public testing::TestWithParam<NoTextCase> {};

// Without a line feed nothing is parsed: the map stays as it was and the
// text (or NULL) is traced at level 1.
TEST_P(ClnsNeighborNoBlocks, MapStaysEmptyAndTextIsTraced) {
    const NoTextCase& c = GetParam();
    LabRouter router;
    if (c.answers)
        router.Answer(kCommand, c.output);
    else
        router.Reachable();
    DebugLevel level(1);
    TraceCapture capture;
    CScoutCiscoClnsNeighbor collector;
    EXPECT_EQ(collector.ObtainData(router.Record(), router.Requester()), c.obtained);
    ConnectivityMap map;
    collector.ParseData(&map);
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(TraceLines(capture.Take()),
              (std::vector<std::string>{"Entering into CScoutCiscoClnsNeighbor::ParseData",
                                        "unable to parse CLNS neighbour data: " + c.traced}));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, ClnsNeighborNoBlocks,
    testing::Values(
        NoTextCase{"NoAnswer", false, "", false, "NULL"},
        NoTextCase{"OneLine", true, "% Invalid input detected", true, "% Invalid input detected"},
        NoTextCase{"CarriageReturnOnly", true, "r2  Et0/0  Up  L1\r", true, "r2  Et0/0  Up  L1\r"}),
    [](const testing::TestParamInfo<NoTextCase>& info) { return info.param.name; });

TEST(ClnsNeighborCollector, TracesEachAdjacencyAndItsFields) {
    LabRouter router;
    router.Answer(kCommand, Output(kHeading, {r2, NoAsterisk(r3), r4}));
    CScoutCiscoClnsNeighbor collector;
    ASSERT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    ConnectivityMap map;
    std::string level3;
    std::string level4;
    {
        DebugLevel level(3);
        TraceCapture capture;
        collector.ParseData(&map);
        level3 = capture.Take();
    }
    for (auto& entry : map)
        delete entry.second;
    map.clear();
    {
        DebugLevel level(4);
        TraceCapture capture;
        collector.ParseData(&map);
        level4 = capture.Take();
    }
    for (auto& entry : map)
        delete entry.second;

    EXPECT_EQ(TraceLines(level3),
              (std::vector<std::string>{
                  "Entering into CScoutCiscoClnsNeighbor::ParseData",
                  "CScoutCiscoConnectivity::CScoutCiscoConnectivity(",
                  "Adding entry to connectivity map for interface Et0/0, Ip 10.0.12.2",
                  "CScoutCiscoConnectivity::CScoutCiscoConnectivity(",
                  "Adding entry to connectivity map for interface Se1/0, Ip 10.0.14.4",
              }));

    const std::string pattern =
        "([a-zA-Z0-9_.\\-]+)[[:space:]]+([A-Za-z0-9\\/:]+)[[:space:]]+[A-za-z]+[[:space:]]+"
        "([a-zA-Z0-9]+).*[\r\n].*"
        "[[:space:]]+Area Address\\(es\\):[[:space:]]+([0-9.]+)[\r\n]"
        "[[:space:]]+IP Address\\(es\\):[[:space:]]+([0-9.]+)\\*[\r\n]"
        "[[:space:]]+Uptime:.*[\r\n]"
        "([[:space:]]+NSF capable[\r\n])?";
    const std::string expected4 = "Entering into CScoutCiscoClnsNeighbor::ParseData\n"
                                  " 2 ParseData: clnsNeighborPattern = " +
                                  pattern +
                                  "\n"
                                  "CScoutCiscoConnectivity::CScoutCiscoConnectivity(\n"
                                  " systemId = r2\n"
                                  " interface = Et0/0\n"
                                  " connectivityType = L1L2\n"
                                  " areaId = 49.0001\n"
                                  " IPAddress = 10.0.12.2\n"
                                  "Adding entry to connectivity map for interface Et0/0, Ip "
                                  "10.0.12.2\n"
                                  "CScoutCiscoConnectivity::CScoutCiscoConnectivity(\n"
                                  " systemId = r4\n"
                                  " interface = Se1/0\n"
                                  " connectivityType = L2\n"
                                  " areaId = 49.0002\n"
                                  " IPAddress = 10.0.14.4\n"
                                  "Adding entry to connectivity map for interface Se1/0, Ip "
                                  "10.0.14.4\n";
    EXPECT_EQ(level4, expected4);
}

TEST(ClnsNeighborCollector, LifetimeTraces) {
    LabRouter router;
    router.Answer(kCommand, "x");
    DebugLevel level(3);
    TraceCapture capture;
    {
        CScoutCiscoClnsNeighbor collector;
        collector.ObtainData(router.Record(), router.Requester());
        CScoutCiscoConnectivity entry;
    }
    EXPECT_EQ(TraceLines(capture.Take()),
              (std::vector<std::string>{
                  "CScoutCiscoClnsNeighbor::CScoutCiscoClnsNeighbor()",
                  "leaving CScoutCiscoClnsNeighbor::CScoutCiscoClnsNeighbor()",
                  "CScoutCiscoClnsNeighbor::ObtainData",
                  "CScoutCiscoConnectivity::CScoutCiscoConnectivity(",
                  "CScoutCiscoConnectivity::~CScoutCiscoConnectivity()",
                  "CScoutCiscoClnsNeighbor::~CScoutCiscoClnsNeighbor()",
                  "leaving CScoutCiscoClnsNeighbor::~CScoutCiscoClnsNeighbor()",
              }));
}

} // namespace
