// A named pattern made of one or more consecutive expressions, each of which
// may carry sub-patterns; matches are read back through field paths such as
// "block[0].entry[2].name[0]".
//
// After Match, the pattern itself has one match (the leftmost-longest match
// of its expressions joined). Sub-pattern k belongs to expression k and is
// matched inside that expression's part of the match: a sub-pattern whose
// flag is true is matched repeatedly, left to right, without overlap, as long
// as a match starts inside the part; one whose flag is false is matched once.
// A sub-pattern match may run past the end of its part (a list that ends the
// text keeps its last line end). Sub-patterns of a sub-pattern are matched
// inside its own match, the same way.
//
// Threads: an object is used by one thread at a time. Objects, copies
// included, may be used on several threads at once: they share only
// compiled programs, which never change.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HostApi.h"

class HOST_API CScoutPattern {
public:
    CScoutPattern(const std::string& name, bool repeated, const std::string& expression);
    CScoutPattern(const std::string& name, bool repeated, const std::vector<std::string>& parts);
    CScoutPattern(const CScoutPattern& other);
    CScoutPattern& operator=(const CScoutPattern& other);
    ~CScoutPattern();

    // Takes over a heap vector of sub-patterns, one per expression, in order.
    void SetSubPattern(std::vector<CScoutPattern>* subPatterns);

    const std::string& Name() const;
    // Every expression, this pattern's and its sub-patterns', compiled.
    bool IsValid() const;
    // Matches the text in place; the text must outlive the reads below.
    bool Match(const char* text);
    // Number of matches of the element the path names (0 when none).
    int NumberMatches(const std::string& path) const;
    // Writes the text matched by the element the path addresses; returns
    // false (and leaves out unchanged) when there is none.
    bool FindField(const std::string& path, std::string& out) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_Impl;
};
