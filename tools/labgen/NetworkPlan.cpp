#include "NetworkPlan.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

const std::uint32_t kLanBase = 0x7F100000u;    // 127.16.0.0/13: LANs, a /24 each
const std::uint32_t kSerialBase = 0x7F180000u; // 127.24.0.0/13: serial links, a /30 each
const int kMaxLans = 2048;
const int kMaxSerials = 131072;
const std::size_t kMaxLanSize = 6;
// A router joins at most this many LANs as their attachment point, so its
// pseudo-node ids stay single digits.
const int kMaxLansPerRouter = 8;

// "1270.2000.1001": the system id a router with router id 127.20.a.b takes
// in the classic way, its address written in twelve digits.
std::string SystemIdOf(int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "127020%03d%03d", (number / 256) % 256, number % 256);
    const std::string text = digits;
    return text.substr(0, 4) + "." + text.substr(4, 4) + "." + text.substr(8, 4);
}

std::string AreaOf(int position) {
    char text[16];
    std::snprintf(text, sizeof text, "49.%04d", position + 1);
    return text;
}

} // namespace

NetworkPlan::NetworkPlan(int routers, std::uint32_t seed) : m_Random(seed) {
    if (routers < 1 || routers > kMaxRouters)
        throw std::invalid_argument("the number of routers must be from 1 to " +
                                    std::to_string(kMaxRouters));
    int core = std::min(routers, std::max(3, routers / 40));
    int rest = routers - core;
    if (rest < 4) {
        core = routers;
        rest = 0;
    }
    std::vector<int> areaSizes;
    while (rest > 0) {
        int size = 6 + Random(15);
        if (rest - size < 4)
            size = rest;
        areaSizes.push_back(size);
        rest -= size;
    }

    m_Areas.push_back(AreaOf(0));
    m_CoreCount = core;
    AddRouters(core, 0, core);
    BuildCore(0, core);
    int first = core;
    for (const int size : areaSizes) {
        const int area = static_cast<int>(m_Areas.size());
        m_Areas.push_back(AreaOf(area));
        const int borders = size >= 8 ? 2 : 1;
        AddRouters(size, area, borders);
        BuildArea(first, size, borders);
        first += size;
    }
    ChooseDesignatedSystems();
    NamePortsAndAddresses();
}

int NetworkPlan::Random(int below) {
    return static_cast<int>(m_Random() % static_cast<std::uint32_t>(below));
}

void NetworkPlan::AddRouters(int count, int area, int level2Count) {
    for (int i = 0; i < count; ++i) {
        const int number = static_cast<int>(m_Routers.size()) + 1;
        Router router;
        router.hostName = "r" + std::to_string(number);
        router.systemId = SystemIdOf(number);
        router.area = area;
        router.level2 = i < level2Count;
        m_Routers.push_back(std::move(router));
    }
}

int NetworkPlan::AddCircuit(bool lan) {
    Circuit circuit;
    circuit.lan = lan;
    circuit.prefixLength = lan ? 24 : 30;
    m_LanCount += lan ? 1 : 0;
    m_Circuits.push_back(circuit);
    return static_cast<int>(m_Circuits.size()) - 1;
}

void NetworkPlan::Join(int circuit, int router) {
    Port port;
    port.router = router;
    port.circuit = circuit;
    m_Ports.push_back(port);
    const int position = static_cast<int>(m_Ports.size()) - 1;
    m_Circuits[circuit].ports.push_back(position);
    m_Routers[router].ports.push_back(position);
}

void NetworkPlan::Link(int a, int b) {
    const int circuit = AddCircuit(false);
    Join(circuit, a);
    Join(circuit, b);
}

bool NetworkPlan::Linked(int a, int b) const {
    for (const int port : m_Routers[a].ports) {
        for (const int other : NeighbourPorts(port)) {
            if (m_Ports[other].router == b)
                return true;
        }
    }
    return false;
}

int NetworkPlan::LanCount(int router) const {
    int lans = 0;
    for (const int port : m_Routers[router].ports)
        lans += m_Circuits[m_Ports[port].circuit].lan ? 1 : 0;
    return lans;
}

// A ring with chords across it, and one LAN per ten core routers. A router
// on its own has a LAN to itself.
void NetworkPlan::BuildCore(int first, int count) {
    if (count == 1)
        Join(AddCircuit(true), first);
    if (count == 2)
        Link(first, first + 1);
    if (count < 3)
        return;
    for (int i = 0; i < count; ++i)
        Link(first + i, first + (i + 1) % count);
    for (int chord = 0; chord < count / 4; ++chord) {
        const int a = first + Random(count);
        const int b = first + Random(count);
        if (a != b && !Linked(a, b))
            Link(a, b);
    }
    for (int lan = 0; lan < std::max(1, count / 10); ++lan) {
        const int size = 3 + Random(std::min(count, 6) - 2);
        const int start = Random(count);
        const int circuit = AddCircuit(true);
        for (int member = 0; member < size; ++member)
            Join(circuit, first + (start + member) % count);
    }
}

