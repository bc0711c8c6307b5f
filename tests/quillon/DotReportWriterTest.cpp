// The network drawn as a Graphviz graph: which nodes, clusters and edges a
// run's links give, how text from devices is quoted, and that Graphviz reads
// the graph.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "CScoutTopology.h"
#include "DotReportWriter.h"
#include "GraphvizRenderer.h"
#include "TopologyRecords.h"

namespace {

using topology_records::RouterRow;

std::string Graph(const std::vector<RouterRow>& routers) {
    CScoutTopology topology;
    topology_records::AddAll(topology, routers);
    DotReportWriter writer;
    writer.Begin("Quillon", "Discovery Agent", "3.7.0.38");
    writer.AddLinks(topology);
    writer.End();
    return writer.Text();
}

// The lines of the cluster with that label, or "" when there is none.
std::string Cluster(const std::string& graph, const std::string& area) {
    const std::size_t label = graph.find("label=\"area " + area + "\";");
    if (label == std::string::npos)
        return "";
    const std::size_t start = graph.rfind("subgraph cluster_", label);
    const std::size_t end = graph.find("\n  }\n", label);
    return graph.substr(start, end - start);
}

TEST(DotReportWriter, DrawsRoutersAreasLansAndLinks) {
    const std::string graph = Graph(topology_records::MixedRun());
    EXPECT_EQ(graph.rfind("graph isis {\n", 0), 0u) << graph;
    EXPECT_EQ(graph.substr(graph.size() - 2), "}\n");

    const std::string first = Cluster(graph, "49.0001");
    const std::string second = Cluster(graph, "49.0002");
    const std::string third = Cluster(graph, "49.0009");
    ASSERT_FALSE(first.empty()) << graph;
    ASSERT_FALSE(second.empty()) << graph;
    ASSERT_FALSE(third.empty()) << graph;

    // Routers: host name, identifier when it differs, system id, area.
    EXPECT_NE(first.find("router0 [label=\"r1\\n(R1)\\n0000.0000.0001\\narea 49.0001\", "
                         "shape=box"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("router1 [label=\"r2\\n(R2)"), std::string::npos) << first;
    EXPECT_NE(second.find("router2 [label=\"r3\\n(R3)"), std::string::npos) << second;
    EXPECT_NE(second.find("router3 [label=\"core\\n(C1)\\n0000.0000.00c1"), std::string::npos);
    EXPECT_NE(second.find("router4 [label=\"core\\n(C2)\\n0000.0000.00c2"), std::string::npos);
    // The LAN's pseudo-node sits in the area of its routers.
    EXPECT_NE(first.find("lan0 [label=\"LAN r1.01\\nDIS R1\", shape=ellipse"), std::string::npos)
        << first;
    // Neighbours not in the run, in the area they were reported in.
    EXPECT_NE(third.find("other0 [label=\"r9\\nnot in this run\\narea 49.0009\", "
                         "shape=box, style=\"rounded,dashed\"]"),
              std::string::npos)
        << third;
    EXPECT_NE(second.find("other1 [label=\"core\\nambiguous:\\nC1 or C2\\narea 49.0002\""),
              std::string::npos)
        << second;

    const std::vector<std::string> edges = {
        "router0 -- other0 [label=\"L2\", taillabel=\"Se1/0\\nL2 30\", headlabel=\"?\", "
        "style=dotted];",
        "router0 -- other1 [label=\"L2\", taillabel=\"ifIndex -1\", headlabel=\"?\", "
        "style=dotted];",
        "router1 -- router2 [label=\"L2\", taillabel=\"Se1/1\", headlabel=\"?\", style=dashed];",
        "router0 -- lan0 [label=\"Et0/0\\nL1 10\", style=solid];",
        "router1 -- lan0 [label=\"Et0/1\\nL1 15\", style=solid];",
    };
    for (const std::string& edge : edges)
        EXPECT_NE(graph.find("  " + edge + "\n"), std::string::npos) << edge << "\n" << graph;
    // The LAN's adjacency is drawn through the pseudo-node only.
    EXPECT_EQ(graph.find("router0 -- router1"), std::string::npos);
}

TEST(DotReportWriter, OneLanNodePerLanAndLevelsPerRouter) {
    // A LAN of three routers, r3 at Level-1 only, r4 reporting no levels at
    // all: one pseudo-node, three edges to it.
    const std::vector<RouterRow> routers = {
        {"r1",
         "r1",
         "0000.0000.0001.00",
         "49.0001",
         {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}, {"Level-2", 20, "r1.01"}}}},
         {{1, "r2", "L2", "49.0001", "10.1.0.2"}, {1, "r3", "L1", "49.0001", "10.1.0.3"}},
         "r1.01-00"},
        {"r2",
         "r2",
         "0000.0000.0002.00",
         "49.0001",
         {{1, "FastEthernet0/0", {}}},
         {{1, "r1", "L2", "49.0001", "10.1.0.1"}}},
        {"r3",
         "r3",
         "0000.0000.0003.00",
         "49.0001",
         {{3, "Ethernet0/2", {{"Level-1", 30, "r1.01"}}}},
         {{3, "r1", "L1", "49.0001", "10.1.0.1"}}},
    };
    const std::string graph = Graph(routers);
    EXPECT_NE(graph.find("lan0 [label=\"LAN r1.01\\nDIS r1\""), std::string::npos) << graph;
    EXPECT_EQ(graph.find("lan1"), std::string::npos) << graph;
    EXPECT_NE(graph.find("router0 -- lan0 [label=\"Et0/0\\nL1 10, L2 20\", style=solid]"),
              std::string::npos)
        << graph;
    EXPECT_NE(graph.find("router1 -- lan0 [label=\"Fa0/0\\nL2\", style=solid]"), std::string::npos)
        << graph;
    EXPECT_NE(graph.find("router2 -- lan0 [label=\"Et0/2\\nL1 30\", style=solid]"),
              std::string::npos)
        << graph;
}

