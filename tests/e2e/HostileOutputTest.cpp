// quillon discover on routers whose answers are hostile: ten megabytes of
// one line, a megabyte without a line feed, NUL bytes, control characters,
// odd but valid UTF-8, interface names that are pattern metacharacters, and
// thousands of duplicate names. Every run must end normally with a report
// that is well-formed JSON and says what the agent made of the router.
//
// The labs are written at test time. Set QUILLON_E2E_WRAPPER to run quillon
// under a tool, e.g.
//   QUILLON_E2E_WRAPPER="valgrind --error-exitcode=99 --leak-check=full
//     --errors-for-leak-kinds=definite,indirect" e2e_tests --gtest_filter='Hostile*'
// (the wrapper's own failures show as an exit status other than 0).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "IsisRouterOutputs.h"
#include "QuillonProcess.h"

namespace {

using nlohmann::ordered_json;
using quillon_test::ReadFile;
using quillon_test::ScratchFolder;
using quillon_test::WriteFile;

// The answers of the router of IsisRouterOutputs.h, command by command.
std::map<std::string, std::string> UsualAnswers() {
    std::map<std::string, std::string> answers;
    for (const auto& answer : isis_router::kAnswers)
        answers[answer[0]] = isis_router::Output(answer[1]);
    return answers;
}

// A lab device; the ifDescr rows are (index, value).
ordered_json Device(const std::string& name, const std::map<std::string, std::string>& answers,
                    const std::vector<std::pair<long long, std::string>>& ifDescr) {
    ordered_json device;
    device["name"] = name;
    device["commands"] = ordered_json::object();
    for (const auto& [command, output] : answers)
        device["commands"][command] = output;
    device["ifDescr"] = ordered_json::array();
    for (const auto& [index, value] : ifDescr)
        device["ifDescr"].push_back({index, value});
    return device;
}

ordered_json Lab(std::vector<ordered_json> devices) {
    ordered_json lab;
    lab["devices"] = std::move(devices);
    return lab;
}

const std::vector<std::pair<long long, std::string>> kUsualIfDescr = {
    {1, "Ethernet0/0"}, {2, "Serial1/0"}, {3, "Null0"}, {4, "Loopback0"}};

std::string Repeated(const std::string& line, size_t bytes) {
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    return text;
}

struct Outcome {
    int status = -1;
    std::string err;
    ordered_json report;
    std::string text; // the text report of the same lab, when asked for
};

// quillon (under QUILLON_E2E_WRAPPER when set) with the arguments; its
// standard output and error go to files in the folder.
int RunQuillon(const ScratchFolder& folder, const std::vector<std::string>& arguments,
               std::string& err) {
    std::vector<std::string> words;
    if (const char* wrapper = std::getenv("QUILLON_E2E_WRAPPER")) {
        std::istringstream split(wrapper);
        for (std::string word; split >> word;)
            words.push_back(word);
    }
    words.push_back(std::string(QUILLON_BIN_DIR) + "/quillon");
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const std::string outPath = folder / "stdout";
    const std::string errPath = folder / "stderr";
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int error = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || error < 0 || dup2(out, 1) < 0 || dup2(error, 2) < 0)
            _exit(127);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    err = ReadFile(errPath);
    return WEXITSTATUS(status);
}

// Discovers the lab, in the text format too when asked. The JSON report must
// parse (which also proves it valid UTF-8) and hold one entity per device, in
// order.
Outcome Discover(const ordered_json& lab, bool alsoText = false) {
    ScratchFolder folder;
    const std::string labPath = folder / "lab.json";
    WriteFile(labPath, lab.dump());
    Outcome run;
    run.status = RunQuillon(
        folder, {"discover", "--format", "json", "--out", folder / "report.json", labPath},
        run.err);
    if (run.status != 0)
        return run;
    run.report = ordered_json::parse(ReadFile(folder / "report.json"));
    if (!alsoText)
        return run;
    std::string textErr;
    const int textStatus =
        RunQuillon(folder, {"discover", "--out", folder / "report.txt", labPath}, textErr);
    run.text = textStatus == 0 ? ReadFile(folder / "report.txt") : std::string();
    if (textStatus != 0)
        run.status = textStatus;
    return run;
}

