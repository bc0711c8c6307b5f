// Router outputs of a given size, generated for the benchmarks, and a
// simulated router that answers with them.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "CScoutEntity.h"
#include "CScoutStdRequester.h"
#include "LabDevice.h"
#include "ZanDebug.h"

namespace generated {

template <typename... Args> std::string Format(const char* format, Args... args) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

// Interface i of a router with 48 ports per slot, long or short name.
inline std::string Port(int i, const char* prefix = "GigabitEthernet") {
    return Format("%s%d/%d", prefix, i / 48, i % 48);
}

// A router named R1 answering each command with its output; traces off.
struct Router {
    explicit Router(const std::vector<std::pair<std::string, std::string>>& answers)
        : entity("R1") {
        __Zandemar_Debug_Level = 0;
        device.SLDEnableCommands();
        for (const auto& [command, output] : answers)
            device.SLDSetCommand(command, output);
        requester.SSRAddDevice("R1", &device);
    }
    LabDevice device;
    CScoutStdRequester requester;
    CScoutEntity entity;
};

// "show clns interface": both levels with IPv6 metrics, LAN sections with DR
// lines, every fourth one point-to-point, every fifth without the RDPDUs and
// Congestion lines.
inline std::string ClnsInterfaces(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        bool serial = i % 4 == 3;
        std::string dr = serial ? "" : Format("    DR ID: r1.%02x\n", (i + 1) % 256);
        out += Port(i) + " is up, line protocol is up\n" +
               "  Checksums enabled, MTU 1497, Encapsulation SAP\n"
               "  ERPDUs enabled, min. interval 10 msec.\n" +
               (i % 5 == 4 ? ""
                           : "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n"
                             "  Congestion Experienced bit set at 4 packets\n") +
               "  CLNS fast switching enabled\n  CLNS SSE switching disabled\n"
               "  DEC compatibility mode OFF for this interface\n" +
               Format("  Next ESH/ISH in %d seconds\n", 1 + i % 59) +
               "  Routing Protocol: IS-IS\n    Circuit Type: level-1-2\n" +
               Format("    Interface number 0x%x, local circuit ID 0x%x\n", i, i + 1) +
               (serial ? Format("    Neighbor System-ID: r%d\n", i) : "");
        for (int level = 1; level <= 2; ++level)
            out += Format("    Level-%d Metric: %d, Priority: 64, Circuit ID: r1.%02x\n", level,
                          level * 10 + i % 7, (i + 1) % 256) +
                   dr + Format("    Level-%d IPv6 Metric: %d\n", level, level * 10 + i % 7) +
                   Format("    Number of active level-%d adjacencies: 1\n", level);
        out += serial ? "    Next IS-IS Hello in 4 seconds\n    if state UP\n"
                      : "    Next IS-IS LAN Level-1 Hello in 2 seconds\n"
                        "    Next IS-IS LAN Level-2 Hello in 1 seconds\n";
    }
    return out;
}

// "show run" with one IS-IS block per interface.
inline std::string ShowRun(int count) {
    std::string out = "Building configuration...\n\nCurrent configuration : 312704 bytes\n!\n"
                      "version 12.2\n!\nhostname r1\n!\nclns routing\n!\n";
    for (int i = 0; i < count; ++i)
        out += "interface " + Port(i) +
               Format("\n ip address 10.%d.%d.1 255.255.255.0\n", i / 256, i % 256) +
               " no ip directed-broadcast\n ip router isis \n ip pim sparse-mode\n" +
               Format(" isis csnp-interval %d level-%d\n isis lsp-interval %d\n!\n", 10 + i % 3,
                      1 + i % 2, 33 + i % 4);
    return out + "router isis\n net 49.0001.0000.0000.0001.00\n!\nend\n";
}

// "show isis neighbors detail": one L1 neighbour per interface.
inline std::string IsisNeighbors(int count) {
    std::string out =
        "\nSystem Id      Type Interface   IP Address      State Holdtime Circuit Id\n";
    for (int i = 0; i < count; ++i)
        out += Format("%-15s%-5s%-12s%-16sUP    %-9d01\n", Format("r%d", i).c_str(), "L1",
                      Port(i, "Gi").c_str(), Format("10.%d.%d.2", i / 256, i % 256).c_str(),
                      20 + i % 10) +
               "  Area Address(es): 49.0001\n" +
               (i % 2 ? "  SNPA: *HDLC*  \n" : "  SNPA: *PPP*  \n") +
               "  State Changed: 00:12:31\n  Format: Phase V\n";
    return out;
}

// "show clns is-neighbors detail": eight neighbours per LAN interface, every
// fourth with an NSF line, one in 97 with an address lacking its asterisk.
inline std::string ClnsNeighbors(int count) {
    std::string out =
        "System Id      Interface   State  Type Priority  Circuit Id         Format\n";
    for (int i = 0; i < count; ++i)
        out += Format("r%-14d%-12s%-7s%-5s%-10s%-19s%s\n", i, Port(i / 8, "Gi").c_str(), "Up",
                      i % 3 == 0 ? "L1L2" : "L2", "64/64", Format("r%d.01", i).c_str(), "Phase V") +
               Format("  Area Address(es): 49.%04d\n  IP Address(es):  10.%d.%d.%d%s\n", i % 50,
                      (i >> 16) & 255, (i >> 8) & 255, i & 255, i % 97 == 13 ? "" : "*") +
               Format("  Uptime: 0%d:1%d:2%d\n", i % 10, i % 6, i % 10) +
               (i % 4 == 0 ? "  NSF capable\n" : "");
    return out;
}

// The five answers of the service batch for a database of `lsps` LSPs in two
// level sections, each beginning with the router's own pseudo-node LSP; a
// tenth of the rows are the router's own.
inline std::vector<std::string> ServiceAnswers(int lsps) {
    std::string own, database;
    for (int level = 1; level <= 2; ++level) {
        database += Format("\nIS-IS Level-%d Link State Database:\n", level) +
                    "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      "
                    "ATT/P/OL\n";
        for (int i = 0, first = (level - 1) * (lsps / 2); i < lsps / 2; ++i) {
            std::string id = i == 0        ? "r1.01-00"
                             : i % 10 == 0 ? Format("r1.00-%02x", (i / 10) % 256)
                                           : Format("r%d.00-00", first + i + 2);
            const int n = first + i;
            std::string row = Format("%-20s%s0x%08X   0x%04X        %-18d0/0/%d\n", id.c_str(),
                                     i % 10 == 0 ? "* " : "  ", n + 1, (n * 7919) & 0xFFFF,
                                     400 + n % 800, n % 13 == 0);
            database += row;
            own += i % 10 == 0 ? row : "";
        }
    }
    return {"IS-IS Router: <Null Tag>\n  System Id: 1921.6800.1001.00  IS-Type: level-1-2\n"
            "  Manual area address(es): \n        49.0001\n"
            "  Routing for area address(es): \n        49.0001\n",
            "Global CLNS Information:\n  NET: 49.0001.1921.6800.1001.00\n",
            "     * 1921.6800.1001 r1\n", own, database};
}

} // namespace generated
