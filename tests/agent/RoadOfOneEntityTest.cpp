// One router driven through the four layers as the host drives it, and the
// failures a lab can cause on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_probe::Describe;
using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

// Runs the layers in the host's order; the later ones only when the filter
// keeps the router.
bool Discover(QuillonAgentProbe& probe, LabRouter& router) {
    if (!probe.Filter(&router.Record()))
        return false;
    probe.Mediation(&router.Record());
    probe.Process(&router.Record());
    probe.Relationship(&router.Record());
    return true;
}

// Every remote neighbour as "key -> record", or its key alone.
std::vector<std::string> RemoteNbrs(const CScoutProcessedData& pd, bool withRecord = true) {
    std::vector<std::string> nbrs;
    for (int i = 0; i < pd.SPDRemoteNbrCount(); ++i)
        nbrs.push_back(Describe(pd.SPDRemoteNbrKey(i)) +
                       (withRecord ? " -> " + Describe(pd.SPDRemoteNbr(i)) : ""));
    return nbrs;
}

} // namespace

TEST(RoadOfOneEntity, RouterWithTwoIsisInterfaces) {
    LabRouter router;
    isis_router::WithIfDescr(isis_router::Answer(router));
    // A field the record already carries is replaced, not repeated.
    router.Record().ZRAddOrSetObjectVal("m_ExtraInfo", new CZanVarBind("m_ExtraInfo", "old"));
    QuillonAgentProbe probe(router.Requester());

    ASSERT_TRUE(Discover(probe, router));

    // 1 + 6 + 1 + 5 commands, in this order.
    const std::string perInterface[] = {"show clns interface", "show run",
                                        "show isis neighbors detail"};
    std::vector<std::string> commands = {"show clns protocol"};
    commands.insert(commands.end(), std::begin(perInterface), std::end(perInterface));
    commands.insert(commands.end(), std::begin(perInterface), std::end(perInterface));
    commands.insert(commands.end(), {"show clns is-neighbors detail", "show clns protocol",
                                     "show clns", "show isis hostname | include \\*",
                                     "show isis database | include \\*", "show isis database"});
    EXPECT_EQ(router.Commands(), commands);

    EXPECT_EQ(
        quillon_probe::LocalNbrs(router.ProcessedData()),
        (std::vector<std::string>{
            "{m_IfIndex=1; m_IfDescr=\"Ethernet0/0\"; m_ISISTOPO={m_ProtocolEndPoint={"
            "m_ISISEnabled=1; m_CircuitType=\"level-1-2\"; m_L1CSNPTransmitInterval=10; "
            "m_LSPTransmitInterval=33; m_LevelData=[{m_LevelType=\"Level-1\"; m_Metric=10; "
            "m_Priority=64; m_CircuitID=\"r1.01\"}, {m_LevelType=\"Level-2\"; m_Metric=10; "
            "m_Priority=64; m_CircuitID=\"r1.01\"}]}}}",
            "{m_IfIndex=2; m_IfDescr=\"Serial1/0\"; m_ISISTOPO={m_ProtocolEndPoint={"
            "m_ISISEnabled=1; m_CircuitType=\"level-1-2\"; m_L2CSNPTransmitInterval=20; "
            "m_LSPTransmitInterval=50; m_SNPA=\"HDLC\"; m_LevelData=[{m_LevelType=\"Level-1\"; "
            "m_Metric=20; m_Priority=64; m_CircuitID=\"r5.00\"}, {m_LevelType=\"Level-2\"; "
            "m_Metric=30; m_Priority=64; m_CircuitID=\"r5.00\"}]}}}"}));
    EXPECT_EQ(RemoteNbrs(router.ProcessedData()),
              (std::vector<std::string>{
                  "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.2\"; m_ISISTOPO={m_SystemId=\"r2\"; "
                  "m_Type=\"L1L2\"; m_AreaId=\"49.0001\"}}",
                  "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.3\"; m_ISISTOPO={m_SystemId=\"r3\"; "
                  "m_Type=\"L1\"; m_AreaId=\"49.0001\"}}",
                  "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.4\"; m_ISISTOPO={m_SystemId=\"r4\"; "
                  "m_Type=\"L2\"; m_AreaId=\"49.0002\"}}"}));

    ASSERT_EQ(router.Record().ZRFieldCount(), 1);
    EXPECT_EQ(Describe(router.Record().ZRGetObjectVal("m_ExtraInfo")),
              "m_ISISTOPO={m_Service={m_AreaID=\"49.0001\"; m_SystemID=\"0000.0000.0001.00\"; "
              "m_NETAddress=\"49.0001.0000.0000.0001.00\"; m_HostName=\"r1\"; m_OverloadBit=0; "
              "m_Tag=\"Null Tag\"; m_PseudoNodeDIS=1}; m_PseudoNodeLSP={m_GeneratedPseudoNodeLSP="
              "\"\"; m_LevelType=\"\"}}");
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
    EXPECT_EQ(router.Journal().SEJRelationshipKeys(), std::vector<std::string>{"m_IfIndex"});
    EXPECT_TRUE(router.Errors().empty());
}

