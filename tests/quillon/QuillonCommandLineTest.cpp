// The forms of the command line and what each sets
// (tests/data/command-lines.json). Usage errors are checked end to end
// (tests/data/refusals.json).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>
#include <vector>

#include "QuillonCommandLine.h"

namespace {

// "command format out=... debug=N agent=... labs=a,b" of a parsed line.
std::string Summary(const QuillonCommandLine& line) {
    const char* const commands[] = {"help", "discover", "serve", "version"};
    const char* const formats[] = {"text", "json", "dot", "svg", "png"};
    std::string summary = std::string(commands[static_cast<int>(line.GetCommand())]) + " " +
                          formats[static_cast<int>(line.GetFormat())] + " out=" + line.OutPath() +
                          " debug=" + std::to_string(line.DebugLevel()) +
                          " agent=" + line.AgentPath() + " labs=";
    for (const std::string& lab : line.LabFiles())
        summary += lab + (&lab == &line.LabFiles().back() ? "" : ",");
    if (line.Ssh())
        summary +=
            " ssh host-key=" + line.HostKeyPath() + " authorized-keys=" + line.AuthorizedKeysPath();
    if (line.GetHostKeyChecking() != QuillonCommandLine::HostKeyChecking::AsInventory)
        summary += line.GetHostKeyChecking() == QuillonCommandLine::HostKeyChecking::On
                       ? " host-key-checking=on"
                       : " host-key-checking=off";
    return summary;
}

TEST(QuillonCommandLine, EveryFormSetsWhatItSays) {
    // One parser for all lines: parsing again starts afresh.
    QuillonCommandLine line;
    std::ifstream file(std::string(QUILLON_TEST_DATA) + "/command-lines.json");
    for (const auto& form : nlohmann::json::parse(file)) {
        std::string error;
        EXPECT_TRUE(line.Parse(form[0].get<std::vector<std::string>>(), error)) << error;
        EXPECT_EQ(Summary(line), form[1]) << form[0];
    }
}

} // namespace
