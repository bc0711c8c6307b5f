// quillon's commands and its refusals: help, version, usage errors, a
// plug-in that does not load, and malformed labs, which stop the run before
// any router and leave no report behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QuillonProcess.h"

namespace {

using quillon_test::FileExists;
using quillon_test::LabPath;
using quillon_test::ReadFile;
using quillon_test::RunQuillon;
using quillon_test::ScratchFolder;
using quillon_test::WriteFile;

bool IsOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

TEST(QuillonCommand, HelpGoesToStandardOutput) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"discover", "--help"}}) {
        const auto result = RunQuillon(arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out.rfind("Usage:\n", 0), 0u) << result.out;
        EXPECT_NE(result.out.find("quillon discover [--format text|json|dot|svg|png] [--out FILE] "
                                  "[--debug N]\n                   [--agent PATH] [LAB.json ...]"),
                  std::string::npos);
    }
}

TEST(QuillonCommand, VersionComesFromThePlugin) {
    const std::string expected = "name: Quillon\n"
                                 "description: Discovery Agent for Cisco ISIS device using Telnet\n"
                                 "version: 3.7.0.38\n";
    auto result = RunQuillon({"version"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);

    result =
        RunQuillon({"version", "--agent", std::string(QUILLON_BIN_DIR) + "/libAgentQuillon.so"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);
}

TEST(QuillonCommand, UsageErrorsExitTwo) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{},
                                                      {"discovery"},
                                                      {"discover", "--verbose"},
                                                      {"discover", "--debug", "7"},
                                                      {"discover", "--format", "yaml"},
                                                      {"version", "x.json"}}) {
        const auto result = RunQuillon(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(IsOneLine(result.err)) << result.err;
        EXPECT_EQ(result.err.rfind("quillon: ", 0), 0u) << result.err;
    }
}

TEST(QuillonCommand, PluginThatDoesNotLoad) {
    ScratchFolder folder;
    const std::string notALibrary = folder / "libAgentQuillon.so";
    WriteFile(notALibrary, "not a shared library");
    for (const std::string& path :
         {folder / "absent.so", notALibrary, std::string(QUILLON_BIN_DIR) + "/libScoutHost.so"}) {
        const auto result = RunQuillon({"discover", "--agent", path, LabPath("routers.json")});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(IsOneLine(result.err)) << result.err;
        EXPECT_EQ(result.err.rfind("quillon: " + path + ": ", 0), 0u) << result.err;
    }
}

struct MalformedLab {
    const char* what;
    std::string text;
    const char* place; // what the message says after the file name
};

class QuillonMalformedLab : public testing::TestWithParam<MalformedLab> {};

TEST_P(QuillonMalformedLab, StopsTheRunWithoutAReport) {
    ScratchFolder folder;
    const std::string lab = folder / "lab.json";
    const std::string out = folder / "report.json";
    WriteFile(lab, GetParam().text);

    // A well-formed lab first: its routers must not run either.
    const auto result =
        RunQuillon({"discover", "--format", "json", "--out", out, LabPath("routers.json"), lab});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(IsOneLine(result.err)) << result.err;
    EXPECT_EQ(result.err.rfind("quillon: " + lab + ": " + GetParam().place, 0), 0u) << result.err;
    EXPECT_FALSE(FileExists(out));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"lab.json"});

    // Without --out nothing reaches standard output, and a report already
    // there stays as it was.
    WriteFile(out, "earlier report");
    const auto again = RunQuillon({"discover", "--out", out, LabPath("routers.json"), lab});
    EXPECT_EQ(again.status, 2);
    EXPECT_EQ(ReadFile(out), "earlier report");
    const auto toStdout = RunQuillon({"discover", LabPath("routers.json"), lab});
    EXPECT_EQ(toStdout.status, 2);
    EXPECT_EQ(toStdout.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, QuillonMalformedLab,
    testing::Values(
        MalformedLab{"BadJson", "{\"devices\": [\n  {\"name\": \"R1\"\n  {\"name\": \"R2\"}]}",
                     "line 3, column 3: syntax error"},
        MalformedLab{"ByteOrderMark", "\xEF\xBB\xBF{\"devices\": []}", "line 1, column 1: "},
        MalformedLab{"RepeatedMember",
                     "{\"devices\": [{\"name\": \"R1\", \"ifDescr\": [],\n\"ifDescr\": []}]}",
                     "line 2, column 1: member name \"ifDescr\" is repeated"},
        MalformedLab{"InvalidUtf8", "{\"devices\": [{\"name\": \"\xFF\"}]}", "line 1, column 24: "},
        MalformedLab{"SameNameAsEarlierLab", "{\"devices\": [{\"name\": \"R2\"}]}",
                     "devices[0].name: \"R2\" is already the name of devices[1] in "},
        MalformedLab{"FloatIndex",
                     "{\"devices\": [{\"name\": \"X\", \"ifDescr\": [[1, \"a\"], [1.5, \"b\"]]}]}",
                     "devices[0].ifDescr[1]: an index must be an integer or null"},
        MalformedLab{"CommandNotString",
                     "{\"devices\": [{\"name\": \"X\", \"commands\": {\"show run\": null}}]}",
                     "devices[0].commands[\"show run\"]: an output must be a string"},
        MalformedLab{"MissingName", "{\"devices\": [{\"commands\": {}}]}",
                     "devices[0]: the member \"name\" is missing"}),
    [](const testing::TestParamInfo<MalformedLab>& info) { return info.param.what; });

TEST(QuillonCommand, UnreadableLab) {
    const std::string missing = LabPath("no-such-lab.json");
    const auto result = RunQuillon({"discover", missing});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("quillon: " + missing + ": cannot open the lab file", 0), 0u)
        << result.err;
}

} // namespace
