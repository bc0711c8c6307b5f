// The links between routers, end to end: small IS-IS networks written as
// labs, discovered by quillon through the plug-in, and the links of the
// report, the text and the drawing checked against what the network is.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "IsisLab.h"
#include "QuillonProcess.h"

namespace {

using nlohmann::ordered_json;
using quillon_test::FileExists;
using quillon_test::QuillonResult;
using quillon_test::ReadFile;
using quillon_test::RunQuillon;
using quillon_test::ScratchFolder;
using quillon_test::WriteFile;

// Runs quillon over the routers written as a lab, in the format asked for.
QuillonResult Discover(const std::vector<isis_lab::Router>& routers, const std::string& format) {
    ScratchFolder folder;
    const std::string lab = folder / "lab.json";
    WriteFile(lab, isis_lab::LabText(routers));
    return RunQuillon({"discover", "--format", format, lab});
}

ordered_json Links(const std::vector<isis_lab::Router>& routers) {
    const QuillonResult result = Discover(routers, "json");
    EXPECT_EQ(result.status, 0) << result.err;
    const ordered_json report = ordered_json::parse(result.out, nullptr, false);
    if (report.is_discarded() || !report.contains("links")) {
        ADD_FAILURE() << "no links in:\n" << result.out;
        return ordered_json::array();
    }
    return report["links"];
}

// "r1 Ethernet0/0 -- r2 Ethernet0/1 L1 confirmed": the parts of a link that
// say which interfaces it joins.
std::string Summary(const ordered_json& link) {
    const auto side = [](const ordered_json& end) {
        std::string text = end["router"].is_null() ? "(" + end["hostName"].dump() + ")"
                                                   : end["router"].get<std::string>();
        if (end["ifDescr"].is_string())
            text += " " + end["ifDescr"].get<std::string>();
        else if (!end["ifIndex"].is_null())
            text += " #" + std::to_string(end["ifIndex"].get<int>());
        return text;
    };
    return side(link["from"]) + " -- " + side(link["to"]) + " " + link["type"].get<std::string>() +
           " " + link["status"].get<std::string>();
}

std::vector<std::string> Summaries(const ordered_json& links) {
    std::vector<std::string> summaries;
    for (const ordered_json& link : links)
        summaries.push_back(Summary(link));
    return summaries;
}

// A LAN where r1 is the designated IS, r2 a Level-1-2 router and r3 a
// Level-1 router, each on another interface and ifIndex.
std::vector<isis_lab::Router> LanOfThree() {
    return {
        {"r1",
         "r1",
         "0000.0000.0001",
         "49.0001",
         {{"Ethernet0/0", 1, "r1.01", "r1.01", 10}},
         {{"Et0/0", "r2", "L1L2", "49.0001", "10.1.0.2"},
          {"Et0/0", "r3", "L1", "49.0001", "10.1.0.3"}},
         "r1.01"},
        {"r2",
         "r2",
         "0000.0000.0002",
         "49.0001",
         {{"FastEthernet0/1", 2, "r1.01", "r1.01", 20}},
         {{"Fa0/1", "r1", "L1L2", "49.0001", "10.1.0.1"},
          {"Fa0/1", "r3", "L1", "49.0001", "10.1.0.3"}},
         ""},
        {"r3",
         "r3",
         "0000.0000.0003",
         "49.0001",
         {{"Ethernet0/2", 3, "r1.01", "", 30}},
         {{"Et0/2", "r1", "L1", "49.0001", "10.1.0.1"},
          {"Et0/2", "r2", "L1", "49.0001", "10.1.0.2"}},
         ""},
    };
}

TEST(Links, LanOfThreeRoutersWithADesignatedIS) {
    const ordered_json links = Links(LanOfThree());
    EXPECT_EQ(Summaries(links),
              (std::vector<std::string>{"r1 Ethernet0/0 -- r2 FastEthernet0/1 L1L2 confirmed",
                                        "r1 Ethernet0/0 -- r3 Ethernet0/2 L1 confirmed",
                                        "r2 FastEthernet0/1 -- r3 Ethernet0/2 L1 confirmed"}));
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0]["pseudoNodes"], ordered_json::parse(R"([
        {"id": "r1.01", "levels": ["Level-1", "Level-2"], "designatedIS": "r1"}])"));
    EXPECT_EQ(links[0]["to"]["metrics"], ordered_json::parse(R"({"Level-1": 20, "Level-2": 20})"));
    EXPECT_EQ(links[0]["to"]["address"], "10.1.0.2");
    EXPECT_EQ(links[0]["from"]["address"], "10.1.0.1");
    for (std::size_t i = 1; i < links.size(); ++i) {
        EXPECT_EQ(links[i]["pseudoNodes"], ordered_json::parse(R"([
            {"id": "r1.01", "levels": ["Level-1"], "designatedIS": "r1"}])"));
    }
    EXPECT_EQ(links[2]["to"]["metrics"], ordered_json::parse(R"({"Level-1": 30})"));

    // Drawn as one pseudo-node that the three routers join.
    const QuillonResult dot = Discover(LanOfThree(), "dot");
    ASSERT_EQ(dot.status, 0) << dot.err;
    EXPECT_NE(dot.out.find("lan0 [label=\"LAN r1.01\\nDIS r1\""), std::string::npos) << dot.out;
    EXPECT_EQ(dot.out.find("lan1"), std::string::npos) << dot.out;
    for (const char* edge : {"router0 -- lan0", "router1 -- lan0", "router2 -- lan0"})
        EXPECT_NE(dot.out.find(edge), std::string::npos) << edge << "\n" << dot.out;
}

