#include "Topology.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <tuple>

#include "CScoutEntity.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "RecordFields.h"

namespace {

const char* const kRelationshipKey = RecordFields::kIfIndex;

const CZanVBList* ListOf(const CZanVarBind* varBind) {
    if (varBind == nullptr || varBind->ZVBKind() != CZanVarBind::VB_ATOM ||
        varBind->ZVBAtom() == nullptr)
        return nullptr;
    return varBind->ZVBAtom()->ZAList();
}

const CZanVBList* ListIn(const CZanVBList* list, const char* name) {
    return list == nullptr ? nullptr : ListOf(list->ZVBLFind(name));
}

std::string TextIn(const CZanVBList* list, const char* name) {
    const CZanVarBind* varBind = list == nullptr ? nullptr : list->ZVBLFind(name);
    if (varBind == nullptr)
        return "";
    if (varBind->ZVBKind() == CZanVarBind::VB_STRING)
        return varBind->ZVBString();
    const CZanAtom* atom =
        varBind->ZVBKind() == CZanVarBind::VB_ATOM ? varBind->ZVBAtom() : nullptr;
    return atom != nullptr && atom->ZAType() == ZAN_STRING ? atom->ZAText() : "";
}

bool IntegerOf(const CZanVarBind* varBind, int& value) {
    if (varBind == nullptr)
        return false;
    if (varBind->ZVBKind() == CZanVarBind::VB_INTEGER) {
        value = varBind->ZVBInteger();
        return true;
    }
    const CZanAtom* atom =
        varBind->ZVBKind() == CZanVarBind::VB_ATOM ? varBind->ZVBAtom() : nullptr;
    if (atom == nullptr || atom->ZAType() != ZAN_INTEGER)
        return false;
    value = atom->ZAInteger();
    return true;
}

bool IntegerIn(const CZanVBList* list, const char* name, int& value) {
    return list != nullptr && IntegerOf(list->ZVBLFind(name), value);
}

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

template <typename T> bool Contains(const std::vector<T>& values, const T& value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

// The levels an adjacency type runs on; empty for a type that names none,
// which counts every level.
std::vector<std::string> LevelsOf(const std::string& type) {
    if (type == "L1")
        return {"Level-1"};
    if (type == "L2")
        return {"Level-2"};
    if (type == "L1L2")
        return {"Level-1", "Level-2"};
    return {};
}

bool Counts(const std::vector<std::string>& levels, const std::string& levelType) {
    return levels.empty() || Contains(levels, levelType);
}

bool ParseIPv4(const std::string& text, std::uint32_t& address) {
    address = 0;
    int parts = 0;
    std::size_t i = 0;
    while (parts < 4) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        unsigned value = 0;
        std::size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
            ++i;
            ++digits;
        }
        if (value > 255)
            return false;
        address = (address << 8) | value;
        ++parts;
        if (parts < 4) {
            if (i >= text.size() || text[i] != '.')
                return false;
            ++i;
        }
    }
    return i == text.size();
}

// How many leading bits two IPv4 addresses share; 0 when either is not one.
int CommonPrefix(const std::string& a, const std::string& b) {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    if (!ParseIPv4(a, x) || !ParseIPv4(b, y))
        return 0;
    int bits = 0;
    for (std::uint32_t mask = 0x80000000u; mask != 0 && (x & mask) == (y & mask); mask >>= 1)
        ++bits;
    return bits;
}

std::set<std::string> LanIds(const Topology::Interface* interface) {
    std::set<std::string> ids;
    if (interface != nullptr) {
        for (const Topology::Level& level : interface->levels) {
            const std::string id = Topology::STLanIdOf(level.circuitId);
            if (!id.empty())
                ids.insert(id);
        }
    }
    return ids;
}

// 1 when both interfaces are on a LAN with the same id, -1 when both are on
// LANs but never the same, 0 when that cannot be told.
int LanAgreement(const Topology::Interface* a, const Topology::Interface* b) {
    const std::set<std::string> first = LanIds(a);
    const std::set<std::string> second = LanIds(b);
    if (first.empty() || second.empty())
        return 0;
    for (const std::string& id : first) {
        if (second.count(id) != 0)
            return 1;
    }
    return -1;
}

} // namespace

