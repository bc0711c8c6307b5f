#include "IosRouterPrinter.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

std::string Format(const char* format, long a, long b = 0, long c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// Pads text with blanks to width (at least one blank follows it).
std::string Column(const std::string& text, std::size_t width) {
    std::string padded = text;
    padded.resize(text.size() < width ? width : text.size() + 1, ' ');
    return padded;
}

// A number of its own for each set of small numbers, the same every run.
unsigned long Mix(unsigned long a, unsigned long b, unsigned long c = 0) {
    unsigned long x = a * 0x9E3779B1ul + b * 0x85EBCA77ul + c * 0xC2B2AE3Dul;
    x ^= x >> 15;
    x *= 0x2C1B3C6Dul;
    x ^= x >> 12;
    return x & 0xFFFFFFFFul;
}

std::string Uptime(unsigned long seed) {
    return Format("%02ld:%02ld:%02ld", static_cast<long>(seed % 24),
                  static_cast<long>((seed / 24) % 60), static_cast<long>((seed / 1440) % 60));
}

bool Carries(const std::string& type, int level) {
    return type == "L1L2" || type == (level == 1 ? "L1" : "L2");
}

} // namespace

IosRouterPrinter::IosRouterPrinter(const NetworkPlan& plan)
    : m_Plan(plan), m_AreaRouters(plan.Areas().size()), m_AreaLans(plan.Areas().size()) {
    const auto& routers = plan.Routers();
    for (std::size_t r = 0; r < routers.size(); ++r) {
        m_AreaRouters[routers[r].area].push_back(static_cast<int>(r));
        if (routers[r].level2)
            m_Level2Routers.push_back(static_cast<int>(r));
    }
    const auto& circuits = plan.Circuits();
    for (std::size_t c = 0; c < circuits.size(); ++c) {
        if (!circuits[c].lan)
            continue;
        const int designated = plan.Ports()[circuits[c].designatedPort].router;
        m_AreaLans[routers[designated].area].push_back(static_cast<int>(c));
        if (routers[designated].level2)
            m_Level2Lans.push_back(static_cast<int>(c));
    }
}

std::vector<std::pair<std::string, std::string>> IosRouterPrinter::Commands(int router) const {
    const NetworkPlan::Router& self = m_Plan.Routers()[router];
    std::string database;
    std::string own;
    ShowIsisDatabase(router, database, own);
    return {
        {"show clns protocol", ShowClnsProtocol(router)},
        {"show clns interface", ShowClnsInterface(router)},
        {"show run", ShowRun(router)},
        {"show isis neighbors detail", ShowIsisNeighborsDetail(router)},
        {"show clns is-neighbors detail", ShowClnsIsNeighborsDetail(router)},
        {"show clns", ShowClns(router)},
        {"show isis hostname | include \\*",
         "     * " + self.systemId + " " + self.hostName + "\n"},
        {"show isis database | include \\*", own},
        {"show isis database", database},
    };
}

std::vector<std::pair<int, std::string>> IosRouterPrinter::IfDescr(int router) const {
    std::vector<std::pair<int, std::string>> rows;
    int index = 1;
    for (const int port : m_Plan.Routers()[router].ports)
        rows.emplace_back(index++, m_Plan.Ports()[port].name);
    rows.emplace_back(index, "Null0");
    return rows;
}

std::vector<std::string> IosRouterPrinter::Addresses(int router) const {
    std::vector<std::string> addresses;
    for (const int port : m_Plan.Routers()[router].ports)
        addresses.push_back(NetworkPlan::DottedQuad(m_Plan.Ports()[port].address));
    return addresses;
}

std::string IosRouterPrinter::Net(int router) const {
    const NetworkPlan::Router& self = m_Plan.Routers()[router];
    return m_Plan.Areas()[self.area] + "." + self.systemId + ".00";
}

