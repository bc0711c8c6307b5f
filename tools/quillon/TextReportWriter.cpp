#include "TextReportWriter.h"

#include <cstdio>
#include <vector>

#include "CScoutEntity.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "RecordFields.h"
#include "Topology.h"
#include "TopologyText.h"
#include "TransportReport.h"
#include "Utf8Text.h"

namespace {

const CZanVarBind* Find(const CZanVBList* list, const char* name) {
    return list == nullptr ? nullptr : list->ZVBLFind(name);
}

// The list a var bind holds through a list atom, or null.
const CZanVBList* ListOf(const CZanVarBind* varBind) {
    if (varBind == nullptr || varBind->ZVBKind() != CZanVarBind::VB_ATOM)
        return nullptr;
    const CZanAtom* atom = varBind->ZVBAtom();
    return atom == nullptr ? nullptr : atom->ZAList();
}

bool HasValue(const CZanVarBind* varBind) {
    return varBind != nullptr && varBind->ZVBKind() != CZanVarBind::VB_ATOM;
}

// A string or integer var bind as text; empty when there is none.
std::string TextOf(const CZanVarBind* varBind) {
    if (varBind == nullptr)
        return "";
    switch (varBind->ZVBKind()) {
    case CZanVarBind::VB_INTEGER:
        return std::to_string(varBind->ZVBInteger());
    case CZanVarBind::VB_STRING:
        return TextReportWriter::Printable(varBind->ZVBString());
    case CZanVarBind::VB_ATOM:
        break;
    }
    const CZanAtom* atom = varBind->ZVBAtom();
    if (atom != nullptr && atom->ZAType() == ZAN_STRING)
        return TextReportWriter::Printable(atom->ZAText());
    if (atom != nullptr && atom->ZAType() == ZAN_INTEGER)
        return std::to_string(atom->ZAInteger());
    return "";
}

// The text of a var bind, or "-" when it is missing or empty.
std::string Shown(const CZanVarBind* varBind) {
    const std::string text = TextOf(varBind);
    return text.empty() ? "-" : text;
}

bool IsSet(const CZanVarBind* varBind) {
    return varBind != nullptr && varBind->ZVBKind() == CZanVarBind::VB_INTEGER &&
           varBind->ZVBInteger() != 0;
}

std::string Plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string TextReportWriter::Printable(std::string_view bytes) {
    const std::string repaired = Utf8Text::Repaired(bytes);
    std::string shown;
    shown.reserve(repaired.size());
    for (const char c : repaired) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

void TextReportWriter::Line(int indent, const std::string& text) {
    LineTo(m_Text, indent, text);
}

void TextReportWriter::LineTo(std::string& out, int indent, const std::string& text) {
    out.append(static_cast<std::size_t>(indent) * 2, ' ');
    out += text;
    out += '\n';
}

void TextReportWriter::Begin(const std::string& name, const std::string& description,
                             const std::string& version) {
    Line(0, Printable(name) + " " + Printable(version) + ": " + Printable(description));
}

void TextReportWriter::End() {
    m_Text += '\n';
    Line(0, Plural(static_cast<std::size_t>(m_Routers), "router", "routers") + ": " +
                std::to_string(m_Accepted) + " accepted, " +
                std::to_string(m_Routers - m_Accepted) + " dropped");
    m_Text += m_Links;
}

void TextReportWriter::AddLinks(const Topology& topology) {
    m_Links = "\n";
    const std::vector<Topology::Link>& links = topology.STLinks();
    if (links.empty())
        LineTo(m_Links, 0, "Links: none");
    else
        LineTo(m_Links, 0, "Links (" + std::to_string(links.size()) + "):");
    for (const Topology::Link& link : links) {
        const auto side = [&](const Topology::LinkEnd& end) {
            std::string text = Printable(TopologyText::RouterName(topology, end));
            const std::string interface = TopologyText::InterfaceName(end);
            if (!interface.empty())
                text += " " + Printable(interface);
            if (end.hasIfIndex && end.hasIfDescr)
                text += " (ifIndex " + std::to_string(end.ifIndex) + ")";
            else if (end.hasIfIndex && end.ifIndex == -1)
                text += " (ifIndex -1)";
            return text;
        };
        std::string status;
        switch (link.status) {
        case Topology::EStatus::Confirmed:
            status = "reported by both";
            break;
        case Topology::EStatus::OneSided:
            status =
                "reported by " + Printable(TopologyText::RouterName(topology, link.from)) + " only";
            break;
        case Topology::EStatus::UnknownRouter:
            status = "neighbour not in this run";
            break;
        case Topology::EStatus::Ambiguous:
            status = "ambiguous: " + Printable(TopologyText::Candidates(topology, link));
            break;
        }
        LineTo(m_Links, 1,
               side(link.from) + " -- " + side(link.to) + ": " +
                   (link.type.empty() ? std::string("-") : Printable(link.type)) + ", " + status);
        for (const Topology::LinkEnd* end : {&link.from, &link.to}) {
            std::vector<std::string> facts;
            if (!end->address.empty())
                facts.push_back("address " + Printable(end->address));
            if (!end->area.empty())
                facts.push_back("area " + Printable(end->area));
            if (end->router < 0 && !end->systemId.empty())
                facts.push_back("system id " + Printable(end->systemId));
            for (const auto& [level, metric] : end->metrics)
                facts.push_back(Printable(level) + " metric " + std::to_string(metric));
            if (facts.empty())
                continue;
            std::string line = Printable(TopologyText::RouterName(topology, *end)) + ":";
            for (std::size_t i = 0; i < facts.size(); ++i)
                line += (i == 0 ? " " : ", ") + facts[i];
            LineTo(m_Links, 2, line);
        }
        for (const Topology::PseudoNode& node : link.pseudoNodes) {
            std::string line = "LAN " + Printable(node.id) + " on ";
            for (std::size_t i = 0; i < node.levels.size(); ++i)
                line += (i == 0 ? "" : " and ") + Printable(node.levels[i]);
            Topology::LinkEnd dis;
            dis.router = node.designatedIS;
            line += node.designatedIS >= 0
                        ? ", designated IS " + Printable(TopologyText::RouterName(topology, dis))
                        : ", designated IS not in this run";
            LineTo(m_Links, 2, line);
        }
    }
}

void TextReportWriter::AddEntity(const CScoutEntity& entity, bool accepted,
                                 const TransportReport* transport) {
    ++m_Routers;
    if (accepted)
        ++m_Accepted;
    m_Text += '\n';
    Line(0, "Router " + Printable(entity.SERecord().ZRIdentifier()) + ": " +
                (accepted ? "accepted" : "dropped (no IS-IS interface found)"));
    if (accepted) {
        AddInterfaces(entity);
        AddAdjacencies(entity);
        AddService(entity);
    }
    AddErrors(entity);
    Line(1, "Commands run: " + std::to_string(entity.SEJournal().SEJCommands().size()));
    if (transport != nullptr) {
        Line(1, "Reached by: " + (transport->commands.empty() ? "-" : transport->commands) + "; " +
                    (transport->snmp.empty() ? "-" : transport->snmp));
        for (const std::string& failure : transport->failures)
            Line(2, "failed: " + Printable(failure));
    }
}

void TextReportWriter::AddInterfaces(const CScoutEntity& entity) {
    const CScoutProcessedData& processed = entity.SEProcessedData();
    const int count = processed.SPDLocalNbrCount();
    if (count == 0) {
        Line(1, "IS-IS interfaces: none recorded");
        return;
    }
    Line(1, "IS-IS interfaces (" + std::to_string(count) + "):");
    for (int i = 0; i < count; ++i) {
        const CZanVBList* neighbour = processed.SPDLocalNbr(i);
        Line(2, Shown(Find(neighbour, RecordFields::kIfDescr)) + ", ifIndex " +
                    Shown(Find(neighbour, RecordFields::kIfIndex)));
        bool hasEndPoint = false;
        for (int j = 0; neighbour != nullptr && j < neighbour->ZVBLSize(); ++j) {
            const CZanVarBind* varBind = neighbour->ZVBLGet(j);
            if (varBind == nullptr || varBind->ZVBName() != RecordFields::kIsisTopo)
                continue;
            const CZanVBList* endPoint =
                ListOf(Find(ListOf(varBind), RecordFields::kProtocolEndPoint));
            if (endPoint != nullptr) {
                hasEndPoint = true;
                AddEndPoint(*endPoint);
            }
        }
        if (!hasEndPoint)
            Line(3, "no IS-IS data collected");
    }
}

void TextReportWriter::AddEndPoint(const CZanVBList& endPoint) {
    std::string state =
        IsSet(Find(&endPoint, RecordFields::kIsisEnabled)) ? "IS-IS enabled" : "IS-IS not enabled";
    const CZanVarBind* circuitType = Find(&endPoint, RecordFields::kCircuitType);
    state += ", circuit type " + Shown(circuitType);
    Line(3, state);

    const CZanVarBind* levels = Find(&endPoint, RecordFields::kLevelData);
    const CZanAtomVector* vector = nullptr;
    if (levels != nullptr && levels->ZVBKind() == CZanVarBind::VB_ATOM &&
        levels->ZVBAtom() != nullptr)
        vector = levels->ZVBAtom()->ZAVector();
    for (int i = 0; vector != nullptr && i < vector->ZAVSize(); ++i) {
        const CZanAtom* level = vector->ZAVGetValue(i);
        const CZanVBList* data = level == nullptr ? nullptr : level->ZAList();
        Line(3, Shown(Find(data, RecordFields::kLevelType)) + ": metric " +
                    Shown(Find(data, RecordFields::kMetric)) + ", priority " +
                    Shown(Find(data, RecordFields::kPriority)) + ", circuit id " +
                    Shown(Find(data, RecordFields::kCircuitId)));
    }

    std::vector<std::string> intervals;
    const CZanVarBind* l1 = Find(&endPoint, "m_L1CSNPTransmitInterval");
    const CZanVarBind* l2 = Find(&endPoint, "m_L2CSNPTransmitInterval");
    const CZanVarBind* lsp = Find(&endPoint, RecordFields::kLspTransmitInterval);
    if (HasValue(l1))
        intervals.push_back("CSNP interval " + TextOf(l1) + " s (level-1)");
    if (HasValue(l2))
        intervals.push_back("CSNP interval " + TextOf(l2) + " s (level-2)");
    if (HasValue(lsp))
        intervals.push_back("LSP interval " + TextOf(lsp) + " ms");
    if (!intervals.empty()) {
        std::string line;
        for (const std::string& interval : intervals)
            line += (line.empty() ? "" : ", ") + interval;
        Line(3, line);
    }

    const CZanVarBind* snpa = Find(&endPoint, RecordFields::kSnpa);
    if (snpa != nullptr)
        Line(3, "neighbour SNPA " + Shown(snpa));
}

void TextReportWriter::AddAdjacencies(const CScoutEntity& entity) {
    const CScoutProcessedData& processed = entity.SEProcessedData();
    const int count = processed.SPDRemoteNbrCount();
    if (count == 0) {
        Line(1, "Adjacencies: none recorded");
        return;
    }
    Line(1, "Adjacencies (" + std::to_string(count) + "):");
    for (int i = 0; i < count; ++i) {
        const CZanVBList* record = processed.SPDRemoteNbr(i);
        const CZanVBList* topology = ListOf(Find(record, RecordFields::kIsisTopo));
        const CZanVarBind* key = processed.SPDRemoteNbrKey(i);

        // The interface is the local neighbour that carries the same ifIndex.
        std::string where;
        if (key != nullptr && key->ZVBKind() == CZanVarBind::VB_INTEGER) {
            const int ifIndex = key->ZVBInteger();
            for (int j = 0; j < processed.SPDLocalNbrCount() && where.empty(); ++j) {
                const CZanVBList* local = processed.SPDLocalNbr(j);
                const CZanVarBind* index = Find(local, RecordFields::kIfIndex);
                if (index != nullptr && index->ZVBKind() == CZanVarBind::VB_INTEGER &&
                    index->ZVBInteger() == ifIndex)
                    where = Shown(Find(local, RecordFields::kIfDescr)) + " (ifIndex " +
                            std::to_string(ifIndex) + ")";
            }
            if (where.empty())
                where = ifIndex == -1 ? std::string("an interface not found in ifDescr")
                                      : "ifIndex " + std::to_string(ifIndex);
        } else {
            where = "an unknown interface";
        }
        Line(2, Shown(Find(topology, RecordFields::kNeighbourSystemId)) + " via " + where +
                    ": type " + Shown(Find(topology, RecordFields::kType)) + ", area " +
                    Shown(Find(topology, RecordFields::kNeighbourAreaId)) + ", address " +
                    Shown(Find(record, RecordFields::kRemoteNbrIpAddr)));
    }
}

void TextReportWriter::AddService(const CScoutEntity& entity) {
    const CZanVarBind* extra = entity.SERecord().ZRGetObjectVal(RecordFields::kExtraInfo);
    const CZanVBList* topology = ListOf(extra);
    const CZanVBList* service = ListOf(Find(topology, RecordFields::kService));
    const CZanVBList* pseudoNode = ListOf(Find(topology, RecordFields::kPseudoNodeLsp));
    if (service == nullptr && pseudoNode == nullptr) {
        Line(1, "IS-IS service: none recorded");
        return;
    }
    Line(1, "IS-IS service:");
    if (service != nullptr) {
        Line(2, "system id " + Shown(Find(service, RecordFields::kServiceSystemId)) + ", area " +
                    Shown(Find(service, RecordFields::kServiceAreaId)) + ", NET " +
                    Shown(Find(service, RecordFields::kNetAddress)));
        Line(2, "host name " + Shown(Find(service, RecordFields::kHostName)) + ", tag " +
                    Shown(Find(service, RecordFields::kTag)));
        Line(2, std::string("designated IS: ") +
                    (IsSet(Find(service, RecordFields::kPseudoNodeDis)) ? "yes" : "no") +
                    ", overload bit: " +
                    (IsSet(Find(service, RecordFields::kOverloadBit)) ? "set" : "clear"));
    }
    if (pseudoNode != nullptr) {
        const std::string lsp = TextOf(Find(pseudoNode, RecordFields::kGeneratedPseudoNodeLsp));
        if (lsp.empty())
            Line(2, "pseudo-node LSP: none");
        else
            Line(2, "pseudo-node LSP: " + lsp + " (" +
                        Shown(Find(pseudoNode, RecordFields::kLevelType)) + ")");
    }
}

void TextReportWriter::AddErrors(const CScoutEntity& entity) {
    const std::vector<CScoutEntityJournal::Error>& errors = entity.SEJournal().SEJErrors();
    if (errors.empty())
        return;
    Line(1, "Errors (" + std::to_string(errors.size()) + "):");
    for (const CScoutEntityJournal::Error& error : errors) {
        std::string line = "error " + std::to_string(error.code) + " at " + Printable(error.file) +
                           ":" + std::to_string(error.line);
        if (error.hasMessage) {
            std::string_view message = error.message;
            while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
                message.remove_suffix(1);
            line += ": " + Printable(message);
        }
        Line(2, line);
    }
}