// Border routers first; each level-1 router hangs below one placed before it,
// on a LAN or a serial link.
void NetworkPlan::BuildArea(int first, int count, int borders) {
    std::vector<int> placed;
    for (int border = 0; border < borders; ++border)
        placed.push_back(first + border);
    if (borders == 2)
        Link(first, first + 1);

    std::vector<int> lans;
    for (int router = first + borders; router < first + count; ++router) {
        const int parent = placed[Random(static_cast<int>(placed.size()))];
        const int choice = Random(10);
        std::vector<int> open;
        for (const int lan : lans) {
            if (m_Circuits[lan].ports.size() < kMaxLanSize)
                open.push_back(lan);
        }
        if (choice < 4 && !open.empty()) {
            Join(open[Random(static_cast<int>(open.size()))], router);
        } else if (choice < 7 && LanCount(parent) < kMaxLansPerRouter && m_LanCount < kMaxLans) {
            const int lan = AddCircuit(true);
            Join(lan, parent);
            Join(lan, router);
            lans.push_back(lan);
        } else {
            Link(parent, router);
        }
        placed.push_back(router);
    }
    for (int extra = 0; extra < count / 6; ++extra) {
        const int a = first + Random(count);
        const int b = first + Random(count);
        if (a != b && !Linked(a, b))
            Link(a, b);
    }

    // Into the level-2 backbone.
    int coreRouter = -1;
    for (int border = 0; border < borders; ++border) {
        int next = Random(m_CoreCount);
        if (next == coreRouter && m_CoreCount > 1)
            next = (next + 1) % m_CoreCount;
        coreRouter = next;
        Link(first + border, coreRouter);
    }
    if (m_PreviousBorder >= 0 && Random(3) == 0)
        Link(first, m_PreviousBorder);
    m_PreviousBorder = first;
}

// A level-1-2 member when the LAN has one; of those, the one that is the
// designated IS of the fewest LANs so far, the last such one to join.
void NetworkPlan::ChooseDesignatedSystems() {
    std::vector<int> pseudoNodes(m_Routers.size(), 0);
    for (Circuit& circuit : m_Circuits) {
        if (!circuit.lan)
            continue;
        bool anyLevel2 = false;
        for (const int port : circuit.ports)
            anyLevel2 = anyLevel2 || m_Routers[m_Ports[port].router].level2;
        int chosen = -1;
        for (const int port : circuit.ports) {
            const int router = m_Ports[port].router;
            if (anyLevel2 && !m_Routers[router].level2)
                continue;
            if (chosen < 0 || pseudoNodes[router] <= pseudoNodes[m_Ports[chosen].router])
                chosen = port;
        }
        circuit.designatedPort = chosen;
        circuit.pseudoNode = ++pseudoNodes[m_Ports[chosen].router];
    }
}

void NetworkPlan::NamePortsAndAddresses() {
    for (Router& router : m_Routers) {
        std::stable_partition(router.ports.begin(), router.ports.end(),
                              [&](int port) { return m_Circuits[m_Ports[port].circuit].lan; });
        int lans = 0;
        int serials = 0;
        for (const int position : router.ports) {
            Port& port = m_Ports[position];
            if (m_Circuits[port.circuit].lan) {
                const std::string number = "0/" + std::to_string(lans++);
                port.name = "GigabitEthernet" + number;
                port.shortName = "Gi" + number;
                port.metric = 10;
            } else {
                const std::string number =
                    std::to_string(1 + serials / 8) + "/" + std::to_string(serials % 8);
                ++serials;
                port.name = "Serial" + number;
                port.shortName = "Se" + number;
                port.metric = 10 * (2 + Random(3));
            }
        }
    }
    int lans = 0;
    int serials = 0;
    for (Circuit& circuit : m_Circuits) {
        if (circuit.lan) {
            if (lans >= kMaxLans)
                throw std::length_error("too many LANs for 127.16.0.0/13");
            circuit.network = kLanBase + 256u * static_cast<std::uint32_t>(lans++);
        } else {
            if (serials >= kMaxSerials)
                throw std::length_error("too many serial links for 127.24.0.0/13");
            circuit.network = kSerialBase + 4u * static_cast<std::uint32_t>(serials++);
        }
        std::uint32_t host = 1;
        for (const int port : circuit.ports)
            m_Ports[port].address = circuit.network + host++;
    }
}

std::string NetworkPlan::AdjacencyType(int a, int b) const {
    const Router& first = m_Routers[a];
    const Router& second = m_Routers[b];
    const bool level2 = first.level2 && second.level2;
    if (first.area == second.area)
        return level2 ? "L1L2" : "L1";
    return level2 ? "L2" : "";
}

std::string NetworkPlan::LanId(int circuit) const {
    const Circuit& lan = m_Circuits[circuit];
    if (!lan.lan || lan.designatedPort < 0)
        return "";
    char id[8];
    std::snprintf(id, sizeof id, ".%02x", lan.pseudoNode);
    return m_Routers[m_Ports[lan.designatedPort].router].hostName + id;
}

std::vector<int> NetworkPlan::NeighbourPorts(int port) const {
    std::vector<int> others;
    const Port& own = m_Ports[port];
    for (const int other : m_Circuits[own.circuit].ports) {
        if (other != port)
            others.push_back(other);
    }
    return others;
}

std::string NetworkPlan::DottedQuad(std::uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 255) + "." +
           std::to_string((address >> 8) & 255) + "." + std::to_string(address & 255);
}

std::string NetworkPlan::Mask(int prefixLength) {
    const std::uint32_t mask =
        prefixLength <= 0 ? 0 : ~std::uint32_t{0} << (32 - std::min(prefixLength, 32));
    return DottedQuad(mask);
}