TEST(Links, NeighbourSeenFromOneSideOnly) {
    // r1 sees r2 on a serial link, but r2's neighbour table is empty; r1 also
    // sees r9, which the lab does not hold.
    const std::vector<isis_lab::Router> routers = {
        {"r1",
         "r1",
         "0000.0000.0001",
         "49.0001",
         {{"Serial1/0", 5, "r2.00", "r2.00", 10}, {"Serial1/1", 6, "r9.00", "r9.00", 15}},
         {{"Se1/0", "r2", "L1L2", "49.0001", "10.0.12.2"},
          {"Se1/1", "r9", "L2", "49.0009", "10.0.19.9"}},
         ""},
        {"r2", "r2", "0000.0000.0002", "49.0001", {{"Serial1/0", 5, "r1.00", "r1.00", 10}}, {}, ""},
    };
    const ordered_json links = Links(routers);
    EXPECT_EQ(Summaries(links),
              (std::vector<std::string>{"r1 Serial1/0 -- r2 L1L2 one-sided",
                                        "r1 Serial1/1 -- (\"r9\") L2 unknown-router"}));
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0]["to"], ordered_json::parse(R"(
        {"router": "r2", "hostName": "r2", "systemId": "0000.0000.0002", "area": "49.0001",
         "ifIndex": null, "ifDescr": null, "address": "10.0.12.2", "metrics": {}})"));
    EXPECT_EQ(links[1]["to"], ordered_json::parse(R"(
        {"router": null, "hostName": "r9", "systemId": null, "area": "49.0009",
         "ifIndex": null, "ifDescr": null, "address": "10.0.19.9", "metrics": {}})"));
    EXPECT_EQ(links[1]["from"]["metrics"], ordered_json::parse(R"({"Level-2": 15})"));
}

