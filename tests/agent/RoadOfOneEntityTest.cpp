// One router driven through the four layers as the host drives it, and the
// failures a lab can cause on the way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CZanAtom.h"
#include "CZanVBList.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_probe::Count;
using quillon_probe::Describe;
using quillon_probe::LocalNbrs;
using quillon_probe::RemoteNbrs;
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

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<std::string> kPerInterface = {"show clns interface", "show run",
                                                "show isis neighbors detail"};

std::vector<std::string> ServiceCommands() {
    return std::vector<std::string>(std::begin(isis_router::kServiceCommands),
                                    std::end(isis_router::kServiceCommands));
}

// The end point's record under a local neighbour, or "" when it has none.
std::string EndPointOf(const CZanVBList* nbr) {
    const CZanVarBind* topology = nbr->ZVBLFind("m_ISISTOPO");
    if (topology == nullptr || topology->ZVBAtom() == nullptr)
        return "";
    const CZanVarBind* endPoint = topology->ZVBAtom()->ZAList()->ZVBLFind("m_ProtocolEndPoint");
    return endPoint ? Describe(endPoint->ZVBAtom()->ZAList()) : "";
}

} // namespace

TEST(RoadOfOneEntity, RouterWithTwoIsisInterfaces) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    isis_router::WithIfDescr(router);
    QuillonAgentProbe probe(router.Requester());

    ASSERT_TRUE(Discover(probe, router));

    // 1 + 6 + 1 + 5 commands, in this order.
    EXPECT_EQ(router.Commands(), Concat({{"show clns protocol"},
                                         kPerInterface,
                                         kPerInterface,
                                         {"show clns is-neighbors detail"},
                                         ServiceCommands()}));

    const CScoutProcessedData& pd = router.ProcessedData();
    ASSERT_EQ(pd.SPDLocalNbrCount(), 2);
    EXPECT_EQ(Describe(pd.SPDLocalNbr(0)->ZVBLGet(0)), "m_IfIndex=1");
    EXPECT_EQ(Describe(pd.SPDLocalNbr(0)->ZVBLGet(1)), "m_IfDescr=\"Ethernet0/0\"");
    EXPECT_EQ(Describe(pd.SPDLocalNbr(1)->ZVBLGet(0)), "m_IfIndex=2");
    EXPECT_EQ(Describe(pd.SPDLocalNbr(1)->ZVBLGet(1)), "m_IfDescr=\"Serial1/0\"");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(pd.SPDLocalNbr(i)->ZVBLSize(), 3);
        EXPECT_EQ(pd.SPDLocalNbr(i)->ZVBLGet(2)->ZVBName(), "m_ISISTOPO");
    }
    EXPECT_EQ(EndPointOf(pd.SPDLocalNbr(1)),
              "{m_ISISEnabled=1; m_CircuitType=\"level-1-2\"; m_L2CSNPTransmitInterval=20; "
              "m_LSPTransmitInterval=50; m_SNPA=\"HDLC\"; m_LevelData=[{m_LevelType=\"Level-1\"; "
              "m_Metric=20; m_Priority=64; m_CircuitID=\"r5.00\"}, {m_LevelType=\"Level-2\"; "
              "m_Metric=30; m_Priority=64; m_CircuitID=\"r5.00\"}]}");

    EXPECT_EQ(RemoteNbrs(pd),
              (std::vector<std::string>{
                  "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.2\"; m_ISISTOPO={m_SystemId=\"r2\"; "
                  "m_Type=\"L1L2\"; m_AreaId=\"49.0001\"}}",
                  "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.3\"; m_ISISTOPO={m_SystemId=\"r3\"; "
                  "m_Type=\"L1\"; m_AreaId=\"49.0001\"}}",
                  "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.4\"; m_ISISTOPO={m_SystemId=\"r4\"; "
                  "m_Type=\"L2\"; m_AreaId=\"49.0002\"}}"}));

    const CZanVarBind* extra = router.Record().ZRGetObjectVal("m_ExtraInfo");
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->ZVBName(), "m_ISISTOPO");
    const CZanVBList* topology = extra->ZVBAtom()->ZAList();
    ASSERT_EQ(topology->ZVBLSize(), 2);
    EXPECT_EQ(topology->ZVBLGet(0)->ZVBName(), "m_Service");
    EXPECT_EQ(topology->ZVBLGet(1)->ZVBName(), "m_PseudoNodeLSP");
    EXPECT_EQ(Describe(topology->ZVBLGet(0)->ZVBAtom()->ZAList()->ZVBLFind("m_SystemID")),
              "m_SystemID=\"0000.0000.0001.00\"");
    EXPECT_EQ(Describe(topology->ZVBLGet(0)->ZVBAtom()->ZAList()->ZVBLFind("m_HostName")),
              "m_HostName=\"r1\"");
    EXPECT_EQ(Describe(topology->ZVBLGet(0)->ZVBAtom()->ZAList()->ZVBLFind("m_PseudoNodeDIS")),
              "m_PseudoNodeDIS=1");

    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
    EXPECT_EQ(router.Journal().SEJRelationshipKeys(), std::vector<std::string>{"m_IfIndex"});
    EXPECT_TRUE(router.Errors().empty());
}

