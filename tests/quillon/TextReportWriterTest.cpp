// The text report reads the agent's records; these cases check that each
// record lands on the line a network engineer looks for.
#include <gtest/gtest.h>

#include <string>

#include "CScoutEntity.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanError.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "TextReportWriter.h"
#include "TopologyRecords.h"

namespace {

CZanVarBind* ListVarBind(const char* name, CZanVBList* list) {
    CZanAtom* atom = new CZanAtom(list);
    return new CZanVarBind(name, &atom);
}

CZanVBList* Level(const char* type, int metric, int priority, const char* circuit) {
    CZanVBList* level = new CZanVBList();
    level->ZVBLAddToListEnd(new CZanVarBind("m_LevelType", type));
    level->ZVBLAddToListEnd(new CZanVarBind("m_Metric", metric));
    level->ZVBLAddToListEnd(new CZanVarBind("m_Priority", priority));
    level->ZVBLAddToListEnd(new CZanVarBind("m_CircuitID", circuit));
    return level;
}

CZanVBList* LocalNeighbour(int ifIndex, const char* name) {
    CZanVBList* local = new CZanVBList();
    local->ZVBLAddToListEnd(new CZanVarBind("m_IfIndex", ifIndex));
    local->ZVBLAddToListEnd(new CZanVarBind("m_IfDescr", name));
    return local;
}

void AddRemote(CScoutEntity& entity, int ifIndex, const char* systemId, const char* type) {
    CZanVBList* topology = new CZanVBList();
    topology->ZVBLAddToListEnd(new CZanVarBind("m_SystemId", systemId));
    topology->ZVBLAddToListEnd(new CZanVarBind("m_Type", type));
    topology->ZVBLAddToListEnd(new CZanVarBind("m_AreaId", "49.0001"));
    CZanVBList* remote = new CZanVBList();
    remote->ZVBLAddToListEnd(new CZanVarBind("m_RemoteNbrIpAddr", "10.0.12.2"));
    remote->ZVBLAddToListEnd(ListVarBind("m_ISISTOPO", topology));
    CZanVarBind key("m_IfIndex", ifIndex);
    entity.SEProcessedData().SPDAddRemoteNbr(&key, remote);
}

TEST(TextReportWriter, AcceptedRouter) {
    CScoutEntity entity("R1");
    entity.SEJournal().SEJAddCommand("show clns protocol");
    entity.SEJournal().SEJAddCommand("show clns interface");

    CZanAtomVector* levels = new CZanAtomVector(2);
    levels->ZAVAddToEnd(new CZanAtom(Level("Level-1", 10, 64, "r1.01")));
    levels->ZAVAddToEnd(new CZanAtom(Level("Level-2", 20, 65, "r1.01")));
    CZanVBList* endPoint = new CZanVBList();
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_ISISEnabled", 1));
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_CircuitType", "level-1-2"));
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_L1CSNPTransmitInterval", 10));
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_LSPTransmitInterval", 33));
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_SNPA", "HDLC"));
    CZanAtom* vectorAtom = new CZanAtom(levels);
    endPoint->ZVBLAddToListEnd(new CZanVarBind("m_LevelData", &vectorAtom));
    CZanVBList* wrapper = new CZanVBList();
    wrapper->ZVBLAddToListEnd(ListVarBind("m_ProtocolEndPoint", endPoint));
    CZanVBList* ethernet = LocalNeighbour(1, "Ethernet0/0");
    ethernet->ZVBLAddToListEnd(ListVarBind("m_ISISTOPO", wrapper));
    entity.SEProcessedData().SPDAddLocalNbr(ethernet);
    entity.SEProcessedData().SPDAddLocalNbr(LocalNeighbour(2, "Serial1/0"));

    AddRemote(entity, 1, "r2", "L1L2");
    AddRemote(entity, -1, "r9", "L2");

    CZanVBList* service = new CZanVBList();
    service->ZVBLAddToListEnd(new CZanVarBind("m_AreaID", "49.0001"));
    service->ZVBLAddToListEnd(new CZanVarBind("m_SystemID", "1921.6800.1001"));
    service->ZVBLAddToListEnd(new CZanVarBind("m_NETAddress", "49.0001.1921.6800.1001.00"));
    service->ZVBLAddToListEnd(new CZanVarBind("m_HostName", "r1"));
    service->ZVBLAddToListEnd(new CZanVarBind("m_OverloadBit", 1));
    service->ZVBLAddToListEnd(new CZanVarBind("m_Tag", ""));
    service->ZVBLAddToListEnd(new CZanVarBind("m_PseudoNodeDIS", 1));
    CZanVBList* pseudoNode = new CZanVBList();
    pseudoNode->ZVBLAddToListEnd(new CZanVarBind("m_GeneratedPseudoNodeLSP", "r1.01-00"));
    pseudoNode->ZVBLAddToListEnd(new CZanVarBind("m_LevelType", "Level-1 AND Level-2"));
    CZanVBList* topology = new CZanVBList();
    topology->ZVBLAddToListEnd(ListVarBind("m_Service", service));
    topology->ZVBLAddToListEnd(ListVarBind("m_PseudoNodeLSP", pseudoNode));
    entity.SERecord().ZRAddOrSetObjectVal("m_ExtraInfo", ListVarBind("m_ISISTOPO", topology));

    entity.SEBegin();
    CZanError(-220439, "CScoutQuillonAgent", 534, "Unable to find ifIndex for interface Lo0\n");
    entity.SEEnd();

    TextReportWriter writer;
    writer.Begin("Quillon", "Discovery Agent", "3.7.0.38");
    writer.AddEntity(entity, true);
    writer.End();
    EXPECT_EQ(writer.Text(),
              "Quillon 3.7.0.38: Discovery Agent\n"
              "\n"
              "Router R1: accepted\n"
              "  IS-IS interfaces (2):\n"
              "    Ethernet0/0, ifIndex 1\n"
              "      IS-IS enabled, circuit type level-1-2\n"
              "      Level-1: metric 10, priority 64, circuit id r1.01\n"
              "      Level-2: metric 20, priority 65, circuit id r1.01\n"
              "      CSNP interval 10 s (level-1), LSP interval 33 ms\n"
              "      neighbour SNPA HDLC\n"
              "    Serial1/0, ifIndex 2\n"
              "      no IS-IS data collected\n"
              "  Adjacencies (2):\n"
              "    r2 via Ethernet0/0 (ifIndex 1): type L1L2, area 49.0001, address 10.0.12.2\n"
              "    r9 via an interface not found in ifDescr: type L2, area 49.0001, address "
              "10.0.12.2\n"
              "  IS-IS service:\n"
              "    system id 1921.6800.1001, area 49.0001, NET 49.0001.1921.6800.1001.00\n"
              "    host name r1, tag -\n"
              "    designated IS: yes, overload bit: set\n"
              "    pseudo-node LSP: r1.01-00 (Level-1 AND Level-2)\n"
              "  Errors (1):\n"
              "    error -220439 at CScoutQuillonAgent:534: Unable to find ifIndex for "
              "interface Lo0\n"
              "  Commands run: 2\n"
              "\n"
              "1 router: 1 accepted, 0 dropped\n");
}

TEST(TextReportWriter, DroppedRouterAndDeviceBytes) {
    CScoutEntity entity(std::string("R\x01\xC3", 3));
    entity.SEJournal().SEJAddCommand("show clns protocol");
    TextReportWriter writer;
    writer.Begin("Quillon", "Discovery Agent", "3.7.0.38");
    writer.AddEntity(entity, false);
    writer.End();
    EXPECT_EQ(writer.Text(), "Quillon 3.7.0.38: Discovery Agent\n"
                             "\n"
                             "Router R\\x01\xEF\xBF\xBD: dropped (no IS-IS interface found)\n"
                             "  Commands run: 1\n"
                             "\n"
                             "1 router: 0 accepted, 1 dropped\n");
}

TEST(TextReportWriter, EndsWithTheLinks) {
    CScoutTopology topology;
    topology_records::AddAll(topology, topology_records::MixedRun());
    CScoutEntity entity("R1");
    TextReportWriter writer;
    writer.Begin("Quillon", "Discovery Agent", "3.7.0.38");
    writer.AddEntity(entity, false);
    writer.AddLinks(topology);
    writer.End();
    EXPECT_EQ(writer.Text(),
              "Quillon 3.7.0.38: Discovery Agent\n"
              "\n"
              "Router R1: dropped (no IS-IS interface found)\n"
              "  Commands run: 0\n"
              "\n"
              "1 router: 0 accepted, 1 dropped\n"
              "\n"
              "Links (4):\n"
              "  R1 Ethernet0/0 (ifIndex 1) -- R2 Ethernet0/1 (ifIndex 2): L1, reported by both\n"
              "    R1: address 10.0.0.1, area 49.0001, Level-1 metric 10\n"
              "    R2: address 10.0.0.2, area 49.0001, Level-1 metric 15\n"
              "    LAN r1.01 on Level-1, designated IS R1\n"
              "  R1 Serial1/0 (ifIndex 5) -- r9: L2, neighbour not in this run\n"
              "    R1: area 49.0001, Level-2 metric 30\n"
              "    r9: address 10.0.19.9, area 49.0009\n"
              "  R1 unresolved interface (ifIndex -1) -- core: L2, ambiguous: C1 or C2\n"
              "    R1: area 49.0001\n"
              "    core: address 10.0.7.7, area 49.0002\n"
              "  R2 Serial1/1 (ifIndex 6) -- R3: L2, reported by R2 only\n"
              "    R2: area 49.0001\n"
              "    R3: address 10.0.23.3, area 49.0002\n");

    TextReportWriter empty;
    empty.Begin("Quillon", "Discovery Agent", "3.7.0.38");
    empty.AddLinks(CScoutTopology());
    empty.End();
    EXPECT_EQ(empty.Text(), "Quillon 3.7.0.38: Discovery Agent\n"
                            "\n"
                            "0 routers: 0 accepted, 0 dropped\n"
                            "\n"
                            "Links: none\n");
}

} // namespace
