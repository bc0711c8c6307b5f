// The process layer: local neighbours with their end points, remote
// neighbours keyed by ifIndex, the service data on the entity, and every
// container the mediation layer left freed on every path.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CScoutCiscoConnectivity.h"
#include "CScoutCiscoInterface.h"
#include "CScoutCiscoLevelData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutEntityJournal.h"
#include "CZanDoubleList.h"
#include "CZanPointer.h"
#include "CZanTreeList.h"
#include "HostFixture.h"
#include "QuillonAgentProbe.h"
#include "ScoutAgentUtils.h"

using quillon_probe::Count;
using quillon_probe::Describe;
using quillon_probe::Lines;
using quillon_probe::LocalNbrs;
using quillon_probe::RemoteNbrs;
using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

const char* const kEndPointDtor = "CScoutCiscoProtocolEndPoint::~CScoutCiscoProtocolEndPoint()";
const char* const kLevelDtor = "CScoutCiscoLevelData::~CScoutCiscoLevelData()";
const char* const kConnectivityDtor = "CScoutCiscoConnectivity::~CScoutCiscoConnectivity()";

CScoutCiscoProtocolEndPoint* EndPoint(const std::string& circuitType, int levels = 0) {
    CScoutCiscoProtocolEndPoint* endPoint = new CScoutCiscoProtocolEndPoint;
    endPoint->SetISISEnabled(true);
    endPoint->SetCircuitType(circuitType);
    for (int i = 1; i <= levels; ++i) {
        CScoutCiscoLevelData* level = new CScoutCiscoLevelData;
        level->SetLevelType("Level-" + std::to_string(i));
        level->SetMetric(10 * i);
        level->SetPriority(64);
        level->SetCircuitID("r1.01");
        endPoint->AddLevelData(level);
    }
    return endPoint;
}

CScoutCiscoConnectivity* Adjacency(const std::string& systemId, const std::string& interfaceName,
                                   const std::string& type, const std::string& area,
                                   const std::string& address) {
    CScoutCiscoConnectivity* entry = new CScoutCiscoConnectivity;
    entry->SetSystemId(systemId);
    entry->SetInterface(interfaceName);
    entry->SetConnectivityType(type);
    entry->SetAreaId(area);
    entry->SetIPAddress(address);
    return entry;
}

// Fills the mediation data the way the filter and mediation layer leave it.
struct Mediation {
    LabRouter& router;

    Mediation& Names(const InterfaceNameSet& names) {
        router.MediationData().SMDAddDataPtr("isisInterfaces", new InterfaceNameSet(names));
        return *this;
    }
    Mediation& EndPoints(const ProtocolEndPointMap& endPoints) {
        router.MediationData().SMDAddDataPtr("isisProtocolEndPoints",
                                             new ProtocolEndPointMap(endPoints));
        return *this;
    }
    Mediation& Adjacencies(const std::vector<CScoutCiscoConnectivity*>& entries) {
        ConnectivityMap* map = new ConnectivityMap;
        for (CScoutCiscoConnectivity* entry : entries)
            map->insert(ConnectivityMap::value_type(entry->GetInterface(), entry));
        router.MediationData().SMDAddDataPtr("isisConnectivity", map);
        return *this;
    }
};

std::vector<std::string> FilteredLines(const std::string& trace,
                                       const std::vector<std::string>& wanted) {
    std::vector<std::string> result;
    for (const std::string& line : Lines(trace))
        for (const std::string& w : wanted)
            if (line == w)
                result.push_back(line);
    return result;
}

void ExpectError534(const CScoutEntityJournal::Error& error, const std::string& interfaceName) {
    EXPECT_EQ(error.code, -220439);
    EXPECT_EQ(error.file, "CScoutQuillonAgent");
    EXPECT_EQ(error.line, 534);
    EXPECT_TRUE(error.hasMessage);
    EXPECT_EQ(error.message, "Unable to find ifIndex for interface " + interfaceName +
                                 " on entity R1. Interface data ignored.\n");
}

} // namespace

