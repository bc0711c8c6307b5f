// quillon's commands, the delivery of a report, and its refusals: usage
// errors, plug-ins that do not load, unreadable and malformed labs
// (tests/data/refusals.json), each of which stops the run with one line on
// standard error and leaves no report behind.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "QuillonProcess.h"

namespace {

using quillon_test::Expand;
using quillon_test::ReadFile;
using quillon_test::RunQuillon;
using quillon_test::ScratchFolder;
using quillon_test::WriteFile;

TEST(QuillonCommand, HelpAndVersion) {
    const auto help = RunQuillon({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage:\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("quillon discover [--format text|json|dot|svg|png] [--out FILE] "
                            "[--debug N]\n                   [--agent PATH] [--jobs N] "
                            "[--inventory FILE | LAB.json ...]"),
              std::string::npos);

    for (const auto& arguments : {std::vector<std::string>{"version"},
                                  {"version", "--agent", Expand("@bin/libAgentQuillon.so")}}) {
        const auto version = RunQuillon(arguments);
        EXPECT_EQ(version.status, 0) << version.err;
        EXPECT_EQ(version.out, "name: Quillon\n"
                               "description: Discovery Agent for Cisco ISIS device using Telnet\n"
                               "version: 3.7.0.38\n");
    }
}

TEST(QuillonCommand, OutReplacesTheReportWholeAndTraceGoesToStandardOutput) {
    ScratchFolder folder;
    const std::string out = folder / "report.txt";
    WriteFile(out, "earlier report");
    // A second name for the earlier report keeps it when the report is
    // replaced, not when it is written over in place.
    ASSERT_EQ(link(out.c_str(), (folder / "earlier.txt").c_str()), 0);
    const std::string lab = Expand("@data/labs/routers.json");
    const auto traced = RunQuillon({"discover", "--debug", "1", "--out", out, lab});
    ASSERT_EQ(traced.status, 0) << traced.err;
    EXPECT_NE(traced.out.find("Entering into CScoutQuillonAgent::SADoMediationFilter \n"),
              std::string::npos);
    EXPECT_EQ(traced.out.find("Router R1"), std::string::npos);
    EXPECT_NE(ReadFile(out).find("Router R1: accepted"), std::string::npos);
    EXPECT_EQ(ReadFile(folder / "earlier.txt"), "earlier report");
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"earlier.txt", "report.txt"}));

    const auto quiet = RunQuillon({"discover", "--out", out, lab});
    EXPECT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.out, "");
}

TEST(QuillonCommand, RefusalsExitTwoWithOneLineAndNoReport) {
    ScratchFolder folder;
    WriteFile(folder / "report.json", "earlier report");
    const auto refusals = nlohmann::json::parse(ReadFile(Expand("@data/refusals.json")));
    for (const auto& refusal : refusals) {
        std::vector<std::string> arguments;
        for (const auto& argument : refusal["arguments"])
            arguments.push_back(Expand(argument.get<std::string>(), folder.Path()));
        const std::string error = Expand(refusal["error"].get<std::string>(), folder.Path());
        SCOPED_TRACE(refusal["arguments"].dump());
        const auto result = RunQuillon(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("quillon: " + error, 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        EXPECT_EQ(folder.Entries(), std::set<std::string>{"report.json"});
        EXPECT_EQ(ReadFile(folder / "report.json"), "earlier report");
    }
}

} // namespace
