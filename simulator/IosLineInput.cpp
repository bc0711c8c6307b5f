#include "IosLineInput.h"

#include <utility>

bool IosLineInput::Type(char c, bool echo, std::string& out) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n')
        return true;
    if (c == '\b' || byte == 0x7f) {
        if (!m_Line.empty()) {
            m_Line.pop_back();
            if (echo)
                out += "\b \b";
        }
        return false;
    }
    if (byte < 0x20 || m_Line.size() >= kLongest)
        return false;
    m_Line.push_back(c);
    if (echo)
        out.push_back(c);
    return false;
}

std::string IosLineInput::Take() {
    std::string line = std::move(m_Line);
    m_Line.clear();
    return line;
}
