// The mediation layer: one end point per IS-IS interface, the adjacencies,
// the service data, each step independent of the others.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "CScoutCiscoConnectivity.h"
#include "CScoutCiscoInterface.h"
#include "CScoutCiscoService.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

void StoreNames(LabRouter& router, const InterfaceNameSet& names) {
    router.MediationData().SMDAddDataPtr("isisInterfaces", new InterfaceNameSet(names));
}

} // namespace

TEST(MediationLayer, LeavesEachPartUnderItsKey) {
    LabRouter router;
    isis_router::Answer(router);
    StoreNames(router, {"Ethernet0/0", "Serial1/0"});
    QuillonAgentProbe probe(router.Requester());

    probe.Mediation(&router.Record());

    CScoutMediationData& md = router.MediationData();
    EXPECT_EQ(md.SMDKeys(), (std::vector<std::string>{"isisConnectivity", "isisInterfaces",
                                                      "isisProtocolEndPoints", "isisPseudoNodeLSP",
                                                      "isisService"}));
    // The set is only read.
    EXPECT_EQ(*static_cast<InterfaceNameSet*>(md.SMDGetDataPtr("isisInterfaces")),
              (InterfaceNameSet{"Ethernet0/0", "Serial1/0"}));
    const auto* endPoints =
        static_cast<ProtocolEndPointMap*>(md.SMDGetDataPtr("isisProtocolEndPoints"));
    ASSERT_EQ(endPoints->size(), 2u);
    EXPECT_EQ(endPoints->begin()->first, "Ethernet0/0");
    EXPECT_EQ(static_cast<ConnectivityMap*>(md.SMDGetDataPtr("isisConnectivity"))->count("Et0/0"),
              3u);
    EXPECT_EQ(static_cast<CScoutCiscoService*>(md.SMDGetDataPtr("isisService"))->GetSystemID(),
              "0000.0000.0001.00");
    EXPECT_TRUE(router.Errors().empty());
    probe.Process(&router.Record()); // takes and frees them all
}

TEST(MediationLayer, CollectorsComeAndGoInTurn) {
    LabRouter router;
    isis_router::Answer(router);
    StoreNames(router, {"Serial1/0"});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(3);
    TraceCapture capture;

    probe.Mediation(&router.Record());

    // The three per-interface collectors each come to life just before their
    // command and go together at the end, the last one first.
    const std::vector<std::string> milestones = {
        "Entering into CScoutQuillonAgent::SADoMediationLayer ",
        "CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()",
        "CScoutCiscoClnsInterface::ObtainData",
        "CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()",
        "CScoutCiscoTransmitInterface::ObtainData",
        "CScoutCiscoNeighborData::CScoutCiscoNeighborData()",
        "CScoutCiscoNeighborData::ObtainData",
        "CScoutCiscoNeighborData::~CScoutCiscoNeighborData()",
        "CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()",
        "CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()",
        "CScoutCiscoClnsNeighbor::ObtainData",
        "Entering into CScoutCiscoServiceData::ObtainData",
        "CScoutCiscoServiceData::~CScoutCiscoServiceData()",
        "CScoutCiscoClnsNeighbor::~CScoutCiscoClnsNeighbor()"};
    const std::set<std::string> wanted(milestones.begin(), milestones.end());
    std::vector<std::string> seen;
    for (const std::string& line : quillon_probe::Lines(capture.Take()))
        if (wanted.count(line) != 0)
            seen.push_back(line);
    EXPECT_EQ(seen, milestones);
    probe.Process(&router.Record());
}