// ---------------------------------------------------------------------------
// Local neighbours.

TEST(ProcessLayerLocal, EachResolvedInterfaceBecomesANeighbourWithItsEndPoint) {
    LabRouter router;
    router.Reachable().IfDescr({{1, "Ethernet0/0"}, {2, "Serial1/0"}, {3, "Null0"}});
    Mediation{router}
        .Names({"Ethernet0/0", "Loopback0", "Serial1/0"})
        .EndPoints({{"Ethernet0/0", EndPoint("level-1")}, {"Loopback0", EndPoint("level-2", 1)}});
    QuillonAgentProbe probe(router.Requester());

    probe.Process(&router.Record());

    EXPECT_EQ(LocalNbrs(router.ProcessedData()),
              (std::vector<std::string>{
                  "{m_IfIndex=1; m_IfDescr=\"Ethernet0/0\"; m_ISISTOPO={m_ProtocolEndPoint="
                  "{m_ISISEnabled=1; m_CircuitType=\"level-1\"; m_LevelData=[]}}}",
                  "{m_IfIndex=2; m_IfDescr=\"Serial1/0\"}"}));
    ASSERT_EQ(router.Errors().size(), 1u);
    ExpectError534(router.Errors()[0], "Loopback0");
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
    EXPECT_EQ(router.Record().ZRFieldCount(), 0);
}

TEST(ProcessLayerLocal, NeighboursReachTheHostInIfIndexOrder) {
    LabRouter router;
    router.IfDescr({{7, "Ethernet0/0"}, {2, "Serial1/0"}});
    Mediation{router}.Names({"Ethernet0/0", "Serial1/0"});
    QuillonAgentProbe probe(router.Requester());

    probe.Process(&router.Record());

    EXPECT_EQ(LocalNbrs(router.ProcessedData()),
              (std::vector<std::string>{"{m_IfIndex=2; m_IfDescr=\"Serial1/0\"}",
                                        "{m_IfIndex=7; m_IfDescr=\"Ethernet0/0\"}"}));
    EXPECT_TRUE(router.Errors().empty());
}

TEST(ProcessLayerLocal, AllBitsSetIfIndexIsSkippedSilently) {
    LabRouter router;
    router.IfDescr({{4294967295LL, "Serial1/0"}, {3, "Ethernet0/0"}});
    Mediation{router}
        .Names({"Ethernet0/0", "Serial1/0"})
        .EndPoints({{"Serial1/0", EndPoint("level-2", 2)}});
    QuillonAgentProbe probe(router.Requester());

    probe.Process(&router.Record());

    EXPECT_EQ(LocalNbrs(router.ProcessedData()),
              std::vector<std::string>{"{m_IfIndex=3; m_IfDescr=\"Ethernet0/0\"}"});
    EXPECT_TRUE(router.Errors().empty());
}

TEST(ProcessLayerLocal, FailedWalkMakesNoNeighbourAndFreesEverythingInOrder) {
    LabRouter router; // no ifDescr column: the walk fails
    Mediation{router}
        .Names({"Serial1/0", "Ethernet0/0"})
        .EndPoints(
            {{"Serial1/0", EndPoint("level-1", 1)}, {"Ethernet0/0", EndPoint("level-1-2", 2)}})
        .Adjacencies({Adjacency("r2", "Et0/0", "L1", "49.0001", "10.0.12.2"),
                      Adjacency("r5", "Se1/0", "L1", "49.0001", "10.0.15.2")});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(2);
    TraceCapture capture;

    probe.Process(&router.Record());

    const std::string trace = capture.Take();
    // End points go in name order, each followed by its level entries.
    EXPECT_EQ(FilteredLines(trace, {kEndPointDtor, kLevelDtor}),
              (std::vector<std::string>{kEndPointDtor, kLevelDtor, kLevelDtor, kEndPointDtor,
                                        kLevelDtor}));
    EXPECT_EQ(Count(trace, kConnectivityDtor), 2);
    EXPECT_EQ(Count(trace, "Missing ifDescr on device R1. Unable to resolve interface data."), 1);
    EXPECT_EQ(router.ProcessedData().SPDLocalNbrCount(), 0);
    EXPECT_EQ(router.ProcessedData().SPDRemoteNbrCount(), 0);
    EXPECT_TRUE(router.MediationData().SMDKeys().empty());
    EXPECT_TRUE(router.Errors().empty());
}

