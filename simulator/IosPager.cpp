#include "IosPager.h"

#include <utility>

#include "IosCliText.h"

std::string IosPager::Start(std::string text, int length) {
    m_At = 0;
    if (length <= 0) {
        m_Text.clear();
        return text;
    }
    m_Text = std::move(text);
    m_Screen = length > 1 ? static_cast<std::size_t>(length - 1) : 1;
    return Show(m_Screen);
}

std::string IosPager::Key(char key) {
    if (!Waiting())
        return "";
    std::string out(IosCliText::kMoreErase);
    if (key == ' ')
        return out + Show(m_Screen);
    if (key == '\r' || key == '\n')
        return out + Show(1);
    m_Text.clear();
    m_At = 0;
    return out;
}

std::string IosPager::Show(std::size_t count) {
    const std::size_t start = m_At;
    while (count > 0 && m_At < m_Text.size()) {
        const std::size_t end = m_Text.find('\n', m_At);
        m_At = end == std::string::npos ? m_Text.size() : end + 1;
        --count;
    }
    std::string out = m_Text.substr(start, m_At - start);
    if (Waiting()) {
        out += IosCliText::kMore;
    } else {
        m_Text.clear();
        m_At = 0;
    }
    return out;
}
