// Draws a DOT graph as SVG or PNG through Graphviz's `dot` program, which is
// looked up on PATH and run as a child process.
#pragma once

#include <string>

class GraphvizRenderer {
public:
    // The `dot` program on PATH, or "" when Graphviz is not installed.
    static std::string FindDot();
    // Runs `dot` on the graph for the format ("svg" or "png"). On failure
    // returns false and sets a one-line `error`.
    static bool Render(const std::string& dot, const std::string& graph, const std::string& format,
                       std::string& rendered, std::string& error);
    // The message for a missing `dot`, with how to install it.
    static std::string MissingMessage(const std::string& format);
};