// Checks what every run must give; returns the entities.
const ordered_json& Entities(const Outcome& run, const ordered_json& lab) {
    EXPECT_EQ(run.status, 0) << run.err.substr(0, 2000);
    static const ordered_json none = ordered_json::array();
    if (run.status != 0)
        return none;
    const ordered_json& entities = run.report.at("entities");
    EXPECT_EQ(entities.size(), lab["devices"].size());
    for (size_t i = 0; i < entities.size() && i < lab["devices"].size(); ++i)
        EXPECT_EQ(entities[i].at("name"), lab["devices"][i]["name"]);
    return entities;
}

std::set<std::string> LocalNames(const ordered_json& entity) {
    std::set<std::string> names;
    for (const ordered_json& local : entity.at("localNeighbours"))
        names.insert(local.at("m_IfDescr").get<std::string>());
    return names;
}

// One answer replaced by ten megabytes of one line (after a heading where
// the parse step needs one to get going).
struct RepeatedLine {
    const char* command;
    const char* heading;
    const char* line;
};

class HostileRepeatedLine : public testing::TestWithParam<RepeatedLine> {};

TEST_P(HostileRepeatedLine, TenMegabytesOfOneLine) {
    const RepeatedLine& c = GetParam();
    auto answers = UsualAnswers();
    answers[c.command] = std::string(c.heading) + Repeated(c.line, 10u << 20);
    const ordered_json lab = Lab({Device("R1", answers, kUsualIfDescr)});
    const Outcome run = Discover(lab);
    const ordered_json& entities = Entities(run, lab);
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_TRUE(entities[0]["accepted"].get<bool>());
    // The router's other answers still give what they give.
    EXPECT_EQ(entities[0]["mediationKeysLeft"], ordered_json::array({"ifDescr"}));
    EXPECT_FALSE(entities[0]["localNeighbours"].empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, HostileRepeatedLine,
    testing::Values(
        RepeatedLine{"show clns protocol",
                     "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n",
                     "        Ethernet0/0 - OSI - IP\n"},
        RepeatedLine{"show clns interface", "", "Ethernet0/0 is up, line protocol is up\n"},
        RepeatedLine{"show run", "", "interface Ethernet0/0\n"},
        RepeatedLine{"show isis neighbors detail", "\n",
                     "r5             L1   Se1/0       10.0.15.2       UP    28       01\n"},
        RepeatedLine{
            "show clns is-neighbors detail", "\n",
            "r2             Et0/0       Up     L1L2 64/64     r1.01              Phase V\n"},
        RepeatedLine{"show clns", "", "  NET: 49.0001.0000.0000.0001.00\n"},
        RepeatedLine{"show isis hostname | include \\*", "", "     * 0000.0000.0001 r1\n"},
        RepeatedLine{"show isis database | include \\*", "",
                     "r1.01-00            * 0x00000002   0x3C4D        1100              0/0/0\n"},
        RepeatedLine{"show isis database",
                     "IS-IS Level-1 Link State Database:\nLSPID                 LSP Seq Num  "
                     "LSP Checksum  LSP Holdtime      ATT/P/OL\n",
                     "r1.01-00            * 0x00000002   0x3C4D        1100              0/0/0\n"}),
    [](const testing::TestParamInfo<RepeatedLine>& info) {
        return "Command" + std::to_string(info.index);
    });

TEST(HostileOutput, MegabyteWithoutLineFeedInEveryAnswer) {
    // Each answer is a megabyte on one line: the heading the parse step
    // looks for, then text that keeps looking like more of it.
    std::map<std::string, std::string> answers;
    const std::map<std::string, std::pair<std::string, std::string>> shapes = {
        {"show clns protocol", {"Interfaces supported by IS-IS: ", "Ethernet0/0 - IP "}},
        {"show clns interface", {"Ethernet0/0 is up, ", "line protocol is up "}},
        {"show run", {"interface Ethernet0/0 ", "ip address 10.0.0.1 255.0.0.0 "}},
        {"show isis neighbors detail", {"", "r5 L1 Se1/0 10.0.15.2 UP 28 01 "}},
        {"show clns is-neighbors detail", {"", "r2 Et0/0 Up L1 64 r1.01 Phase V "}},
        {"show clns", {"NET:", " 49.0001"}},
        {"show isis hostname | include \\*", {"*", " 0000.0000.0001 r1"}},
        {"show isis database | include \\*", {"r1", ".01-00 * 0x2 0x3C4D 1100 0/0/0 "}},
        {"show isis database", {"IS-IS", " Level-1 Link State Database: "}}};
    for (const auto& [command, shape] : shapes)
        answers[command] = shape.first + Repeated(shape.second, 1u << 20);
    const ordered_json lab = Lab({Device("R1", answers, kUsualIfDescr)});
    const Outcome run = Discover(lab);
    const ordered_json& entities = Entities(run, lab);
    ASSERT_EQ(entities.size(), 1u);
    // A list entry needs its line end: the list at the very end of the
    // answer holds nothing, and the filter drops the router.
    EXPECT_FALSE(entities[0]["accepted"].get<bool>());
    EXPECT_EQ(entities[0]["commands"], ordered_json::array({"show clns protocol"}));
}

TEST(HostileOutput, NulBytesEndEveryTextButTheEntityName) {
    auto answers = UsualAnswers();
    // The list stops at the NUL: Serial1/0 after it is not seen.
    answers["show clns protocol"] = "IS-IS Router: <Null Tag>\n"
                                    "  Interfaces supported by IS-IS:\n"
                                    "        Ethernet0/0 - OSI - IP\n" +
                                    std::string(1, '\0') + "        Serial1/0 - OSI - IP\n";
    answers["show clns"] =
        "Global CLNS Information:\n" + std::string(1, '\0') + "  NET: 49.0001.0000.0000.0001.00\n";
    const std::string name("R\0\x01", 3);
    const ordered_json lab =
        Lab({Device(name, answers, {{1, std::string("Ethernet0/0\0junk", 16)}, {2, "Serial1/0"}})});
    const Outcome run = Discover(lab, true);
    EXPECT_NE(run.text.find("Router "), std::string::npos);
    const ordered_json& entities = Entities(run, lab);
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_EQ(entities[0]["name"].get<std::string>(), name);
    EXPECT_EQ(LocalNames(entities[0]), (std::set<std::string>{"Ethernet0/0"}));
    // The NET line lies after the NUL.
    const ordered_json& service = entities[0]["fields"]["m_ExtraInfo"]["m_ISISTOPO"]["m_Service"];
    EXPECT_EQ(service.value("m_NETAddress", "(none)"), "");
    EXPECT_EQ(service.value("m_HostName", "(none)"), "r1");
}

// Interface names of bytes a terminal or a JSON writer might trip over, all
// of which must come back byte for byte.
class HostileNames : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(HostileNames, ComeBackByteForByte) {
    const std::vector<std::string>& names = GetParam();
    std::string list = "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n";
    std::vector<std::pair<long long, std::string>> ifDescr;
    std::string clns;
    for (size_t i = 0; i < names.size(); ++i) {
        list += "        " + names[i] + " - IP\n";
        ifDescr.emplace_back(static_cast<long long>(i + 1), names[i]);
        clns += names[i] + " is up, line protocol is up\n";
    }
    auto answers = UsualAnswers();
    answers["show clns protocol"] = list;
    answers["show clns interface"] = clns + answers["show clns interface"];
    const std::string entityName = "R" + names.front();
    const ordered_json lab = Lab({Device(entityName, answers, ifDescr)});
    const Outcome run = Discover(lab, true);
    EXPECT_NE(run.text.find("Router "), std::string::npos);
    const ordered_json& entities = Entities(run, lab);
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_TRUE(entities[0]["accepted"].get<bool>());
    EXPECT_EQ(LocalNames(entities[0]), std::set<std::string>(names.begin(), names.end()));
    EXPECT_EQ(entities[0]["name"].get<std::string>(), entityName);
}

INSTANTIATE_TEST_SUITE_P(Bytes, HostileNames,
                         testing::Values(
                             // Control characters (not blanks, which end a name).
                             std::vector<std::string>{"Eth\x01"
                                                      "0/0",
                                                      "Se\x1b[31m1/0\x1b[0m",
                                                      "Gi\x7f"
                                                      "0/1",
                                                      "Fa\x08\x07\x0e"},
                             // Valid but odd UTF-8: accents, a line separator, a byte order mark
                             // inside, a character outside the basic plane, U+FFFD and U+FFFF.
                             std::vector<std::string>{"Ethernet\xc3\xa9"
                                                      "0/0",
                                                      "Gi\xe2\x80\xa8"
                                                      "0/1",
                                                      "\xef\xbb\xbfSe1/0", "Po\xf0\x9f\x98\x80",
                                                      "Lo\xef\xbf\xbd", "Tu\xef\xbf\xbf",
                                                      "\xe6\x97\xa5\xe6\x9c\xac"}),
                         [](const testing::TestParamInfo<std::vector<std::string>>& info) {
                             return info.index == 0 ? std::string("ControlCharacters")
                                                    : std::string("OddUtf8");
                         });

TEST(HostileOutput, NamesThatArePatternMetacharacters) {
    // Each name goes into the per-interface patterns as pattern text: the
    // ones that do not compile are reported, the others match what they
    // match; none stops the router.
    const std::vector<std::string> names = {"Serial(1", "Gi0/0+", "[x", "a|b", ".*", "\\", "Et)"};
    std::string list = "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n";
    std::vector<std::pair<long long, std::string>> ifDescr;
    for (size_t i = 0; i < names.size(); ++i) {
        list += "        " + names[i] + " - IP\n";
        ifDescr.emplace_back(static_cast<long long>(i + 1), names[i]);
    }
    auto answers = UsualAnswers();
    answers["show clns protocol"] = list;
    const ordered_json lab = Lab({Device("R1", answers, ifDescr)});
    const Outcome run = Discover(lab, true);
    EXPECT_NE(run.text.find("Router "), std::string::npos);
    const ordered_json& entities = Entities(run, lab);
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_EQ(LocalNames(entities[0]), std::set<std::string>(names.begin(), names.end()));
    std::map<std::string, int> compileErrors;
    for (const ordered_json& error : entities[0]["errors"]) {
        if (error["message"] == "Parsing interface line regex failed")
            ++compileErrors[error["file"].get<std::string>()];
    }
    // The unbalanced parentheses of "Serial(1" and "Et)" make both patterns
    // fail; "[x" and "\\" merely open a bracket or escape the pattern text
    // that follows them, which still compiles.
    EXPECT_EQ(compileErrors["CScoutCiscoClnsInterface"], 2);
    EXPECT_EQ(compileErrors["CScoutCiscoTransmitInterface"], 2);
}

TEST(HostileOutput, ThousandsOfDuplicateNames) {
    // 1,500 interfaces, each listed three times, and an ifDescr walk that
    // names each twice: the first row wins.
    const int count = 1500;
    std::string list = "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n";
    std::vector<std::pair<long long, std::string>> ifDescr;
    std::set<std::string> names;
    for (int copy = 0; copy < 3; ++copy) {
        for (int i = 0; i < count; ++i)
            list += "        Ethernet" + std::to_string(i / 48) + "/" + std::to_string(i % 48) +
                    " - OSI - IP\n";
    }
    for (int copy = 0; copy < 2; ++copy) {
        for (int i = 0; i < count; ++i) {
            const std::string name =
                "Ethernet" + std::to_string(i / 48) + "/" + std::to_string(i % 48);
            ifDescr.emplace_back(copy * count + i + 1, name);
            names.insert(name);
        }
    }
    auto answers = UsualAnswers();
    answers["show clns protocol"] = list;
    const ordered_json lab = Lab({Device("R1", answers, ifDescr)});
    const Outcome run = Discover(lab);
    const ordered_json& entities = Entities(run, lab);
    ASSERT_EQ(entities.size(), 1u);
    const ordered_json& entity = entities[0];
    EXPECT_EQ(LocalNames(entity), names);
    ASSERT_EQ(entity["localNeighbours"].size(), static_cast<size_t>(count));
    for (const ordered_json& local : entity["localNeighbours"])
        EXPECT_LE(local["m_IfIndex"].get<long long>(), count) << local.dump();
    // One filter command, three per interface, one neighbour table, five
    // service commands.
    EXPECT_EQ(entity["commands"].size(), static_cast<size_t>(1 + 3 * count + 1 + 5));
}

} // namespace