TEST(ProcessLayerLocal, EndPointsWithoutInterfaceSetAreFreed) {
    LabRouter router;
    router.IfDescr({{1, "Ethernet0/0"}});
    Mediation{router}.EndPoints({{"Ethernet0/0", EndPoint("level-1", 2)}});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(2);
    TraceCapture capture;

    probe.Process(&router.Record());

    const std::string trace = capture.Take();
    EXPECT_EQ(Count(trace, kEndPointDtor), 1);
    EXPECT_EQ(Count(trace, kLevelDtor), 2);
    EXPECT_EQ(router.ProcessedData().SPDLocalNbrCount(), 0);
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
}

TEST(ProcessLayer, StepsRunInTheirFixedOrder) {
    LabRouter router;
    router.IfDescr({{1, "Ethernet0/0"}});
    Mediation{router}.Names({"Ethernet0/0"});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(3);
    TraceCapture capture;

    probe.Process(&router.Record());

    EXPECT_EQ(Lines(capture.Take()),
              (std::vector<std::string>{"CScoutQuillonAgent::SADoProcessLayer().",
                                        "CScoutQuillonAgent::ProcessLocalNbrData().",
                                        "CScoutQuillonAgent::AddLocalNbrs().",
                                        "leaving CScoutQuillonAgent::AddLocalNbrs().",
                                        "ProcessRemoteNbrData: isisConnectivityMap is NULL "}));
    EXPECT_EQ(router.ProcessedData().SPDLocalNbrCount(), 1);
}

TEST(ProcessLayer, MissingHostObjectsStopTheLayer) {
    LabRouter router;
    router.IfDescr({{1, "Ethernet0/0"}});
    QuillonAgentProbe probe(router.Requester());
    CScoutMediationData md;
    CZanRecord bare("R1");
    CZanRecord mediationOnly("R1");
    mediationOnly.ZRAttach(&md, nullptr, nullptr);

    probe.Process(nullptr);
    probe.Process(&bare);
    probe.Process(&mediationOnly);

    ASSERT_EQ(router.Errors().size(), 3u);
    const int lines[] = {312, 321, 321};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(router.Errors()[i].code, -220402);
        EXPECT_EQ(router.Errors()[i].file, "CScoutQuillonAgent");
        EXPECT_EQ(router.Errors()[i].line, lines[i]);
        EXPECT_FALSE(router.Errors()[i].hasMessage);
    }
    EXPECT_TRUE(md.SMDKeys().empty());
}

// ---------------------------------------------------------------------------
// End points hung under local neighbours.

class LocalNbrTreeTest : public testing::Test {
protected:
    ~LocalNbrTreeTest() override {
        // The tree never owns its records; the processed data would.
        if (m_Tree != nullptr) {
            CZanDoubleList* entries = m_Tree->ZTLIterator();
            for (CZanObject* e = entries->ZDLHead(); e != nullptr; e = entries->ZDLGetNext())
                delete static_cast<CZanVBList*>(static_cast<CZanPointer*>(e)->ZPData());
        }
        delete m_Tree;
    }
    std::string Record(int ifIndex) {
        CZanPointer* entry = m_Tree->ZTLGet(ifIndex);
        return entry ? Describe(static_cast<CZanVBList*>(entry->ZPData())) : "<none>";
    }

    LabRouter m_Router;
    QuillonAgentProbe m_Probe;
    CZanTreeList* m_Tree = new CZanTreeList(false);
};

