#include "Utf8Text.h"

std::size_t Utf8Text::SequenceLength(std::string_view text, std::size_t position,
                                     std::size_t& invalidLength) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byteAt(position);
    invalidLength = 1;
    if (lead < 0x80)
        return 1;

    // Continuation bytes after the lead, and the range the first of them must
    // lie in (it excludes overlong forms, surrogates and code points past
    // U+10FFFF).
    std::size_t trailing = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
    } else if (lead == 0xE0) {
        trailing = 2;
        low = 0xA0;
    } else if (lead == 0xED) {
        trailing = 2;
        high = 0x9F;
    } else if (lead >= 0xE1 && lead <= 0xEF) {
        trailing = 2;
    } else if (lead == 0xF0) {
        trailing = 3;
        low = 0x90;
    } else if (lead >= 0xF1 && lead <= 0xF3) {
        trailing = 3;
    } else if (lead == 0xF4) {
        trailing = 3;
        high = 0x8F;
    } else {
        return 0; // 80..C1, F5..FF never start a sequence
    }

    std::size_t length = 1;
    for (std::size_t i = 0; i < trailing; ++i) {
        const std::size_t at = position + length;
        if (at >= text.size())
            break;
        const unsigned char byte = byteAt(at);
        const unsigned char min = i == 0 ? low : 0x80;
        const unsigned char max = i == 0 ? high : 0xBF;
        if (byte < min || byte > max)
            break;
        ++length;
    }
    if (length == trailing + 1)
        return length;
    invalidLength = length;
    return 0;
}

std::string Utf8Text::Repaired(std::string_view text) {
    std::string repaired;
    repaired.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t invalidLength = 0;
        const std::size_t length = SequenceLength(text, position, invalidLength);
        if (length > 0) {
            repaired.append(text.substr(position, length));
            position += length;
        } else {
            repaired.append(Replacement);
            position += invalidLength;
        }
    }
    return repaired;
}
