// The host's relationship handling: routers' records in, links out. Each case
// builds the records an agent hands over for a few routers and checks which
// router each adjacency leads to, which far interface it pairs with, and what
// the link carries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CScoutTopology.h"
#include "TopologyRecords.h"

namespace {

using topology_records::Add;
using topology_records::NeighbourRow;
using topology_records::PortRow;
using topology_records::RouterRow;

using Link = CScoutTopology::Link;
using LinkEnd = CScoutTopology::LinkEnd;
using EStatus = CScoutTopology::EStatus;

std::vector<Link> Resolve(const std::vector<RouterRow>& routers) {
    CScoutTopology topology;
    for (const RouterRow& router : routers)
        Add(topology, router);
    topology.STResolve();
    return topology.STLinks();
}

// "r1 Ethernet0/0(1) -- r2 Serial1/0(5)": a link's ends in one line, with
// the identifiers of the routers, for readable comparisons.
std::string Ends(const std::vector<RouterRow>& routers, const Link& link) {
    const auto side = [&](const LinkEnd& end) {
        std::string text = end.router >= 0
                               ? routers[static_cast<std::size_t>(end.router)].identifier
                               : "?" + end.hostName + end.systemId;
        if (end.hasIfDescr)
            text += " " + end.ifDescr;
        if (end.hasIfIndex)
            text += "(" + std::to_string(end.ifIndex) + ")";
        return text;
    };
    return side(link.from) + " -- " + side(link.to);
}

std::vector<std::string> AllEnds(const std::vector<RouterRow>& routers,
                                 const std::vector<Link>& links) {
    std::vector<std::string> ends;
    for (const Link& link : links)
        ends.push_back(Ends(routers, link));
    return ends;
}

TEST(TopologyNames, SystemIdsAndLanIds) {
    struct Case {
        const char* text;
        const char* systemId;
        const char* lanId;
    };
    const Case cases[] = {
        {"1921.6800.1001.00", "1921.6800.1001", ""},
        {"1921.6800.1001", "1921.6800.1001", ""},
        {"0000.0C1a.BEEF.01", "0000.0C1a.BEEF", "0000.0C1a.BEEF.01"},
        {"1921.6800.1001.0", "", ""},
        {"1921.6800.100", "", ""},
        {"192168001001", "", ""},
        {"r1", "", ""},
        {"r1.01", "", "r1.01"},
        {"r1.0a", "", "r1.0a"},
        {"r4.00", "", ""},
        {"1921.6800.1001.02", "1921.6800.1001", "1921.6800.1001.02"},
        {".01", "", ""},
        {"r1.1", "", ""},
        {"r1.001", "", ""},
        {"r1.zz", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CScoutTopology::STSystemIdOf(c.text), c.systemId) << c.text;
        EXPECT_EQ(CScoutTopology::STLanIdOf(c.text), c.lanId) << c.text;
    }
}

TEST(Topology, KeepsOnlyRoutersHandedToTheRelationshipHandling) {
    RouterRow related{
        "R1",
        "r1",
        "0000.0000.0001.00",
        "49.0001",
        {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}, {"Level-2", 20, "r1.01"}}}},
        {{1, "r2", "L1", "49.0001", "10.0.0.2"}, {-1, "r3", "L2", "49.0002", "10.0.1.3"}},
        "r1.01-00"};
    RouterRow unrelated = related;
    unrelated.identifier = "R2";
    unrelated.related = false;

    CScoutTopology topology;
    Add(topology, related);
    Add(topology, unrelated);
    ASSERT_EQ(topology.STRouters().size(), 1u);
    const CScoutTopology::Router& router = topology.STRouters()[0];
    EXPECT_EQ(router.identifier, "R1");
    EXPECT_EQ(router.hostName, "r1");
    EXPECT_EQ(router.systemId, "0000.0000.0001");
    EXPECT_EQ(router.areaId, "49.0001");
    EXPECT_TRUE(router.designatedIS);
    EXPECT_EQ(router.pseudoNodeLSP, "r1.01-00");
    ASSERT_EQ(router.interfaces.size(), 1u);
    EXPECT_EQ(router.interfaces[0].ifIndex, 1);
    EXPECT_EQ(router.interfaces[0].ifDescr, "Ethernet0/0");
    ASSERT_EQ(router.interfaces[0].levels.size(), 2u);
    EXPECT_EQ(router.interfaces[0].levels[1].levelType, "Level-2");
    EXPECT_EQ(router.interfaces[0].levels[1].metric, 20);
    EXPECT_EQ(router.interfaces[0].levels[1].circuitId, "r1.01");
    ASSERT_EQ(router.adjacencies.size(), 2u);
    EXPECT_TRUE(router.adjacencies[1].hasIfIndex);
    EXPECT_EQ(router.adjacencies[1].ifIndex, -1);
    EXPECT_EQ(router.adjacencies[1].neighbour, "r3");
    EXPECT_EQ(router.adjacencies[1].type, "L2");
    EXPECT_EQ(router.adjacencies[1].area, "49.0002");
    EXPECT_EQ(router.adjacencies[1].address, "10.0.1.3");
}