// One remote neighbour of one router on its way to a link.
struct Topology::Report {
    int router = -1;
    int adjacency = -1;
    std::vector<int> candidates; // routers its name fits
    int target = -1;             // the router it was resolved to
    int partner = -1;            // the far router's report of the same adjacency
    bool done = false;
};

Topology::Topology() = default;

Topology::~Topology() = default;

std::string Topology::STSystemIdOf(const std::string& text) {
    std::string id = text;
    if (id.size() == 17 && id[14] == '.' && IsHex(id[15]) && IsHex(id[16]))
        id.resize(14);
    if (id.size() != 14)
        return "";
    for (std::size_t i = 0; i < id.size(); ++i) {
        const bool ok = (i == 4 || i == 9) ? id[i] == '.' : IsHex(id[i]);
        if (!ok)
            return "";
    }
    return id;
}

std::string Topology::STLanIdOf(const std::string& circuitId) {
    const std::size_t dot = circuitId.rfind('.');
    if (dot == std::string::npos || dot == 0 || circuitId.size() - dot != 3)
        return "";
    const char high = circuitId[dot + 1];
    const char low = circuitId[dot + 2];
    if (!IsHex(high) || !IsHex(low) || (high == '0' && low == '0'))
        return "";
    return circuitId;
}

const char* Topology::STStatusName(EStatus status) {
    switch (status) {
    case EStatus::Confirmed:
        return "confirmed";
    case EStatus::OneSided:
        return "one-sided";
    case EStatus::UnknownRouter:
        return "unknown-router";
    case EStatus::Ambiguous:
        return "ambiguous";
    }
    return "";
}

void Topology::STAddEntity(const CScoutEntity& entity, const std::string& promptHostName) {
    if (!Contains(entity.SEJournal().SEJRelationshipKeys(), std::string(kRelationshipKey)))
        return;

    Router router;
    const CZanRecord& record = entity.SERecord();
    router.identifier = record.ZRIdentifier();

    const CZanVBList* topology = ListOf(record.ZRGetObjectVal(RecordFields::kExtraInfo));
    const CZanVBList* service = ListIn(topology, RecordFields::kService);
    router.hostName = TextIn(service, RecordFields::kHostName);
    if (router.hostName.empty())
        router.hostName = promptHostName;
    router.systemId = STSystemIdOf(TextIn(service, RecordFields::kServiceSystemId));
    router.areaId = TextIn(service, RecordFields::kServiceAreaId);
    int flag = 0;
    router.designatedIS = IntegerIn(service, RecordFields::kPseudoNodeDis, flag) && flag != 0;
    router.pseudoNodeLSP = TextIn(ListIn(topology, RecordFields::kPseudoNodeLsp),
                                  RecordFields::kGeneratedPseudoNodeLsp);

    const CScoutProcessedData& processed = entity.SEProcessedData();
    for (int i = 0; i < processed.SPDLocalNbrCount(); ++i) {
        const CZanVBList* local = processed.SPDLocalNbr(i);
        Interface interface;
        if (!IntegerIn(local, kRelationshipKey, interface.ifIndex))
            continue;
        const bool known =
            std::any_of(router.interfaces.begin(), router.interfaces.end(),
                        [&](const Interface& other) { return other.ifIndex == interface.ifIndex; });
        if (known)
            continue;
        interface.ifDescr = TextIn(local, RecordFields::kIfDescr);
        // Two interfaces on one ifIndex give the record two "m_ISISTOPO".
        for (int j = 0; j < local->ZVBLSize(); ++j) {
            const CZanVarBind* varBind = local->ZVBLGet(j);
            if (varBind == nullptr || varBind->ZVBName() != RecordFields::kIsisTopo)
                continue;
            const CZanVBList* endPoint = ListIn(ListOf(varBind), RecordFields::kProtocolEndPoint);
            const CZanVarBind* levels =
                endPoint == nullptr ? nullptr : endPoint->ZVBLFind(RecordFields::kLevelData);
            const CZanAtom* atom = levels != nullptr && levels->ZVBKind() == CZanVarBind::VB_ATOM
                                       ? levels->ZVBAtom()
                                       : nullptr;
            const CZanAtomVector* vector = atom == nullptr ? nullptr : atom->ZAVector();
            for (int k = 0; vector != nullptr && k < vector->ZAVSize(); ++k) {
                const CZanAtom* element = vector->ZAVGetValue(k);
                const CZanVBList* data = element == nullptr ? nullptr : element->ZAList();
                if (data == nullptr)
                    continue;
                Level level;
                level.levelType = TextIn(data, RecordFields::kLevelType);
                IntegerIn(data, RecordFields::kMetric, level.metric);
                level.circuitId = TextIn(data, RecordFields::kCircuitId);
                interface.levels.push_back(level);
            }
        }
        router.interfaces.push_back(interface);
    }

    for (int i = 0; i < processed.SPDRemoteNbrCount(); ++i) {
        const CZanVBList* remote = processed.SPDRemoteNbr(i);
        const CZanVarBind* key = processed.SPDRemoteNbrKey(i);
        Adjacency adjacency;
        adjacency.hasIfIndex = key != nullptr && key->ZVBName() == kRelationshipKey &&
                               IntegerOf(key, adjacency.ifIndex);
        if (!adjacency.hasIfIndex)
            adjacency.ifIndex = -1;
        adjacency.address = TextIn(remote, RecordFields::kRemoteNbrIpAddr);
        const CZanVBList* isis = ListIn(remote, RecordFields::kIsisTopo);
        adjacency.neighbour = TextIn(isis, RecordFields::kNeighbourSystemId);
        adjacency.type = TextIn(isis, RecordFields::kType);
        adjacency.area = TextIn(isis, RecordFields::kNeighbourAreaId);
        router.adjacencies.push_back(adjacency);
    }
    m_Routers.push_back(std::move(router));
}

