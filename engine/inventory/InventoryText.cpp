#include "InventoryText.h"

#include <cstdio>

std::size_t InventoryText::FirstNonUtf8(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[position]);
        if (lead < 0x80) {
            ++position;
            continue;
        }
        // Continuation bytes after the lead, and the range the first of them
        // must lie in.
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
            return position;
        }
        if (text.size() - position <= trailing)
            return position;
        for (std::size_t i = 1; i <= trailing; ++i) {
            const unsigned char byte = static_cast<unsigned char>(text[position + i]);
            if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
                return position;
        }
        position += trailing + 1;
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
