// Delivers the finished report: to standard output, or to a file all or
// nothing (written under a temporary name beside it, then renamed).
#pragma once

#include <iosfwd>
#include <string>

class ReportOutput {
public:
    // Writes `text` to the file at `path`, or to `out` when `path` is empty. On failure returns
    // false, sets `error` and leaves no file behind (an existing file at `path` stays as it was).
    static bool Deliver(const std::string& path, const std::string& text, std::ostream& out,
                        std::string& error);
};
