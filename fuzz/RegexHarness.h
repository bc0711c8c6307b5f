// The pattern service stepped over arbitrary text against a plain reference:
// every successive match, with every group, must be what searching the
// engine unanchored from where the last match ended gives. Several pattern
// objects in turn step over copies of the same text, so that the service's
// shared engines and kept matches are used too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <re2/re2.h>

#include "CZanRegex.h"
#include "ZanRegexEngine.h"

namespace quillon_fuzz {

// The engine settings of the pattern service.
inline RE2::Options ReferenceOptions() {
    return ZanRegexEngineOptions();
}

// Group bounds of one match as offsets; -1 for a group that took no part.
typedef std::vector<std::pair<long, long>> MatchBounds;

// Every match stepping finds, the simple way.
inline std::vector<MatchBounds> ReferenceSteps(const RE2& re, const std::string& text, int slots,
                                               size_t limit) {
    std::vector<MatchBounds> steps;
    const int groups = std::min(std::max(slots, 1), re.NumberOfCapturingGroups() + 1);
    std::vector<re2::StringPiece> found(static_cast<size_t>(groups));
    const re2::StringPiece whole(text);
    size_t next = 0;
    while (next <= text.size() && steps.size() < limit &&
           re.Match(whole, next, text.size(), RE2::UNANCHORED, found.data(), groups)) {
        MatchBounds bounds;
        for (const re2::StringPiece& group : found) {
            if (group.data() == nullptr)
                bounds.emplace_back(-1, -1);
            else
                bounds.emplace_back(group.data() - text.data(),
                                    group.data() + group.size() - text.data());
        }
        const size_t start = static_cast<size_t>(bounds[0].first);
        const size_t end = static_cast<size_t>(bounds[0].second);
        next = end == start ? end + 1 : end;
        steps.push_back(bounds);
    }
    return steps;
}

// Every match the service steps to.
inline std::vector<MatchBounds> ServiceSteps(const std::string& expression, const char* text,
                                             int slots, size_t limit) {
    std::vector<MatchBounds> steps;
    CZanRegex regex(expression.c_str(), slots);
    while (steps.size() < limit && regex.ZRStep(text) == 1) {
        MatchBounds bounds;
        for (int g = 0; g < slots; ++g) {
            const char* start = regex.SubExprStart(g);
            const char* end = regex.SubExprEnd(g);
            if (start == nullptr || end == nullptr)
                bounds.emplace_back(-1, -1);
            else
                bounds.emplace_back(start - text, end - text);
        }
        steps.push_back(bounds);
    }
    return steps;
}

// The input: the expression on the first line, the text after it, repeated
// to at least 4 KB so that matches get kept.
inline bool RegexSteps(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = input.find('\n');
    if (lineEnd == std::string::npos || lineEnd > 200)
        return true;
    const std::string expression = input.substr(0, lineEnd);
    if (expression.find('\0') != std::string::npos)
        return true;
    std::string piece = input.substr(lineEnd + 1);
    piece = piece.substr(0, piece.find('\0'));
    std::string text = piece;
    while (!piece.empty() && text.size() < 4096)
        text += piece;

    const RE2 reference(expression, ReferenceOptions());
    if (!reference.ok())
        return CZanRegex(expression.c_str(), 1).ZRCompiledCorrectly() != ZTRUE;
    const size_t limit = 2000;
    const int groups = reference.NumberOfCapturingGroups() + 1;
    for (const int slots : {1, groups}) {
        std::vector<MatchBounds> expected = ReferenceSteps(reference, text, slots, limit);
        for (MatchBounds& bounds : expected)
            bounds.resize(static_cast<size_t>(slots), {-1, -1});
        // Three rounds, each over a copy at another address: the first
        // compiles, the second keeps its matches, the third reads them back.
        for (int round = 0; round < 3; ++round) {
            const std::string copy = text;
            if (ServiceSteps(expression, copy.c_str(), slots, limit) != expected)
                return false;
        }
    }
    return true;
}

} // namespace quillon_fuzz