std::string IosRouterPrinter::ShowClnsProtocol(int router) const {
    const NetworkPlan::Router& self = m_Plan.Routers()[router];
    const std::string& area = m_Plan.Areas()[self.area];
    std::string out = "IS-IS Router: <Null Tag>\n"
                      "  System Id: " +
                      self.systemId + ".00  IS-Type: " + (self.level2 ? "level-1-2" : "level-1") +
                      "\n"
                      "  Manual area address(es):\n"
                      "        " +
                      area +
                      "\n"
                      "  Routing for area address(es):\n"
                      "        " +
                      area +
                      "\n"
                      "  Interfaces supported by IS-IS:\n";
    // IOS lists the interface configured last first.
    for (auto port = self.ports.rbegin(); port != self.ports.rend(); ++port)
        out += "        " + m_Plan.Ports()[*port].name + " - IP\n";
    const std::string levels = self.level2 ? "level-1-2" : "level-1";
    out += "  Redistribute:\n"
           "    static (on by default)\n"
           "  Distance for L2 CLNS routes: 110\n"
           "  RRR level: none\n"
           "  Generate narrow metrics: " +
           levels +
           "\n"
           "  Accept narrow metrics:   " +
           levels +
           "\n"
           "  Generate wide metrics:   none\n"
           "  Accept wide metrics:     none\n";
    return out;
}

std::string IosRouterPrinter::CircuitId(int port) const {
    const NetworkPlan::Port& own = m_Plan.Ports()[port];
    if (m_Plan.Circuits()[own.circuit].lan)
        return m_Plan.LanId(own.circuit);
    const std::vector<int> others = m_Plan.NeighbourPorts(port);
    return m_Plan.Routers()[m_Plan.Ports()[others.front()].router].hostName + ".00";
}

std::string IosRouterPrinter::ShowClnsInterface(int router) const {
    const NetworkPlan::Router& self = m_Plan.Routers()[router];
    std::string out;
    long number = 0;
    for (const int position : self.ports) {
        const NetworkPlan::Port& port = m_Plan.Ports()[position];
        const bool lan = m_Plan.Circuits()[port.circuit].lan;
        int adjacencies[2] = {0, 0};
        std::string neighbour;
        for (const int other : m_Plan.NeighbourPorts(position)) {
            const int far = m_Plan.Ports()[other].router;
            const std::string type = m_Plan.AdjacencyType(router, far);
            adjacencies[0] += Carries(type, 1) ? 1 : 0;
            adjacencies[1] += Carries(type, 2) ? 1 : 0;
            neighbour = m_Plan.Routers()[far].hostName;
        }
        const unsigned long seed = Mix(static_cast<unsigned long>(position), 7);
        out += port.name + " is up, line protocol is up\n";
        out += lan ? "  Checksums enabled, MTU 1497, Encapsulation SAP\n"
                   : "  Checksums enabled, MTU 1500, Encapsulation HDLC\n";
        out += "  ERPDUs enabled, min. interval 10 msec.\n";
        if (lan) {
            out += "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n"
                   "  Congestion Experienced bit set at 4 packets\n";
        }
        out += "  CLNS fast switching enabled\n"
               "  CLNS SSE switching disabled\n"
               "  DEC compatibility mode OFF for this interface\n";
        out += Format("  Next ESH/ISH in %ld seconds\n", static_cast<long>(1 + seed % 59));
        out += "  Routing Protocol: IS-IS\n"
               "    Circuit Type: level-1-2\n";
        out +=
            lan ? Format("    Interface number 0x%lx, local circuit ID 0x%lx\n", number, number + 1)
                : Format("    Interface number 0x%lx, local circuit ID 0x%lx\n", number,
                         0x100 + number);
        if (!lan)
            out += "    Neighbor System-ID: " + neighbour + "\n";
        const std::string circuitId = CircuitId(position);
        for (int level = 1; level <= (self.level2 ? 2 : 1); ++level) {
            out += Format("    Level-%ld Metric: %ld, Priority: 64, Circuit ID: ", level,
                          port.metric) +
                   circuitId + "\n";
            out += Format("    Number of active level-%ld adjacencies: %ld\n", level,
                          adjacencies[level - 1]);
        }
        if (lan) {
            out += Format("    Next IS-IS LAN Level-1 Hello in %ld seconds\n",
                          static_cast<long>(1 + seed % 9));
            if (self.level2)
                out += Format("    Next IS-IS LAN Level-2 Hello in %ld seconds\n",
                              static_cast<long>(1 + (seed / 9) % 9));
        } else {
            out += Format("    Next IS-IS Hello in %ld seconds\n", static_cast<long>(1 + seed % 9));
        }
        ++number;
    }
    return out;
}

