// The IS-IS device filter and the interface list it reads from
// "show clns protocol".
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CScoutCiscoInterface.h"
#include "CScoutEntityJournal.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_probe::Count;
using quillon_probe::Lines;
using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

const char* const kShowClnsProtocol = "show clns protocol";

const InterfaceNameSet* StoredNames(LabRouter& router) {
    return static_cast<const InterfaceNameSet*>(
        router.MediationData().SMDGetDataPtr("isisInterfaces"));
}

std::vector<std::string> StoredNameList(LabRouter& router) {
    const InterfaceNameSet* names = StoredNames(router);
    return names ? std::vector<std::string>(names->begin(), names->end())
                 : std::vector<std::string>();
}

// The set is the mediation data's until the process layer takes it; tests
// that stop after the filter free it here.
void FreeStoredNames(LabRouter& router) {
    delete static_cast<InterfaceNameSet*>(
        router.MediationData().SMDRemoveDataPtr("isisInterfaces"));
}

std::string Protocol(const std::string& interfaceLines) {
    return "IS-IS Router: <Null Tag>\n"
           "  System Id: 0000.0000.0001.00  IS-Type: level-1-2\n"
           "  Interfaces supported by IS-IS:\n" +
           interfaceLines;
}

} // namespace

// ---------------------------------------------------------------------------
// Records the host should never hand over, and routers that say nothing.

TEST(MediationFilter, NullRecordIsRefusedBeforeAnythingIsAsked) {
    LabRouter router;
    router.Answer(kShowClnsProtocol, isis_router::kShowClnsProtocol);
    QuillonAgentProbe probe(router.Requester());

    EXPECT_FALSE(probe.Filter(nullptr));

    ASSERT_EQ(router.Errors().size(), 1u);
    EXPECT_EQ(router.Errors()[0].code, -220439);
    EXPECT_EQ(router.Errors()[0].file, "CScoutQuillonAgent");
    EXPECT_EQ(router.Errors()[0].line, 169);
    EXPECT_TRUE(router.Errors()[0].hasMessage);
    EXPECT_EQ(router.Errors()[0].message, " ne is null - this should NEVER happen");
    EXPECT_TRUE(router.Commands().empty());
}

TEST(MediationFilter, RecordWithoutMediationDataRunsNoCommand) {
    LabRouter router;
    router.Answer(kShowClnsProtocol, isis_router::kShowClnsProtocol);
    QuillonAgentProbe probe(router.Requester());
    // Same device, but the host gave this record no mediation data.
    CScoutEntityJournal journal;
    CScoutProcessedData pd;
    CZanRecord bare("R1");
    bare.ZRAttach(nullptr, &pd, &journal);

    EXPECT_FALSE(probe.Filter(&bare));

    ASSERT_EQ(router.Errors().size(), 1u);
    EXPECT_EQ(router.Errors()[0].code, -220402);
    EXPECT_EQ(router.Errors()[0].file, "CScoutQuillonAgent");
    EXPECT_EQ(router.Errors()[0].line, 179);
    EXPECT_FALSE(router.Errors()[0].hasMessage);
    EXPECT_TRUE(journal.SEJCommands().empty());
}

TEST(MediationFilter, RouterThatGivesNoTextPassesWithoutInterfaceSet) {
    LabRouter silent("R1");
    silent.Reachable();
    LabRouter unreachable("R2");
    for (LabRouter* router : {&silent, &unreachable}) {
        QuillonAgentProbe probe(router->Requester());
        EXPECT_TRUE(probe.Filter(&router->Record()));
        EXPECT_EQ(router->Commands(), std::vector<std::string>{kShowClnsProtocol});
        EXPECT_TRUE(router->MediationData().SMDKeys().empty());
        EXPECT_TRUE(router->Errors().empty());
    }
}

// ---------------------------------------------------------------------------
// What the list holds.

TEST(MediationFilter, OutputWithoutTagDropsRouterQuietly) {
    LabRouter router;
    router.Answer(kShowClnsProtocol, "IP-RIP Router: <none>\n  Distance: 120\n");
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(4);
    TraceCapture capture;

    EXPECT_FALSE(probe.Filter(&router.Record()));

    const std::string trace = capture.Take();
    EXPECT_EQ(Count(trace, " 2 ParseData: entryPtr = NULL"), 1);
    EXPECT_EQ(trace.find("Unable to parse ISIS interfaces from:"), std::string::npos);
    EXPECT_TRUE(router.MediationData().SMDKeys().empty());
    EXPECT_TRUE(router.Errors().empty());
}

TEST(MediationFilter, UnparsableListIsReportedWithWholeOutput) {
    const std::string output = "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n";
    LabRouter router;
    router.Answer(kShowClnsProtocol, output);
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(1);
    TraceCapture capture;

    EXPECT_FALSE(probe.Filter(&router.Record()));

    EXPECT_EQ(capture.Take(), "Entering into CScoutQuillonAgent::SADoMediationFilter \n"
                              "Entering into CScoutCiscoInterface::ObtainData \n"
                              "Entering into CScoutCiscoInterface::ParseData\n"
                              "Unable to parse ISIS interfaces from:\n" +
                                  output + "\n");
    EXPECT_TRUE(router.MediationData().SMDKeys().empty());
}

