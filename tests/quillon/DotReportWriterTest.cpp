// Text from devices quoted for a Graphviz graph, and Graphviz's failures
// reported in one line. What the graph draws is checked end to end against
// tests/data/expected/*.dot.
#include <gtest/gtest.h>

#include <string>

#include "DotReportWriter.h"
#include "GraphvizRenderer.h"

namespace {

TEST(DotReportWriter, QuotesDeviceText) {
    const std::pair<std::string, std::string> cases[] = {
        {"r1", "\"r1\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"one\ntwo", "\"one\\ntwo\""},
        {std::string("x\x01y\r\x7Fz", 6), "\"x y  z\""},
        {"r\xFF", "\"r\xEF\xBF\xBD\""},
        {"} graph { \\N", "\"} graph { \\\\N\""},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(DotReportWriter::Quoted(text), quoted);
}

TEST(GraphvizRenderer, FailureIsOneLine) {
    const std::string dot = GraphvizRenderer::FindDot();
    if (dot.empty())
        GTEST_SKIP() << "Graphviz is not installed";
    std::string output;
    std::string error;
    EXPECT_FALSE(GraphvizRenderer::Render(dot, "graph {", "svg", output, error));
    EXPECT_EQ(error.rfind("cannot draw the network: " + dot + " failed", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

} // namespace
