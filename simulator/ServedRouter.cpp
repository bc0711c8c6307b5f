#include "ServedRouter.h"

#include <cctype>

namespace {

bool PromptCharacter(unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '_' || c == '.';
}

// The word after "hostname " on a line of its own in a configuration:
//   hostname core-1
std::string ConfiguredHostName(const std::string& config) {
    static const std::string kKeyword = "hostname ";
    std::size_t line = 0;
    while (line < config.size()) {
        std::size_t end = config.find('\n', line);
        if (end == std::string::npos)
            end = config.size();
        if (config.compare(line, kKeyword.size(), kKeyword) == 0) {
            std::string name;
            for (std::size_t i = line + kKeyword.size(); i < end; ++i) {
                const unsigned char c = static_cast<unsigned char>(config[i]);
                if (!PromptCharacter(c))
                    break;
                name += static_cast<char>(c);
            }
            if (!name.empty())
                return name;
        }
        line = end + 1;
    }
    return "";
}

} // namespace

std::string ServedRouter::HostNameFor(const std::string& name,
                                      const std::map<std::string, std::string>& commands) {
    const auto config = commands.find("show run");
    if (config != commands.end()) {
        std::string configured = ConfiguredHostName(config->second);
        if (!configured.empty())
            return configured;
    }
    std::string cleaned;
    for (unsigned char c : name) {
        if (PromptCharacter(c))
            cleaned += static_cast<char>(c);
    }
    return cleaned.empty() ? "Router" : cleaned;
}