// ---------------------------------------------------------------------------
// What a lab can get wrong. Each case differs from r1 in the commands it
// leaves unanswered or in its ifDescr column (none: the walk fails).

using IfDescr = std::vector<std::pair<long long, std::string>>;
const IfDescr kR1IfDescr = {{1, "Ethernet0/0"}, {2, "Serial1/0"}, {3, "Null0"}};

struct LabFault {
    const char* name;
    bool reachable;
    std::set<std::string> silent;
    std::optional<IfDescr> ifDescr;
    size_t commands;
    std::vector<std::string> localNbrs; // "ifIndex name" and the field names after them
    std::vector<std::string> remoteKeys;
    std::vector<std::string> errors;
    const char* traceLine; // at level 3
};

void PrintTo(const LabFault& fault, std::ostream* out) {
    *out << fault.name;
}

std::string Error534(const std::string& interfaceName) {
    return "-220439 CScoutQuillonAgent:534 Unable to find ifIndex for interface " + interfaceName +
           " on entity R1. Interface data ignored.\n";
}

const std::vector<std::string> kR1Remote(3, "m_IfIndex=1");
const std::vector<std::string> kR1Local = {"1 Ethernet0/0 m_ISISTOPO", "2 Serial1/0 m_ISISTOPO"};
const char* const kMissingIfDescr =
    "Missing ifDescr on device R1. Unable to resolve interface data.";

class LabFaultTest : public testing::TestWithParam<LabFault> {};

