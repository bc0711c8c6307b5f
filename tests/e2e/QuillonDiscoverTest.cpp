// quillon discover end to end: the routers of small labs through the built
// plug-in, the JSON report against a hand-checked one, the text summary, and
// delivery with --out.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "QuillonProcess.h"

namespace {

using nlohmann::ordered_json;
using quillon_test::FileExists;
using quillon_test::LabPath;
using quillon_test::ReadFile;
using quillon_test::RunQuillon;
using quillon_test::ScratchFolder;
using quillon_test::WriteFile;

const std::string kLoopbackError = "error -220439 CScoutQuillonAgent:534 Unable to find ifIndex "
                                   "for interface Loopback0 on entity R4. Interface data "
                                   "ignored.\n";

std::vector<std::string> Names(const ordered_json& report) {
    std::vector<std::string> names;
    for (const ordered_json& entity : report["entities"])
        names.push_back(entity["name"]);
    return names;
}

TEST(QuillonDiscover, JsonReportMatchesTheExpectedOne) {
    // R1 is an IS-IS router, R2 is not, R3 takes no command session, and R4
    // runs IS-IS on an interface that its ifDescr walk lacks.
    const auto result = RunQuillon(
        {"discover", "--format", "json", LabPath("routers.json"), LabPath("unreachable.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    // The only error line is the one R4's missing interface gives.
    EXPECT_EQ(result.err, kLoopbackError);

    const ordered_json report = ordered_json::parse(result.out);
    const ordered_json expected = ordered_json::parse(
        ReadFile(std::string(QUILLON_TEST_DATA) + "/expected/routers-unreachable.json"));
    EXPECT_EQ(Names(report), (std::vector<std::string>{"R1", "R2", "R3", "R4"}));
    ASSERT_EQ(report["entities"].size(), expected["entities"].size());
    EXPECT_EQ(report["agent"], expected["agent"]);
    // Entity by entity, so that a difference names its router; ordered_json
    // compares member order too.
    for (std::size_t i = 0; i < expected["entities"].size(); ++i)
        EXPECT_EQ(report["entities"][i], expected["entities"][i]) << "entity " << i << ":\n"
                                                                  << report["entities"][i].dump(2);
}

TEST(QuillonDiscover, AcceptedRouterCostsItsCommands) {
    const auto result = RunQuillon({"discover", "--format", "json", LabPath("routers.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    const ordered_json r1 = ordered_json::parse(result.out)["entities"][0];
    // The filter's command, three per IS-IS interface, the neighbour list,
    // and the batch of five for the service data.
    const std::vector<std::string> perInterface = {"show clns interface", "show run",
                                                   "show isis neighbors detail"};
    std::vector<std::string> expected = {"show clns protocol"};
    for (int i = 0; i < 2; ++i)
        expected.insert(expected.end(), perInterface.begin(), perInterface.end());
    expected.insert(expected.end(), {"show clns is-neighbors detail", "show clns protocol",
                                     "show clns", "show isis hostname | include \\*",
                                     "show isis database | include \\*", "show isis database"});
    EXPECT_EQ(r1["commands"].get<std::vector<std::string>>(), expected);
    EXPECT_EQ(r1["mediationKeysLeft"], ordered_json::array({"ifDescr"}));
}

TEST(QuillonDiscover, TextReportSummarisesEachRouter) {
    const auto result =
        RunQuillon({"discover", LabPath("routers.json"), LabPath("unreachable.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string& text = result.out;
    for (const char* line :
         {"Quillon 3.7.0.38: Discovery Agent for Cisco ISIS device using Telnet\n",
          "\nRouter R1: accepted\n"
          "  IS-IS interfaces (2):\n"
          "    Ethernet0/0, ifIndex 1\n"
          "      IS-IS enabled, circuit type level-1-2\n"
          "      Level-1: metric 10, priority 64, circuit id r1.01\n"
          "      Level-2: metric 20, priority 65, circuit id r1.01\n"
          "      CSNP interval 10 s (level-1), LSP interval 33 ms\n"
          "    Serial1/0, ifIndex 2\n"
          "      IS-IS enabled, circuit type level-1\n"
          "      CSNP interval 20 s (level-2), LSP interval 50 ms\n"
          "      neighbour SNPA HDLC\n"
          "  Adjacencies (2):\n"
          "    r2 via Ethernet0/0 (ifIndex 1): type L1L2, area 49.0001, address 10.0.12.2\n"
          "    r3 via Serial1/0 (ifIndex 2): type L1, area 49.0001, address 10.0.13.2\n"
          "  IS-IS service:\n"
          "    system id 1921.6800.1001, area 49.0001, NET 49.0001.1921.6800.1001.00\n"
          "    host name r1, tag Null Tag\n"
          "    designated IS: yes, overload bit: clear\n"
          "    pseudo-node LSP: r1.01-00 (Level-1)\n"
          "  Commands run: 13\n",
          "\nRouter R2: dropped (no IS-IS interface found)\n  Commands run: 1\n",
          "\nRouter R3: accepted\n"
          "  IS-IS interfaces: none recorded\n"
          "  Adjacencies: none recorded\n"
          "  IS-IS service: none recorded\n"
          "  Commands run: 7\n",
          "  Errors (1):\n"
          "    error -220439 at CScoutQuillonAgent:534: Unable to find ifIndex for interface "
          "Loopback0 on entity R4. Interface data ignored.\n"
          "  Commands run: 16\n",
          "\n4 routers: 3 accepted, 1 dropped\n"})
        EXPECT_NE(text.find(line), std::string::npos) << "missing:\n" << line << "\nin:\n" << text;
}

TEST(QuillonDiscover, ExampleLabIsBuiltIn) {
    const auto result = RunQuillon({"discover", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const ordered_json report = ordered_json::parse(result.out);
    const ordered_json lab =
        ordered_json::parse(ReadFile(std::string(QUILLON_SOURCE_DIR) + "/examples/lab.json"));
    std::vector<std::string> labNames;
    for (const ordered_json& device : lab["devices"])
        labNames.push_back(device["name"]);
    EXPECT_GE(labNames.size(), 2u);
    EXPECT_EQ(Names(report), labNames);

    // The same routers as when the file is given.
    const auto fromFile = RunQuillon(
        {"discover", "--format", "json", std::string(QUILLON_SOURCE_DIR) + "/examples/lab.json"});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(ordered_json::parse(fromFile.out), report);
}

TEST(QuillonDiscover, OutWritesTheFileAndNothingElse) {
    ScratchFolder folder;
    const std::string out = folder / "report.json";
    WriteFile(out, "old report");
    const auto result =
        RunQuillon({"discover", "--format", "json", "--out", out, LabPath("routers.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.json"});
    const ordered_json report = ordered_json::parse(ReadFile(out));
    EXPECT_EQ(Names(report), (std::vector<std::string>{"R1", "R2"}));
}

TEST(QuillonDiscover, TraceGoesToStandardOutputReportToFile) {
    ScratchFolder folder;
    const std::string out = folder / "report.txt";
    const auto result =
        RunQuillon({"discover", "--debug", "1", "--out", out, LabPath("routers.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Entering into CScoutQuillonAgent::SADoMediationFilter \n"),
              std::string::npos);
    EXPECT_EQ(result.out.find("Router R1"), std::string::npos);
    EXPECT_NE(ReadFile(out).find("Router R1: accepted"), std::string::npos);

    // Level 0 writes no trace at all.
    const auto quiet =
        RunQuillon({"discover", "--debug", "0", "--out", out, LabPath("routers.json")});
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.out, "");
}

TEST(QuillonDiscover, UnwritableOutFails) {
    ScratchFolder folder;
    const std::string out = folder / "missing/report.json";
    const auto result = RunQuillon({"discover", "--out", out, LabPath("routers.json")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.rfind("quillon: " + out + ": cannot create the report", 0), 0u)
        << result.err;
    EXPECT_TRUE(folder.Entries().empty());
}

} // namespace
