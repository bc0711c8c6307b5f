#include "LabgenCommandLine.h"

#include <cerrno>
#include <cstdlib>

#include "NetworkPlan.h"

namespace {

// A decimal number from low to high, nothing else.
bool ReadNumber(const std::string& text, unsigned long long low, unsigned long long high,
                unsigned long long& value) {
    if (text.empty() || text.size() > 20 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return errno == 0 && value >= low && value <= high;
}

} // namespace

std::string LabgenCommandLine::Usage() {
    return "usage: quillon-labgen K                      (one router, K IS-IS interfaces, 1 to " +
           std::to_string(kMaxInterfaces) +
           ")\n"
           "       quillon-labgen --network N [--seed S]  (N routers, 1 to " +
           std::to_string(NetworkPlan::kMaxRouters) + "; S from 0 to 4294967295, default 1)\n";
}

bool LabgenCommandLine::Parse(const std::vector<std::string>& arguments, std::string& error) {
    unsigned long long value = 0;
    if (arguments.size() == 1 && arguments[0].compare(0, 1, "-") != 0) {
        m_Mode = Mode::Router;
        if (!ReadNumber(arguments[0], 1, kMaxInterfaces, value)) {
            error = "K must be a number from 1 to " + std::to_string(kMaxInterfaces) + ", not '" +
                    arguments[0] + "'";
            return false;
        }
        m_Count = static_cast<int>(value);
        return true;
    }
    bool network = false;
    bool seed = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option != "--network" && option != "--seed") {
            error = "unknown argument '" + option + "'";
            return false;
        }
        if ((option == "--network" && network) || (option == "--seed" && seed)) {
            error = option + " is given twice";
            return false;
        }
        if (i + 1 == arguments.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& text = arguments[++i];
        if (option == "--network") {
            network = true;
            if (!ReadNumber(text, 1, NetworkPlan::kMaxRouters, value)) {
                error = "--network takes a number of routers from 1 to " +
                        std::to_string(NetworkPlan::kMaxRouters) + ", not '" + text + "'";
                return false;
            }
            m_Count = static_cast<int>(value);
        } else {
            seed = true;
            if (!ReadNumber(text, 0, 4294967295ull, value)) {
                error = "--seed takes a number from 0 to 4294967295, not '" + text + "'";
                return false;
            }
            m_Seed = static_cast<std::uint32_t>(value);
        }
    }
    if (!network) {
        error = arguments.empty() ? "nothing to generate" : "--seed needs --network";
        return false;
    }
    m_Mode = Mode::Network;
    return true;
}