// Two areas joined by a serial link; r2 runs IS-IS on a LAN and a serial.
TEST(Topology, PointToPointLinkBothSidesReported) {
    const std::vector<RouterRow> routers = {
        {"r1",
         "r1",
         "0000.0000.0001.00",
         "49.0001",
         {{5, "Serial1/0", {{"Level-1", 10, "r2.00"}, {"Level-2", 30, "r2.00"}}}},
         {{5, "r2", "L2", "49.0002", "10.0.12.2"}}},
        {"r2",
         "r2",
         "0000.0000.0002.00",
         "49.0002",
         {{1, "Ethernet0/0", {{"Level-2", 10, "r2.01"}}},
          {6, "Serial1/1", {{"Level-2", 40, "r1.00"}}}},
         {{6, "r1", "L2", "49.0001", "10.0.12.1"}}},
    };
    const std::vector<Link> links = Resolve(routers);
    ASSERT_EQ(links.size(), 1u);
    const Link& link = links[0];
    EXPECT_EQ(Ends(routers, link), "r1 Serial1/0(5) -- r2 Serial1/1(6)");
    EXPECT_EQ(link.status, EStatus::Confirmed);
    EXPECT_EQ(link.type, "L2");
    EXPECT_TRUE(link.pseudoNodes.empty());
    EXPECT_TRUE(link.candidates.empty());
    EXPECT_EQ(link.from.address, "10.0.12.1");
    EXPECT_EQ(link.to.address, "10.0.12.2");
    EXPECT_EQ(link.from.area, "49.0001");
    EXPECT_EQ(link.to.area, "49.0002");
    EXPECT_EQ(link.to.systemId, "0000.0000.0002");
    EXPECT_EQ(link.to.hostName, "r2");
    // Only the link's level counts.
    using Metrics = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(link.from.metrics, (Metrics{{"Level-2", 30}}));
    EXPECT_EQ(link.to.metrics, (Metrics{{"Level-2", 40}}));
}

