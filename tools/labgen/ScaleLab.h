// A large IS-IS router for scale runs: K interfaces running IS-IS, 4K
// adjacencies, K ifDescr rows and a database of 10K LSPs, with every output
// consistent with the others (the same names, neighbours, areas, addresses
// and pseudo-nodes everywhere) and printed as IOS prints it.
//
// Interface i is a point-to-point serial link when i % 4 == 3 and a LAN
// (GigabitEthernet) otherwise. A serial link has one neighbour; the LANs share
// the remaining adjacencies evenly. The router (r1, system id 0000.0000.0001)
// is the designated IS of the first 255 LANs, and each other LAN's first
// neighbour is the designated IS of its LAN.
//
// Every address lies in 127.0.0.0/8: serial links are /30s from
// 127.32.0.0/11, LANs /28s from 127.64.0.0/10.
//
// Header only, standard library only: the lab generator program and the
// benchmark build the same router from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace scale_lab {

struct Router {
    std::string name;
    // Command text to output, in the order the lab lists them.
    std::vector<std::pair<std::string, std::string>> commands;
    // The ifDescr walk: (index, value) in walk order.
    std::vector<std::pair<long long, std::string>> ifDescr;
};

namespace detail {

inline std::string Format(const char* format, long a, long b = 0, long c = 0, long d = 0) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return buffer;
}

// Pads text with blanks to width (at least one blank follows it).
inline std::string Column(const std::string& text, std::size_t width) {
    std::string padded = text;
    padded.resize(text.size() < width ? width : text.size() + 1, ' ');
    return padded;
}

// The dotted form of base + offset.
inline std::string Address(std::uint32_t base, long offset) {
    const std::uint32_t address = base + static_cast<std::uint32_t>(offset);
    return Format("%ld.%ld.%ld.%ld", static_cast<long>(address >> 24),
                  static_cast<long>((address >> 16) & 255), static_cast<long>((address >> 8) & 255),
                  static_cast<long>(address & 255));
}

const std::uint32_t kSerialBase = 0x7F200000u; // 127.32.0.0/11
const std::uint32_t kLanBase = 0x7F400000u;    // 127.64.0.0/10

inline std::string Uptime(long n) {
    return Format("%02ld:%02ld:%02ld", n % 24, (n * 7) % 60, (n * 13) % 60);
}

struct Neighbour {
    std::string host;    // host name, r2 on
    std::string type;    // L1, L2 or L1L2
    std::string area;    // its area
    std::string address; // its address on the shared link
};

struct Interface {
    bool serial = false;
    std::string name;      // long form, as ifDescr and "show clns interface" print it
    std::string shortName; // as the neighbour tables print it
    std::string address;   // the router's own address on it
    std::string mask;
    std::string circuitId; // the designated IS's LAN id (or the neighbour's on a serial link)
    int pseudoNode = 0;    // the router's pseudo-node id on it; 0 when not designated IS
    std::vector<Neighbour> neighbours;
};

