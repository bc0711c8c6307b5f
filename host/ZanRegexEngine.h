// Engine settings shared by the pattern service's classes (internal to the
// host layer; not part of what agents see).
//
// Threads: a function of no state; safe from any thread.
#pragma once

#include <cstdint>

#include <re2/re2.h>

// Device output is bytes, so the engine reads both the expression and the
// text as Latin-1. Matches are leftmost-longest. "^" and "$" bind to the ends
// of the whole text, as a POSIX matcher does without its newline flag; "."
// stops at a line feed but crosses a carriage return.
inline RE2::Options ZanRegexEngineOptions() {
    RE2::Options options;
    options.set_posix_syntax(true);
    options.set_longest_match(true);
    options.set_encoding(RE2::Options::EncodingLatin1);
    options.set_dot_nl(false);
    options.set_never_nl(false);
    options.set_one_line(true);
    options.set_case_sensitive(true);
    options.set_log_errors(false);
    // Large outputs would otherwise exhaust the automaton's cache and send
    // the search down the slow path.
    options.set_max_mem(int64_t{64} << 20);
    return options;
}
