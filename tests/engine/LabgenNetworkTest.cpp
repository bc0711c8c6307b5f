// A generated network, discovered by quillon, comes out whole: every router
// kept without error, every adjacency reported by both its routers, every
// LAN with its designated IS. (That its addresses are owned once and lead
// from one router to all the others, the live crawl test shows.)
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>
#include <set>
#include <string>

#include "NetworkLab.h"
#include "NetworkPlan.h"
#include "QuillonProcess.h"

namespace {

using nlohmann::json;

// The JSON report of a discovery of the generated network.
json Discover(int routers, std::uint32_t seed) {
    quillon_test::ScratchFolder folder;
    quillon_test::WriteFile(folder / "lab.json", NetworkLab::Json(NetworkPlan(routers, seed)));
    const auto result = quillon_test::RunQuillon(
        {"discover", "--format", "json", "--out", folder / "r.json", folder / "lab.json"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    return json::parse(quillon_test::ReadFile(folder / "r.json"));
}

TEST(LabgenNetwork, IsDiscoveredWholeWithEveryAdjacencyConfirmed) {
    const int size = 30;
    const json report = Discover(size, 4);
    const json& entities = report["entities"];
    ASSERT_EQ(entities.size(), static_cast<std::size_t>(size));
    std::set<std::string> areas;
    std::set<std::string> designatedByDatabase;
    for (const json& entity : entities) {
        EXPECT_TRUE(entity["accepted"].get<bool>()) << entity["name"];
        EXPECT_EQ(entity["errors"], json::array()) << entity["name"];
        EXPECT_EQ(entity["mediationKeysLeft"], json::array({"ifDescr"})) << entity["name"];
        const json& service = entity["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_Service"];
        EXPECT_EQ(service["m_HostName"], entity["name"]);
        areas.insert(service["m_AreaID"].get<std::string>());
        // A designated IS lists its pseudo-node LSP first in its database.
        const std::string lsp = entity["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_PseudoNodeLSP"]
                                      ["m_GeneratedPseudoNodeLSP"];
        EXPECT_EQ(service["m_PseudoNodeDIS"] == 1, !lsp.empty()) << entity["name"];
        if (!lsp.empty()) {
            EXPECT_EQ(lsp, entity["name"].get<std::string>() + ".01-00");
            designatedByDatabase.insert(entity["name"].get<std::string>());
        }
    }
    EXPECT_GE(areas.size(), 3u);

    // LAN id to the routers seen on it, and its designated IS.
    std::map<std::string, std::set<std::string>> lanRouters;
    std::map<std::string, std::set<std::string>> lanDesignated;
    std::set<std::string> types;
    for (const json& link : report["links"]) {
        EXPECT_EQ(link["status"], "confirmed") << link.dump();
        ASSERT_TRUE(link["from"]["router"].is_string() && link["to"]["router"].is_string())
            << link.dump();
        types.insert(link["type"].get<std::string>());
        const bool lan = link["from"]["ifDescr"].get<std::string>().rfind("Gigabit", 0) == 0;
        EXPECT_EQ(link["pseudoNodes"].empty(), !lan) << link.dump();
        for (const json& node : link["pseudoNodes"]) {
            const std::string id = node["id"];
            ASSERT_TRUE(node["designatedIS"].is_string()) << link.dump();
            lanDesignated[id].insert(node["designatedIS"].get<std::string>());
            lanRouters[id].insert(link["from"]["router"].get<std::string>());
            lanRouters[id].insert(link["to"]["router"].get<std::string>());
        }
    }
    EXPECT_EQ(types, (std::set<std::string>{"L1", "L1L2", "L2"}));
    std::size_t bigLans = 0;
    std::set<std::string> designatedByLinks;
    for (const auto& [id, designated] : lanDesignated) {
        ASSERT_EQ(designated.size(), 1u) << id;
        EXPECT_EQ(id.substr(0, id.find('.')), *designated.begin());
        EXPECT_EQ(lanRouters[id].count(*designated.begin()), 1u) << id;
        bigLans += lanRouters[id].size() >= 3 ? 1 : 0;
        designatedByLinks.insert(*designated.begin());
    }
    EXPECT_GE(bigLans, 1u);
    EXPECT_EQ(designatedByLinks, designatedByDatabase);
}

// A router on its own still runs IS-IS, on a LAN of its own.
TEST(LabgenNetwork, OneRouterIsAcceptedWithItsOwnLan) {
    const json report = Discover(1, 1);
    ASSERT_EQ(report["entities"].size(), 1u);
    const json& entity = report["entities"][0];
    EXPECT_TRUE(entity["accepted"].get<bool>());
    EXPECT_EQ(entity["errors"], json::array());
    EXPECT_EQ(entity["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_PseudoNodeLSP"]
                    ["m_GeneratedPseudoNodeLSP"],
              "r1.01-00");
    EXPECT_EQ(report["links"], json::array());
}

TEST(LabgenNetwork, IsTheSameForTheSameSeedOnly) {
    const std::string first = NetworkLab::Json(NetworkPlan(40, 9));
    EXPECT_EQ(NetworkLab::Json(NetworkPlan(40, 9)), first);
    EXPECT_NE(NetworkLab::Json(NetworkPlan(40, 10)), first);
}

} // namespace
