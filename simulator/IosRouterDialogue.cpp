#include "IosRouterDialogue.h"

#include <algorithm>
#include <cctype>

#include "IosCliText.h"

namespace {

struct Word {
    std::string text;
    std::size_t column = 0; // where it starts in the typed line
};

std::vector<Word> Words(const std::string& line) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && line[at] == ' ')
            ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ')
            ++at;
        if (at > start)
            words.push_back({line.substr(start, at - start), start});
    }
    return words;
}

std::vector<std::string> Texts(const std::string& line) {
    std::vector<std::string> texts;
    for (const Word& word : Words(line))
        texts.push_back(word.text);
    return texts;
}

// The words joined by single spaces: the command a line stands for.
std::string Joined(const std::vector<Word>& words) {
    std::string joined;
    for (const Word& word : words)
        joined += (joined.empty() ? "" : " ") + word.text;
    return joined;
}

// IOS takes a keyword abbreviated down to a length that leaves it unique.
bool Abbreviates(const std::string& typed, const char* keyword, std::size_t shortest) {
    const std::string word(keyword);
    return typed.size() >= shortest && typed.size() <= word.size() &&
           word.compare(0, typed.size(), typed) == 0;
}

bool IsWord(const std::vector<Word>& words, std::size_t i, const char* keyword,
            std::size_t shortest) {
    return i < words.size() && Abbreviates(words[i].text, keyword, shortest);
}