TEST_F(LocalNbrTreeTest, EndPointGoesLastIntoItsNeighbourOnly) {
    std::string name = "Serial1/0";
    m_Probe.AddStdDataToLocalNbr(3, name, &m_Tree);
    std::unique_ptr<CScoutCiscoProtocolEndPoint> endPoint(EndPoint("level-2", 1));
    DebugLevel level(3);
    TraceCapture capture;

    m_Probe.ProcessProtocolEndPoint(3, endPoint.get(), &m_Tree);
    m_Probe.ProcessProtocolEndPoint(4, endPoint.get(), &m_Tree);

    // The end point is rendered either way; only a neighbour keeps it.
    EXPECT_EQ(capture.Take(), "CScoutQuillonAgent::ProcessProtocolEndPoint()\n"
                              "SCPE::GeneratePEData()\n"
                              "CScoutQuillonAgent::ProcessProtocolEndPoint()\n"
                              "SCPE::GeneratePEData()\n");
    EXPECT_EQ(Record(3), "{m_IfIndex=3; m_IfDescr=\"Serial1/0\"; "
                         "m_ISISTOPO={m_ProtocolEndPoint={m_ISISEnabled=1; "
                         "m_CircuitType=\"level-2\"; m_LevelData=[{m_LevelType=\"Level-1\"; "
                         "m_Metric=10; m_Priority=64; m_CircuitID=\"r1.01\"}]}}}");
    EXPECT_EQ(Record(4), "<none>");
    EXPECT_EQ(m_Tree->ZTLSize(), 1);
}

TEST_F(LocalNbrTreeTest, NeighbourIsAddedOnceAndNeedsATree) {
    std::string first = "Ethernet0/0";
    std::string second = "Ethernet0/1";
    m_Probe.AddStdDataToLocalNbr(5, first, &m_Tree);
    m_Probe.AddStdDataToLocalNbr(5, second, &m_Tree);
    EXPECT_EQ(Record(5), "{m_IfIndex=5; m_IfDescr=\"Ethernet0/0\"}");

    CZanTreeList* none = nullptr;
    m_Probe.AddStdDataToLocalNbr(6, first, &none);
    EXPECT_EQ(none, nullptr);
    ASSERT_EQ(m_Router.Errors().size(), 1u);
    EXPECT_EQ(m_Router.Errors()[0].code, -220439);
    EXPECT_EQ(m_Router.Errors()[0].line, 606);
    EXPECT_FALSE(m_Router.Errors()[0].hasMessage);
}

TEST_F(LocalNbrTreeTest, HandsOverEveryRecordInKeyOrder) {
    std::string a = "Serial1/0";
    std::string b = "Ethernet0/0";
    m_Probe.AddStdDataToLocalNbr(9, a, &m_Tree);
    m_Probe.AddStdDataToLocalNbr(2, b, &m_Tree);
    CScoutProcessedData pd;

    m_Probe.AddLocalNbrs(m_Tree, &pd);
    SAUFSoftDeleteTree(m_Tree); // the records are the processed data's now
    m_Tree = nullptr;

    EXPECT_EQ(LocalNbrs(pd), (std::vector<std::string>{"{m_IfIndex=2; m_IfDescr=\"Ethernet0/0\"}",
                                                       "{m_IfIndex=9; m_IfDescr=\"Serial1/0\"}"}));
    m_Probe.AddLocalNbrs(nullptr, &pd);
    EXPECT_EQ(pd.SPDLocalNbrCount(), 2);
}

// ---------------------------------------------------------------------------
// Remote neighbours.