TEST(Topology, LanOfThreeRoutersWithADesignatedIS) {
    // r1 is the designated IS on both levels; r3 is a Level-1 router.
    const std::vector<RouterRow> routers = {
        {"r1",
         "r1",
         "0000.0000.0001.00",
         "49.0001",
         {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}, {"Level-2", 10, "r1.01"}}}},
         {{1, "r2", "L1L2", "49.0001", "10.1.0.2"}, {1, "r3", "L1", "49.0001", "10.1.0.3"}},
         "r1.01-00"},
        {"r2",
         "r2",
         "0000.0000.0002.00",
         "49.0001",
         {{2, "Ethernet0/1", {{"Level-1", 15, "r1.01"}, {"Level-2", 25, "r1.01"}}}},
         {{2, "r1", "L1L2", "49.0001", "10.1.0.1"}, {2, "r3", "L1", "49.0001", "10.1.0.3"}}},
        {"r3",
         "r3",
         "0000.0000.0003.00",
         "49.0001",
         {{3, "Ethernet0/2", {{"Level-1", 20, "r1.01"}}}},
         {{3, "r1", "L1", "49.0001", "10.1.0.1"}, {3, "r2", "L1", "49.0001", "10.1.0.2"}}},
    };
    const std::vector<Link> links = Resolve(routers);
    EXPECT_EQ(AllEnds(routers, links),
              (std::vector<std::string>{"r1 Ethernet0/0(1) -- r2 Ethernet0/1(2)",
                                        "r1 Ethernet0/0(1) -- r3 Ethernet0/2(3)",
                                        "r2 Ethernet0/1(2) -- r3 Ethernet0/2(3)"}));
    ASSERT_EQ(links.size(), 3u);
    for (const Link& link : links) {
        EXPECT_EQ(link.status, EStatus::Confirmed);
        ASSERT_EQ(link.pseudoNodes.size(), 1u) << Ends(routers, link);
        EXPECT_EQ(link.pseudoNodes[0].id, "r1.01");
        EXPECT_EQ(link.pseudoNodes[0].designatedIS, 0);
    }
    EXPECT_EQ(links[0].pseudoNodes[0].levels, (std::vector<std::string>{"Level-1", "Level-2"}));
    EXPECT_EQ(links[1].pseudoNodes[0].levels, (std::vector<std::string>{"Level-1"}));
    EXPECT_EQ(links[2].to.metrics, (std::vector<std::pair<std::string, int>>{{"Level-1", 20}}));
}

TEST(Topology, LanWithAnotherDesignatedISPerLevel) {
    // r2 is the Level-2 designated IS, named by system id; r1 the Level-1 one.
    const std::vector<RouterRow> routers = {
        {"r1",
         "r1",
         "0000.0000.0001.00",
         "49.0001",
         {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}, {"Level-2", 10, "0000.0000.0002.02"}}}},
         {{1, "r2", "L1L2", "49.0001", "10.1.0.2"}}},
        {"r2",
         "r2",
         "0000.0000.0002.00",
         "49.0001",
         {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}, {"Level-2", 10, "0000.0000.0002.02"}}}},
         {{1, "r1", "L1L2", "49.0001", "10.1.0.1"}}},
    };
    const std::vector<Link> links = Resolve(routers);
    ASSERT_EQ(links.size(), 1u);
    ASSERT_EQ(links[0].pseudoNodes.size(), 2u);
    EXPECT_EQ(links[0].pseudoNodes[0].id, "r1.01");
    EXPECT_EQ(links[0].pseudoNodes[0].levels, std::vector<std::string>{"Level-1"});
    EXPECT_EQ(links[0].pseudoNodes[0].designatedIS, 0);
    EXPECT_EQ(links[0].pseudoNodes[1].id, "0000.0000.0002.02");
    EXPECT_EQ(links[0].pseudoNodes[1].levels, std::vector<std::string>{"Level-2"});
    EXPECT_EQ(links[0].pseudoNodes[1].designatedIS, 1);
}