TEST(MediationFilter, NamesAreStoredInByteOrderEachOnce) {
    LabRouter router;
    router.Answer(kShowClnsProtocol, Protocol("        Serial1/0 - OSI - IP\n"
                                              "        Loopback0 - IP\n"
                                              "        Ethernet0/1 - OSI\n"
                                              "        Serial1/0 - OSI - IP\n"
                                              "        ethernet2/0 - IP\n"));
    QuillonAgentProbe probe(router.Requester());

    EXPECT_TRUE(probe.Filter(&router.Record()));

    EXPECT_EQ(StoredNameList(router),
              (std::vector<std::string>{"Ethernet0/1", "Loopback0", "Serial1/0", "ethernet2/0"}));
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"isisInterfaces"});
    EXPECT_EQ(router.Commands(), std::vector<std::string>{kShowClnsProtocol});
    FreeStoredNames(router);
}

// The trace of an accepted router, level by level.
struct FilterTraceCase {
    int level;
    std::vector<std::string> lines;
};

void PrintTo(const FilterTraceCase& c, std::ostream* out) {
    *out << "level " << c.level;
}

class MediationFilterTrace : public testing::TestWithParam<FilterTraceCase> {};

TEST_P(MediationFilterTrace, WritesItsLinesFromTheirLevelOn) {
    const std::string output = Protocol("        Serial1/0 - OSI - IP\n"
                                        "        Ethernet0/0 - IP\n");
    LabRouter router;
    router.Answer(kShowClnsProtocol, output);
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(GetParam().level);
    TraceCapture capture;

    EXPECT_TRUE(probe.Filter(&router.Record()));

    std::vector<std::string> expected = GetParam().lines;
    if (GetParam().level >= 4) {
        // The entry point trace shows the output from the tag on, which
        // ends in its own line end.
        const std::string fromTag = output.substr(output.find("Interfaces supported"));
        std::vector<std::string> entry = Lines(" 2 ParseData: entryPtr = " + fromTag + "\n");
        expected.insert(expected.begin() + 3, entry.begin(), entry.end());
    }
    EXPECT_EQ(Lines(capture.Take()), expected);
    FreeStoredNames(router);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, MediationFilterTrace,
    testing::Values(FilterTraceCase{0, {}},
                    FilterTraceCase{1,
                                    {"Entering into CScoutQuillonAgent::SADoMediationFilter ",
                                     "Entering into CScoutCiscoInterface::ObtainData ",
                                     "Entering into CScoutCiscoInterface::ParseData"}},
                    FilterTraceCase{3,
                                    {"Entering into CScoutQuillonAgent::SADoMediationFilter ",
                                     "Entering into CScoutCiscoInterface::ObtainData ",
                                     "Entering into CScoutCiscoInterface::ParseData"}},
                    FilterTraceCase{4,
                                    {"Entering into CScoutQuillonAgent::SADoMediationFilter ",
                                     "Entering into CScoutCiscoInterface::ObtainData ",
                                     "Entering into CScoutCiscoInterface::ParseData",
                                     // the entry point lines go here
                                     "isisInterface is Serial1/0",
                                     "isisInterface is Ethernet0/0"}}));

// ---------------------------------------------------------------------------
// Shapes of the interface list.

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

TEST_P(InterfaceListShape, YieldsTheListedNames) {
    LabRouter router;
    router.Answer(kShowClnsProtocol, GetParam().output);
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(1);
    TraceCapture capture;

    EXPECT_EQ(probe.Filter(&router.Record()), !GetParam().names.empty());

    EXPECT_EQ(StoredNameList(router), GetParam().names);
    EXPECT_EQ(capture.Take().find("Unable to parse ISIS interfaces from:") != std::string::npos,
              GetParam().reportedUnparsable);
    EXPECT_TRUE(router.Errors().empty());
    FreeStoredNames(router);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, InterfaceListShape,
    testing::Values(
        ListShape{"FullRouterOutput",
                  isis_router::kShowClnsProtocol,
                  {"Ethernet0/0", "Serial1/0"},
                  false},
        ListShape{"CrLfLineEnds",
                  quillon_probe::WithCrLf(isis_router::kShowClnsProtocol),
                  {"Ethernet0/0", "Serial1/0"},
                  false},
        ListShape{"TabIndentedEntries",
                  Protocol("\tSerial0 - IP\n\tTokenRing0 - OSI\n"),
                  {"Serial0", "TokenRing0"},
                  false},
        ListShape{"SameInterfaceListedTwice",
                  Protocol("        Serial1/0 - OSI - IP\n        Serial1/0 - OSI - IP\n"),
                  {"Serial1/0"},
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
                  false}),
    [](const testing::TestParamInfo<ListShape>& info) { return info.param.name; });