std::vector<int> Topology::Candidates(const std::string& name, int except) const {
    std::vector<int> found;
    const auto collect = [&](const std::map<std::string, std::vector<int>>& index,
                             const std::string& key) {
        const auto it = index.find(key);
        if (it == index.end())
            return;
        for (int router : it->second) {
            if (router != except)
                found.push_back(router);
        }
    };
    if (name.empty())
        return found;
    // The most trusted name a router answers to decides.
    collect(m_ByHostName, Lower(name));
    const std::string systemId = STSystemIdOf(name);
    if (found.empty() && !systemId.empty())
        collect(m_BySystemId, Lower(systemId));
    if (found.empty())
        collect(m_ByIdentifier, Lower(name));
    return found;
}

void Topology::ResolveNeighbours(std::vector<Report>& reports) const {
    std::vector<std::size_t> firstReport(m_Routers.size() + 1, reports.size());
    for (std::size_t i = reports.size(); i-- > 0;)
        firstReport[static_cast<std::size_t>(reports[i].router)] = i;
    for (std::size_t r = m_Routers.size(); r-- > 0;)
        firstReport[r] = std::min(firstReport[r], firstReport[r + 1]);

    for (Report& report : reports) {
        const Adjacency& adjacency = m_Routers[report.router].adjacencies[report.adjacency];
        report.candidates = Candidates(adjacency.neighbour, report.router);
        if (report.candidates.size() == 1)
            report.target = report.candidates.front();
    }

    // Whether a router reported an adjacency that is, or may be, `to`.
    const auto reportsTo = [&](int router, int to) {
        for (std::size_t i = firstReport[router]; i < firstReport[router + 1]; ++i) {
            const Report& report = reports[i];
            if (report.target == to || (report.target < 0 && Contains(report.candidates, to)))
                return true;
        }
        return false;
    };

    bool progress = true;
    while (progress) {
        progress = false;
        // An address stands for a router once a neighbour resolved by name
        // was reported at it, and no other router was.
        std::map<std::string, int> learned;
        for (const Report& report : reports) {
            const std::string& address =
                m_Routers[report.router].adjacencies[report.adjacency].address;
            if (report.target < 0 || address.empty())
                continue;
            const auto placed = learned.emplace(address, report.target);
            if (!placed.second && placed.first->second != report.target)
                placed.first->second = -1;
        }
        for (Report& report : reports) {
            if (report.target >= 0)
                continue;
            const Adjacency& adjacency = m_Routers[report.router].adjacencies[report.adjacency];
            int choice = -1;
            const auto at = learned.find(adjacency.address);
            if (at != learned.end() && at->second >= 0 && at->second != report.router &&
                (report.candidates.empty() || Contains(report.candidates, at->second))) {
                choice = at->second;
            } else if (report.candidates.size() > 1) {
                std::vector<int> answering;
                for (int candidate : report.candidates) {
                    if (reportsTo(candidate, report.router))
                        answering.push_back(candidate);
                }
                if (answering.size() == 1)
                    choice = answering.front();
            }
            if (choice >= 0) {
                report.target = choice;
                progress = true;
            }
        }
    }
}

