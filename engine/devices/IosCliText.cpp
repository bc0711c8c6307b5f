#include "IosCliText.h"

#include <cctype>
#include <vector>

namespace {

bool HostCharacter(unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '_' || c == '.';
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string_view TrimmedRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// An abbreviation IOS takes: at least min characters of word.
bool Abbreviates(std::string_view typed, std::string_view word, std::size_t min) {
    return typed.size() >= min && typed.size() <= word.size() &&
           word.substr(0, typed.size()) == typed;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ')
            ++at;
        const std::size_t start = at;
        while (at < text.size() && text[at] != ' ')
            ++at;
        if (at > start)
            words.push_back(text.substr(start, at - start));
    }
    return words;
}

constexpr std::string_view kRefusals[] = {
    "% Login invalid", "% Bad passwords",   "% Access denied",
    "% Bad secrets",   "% No password set", "% Authentication failed",
};

constexpr std::string_view kRejections[] = {
    "% Invalid input detected",
    "% Incomplete command",
    "% Ambiguous command",
    "% Unknown command",
};

} // namespace

namespace IosCliText {

std::string_view LastLine(std::string_view text) {
    const std::size_t end = text.find_last_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(end + 1);
}

bool ParsePrompt(std::string_view line, std::string& hostName, char& mode) {
    constexpr std::size_t kLongest = 128;
    if (line.size() < 2 || line.size() > kLongest || (line.back() != '>' && line.back() != '#'))
        return false;
    if (!std::isalnum(static_cast<unsigned char>(line[0])))
        return false;
    std::size_t end = 0;
    while (end < line.size() && HostCharacter(static_cast<unsigned char>(line[end])))
        ++end;
    const std::size_t last = line.size() - 1;
    if (end != last) {
        // A mode in parentheses, as "(config)", and nothing else.
        const std::string_view rest = line.substr(end, last - end);
        if (rest.size() < 3 || rest.front() != '(' || rest.back() != ')')
            return false;
        for (char c : rest.substr(1, rest.size() - 2)) {
            if (!HostCharacter(static_cast<unsigned char>(c)))
                return false;
        }
    }
    hostName.assign(line.substr(0, end));
    mode = line.back();
    return true;
}

bool IsPromptOf(std::string_view line, const std::string& hostName, char& mode) {
    std::string name;
    char found = 0;
    if (!ParsePrompt(line, name, found) || name != hostName)
        return false;
    mode = found;
    return true;
}

bool AsksForUser(std::string_view line) {
    line = TrimmedRight(line);
    return EndsWith(line, "Username:") || EndsWith(line, "username:") || EndsWith(line, "login:") ||
           EndsWith(line, "Login:");
}

bool AsksForPassword(std::string_view line) {
    line = TrimmedRight(line);
    return EndsWith(line, "Password:") || EndsWith(line, "password:");
}

std::string Refusal(std::string_view text) {
    std::size_t first = std::string_view::npos;
    std::string_view found;
    for (std::string_view message : kRefusals) {
        const std::size_t at = text.find(message);
        if (at < first) {
            first = at;
            found = message;
        }
    }
    return std::string(found);
}

std::string Rejection(std::string_view output) {
    // Blank lines and the caret line first.
    std::size_t at = 0;
    while (at < output.size()) {
        std::size_t end = output.find('\n', at);
        if (end == std::string_view::npos)
            end = output.size();
        const std::string_view line = output.substr(at, end - at);
        if (line.find_first_not_of(" \t\r^") != std::string_view::npos) {
            for (std::string_view message : kRejections) {
                if (line.substr(0, message.size()) == message)
                    return std::string(message);
            }
            return "";
        }
        at = end + 1;
    }
    return "";
}

bool NeedsEnable(std::string_view command) {
    const std::vector<std::string_view> words = Words(command);
    if (words.size() < 2 || !Abbreviates(words[0], "show", 2))
        return false;
    return Abbreviates(words[1], "running-config", 3) || Abbreviates(words[1], "startup-config", 4);
}

} // namespace IosCliText
