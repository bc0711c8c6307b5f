#include "IosCliOutputReader.h"

#include <utility>

#include "IosCliText.h"

namespace {

// Backspaces of an erase run beyond these belong to the output.
constexpr std::size_t kLongestErase = 80;

} // namespace

IosCliOutputReader::IosCliOutputReader(std::string hostName, std::size_t limit)
    : m_HostName(std::move(hostName)), m_Limit(limit) {}

IosCliOutputReader::State IosCliOutputReader::Feed(std::string_view data) {
    if (m_State == State::kDone || m_State == State::kTooLong)
        return m_State;
    m_State = State::kReading;
    std::size_t at = 0;
    if (m_InEcho) {
        const std::size_t end = data.find('\n');
        if (end == std::string_view::npos) {
            m_EchoSize += data.size();
            return m_State = m_EchoSize > m_Limit ? State::kTooLong : State::kReading;
        }
        m_InEcho = false;
        at = end + 1;
    }
    for (; at < data.size(); ++at)
        Take(data[at]);
    return m_State = Check();
}

void IosCliOutputReader::Take(char c) {
    // After a space answered the pager, IOS backs over its marker, blanks
    // it and backs again: "\b\b\b\b\b\b\b\b\b        \b\b\b\b\b\b\b\b\b".
    switch (m_Erase) {
    case Erase::kNone:
        break;
    case Erase::kBack:
        if (c == '\b' && m_Backs < kLongestErase) {
            ++m_Backs;
            return;
        }
        if (c == ' ' && m_Backs > 0) {
            m_Erase = Erase::kBlank;
            m_Erased = 1;
            return;
        }
        m_Erase = Erase::kNone;
        break;
    case Erase::kBlank:
        if (c == ' ' && m_Erased < m_Backs) {
            ++m_Erased;
            return;
        }
        if (c == '\b') {
            m_Erase = Erase::kBackAgain;
            m_Erased = 1;
            if (m_Erased == m_Backs)
                m_Erase = Erase::kNone;
            return;
        }
        m_Erase = Erase::kNone;
        break;
    case Erase::kBackAgain:
        if (c == '\b') {
            if (++m_Erased == m_Backs)
                m_Erase = Erase::kNone;
            return;
        }
        m_Erase = Erase::kNone;
        break;
    }
    m_Text.push_back(c);
}

IosCliOutputReader::State IosCliOutputReader::Check() {
    if (m_Text.size() > m_Limit)
        return State::kTooLong;
    const std::string_view text(m_Text);
    const std::string_view more = IosCliText::kMore;
    if (text.size() >= more.size() && text.substr(text.size() - more.size()) == more) {
        const std::size_t start = text.size() - more.size();
        if (start == 0 || text[start - 1] == '\n' || text[start - 1] == '\r') {
            m_Text.resize(start);
            m_Erase = Erase::kBack;
            m_Backs = 0;
            return State::kMore;
        }
    }
    const std::string_view last = IosCliText::LastLine(text);
    if (IosCliText::IsPromptOf(last, m_HostName, m_Mode)) {
        m_Text.resize(text.size() - last.size());
        return State::kDone;
    }
    return State::kReading;
}
