// Reading a group of the latest pattern match.
#pragma once

#include <string>

#include "CZanRegex.h"

namespace QuillonCapture {

// The text of a group of the latest match; false when the group took no part.
inline bool Capture(const CZanRegex& regex, int group, std::string& text) {
    const char* start = regex.SubExprStart(group);
    const char* end = regex.SubExprEnd(group);
    if (start == nullptr || end == nullptr)
        return false;
    text.assign(start, end);
    return true;
}

} // namespace QuillonCapture