void Topology::PairReports(std::vector<Report>& reports) const {
    std::map<std::pair<int, int>, std::vector<int>> between;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        if (reports[i].target >= 0)
            between[{reports[i].router, reports[i].target}].push_back(static_cast<int>(i));
    }

    struct Pair {
        int lan;
        int prefix;
        int sameType;
        int first;
        int second;
    };
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const Report& report = reports[i];
        if (report.target < 0)
            continue;
        const auto back = between.find({report.target, report.router});
        if (back == between.end())
            continue;
        const Adjacency& mine = m_Routers[report.router].adjacencies[report.adjacency];
        for (int j : back->second) {
            if (j <= static_cast<int>(i))
                continue;
            const Report& other = reports[j];
            const Adjacency& theirs = m_Routers[other.router].adjacencies[other.adjacency];
            pairs.push_back(Pair{LanAgreement(FindInterface(report.router, mine),
                                              FindInterface(other.router, theirs)),
                                 CommonPrefix(mine.address, theirs.address),
                                 mine.type == theirs.type ? 1 : 0, static_cast<int>(i), j});
        }
    }
    std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
        return std::make_tuple(-a.lan, -a.prefix, -a.sameType, a.first, a.second) <
               std::make_tuple(-b.lan, -b.prefix, -b.sameType, b.first, b.second);
    });
    for (const Pair& pair : pairs) {
        if (reports[pair.first].partner >= 0 || reports[pair.second].partner >= 0)
            continue;
        reports[pair.first].partner = pair.second;
        reports[pair.second].partner = pair.first;
    }
}

const Topology::Interface* Topology::FindInterface(int router, const Adjacency& adjacency) const {
    if (router < 0 || !adjacency.hasIfIndex || adjacency.ifIndex == -1)
        return nullptr;
    for (const Interface& interface : m_Routers[router].interfaces) {
        if (interface.ifIndex == adjacency.ifIndex)
            return &interface;
    }
    return nullptr;
}

Topology::LinkEnd Topology::EndOf(int router, const Adjacency* own, const Adjacency* seen,
                                  const std::string& type) const {
    LinkEnd end;
    end.router = router;
    if (seen != nullptr) {
        end.address = seen->address;
        end.area = seen->area;
    }
    if (router >= 0) {
        const Router& known = m_Routers[router];
        end.hostName = known.hostName;
        end.systemId = known.systemId;
        if (!known.areaId.empty())
            end.area = known.areaId;
    } else if (seen != nullptr) {
        end.systemId = STSystemIdOf(seen->neighbour);
        if (end.systemId.empty())
            end.hostName = seen->neighbour;
    }
    if (own != nullptr) {
        end.hasIfIndex = own->hasIfIndex;
        end.ifIndex = own->ifIndex;
        if (const Interface* interface = FindInterface(router, *own)) {
            end.hasIfDescr = true;
            end.ifDescr = interface->ifDescr;
            const std::vector<std::string> levels = LevelsOf(type);
            for (const Level& level : interface->levels) {
                if (Counts(levels, level.levelType))
                    end.metrics.emplace_back(level.levelType, level.metric);
            }
        }
    }
    return end;
}