std::string IosRouterPrinter::ShowRun(int router) const {
    const NetworkPlan::Router& self = m_Plan.Routers()[router];
    std::string body = "!\n"
                       "version 12.2\n"
                       "service timestamps debug uptime\n"
                       "service timestamps log uptime\n"
                       "no service password-encryption\n"
                       "!\n"
                       "hostname " +
                       self.hostName +
                       "\n"
                       "!\n"
                       "ip subnet-zero\n"
                       "clns routing\n"
                       "!\n";
    for (const int position : self.ports) {
        const NetworkPlan::Port& port = m_Plan.Ports()[position];
        const NetworkPlan::Circuit& circuit = m_Plan.Circuits()[port.circuit];
        body += "interface " + port.name + "\n";
        body += " ip address " + NetworkPlan::DottedQuad(port.address) + " " +
                NetworkPlan::Mask(circuit.prefixLength) + "\n";
        body += " no ip directed-broadcast\n"
                " ip router isis \n"
                " ip pim sparse-mode\n";
        body += circuit.lan ? " isis csnp-interval 10 " : " isis csnp-interval 20 ";
        body += self.level2 && !circuit.lan ? "level-2\n" : "level-1\n";
        body += circuit.lan ? " isis lsp-interval 33\n" : " isis lsp-interval 50\n";
        body += "!\n";
    }
    body += "interface Null0\n"
            " no ip unreachables\n"
            "!\n"
            "router isis \n"
            " net " +
            Net(router) + "\n";
    if (!self.level2)
        body += " is-type level-1\n";
    body += "!\n"
            "ip classless\n"
            "!\n"
            "line con 0\n"
            " transport input none\n"
            "line vty 0 4\n"
            " login\n"
            "!\n"
            "end\n";
    return "Building configuration...\n\nCurrent configuration : " + std::to_string(body.size()) +
           " bytes\n" + body;
}

// One row per adjacency and level on a LAN, one per adjacency on a serial link.
std::string IosRouterPrinter::ShowIsisNeighborsDetail(int router) const {
    std::string out = "System Id      Type Interface   IP Address      State Holdtime Circuit Id\n";
    for (const int position : m_Plan.Routers()[router].ports) {
        const NetworkPlan::Port& port = m_Plan.Ports()[position];
        const bool lan = m_Plan.Circuits()[port.circuit].lan;
        for (const int other : m_Plan.NeighbourPorts(position)) {
            const NetworkPlan::Port& far = m_Plan.Ports()[other];
            const NetworkPlan::Router& neighbour = m_Plan.Routers()[far.router];
            const std::string type = m_Plan.AdjacencyType(router, far.router);
            std::vector<std::string> rows = {type};
            if (lan && type == "L1L2")
                rows = {"L1", "L2"};
            const unsigned long seed = Mix(static_cast<unsigned long>(std::min(position, other)),
                                           static_cast<unsigned long>(std::max(position, other)));
            for (const std::string& row : rows) {
                const long holdtime = lan ? 7 + static_cast<long>(Mix(seed, row.size()) % 23)
                                          : 20 + static_cast<long>(Mix(seed, 3) % 10);
                out += Column(neighbour.hostName, 15) + Column(row, 5) +
                       Column(port.shortName, 12) +
                       Column(NetworkPlan::DottedQuad(far.address), 16) + "UP    " +
                       Column(std::to_string(holdtime), 9) +
                       (lan ? m_Plan.LanId(port.circuit) : std::string("01")) + "\n";
                out += "  Area Address(es): " + m_Plan.Areas()[neighbour.area] + "\n";
                out += lan ? Format("  SNPA: 00%02lx.%04lx.%04lx\n", (far.router >> 16) & 255,
                                    far.router & 0xFFFF, other & 0xFFFF)
                           : std::string("  SNPA: *HDLC*  \n");
                out += "  State Changed: " + Uptime(seed) + "\n";
                if (lan)
                    out += "  LAN Priority: 64\n";
                out += "  Format: Phase V\n";
            }
        }
    }
    return out;
}

