// The mediation layer: one end point per IS-IS interface, the adjacencies,
// the service data, each step independent of the others.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CScoutCiscoConnectivity.h"
#include "CScoutCiscoInterface.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CZanAtom.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_probe::Count;
using quillon_probe::Describe;
using quillon_probe::Find;
using quillon_probe::Lines;
using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

const std::vector<std::string> kPerInterfaceCommands = {"show clns interface", "show run",
                                                        "show isis neighbors detail"};

void StoreNames(LabRouter& router, const InterfaceNameSet& names) {
    router.MediationData().SMDAddDataPtr("isisInterfaces", new InterfaceNameSet(names));
}

// Takes every container the layer may have left and frees it, as the
// process layer would; reports what was there.
struct Collected {
    std::unique_ptr<InterfaceNameSet> names;
    std::unique_ptr<ProtocolEndPointMap> endPoints;
    std::unique_ptr<ConnectivityMap> connectivity;
    std::unique_ptr<CScoutCiscoService> service;
    std::unique_ptr<CScoutCiscoPseudoNodeLSP> pseudoNode;

    explicit Collected(CScoutMediationData& md)
        : names(static_cast<InterfaceNameSet*>(md.SMDRemoveDataPtr("isisInterfaces"))),
          endPoints(
              static_cast<ProtocolEndPointMap*>(md.SMDRemoveDataPtr("isisProtocolEndPoints"))),
          connectivity(static_cast<ConnectivityMap*>(md.SMDRemoveDataPtr("isisConnectivity"))),
          service(static_cast<CScoutCiscoService*>(md.SMDRemoveDataPtr("isisService"))),
          pseudoNode(
              static_cast<CScoutCiscoPseudoNodeLSP*>(md.SMDRemoveDataPtr("isisPseudoNodeLSP"))) {}
    ~Collected() {
        if (endPoints)
            for (auto& slot : *endPoints)
                delete slot.second;
        if (connectivity)
            for (auto& entry : *connectivity)
                delete entry.second;
    }
    std::vector<std::string> EndPointNames() const {
        std::vector<std::string> result;
        for (const auto& slot : *endPoints)
            result.push_back(slot.first);
        return result;
    }
    std::string EndPoint(const std::string& name) const {
        std::unique_ptr<CZanAtom> atom(endPoints->at(name)->GeneratePEData());
        return Describe(atom->ZAList());
    }
};

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST(MediationLayer, CollectsEveryPartOfAnIsisRouter) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    StoreNames(router, {"Ethernet0/0", "Serial1/0"});
    QuillonAgentProbe probe(router.Requester());

    probe.Mediation(&router.Record());

    const std::vector<std::string> service(std::begin(isis_router::kServiceCommands),
                                           std::end(isis_router::kServiceCommands));
    EXPECT_EQ(router.Commands(), Concat({kPerInterfaceCommands,
                                         kPerInterfaceCommands,
                                         {"show clns is-neighbors detail"},
                                         service}));
    EXPECT_EQ(
        router.MediationData().SMDKeys(),
        (std::vector<std::string>{"isisConnectivity", "isisInterfaces", "isisProtocolEndPoints",
                                  "isisPseudoNodeLSP", "isisService"}));
    EXPECT_TRUE(router.Errors().empty());

    Collected got(router.MediationData());
    // The set is only read.
    ASSERT_NE(got.names, nullptr);
    EXPECT_EQ(*got.names, (InterfaceNameSet{"Ethernet0/0", "Serial1/0"}));
    ASSERT_NE(got.endPoints, nullptr);
    EXPECT_EQ(got.EndPointNames(), (std::vector<std::string>{"Ethernet0/0", "Serial1/0"}));
    EXPECT_EQ(got.EndPoint("Ethernet0/0"),
              "{m_ISISEnabled=1; m_CircuitType=\"level-1-2\"; m_L1CSNPTransmitInterval=10; "
              "m_LSPTransmitInterval=33; m_LevelData=[{m_LevelType=\"Level-1\"; m_Metric=10; "
              "m_Priority=64; m_CircuitID=\"r1.01\"}, {m_LevelType=\"Level-2\"; m_Metric=10; "
              "m_Priority=64; m_CircuitID=\"r1.01\"}]}");
    EXPECT_EQ(got.EndPoint("Serial1/0"),
              "{m_ISISEnabled=1; m_CircuitType=\"level-1-2\"; m_L2CSNPTransmitInterval=20; "
              "m_LSPTransmitInterval=50; m_SNPA=\"HDLC\"; m_LevelData=[{m_LevelType=\"Level-1\"; "
              "m_Metric=20; m_Priority=64; m_CircuitID=\"r5.00\"}, {m_LevelType=\"Level-2\"; "
              "m_Metric=30; m_Priority=64; m_CircuitID=\"r5.00\"}]}");
    ASSERT_NE(got.connectivity, nullptr);
    EXPECT_EQ(got.connectivity->count("Et0/0"), 3u);
    ASSERT_NE(got.service, nullptr);
    EXPECT_EQ(got.service->GetSystemID(), "0000.0000.0001.00");
    EXPECT_NE(got.pseudoNode, nullptr);
}

