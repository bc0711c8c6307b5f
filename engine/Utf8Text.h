// UTF-8 checks for text that came from devices: any byte may occur there,
// while reports and messages must be valid UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class Utf8Text {
public:
    // Length of the well-formed UTF-8 sequence that starts at `position`,
    // or 0 when the bytes there are not one. `invalidLength` then gets the
    // length of the maximal ill-formed subpart (at least 1), the run of bytes
    // one replacement character stands for.
    static std::size_t SequenceLength(std::string_view text, std::size_t position,
                                      std::size_t& invalidLength);

    // The text with each maximal ill-formed subpart replaced by U+FFFD.
    static std::string Repaired(std::string_view text);

    // The replacement character, U+FFFD, in UTF-8.
    static constexpr std::string_view Replacement = "\xEF\xBF\xBD";
};