TEST(DotReportWriter, QuotesDeviceText) {
    EXPECT_EQ(DotReportWriter::Quoted("r1"), "\"r1\"");
    EXPECT_EQ(DotReportWriter::Quoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(DotReportWriter::Quoted("one\ntwo"), "\"one\\ntwo\"");
    EXPECT_EQ(DotReportWriter::Quoted(std::string("x\x01y\r\x7Fz", 6)), "\"x y  z\"");
    EXPECT_EQ(DotReportWriter::Quoted("r\xFF"), "\"r\xEF\xBF\xBD\"");
    EXPECT_EQ(DotReportWriter::Quoted("} graph { \\N"), "\"} graph { \\\\N\"");
}

// Names that would break a graph written carelessly.
std::vector<RouterRow> HostileRun() {
    return {
        {"R\"1",
         "a\"b\\",
         "0000.0000.0001.00",
         "49.0001\\",
         {{1, "Eth\"er\\net0/0", {{"Level-1", 10, "x\".01"}}}},
         {{1, "r\xFF}", "L1", "{49}", "10.0.0.2"}, {1, "b;c", "L1", "49.0001\\", "10.0.0.3"}}},
        {"b;c",
         "b;c",
         "0000.0000.0002.00",
         "49.0001\\",
         {{1, "Et0/0", {{"Level-1", 5, "x\".01"}}}},
         {{1, "a\"b\\", "L1", "49.0001\\", "10.0.0.1"}}},
    };
}

TEST(DotReportWriter, GraphvizReadsTheGraph) {
    const std::string dot = GraphvizRenderer::FindDot();
    if (dot.empty())
        GTEST_SKIP() << "Graphviz is not installed";
    for (const auto& routers : {topology_records::MixedRun(), HostileRun()}) {
        std::string svg;
        std::string error;
        ASSERT_TRUE(GraphvizRenderer::Render(dot, Graph(routers), "svg", svg, error)) << error;
        EXPECT_NE(svg.find("<svg"), std::string::npos);
        EXPECT_NE(svg.find("</svg>"), std::string::npos);
    }
    std::string png;
    std::string error;
    ASSERT_TRUE(GraphvizRenderer::Render(dot, Graph(HostileRun()), "png", png, error)) << error;
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
}

TEST(GraphvizRenderer, FailuresAreOneLine) {
    const std::string dot = GraphvizRenderer::FindDot();
    if (dot.empty())
        GTEST_SKIP() << "Graphviz is not installed";
    std::string output;
    std::string error;
    EXPECT_FALSE(GraphvizRenderer::Render(dot, "graph {", "svg", output, error));
    EXPECT_EQ(error.rfind("cannot draw the network: " + dot + " failed", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

TEST(GraphvizRenderer, FindsDotOnThePathOnly) {
    const char* saved = std::getenv("PATH");
    const std::string path = saved != nullptr ? saved : "";
    setenv("PATH", "/nonexistent-folder:/proc", 1);
    EXPECT_EQ(GraphvizRenderer::FindDot(), "");
    unsetenv("PATH");
    EXPECT_EQ(GraphvizRenderer::FindDot(), "");
    setenv("PATH", path.c_str(), 1);
    EXPECT_NE(GraphvizRenderer::MissingMessage("png").find("apt-get install graphviz"),
              std::string::npos);
}

} // namespace
