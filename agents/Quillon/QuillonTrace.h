// Trace output of the agent: lines on standard output, gated by the host's
// trace level, each flushed as soon as it is written.
#pragma once

#include <iostream>

#include "ZanDebug.h"

namespace QuillonTrace {

inline bool At(int level) { return __Zandemar_Debug_Level >= level; }

// Writes the parts, an end of line, and flushes.
template <typename... Parts> inline void Line(int level, const Parts&... parts) {
    if (!At(level))
        return;
    (std::cout << ... << parts) << std::endl;
}

// Writes a text that carries its own line end as it stands, and flushes.
inline void Text(int level, const char* text) {
    if (!At(level))
        return;
    std::cout << text << std::flush;
}

} // namespace QuillonTrace
