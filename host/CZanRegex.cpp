#include "CZanRegex.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <re2/re2.h>

namespace {

// Device output is bytes, so the engine reads both the expression and the
// text as Latin-1. "^" and "$" bind to the ends of the whole text, as a POSIX
// matcher does without its newline flag; "." stops at a line feed but
// crosses a carriage return.
RE2::Options EngineOptions() {
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

} // namespace

// The text handed to ZRStep is remembered by its address only: its length is
// measured once, and every later step over the same address continues where
// the previous match ended. ZRMatches keeps its own bounds and leaves the
// stepping position alone.
struct CZanRegex::Impl {
    Impl(const char* expression, int slots)
        : engine(re2::StringPiece(expression ? expression : ""), EngineOptions()) {
        compiled = expression != nullptr && engine.ok();
        int wanted = std::max(slots, 1);
        int available = compiled ? engine.NumberOfCapturingGroups() + 1 : 1;
        groups.resize(static_cast<size_t>(std::min(wanted, available)));
    }

    RE2 engine;
    bool compiled = false;
    // Bounds of every recorded group of the latest step.
    std::vector<re2::StringPiece> groups;
    bool stepMatched = false;
    const char* stepText = nullptr;
    size_t stepLength = 0;
    // Offset the next step searches from; beyond stepLength once the text is
    // exhausted.
    size_t nextOffset = 0;

    const char* exprStart = nullptr;
    const char* exprEnd = nullptr;
};

CZanRegex::CZanRegex(const char* expression, int slots)
    : m_Impl(std::make_unique<Impl>(expression, slots)) {}

CZanRegex::~CZanRegex() = default;

__boolean CZanRegex::ZRCompiledCorrectly() const {
    return m_Impl->compiled ? ZTRUE : ZFALSE;
}

int CZanRegex::ZRStep(const char* text) {
    Impl& impl = *m_Impl;
    impl.stepMatched = false;
    if (!impl.compiled || text == nullptr) {
        impl.stepText = nullptr;
        return 0;
    }
    if (text != impl.stepText) {
        impl.stepText = text;
        impl.stepLength = std::strlen(text);
        impl.nextOffset = 0;
    }
    if (impl.nextOffset > impl.stepLength) {
        return 0;
    }
    re2::StringPiece whole(text, impl.stepLength);
    if (!impl.engine.Match(whole, impl.nextOffset, impl.stepLength, RE2::UNANCHORED,
                           impl.groups.data(), static_cast<int>(impl.groups.size()))) {
        impl.nextOffset = impl.stepLength + 1;
        return 0;
    }
    size_t start = static_cast<size_t>(impl.groups[0].data() - text);
    size_t end = start + impl.groups[0].size();
    // An empty match must not be found again: move one byte on.
    impl.nextOffset = end == start ? end + 1 : end;
    impl.stepMatched = true;
    return 1;
}

const char* CZanRegex::SubExprStart(int group) const {
    const Impl& impl = *m_Impl;
    if (!impl.stepMatched || group < 0 || static_cast<size_t>(group) >= impl.groups.size()) {
        return nullptr;
    }
    return impl.groups[static_cast<size_t>(group)].data();
}

const char* CZanRegex::SubExprEnd(int group) const {
    const char* start = SubExprStart(group);
    if (start == nullptr) {
        return nullptr;
    }
    return start + m_Impl->groups[static_cast<size_t>(group)].size();
}

__boolean CZanRegex::ZRMatches(const char* text) {
    Impl& impl = *m_Impl;
    impl.exprStart = nullptr;
    impl.exprEnd = nullptr;
    if (!impl.compiled || text == nullptr) {
        return ZFALSE;
    }
    re2::StringPiece whole(text, std::strlen(text));
    re2::StringPiece found;
    if (!impl.engine.Match(whole, 0, whole.size(), RE2::UNANCHORED, &found, 1)) {
        return ZFALSE;
    }
    impl.exprStart = found.data();
    impl.exprEnd = found.data() + found.size();
    return ZTRUE;
}

const char* CZanRegex::ZRExprStart() const {
    return m_Impl->exprStart;
}

const char* CZanRegex::ZRExprEnd() const {
    return m_Impl->exprEnd;
}
