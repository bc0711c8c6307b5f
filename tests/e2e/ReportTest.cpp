// quillon discover end to end on small labs, in every format
// (tests/data/reports.json), against the reports kept in tests/data/expected: the example lab's
// report written by hand from its routers' outputs (example-report.json), and what the other labs
// and formats give. links.json is a lab of links that only one side reported, a neighbour not in
// the run and two routers with the same host name.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <string>
#include <vector>

#include "QuillonProcess.h"

namespace {

using nlohmann::ordered_json;
using quillon_test::Expand;
using quillon_test::ReadFile;
using quillon_test::RunQuillon;
using quillon_test::ScratchFolder;

// The line standard error carries for each error of the report, in order.
std::string ErrorLines(const ordered_json& report) {
    std::string lines;
    for (const ordered_json& entity : report["entities"]) {
        for (const ordered_json& error : entity["errors"]) {
            lines += "error " + error["code"].dump() + " " + error["file"].get<std::string>() +
                     ":" + error["line"].dump();
            if (error["message"].is_string())
                lines += " " + error["message"].get<std::string>();
            if (lines.back() != '\n')
                lines += "\n";
        }
    }
    return lines;
}

TEST(Report, EveryLabInEveryFormatGivesTheExpectedReport) {
    // The arguments after "discover", and the file of the expected report.
    for (const auto& run : nlohmann::json::parse(ReadFile(Expand("@data/reports.json")))) {
        std::vector<std::string> arguments = {"discover"};
        for (const auto& argument : run[0])
            arguments.push_back(Expand(argument));
        const std::string expected = run[1];
        SCOPED_TRACE(expected);
        const auto result = RunQuillon(arguments);
        ASSERT_EQ(result.status, 0) << result.err;
        const std::string wanted = ReadFile(Expand(expected));
        ASSERT_FALSE(wanted.empty());
        if (expected.substr(expected.size() - 5) != ".json") {
            EXPECT_EQ(result.out, wanted);
            continue;
        }
        // Member order counts. A report kept for some members only is
        // compared on those.
        const ordered_json report = ordered_json::parse(result.out);
        const ordered_json want = ordered_json::parse(wanted);
        ordered_json got = report;
        if (want.size() < report.size()) {
            got = ordered_json::object();
            for (const auto& member : want.items())
                got[member.key()] = report[member.key()];
        }
        EXPECT_TRUE(got == want) << ordered_json::diff(want, got).dump(1);
        EXPECT_EQ(result.err, ErrorLines(report));
    }
}

TEST(Report, DrawnByGraphviz) {
    if (std::system("dot -V > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "Graphviz is not installed";
    ScratchFolder folder;
    for (const std::string& lab : {std::string(), Expand("@data/labs/links.json")}) {
        std::vector<std::string> arguments = {"discover", "--format", "svg", "--out",
                                              folder / "n.svg"};
        if (!lab.empty())
            arguments.push_back(lab);
        const auto svg = RunQuillon(arguments);
        ASSERT_EQ(svg.status, 0) << svg.err;
        EXPECT_EQ(svg.out, "");
        const std::string picture = ReadFile(folder / "n.svg");
        EXPECT_NE(picture.find("<svg"), std::string::npos);
        EXPECT_NE(picture.find(lab.empty() ? ">LAN r1.01<" : ">(lone&quot;ly\\ {x})<"),
                  std::string::npos);
    }
    const auto png = RunQuillon({"discover", "--format", "png"});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out.substr(0, 8), "\x89PNG\r\n\x1A\n");
}

TEST(Report, DrawingWithoutGraphvizSaysHowToInstallIt) {
    ScratchFolder folder;
    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", folder.Path().c_str(), 1);
    const auto result = RunQuillon({"discover", "--format", "svg", "--out", folder / "n.svg"});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "quillon: cannot draw the network as svg: Graphviz's 'dot' program is not installed "
              "(install Graphviz, for example with 'apt-get install graphviz', or use --format "
              "dot)\n");
    EXPECT_TRUE(folder.Entries().empty());
}

} // namespace