TEST(Links, RoutersWithTheSameHostName) {
    // Two routers called "core" (the agent reads system ids of digits only).
    // edge sees one of them by name, and only
    // core-a reports edge back; probe names core-b by its system id; lonely
    // sees a "core" that neither reports back.
    const std::vector<isis_lab::Router> routers = {
        {"core-a",
         "core",
         "0000.0000.0101",
         "49.0001",
         {{"Serial1/0", 5, "", "edge.00", 10}},
         {{"Se1/0", "edge", "L2", "49.0003", "10.0.1.2"}},
         ""},
        {"core-b",
         "core",
         "0000.0000.0102",
         "49.0002",
         {{"Serial1/0", 5, "", "probe.00", 10}},
         {},
         ""},
        {"edge",
         "edge",
         "0000.0000.0003",
         "49.0003",
         {{"Serial0/0", 1, "", "core.00", 10}},
         {{"Se0/0", "core", "L2", "49.0001", "10.0.1.1"}},
         ""},
        {"probe",
         "probe",
         "0000.0000.0004",
         "49.0002",
         {{"Serial0/0", 1, "", "core.00", 10}},
         {{"Se0/0", "0000.0000.0102", "L2", "49.0002", "10.0.2.1"}},
         ""},
        {"lonely",
         "lonely",
         "0000.0000.0005",
         "49.0002",
         {{"Serial0/0", 1, "", "core.00", 10}},
         {{"Se0/0", "core", "L2", "49.0002", "10.0.3.1"}},
         ""},
    };
    const ordered_json links = Links(routers);
    EXPECT_EQ(Summaries(links),
              (std::vector<std::string>{"core-a Serial1/0 -- edge Serial0/0 L2 confirmed",
                                        "probe Serial0/0 -- core-b L2 one-sided",
                                        "lonely Serial0/0 -- (\"core\") L2 ambiguous"}));
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[2]["candidates"], ordered_json::parse(R"(["core-a", "core-b"])"));
    EXPECT_EQ(links[1]["to"]["systemId"], "0000.0000.0102");
    EXPECT_EQ(links[1]["to"]["area"], "49.0002");
}

TEST(Links, NeighbourOnAnInterfaceTheTranslatorCannotResolve) {
    // r5's ifDescr walk lacks Serial1/1, the interface it sees r6 on.
    const std::vector<isis_lab::Router> routers = {
        {"r5",
         "r5",
         "0000.0000.0005",
         "49.0002",
         {{"Serial1/0", 5, "r4.00", "r4.00", 10}, {"Serial1/1", 0, "r6.00", "", 10}},
         {{"Se1/1", "r6", "L1", "49.0002", "10.2.56.2"}},
         ""},
        {"r6",
         "r6",
         "0000.0000.0006",
         "49.0002",
         {{"Serial1/0", 5, "r5.00", "", 25}},
         {{"Se1/0", "r5", "L1", "49.0002", "10.2.56.1"}},
         ""},
    };
    const ordered_json links = Links(routers);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0], ordered_json::parse(R"(
        {"from": {"router": "r5", "hostName": "r5", "systemId": "0000.0000.0005",
                  "area": "49.0002", "ifIndex": -1, "ifDescr": null, "address": "10.2.56.1",
                  "metrics": {}},
         "to": {"router": "r6", "hostName": "r6", "systemId": "0000.0000.0006",
                "area": "49.0002", "ifIndex": 5, "ifDescr": "Serial1/0", "address": "10.2.56.2",
                "metrics": {"Level-1": 25}},
         "type": "L1", "pseudoNodes": [], "status": "confirmed", "candidates": []})"));
}