TEST(MediationLayer, SilentInterfacesLeaveAnEmptyMapAndFreeTheirEndPoints) {
    LabRouter router;
    router.Answer("show clns is-neighbors detail", isis_router::kShowClnsIsNeighborsDetail);
    StoreNames(router, {"Ethernet0/0", "Serial1/0"});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(2);
    TraceCapture capture;

    probe.Mediation(&router.Record());

    const std::string trace = capture.Take();
    EXPECT_EQ(Count(trace, "CScoutCiscoProtocolEndPoint::CScoutCiscoProtocolEndPoint("), 2);
    EXPECT_EQ(Count(trace, "CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint()"), 2);
    Collected got(router.MediationData());
    ASSERT_NE(got.endPoints, nullptr);
    EXPECT_TRUE(got.endPoints->empty());
    ASSERT_NE(got.connectivity, nullptr);
    EXPECT_EQ(got.connectivity->size(), 3u);
}

TEST(MediationLayer, WithoutInterfaceSetTheOtherStepsStillRun) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    QuillonAgentProbe probe(router.Requester());

    probe.Mediation(&router.Record());

    EXPECT_EQ(router.Commands().front(), "show clns is-neighbors detail");
    EXPECT_EQ(router.Commands().size(), 6u);
    EXPECT_EQ(router.MediationData().SMDKeys(),
              (std::vector<std::string>{"isisConnectivity", "isisPseudoNodeLSP", "isisService"}));
    Collected got(router.MediationData());
}

TEST(MediationLayer, NeighbourOutputWithoutNeighboursStoresEmptyMap) {
    LabRouter router;
    router.Answer("show clns is-neighbors detail",
                  "System Id      Interface   State  Type Priority  Circuit Id         Format\n");
    QuillonAgentProbe probe(router.Requester());

    probe.Mediation(&router.Record());

    Collected got(router.MediationData());
    ASSERT_NE(got.connectivity, nullptr);
    EXPECT_TRUE(got.connectivity->empty());
}

TEST(MediationLayer, UnreachableRouterLeavesOnlyTheEmptyEndPointMap) {
    LabRouter router; // takes no command session at all
    StoreNames(router, {"Serial1/0"});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(1);
    TraceCapture capture;

    probe.Mediation(&router.Record());

    const std::vector<std::string> lines = Lines(capture.Take());
    EXPECT_EQ(lines.front(), "Entering into CScoutQuillonAgent::SADoMediationLayer ");
    EXPECT_EQ(lines.back(), "No ISIS Service Data obtained");
    EXPECT_EQ(router.MediationData().SMDKeys(),
              (std::vector<std::string>{"isisInterfaces", "isisProtocolEndPoints"}));
    Collected got(router.MediationData());
    EXPECT_TRUE(got.endPoints->empty());
}

TEST(MediationLayer, RecordWithoutMediationDataIsReported) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    QuillonAgentProbe probe(router.Requester());
    CZanRecord bare("R1");

    probe.Mediation(&bare);
    probe.Mediation(nullptr);

    ASSERT_EQ(router.Errors().size(), 2u);
    for (const auto& error : router.Errors()) {
        EXPECT_EQ(error.code, -220402);
        EXPECT_EQ(error.file, "CScoutQuillonAgent");
        EXPECT_EQ(error.line, 238);
        EXPECT_FALSE(error.hasMessage);
    }
    EXPECT_TRUE(router.Commands().empty());
}

// ---------------------------------------------------------------------------
// One end point from the three per-interface collectors.

TEST(ObtainProtocolEndPoint, CollectorsLiveOneAfterAnotherAndGoTogether) {
    LabRouter router;
    isis_router::AnswerEverything(router);
    QuillonAgentProbe probe(router.Requester());
    CScoutCiscoProtocolEndPoint endPoint;
    std::string name = "Serial1/0";
    DebugLevel level(3);
    TraceCapture capture;

    EXPECT_TRUE(probe.ObtainProtocolEndPoint(&router.Record(), name, &endPoint));

    const std::vector<std::string> lines = Lines(capture.Take());
    const std::vector<std::string> milestones = {
        "CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()",
        "CScoutCiscoClnsInterface::ObtainData",
        "Entering into CScoutCiscoClnsInterface::ParseData",
        "CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()",
        "CScoutCiscoTransmitInterface::ObtainData",
        "Entering into CScoutCiscoTransmitInterface::ParseData",
        "CScoutCiscoNeighborData::CScoutCiscoNeighborData()",
        "CScoutCiscoNeighborData::ObtainData",
        "Entering into CScoutCiscoNeighborData::ParseData",
        "CScoutCiscoNeighborData::~CScoutCiscoNeighborData()",
        "CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()",
        "CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()"};
    int at = 0;
    for (const std::string& milestone : milestones) {
        at = Find(lines, milestone, at);
        ASSERT_GE(at, 0) << "missing or out of order: " << milestone;
    }
    EXPECT_EQ(router.Commands(), kPerInterfaceCommands);
}

TEST(ObtainProtocolEndPoint, AnyOneCommandWithTextIsEnough) {
    for (const std::string& answered : kPerInterfaceCommands) {
        LabRouter router;
        router.Answer(answered, "nothing of interest\n");
        QuillonAgentProbe probe(router.Requester());
        CScoutCiscoProtocolEndPoint endPoint;
        std::string name = "Serial1/0";
        EXPECT_TRUE(probe.ObtainProtocolEndPoint(&router.Record(), name, &endPoint)) << answered;
        // A later silent collector does not stop, nor undo, an earlier one.
        EXPECT_EQ(router.Commands(), kPerInterfaceCommands);
    }
    LabRouter silent;
    silent.Reachable();
    QuillonAgentProbe probe(silent.Requester());
    CScoutCiscoProtocolEndPoint endPoint;
    std::string name = "Serial1/0";
    EXPECT_FALSE(probe.ObtainProtocolEndPoint(&silent.Record(), name, &endPoint));
    EXPECT_EQ(silent.Commands(), kPerInterfaceCommands);
}