std::string IosRouterPrinter::ShowClnsIsNeighborsDetail(int router) const {
    std::string out =
        "System Id      Interface   State  Type Priority  Circuit Id         Format\n";
    for (const int position : m_Plan.Routers()[router].ports) {
        const NetworkPlan::Port& port = m_Plan.Ports()[position];
        const bool lan = m_Plan.Circuits()[port.circuit].lan;
        for (const int other : m_Plan.NeighbourPorts(position)) {
            const NetworkPlan::Port& far = m_Plan.Ports()[other];
            const NetworkPlan::Router& neighbour = m_Plan.Routers()[far.router];
            const std::string type = m_Plan.AdjacencyType(router, far.router);
            const unsigned long seed = Mix(static_cast<unsigned long>(std::min(position, other)),
                                           static_cast<unsigned long>(std::max(position, other)));
            const std::string priority = !lan ? "0" : type == "L1L2" ? "64/64" : "64";
            out += Column(neighbour.hostName, 15) + Column(port.shortName, 12) + "Up     " +
                   Column(type, 5) + Column(priority, 10) +
                   Column(lan ? m_Plan.LanId(port.circuit) : std::string("01"), 19) + "Phase V\n";
            out += "  Area Address(es): " + m_Plan.Areas()[neighbour.area] + "\n";
            out += "  IP Address(es):  " + NetworkPlan::DottedQuad(far.address) + "*\n";
            out += "  Uptime: " + Uptime(seed) + "\n";
            if (neighbour.level2)
                out += "  NSF capable\n";
        }
    }
    return out;
}

std::string IosRouterPrinter::ShowClns(int router) const {
    return "Global CLNS Information:\n  " + std::to_string(m_Plan.Routers()[router].ports.size()) +
           " Interfaces Enabled for CLNS\n"
           "  NET: " +
           Net(router) +
           "\n"
           "  ERPDU's requested on locally generated packets\n"
           "  Intermediate system operation enabled (forwarding allowed)\n";
}

std::vector<IosRouterPrinter::Lsp> IosRouterPrinter::LevelLsps(int router, int level) const {
    std::vector<Lsp> own;
    std::vector<Lsp> others;
    const std::vector<int>& routers =
        level == 1 ? m_AreaRouters[m_Plan.Routers()[router].area] : m_Level2Routers;
    const std::vector<int>& lans =
        level == 1 ? m_AreaLans[m_Plan.Routers()[router].area] : m_Level2Lans;
    for (const int lan : lans) {
        const NetworkPlan::Circuit& circuit = m_Plan.Circuits()[lan];
        const Lsp lsp{m_Plan.Ports()[circuit.designatedPort].router, circuit.pseudoNode};
        (lsp.router == router ? own : others).push_back(lsp);
    }
    for (const int originator : routers) {
        if (originator != router)
            others.push_back(Lsp{originator, 0});
    }
    const auto order = [](const Lsp& a, const Lsp& b) {
        return std::tie(a.router, a.pseudoNode) < std::tie(b.router, b.pseudoNode);
    };
    // A designated IS lists its pseudo-nodes before its own LSP.
    std::sort(own.begin(), own.end(), order);
    own.push_back(Lsp{router, 0});
    std::sort(others.begin(), others.end(), order);
    own.insert(own.end(), others.begin(), others.end());
    return own;
}

std::string IosRouterPrinter::LspRow(int viewer, const Lsp& lsp, int level) const {
    const NetworkPlan::Router& originator = m_Plan.Routers()[lsp.router];
    const unsigned long seed =
        Mix(static_cast<unsigned long>(lsp.router), static_cast<unsigned long>(lsp.pseudoNode),
            static_cast<unsigned long>(level));
    const long holdtime =
        600 + static_cast<long>(Mix(seed, static_cast<unsigned long>(viewer)) % 600);
    const bool attached = level == 1 && lsp.pseudoNode == 0 && originator.level2;
    return Column(originator.hostName + Format(".%02lx-00", lsp.pseudoNode), 20) +
           (lsp.router == viewer ? "* " : "  ") +
           Format("0x%08lX   0x%04lX", static_cast<long>(1 + seed % 60),
                  static_cast<long>((seed >> 8) & 0xFFFF)) +
           Format("        %-18ld", holdtime) + (attached ? "1/0/0\n" : "0/0/0\n");
}

void IosRouterPrinter::ShowIsisDatabase(int router, std::string& database, std::string& own) const {
    database.clear();
    own.clear();
    for (int level = 1; level <= (m_Plan.Routers()[router].level2 ? 2 : 1); ++level) {
        if (level == 2)
            database += "\n";
        database += Format("IS-IS Level-%ld Link State Database:\n", level);
        database += "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL\n";
        for (const Lsp& lsp : LevelLsps(router, level)) {
            const std::string row = LspRow(router, lsp, level);
            database += row;
            if (lsp.router == router)
                own += row;
        }
    }
}