TEST_P(LabFaultTest, LosesOnlyWhatItMust) {
    const LabFault& fault = GetParam();
    LabRouter router;
    if (fault.reachable)
        isis_router::Answer(router, fault.silent);
    if (fault.ifDescr)
        router.IfDescr(*fault.ifDescr);
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(3);
    TraceCapture capture;

    ASSERT_TRUE(Discover(probe, router));

    const std::vector<std::string> lines = quillon_probe::Lines(capture.Take());
    EXPECT_TRUE(*fault.traceLine == '\0' ||
                std::find(lines.begin(), lines.end(), fault.traceLine) != lines.end());
    EXPECT_EQ(router.Commands().size(), fault.commands);
    std::vector<std::string> local;
    const CScoutProcessedData& pd = router.ProcessedData();
    for (int i = 0; i < pd.SPDLocalNbrCount(); ++i) {
        const CZanVBList* nbr = pd.SPDLocalNbr(i);
        std::string summary = std::to_string(nbr->ZVBLFind("m_IfIndex")->ZVBInteger()) + " " +
                              nbr->ZVBLFind("m_IfDescr")->ZVBString();
        for (int field = 2; field < nbr->ZVBLSize(); ++field)
            summary += " " + nbr->ZVBLGet(field)->ZVBName();
        local.push_back(summary);
    }
    EXPECT_EQ(local, fault.localNbrs);
    EXPECT_EQ(RemoteNbrs(pd, false), fault.remoteKeys);
    EXPECT_EQ(quillon_probe::Errors(router.Errors()), fault.errors);
    EXPECT_EQ(router.Record().ZRGetObjectVal("m_ExtraInfo") != nullptr, fault.reachable);
    EXPECT_EQ(router.MediationData().SMDKeys(),
              fault.ifDescr ? std::vector<std::string>{"ifDescr"} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LabFaultTest,
    testing::Values(
        LabFault{
            "NoInterfaceSet", true, {"show clns protocol"}, kR1IfDescr, 7, {}, kR1Remote, {}, ""},
        LabFault{"PerInterfaceCommandsSilent",
                 true,
                 {"show clns interface", "show run", "show isis neighbors detail"},
                 kR1IfDescr,
                 13,
                 {"1 Ethernet0/0", "2 Serial1/0"},
                 kR1Remote,
                 {},
                 ""},
        LabFault{"OnlyShowRunPerInterface",
                 true,
                 {"show clns interface", "show isis neighbors detail"},
                 kR1IfDescr,
                 13,
                 kR1Local,
                 kR1Remote,
                 {},
                 ""},
        LabFault{"InterfaceMissingFromIfDescr",
                 true,
                 {},
                 IfDescr{{1, "Ethernet0/0"}, {3, "Null0"}},
                 13,
                 {"1 Ethernet0/0 m_ISISTOPO"},
                 kR1Remote,
                 {Error534("Serial1/0")},
                 ""},
        LabFault{"TwoNamesOnOneIfIndex",
                 true,
                 {},
                 IfDescr{{1, "Ethernet0/0"}, {1, "Serial1/0"}},
                 13,
                 {"1 Ethernet0/0 m_ISISTOPO m_ISISTOPO"},
                 kR1Remote,
                 {},
                 "::AddLocalNbr ifIndex=1 already processed"},
        LabFault{"AllBitsSetIfIndex",
                 true,
                 {},
                 IfDescr{{4294967295LL, "Serial1/0"}, {1, "Ethernet0/0"}},
                 13,
                 {"1 Ethernet0/0 m_ISISTOPO"},
                 kR1Remote,
                 {},
                 ""},
        LabFault{"IfIndexOrder",
                 true,
                 {},
                 IfDescr{{7, "Ethernet0/0"}, {2, "Serial1/0"}},
                 13,
                 {"2 Serial1/0 m_ISISTOPO", "7 Ethernet0/0 m_ISISTOPO"},
                 std::vector<std::string>(3, "m_IfIndex=7"),
                 {},
                 ""},
        LabFault{"FailedWalk", true, {}, std::nullopt, 13, {}, {}, {}, kMissingIfDescr},
        LabFault{"EmptyWalk",
                 true,
                 {},
                 IfDescr{},
                 13,
                 {},
                 {},
                 {Error534("Ethernet0/0"), Error534("Serial1/0")},
                 kMissingIfDescr},
        LabFault{"NoConnectivityMap",
                 true,
                 {"show clns is-neighbors detail"},
                 kR1IfDescr,
                 13,
                 kR1Local,
                 {},
                 {},
                 "ProcessRemoteNbrData: isisConnectivityMap is NULL "},
        LabFault{"UnresolvableNeighbourInterface",
                 true,
                 {},
                 IfDescr{{1, "e0/0"}, {2, "Serial1/0"}},
                 13,
                 {"2 Serial1/0 m_ISISTOPO"},
                 std::vector<std::string>(3, "m_IfIndex=-1"),
                 {Error534("Ethernet0/0")},
                 ""},
        LabFault{"Unreachable",
                 false,
                 {},
                 std::nullopt,
                 7,
                 {},
                 {},
                 {},
                 "No ISIS Service Data obtained"}),
    [](const testing::TestParamInfo<LabFault>& info) { return info.param.name; });
