// Lab files for small IS-IS networks, written from a plain description of
// each router: its identity, its IS-IS interfaces and the adjacencies it
// sees. Every command the agent sends gets the answer IOS would print for
// that description, so what one router says about a link is whatever the
// test describes for it (consistent with the far side or not).
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace isis_lab {

struct Port {
    std::string name;      // as ifDescr and "show clns interface" print it: "Ethernet0/0"
    long long ifIndex;     // its row in the ifDescr walk; 0 when the walk lacks it
    std::string l1Circuit; // Level-1 circuit id ("r1.01" on a LAN, "r4.00" on a serial
                           // link); empty when the interface does not run Level-1
    std::string l2Circuit; // the same for Level-2
    int metric = 10;
};

struct Neighbour {
    std::string port;    // as the neighbour table prints it: "Et0/0"
    std::string name;    // host name or system id
    std::string type;    // L1, L2 or L1L2
    std::string area;    // its area
    std::string address; // its address
};

struct Router {
    std::string name;     // the lab's device name
    std::string host;     // dynamic host name
    std::string systemId; // "1921.6800.1001"
    std::string area;
    std::vector<Port> ports;
    std::vector<Neighbour> neighbours;
    std::string pseudoNode; // the LAN id of the LAN it is designated IS of, or ""
};

inline std::string Padded(const std::string& text, std::size_t width) {
    std::string padded = text;
    padded.resize(text.size() < width ? width : text.size() + 1, ' ');
    return padded;
}

inline std::string ShowClnsProtocol(const Router& router) {
    std::string text = "IS-IS Router: <Null Tag>\n"
                       "  System Id: " +
                       router.systemId +
                       ".00  IS-Type: level-1-2\n"
                       "  Manual area address(es):\n"
                       "        " +
                       router.area +
                       "\n"
                       "  Routing for area address(es):\n"
                       "        " +
                       router.area +
                       "\n"
                       "  Interfaces supported by IS-IS:\n";
    for (const Port& port : router.ports)
        text += "        " + port.name + " - IP\n";
    text += "  Redistribute:\n"
            "    static (on by default)\n"
            "  Distance for L2 CLNS routes: 110\n"
            "  RRR level: none\n"
            "  Generate narrow metrics: level-1-2\n"
            "  Accept narrow metrics:   level-1-2\n"
            "  Generate wide metrics:   none\n"
            "  Accept wide metrics:     none\n";
    return text;
}

inline std::string ShowClnsInterface(const Router& router) {
    std::string text;
    int number = 0;
    for (const Port& port : router.ports) {
        text += port.name +
                " is up, line protocol is up\n"
                "  Checksums enabled, MTU 1500, Encapsulation HDLC\n"
                "  ERPDUs enabled, min. interval 10 msec.\n"
                "  CLNS fast switching enabled\n"
                "  CLNS SSE switching disabled\n"
                "  DEC compatibility mode OFF for this interface\n"
                "  Next ESH/ISH in 31 seconds\n"
                "  Routing Protocol: IS-IS\n"
                "    Circuit Type: level-1-2\n"
                "    Interface number 0x" +
                std::to_string(number) + ", local circuit ID 0x10" + std::to_string(number) + "\n";
        ++number;
        const std::string metric = std::to_string(port.metric);
        if (!port.l1Circuit.empty())
            text += "    Level-1 Metric: " + metric +
                    ", Priority: 64, Circuit ID: " + port.l1Circuit +
                    "\n"
                    "    Number of active level-1 adjacencies: 1\n";
        if (!port.l2Circuit.empty())
            text += "    Level-2 Metric: " + metric +
                    ", Priority: 64, Circuit ID: " + port.l2Circuit +
                    "\n"
                    "    Number of active level-2 adjacencies: 1\n";
        text += "    Next IS-IS Hello in 4 seconds\n";
    }
    return text;
}

inline std::string ShowRun(const Router& router) {
    std::string text = "Building configuration...\n"
                       "\n"
                       "!\n"
                       "hostname " +
                       router.host + "\n!\n";
    for (const Port& port : router.ports)
        text += "interface " + port.name +
                "\n"
                " no ip directed-broadcast\n"
                " ip router isis\n"
                "!\n";
    text += "router isis\n"
            " net " +
            router.area + "." + router.systemId +
            ".00\n"
            "!\n"
            "end\n";
    return text;
}

inline std::string ShowClnsIsNeighborsDetail(const Router& router) {
    std::string text =
        "System Id      Interface   State  Type Priority  Circuit Id         Format\n";
    for (const Neighbour& neighbour : router.neighbours) {
        text += Padded(neighbour.name, 15) + Padded(neighbour.port, 12) + "Up     " +
                Padded(neighbour.type, 5) + "64        " + Padded(neighbour.name + ".01", 19) +
                "Phase V\n"
                "  Area Address(es): " +
                neighbour.area +
                "\n"
                "  IP Address(es):  " +
                neighbour.address +
                "*\n"
                "  Uptime: 01:02:03\n"
                "  NSF capable\n";
    }
    return text;
}

inline std::string DatabaseLine(const std::string& lsp) {
    return Padded(lsp, 20) + "* 0x00000005   0x1A2B        1023              0/0/0\n";
}

inline std::string ShowIsisDatabaseOwn(const Router& router) {
    std::string text;
    if (!router.pseudoNode.empty())
        text += DatabaseLine(router.pseudoNode + "-00");
    text += DatabaseLine(router.host + ".00-00");
    return text;
}

inline std::string ShowIsisDatabase(const Router& router) {
    std::string text = "IS-IS Level-1 Link State Database:\n"
                       "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      "
                       "ATT/P/OL\n";
    if (!router.pseudoNode.empty())
        text += DatabaseLine(router.pseudoNode + "-00");
    text += DatabaseLine(router.host + ".00-00");
    return text;
}

inline nlohmann::ordered_json Device(const Router& router) {
    nlohmann::ordered_json commands;
    commands["show clns protocol"] = ShowClnsProtocol(router);
    commands["show clns interface"] = ShowClnsInterface(router);
    commands["show run"] = ShowRun(router);
    commands["show isis neighbors detail"] =
        "System Id      Type Interface   IP Address      State Holdtime Circuit Id\n";
    commands["show clns is-neighbors detail"] = ShowClnsIsNeighborsDetail(router);
    commands["show clns"] = "Global CLNS Information:\n"
                            "  NET: " +
                            router.area + "." + router.systemId +
                            ".00\n"
                            "  Configuration Timer: 60, Default Holding Timer: 300, Packet "
                            "Lifetime 64\n";
    commands["show isis hostname | include \\*"] =
        "     * " + router.systemId + " " + router.host + "\n";
    commands["show isis database | include \\*"] = ShowIsisDatabaseOwn(router);
    commands["show isis database"] = ShowIsisDatabase(router);

    nlohmann::ordered_json ifDescr = nlohmann::ordered_json::array();
    for (const Port& port : router.ports) {
        if (port.ifIndex != 0)
            ifDescr.push_back({port.ifIndex, port.name});
    }
    ifDescr.push_back({99, "Null0"});
    return {{"name", router.name}, {"commands", commands}, {"ifDescr", ifDescr}};
}

inline std::string LabText(const std::vector<Router>& routers) {
    nlohmann::ordered_json devices = nlohmann::ordered_json::array();
    for (const Router& router : routers)
        devices.push_back(Device(router));
    return nlohmann::ordered_json{{"devices", devices}}.dump(2);
}

} // namespace isis_lab
