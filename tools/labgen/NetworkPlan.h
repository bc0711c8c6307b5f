// The shape of a generated IS-IS network: which routers there are, in which
// area and at which level, and the circuits (LANs and point-to-point serial
// links) that join them, with every port's name and address.
//
// Area 49.0001 is the core: level-1-2 routers in a ring of serial links with
// a few chords and a LAN or more. Every other area has one or two level-1-2
// border routers and level-1 routers hung below them on LANs and serial
// links, with some extra links inside the area. Each border router has a
// serial link to a core router, and some border routers one to a border
// router of the area before theirs, so the level-1-2 routers make up the
// level-2 backbone. Every LAN lies inside one area; its designated IS is a
// level-1-2 member when it has one, so the LAN has one LAN id on both levels.
//
// Everything is numbered from 127.16.0.0/12: LANs are /24s from
// 127.16.0.0/13, serial links /30s from 127.24.0.0/13. The same count and
// seed always give the same network.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

class NetworkPlan {
public:
    struct Router {
        std::string hostName;   // r1, r2, ...
        std::string systemId;   // 1270.2000.1001 form
        int area = 0;           // position in Areas()
        bool level2 = false;    // level-1-2 when true, level-1 only otherwise
        std::vector<int> ports; // in ifIndex order: LAN ports, then serial ports
    };
    struct Port {
        int router = -1;
        int circuit = -1;
        std::string name;      // GigabitEthernet0/0, Serial1/0
        std::string shortName; // Gi0/0, Se1/0
        std::uint32_t address = 0;
        int metric = 10;
    };
    struct Circuit {
        bool lan = false;
        std::vector<int> ports; // in the order the routers joined it
        std::uint32_t network = 0;
        int prefixLength = 30;
        int designatedPort = -1; // a LAN's designated IS
        int pseudoNode = 0;      // the designated IS's pseudo-node id for it
    };

    static constexpr int kMaxRouters = 5000;

    // Lays out `routers` routers (1 to kMaxRouters) from the seed; throws
    // std::invalid_argument for any other count.
    NetworkPlan(int routers, std::uint32_t seed);

    const std::vector<std::string>& Areas() const { return m_Areas; }
    const std::vector<Router>& Routers() const { return m_Routers; }
    const std::vector<Port>& Ports() const { return m_Ports; }
    const std::vector<Circuit>& Circuits() const { return m_Circuits; }

    // The adjacency type between two routers on a circuit: "L1", "L2",
    // "L1L2", or "" when they form none.
    std::string AdjacencyType(int a, int b) const;
    // The LAN id of a LAN ("r5.01"); "" for a serial link.
    std::string LanId(int circuit) const;
    // The ports of the other routers on the port's circuit.
    std::vector<int> NeighbourPorts(int port) const;

    static std::string DottedQuad(std::uint32_t address);
    static std::string Mask(int prefixLength);

private:
    // A number from 0 to below - 1.
    int Random(int below);
    void AddRouters(int count, int area, int level2Count);
    int AddCircuit(bool lan);
    void Join(int circuit, int router);
    void Link(int a, int b);
    bool Linked(int a, int b) const;
    int LanCount(int router) const;
    void BuildCore(int first, int count);
    void BuildArea(int first, int count, int borders);
    void ChooseDesignatedSystems();
    void NamePortsAndAddresses();

    std::mt19937 m_Random;
    int m_CoreCount = 0;
    int m_LanCount = 0;
    int m_PreviousBorder = -1; // first border router of the last area built
    std::vector<std::string> m_Areas;
    std::vector<Router> m_Routers;
    std::vector<Port> m_Ports;
    std::vector<Circuit> m_Circuits;
};
