// The generated scale lab (the one quillon-labgen writes and the four-layer
// benchmark runs) is discovered whole: the router is kept with every
// interface, every adjacency and its service exactly as the generator laid
// them out, and no error.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>
#include <vector>

#include "../../tools/labgen/ScaleLab.h"
#include "QuillonProcess.h"

namespace {

using nlohmann::ordered_json;

// Sizes where every interface is a LAN, where the serial links start, and
// where LANs outnumber the pseudo-node ids the router has.
TEST(ScaleLab, IsDiscoveredWholeAndWithoutError) {
    for (const int k : {1, 24, 350}) {
        SCOPED_TRACE(k);
        const auto interfaces = scale_lab::detail::MakeInterfaces(k);
        quillon_test::ScratchFolder folder;
        quillon_test::WriteFile(folder / "lab.json", scale_lab::LabJson(scale_lab::MakeRouter(k)));
        const auto result = quillon_test::RunQuillon(
            {"discover", "--format", "json", "--out", folder / "r.json", folder / "lab.json"});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const ordered_json entity =
            ordered_json::parse(quillon_test::ReadFile(folder / "r.json"))["entities"][0];
        EXPECT_TRUE(entity["accepted"].get<bool>());
        EXPECT_EQ(entity["commands"].size(), static_cast<size_t>(1 + 3 * k + 1 + 5));
        EXPECT_EQ(entity["mediationKeysLeft"], ordered_json::array({"ifDescr"}));

        const ordered_json& locals = entity["localNeighbours"];
        ASSERT_EQ(locals.size(), interfaces.size());
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < interfaces.size(); ++i) {
            const ordered_json& endPoint = locals[i]["m_ISISTOPO"]["m_ProtocolEndPoint"];
            EXPECT_EQ(locals[i]["m_IfIndex"], i + 1);
            EXPECT_EQ(locals[i]["m_IfDescr"], interfaces[i].name);
            EXPECT_EQ(endPoint["m_ISISEnabled"], 1) << interfaces[i].name;
            ASSERT_EQ(endPoint["m_LevelData"].size(), 2u) << interfaces[i].name;
            EXPECT_EQ(endPoint["m_LevelData"][0]["m_CircuitID"], interfaces[i].circuitId);
            for (const auto& nb : interfaces[i].neighbours)
                expected.push_back(std::to_string(i + 1) + " " + nb.host + " " + nb.type + " " +
                                   nb.area + " " + nb.address);
        }
        std::vector<std::string> remotes;
        for (const ordered_json& remote : entity["remoteNeighbours"]) {
            const ordered_json& isis = remote["record"]["m_ISISTOPO"];
            remotes.push_back(
                remote["m_IfIndex"].dump() + " " + isis["m_SystemId"].get<std::string>() + " " +
                isis["m_Type"].get<std::string>() + " " + isis["m_AreaId"].get<std::string>() +
                " " + remote["record"]["m_RemoteNbrIpAddr"].get<std::string>());
        }
        std::sort(expected.begin(), expected.end());
        std::sort(remotes.begin(), remotes.end());
        EXPECT_EQ(remotes, expected);

        const ordered_json& service = entity["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_Service"];
        EXPECT_EQ(service["m_NETAddress"], "49.0001.0000.0000.0001.00");
        EXPECT_EQ(service["m_HostName"], "r1");
        EXPECT_EQ(service["m_PseudoNodeDIS"], 1);
    }
}

} // namespace