// A terminal setting's value: 0 to 512.
bool Setting(const std::vector<Word>& words, int& value) {
    if (words.size() != 3 || words[2].text.size() > 3 ||
        !std::all_of(words[2].text.begin(), words[2].text.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return false;
    value = std::stoi(words[2].text);
    return value <= 512;
}

// An output as telnet data: a CR not followed by LF goes as CR NUL.
std::string AsTelnetData(const std::string& output) {
    std::string data;
    data.reserve(output.size() + 2);
    for (std::size_t i = 0; i < output.size(); ++i) {
        data.push_back(output[i]);
        if (output[i] == '\r' && (i + 1 == output.size() || output[i + 1] != '\n'))
            data.push_back('\0');
    }
    return data;
}

const std::vector<std::vector<std::string>>& BuiltIns() {
    static const std::vector<std::vector<std::string>> kBuiltIns = {
        {"enable"},
        {"disable"},
        {"exit"},
        {"logout"},
        {"quit"},
        {"terminal", "length"},
        {"terminal", "width"},
    };
    return kBuiltIns;
}

// How many leading words of typed match the start of known, IOS-abbreviated.
std::size_t Matching(const std::vector<Word>& typed, const std::vector<std::string>& known) {
    std::size_t count = 0;
    while (count < typed.size() && count < known.size() &&
           Abbreviates(typed[count].text, known[count].c_str(), 1))
        ++count;
    return count;
}

} // namespace

IosRouterDialogue::IosRouterDialogue(const ServedRouter& router, Line line)
    : m_Router(router), m_Line(line) {}

std::string IosRouterDialogue::Greeting() {
    // Over SSH the login was SSH's own.
    if (m_Line == Line::kSsh || (m_Router.user.empty() && m_Router.password.empty())) {
        m_State = State::kExec;
        return "\r\n" + Prompt();
    }
    const std::string heading = "\r\n\r\nUser Access Verification\r\n\r\n";
    if (m_Router.user.empty()) {
        m_State = State::kPassword;
        return heading + "Password: ";
    }
    m_State = State::kUser;
    return heading + "Username: ";
}

IosRouterDialogue::Step IosRouterDialogue::Type(char c, std::string& out) {
    if (m_State == State::kClosed)
        return Step::kClose;
    // CR LF and CR NUL are one return.
    const bool afterCr = m_AfterCr;
    m_AfterCr = c == '\r';
    if (afterCr && (c == '\n' || c == '\0'))
        return Step::kContinue;
    switch (m_State) {
    case State::kClosed:
        return Step::kClose;
    case State::kCommand:
        // The connection holds input back while a command is answered.
        return Step::kCommand;
    case State::kPager:
        out += m_Pager.Key(c);
        if (!m_Pager.Waiting()) {
            out += Prompt();
            m_State = State::kExec;
        }
        return Step::kContinue;
    case State::kUser:
    case State::kExec:
    case State::kPassword:
    case State::kEnable:
        break;
    }
    const bool echo = m_State == State::kUser || m_State == State::kExec;
    if (!m_Input.Type(c, echo, out))
        return Step::kContinue;
    out += "\r\n";
    return Entered(m_Input.Take(), out);
}

IosRouterDialogue::Step IosRouterDialogue::Entered(const std::string& line, std::string& out) {
    switch (m_State) {
    case State::kUser:
        m_User = line;
        out += "Password: ";
        m_State = State::kPassword;
        return Step::kContinue;
    case State::kPassword:
        return CheckLogin(line, out);
    case State::kEnable:
        if (line == m_Router.enableSecret) {
            m_Enabled = true;
        } else {
            out += "% Access denied\r\n\r\n";
        }
        out += Prompt();
        m_State = State::kExec;
        return Step::kContinue;
    case State::kExec:
        if (Words(line).empty()) {
            out += Prompt();
            return Step::kContinue;
        }
        m_Command = line;
        m_State = State::kCommand;
        return Step::kCommand;
    case State::kPager:
    case State::kCommand:
    case State::kClosed:
        break;
    }
    return Step::kContinue;
}

IosRouterDialogue::Step IosRouterDialogue::CheckLogin(const std::string& password,
                                                      std::string& out) {
    const bool withUser = !m_Router.user.empty();
    if (password == m_Router.password && (!withUser || m_User == m_Router.user)) {
        m_State = State::kExec;
        out += "\r\n" + Prompt();
        return Step::kContinue;
    }
    const bool last = ++m_Failures >= kLoginTries;
    if (!withUser) {
        if (last) {
            out += "% Bad passwords\r\n";
            m_State = State::kClosed;
            return Step::kClose;
        }
        out += "Password: ";
        return Step::kContinue;
    }
    out += "% Login invalid\r\n";
    if (last) {
        m_State = State::kClosed;
        return Step::kClose;
    }
    out += "\r\nUsername: ";
    m_State = State::kUser;
    return Step::kContinue;
}

IosRouterDialogue::Step IosRouterDialogue::Execute(std::string& out) {
    if (m_State != State::kCommand)
        return m_State == State::kClosed ? Step::kClose : Step::kContinue;
    m_State = State::kExec;
    const std::string line = m_Command;
    const std::vector<Word> words = Words(line);
    if (words.size() == 1 && (IsWord(words, 0, "exit", 3) || IsWord(words, 0, "logout", 4) ||
                              IsWord(words, 0, "quit", 4))) {
        m_State = State::kClosed;
        return Step::kClose;
    }
    if (words.size() == 1 && IsWord(words, 0, "enable", 2)) {
        if (m_Enabled) {
            out += Prompt();
        } else if (m_Router.enableSecret.empty()) {
            out += "% No password set\r\n\r\n" + Prompt();
        } else {
            out += "Password: ";
            m_State = State::kEnable;
        }
        return Step::kContinue;
    }
    if (words.size() == 1 && IsWord(words, 0, "disable", 4)) {
        m_Enabled = false;
        out += Prompt();
        return Step::kContinue;
    }
    // The lab's answer wins over the terminal settings: a lab may show a
    // router whose authorisation refuses "terminal length 0".
    for (const std::string& command : {line, Joined(words)}) {
        const auto answer = m_Router.commands.find(command);
        if (answer != m_Router.commands.end() && (m_Enabled || !IosCliText::NeedsEnable(command)))
            return Show(answer->second, out);
    }
    int value = 0;
    if (IsWord(words, 0, "terminal", 3) && IsWord(words, 1, "length", 2) && Setting(words, value)) {
        m_Length = value;
        out += Prompt();
        return Step::kContinue;
    }
    if (IsWord(words, 0, "terminal", 3) && IsWord(words, 1, "width", 1) && Setting(words, value)) {
        m_Width = value;
        out += Prompt();
        return Step::kContinue;
    }
    Reject(line, out);
    return Step::kContinue;
}

IosRouterDialogue::Step IosRouterDialogue::Show(const std::string& output, std::string& out) {
    std::string data = m_Line == Line::kTelnet ? AsTelnetData(output) : output;
    // The prompt starts a line of its own.
    if (!output.empty() && output.back() != '\n')
        data += "\r\n";
    out += m_Pager.Start(std::move(data), m_Length);
    if (m_Pager.Waiting()) {
        m_State = State::kPager;
    } else {
        out += Prompt();
    }
    return Step::kContinue;
}

void IosRouterDialogue::Reject(const std::string& line, std::string& out) const {
    // The caret marks the first word no command goes on with.
    const std::vector<Word> words = Words(line);
    std::size_t matching = 0;
    for (const std::vector<std::string>& known : BuiltIns())
        matching = std::max(matching, Matching(words, known));
    for (const auto& [command, output] : m_Router.commands) {
        if (m_Enabled || !IosCliText::NeedsEnable(command))
            matching = std::max(matching, Matching(words, Texts(command)));
    }
    if (matching >= words.size()) {
        out += "% Incomplete command.\r\n\r\n" + Prompt();
        return;
    }
    out += std::string(Prompt().size() + words[matching].column, ' ') + "^\r\n";
    out += "% Invalid input detected at '^' marker.\r\n\r\n" + Prompt();
}

std::string IosRouterDialogue::Prompt() const {
    const std::string& name = m_Router.hostName.empty() ? std::string("Router") : m_Router.hostName;
    return name + (m_Enabled ? "#" : ">");
}
