// The mediation layer: one end point per IS-IS interface, the adjacencies,
// the service data, each step independent of the others.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "CScoutCiscoInterface.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

TEST(MediationLayer, CollectorsComeAndGoInTurnAndLeaveEachPartUnderItsKey) {
    LabRouter router;
    isis_router::Answer(router);
    router.MediationData().SMDAddDataPtr("isisInterfaces", new InterfaceNameSet{"Serial1/0"});
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
    // The set is only read; the process layer takes the rest.
    EXPECT_EQ(
        router.MediationData().SMDKeys(),
        (std::vector<std::string>{"isisConnectivity", "isisInterfaces", "isisProtocolEndPoints",
                                  "isisPseudoNodeLSP", "isisService"}));
    EXPECT_TRUE(router.Errors().empty());
    probe.Process(&router.Record());
}
