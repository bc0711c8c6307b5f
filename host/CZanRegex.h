// One POSIX extended regular expression with numbered groups.
//
// Matching is byte-wise (Latin-1), leftmost-longest, and "." does not match a
// line feed. The expression runs on the caller's text in place; every pointer
// it hands back points into that text.
//
// The compiled expression is shared: every object of the same expression, on
// any thread, uses one program, compiled once per run.
//
// Threads: an object is used by one thread at a time; objects, even of the
// same expression, may be used on several threads at once.
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
    //
    // A text is recognised by its address alone while stepping over it: its
    // length is measured when stepping starts on it, and later steps go on
    // from there without reading it again. A caller that rewrites a buffer
    // in place and steps over it again calls ZRRestart first.
    int ZRStep(const char* text);
    // Makes the next ZRStep start over on the text it is given, even the
    // text of the previous step, as on a fresh object.
    void ZRRestart();
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
