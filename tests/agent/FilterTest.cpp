// The IS-IS device filter and the interface list it reads from
// "show clns protocol".
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "CScoutCiscoInterface.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"
#include "TestFiles.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

const char* const kCommand = "show clns protocol";

std::string Protocol(const std::string& interfaceLines) {
    return "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n" + interfaceLines;
}

// Takes the set the filter stored, as the process layer would.
std::vector<std::string> TakeNames(LabRouter& router) {
    std::unique_ptr<InterfaceNameSet> names(
        static_cast<InterfaceNameSet*>(router.MediationData().SMDRemoveDataPtr("isisInterfaces")));
    return names ? std::vector<std::string>(names->begin(), names->end())
                 : std::vector<std::string>();
}

} // namespace

TEST(MediationFilter, RouterThatGivesNoTextIsKeptWithoutInterfaceSet) {
    LabRouter silent("R1");
    silent.Reachable();
    LabRouter unreachable("R2");
    for (LabRouter* router : {&silent, &unreachable}) {
        QuillonAgentProbe probe(router->Requester());
        EXPECT_TRUE(probe.Filter(&router->Record()));
        EXPECT_EQ(router->Commands(), std::vector<std::string>{kCommand});
        EXPECT_TRUE(router->MediationData().SMDKeys().empty());
        EXPECT_TRUE(router->Errors().empty());
    }
}

TEST(MediationFilter, TracesEachLineFromItsLevelOn) {
    const std::pair<int, const char*> lines[] = {
        {1, "Entering into CScoutQuillonAgent::SADoMediationFilter "},
        {1, "Entering into CScoutCiscoInterface::ObtainData "},
        {1, "Entering into CScoutCiscoInterface::ParseData"},
        // the output from the tag on, which ends in its own line end
        {4, " 2 ParseData: entryPtr = Interfaces supported by IS-IS:"},
        {4, "        Serial1/0 - OSI - IP"},
        {4, "        Ethernet0/0 - IP"},
        {4, ""},
        {4, "isisInterface is Serial1/0"},
        {4, "isisInterface is Ethernet0/0"}};
    for (int level = 0; level <= 4; ++level) {
        LabRouter router;
        router.Answer(kCommand, Protocol("        Serial1/0 - OSI - IP\n"
                                         "        Ethernet0/0 - IP\n"));
        QuillonAgentProbe probe(router.Requester());
        DebugLevel debug(level);
        TraceCapture capture;

        EXPECT_TRUE(probe.Filter(&router.Record()));

        std::vector<std::string> expected;
        for (const auto& [from, line] : lines)
            if (level >= from)
                expected.push_back(line);
        EXPECT_EQ(quillon_probe::Lines(capture.Take()), expected) << "level " << level;
        TakeNames(router);
    }
}

struct ListShape {
    const char* name;
    std::string output;
    std::vector<std::string> names; // empty: the router is dropped
    bool reportedUnparsable;
};

void PrintTo(const ListShape& shape, std::ostream* out) {
    *out << shape.name;
}

class InterfaceListShape : public testing::TestWithParam<ListShape> {};

TEST_P(InterfaceListShape, YieldsTheNamesInByteOrderEachOnce) {
    const ListShape& shape = GetParam();
    LabRouter router;
    router.Answer(kCommand, shape.output);
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(1);
    TraceCapture capture;

    EXPECT_EQ(probe.Filter(&router.Record()), !shape.names.empty());

    // An unparsable list is reported with the whole output.
    const std::string report = "Unable to parse ISIS interfaces from:\n" + shape.output + "\n";
    EXPECT_EQ(capture.Take().find(report) != std::string::npos, shape.reportedUnparsable);
    EXPECT_EQ(router.MediationData().SMDKeys(), shape.names.empty()
                                                    ? std::vector<std::string>{}
                                                    : std::vector<std::string>{"isisInterfaces"});
    EXPECT_EQ(TakeNames(router), shape.names);
    EXPECT_EQ(router.Commands(), std::vector<std::string>{kCommand});
    EXPECT_TRUE(router.Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, InterfaceListShape,
    testing::Values(
        ListShape{"RouterOutput",
                  isis_router::Output("show-clns-protocol.txt"),
                  {"Ethernet0/0", "Serial1/0"},
                  false},
        ListShape{"CrLfLineEnds",
                  quillon_test::WithCrLf(isis_router::Output("show-clns-protocol.txt")),
                  {"Ethernet0/0", "Serial1/0"},
                  false},
        ListShape{"TabIndented",
                  Protocol("\tSerial0 - IP\n\tTokenRing0 - OSI\n"),
                  {"Serial0", "TokenRing0"},
                  false},
        ListShape{"UnsortedWithDuplicates",
                  Protocol("  Serial1/0 - OSI - IP\n  Loopback0 - IP\n  ethernet2/0 - IP\n"
                           "  Ethernet0/1 - OSI\n  Serial1/0 - OSI - IP\n"),
                  {"Ethernet0/1", "Loopback0", "Serial1/0", "ethernet2/0"},
                  false},
        ListShape{"LineWithoutProtocolMarker",
                  Protocol("        Ethernet0/0 - IP\n        Tunnel0\n        Serial1/0 - OSI\n"),
                  {"Ethernet0/0", "Serial1/0"},
                  false},
        ListShape{"ListEndsTheOutput",
                  "  Interfaces supported by IS-IS:\n        Serial1/0.100 - IP\n"
                  "        Port-channel1 - OSI - IP\n",
                  {"Port-channel1", "Serial1/0.100"},
                  false},
        ListShape{"ListEndsTheOutputWithCrLf",
                  "  Interfaces supported by IS-IS:\r\n        GigabitEthernet0/0/1 - IP\r\n",
                  {"GigabitEthernet0/0/1"},
                  false},
        ListShape{"TagWithNothingAfterIt", Protocol(""), {}, true},
        ListShape{"TagWithoutLineEnd", "  Interfaces supported by IS-IS:", {}, true},
        ListShape{"TagFollowedByOtherSections",
                  Protocol("  Redistribute:\n    static (on by default)\n"),
                  {},
                  false},
        ListShape{"NoTag", "IP-RIP Router: <none>\n  Distance: 120\n", {}, false}),
    [](const testing::TestParamInfo<ListShape>& info) { return info.param.name; });
