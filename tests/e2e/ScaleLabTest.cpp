// The generated scale lab (the one quillon-labgen writes and the four-layer
// benchmark runs) is consistent: quillon reads it, keeps the router, and
// finds every interface, every adjacency and the service exactly as the
// generator laid them out, with no error.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "../../tools/labgen/ScaleLab.h"
#include "QuillonProcess.h"

namespace {

using nlohmann::ordered_json;

ordered_json Discover(const std::string& lab) {
    quillon_test::ScratchFolder folder;
    quillon_test::WriteFile(folder / "lab.json", lab);
    const auto result = quillon_test::RunQuillon(
        {"discover", "--format", "json", "--out", folder / "report.json", folder / "lab.json"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    if (result.status != 0)
        return ordered_json();
    return ordered_json::parse(quillon_test::ReadFile(folder / "report.json"));
}

class ScaleLab : public testing::TestWithParam<int> {};

TEST_P(ScaleLab, IsDiscoveredWholeAndWithoutError) {
    const int k = GetParam();
    const auto interfaces = scale_lab::detail::MakeInterfaces(k);
    const scale_lab::Router router = scale_lab::MakeRouter(k);
    const ordered_json report = Discover(scale_lab::LabJson(router));
    ASSERT_TRUE(report.is_object());
    const ordered_json& entity = report["entities"][0];

    EXPECT_TRUE(entity["accepted"].get<bool>());
    EXPECT_EQ(entity["errors"], ordered_json::array());
    EXPECT_EQ(entity["commands"].size(), static_cast<size_t>(1 + 3 * k + 1 + 5));
    EXPECT_EQ(entity["mediationKeysLeft"], ordered_json::array({"ifDescr"}));

    // One local neighbour per interface, in ifDescr order, with both levels
    // and the intervals of its configuration block; serial links to a Level-1
    // neighbour carry its SNPA.
    const ordered_json& locals = entity["localNeighbours"];
    ASSERT_EQ(locals.size(), static_cast<size_t>(k));
    for (int i = 0; i < k; ++i) {
        const auto& itf = interfaces[static_cast<size_t>(i)];
        const ordered_json& local = locals[static_cast<size_t>(i)];
        EXPECT_EQ(local["m_IfIndex"], i + 1);
        EXPECT_EQ(local["m_IfDescr"], itf.name);
        const ordered_json& endPoint = local["m_ISISTOPO"]["m_ProtocolEndPoint"];
        EXPECT_EQ(endPoint["m_ISISEnabled"], 1) << itf.name;
        EXPECT_EQ(endPoint["m_CircuitType"], "level-1-2") << itf.name;
        ASSERT_EQ(endPoint["m_LevelData"].size(), 2u) << itf.name;
        EXPECT_EQ(endPoint["m_LevelData"][0]["m_CircuitID"], itf.circuitId) << itf.name;
        EXPECT_EQ(endPoint["m_LSPTransmitInterval"], 33 + i % 4) << itf.name;
        const char* csnp = i % 2 == 0 ? "m_L1CSNPTransmitInterval" : "m_L2CSNPTransmitInterval";
        EXPECT_EQ(endPoint[csnp], 10 + i % 3) << itf.name;
        const bool snpa = itf.serial && itf.neighbours.front().type == "L1";
        EXPECT_EQ(endPoint.contains("m_SNPA"), snpa) << itf.name;
    }

    // Every adjacency, on the ifIndex of its interface, in the order of the
    // interface names as the neighbour table prints them.
    std::map<std::string, std::pair<int, const scale_lab::detail::Interface*>> byShortName;
    for (size_t i = 0; i < interfaces.size(); ++i)
        byShortName[interfaces[i].shortName] = {static_cast<int>(i + 1), &interfaces[i]};
    std::vector<ordered_json> expected;
    for (const auto& [shortName, found] : byShortName) {
        for (const auto& nb : found.second->neighbours) {
            ordered_json remote;
            remote["m_IfIndex"] = found.first;
            remote["record"]["m_RemoteNbrIpAddr"] = nb.address;
            remote["record"]["m_ISISTOPO"]["m_SystemId"] = nb.host;
            remote["record"]["m_ISISTOPO"]["m_Type"] = nb.type;
            remote["record"]["m_ISISTOPO"]["m_AreaId"] = nb.area;
            expected.push_back(remote);
        }
    }
    const ordered_json& remotes = entity["remoteNeighbours"];
    ASSERT_EQ(remotes.size(), static_cast<size_t>(4 * k));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(remotes[i], expected[i]) << "adjacency " << i;

    const ordered_json& service = entity["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_Service"];
    EXPECT_EQ(service["m_SystemID"], "0000.0000.0001.00");
    EXPECT_EQ(service["m_AreaID"], "49.0001");
    EXPECT_EQ(service["m_NETAddress"], "49.0001.0000.0000.0001.00");
    EXPECT_EQ(service["m_HostName"], "r1");
    EXPECT_EQ(service["m_Tag"], "Null Tag");
    EXPECT_EQ(service["m_PseudoNodeDIS"], 1);
    EXPECT_EQ(service["m_OverloadBit"], 0);
}

// Sizes where every interface is a LAN, where the serial links start, and
// where LANs outnumber the pseudo-node ids the router has.
INSTANTIATE_TEST_SUITE_P(Sizes, ScaleLab, testing::Values(1, 4, 24, 350));

TEST(ScaleLabSize, HasTheStatedCounts) {
    for (const int k : {10, 100}) {
        const scale_lab::Router router = scale_lab::MakeRouter(k);
        std::map<std::string, std::string> answers(router.commands.begin(), router.commands.end());
        EXPECT_EQ(router.ifDescr.size(), static_cast<size_t>(k));
        // Ten LSPs per interface, in two sections, plus their two headings.
        size_t rows = 0;
        for (const char c : answers["show isis database"])
            rows += c == '\n' ? 1 : 0;
        EXPECT_EQ(rows, static_cast<size_t>(10 * k + 4 + 1));
        size_t blocks = 0;
        for (size_t at = 0; (at = answers["show clns is-neighbors detail"].find("Uptime:", at)) !=
                            std::string::npos;
             ++at)
            ++blocks;
        EXPECT_EQ(blocks, static_cast<size_t>(4 * k));
    }
}

} // namespace
