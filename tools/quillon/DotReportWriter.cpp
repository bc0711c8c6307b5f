#include "DotReportWriter.h"

#include <algorithm>
#include <map>
#include <vector>

#include "Topology.h"
#include "TopologyText.h"
#include "Utf8Text.h"

namespace {

using Link = Topology::Link;
using LinkEnd = Topology::LinkEnd;
using EStatus = Topology::EStatus;

struct Node {
    std::string id;
    std::string label;
    std::string area;
    std::string attributes;
};

// One router interface on a LAN, drawn as an edge to the LAN's pseudo-node.
struct Member {
    std::string node;
    std::string interface;
    std::vector<std::string> levels;                  // "L1", "L2", in order met
    std::vector<std::pair<std::string, int>> metrics; // by short level
    std::string style;
};

std::vector<std::string> ShortLevelsOf(const std::string& type) {
    if (type == "L1")
        return {"L1"};
    if (type == "L2")
        return {"L2"};
    if (type == "L1L2")
        return {"L1", "L2"};
    return {};
}

void AddOnce(std::vector<std::string>& values, const std::string& value) {
    for (const std::string& known : values) {
        if (known == value)
            return;
    }
    values.push_back(value);
}

// "L1 10, L2 20": each level, in order, with its metric when known.
std::string LevelsText(const std::vector<std::string>& levels,
                       const std::vector<std::pair<std::string, int>>& metrics) {
    std::vector<std::string> shown = levels;
    for (const auto& metric : metrics)
        AddOnce(shown, metric.first);
    std::sort(shown.begin(), shown.end());
    std::string text;
    for (const std::string& level : shown) {
        text += text.empty() ? "" : ", ";
        text += level;
        for (const auto& [metricLevel, metric] : metrics) {
            if (metricLevel == level) {
                text += " " + std::to_string(metric);
                break;
            }
        }
    }
    return text;
}

std::vector<std::pair<std::string, int>> ShortMetrics(const LinkEnd& end) {
    std::vector<std::pair<std::string, int>> metrics;
    for (const auto& [level, metric] : end.metrics)
        metrics.emplace_back(TopologyText::ShortLevel(level), metric);
    return metrics;
}

// The interface an end is on; "?" when that side did not report the link.
std::string InterfaceText(const LinkEnd& end) {
    if (end.hasIfDescr)
        return TopologyText::ShortInterfaceName(end.ifDescr);
    if (end.hasIfIndex)
        return "ifIndex " + std::to_string(end.ifIndex);
    return "?";
}

// What an end of a point-to-point link shows: its interface, and below it
// its metrics when known.
std::string EndText(const LinkEnd& end) {
    const std::string metrics = LevelsText({}, ShortMetrics(end));
    return InterfaceText(end) + (metrics.empty() ? "" : "\n" + metrics);
}

// The edge style of an end: the router reported the adjacency itself, only
// its neighbour did, or it is not in the run.
std::string StyleOf(const LinkEnd& end) {
    if (end.router < 0)
        return "dotted";
    return end.hasIfIndex ? "solid" : "dashed";
}

std::string StyleOf(EStatus status) {
    switch (status) {
    case EStatus::Confirmed:
        return "solid";
    case EStatus::OneSided:
        return "dashed";
    case EStatus::UnknownRouter:
    case EStatus::Ambiguous:
        break;
    }
    return "dotted";
}

// Pseudo-node ids that share a link belong to one LAN.
class LanGroups {
public:
    int Add(const std::string& id) {
        const auto found = m_Index.emplace(id, static_cast<int>(m_Parent.size()));
        if (found.second)
            m_Parent.push_back(found.first->second);
        return found.first->second;
    }
    int Root(int group) {
        while (m_Parent[static_cast<std::size_t>(group)] != group)
            group = m_Parent[static_cast<std::size_t>(group)] =
                m_Parent[static_cast<std::size_t>(m_Parent[static_cast<std::size_t>(group)])];
        return group;
    }
    void Join(int a, int b) {
        a = Root(a);
        b = Root(b);
        if (a != b)
            m_Parent[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
    }

private:
    std::map<std::string, int> m_Index;
    std::vector<int> m_Parent;
};

} // namespace

std::string DotReportWriter::Quoted(std::string_view text) {
    const std::string repaired = Utf8Text::Repaired(text);
    std::string quoted = "\"";
    for (const char c : repaired) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            quoted += ' ';
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

void DotReportWriter::Begin(const std::string& name, const std::string& /*description*/,
                            const std::string& version) {
    m_Title = "IS-IS network discovered by " + name + " " + version;
}

void DotReportWriter::AddEntity(const CScoutEntity& /*entity*/, bool /*accepted*/,
                                const TransportReport* /*transport*/) {}

void DotReportWriter::AddLinks(const Topology& topology) {
    const std::vector<Topology::Router>& routers = topology.STRouters();
    const std::vector<Link>& links = topology.STLinks();

    std::vector<Node> nodes;
    for (std::size_t i = 0; i < routers.size(); ++i) {
        const Topology::Router& router = routers[i];
        Node node;
        node.id = "router" + std::to_string(i);
        node.label = router.hostName.empty() ? router.identifier : router.hostName;
        if (!router.hostName.empty() && router.hostName != router.identifier)
            node.label += "\n(" + router.identifier + ")";
        if (!router.systemId.empty())
            node.label += "\n" + router.systemId;
        if (!router.areaId.empty())
            node.label += "\narea " + router.areaId;
        node.area = router.areaId;
        node.attributes = "shape=box, style=\"rounded,filled\", fillcolor=\"#dae8fc\"";
        nodes.push_back(node);
    }

    // Neighbours no router of the run answers for: one node per name.
    std::map<std::string, std::string> others;
    const auto nodeOf = [&](const Link& link, const LinkEnd& end) -> std::string {
        if (end.router >= 0)
            return "router" + std::to_string(end.router);
        std::string key = std::string(Topology::STStatusName(link.status)) + "\n" + end.hostName +
                          "\n" + end.systemId;
        for (int candidate : link.candidates)
            key += "\n" + std::to_string(candidate);
        const auto found = others.find(key);
        if (found != others.end())
            return found->second;
        Node node;
        node.id = "other" + std::to_string(others.size());
        node.label = TopologyText::RouterName(topology, end);
        if (link.status == EStatus::Ambiguous)
            node.label += "\nambiguous:\n" + TopologyText::Candidates(topology, link);
        else
            node.label += "\nnot in this run";
        if (!end.area.empty())
            node.label += "\narea " + end.area;
        node.area = end.area;
        node.attributes = "shape=box, style=\"rounded,dashed\"";
        nodes.push_back(node);
        others.emplace(key, node.id);
        return node.id;
    };
    const auto areaOf = [&](const LinkEnd& end) {
        return end.router >= 0 ? routers[static_cast<std::size_t>(end.router)].areaId : end.area;
    };

    // LANs: the links that carry a pseudo-node, grouped by LAN.
    LanGroups groups;
    std::vector<int> lanOfLink(links.size(), -1);
    for (std::size_t i = 0; i < links.size(); ++i) {
        for (const Topology::PseudoNode& pseudoNode : links[i].pseudoNodes) {
            const int group = groups.Add(pseudoNode.id);
            if (lanOfLink[i] < 0)
                lanOfLink[i] = group;
            else
                groups.Join(lanOfLink[i], group);
        }
    }

    struct Lan {
        std::vector<std::string> ids;
        std::vector<std::string> designated;
        std::vector<Member> members;
        std::map<std::string, std::size_t> memberIndex;
        std::vector<std::string> areas;
    };
    std::vector<Lan> lans;
    std::map<int, std::size_t> lanIndex;
    std::vector<std::string> edges;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Link& link = links[i];
        if (lanOfLink[i] < 0) {
            std::string edge = nodeOf(link, link.from) + " -- " + nodeOf(link, link.to) + " [";
            edge += "label=" + Quoted(link.type);
            edge += ", taillabel=" + Quoted(EndText(link.from));
            edge += ", headlabel=" + Quoted(EndText(link.to));
            edge += ", style=" + StyleOf(link.status) + "]";
            edges.push_back(edge);
            continue;
        }
        const int root = groups.Root(lanOfLink[i]);
        const auto placed = lanIndex.emplace(root, lans.size());
        if (placed.second)
            lans.emplace_back();
        Lan& lan = lans[placed.first->second];
        for (const Topology::PseudoNode& pseudoNode : link.pseudoNodes) {
            AddOnce(lan.ids, pseudoNode.id);
            if (pseudoNode.designatedIS >= 0)
                AddOnce(lan.designated,
                        routers[static_cast<std::size_t>(pseudoNode.designatedIS)].identifier);
        }
        for (const LinkEnd* end : {&link.from, &link.to}) {
            const std::string node = nodeOf(link, *end);
            const std::string key =
                node + "\n" + (end->hasIfIndex ? std::to_string(end->ifIndex) : std::string("?"));
            const auto known = lan.memberIndex.emplace(key, lan.members.size());
            if (known.second) {
                Member member;
                member.node = node;
                member.interface = InterfaceText(*end);
                member.style = StyleOf(*end);
                lan.members.push_back(member);
                AddOnce(lan.areas, areaOf(*end));
            }
            Member& member = lan.members[known.first->second];
            for (const std::string& level : ShortLevelsOf(link.type))
                AddOnce(member.levels, level);
            for (const auto& metric : ShortMetrics(*end)) {
                bool have = false;
                for (const auto& existing : member.metrics)
                    have = have || existing.first == metric.first;
                if (!have)
                    member.metrics.push_back(metric);
            }
        }
    }
    for (std::size_t i = 0; i < lans.size(); ++i) {
        const Lan& lan = lans[i];
        Node node;
        node.id = "lan" + std::to_string(i);
        node.label = "LAN";
        for (std::size_t j = 0; j < lan.ids.size(); ++j)
            node.label += (j == 0 ? " " : ", ") + lan.ids[j];
        if (!lan.designated.empty()) {
            node.label += "\nDIS";
            for (std::size_t j = 0; j < lan.designated.size(); ++j)
                node.label += (j == 0 ? " " : ", ") + lan.designated[j];
        }
        if (lan.areas.size() == 1)
            node.area = lan.areas.front();
        node.attributes = "shape=ellipse, style=filled, fillcolor=\"#fff2cc\", fontsize=9, "
                          "margin=\"0.04,0.02\"";
        nodes.push_back(node);
        for (const Member& member : lan.members) {
            edges.push_back(
                member.node + " -- " + node.id + " [label=" +
                Quoted(member.interface + "\n" + LevelsText(member.levels, member.metrics)) +
                ", style=" + member.style + "]");
        }
    }

    // Areas in the order their first node comes.
    std::vector<std::string> areas;
    for (const Node& node : nodes) {
        if (!node.area.empty())
            AddOnce(areas, node.area);
    }
    std::string graph;
    const auto writeNode = [&](const Node& node, const std::string& indent) {
        graph +=
            indent + node.id + " [label=" + Quoted(node.label) + ", " + node.attributes + "];\n";
    };
    for (std::size_t i = 0; i < areas.size(); ++i) {
        graph += "  subgraph cluster_area" + std::to_string(i) + " {\n";
        graph += "    label=" + Quoted("area " + areas[i]) + ";\n";
        graph +=
            "    labelloc=b; labeljust=l; margin=16; style=\"rounded,filled\"; color=\"#999999\"; "
            "fillcolor=\"#f5f5f5\";\n";
        for (const Node& node : nodes) {
            if (node.area == areas[i])
                writeNode(node, "    ");
        }
        graph += "  }\n";
    }
    for (const Node& node : nodes) {
        if (node.area.empty())
            writeNode(node, "  ");
    }
    for (const std::string& edge : edges)
        graph += "  " + edge + ";\n";
    m_Graph = graph;
}

void DotReportWriter::End() {
    m_Text = "graph isis {\n";
    m_Text += "  graph [label=" +
              Quoted(m_Title + "\nsolid: reported by both routers; dashed: by one only; dotted: "
                               "to a neighbour not in this run") +
              ", labelloc=b, fontname=\"Helvetica\", fontsize=10, nodesep=0.5, ranksep=1.1];\n";
    m_Text += "  node [fontname=\"Helvetica\", fontsize=10];\n";
    // Interface names and metrics sit beside the ends of an edge, the level
    // in its middle.
    m_Text += "  edge [fontname=\"Helvetica\", fontsize=8, labelfontsize=8, labeldistance=1.8, "
              "labelangle=35, labelfontcolor=\"#1f4e79\"];\n";
    m_Text += m_Graph;
    m_Text += "}\n";
}