// r2 and r3 share a LAN and a serial link: four reports between the same two
// routers, each pair of which must be matched to its own interfaces whatever
// order the routers listed them in.
TEST(Topology, ParallelLinksPairByLanIdAndAddress) {
    const std::vector<RouterRow> routers = {
        {"r2",
         "r2",
         "0000.0000.0002.00",
         "49.0001",
         {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}}},
          {6, "Serial1/1", {{"Level-1", 10, "r3.00"}}}},
         {{6, "r3", "L1", "49.0001", "10.1.23.2"}, {1, "r3", "L1", "49.0001", "10.1.0.3"}}},
        {"r3",
         "r3",
         "0000.0000.0003.00",
         "49.0001",
         {{1, "Ethernet0/0", {{"Level-1", 10, "r1.01"}}},
          {5, "Serial1/0", {{"Level-1", 10, "r2.00"}}}},
         {{1, "r2", "L1", "49.0001", "10.1.0.2"}, {5, "r2", "L1", "49.0001", "10.1.23.1"}}},
    };
    EXPECT_EQ(AllEnds(routers, Resolve(routers)),
              (std::vector<std::string>{"r2 Serial1/1(6) -- r3 Serial1/0(5)",
                                        "r2 Ethernet0/0(1) -- r3 Ethernet0/0(1)"}));

    // Without level data the addresses alone tell the serial link from the LAN.
    std::vector<RouterRow> bare = routers;
    for (RouterRow& router : bare) {
        for (PortRow& port : router.ports)
            port.levels.clear();
    }
    EXPECT_EQ(AllEnds(bare, Resolve(bare)),
              (std::vector<std::string>{"r2 Serial1/1(6) -- r3 Serial1/0(5)",
                                        "r2 Ethernet0/0(1) -- r3 Ethernet0/0(1)"}));
}

TEST(Topology, NeighbourSeenFromOneSideOnly) {
    // r2 is in the run but did not report r1 back; r9 is not in the run at
    // all, once named by host name and once by system id.
    const std::vector<RouterRow> routers = {
        {"r1",
         "r1",
         "0000.0000.0001.00",
         "49.0001",
         {{5, "Serial1/0", {{"Level-1", 10, "r2.00"}}},
          {6, "Serial1/1", {{"Level-2", 10, "r9.00"}}}},
         {{5, "r2", "L1", "49.0001", "10.0.12.2"},
          {6, "r9", "L2", "49.0009", "10.0.19.9"},
          {7, "0000.0000.0099", "L2", "49.0009", "10.0.99.9"}}},
        {"r2", "r2", "0000.0000.0002.00", "49.0001", {}, {}},
    };
    const std::vector<Link> links = Resolve(routers);
    ASSERT_EQ(links.size(), 3u);

    EXPECT_EQ(links[0].status, EStatus::OneSided);
    EXPECT_EQ(Ends(routers, links[0]), "r1 Serial1/0(5) -- r2");
    EXPECT_FALSE(links[0].to.hasIfIndex);
    EXPECT_EQ(links[0].to.address, "10.0.12.2");
    EXPECT_TRUE(links[0].from.address.empty());
    EXPECT_EQ(links[0].to.systemId, "0000.0000.0002");

    EXPECT_EQ(links[1].status, EStatus::UnknownRouter);
    EXPECT_EQ(links[1].to.router, -1);
    EXPECT_EQ(links[1].to.hostName, "r9");
    EXPECT_EQ(links[1].to.systemId, "");
    EXPECT_EQ(links[1].to.area, "49.0009");
    EXPECT_EQ(links[1].to.address, "10.0.19.9");

    EXPECT_EQ(links[2].status, EStatus::UnknownRouter);
    EXPECT_EQ(links[2].to.hostName, "");
    EXPECT_EQ(links[2].to.systemId, "0000.0000.0099");
    // The interface was not among the local neighbours.
    EXPECT_TRUE(links[2].from.hasIfIndex);
    EXPECT_EQ(links[2].from.ifIndex, 7);
    EXPECT_FALSE(links[2].from.hasIfDescr);
}

