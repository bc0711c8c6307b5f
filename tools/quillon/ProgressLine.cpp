#include "ProgressLine.h"

#include <unistd.h>

#include <cstdio>

ProgressLine::ProgressLine(std::ostream& err)
    : m_Err(err), m_Shown(isatty(STDERR_FILENO) == 1), m_Start(std::chrono::steady_clock::now()) {}

void ProgressLine::Update(std::size_t done, std::size_t known, std::size_t failed,
                          const std::string& slowest, double slowestSeconds) {
    if (!m_Shown)
        return;
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_Start).count();
    char line[160];
    std::snprintf(line, sizeof line, "%zu/%zu routers done, %zu failed, %.1f s", done, known,
                  failed, elapsed);
    std::string text = line;
    if (!slowest.empty()) {
        std::snprintf(line, sizeof line, "; slowest running: %.40s (%.1f s)", slowest.c_str(),
                      slowestSeconds);
        text += line;
    }
    // Back to the start of the line, the text, and the rest of the line cleared.
    m_Err << "\r" << text << "\033[K" << std::flush;
}

void ProgressLine::Finish() {
    if (m_Shown)
        m_Err << "\r\033[K" << std::flush;
}
