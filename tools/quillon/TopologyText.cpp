#include "TopologyText.h"

#include <cstddef>

std::string TopologyText::RouterName(const Topology& topology, const Topology::LinkEnd& end) {
    if (end.router >= 0 && end.router < static_cast<int>(topology.STRouters().size()))
        return topology.STRouters()[static_cast<std::size_t>(end.router)].identifier;
    if (!end.hostName.empty())
        return end.hostName;
    if (!end.systemId.empty())
        return end.systemId;
    return "?";
}

std::string TopologyText::InterfaceName(const Topology::LinkEnd& end) {
    if (end.hasIfDescr)
        return end.ifDescr;
    if (!end.hasIfIndex)
        return "";
    if (end.ifIndex == -1)
        return "unresolved interface";
    return "ifIndex " + std::to_string(end.ifIndex);
}

std::string TopologyText::ShortInterfaceName(const std::string& ifDescr) {
    std::size_t letters = 0;
    while (letters < ifDescr.size() &&
           ((ifDescr[letters] >= 'a' && ifDescr[letters] <= 'z') ||
            (ifDescr[letters] >= 'A' && ifDescr[letters] <= 'Z') || ifDescr[letters] == '-'))
        ++letters;
    if (letters <= 2 || letters == ifDescr.size())
        return ifDescr;
    return ifDescr.substr(0, 2) + ifDescr.substr(letters);
}

std::string TopologyText::ShortLevel(const std::string& levelType) {
    if (levelType == "Level-1")
        return "L1";
    if (levelType == "Level-2")
        return "L2";
    return levelType;
}

std::string TopologyText::Candidates(const Topology& topology, const Topology::Link& link) {
    std::string text;
    for (std::size_t i = 0; i < link.candidates.size(); ++i) {
        Topology::LinkEnd end;
        end.router = link.candidates[i];
        if (i > 0)
            text += i + 1 == link.candidates.size() ? " or " : ", ";
        text += RouterName(topology, end);
    }
    return text;
}