inline std::vector<Interface> MakeInterfaces(int k) {
    std::vector<Interface> interfaces(static_cast<std::size_t>(k));
    int serials = 0;
    for (int i = 0; i < k; ++i)
        serials += i % 4 == 3 ? 1 : 0;
    const int lans = k - serials;
    const long adjacencies = 4L * k;
    const long lanAdjacencies = adjacencies - serials;
    const long perLan = lans > 0 ? lanAdjacencies / lans : 0;
    const long extra = lans > 0 ? lanAdjacencies % lans : 0;

    long nextHost = 2;
    int lan = 0;
    int serial = 0;
    for (int i = 0; i < k; ++i) {
        Interface& itf = interfaces[static_cast<std::size_t>(i)];
        itf.serial = i % 4 == 3;
        if (itf.serial) {
            const long s = serial++;
            const std::string number = Format("%ld/%02ld", 100 + s / 50, s % 50);
            itf.name = "Serial" + number;
            itf.shortName = "Se" + number;
            itf.address = Address(kSerialBase, 4 * s + 1);
            itf.mask = "255.255.255.252";
            Neighbour n;
            n.host = Format("r%ld", nextHost++);
            n.type = s % 3 == 2 ? "L1L2" : "L1";
            n.area = "49.0001";
            n.address = Address(kSerialBase, 4 * s + 2);
            itf.circuitId = n.host + ".00";
            itf.neighbours.push_back(n);
        } else {
            const long l = lan++;
            const std::string number = Format("%ld/%ld", l / 48, l % 48);
            itf.name = "GigabitEthernet" + number;
            itf.shortName = "Gi" + number;
            itf.address = Address(kLanBase, 16 * l + 1);
            itf.mask = "255.255.255.240";
            const long count = perLan + (l < extra ? 1 : 0);
            for (long m = 0; m < count; ++m) {
                Neighbour n;
                n.host = Format("r%ld", nextHost++);
                n.type = m % 2 == 0 ? "L1" : "L2";
                n.area = m % 4 == 3 ? "49.0002" : "49.0001";
                n.address = Address(kLanBase, 16 * l + 2 + m);
                itf.neighbours.push_back(n);
            }
            if (l < 255) {
                itf.pseudoNode = static_cast<int>(l + 1);
                itf.circuitId = Format("r1.%02lx", l + 1);
            } else if (!itf.neighbours.empty()) {
                itf.circuitId = itf.neighbours.front().host + ".01";
            } else {
                itf.circuitId = Format("r1.%02lx", (l % 255) + 1);
            }
        }
    }
    return interfaces;
}

inline std::string ShowClnsProtocol(const std::vector<Interface>& interfaces) {
    std::string out = "IS-IS Router: <Null Tag>\n"
                      "  System Id: 0000.0000.0001.00  IS-Type: level-1-2\n"
                      "  Manual area address(es):\n"
                      "        49.0001\n"
                      "  Routing for area address(es):\n"
                      "        49.0001\n"
                      "  Interfaces supported by IS-IS:\n";
    for (const Interface& itf : interfaces)
        out += "        " + itf.name + (itf.serial ? " - OSI - IP\n" : " - IP\n");
    out += "  Redistribute:\n"
           "    static (on by default)\n"
           "  Distance for L2 CLNS routes: 110\n"
           "  RRR level: none\n"
           "  Generate narrow metrics: level-1-2\n"
           "  Accept narrow metrics:   level-1-2\n"
           "  Generate wide metrics:   none\n"
           "  Accept wide metrics:     none\n";
    return out;
}

inline std::string ShowClnsInterface(const std::vector<Interface>& interfaces) {
    std::string out;
    long i = 0;
    for (const Interface& itf : interfaces) {
        out += itf.name + " is up, line protocol is up\n";
        out += itf.serial ? "  Checksums enabled, MTU 1500, Encapsulation HDLC\n"
                          : "  Checksums enabled, MTU 1497, Encapsulation SAP\n";
        out += "  ERPDUs enabled, min. interval 10 msec.\n";
        if (!itf.serial) {
            out += "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n";
            out += "  Congestion Experienced bit set at 4 packets\n";
        }
        out += "  CLNS fast switching enabled\n";
        out += "  CLNS SSE switching disabled\n";
        out += "  DEC compatibility mode OFF for this interface\n";
        out += Format("  Next ESH/ISH in %ld seconds\n", 1 + i % 59);
        out += "  Routing Protocol: IS-IS\n";
        out += "    Circuit Type: level-1-2\n";
        out += Format("    Interface number 0x%lx, local circuit ID 0x%lx\n", i, i + 1);
        if (itf.serial)
            out += "    Neighbor System-ID: " + itf.neighbours.front().host + "\n";
        const long metric1 = 10 + i % 7;
        const long metric2 = 20 + i % 5;
        out += Format("    Level-1 Metric: %ld, Priority: 64, Circuit ID: ", metric1) +
               itf.circuitId + "\n";
        if (!itf.serial)
            out += "    DR ID: " + itf.circuitId + "\n";
        out += Format("    Level-1 IPv6 Metric: %ld\n", metric1);
        out += Format("    Number of active level-1 adjacencies: %ld\n",
                      static_cast<long>(itf.neighbours.size() + 1) / 2);
        out += Format("    Level-2 Metric: %ld, Priority: 64, Circuit ID: ", metric2) +
               itf.circuitId + "\n";
        if (!itf.serial)
            out += "    DR ID: " + itf.circuitId + "\n";
        out += Format("    Level-2 IPv6 Metric: %ld\n", metric2);
        out += Format("    Number of active level-2 adjacencies: %ld\n",
                      static_cast<long>(itf.neighbours.size()) / 2);
        if (itf.serial) {
            out += "    Next IS-IS Hello in 4 seconds\n";
            out += "    if state UP\n";
        } else {
            out += "    Next IS-IS LAN Level-1 Hello in 2 seconds\n";
            out += "    Next IS-IS LAN Level-2 Hello in 1 seconds\n";
        }
        ++i;
    }
    return out;
}