int Topology::DesignatedIS(const std::string& lanId) const {
    const std::string name = lanId.substr(0, lanId.rfind('.'));
    std::vector<int> candidates = Candidates(name, -1);
    if (candidates.size() == 1)
        return candidates.front();
    // Of several routers, or none, by that name: the one that originates the
    // pseudo-node's LSP.
    std::vector<int> originators;
    const std::string prefix = lanId + "-";
    for (std::size_t r = 0; r < m_Routers.size(); ++r) {
        const int router = static_cast<int>(r);
        if (!candidates.empty() && !Contains(candidates, router))
            continue;
        if (m_Routers[r].designatedIS &&
            m_Routers[r].pseudoNodeLSP.compare(0, prefix.size(), prefix) == 0)
            originators.push_back(router);
    }
    return originators.size() == 1 ? originators.front() : -1;
}

void Topology::AddPseudoNodes(Link& link, const Interface* from, const Interface* to) const {
    const std::vector<std::string> levels = LevelsOf(link.type);
    // Level to LAN id; the reporting side's interface speaks first.
    std::map<std::string, std::string> lanOfLevel;
    for (const Interface* interface : {from, to}) {
        if (interface == nullptr)
            continue;
        for (const Level& level : interface->levels) {
            const std::string id = STLanIdOf(level.circuitId);
            if (!id.empty() && Counts(levels, level.levelType))
                lanOfLevel.emplace(level.levelType, id);
        }
    }
    for (const auto& [level, id] : lanOfLevel) {
        auto same =
            std::find_if(link.pseudoNodes.begin(), link.pseudoNodes.end(),
                         [&lanId = id](const PseudoNode& node) { return node.id == lanId; });
        if (same == link.pseudoNodes.end()) {
            PseudoNode node;
            node.id = id;
            node.designatedIS = DesignatedIS(id);
            link.pseudoNodes.push_back(node);
            same = link.pseudoNodes.end() - 1;
        }
        same->levels.push_back(level);
    }
}

void Topology::STResolve() {
    m_Links.clear();
    m_ByHostName.clear();
    m_BySystemId.clear();
    m_ByIdentifier.clear();
    for (std::size_t r = 0; r < m_Routers.size(); ++r) {
        const Router& router = m_Routers[r];
        const int position = static_cast<int>(r);
        if (!router.hostName.empty())
            m_ByHostName[Lower(router.hostName)].push_back(position);
        if (!router.systemId.empty())
            m_BySystemId[Lower(router.systemId)].push_back(position);
        m_ByIdentifier[Lower(router.identifier)].push_back(position);
    }

    std::vector<Report> reports;
    for (std::size_t r = 0; r < m_Routers.size(); ++r) {
        for (std::size_t a = 0; a < m_Routers[r].adjacencies.size(); ++a) {
            Report report;
            report.router = static_cast<int>(r);
            report.adjacency = static_cast<int>(a);
            reports.push_back(report);
        }
    }
    ResolveNeighbours(reports);
    PairReports(reports);

    for (Report& report : reports) {
        if (report.done)
            continue;
        report.done = true;
        const Adjacency& adjacency = m_Routers[report.router].adjacencies[report.adjacency];
        const Report* partner = report.partner >= 0 ? &reports[report.partner] : nullptr;
        const Adjacency* theirs = nullptr;
        if (partner != nullptr) {
            reports[report.partner].done = true;
            theirs = &m_Routers[partner->router].adjacencies[partner->adjacency];
        }

        Link link;
        link.type = adjacency.type;
        link.from = EndOf(report.router, &adjacency, theirs, link.type);
        if (partner != nullptr) {
            link.to = EndOf(partner->router, theirs, &adjacency, link.type);
            link.status = EStatus::Confirmed;
        } else {
            link.to = EndOf(report.target, nullptr, &adjacency, link.type);
            if (report.target >= 0) {
                link.status = EStatus::OneSided;
            } else if (report.candidates.size() > 1) {
                link.status = EStatus::Ambiguous;
                link.candidates = report.candidates;
            } else {
                link.status = EStatus::UnknownRouter;
            }
        }
        AddPseudoNodes(link, FindInterface(report.router, adjacency),
                       partner != nullptr ? FindInterface(partner->router, *theirs) : nullptr);
        m_Links.push_back(std::move(link));
    }
}
