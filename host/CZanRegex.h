// One POSIX extended regular expression with numbered groups.
//
// Matching is byte-wise (Latin-1), leftmost-longest, and "." does not match a
// line feed. The expression runs on the caller's text in place; every pointer
// it hands back points into that text.
#pragma once

#include <cstddef>
#include <memory>

#include "HostApi.h"

class HOST_API CZanRegex {
public:
    // slots: how many groups to record (slot 0 is the whole match).
    CZanRegex(const char* expression, int slots);
    CZanRegex(const CZanRegex&) = delete;
    CZanRegex& operator=(const CZanRegex&) = delete;
    ~CZanRegex();

    __boolean ZRCompiledCorrectly() const;

    // Returns 1 when a match was found: the leftmost one on the first call,
    // then, while the same text pointer is passed, the next one to the right
    // of the previous. Any other text pointer starts over. Returns 0 when
    // there is no further match (or the expression did not compile).
    int ZRStep(const char* text);
    // Bounds of a group of the latest ZRStep match; null when the group took
    // no part in it, lies beyond the slot count, or there is no match.
    const char* SubExprStart(int group) const;
    const char* SubExprEnd(int group) const;

    // Whether the expression matches somewhere in text; ZRExprStart and
    // ZRExprEnd then bound the leftmost match.
    __boolean ZRMatches(const char* text);
    const char* ZRExprStart() const;
    const char* ZRExprEnd() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_Impl;
};
