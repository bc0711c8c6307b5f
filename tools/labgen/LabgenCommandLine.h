// The command line of quillon-labgen:
//   quillon-labgen K                      one router with K IS-IS interfaces
//   quillon-labgen --network N [--seed S] N routers in areas, LANs and serial links
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class LabgenCommandLine {
public:
    enum class Mode { Router, Network };

    // Parses the arguments that follow the program name. On a usage error
    // returns false and sets a one-line `error`.
    bool Parse(const std::vector<std::string>& arguments, std::string& error);

    Mode GetMode() const { return m_Mode; }
    // Interfaces of the one router, or routers of the network.
    int Count() const { return m_Count; }
    std::uint32_t Seed() const { return m_Seed; }

    static constexpr int kMaxInterfaces = 100000;
    static std::string Usage();

private:
    Mode m_Mode = Mode::Router;
    int m_Count = 0;
    std::uint32_t m_Seed = 1;
};