TEST(RoadOfOneEntity, EveryLayerSaysWhereItIsAtLevelOne) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    isis_router::WithIfDescr(router);
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(1);
    TraceCapture capture;

    ASSERT_TRUE(Discover(probe, router));

    const std::string trace = capture.Take();
    EXPECT_EQ(Count(trace, "Entering into CScoutQuillonAgent::SADoMediationFilter "), 1);
    EXPECT_EQ(Count(trace, "Entering into CScoutQuillonAgent::SADoMediationLayer "), 1);
    EXPECT_EQ(Count(trace, "CScoutQuillonAgent::SADoProcessLayer()."), 1);
    EXPECT_EQ(trace.find("No ISIS Service Data obtained"), std::string::npos);
    EXPECT_EQ(trace.find("Missing ifDescr"), std::string::npos);
    EXPECT_EQ(trace.find("isisConnectivityMap is NULL"), std::string::npos);
}

// ---------------------------------------------------------------------------
// What a lab can get wrong.

TEST(RoadOfOneEntity, RouterSilentOnItsInterfaceListStillGivesAdjacenciesAndService) {
    // A router that does not answer "show clns protocol" at all.
    LabRouter silent;
    silent.Answer("show clns is-neighbors detail", isis_router::kShowClnsIsNeighborsDetail)
        .Answer("show clns", isis_router::kShowClns);
    isis_router::WithIfDescr(silent);
    QuillonAgentProbe probe(silent.Requester());

    ASSERT_TRUE(Discover(probe, silent));

    EXPECT_EQ(
        silent.Commands(),
        Concat({{"show clns protocol"}, {"show clns is-neighbors detail"}, ServiceCommands()}));
    EXPECT_EQ(silent.ProcessedData().SPDLocalNbrCount(), 0);
    // Adjacencies still resolve through the ifDescr column.
    EXPECT_EQ(silent.ProcessedData().SPDRemoteNbrCount(), 3);
    EXPECT_EQ(Describe(silent.ProcessedData().SPDRemoteNbrKey(2)), "m_IfIndex=1");
    EXPECT_NE(silent.Record().ZRGetObjectVal("m_ExtraInfo"), nullptr);
    EXPECT_EQ(silent.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
    EXPECT_TRUE(silent.Errors().empty());
}

TEST(RoadOfOneEntity, SilentPerInterfaceCommandsLeaveBareLocalNeighbours) {
    LabRouter router;
    router.Answer("show clns protocol", isis_router::kShowClnsProtocol)
        .Answer("show clns is-neighbors detail", isis_router::kShowClnsIsNeighborsDetail);
    isis_router::WithIfDescr(router);
    QuillonAgentProbe probe(router.Requester());

    ASSERT_TRUE(Discover(probe, router));

    EXPECT_EQ(LocalNbrs(router.ProcessedData()),
              (std::vector<std::string>{"{m_IfIndex=1; m_IfDescr=\"Ethernet0/0\"}",
                                        "{m_IfIndex=2; m_IfDescr=\"Serial1/0\"}"}));
    EXPECT_EQ(router.ProcessedData().SPDRemoteNbrCount(), 3);
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
}

TEST(RoadOfOneEntity, InterfaceMissingFromIfDescrIsReportedAndSkipped) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    router.IfDescr({{1, "Ethernet0/0"}, {3, "Null0"}});
    QuillonAgentProbe probe(router.Requester());

    ASSERT_TRUE(Discover(probe, router));

    ASSERT_EQ(router.Errors().size(), 1u);
    EXPECT_EQ(router.Errors()[0].code, -220439);
    EXPECT_EQ(router.Errors()[0].file, "CScoutQuillonAgent");
    EXPECT_EQ(router.Errors()[0].line, 534);
    EXPECT_EQ(router.Errors()[0].message,
              "Unable to find ifIndex for interface Serial1/0 on entity R1. Interface data "
              "ignored.\n");
    ASSERT_EQ(router.ProcessedData().SPDLocalNbrCount(), 1);
    EXPECT_EQ(router.ProcessedData().SPDLocalNbr(0)->ZVBLSize(), 3);
    EXPECT_EQ(router.ProcessedData().SPDRemoteNbrCount(), 3);
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
}

