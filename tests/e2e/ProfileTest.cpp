// quillon --profile: which plug-in the program loads, and the XE plug-in on a
// lab built from real IOS-XE outputs (tests/data/real/SOURCES.md), checked
// against the values those outputs show (tests/data/real/xe-r2-report.json).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "QuillonProcess.h"

using namespace quillon_test;
using nlohmann::json;

namespace {

TEST(Profile, PicksThePluginAndAgentOverridesIt) {
    const std::string classic = Expand("@bin/libAgentQuillon.so");
    const struct {
        std::vector<std::string> arguments;
        std::string name; // empty: a usage error
    } cases[] = {
        {{"version"}, "Quillon"},
        {{"version", "--profile", "classic"}, "Quillon"},
        {{"version", "--profile", "xe"}, "QuillonXE"},
        {{"version", "--profile", "xe", "--agent", classic}, "Quillon"},
        {{"version", "--profile", "XE"}, ""},
        {{"serve", "--profile", "xe"}, ""},
    };
    for (const auto& c : cases) {
        const QuillonResult run = RunQuillon(c.arguments);
        SCOPED_TRACE(c.arguments.back());
        if (c.name.empty()) {
            EXPECT_EQ(run.status, 2);
            EXPECT_NE(run.err.find("'--profile'"), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out.rfind("name: " + c.name + "\n", 0), 0u) << run.out;
        }
    }
}

TEST(Profile, XEPluginReadsTheRealRouter) {
    const QuillonResult run = RunQuillon(
        {"discover", "--profile", "xe", "--format", "json", Expand("@data/labs/xe-r2.json")});
    ASSERT_EQ(run.status, 0) << run.err;
    const json report = json::parse(run.out);
    const json expected = json::parse(ReadFile(Expand("@data/real/xe-r2-report.json")));
    for (const json& pair : expected["expect"]) {
        const json::json_pointer pointer(pair[0].get<std::string>());
        ASSERT_TRUE(report.contains(pointer)) << pointer.to_string();
        EXPECT_EQ(report[pointer], pair[1]) << pointer.to_string();
    }
}

} // namespace
