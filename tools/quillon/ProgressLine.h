// The run's progress on standard error, redrawn in place, when standard
// error is a terminal: routers done out of those known, how many failed,
// time elapsed, and the slowest router still running. Nothing at all when
// standard error is not a terminal (CI, pipes, files).
#pragma once

#include <chrono>
#include <ostream>
#include <string>

class ProgressLine {
public:
    explicit ProgressLine(std::ostream& err);

    bool Shown() const { return m_Shown; }
    void Update(std::size_t done, std::size_t known, std::size_t failed, const std::string& slowest,
                double slowestSeconds);
    // Clears the line.
    void Finish();

private:
    std::ostream& m_Err;
    bool m_Shown;
    std::chrono::steady_clock::time_point m_Start;
};