inline std::string ShowRun(const std::vector<Interface>& interfaces) {
    std::string out = "Building configuration...\n\n"
                      "Current configuration : 31270 bytes\n"
                      "!\n"
                      "version 12.2\n"
                      "!\n"
                      "hostname r1\n"
                      "!\n"
                      "clns routing\n"
                      "!\n";
    long i = 0;
    for (const Interface& itf : interfaces) {
        out += "interface " + itf.name + "\n";
        out += " ip address " + itf.address + " " + itf.mask + "\n";
        out += " no ip directed-broadcast\n";
        out += " ip router isis \n";
        out += " ip pim sparse-mode\n";
        out += Format(" isis csnp-interval %ld level-%ld\n", 10 + i % 3, 1 + i % 2);
        out += Format(" isis lsp-interval %ld\n", 33 + i % 4);
        out += "!\n";
        ++i;
    }
    out += "router isis\n"
           " net 49.0001.0000.0000.0001.00\n"
           "!\n"
           "end\n";
    return out;
}

// "show isis neighbors detail": one entry per adjacency and level.
inline std::string ShowIsisNeighborsDetail(const std::vector<Interface>& interfaces) {
    std::string out =
        "\nSystem Id      Type Interface   IP Address      State Holdtime Circuit Id\n";
    long n = 0;
    for (const Interface& itf : interfaces) {
        for (const Neighbour& nb : itf.neighbours) {
            out += Column(nb.host, 15) + Column(nb.type, 5) + Column(itf.shortName, 12) +
                   Column(nb.address, 16) + "UP    " + Column(Format("%ld", 7 + n % 23), 9) +
                   (itf.serial ? std::string("01") : itf.circuitId) + "\n";
            out += "  Area Address(es): " + nb.area + "\n";
            if (itf.serial)
                out += "  SNPA: *HDLC*  \n";
            else
                out += Format("  SNPA: aabb.cc%02lx.%04lx\n", n % 256, n % 65536);
            out += "  State Changed: " + Uptime(n) + "\n";
            if (!itf.serial)
                out += "  LAN Priority: 64\n";
            out += "  Format: Phase V\n";
            ++n;
        }
    }
    return out;
}

// "show clns is-neighbors detail": one block per adjacency.
inline std::string ShowClnsIsNeighborsDetail(const std::vector<Interface>& interfaces) {
    std::string out =
        "System Id      Interface   State  Type Priority  Circuit Id         Format\n";
    long n = 0;
    for (const Interface& itf : interfaces) {
        for (const Neighbour& nb : itf.neighbours) {
            out += Column(nb.host, 15) + Column(itf.shortName, 12) + "Up     " +
                   Column(nb.type, 5) + Column(itf.serial ? "0" : "64", 10) +
                   Column(itf.serial ? std::string("01") : itf.circuitId, 19) + "Phase V\n";
            out += "  Area Address(es): " + nb.area + "\n";
            out += "  IP Address(es):  " + nb.address + "*\n";
            out += "  Uptime: " + Uptime(n) + "\n";
            if (n % 3 == 0)
                out += "  NSF capable\n";
            ++n;
        }
    }
    return out;
}

inline std::string LspRow(const std::string& id, bool own, long n) {
    return Column(id, 20) + (own ? "* " : "  ") +
           Format("0x%08lx   0x%04lx", 1 + n % 97, n % 65536) +
           Format("        %-18ld0/0/0\n", 300 + n % 900);
}

