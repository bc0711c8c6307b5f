// The host's relationship handling. Every entity that an agent handed to it
// (its journal holds the relationship key "m_IfIndex") is kept once the
// agent is done with it: its service data, its local neighbours (interfaces)
// and its remote neighbours (adjacencies), each remote neighbour tied to the
// local neighbour whose "m_IfIndex" equals its key.
//
// Once every entity of a run is in, STResolve relates them:
// - each remote neighbour is resolved to the router it names. A router
//   answers to its IS-IS host name (from its service data, or else the one
//   its prompt showed), its system id (compared without a selector such as
//   ".00") and its identifier, trusted in that order: the name is looked up
//   among the host names first, then among the system ids, then among the
//   identifiers, and the first of these that any other router answers to
//   decides. Names are compared without regard to case. Failing those, the
//   IP address decides: routers' records hold no addresses of their own, so
//   an address identifies a router only where another router's remote
//   neighbour, resolved by name, gave that router at that address.
//   A router never resolves to itself. When a name fits several routers,
//   the one that reported an adjacency back to the reporting router is
//   taken if there is exactly one; otherwise the neighbour stays ambiguous,
//   its candidates named;
// - where the router it names reported the adjacency too, the two reports
//   are paired, which gives the far interface. Among several reports between
//   the same two routers, the pairs that share a LAN id, then whose addresses
//   share the longest prefix, then whose adjacency types agree, are taken
//   first;
// - every adjacency becomes one link, reported from one side or both.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

class CScoutEntity;

class Topology {
public:
    // One level of an interface, from its protocol end point.
    struct Level {
        std::string levelType; // "Level-1" or "Level-2"
        int metric = 0;
        std::string circuitId;
    };
    // A local neighbour: one IS-IS interface of a router.
    struct Interface {
        int ifIndex = -1;
        std::string ifDescr;
        std::vector<Level> levels;
    };
    // A remote neighbour: one adjacency as the router reported it.
    struct Adjacency {
        bool hasIfIndex = false; // the key was an integer "m_IfIndex"
        int ifIndex = -1;        // -1 when the agent could not resolve the interface
        std::string neighbour;   // host name or system id, as the router printed it
        std::string type;        // L1, L2 or L1L2
        std::string area;        // the neighbour's area
        std::string address;     // the neighbour's IP address
    };
    struct Router {
        std::string identifier; // the entity's identifier
        std::string hostName;   // from the service data, else the prompt; empty when not known
        std::string systemId;   // without selector; empty when not known
        std::string areaId;
        bool designatedIS = false;
        std::string pseudoNodeLSP;
        std::vector<Interface> interfaces;
        std::vector<Adjacency> adjacencies;
    };

    // One side of a link.
    struct LinkEnd {
        int router = -1;         // position in STRouters(); -1 when no router of the run answers
        std::string hostName;    // empty when not known
        std::string systemId;    // empty when not known
        std::string area;        // empty when not known
        std::string address;     // as the other side reported it; empty when not known
        bool hasIfIndex = false; // false: this side did not report the adjacency
        int ifIndex = -1;
        bool hasIfDescr = false;
        std::string ifDescr;
        // Level type to metric, for the link's levels, from the interface's
        // end point.
        std::vector<std::pair<std::string, int>> metrics;
    };
    // The pseudo-node of a LAN with a designated IS, on the levels where the
    // link's interfaces carry its LAN id as circuit id.
    struct PseudoNode {
        std::string id; // the LAN id, such as r1.01
        std::vector<std::string> levels;
        int designatedIS = -1; // position in STRouters(), -1 when not in the run
    };
    enum class EStatus {
        Confirmed,     // both routers reported the adjacency
        OneSided,      // the far router is in the run but did not report it
        UnknownRouter, // no router of the run answers for the neighbour
        Ambiguous,     // several routers of the run answer for the neighbour
    };
    struct Link {
        LinkEnd from; // the router whose report comes first in the run
        LinkEnd to;
        std::string type; // as the first router reported it
        std::vector<PseudoNode> pseudoNodes;
        EStatus status = EStatus::UnknownRouter;
        std::vector<int> candidates; // for an ambiguous link, the routers it may be
    };

    Topology();
    ~Topology();

    // Keeps what the relationship handling needs of an entity the agent is
    // done with. An entity never handed over with "m_IfIndex" is left out.
    // promptHostName is the host name the router's prompt showed (a live
    // router's); it stands in when the service data holds none.
    void STAddEntity(const CScoutEntity& entity, const std::string& promptHostName = "");
    // Relates the routers added so far and builds the links, replacing any
    // built before.
    void STResolve();

    const std::vector<Router>& STRouters() const { return m_Routers; }
    const std::vector<Link>& STLinks() const { return m_Links; }

    // "1921.6800.1001.00" and "1921.6800.1001" give "1921.6800.1001"; text
    // that is not a system id gives "".
    static std::string STSystemIdOf(const std::string& text);
    // The LAN id of a circuit id ("r1.01"), or "" when it names no
    // pseudo-node (a point-to-point circuit "r4.00", or no id at all).
    static std::string STLanIdOf(const std::string& circuitId);
    static const char* STStatusName(EStatus status);

private:
    struct Report;

    // Routers the name may stand for, `except` left out.
    std::vector<int> Candidates(const std::string& name, int except) const;
    void ResolveNeighbours(std::vector<Report>& reports) const;
    void PairReports(std::vector<Report>& reports) const;
    // One side of a link: `own` is this side's report of the adjacency, `seen`
    // the other side's report naming this side; either may be null.
    LinkEnd EndOf(int router, const Adjacency* own, const Adjacency* seen,
                  const std::string& type) const;
    void AddPseudoNodes(Link& link, const Interface* from, const Interface* to) const;
    int DesignatedIS(const std::string& lanId) const;
    const Interface* FindInterface(int router, const Adjacency& adjacency) const;

    std::vector<Router> m_Routers;
    std::vector<Link> m_Links;
    // Routers by lower-case host name, system id and identifier.
    std::map<std::string, std::vector<int>> m_ByHostName;
    std::map<std::string, std::vector<int>> m_BySystemId;
    std::map<std::string, std::vector<int>> m_ByIdentifier;
};