TEST(Topology, NeighbourOnAnUnresolvedInterface) {
    // r5 could not resolve the interface it sees r6 on: its key is -1, and
    // the link still pairs with r6's report.
    const std::vector<RouterRow> routers = {
        {"r5",
         "r5",
         "0000.0000.0005.00",
         "49.0002",
         {{5, "Serial1/0", {{"Level-1", 10, "r4.00"}}}},
         {{-1, "r6", "L1", "49.0002", "10.2.56.2"}}},
        {"r6",
         "r6",
         "0000.0000.0006.00",
         "49.0002",
         {{5, "Serial1/0", {{"Level-1", 10, "r5.00"}}}},
         {{5, "r5", "L1", "49.0002", "10.2.56.1"}}},
    };
    const std::vector<Link> links = Resolve(routers);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].status, EStatus::Confirmed);
    EXPECT_EQ(Ends(routers, links[0]), "r5(-1) -- r6 Serial1/0(5)");
    EXPECT_TRUE(links[0].from.metrics.empty());
    EXPECT_EQ(links[0].from.address, "10.2.56.1");
}

// Two routers named "core": which one a neighbour means.
TEST(Topology, RoutersWithTheSameHostName) {
    const RouterRow coreA{"core-a",
                          "core",
                          "0000.0000.00a1.00",
                          "49.0001",
                          {{5, "Serial1/0", {}}},
                          {{5, "edge", "L2", "49.0003", "10.0.1.2"}}};
    const RouterRow coreB{"core-b", "core", "0000.0000.00b2.00", "49.0002", {{5, "Serial1/0", {}}},
                          {}};

    {
        SCOPED_TRACE("named by host name, and only one of them reported the adjacency back");
        const std::vector<RouterRow> routers = {coreA,
                                                coreB,
                                                {"edge",
                                                 "edge",
                                                 "0000.0000.0003.00",
                                                 "49.0003",
                                                 {{1, "Serial0/0", {}}},
                                                 {{1, "core", "L2", "49.0001", "10.0.1.1"}}}};
        const std::vector<Link> links = Resolve(routers);
        EXPECT_EQ(AllEnds(routers, links),
                  std::vector<std::string>{"core-a Serial1/0(5) -- edge Serial0/0(1)"});
    }
    {
        SCOPED_TRACE("named by system id");
        RouterRow lonelyA = coreA;
        lonelyA.neighbours.clear();
        const std::vector<RouterRow> routers = {
            lonelyA,
            coreB,
            {"edge",
             "edge",
             "0000.0000.0003.00",
             "49.0003",
             {{1, "Serial0/0", {}}},
             {{1, "0000.0000.00B2", "L2", "49.0002", "10.0.2.1"}}}};
        const std::vector<Link> links = Resolve(routers);
        ASSERT_EQ(links.size(), 1u);
        EXPECT_EQ(links[0].status, EStatus::OneSided);
        EXPECT_EQ(Ends(routers, links[0]), "edge Serial0/0(1) -- core-b");
    }
    {
        SCOPED_TRACE("named by host name, nothing tells which");
        RouterRow lonelyA = coreA;
        lonelyA.neighbours.clear();
        const std::vector<RouterRow> routers = {lonelyA,
                                                coreB,
                                                {"edge",
                                                 "edge",
                                                 "0000.0000.0003.00",
                                                 "49.0003",
                                                 {{1, "Serial0/0", {}}},
                                                 {{1, "core", "L2", "49.0001", "10.0.1.1"}}}};
        const std::vector<Link> links = Resolve(routers);
        ASSERT_EQ(links.size(), 1u);
        EXPECT_EQ(links[0].status, EStatus::Ambiguous);
        EXPECT_EQ(links[0].to.router, -1);
        EXPECT_EQ(links[0].to.hostName, "core");
        EXPECT_EQ(links[0].candidates, (std::vector<int>{0, 1}));
    }
    {
        SCOPED_TRACE("named by host name, both report back, an address tells");
        // A third router knows core-b by system id at 10.0.2.1, the address
        // edge sees its "core" at.
        RouterRow backB = coreB;
        backB.neighbours = {{5, "edge", "L2", "49.0003", "10.0.2.2"}};
        const std::vector<RouterRow> routers = {
            coreA,
            backB,
            {"edge",
             "edge",
             "0000.0000.0003.00",
             "49.0003",
             {{2, "Serial0/1", {}}},
             {{2, "core", "L2", "49.0002", "10.0.2.1"}}},
            {"probe",
             "probe",
             "0000.0000.0004.00",
             "49.0002",
             {{1, "Ethernet0/0", {}}},
             {{1, "0000.0000.00b2", "L2", "49.0002", "10.0.2.1"}}}};
        const std::vector<Link> links = Resolve(routers);
        EXPECT_EQ(AllEnds(routers, links),
                  (std::vector<std::string>{"core-a Serial1/0(5) -- edge",
                                            "core-b Serial1/0(5) -- edge Serial0/1(2)",
                                            "probe Ethernet0/0(1) -- core-b"}));
    }
    {
        SCOPED_TRACE("a router never is its own neighbour");
        RouterRow self = coreA;
        self.neighbours = {{5, "core", "L2", "49.0002", "10.0.5.2"}};
        RouterRow other = coreB;
        other.neighbours = {{5, "core", "L2", "49.0001", "10.0.5.1"}};
        const std::vector<RouterRow> routers = {self, other};
        EXPECT_EQ(AllEnds(routers, Resolve(routers)),
                  std::vector<std::string>{"core-a Serial1/0(5) -- core-b Serial1/0(5)"});
    }
}