TEST(ProcessLayerRemote, AdjacenciesAreKeyedByTheirInterfacesIfIndex) {
    LabRouter router;
    router.IfDescr({{1, "Ethernet0/0"}, {2, "Serial1/0"}});
    Mediation{router}.Adjacencies({Adjacency("r5", "Se1/0", "L1", "49.0001", "10.0.15.2"),
                                   Adjacency("r2", "Et0/0", "L1L2", "49.0001", "10.0.12.2"),
                                   Adjacency("r6", "Tu0", "L2", "49.0003", "10.0.16.2"),
                                   Adjacency("r3", "Et0/0", "L1", "49.0001", "10.0.12.3"),
                                   Adjacency("r7", "Ethernet0/0", "L2", "49.0002", "10.0.12.7")});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(3);
    TraceCapture capture;

    probe.Process(&router.Record());

    EXPECT_EQ(
        RemoteNbrs(router.ProcessedData()),
        (std::vector<std::string>{
            "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.2\"; m_ISISTOPO={m_SystemId=\"r2\"; "
            "m_Type=\"L1L2\"; m_AreaId=\"49.0001\"}}",
            "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.3\"; m_ISISTOPO={m_SystemId=\"r3\"; "
            "m_Type=\"L1\"; m_AreaId=\"49.0001\"}}",
            "m_IfIndex=1 -> {m_RemoteNbrIpAddr=\"10.0.12.7\"; m_ISISTOPO={m_SystemId=\"r7\"; "
            "m_Type=\"L2\"; m_AreaId=\"49.0002\"}}",
            "m_IfIndex=2 -> {m_RemoteNbrIpAddr=\"10.0.15.2\"; m_ISISTOPO={m_SystemId=\"r5\"; "
            "m_Type=\"L1\"; m_AreaId=\"49.0001\"}}",
            "m_IfIndex=-1 -> {m_RemoteNbrIpAddr=\"10.0.16.2\"; m_ISISTOPO={m_SystemId=\"r6\"; "
            "m_Type=\"L2\"; m_AreaId=\"49.0003\"}}"}));
    const std::vector<std::string> adding = {
        "Adding remote nbrs for device R1, interface Et0/0, ifIndex 1.",
        "Adding remote nbrs for device R1, interface Ethernet0/0, ifIndex 1.",
        "Adding remote nbrs for device R1, interface Se1/0, ifIndex 2.",
        "Adding remote nbrs for device R1, interface Tu0, ifIndex -1."};
    EXPECT_EQ(FilteredLines(capture.Take(), adding), adding);
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
}

TEST(ProcessLayerRemote, EachValueIsTracedBeforeItIsAdded) {
    LabRouter router;
    router.IfDescr({{1, "Ethernet0/0"}});
    Mediation{router}.Adjacencies({Adjacency("r2", "Et0/0", "L1L2", "49.0001", "10.0.12.2")});
    QuillonAgentProbe probe(router.Requester());
    // The local step stores the walk this step reads.
    ASSERT_EQ(SAUFStoreSnmpList(&router.Record(), &router.Requester(), "ifDescr",
                                &router.MediationData()),
              1);
    DebugLevel level(4);
    TraceCapture capture;

    probe.ProcessRemoteNbrData(&router.Record(), &router.MediationData(), &router.ProcessedData());

    // The translator's own mapping lines sit between these.
    const std::vector<std::string> own = {
        "Entering into ProcessRemoteNbrData",
        "Adding remote nbrs for device R1, interface Et0/0, ifIndex 1.",
        "Entering into PopulateRemoteNbr",
        "Remote Ip Address = 10.0.12.2",
        "System Id = r2",
        "type = L1L2",
        "Area Id = 49.0001"};
    EXPECT_EQ(FilteredLines(capture.Take(), own), own);
}

TEST(ProcessLayerRemote, EmptyMapMakesNoRemoteNeighbour) {
    LabRouter router;
    router.IfDescr({{1, "Ethernet0/0"}});
    Mediation{router}.Adjacencies({});
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(3);
    TraceCapture capture;

    probe.Process(&router.Record());

    EXPECT_EQ(capture.Take().find("Adding remote nbrs"), std::string::npos);
    EXPECT_EQ(router.ProcessedData().SPDRemoteNbrCount(), 0);
    EXPECT_EQ(router.MediationData().SMDKeys(), std::vector<std::string>{"ifDescr"});
}

// ---------------------------------------------------------------------------
// Service data on the entity record.

