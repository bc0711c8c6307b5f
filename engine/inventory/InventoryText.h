// Checks on the text an inventory holds, and how such text is shown in a
// message: messages are one line of printable ASCII whatever the inventory
// holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class InventoryText {
public:
    static constexpr std::size_t kShownLimit = 80;

    // Offset of the first byte that does not belong to well-formed UTF-8
    // (overlong forms, surrogates and code points past U+10FFFF are not), or
    // npos when the whole text is well-formed.
    static std::size_t FirstNonUtf8(std::string_view text);

    // Whether the text holds a control character (C0 or DEL) other than tab.
    static bool HasControl(std::string_view text);

    // Offset of the first control character (C0 or DEL) other than tab,
    // line feed and carriage return, which YAML text may not hold; npos when
    // there is none.
    static std::size_t FirstControlInLines(std::string_view text);

    // Whether the text would be a template to Ansible: it holds "{{", "{%"
    // or "{#".
    static bool IsTemplate(std::string_view text);

    // The text with every byte outside printable ASCII written as \xNN and,
    // past `limit` bytes, cut short with "...".
    static std::string Shown(std::string_view text, std::size_t limit = kShownLimit);
};
