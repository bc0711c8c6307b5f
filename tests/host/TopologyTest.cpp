// The host's relationship handling: routers' records in, links out. The cases
// (tests/data/topology/cases.json) describe each router as an agent leaves it
// on its entity and every link expected, one line each.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>
#include <vector>

#include "CScoutEntity.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "Topology.h"

namespace {

using nlohmann::ordered_json;

const ordered_json& Cases() {
    static const ordered_json cases =
        ordered_json::parse(std::ifstream(std::string(QUILLON_TEST_DATA) + "/topology/cases.json"));
    return cases;
}

// The record model of a JSON value: objects are lists, arrays vectors of lists.
CZanVBList* List(const ordered_json& object);

CZanVarBind* VarBind(const std::string& name, const ordered_json& value) {
    if (value.is_number_integer())
        return new CZanVarBind(name.c_str(), value.get<int>());
    if (value.is_string())
        return new CZanVarBind(name.c_str(), value.get<std::string>());
    CZanAtom* atom = nullptr;
    if (value.is_object()) {
        atom = new CZanAtom(List(value));
    } else {
        CZanAtomVector* vector = new CZanAtomVector(static_cast<int>(value.size()));
        for (const ordered_json& item : value)
            vector->ZAVAddToEnd(new CZanAtom(List(item)));
        atom = new CZanAtom(vector);
    }
    return new CZanVarBind(name.c_str(), &atom);
}

CZanVBList* List(const ordered_json& object) {
    CZanVBList* list = new CZanVBList();
    for (const auto& [name, value] : object.items())
        list->ZVBLAddToListEnd(VarBind(name, value));
    return list;
}

// Hands a router's records to the topology the way an agent leaves them.
void Add(Topology& topology, const ordered_json& router) {
    CScoutEntity entity(router["id"].get<std::string>());
    if (router.value("related", true))
        entity.SEJournal().SEJAddRelationshipKey("m_IfIndex");
    const std::string lsp = router.value("pseudoNode", "");
    const ordered_json service = {{"m_AreaID", router["area"]},
                                  {"m_SystemID", router["systemId"]},
                                  {"m_HostName", router["host"]},
                                  {"m_PseudoNodeDIS", lsp.empty() ? 0 : 1}};
    entity.SERecord().ZRAddOrSetObjectVal(
        "m_ExtraInfo",
        VarBind("m_ISISTOPO", {{"m_Service", service},
                               {"m_PseudoNodeLSP", {{"m_GeneratedPseudoNodeLSP", lsp}}}}));
    for (const ordered_json& port : router["ports"]) {
        ordered_json levels = ordered_json::array();
        for (const ordered_json& level : port[2])
            levels.push_back(
                {{"m_LevelType", level[0]}, {"m_Metric", level[1]}, {"m_CircuitID", level[2]}});
        const ordered_json endPoint = {{"m_ISISEnabled", 1}, {"m_LevelData", levels}};
        entity.SEProcessedData().SPDAddLocalNbr(
            List({{"m_IfIndex", port[0]},
                  {"m_IfDescr", port[1]},
                  {"m_ISISTOPO", {{"m_ProtocolEndPoint", endPoint}}}}));
    }
    for (const ordered_json& neighbour : router["neighbours"]) {
        CZanVarBind key("m_IfIndex", neighbour[0].get<int>());
        entity.SEProcessedData().SPDAddRemoteNbr(&key, List({{"m_RemoteNbrIpAddr", neighbour[4]},
                                                             {"m_ISISTOPO",
                                                              {{"m_SystemId", neighbour[1]},
                                                               {"m_Type", neighbour[2]},
                                                               {"m_AreaId", neighbour[3]}}}}));
    }
    topology.STAddEntity(entity);
}

// "r1 Serial1/0(5) Level-2=30 -- r2 Serial1/1(6) Level-2=40 L2 confirmed",
// then the LANs and the candidates.
std::string Summary(const Topology& topology, const Topology::Link& link) {
    const auto name = [&](int router) {
        return router < 0 ? std::string("?")
                          : topology.STRouters()[static_cast<std::size_t>(router)].identifier;
    };
    const auto side = [&](const Topology::LinkEnd& end) {
        std::string text = end.router >= 0 ? name(end.router) : "?" + end.hostName + end.systemId;
        if (end.hasIfDescr)
            text += " " + end.ifDescr;
        if (end.hasIfIndex)
            text += "(" + std::to_string(end.ifIndex) + ")";
        for (const auto& [level, metric] : end.metrics)
            text += " " + level + "=" + std::to_string(metric);
        return text + (end.area.empty() ? "" : " area " + end.area) +
               (end.address.empty() ? "" : " at " + end.address);
    };
    std::string text = side(link.from) + " -- " + side(link.to) + " " + link.type + " " +
                       Topology::STStatusName(link.status);
    for (const Topology::PseudoNode& node : link.pseudoNodes) {
        text += ", LAN " + node.id + " DIS " + name(node.designatedIS);
        for (const std::string& level : node.levels)
            text += " " + level;
    }
    for (int candidate : link.candidates)
        text += ", may be " + name(candidate);
    return text;
}

TEST(Topology, SystemIdsAndLanIds) {
    for (const ordered_json& row : Cases()["names"]) {
        EXPECT_EQ(Topology::STSystemIdOf(row[0].get<std::string>()), row[1].get<std::string>())
            << row[0];
        EXPECT_EQ(Topology::STLanIdOf(row[0].get<std::string>()), row[2].get<std::string>())
            << row[0];
    }
}

TEST(Topology, LinksOfEachCase) {
    for (const ordered_json& testCase : Cases()["cases"]) {
        Topology topology;
        for (const ordered_json& router : testCase["routers"])
            Add(topology, router);
        // Resolving again replaces the links, it does not add to them.
        topology.STResolve();
        topology.STResolve();
        std::vector<std::string> links;
        for (const Topology::Link& link : topology.STLinks())
            links.push_back(Summary(topology, link));
        EXPECT_EQ(links, testCase["links"].get<std::vector<std::string>>()) << testCase["case"];
    }
}

} // namespace