// The example network: the picture and the JSON report show the same links.
TEST(Links, DrawingOfTheExampleAgreesWithTheReport) {
    const QuillonResult json = RunQuillon({"discover", "--format", "json"});
    const QuillonResult dot = RunQuillon({"discover", "--format", "dot"});
    ASSERT_EQ(json.status, 0) << json.err;
    ASSERT_EQ(dot.status, 0) << dot.err;
    const ordered_json report = ordered_json::parse(json.out);

    // Node ids by the router they stand for (the first line of their label).
    std::map<std::string, std::string> nodeOf;
    std::size_t at = 0;
    while ((at = dot.out.find(" [label=\"", at)) != std::string::npos) {
        const std::size_t start = dot.out.rfind(' ', at - 1) + 1;
        const std::string id = dot.out.substr(start, at - start);
        const std::size_t text = at + 9;
        const std::string first = dot.out.substr(text, dot.out.find_first_of("\\\"", text) - text);
        if (id.rfind("router", 0) == 0 || id.rfind("lan", 0) == 0)
            nodeOf[first] = id;
        ++at;
    }
    ASSERT_EQ(nodeOf.count("LAN r1.01"), 1u) << dot.out;

    std::set<std::string> wanted;
    for (const ordered_json& link : report["links"]) {
        const std::string from = nodeOf[link["from"]["hostName"].get<std::string>()];
        const std::string to = nodeOf[link["to"]["hostName"].get<std::string>()];
        if (link["pseudoNodes"].empty()) {
            wanted.insert(from + " -- " + to);
        } else {
            const std::string lan =
                nodeOf["LAN " + link["pseudoNodes"][0]["id"].get<std::string>()];
            wanted.insert(from + " -- " + lan);
            wanted.insert(to + " -- " + lan);
        }
    }
    std::set<std::string> drawn;
    at = 0;
    while ((at = dot.out.find(" -- ", at)) != std::string::npos) {
        const std::size_t start = dot.out.rfind("\n  ", at) + 3;
        const std::size_t end = dot.out.find(' ', at + 4);
        drawn.insert(dot.out.substr(start, end - start));
        at = end;
    }
    EXPECT_EQ(drawn, wanted) << dot.out;
    EXPECT_EQ(wanted.size(), 8u);
}

TEST(Links, TextEndsWithTheLinks) {
    const QuillonResult result = RunQuillon({"discover"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::size_t links = result.out.find("\nLinks (8):\n");
    ASSERT_NE(links, std::string::npos) << result.out;
    EXPECT_LT(result.out.find("6 routers: 6 accepted, 0 dropped\n"), links);
    // The last link is the last thing written.
    const std::string last = "  r5 unresolved interface (ifIndex -1) -- r6 Serial1/0 (ifIndex 5): "
                             "L1, reported by both\n"
                             "    r5: address 10.2.56.1, area 49.0002\n"
                             "    r6: address 10.2.56.2, area 49.0002, Level-1 metric 10\n";
    ASSERT_GT(result.out.size(), last.size());
    EXPECT_EQ(result.out.substr(result.out.size() - last.size()), last);
}

bool HaveGraphviz() {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        if (FileExists(folders.substr(start, end - start) + "/dot"))
            return true;
        start = end + 1;
    }
    return false;
}

TEST(Links, ExampleDrawnAsSvgAndPng) {
    if (!HaveGraphviz())
        GTEST_SKIP() << "Graphviz is not installed";
    ScratchFolder folder;
    const QuillonResult svg =
        RunQuillon({"discover", "--format", "svg", "--out", folder / "n.svg"});
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(svg.out, "");
    const std::string picture = ReadFile(folder / "n.svg");
    EXPECT_NE(picture.find("<svg"), std::string::npos);
    for (const char* text : {">r1<", ">r6<", ">area 49.0001<", ">area 49.0002<", ">LAN r1.01<",
                             ">1921.6800.2004<", ">Se1/2<"})
        EXPECT_NE(picture.find(text), std::string::npos) << text;

    const QuillonResult png = RunQuillon({"discover", "--format", "png"});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out.substr(0, 8), "\x89PNG\r\n\x1A\n");
}

TEST(Links, DrawingWithoutGraphvizSaysHowToInstallIt) {
    ScratchFolder folder;
    const char* saved = std::getenv("PATH");
    const std::string path = saved != nullptr ? saved : "";
    setenv("PATH", folder.Path().c_str(), 1);
    const QuillonResult result =
        RunQuillon({"discover", "--format", "svg", "--out", folder / "n.svg"});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "quillon: cannot draw the network as svg: Graphviz's 'dot' program is not installed "
              "(install Graphviz, for example with 'apt-get install graphviz', or use --format "
              "dot)\n");
    EXPECT_FALSE(FileExists(folder / "n.svg"));
}

} // namespace
