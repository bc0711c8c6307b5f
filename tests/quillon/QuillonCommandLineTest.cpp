// The forms of the command line and what each sets. Usage errors are checked
// end to end (tests/data/refusals.json).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "QuillonCommandLine.h"

namespace {

using Command = QuillonCommandLine::Command;
using Format = QuillonCommandLine::Format;

TEST(QuillonCommandLine, DiscoverWithEveryOptionAndWithNone) {
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

    // Parsing again starts afresh.
    ASSERT_TRUE(line.Parse({"discover"}, error));
    EXPECT_EQ(line.GetFormat(), Format::Text);
    EXPECT_EQ(line.DebugLevel(), 0);
    EXPECT_EQ(line.OutPath(), "");
    EXPECT_EQ(line.AgentPath(), "");
    EXPECT_TRUE(line.LabFiles().empty());
}

TEST(QuillonCommandLine, FormatsVersionAndHelp) {
    QuillonCommandLine line;
    std::string error;
    const std::pair<const char*, Format> formats[] = {{"text", Format::Text},
                                                      {"json", Format::Json},
                                                      {"dot", Format::Dot},
                                                      {"svg", Format::Svg},
                                                      {"png", Format::Png}};
    for (const auto& [name, format] : formats) {
        ASSERT_TRUE(line.Parse({"discover", std::string("--format=") + name}, error)) << error;
        EXPECT_EQ(line.GetFormat(), format) << name;
    }
    ASSERT_TRUE(line.Parse({"version", "--agent=./p.so"}, error));
    EXPECT_EQ(line.GetCommand(), Command::Version);
    EXPECT_EQ(line.AgentPath(), "./p.so");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-h"}, {"discover", "a.json", "--help"}, {"version", "-h"}}) {
        ASSERT_TRUE(line.Parse(arguments, error)) << error;
        EXPECT_EQ(line.GetCommand(), Command::Help);
    }
}

} // namespace
