// The process layer's steps in their order, and end points hung under local
// neighbours.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CScoutCiscoInterface.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CZanPointer.h"
#include "CZanTreeList.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

TEST(ProcessLayer, StepsRunInTheirFixedOrder) {
    LabRouter router;
    router.Answer("show clns is-neighbors detail",
                  isis_router::Output("show-clns-is-neighbors-r2-only.txt"));
    router.IfDescr({{1, "Ethernet0/0"}});
    router.MediationData().SMDAddDataPtr("isisInterfaces", new InterfaceNameSet{"Ethernet0/0"});
    QuillonAgentProbe probe(router.Requester());
    probe.Mediation(&router.Record());
    DebugLevel level(4);
    TraceCapture capture;

    probe.Process(&router.Record());

    EXPECT_EQ(
        quillon_probe::Lines(capture.Take()),
        (std::vector<std::string>{"CScoutQuillonAgent::SADoProcessLayer().",
                                  "CScoutQuillonAgent::ProcessLocalNbrData().",
                                  "ProcessLocalNbr ifIndex = 1",
                                  "CScoutQuillonAgent::AddLocalNbr().",
                                  "CScoutQuillonAgent::AddLocalNbrs().",
                                  "leaving CScoutQuillonAgent::AddLocalNbrs().",
                                  "Entering into ProcessRemoteNbrData",
                                  "Translator adding mapping of base Ethernet0/0 to 1",
                                  "Translator adding mapping of base Et0/0 to 1",
                                  "Adding remote nbrs for device R1, interface Et0/0, ifIndex 1.",
                                  "Entering into PopulateRemoteNbr",
                                  "Remote Ip Address = 10.0.12.2",
                                  "System Id = r2",
                                  "type = L1L2",
                                  "Area Id = 49.0001",
                                  "CScoutCiscoConnectivity::~CScoutCiscoConnectivity()",
                                  "GenerateServiceData()",
                                  "leaving GenerateServiceData()",
                                  "CScoutCiscoService::~CScoutCiscoService()",
                                  "GeneratePseudoNodeLSPData()",
                                  "leaving GeneratePseudoNodeLSPData()",
                                  "CScoutCiscoPseudoNodeLSP::~CScoutCiscoPseudoNodeLSP()"}));
}

TEST(ProcessProtocolEndPoint, HangsTheEndPointUnderItsNeighbourOnly) {
    QuillonAgentProbe probe;
    CZanTreeList* tree = new CZanTreeList(false);
    probe.AddStdDataToLocalNbr(3, "Serial1/0", &tree);
    CScoutCiscoProtocolEndPoint endPoint;
    endPoint.SetCircuitType("level-2");

    probe.ProcessProtocolEndPoint(3, &endPoint, &tree);
    probe.ProcessProtocolEndPoint(4, &endPoint, &tree); // no neighbour: nothing is kept

    ASSERT_EQ(tree->ZTLSize(), 1);
    std::unique_ptr<CZanVBList> nbr(static_cast<CZanVBList*>(tree->ZTLGet(3)->ZPData()));
    delete tree; // it never owns its records
    EXPECT_EQ(quillon_probe::Describe(nbr.get()),
              "{m_IfIndex=3; m_IfDescr=\"Serial1/0\"; m_ISISTOPO={m_ProtocolEndPoint="
              "{m_ISISEnabled=0; m_CircuitType=\"level-2\"; m_LevelData=[]}}}");
}
