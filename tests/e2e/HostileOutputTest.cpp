// quillon discover on routers whose answers are hostile
// (tests/data/hostile.json): ten megabytes of one line, a megabyte without a
// line feed, NUL bytes, control characters, odd but valid UTF-8, interface
// names that are pattern metacharacters, and thousands of duplicate names.
// Every run must end normally with a report that is well-formed JSON and
// says what the agent made of the router. The labs are written at test
// time; scripts/valgrind.sh runs these tests with quillon under valgrind.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "HostFixture.h"
#include "QuillonProcess.h"

namespace {

using nlohmann::ordered_json;
using quillon_test::ReadFile;
using quillon_test::ScratchFolder;
using IfDescr = std::vector<std::pair<long long, std::string>>;

const ordered_json& Hostile() {
    static const ordered_json hostile = quillon_test::ReadJson("hostile.json");
    return hostile;
}

std::string Repeated(const std::string& line, size_t bytes) {
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    return text;
}

// A list of the names as "show clns protocol" gives it, and their ifDescr rows.
std::pair<std::string, IfDescr> Listed(const std::vector<std::string>& names) {
    std::pair<std::string, IfDescr> listed{
        "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n", {}};
    for (size_t i = 0; i < names.size(); ++i) {
        listed.first += "        " + names[i] + " - IP\n";
        listed.second.emplace_back(static_cast<long long>(i + 1), names[i]);
    }
    return listed;
}

// Discovers a lab of one router, in the text format too when asked; the JSON
// report must parse (which also proves it valid UTF-8) and hold the router.
// Gives the router's entity.
ordered_json Discover(const std::string& name, const std::map<std::string, std::string>& answers,
                      const IfDescr& ifDescr, bool alsoText = false) {
    ordered_json device = {
        {"name", name}, {"commands", answers}, {"ifDescr", ordered_json::array()}};
    for (const auto& [index, value] : ifDescr)
        device["ifDescr"].push_back({index, value});
    ScratchFolder folder;
    quillon_test::WriteFile(folder / "lab.json", ordered_json{{"devices", {device}}}.dump());
    const auto run = quillon_test::RunQuillon(
        {"discover", "--format", "json", "--out", folder / "r.json", folder / "lab.json"});
    EXPECT_EQ(run.status, 0) << run.err.substr(0, 2000);
    if (alsoText) {
        const auto text = quillon_test::RunQuillon({"discover", folder / "lab.json"});
        EXPECT_EQ(text.status, 0) << text.err.substr(0, 2000);
        EXPECT_NE(text.out.find("Router "), std::string::npos);
    }
    if (run.status != 0)
        return ordered_json::object();
    const ordered_json report = ordered_json::parse(ReadFile(folder / "r.json"));
    EXPECT_EQ(report["entities"].size(), 1u);
    EXPECT_EQ(report["entities"][0]["name"], name);
    return report["entities"][0];
}

std::set<std::string> LocalNames(const ordered_json& entity) {
    std::set<std::string> names;
    for (const ordered_json& local : entity.value("localNeighbours", ordered_json::array()))
        names.insert(local.at("m_IfDescr").get<std::string>());
    return names;
}

const IfDescr kUsualIfDescr = {
    {1, "Ethernet0/0"}, {2, "Serial1/0"}, {3, "Null0"}, {4, "Loopback0"}};

// One answer replaced by ten megabytes of one line (after a heading where
// the parse step needs one to get going).
class HostileRepeatedLine : public testing::TestWithParam<int> {};

TEST_P(HostileRepeatedLine, TenMegabytesOfOneLine) {
    const ordered_json& c = Hostile()["repeatedLines"][GetParam()];
    auto answers = isis_router::Answers();
    answers[c[0]] = c[1].get<std::string>() + Repeated(c[2], 10u << 20);
    const ordered_json entity = Discover("R1", answers, kUsualIfDescr);
    EXPECT_EQ(entity.value("accepted", false), true);
    // The router's other answers still give what they give.
    EXPECT_EQ(entity["mediationKeysLeft"], ordered_json::array({"ifDescr"}));
    EXPECT_FALSE(LocalNames(entity).empty());
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, HostileRepeatedLine, testing::Range(0, 9));

TEST(HostileOutput, MegabyteWithoutLineFeedInEveryAnswer) {
    // Each answer is a megabyte on one line: the heading the parse step
    // looks for, then text that keeps looking like more of it.
    std::map<std::string, std::string> answers;
    for (const ordered_json& shape : Hostile()["unbrokenLines"])
        answers[shape[0]] = shape[1].get<std::string>() + Repeated(shape[2], 1u << 20);
    const ordered_json entity = Discover("R1", answers, kUsualIfDescr);
    // A list entry needs its line end: the list at the very end of the
    // answer holds nothing, and the filter drops the router.
    EXPECT_EQ(entity.value("accepted", true), false);
    EXPECT_EQ(entity["commands"], ordered_json::array({"show clns protocol"}));
}

TEST(HostileOutput, NulBytesEndEveryTextButTheEntityName) {
    auto answers = isis_router::Answers();
    // The list stops at the NUL: Serial1/0 after it is not seen.
    answers["show clns protocol"] =
        Listed({"Ethernet0/0"}).first + std::string(1, '\0') + "        Serial1/0 - OSI - IP\n";
    answers["show clns"] =
        "Global CLNS Information:\n" + std::string(1, '\0') + "  NET: 49.0001.0000.0000.0001.00\n";
    const ordered_json entity =
        Discover(std::string("R\0\x01", 3), answers,
                 {{1, std::string("Ethernet0/0\0junk", 16)}, {2, "Serial1/0"}}, true);
    EXPECT_EQ(LocalNames(entity), (std::set<std::string>{"Ethernet0/0"}));
    // The NET line lies after the NUL.
    const ordered_json& service = entity["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_Service"];
    EXPECT_EQ(service.value("m_NETAddress", "(none)"), "");
    EXPECT_EQ(service.value("m_HostName", "(none)"), "r1");
}

// Interface names of bytes a terminal, a JSON writer or the per-interface
// patterns (which take the name as pattern text) might trip over: all come
// back byte for byte, and none stops the router.
TEST(HostileOutput, NamesComeBackByteForByte) {
    for (const auto& [kind, list] : Hostile()["names"].items()) {
        SCOPED_TRACE(kind);
        const auto names = list.get<std::vector<std::string>>();
        auto answers = isis_router::Answers();
        const auto [protocol, ifDescr] = Listed(names);
        answers["show clns protocol"] = protocol;
        for (const std::string& name : names)
            answers["show clns interface"] =
                name + " is up, line protocol is up\n" + answers["show clns interface"];
        const ordered_json entity = Discover("R" + names.front(), answers, ifDescr, true);
        EXPECT_EQ(entity.value("accepted", false), true);
        EXPECT_EQ(LocalNames(entity), std::set<std::string>(names.begin(), names.end()));
        if (kind != "PatternMetacharacters")
            continue;
        // The unbalanced parentheses of "Serial(1" and "Et)" make both
        // patterns fail; "[x" and "\\" merely open a bracket or escape the
        // pattern text that follows them, which still compiles.
        std::map<std::string, int> compileErrors;
        for (const ordered_json& error : entity["errors"])
            if (error["message"] == "Parsing interface line regex failed")
                ++compileErrors[error["file"].get<std::string>()];
        EXPECT_EQ(compileErrors, (std::map<std::string, int>{{"CScoutCiscoClnsInterface", 2},
                                                             {"CScoutCiscoTransmitInterface", 2}}));
    }
}

TEST(HostileOutput, ThousandsOfDuplicateNames) {
    // 1,500 interfaces, each listed three times, and an ifDescr walk that
    // names each twice: the first row wins.
    const int count = 1500;
    std::vector<std::string> listed;
    for (int i = 0; i < 3 * count; ++i)
        listed.push_back("Ethernet" + std::to_string(i % count / 48) + "/" +
                         std::to_string(i % count % 48));
    auto answers = isis_router::Answers();
    answers["show clns protocol"] = Listed(listed).first;
    const IfDescr ifDescr = Listed({listed.begin(), listed.begin() + 2 * count}).second;
    const ordered_json entity = Discover("R1", answers, ifDescr);
    EXPECT_EQ(LocalNames(entity), std::set<std::string>(listed.begin(), listed.end()));
    ASSERT_EQ(entity["localNeighbours"].size(), static_cast<size_t>(count));
    for (const ordered_json& local : entity["localNeighbours"])
        EXPECT_LE(local["m_IfIndex"].get<long long>(), count) << local.dump();
    // One filter command, three per interface, one neighbour table, five
    // service commands.
    EXPECT_EQ(entity["commands"].size(), static_cast<size_t>(1 + 3 * count + 1 + 5));
}

} // namespace