TEST(Topology, ResolvesByAddressAndIdentifierWhenNamesFail) {
    // r3 answered no service commands: no host name, no system id. r1 names
    // it "r3", which is its identifier; r2 names it by a system id no router
    // carries, at the address r1 already saw r3 at.
    const std::vector<RouterRow> routers = {
        {"r1",
         "r1",
         "0000.0000.0001.00",
         "49.0001",
         {{1, "Ethernet0/0", {}}},
         {{1, "r3", "L1", "49.0001", "10.0.0.3"}}},
        {"r2",
         "r2",
         "0000.0000.0002.00",
         "49.0001",
         {{1, "Ethernet0/0", {}}},
         {{1, "0000.0000.0003", "L1", "49.0001", "10.0.0.3"}}},
        {"r3", "", "", "", {{4, "Ethernet0/3", {}}}, {}},
    };
    const std::vector<Link> links = Resolve(routers);
    EXPECT_EQ(AllEnds(routers, links),
              (std::vector<std::string>{"r1 Ethernet0/0(1) -- r3", "r2 Ethernet0/0(1) -- r3"}));
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[1].status, EStatus::OneSided);
    // What the router's records lack, its neighbour's report gives.
    EXPECT_EQ(links[1].to.area, "49.0001");

    // Two routers reported at one address: the address tells nothing.
    std::vector<RouterRow> clash = routers;
    clash.push_back({"r4",
                     "r4",
                     "0000.0000.0004.00",
                     "49.0001",
                     {{1, "Ethernet0/0", {}}},
                     {{1, "r1", "L1", "49.0001", "10.0.0.3"}}});
    const std::vector<Link> unsure = Resolve(clash);
    ASSERT_EQ(unsure.size(), 3u);
    EXPECT_EQ(unsure[1].status, EStatus::UnknownRouter);
    EXPECT_EQ(unsure[1].to.systemId, "0000.0000.0003");
}

TEST(Topology, ResolvingAgainGivesTheSameLinks) {
    CScoutTopology topology;
    Add(topology, {"r1",
                   "r1",
                   "0000.0000.0001.00",
                   "49.0001",
                   {{5, "Serial1/0", {}}},
                   {{5, "r2", "L2", "49.0001", "10.0.12.2"}}});
    Add(topology, {"r2",
                   "r2",
                   "0000.0000.0002.00",
                   "49.0001",
                   {{5, "Serial1/0", {}}},
                   {{5, "r1", "L2", "49.0001", "10.0.12.1"}}});
    topology.STResolve();
    topology.STResolve();
    ASSERT_EQ(topology.STLinks().size(), 1u);
    EXPECT_EQ(topology.STLinks()[0].status, EStatus::Confirmed);
}

} // namespace
