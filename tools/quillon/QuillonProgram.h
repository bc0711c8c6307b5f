// quillon from its arguments to its exit status: reads the command line and
// the labs, loads the plug-in, runs the discovery and delivers the report.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class QuillonProgram {
public:
    // Exit status: 0 when the run completed, 2 on a usage error, a lab that
    // cannot be read or is malformed, a plug-in that cannot be loaded, a
    // drawing asked for without Graphviz or that Graphviz cannot make, or a
    // report that cannot be written. Messages go to `err` as one line each;
    // help and version text to `out`.
    static int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 2;
};
