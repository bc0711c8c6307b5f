// The lab generator's command line: what it takes, and a one-line reason for
// what it refuses (tests/data/labgen/command-lines.json).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>
#include <vector>

#include "LabgenCommandLine.h"

namespace {

using nlohmann::json;

const json& Cases() {
    static const json cases =
        json::parse(std::ifstream(std::string(QUILLON_TEST_DATA) + "/labgen/command-lines.json"));
    return cases;
}

TEST(LabgenCommandLine, TakesEitherModeWithItsNumbers) {
    for (const json& row : Cases()["accepted"]) {
        LabgenCommandLine commandLine;
        std::string error;
        ASSERT_TRUE(commandLine.Parse(row["arguments"].get<std::vector<std::string>>(), error))
            << row["arguments"] << ": " << error;
        EXPECT_EQ(commandLine.GetMode() == LabgenCommandLine::Mode::Network,
                  row["mode"] == "network")
            << row["arguments"];
        EXPECT_EQ(commandLine.Count(), row["count"].get<int>()) << row["arguments"];
        EXPECT_EQ(commandLine.Seed(), row["seed"].get<std::uint32_t>()) << row["arguments"];
    }
}

TEST(LabgenCommandLine, RefusesWithOneLineThatNamesTheFault) {
    for (const json& row : Cases()["refused"]) {
        LabgenCommandLine commandLine;
        std::string error;
        EXPECT_FALSE(commandLine.Parse(row["arguments"].get<std::vector<std::string>>(), error))
            << row["arguments"];
        EXPECT_EQ(error, row["error"].get<std::string>()) << row["arguments"];
    }
}

} // namespace