// The LSP ids of one level: the router's own LSP and pseudo-nodes, then the
// LSPs of its neighbours at that level and of the LANs they are designated IS
// of, then LSPs of routers further away; exactly `count` of them.
inline std::vector<std::pair<std::string, bool>> LevelLsps(const std::vector<Interface>& interfaces,
                                                           const std::string& level, long count) {
    std::vector<std::pair<std::string, bool>> ids;
    ids.emplace_back("r1.00-00", true);
    for (const Interface& itf : interfaces) {
        if (itf.pseudoNode != 0)
            ids.emplace_back(Format("r1.%02lx-00", itf.pseudoNode), true);
    }
    for (const Interface& itf : interfaces) {
        for (const Neighbour& nb : itf.neighbours) {
            if (nb.type == level || nb.type == "L1L2")
                ids.emplace_back(nb.host + ".00-00", false);
        }
        if (!itf.serial && itf.pseudoNode == 0 && !itf.neighbours.empty())
            ids.emplace_back(itf.circuitId + "-00", false);
    }
    for (long far = 1; static_cast<long>(ids.size()) < count; ++far)
        ids.emplace_back(Format("a%ld.00-00", far), false);
    ids.resize(static_cast<std::size_t>(count));
    return ids;
}

} // namespace detail

// The router with k IS-IS interfaces (k >= 1).
inline Router MakeRouter(int k) {
    using namespace detail;
    const std::vector<Interface> interfaces = MakeInterfaces(k);

    const long lsps = 10L * k;
    const auto level1 = LevelLsps(interfaces, "L1", lsps / 2);
    const auto level2 = LevelLsps(interfaces, "L2", lsps - lsps / 2);
    std::string database;
    std::string own;
    long n = 0;
    for (const auto* level : {&level1, &level2}) {
        database += level == &level1 ? "\nIS-IS Level-1 Link State Database:\n"
                                     : "IS-IS Level-2 Link State Database:\n";
        database += "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL\n";
        for (const auto& [id, isOwn] : *level) {
            const std::string row = LspRow(id, isOwn, n++);
            database += row;
            if (isOwn)
                own += row;
        }
    }

    Router router;
    router.name = "r1";
    router.commands = {
        {"show clns protocol", ShowClnsProtocol(interfaces)},
        {"show clns interface", ShowClnsInterface(interfaces)},
        {"show run", ShowRun(interfaces)},
        {"show isis neighbors detail", ShowIsisNeighborsDetail(interfaces)},
        {"show clns is-neighbors detail", ShowClnsIsNeighborsDetail(interfaces)},
        {"show clns", "Global CLNS Information:\n  " + std::to_string(k) +
                          " Interfaces Enabled for CLNS\n"
                          "  NET: 49.0001.0000.0000.0001.00\n"
                          "  ERPDU's requested on locally generated packets\n"
                          "  Intermediate system operation enabled (forwarding allowed)\n"},
        {"show isis hostname | include \\*", "     * 0000.0000.0001 r1\n"},
        {"show isis database | include \\*", own},
        {"show isis database", database},
    };
    long index = 1;
    for (const Interface& itf : interfaces)
        router.ifDescr.emplace_back(index++, itf.name);
    return router;
}

// JSON string literal of a text.
inline void AppendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += detail::Format("\\u%04lx", static_cast<unsigned char>(c));
            else
                out += c;
        }
    }
    out += '"';
}

// The router as a lab file with one device.
inline std::string LabJson(const Router& router) {
    std::string out = "{\n  \"devices\": [\n    {\n      \"name\": ";
    AppendJsonString(out, router.name);
    out += ",\n      \"commands\": {";
    const char* separator = "\n        ";
    for (const auto& [command, output] : router.commands) {
        out += separator;
        AppendJsonString(out, command);
        out += ": ";
        AppendJsonString(out, output);
        separator = ",\n        ";
    }
    out += "\n      },\n      \"ifDescr\": [";
    separator = "\n        ";
    for (const auto& [index, value] : router.ifDescr) {
        out += separator;
        out += "[" + std::to_string(index) + ", ";
        AppendJsonString(out, value);
        out += "]";
        separator = ",\n        ";
    }
    out += "\n      ]\n    }\n  ]\n}\n";
    return out;
}

} // namespace scale_lab
