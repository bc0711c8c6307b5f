// The command line: what each accepted form sets, and the usage errors.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "QuillonCommandLine.h"

namespace {

using Command = QuillonCommandLine::Command;
using Format = QuillonCommandLine::Format;

TEST(QuillonCommandLine, DiscoverWithEveryOption) {
    QuillonCommandLine line;
    std::string error;
    ASSERT_TRUE(line.Parse({"discover", "a.json", "--format", "json", "--out=r.json", "--debug",
                            "4", "--agent", "/x/lib.so", "b.json", "--", "--odd.json"},
                           error))
        << error;
    EXPECT_EQ(line.GetCommand(), Command::Discover);
    EXPECT_EQ(line.GetFormat(), Format::Json);
    EXPECT_EQ(line.OutPath(), "r.json");
    EXPECT_EQ(line.DebugLevel(), 4);
    EXPECT_EQ(line.AgentPath(), "/x/lib.so");
    EXPECT_EQ(line.LabFiles(), (std::vector<std::string>{"a.json", "b.json", "--odd.json"}));
}

TEST(QuillonCommandLine, Defaults) {
    QuillonCommandLine line;
    std::string error;
    ASSERT_TRUE(line.Parse({"discover"}, error));
    EXPECT_EQ(line.GetFormat(), Format::Text);
    EXPECT_EQ(line.DebugLevel(), 0);
    EXPECT_TRUE(line.OutPath().empty());
    EXPECT_TRUE(line.AgentPath().empty());
    EXPECT_TRUE(line.LabFiles().empty());

    ASSERT_TRUE(line.Parse({"version", "--agent=./p.so"}, error));
    EXPECT_EQ(line.GetCommand(), Command::Version);
    EXPECT_EQ(line.AgentPath(), "./p.so");
}

TEST(QuillonCommandLine, EveryFormat) {
    const std::pair<const char*, Format> formats[] = {{"text", Format::Text},
                                                      {"json", Format::Json},
                                                      {"dot", Format::Dot},
                                                      {"svg", Format::Svg},
                                                      {"png", Format::Png}};
    for (const auto& [name, format] : formats) {
        QuillonCommandLine line;
        std::string error;
        ASSERT_TRUE(line.Parse({"discover", std::string("--format=") + name}, error)) << error;
        EXPECT_EQ(line.GetFormat(), format) << name;
    }
}

TEST(QuillonCommandLine, HelpWinsAnywhere) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--help"},
                                                      {"-h"},
                                                      {"discover", "a.json", "--help"},
                                                      {"version", "-h"}}) {
        QuillonCommandLine line;
        std::string error;
        ASSERT_TRUE(line.Parse(arguments, error)) << error;
        EXPECT_EQ(line.GetCommand(), Command::Help);
    }
}

struct UsageError {
    std::vector<std::string> arguments;
    const char* error;
};

class QuillonCommandLineRefuses : public testing::TestWithParam<UsageError> {};

TEST_P(QuillonCommandLineRefuses, WithAOneLineMessage) {
    QuillonCommandLine line;
    std::string error;
    EXPECT_FALSE(line.Parse(GetParam().arguments, error));
    EXPECT_EQ(error, std::string(GetParam().error) + " (see 'quillon --help')");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuillonCommandLineRefuses,
    testing::Values(
        UsageError{{}, "no command given"}, UsageError{{"discovr"}, "unknown command 'discovr'"},
        UsageError{{"--version"}, "unknown option '--version'"},
        UsageError{{"discover", "--verbose"}, "unknown option '--verbose'"},
        UsageError{{"discover", "--debug", "5"}, "'--debug' takes a level from 0 to 4, not '5'"},
        UsageError{{"discover", "--debug=-1"}, "'--debug' takes a level from 0 to 4, not '-1'"},
        UsageError{{"discover", "--debug", "01"}, "'--debug' takes a level from 0 to 4, not '01'"},
        UsageError{{"discover", "--debug"}, "'--debug' needs a value"},
        UsageError{{"discover", "--format", "xml"},
                   "'--format' takes text, json, dot, svg or png, not 'xml'"},
        UsageError{{"discover", "--format", "SVG"},
                   "'--format' takes text, json, dot, svg or png, not 'SVG'"},
        UsageError{{"discover", "--out="}, "'--out' needs a value"},
        UsageError{{"discover", "--out", "a", "--out", "b"}, "'--out' is given more than once"},
        UsageError{{"version", "lab.json"}, "version takes no lab file ('lab.json')"},
        UsageError{{"version", "--out", "r.json"},
                   "'--out' is an option of discover, not of version"}));

} // namespace
