// A live router's prompt names it where its service data does not: the agent
// reads no host name with a capital or a hyphen, so "D1-core" is known only
// from the prompt "D1-core#", and its neighbours call it that.
#include <gtest/gtest.h>

#include <string>

#include "CScoutEntity.h"
#include "CZanAtom.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "Topology.h"

namespace {

// Hands over a router with one serial interface (ifIndex 1) and one
// neighbour on it, the way the agent leaves it.
void Add(Topology& topology, const std::string& identifier, const std::string& hostName,
         const std::string& systemId, const std::string& prompt, const std::string& neighbour,
         const std::string& address) {
    CScoutEntity entity(identifier);
    entity.SEJournal().SEJAddRelationshipKey("m_IfIndex");

    CZanVBList* service = new CZanVBList(); // owned by the atom below
    service->ZVBLAddToListEnd(new CZanVarBind("m_AreaID", "49.0001"));
    service->ZVBLAddToListEnd(new CZanVarBind("m_SystemID", systemId));
    service->ZVBLAddToListEnd(new CZanVarBind("m_HostName", hostName));
    CZanAtom* serviceAtom = new CZanAtom(service); // taken over by the var bind
    CZanVBList* isis = new CZanVBList();
    isis->ZVBLAddToListEnd(new CZanVarBind("m_Service", &serviceAtom));
    CZanAtom* isisAtom = new CZanAtom(isis);
    entity.SERecord().ZRAddOrSetObjectVal("m_ExtraInfo", new CZanVarBind("m_ISISTOPO", &isisAtom));

    CZanVBList* local = new CZanVBList(); // taken over by the processed data
    local->ZVBLAddToListEnd(new CZanVarBind("m_IfIndex", 1));
    local->ZVBLAddToListEnd(new CZanVarBind("m_IfDescr", "Serial0/0"));
    entity.SEProcessedData().SPDAddLocalNbr(local);

    CZanVBList* adjacency = new CZanVBList();
    adjacency->ZVBLAddToListEnd(new CZanVarBind("m_SystemId", neighbour));
    adjacency->ZVBLAddToListEnd(new CZanVarBind("m_Type", "L2"));
    CZanAtom* adjacencyAtom = new CZanAtom(adjacency);
    CZanVBList* remote = new CZanVBList();
    remote->ZVBLAddToListEnd(new CZanVarBind("m_RemoteNbrIpAddr", address));
    remote->ZVBLAddToListEnd(new CZanVarBind("m_ISISTOPO", &adjacencyAtom));
    CZanVarBind key("m_IfIndex", 1);
    entity.SEProcessedData().SPDAddRemoteNbr(&key, remote);

    topology.STAddEntity(entity, prompt);
}

// The core router's service data has no host name; the edge router's prompt
// differs from its service data's host name, which counts.
Topology Network(const std::string& corePrompt) {
    Topology topology;
    Add(topology, "site:D1-core", "", "1921.6800.1001", corePrompt, "d1-edge", "10.0.0.2");
    Add(topology, "site:D1-edge", "d1-edge", "1921.6800.1002", "lab-edge", "D1-core", "10.0.0.1");
    topology.STResolve();
    return topology;
}

TEST(TopologyPrompt, NamesARouterWhoseServiceDataHasNoHostName) {
    const Topology topology = Network("D1-core");
    ASSERT_EQ(topology.STRouters().size(), 2u);
    EXPECT_EQ(topology.STRouters()[0].hostName, "D1-core");
    EXPECT_EQ(topology.STRouters()[1].hostName, "d1-edge");
    ASSERT_EQ(topology.STLinks().size(), 1u);
    const Topology::Link& link = topology.STLinks()[0];
    EXPECT_EQ(link.status, Topology::EStatus::Confirmed);
    EXPECT_EQ(link.from.router, 0);
    EXPECT_EQ(link.to.router, 1);
    EXPECT_EQ(link.from.hostName, "D1-core");
}

TEST(TopologyPrompt, WithoutItTheNeighbourNamesNoRouterOfTheRun) {
    const Topology topology = Network("");
    ASSERT_EQ(topology.STLinks().size(), 2u);
    EXPECT_EQ(topology.STLinks()[0].status, Topology::EStatus::OneSided);
    EXPECT_EQ(topology.STLinks()[1].status, Topology::EStatus::UnknownRouter);
    EXPECT_EQ(topology.STLinks()[1].to.hostName, "D1-core");
}

} // namespace
