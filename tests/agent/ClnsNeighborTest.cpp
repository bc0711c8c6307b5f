// The CLNS IS-neighbour collector: which neighbour blocks of
// "show clns is-neighbors detail" become adjacencies, and how the
// connectivity map orders them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoConnectivity.h"
#include "EndPointRecord.h"
#include "TestFiles.h"

using namespace quillon_test;

namespace {

const char* const kCommand = "show clns is-neighbors detail";

// Runs the collector on `output` and returns the map's entries in map order
// as key|system id|interface|type|area|address, freeing them.
std::vector<std::string> Collect(const std::string& output) {
    LabRouter router;
    router.Answer(kCommand, output);
    CScoutCiscoClnsNeighbor collector;
    EXPECT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    ConnectivityMap map;
    collector.ParseData(&map);
    std::vector<std::string> entries;
    for (auto& [key, e] : map) {
        entries.push_back(key + "|" + e->GetSystemId() + "|" + e->GetInterface() + "|" +
                          e->GetConnectivityType() + "|" + e->GetAreaId() + "|" +
                          e->GetIPAddress());
        delete e;
    }
    EXPECT_TRUE(router.Errors().empty());
    return entries;
}

TEST(ClnsNeighbor, MapHoldsTheReadableBlocksByInterfaceInOutputOrder) {
    // Left out: r5 (address without asterisk), r6 (no uptime), r8 (sub-interface).
    const std::string output = ReadTestFile("clns-is-neighbors.txt");
    const std::vector<std::string> all = {"Et0/0|r3|Et0/0|L1|49.0001|10.0.12.3",
                                          "Et0/0|r2|Et0/0|L1L2|49.0001|10.0.12.2",
                                          "Et0/1|core|Et0/1|L2|49.0001|10.0.9.9",
                                          "Gi0/0/1|0000.0c07.ac01|Gi0/0/1|L1|49.0001|10.1.0.1",
                                          "POS2/0:1|pe-1.core_a|POS2/0:1|L2|49.0002|10.1.0.2",
                                          "Se1/0|r4|Se1/0|L2|49.0002|10.0.14.4",
                                          "et0|r7|et0|L1|49.0001|10.0.0.7"};
    EXPECT_EQ(Collect(output), all);
    EXPECT_EQ(Collect(WithCrLf(output)), all) << "CR LF";
    // The first line is never read: r4's row there is lost.
    std::vector<std::string> withoutR4 = all;
    withoutR4.erase(withoutR4.begin() + 5);
    EXPECT_EQ(Collect(output.substr(output.find('\n') + 1)), withoutR4);
    // After a blank first line the heading reads as the row of r4's block.
    std::vector<std::string> headed = withoutR4;
    headed.insert(headed.begin() + 4, "Id|System|Id|State|49.0002|10.0.14.4");
    EXPECT_EQ(Collect("\n" + output), headed);
    EXPECT_EQ(Collect(output.substr(0, output.find('\n') + 1)), std::vector<std::string>{});
}

TEST(ClnsNeighbor, OutputWithoutLineFeedLeavesTheMapEmpty) {
    for (bool answers : {false, true}) {
        LabRouter router;
        router.Reachable();
        if (answers)
            router.Answer(kCommand, "% Invalid input detected");
        DebugLevel level(1);
        TraceCapture capture;
        CScoutCiscoClnsNeighbor collector;
        EXPECT_EQ(collector.ObtainData(router.Record(), router.Requester()), answers);
        ConnectivityMap map;
        collector.ParseData(&map);
        EXPECT_TRUE(map.empty());
        EXPECT_EQ(TraceLines(capture.Take()),
                  (std::vector<std::string>{"Entering into CScoutCiscoClnsNeighbor::ParseData",
                                            std::string("unable to parse CLNS neighbour data: ") +
                                                (answers ? "% Invalid input detected" : "NULL")}));
    }
}

} // namespace
