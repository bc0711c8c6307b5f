// Names and short texts for the parts of a resolved topology, as the text
// report and the drawing show them.
#pragma once

#include <string>

#include "Topology.h"

class TopologyText {
public:
    // The router's identifier in the run; for a router not in the run, the
    // host name or system id its neighbour gave.
    static std::string RouterName(const Topology& topology, const Topology::LinkEnd& end);
    // The interface of an end: its ifDescr; "ifIndex N" when that is all
    // that is known; "unresolved interface" for ifIndex -1; "" when this side
    // did not report the adjacency.
    static std::string InterfaceName(const Topology::LinkEnd& end);
    // The form neighbour tables print: "Et0/0" for "Ethernet0/0", the first
    // two letters of the type word and the numbering after it.
    static std::string ShortInterfaceName(const std::string& ifDescr);
    // "L1" for "Level-1", "L2" for "Level-2"; other text unchanged.
    static std::string ShortLevel(const std::string& levelType);
    // The routers of an ambiguous link: "r7 or r8", "r7, r8 or r9".
    static std::string Candidates(const Topology& topology, const Topology::Link& link);
};