namespace {

CScoutCiscoService* Service(const std::string& hostName) {
    CScoutCiscoService* service = new CScoutCiscoService;
    service->SetAreaID("49.0001");
    service->SetSystemID("0000.0000.0001");
    service->SetNETAddress("49.0001.0000.0000.0001.00");
    service->SetHostName(hostName);
    service->SetTag("Null Tag");
    service->SetPseudoNodeDIS(true);
    return service;
}

CScoutCiscoPseudoNodeLSP* PseudoNode() {
    CScoutCiscoPseudoNodeLSP* pseudoNode = new CScoutCiscoPseudoNodeLSP;
    pseudoNode->SetGeneratedPseudoNodeLSP("r1.01-00");
    pseudoNode->SetLevelType("Level-1");
    return pseudoNode;
}

std::string ExtraInfo(const CZanRecord& record) {
    return Describe(record.ZRGetObjectVal("m_ExtraInfo"));
}

const char* const kServiceR1 =
    "m_Service={m_AreaID=\"49.0001\"; m_SystemID=\"0000.0000.0001\"; "
    "m_NETAddress=\"49.0001.0000.0000.0001.00\"; m_HostName=\"r1\"; m_OverloadBit=0; "
    "m_Tag=\"Null Tag\"; m_PseudoNodeDIS=1}";
const char* const kPseudoNodeR1 =
    "m_PseudoNodeLSP={m_GeneratedPseudoNodeLSP=\"r1.01-00\"; m_LevelType=\"Level-1\"}";

} // namespace

TEST(ProcessPlatformData, ReplacesAnEarlierExtraInfoAndOnlyOnce) {
    LabRouter router;
    router.Record().ZRAddOrSetObjectVal("m_Name", new CZanVarBind("m_Name", "r1"));
    router.Record().ZRAddOrSetObjectVal("m_ExtraInfo", new CZanVarBind("m_ExtraInfo", "stale"));
    router.MediationData().SMDAddDataPtr("isisService", Service("r1"));
    router.MediationData().SMDAddDataPtr("isisPseudoNodeLSP", PseudoNode());
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(2);
    TraceCapture capture;

    probe.ProcessPlatformData(router.Record(), router.MediationData());
    const std::string expected =
        std::string("m_ISISTOPO={") + kServiceR1 + "; " + kPseudoNodeR1 + "}";
    EXPECT_EQ(ExtraInfo(router.Record()), expected);
    probe.ProcessPlatformData(router.Record(), router.MediationData());

    EXPECT_EQ(ExtraInfo(router.Record()), expected);
    ASSERT_EQ(router.Record().ZRFieldCount(), 2);
    EXPECT_EQ(router.Record().ZRFieldName(0), "m_Name");
    EXPECT_EQ(router.Record().ZRFieldName(1), "m_ExtraInfo");
    EXPECT_TRUE(router.MediationData().SMDKeys().empty());
    const std::string trace = capture.Take();
    EXPECT_EQ(Count(trace, "CScoutCiscoService::~CScoutCiscoService()"), 1);
    EXPECT_EQ(Count(trace, "CScoutCiscoPseudoNodeLSP::~CScoutCiscoPseudoNodeLSP()"), 1);
}

TEST(ProcessPlatformData, CarriesWhicheverObjectIsThere) {
    LabRouter serviceOnly;
    serviceOnly.MediationData().SMDAddDataPtr("isisService", Service("r1"));
    LabRouter pseudoNodeOnly;
    pseudoNodeOnly.MediationData().SMDAddDataPtr("isisPseudoNodeLSP", PseudoNode());
    LabRouter neither;
    QuillonAgentProbe probe;

    probe.ProcessPlatformData(serviceOnly.Record(), serviceOnly.MediationData());
    probe.ProcessPlatformData(pseudoNodeOnly.Record(), pseudoNodeOnly.MediationData());
    probe.ProcessPlatformData(neither.Record(), neither.MediationData());

    EXPECT_EQ(ExtraInfo(serviceOnly.Record()), std::string("m_ISISTOPO={") + kServiceR1 + "}");
    EXPECT_EQ(ExtraInfo(pseudoNodeOnly.Record()),
              std::string("m_ISISTOPO={") + kPseudoNodeR1 + "}");
    EXPECT_EQ(neither.Record().ZRFieldCount(), 0);
}
