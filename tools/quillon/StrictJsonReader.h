// Reads one JSON text strictly: besides what JSON itself forbids (bytes that
// are not UTF-8, lone surrogate escapes, NaN, text after the value), it
// refuses a repeated member name in any object and a leading byte order mark.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

class StrictJsonReader {
public:
    // Parses `text` into `value`. On failure returns false and sets `error`
    // to "line L, column C: what is wrong" (both counted from 1; columns
    // count bytes).
    static bool Parse(std::string_view text, nlohmann::json& value, std::string& error);

    // Line and column of a byte offset in the text.
    static void Position(std::string_view text, std::size_t offset, std::size_t& line,
                         std::size_t& column);
};
