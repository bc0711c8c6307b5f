// The records an agent leaves on an entity for one router (service data,
// local neighbours with their levels, remote neighbours), built from a plain
// description and handed to a topology.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "CScoutEntity.h"
#include "CScoutTopology.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"

namespace topology_records {

struct LevelRow {
    const char* level;
    int metric;
    const char* circuitId;
};

struct PortRow {
    int ifIndex;
    std::string ifDescr;
    std::vector<LevelRow> levels;
};

struct NeighbourRow {
    int ifIndex;
    std::string name;
    std::string type;
    std::string area;
    std::string address;
};

struct RouterRow {
    RouterRow(std::string identifier_, std::string hostName_, std::string systemId_,
              std::string area_, std::vector<PortRow> ports_, std::vector<NeighbourRow> neighbours_,
              std::string pseudoNodeLSP_ = "")
        : identifier(std::move(identifier_)), hostName(std::move(hostName_)),
          systemId(std::move(systemId_)), area(std::move(area_)), ports(std::move(ports_)),
          neighbours(std::move(neighbours_)), pseudoNodeLSP(std::move(pseudoNodeLSP_)) {}

    std::string identifier;
    std::string hostName;
    std::string systemId; // as "show clns protocol" prints it, with selector
    std::string area;
    std::vector<PortRow> ports;
    std::vector<NeighbourRow> neighbours;
    std::string pseudoNodeLSP;
    bool related = true; // handed to the relationship handling with "m_IfIndex"
};

inline CZanVarBind* ListVarBind(const char* name, CZanVBList* list) {
    CZanAtom* atom = new CZanAtom(list);
    return new CZanVarBind(name, &atom);
}

// Hands the router's records to the topology the way an agent leaves them on
// an entity.
inline void Add(CScoutTopology& topology, const RouterRow& row) {
    CScoutEntity entity(row.identifier);
    if (row.related)
        entity.SEJournal().SEJAddRelationshipKey("m_IfIndex");

    CZanVBList* service = new CZanVBList();
    service->ZVBLAddToListEnd(new CZanVarBind("m_AreaID", row.area));
    service->ZVBLAddToListEnd(new CZanVarBind("m_SystemID", row.systemId));
    service->ZVBLAddToListEnd(new CZanVarBind("m_NETAddress", "64"));
    service->ZVBLAddToListEnd(new CZanVarBind("m_HostName", row.hostName));
    service->ZVBLAddToListEnd(new CZanVarBind("m_OverloadBit", 0));
    service->ZVBLAddToListEnd(new CZanVarBind("m_Tag", "Null Tag"));
    service->ZVBLAddToListEnd(
        new CZanVarBind("m_PseudoNodeDIS", row.pseudoNodeLSP.empty() ? 0 : 1));
    CZanVBList* pseudoNode = new CZanVBList();
    pseudoNode->ZVBLAddToListEnd(new CZanVarBind("m_GeneratedPseudoNodeLSP", row.pseudoNodeLSP));
    pseudoNode->ZVBLAddToListEnd(new CZanVarBind("m_LevelType", ""));
    CZanVBList* isis = new CZanVBList();
    isis->ZVBLAddToListEnd(ListVarBind("m_Service", service));
    isis->ZVBLAddToListEnd(ListVarBind("m_PseudoNodeLSP", pseudoNode));
    entity.SERecord().ZRAddOrSetObjectVal("m_ExtraInfo", ListVarBind("m_ISISTOPO", isis));

    for (const PortRow& port : row.ports) {
        CZanAtomVector* levels = new CZanAtomVector(static_cast<int>(port.levels.size()));
        for (const LevelRow& level : port.levels) {
            CZanVBList* data = new CZanVBList();
            data->ZVBLAddToListEnd(new CZanVarBind("m_LevelType", level.level));
            data->ZVBLAddToListEnd(new CZanVarBind("m_Metric", level.metric));
            data->ZVBLAddToListEnd(new CZanVarBind("m_Priority", 64));
            data->ZVBLAddToListEnd(new CZanVarBind("m_CircuitID", level.circuitId));
            levels->ZAVAddToEnd(new CZanAtom(data));
        }
        CZanVBList* endPoint = new CZanVBList();
        endPoint->ZVBLAddToListEnd(new CZanVarBind("m_ISISEnabled", 1));
        CZanAtom* vector = new CZanAtom(levels);
        endPoint->ZVBLAddToListEnd(new CZanVarBind("m_LevelData", &vector));
        CZanVBList* wrapper = new CZanVBList();
        wrapper->ZVBLAddToListEnd(ListVarBind("m_ProtocolEndPoint", endPoint));
        CZanVBList* local = new CZanVBList();
        local->ZVBLAddToListEnd(new CZanVarBind("m_IfIndex", port.ifIndex));
        local->ZVBLAddToListEnd(new CZanVarBind("m_IfDescr", port.ifDescr));
        local->ZVBLAddToListEnd(ListVarBind("m_ISISTOPO", wrapper));
        entity.SEProcessedData().SPDAddLocalNbr(local);
    }

    for (const NeighbourRow& neighbour : row.neighbours) {
        CZanVBList* inner = new CZanVBList();
        inner->ZVBLAddToListEnd(new CZanVarBind("m_SystemId", neighbour.name));
        inner->ZVBLAddToListEnd(new CZanVarBind("m_Type", neighbour.type));
        inner->ZVBLAddToListEnd(new CZanVarBind("m_AreaId", neighbour.area));
        CZanVBList* remote = new CZanVBList();
        remote->ZVBLAddToListEnd(new CZanVarBind("m_RemoteNbrIpAddr", neighbour.address));
        remote->ZVBLAddToListEnd(ListVarBind("m_ISISTOPO", inner));
        CZanVarBind key("m_IfIndex", neighbour.ifIndex);
        entity.SEProcessedData().SPDAddRemoteNbr(&key, remote);
    }
    topology.STAddEntity(entity);
}

// A run that gives a link of each kind: R1 and R2 on a LAN whose designated
// IS is R1 (confirmed), R1 to r9 that is not in the run (unknown router), R1
// to "core" on an interface it could not resolve, which two routers of the
// run are called (ambiguous), and R2 to R3 that did not report R2 back
// (one-sided).
inline std::vector<RouterRow> MixedRun() {
    return {
        {"R1",
         "r1",
         "0000.0000.0001.00",
         "49.0001",
         {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}, {"Level-2", 20, "r1.01"}}},
          {5, "Serial1/0", {{"Level-2", 30, "r9.00"}}}},
         {{1, "r2", "L1", "49.0001", "10.0.0.2"},
          {5, "r9", "L2", "49.0009", "10.0.19.9"},
          {-1, "core", "L2", "49.0002", "10.0.7.7"}},
         "r1.01-00"},
        {"R2",
         "r2",
         "0000.0000.0002.00",
         "49.0001",
         {{2, "Ethernet0/1", {{"Level-1", 15, "r1.01"}}}, {6, "Serial1/1", {}}},
         {{2, "r1", "L1", "49.0001", "10.0.0.1"}, {6, "r3", "L2", "49.0002", "10.0.23.3"}}},
        {"R3", "r3", "0000.0000.0003.00", "49.0002", {}, {}},
        {"C1", "core", "0000.0000.00c1.00", "49.0002", {}, {}},
        {"C2", "core", "0000.0000.00c2.00", "49.0002", {}, {}},
    };
}

inline void AddAll(CScoutTopology& topology, const std::vector<RouterRow>& routers) {
    for (const RouterRow& router : routers)
        Add(topology, router);
    topology.STResolve();
}

} // namespace topology_records
