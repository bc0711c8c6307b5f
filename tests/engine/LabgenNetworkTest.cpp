// A generated network, discovered by quillon, comes out whole: every router
// kept without error, every adjacency reported by both its routers, every
// LAN with its designated IS, and every address in 127.16.0.0/12, owned by
// one router, the owners all reachable from one of them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <arpa/inet.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "NetworkLab.h"
#include "NetworkPlan.h"
#include "QuillonProcess.h"

namespace {

using nlohmann::json;

struct Discovery {
    json lab;
    json report;
};

Discovery Discover(int routers, std::uint32_t seed) {
    quillon_test::ScratchFolder folder;
    Discovery discovery;
    const std::string lab = NetworkLab::Json(NetworkPlan(routers, seed));
    discovery.lab = json::parse(lab);
    quillon_test::WriteFile(folder / "lab.json", lab);
    const auto result = quillon_test::RunQuillon(
        {"discover", "--format", "json", "--out", folder / "r.json", folder / "lab.json"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    discovery.report = json::parse(quillon_test::ReadFile(folder / "r.json"));
    return discovery;
}

bool InLabRange(const std::string& text) {
    in_addr address{};
    if (inet_pton(AF_INET, text.c_str(), &address) != 1)
        return false;
    return (ntohl(address.s_addr) & 0xFFF00000u) == 0x7F100000u; // 127.16.0.0/12
}

TEST(LabgenNetwork, IsDiscoveredWholeWithEveryAdjacencyConfirmed) {
    const int size = 30;
    const Discovery run = Discover(size, 4);
    const json& entities = run.report["entities"];
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
    for (const json& link : run.report["links"]) {
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

    std::map<std::string, std::string> owner;
    for (const json& device : run.lab["devices"]) {
        for (const json& address : device["addresses"]) {
            EXPECT_TRUE(InLabRange(address.get<std::string>())) << address;
            EXPECT_TRUE(owner.emplace(address.get<std::string>(), device["name"]).second)
                << address << " is owned twice";
        }
    }
    // Follow the neighbours' addresses from the first router.
    std::map<std::string, std::vector<std::string>> next;
    for (const json& entity : entities) {
        for (const json& remote : entity["remoteNeighbours"]) {
            const std::string address = remote["record"]["m_RemoteNbrIpAddr"];
            ASSERT_EQ(owner.count(address), 1u) << address << " is nobody's";
            next[entity["name"]].push_back(owner[address]);
        }
    }
    std::set<std::string> reached = {entities[0]["name"]};
    std::vector<std::string> todo(reached.begin(), reached.end());
    while (!todo.empty()) {
        const std::string router = todo.back();
        todo.pop_back();
        for (const std::string& neighbour : next[router]) {
            if (reached.insert(neighbour).second)
                todo.push_back(neighbour);
        }
    }
    EXPECT_EQ(reached.size(), static_cast<std::size_t>(size));
}

// A router on its own still runs IS-IS, on a LAN of its own.
TEST(LabgenNetwork, OneRouterIsAcceptedWithItsOwnLan) {
    const Discovery run = Discover(1, 1);
    ASSERT_EQ(run.report["entities"].size(), 1u);
    const json& entity = run.report["entities"][0];
    EXPECT_TRUE(entity["accepted"].get<bool>());
    EXPECT_EQ(entity["errors"], json::array());
    EXPECT_EQ(entity["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_PseudoNodeLSP"]
                    ["m_GeneratedPseudoNodeLSP"],
              "r1.01-00");
    EXPECT_EQ(run.report["links"], json::array());
}

TEST(LabgenNetwork, IsTheSameForTheSameSeedOnly) {
    const std::string first = NetworkLab::Json(NetworkPlan(40, 9));
    EXPECT_EQ(NetworkLab::Json(NetworkPlan(40, 9)), first);
    EXPECT_NE(NetworkLab::Json(NetworkPlan(40, 10)), first);
}

TEST(LabgenNetwork, RefusesCountsOutOfRange) {
    EXPECT_THROW(NetworkPlan(0, 1), std::invalid_argument);
    EXPECT_THROW(NetworkPlan(NetworkPlan::kMaxRouters + 1, 1), std::invalid_argument);
}

} // namespace
