#include "InventoryText.h"

#include <cstdio>

#include "Utf8Text.h"

std::size_t InventoryText::FirstNonUtf8(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t invalid = 0;
        const std::size_t length = Utf8Text::SequenceLength(text, position, invalid);
        if (length == 0)
            return position;
        position += length;
    }
    return std::string_view::npos;
}

bool InventoryText::HasControl(std::string_view text) {
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
            return true;
    }
    return false;
}

std::size_t InventoryText::FirstControlInLines(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r' && HasControl(text.substr(i, 1)))
            return i;
    }
    return std::string_view::npos;
}

bool InventoryText::IsTemplate(std::string_view text) {
    return text.find("{{") != std::string_view::npos || text.find("{%") != std::string_view::npos ||
           text.find("{#") != std::string_view::npos;
}

std::string InventoryText::Shown(std::string_view text, std::size_t limit) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == limit) {
            shown += "...";
            break;
        }
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += static_cast<char>(byte);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}