TEST(RoadOfOneEntity, TwoInterfacesOnOneIfIndexShareOneNeighbour) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    router.IfDescr({{1, "Ethernet0/0"}, {1, "Serial1/0"}});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(3);
    TraceCapture capture;

    ASSERT_TRUE(Discover(probe, router));

    EXPECT_EQ(Count(capture.Take(), "::AddLocalNbr ifIndex=1 already processed"), 1);
    ASSERT_EQ(router.ProcessedData().SPDLocalNbrCount(), 1);
    const CZanVBList* nbr = router.ProcessedData().SPDLocalNbr(0);
    ASSERT_EQ(nbr->ZVBLSize(), 4);
    EXPECT_EQ(Describe(nbr->ZVBLGet(1)), "m_IfDescr=\"Ethernet0/0\"");
    EXPECT_EQ(nbr->ZVBLGet(2)->ZVBName(), "m_ISISTOPO");
    EXPECT_EQ(nbr->ZVBLGet(3)->ZVBName(), "m_ISISTOPO");
    EXPECT_TRUE(router.Errors().empty());
}

TEST(RoadOfOneEntity, FailedOrEmptyWalkResolvesNothing) {
    LabRouter failed("R1");
    isis_router::AnswerEverything(failed);
    LabRouter empty("R1");
    isis_router::AnswerEverything(empty).IfDescr({});
    for (LabRouter* router : {&failed, &empty}) {
        QuillonAgentProbe probe(router->Requester());
        DebugLevel level(1);
        TraceCapture capture;

        ASSERT_TRUE(Discover(probe, *router));

        EXPECT_EQ(Count(capture.Take(),
                        "Missing ifDescr on device R1. Unable to resolve interface data."),
                  1);
        EXPECT_EQ(router->ProcessedData().SPDLocalNbrCount(), 0);
        EXPECT_EQ(router->ProcessedData().SPDRemoteNbrCount(), 0);
        EXPECT_NE(router->Record().ZRGetObjectVal("m_ExtraInfo"), nullptr);
        if (router == &failed) {
            EXPECT_TRUE(router->Errors().empty());
            EXPECT_TRUE(router->MediationData().SMDKeys().empty());
        } else {
            EXPECT_EQ(router->Errors().size(), 2u); // one per IS-IS interface
            EXPECT_EQ(router->MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
        }
    }
}

TEST(RoadOfOneEntity, NoAdjacencyOutputMeansNoRemoteNeighbours) {
    LabRouter quiet;
    quiet.Answer("show clns protocol", isis_router::kShowClnsProtocol)
        .Answer("show clns interface", isis_router::kShowClnsInterface);
    isis_router::WithIfDescr(quiet);
    QuillonAgentProbe probe(quiet.Requester());
    DebugLevel level(1);
    TraceCapture capture;

    ASSERT_TRUE(Discover(probe, quiet));

    EXPECT_EQ(Count(capture.Take(), "ProcessRemoteNbrData: isisConnectivityMap is NULL "), 1);
    EXPECT_EQ(quiet.ProcessedData().SPDLocalNbrCount(), 2);
    EXPECT_EQ(quiet.ProcessedData().SPDRemoteNbrCount(), 0);
    EXPECT_EQ(quiet.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
}

TEST(RoadOfOneEntity, AdjacencyOnUnknownInterfaceIsKeyedMinusOne) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    // The column names the LAN interface only by a name the router never
    // abbreviates to Et0/0.
    router.IfDescr({{1, "e0/0"}, {2, "Serial1/0"}});
    QuillonAgentProbe probe(router.Requester());

    ASSERT_TRUE(Discover(probe, router));

    ASSERT_EQ(router.ProcessedData().SPDRemoteNbrCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Describe(router.ProcessedData().SPDRemoteNbrKey(i)), "m_IfIndex=-1");
    EXPECT_EQ(router.Errors().size(), 1u); // Ethernet0/0 itself has no ifIndex
}
