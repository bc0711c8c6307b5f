// White-box access to the agent for tests: its layer callbacks and its
// private steps, and a few readers for what the steps leave behind.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CScoutMediationData.h"
#include "CScoutProcessedData.h"
#include "CScoutQuillonAgent.h"
#include "CScoutStdRequester.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanBaseRecord.h"
#include "CZanRecord.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"

class QuillonAgentProbe {
public:
    QuillonAgentProbe() : m_Agent(new CScoutQuillonAgent) {}
    explicit QuillonAgentProbe(CScoutStdRequester& requester) : QuillonAgentProbe() {
        m_Agent->SASetRequester(&requester);
    }

    CScoutQuillonAgent& Agent() { return *m_Agent; }

    // The layer callbacks, as the host calls them.
    bool Filter(CZanRecord* ne) { return m_Agent->SADoMediationFilter(ne) == ZTRUE; }
    void Mediation(CZanRecord* ne) { m_Agent->SADoMediationLayer(ne); }
    void Process(CZanRecord* ne) { m_Agent->SADoProcessLayer(ne); }
    void Relationship(CZanRecord* ne) { m_Agent->SADoRelationshipLayer(ne); }
    void SetName() { m_Agent->ZASetSCName(); }
    void SetDesc() { m_Agent->ZASetSCDesc(); }

    // The private steps.
    bool ObtainProtocolEndPoint(CZanRecord* ne, std::string& name,
                                CScoutCiscoProtocolEndPoint* endPoint) {
        return m_Agent->ObtainProtocolEndPoint(ne, name, endPoint);
    }
    void ProcessLocalNbrData(CZanRecord* ne, CScoutMediationData* md, CZanTreeList** tree) {
        m_Agent->ProcessLocalNbrData(ne, md, tree);
    }
    void AddStdDataToLocalNbr(int ifIndex, std::string& name, CZanTreeList** tree) {
        m_Agent->AddStdDataToLocalNbr(ifIndex, name, tree);
    }
    void AddLocalNbrs(CZanTreeList* tree, CScoutProcessedData* pd) {
        m_Agent->AddLocalNbrs(tree, pd);
    }
    void ProcessProtocolEndPoint(int ifIndex, CScoutCiscoProtocolEndPoint* endPoint,
                                 CZanTreeList** tree) {
        m_Agent->ProcessProtocolEndPoint(ifIndex, endPoint, tree);
    }
    void ProcessRemoteNbrData(CZanRecord* ne, CScoutMediationData* md, CScoutProcessedData* pd) {
        m_Agent->ProcessRemoteNbrData(ne, md, pd);
    }
    void PopulateRemoteNbr(CScoutCiscoConnectivity* entry, CZanVBList* record) {
        m_Agent->PopulateRemoteNbr(entry, record);
    }
    void ProcessPlatformData(CZanRecord& ne, CScoutMediationData& md) {
        m_Agent->ProcessPlatformData(ne, md);
    }

private:
    std::unique_ptr<CScoutQuillonAgent> m_Agent;
};

namespace quillon_probe {

void Describe(const CZanAtom* atom, std::ostream& out);

// A record as one line: name=12 for integers, name="text" for strings,
// {...} for lists, [...] for vectors.
inline void Describe(const CZanVBList* list, std::ostream& out) {
    out << '{';
    for (int i = 0; list != nullptr && i < list->ZVBLSize(); ++i) {
        const CZanVarBind* vb = list->ZVBLGet(i);
        out << (i > 0 ? "; " : "") << vb->ZVBName() << '=';
        if (vb->ZVBKind() == CZanVarBind::VB_INTEGER)
            out << vb->ZVBInteger();
        else if (vb->ZVBKind() == CZanVarBind::VB_STRING)
            out << '"' << vb->ZVBString() << '"';
        else
            Describe(vb->ZVBAtom(), out);
    }
    out << '}';
}

inline void Describe(const CZanAtom* atom, std::ostream& out) {
    if (atom == nullptr) {
        out << "<none>";
        return;
    }
    switch (atom->ZAType()) {
    case ZAN_NULL:
        out << "null";
        break;
    case ZAN_INTEGER:
        out << atom->ZAInteger();
        break;
    case ZAN_STRING:
        out << '"' << atom->ZAText() << '"';
        break;
    case ZAN_VBLIST:
        Describe(atom->ZAList(), out);
        break;
    case ZAN_VECTOR:
        out << '[';
        for (int i = 0; i < atom->ZAVector()->ZAVSize(); ++i) {
            out << (i > 0 ? ", " : "");
            Describe(atom->ZAVector()->ZAVGetValue(i), out);
        }
        out << ']';
        break;
    }
}

inline std::string Describe(const CZanVBList* list) {
    std::ostringstream out;
    Describe(list, out);
    return out.str();
}

inline std::string Describe(const CZanVarBind* vb) {
    if (vb == nullptr)
        return "<none>";
    std::ostringstream out;
    out << vb->ZVBName() << '=';
    if (vb->ZVBKind() == CZanVarBind::VB_INTEGER)
        out << vb->ZVBInteger();
    else if (vb->ZVBKind() == CZanVarBind::VB_STRING)
        out << '"' << vb->ZVBString() << '"';
    else
        Describe(vb->ZVBAtom(), out);
    return out.str();
}

// Every local neighbour handed to the processed data, one line each.
inline std::vector<std::string> LocalNbrs(const CScoutProcessedData& pd) {
    std::vector<std::string> nbrs;
    for (int i = 0; i < pd.SPDLocalNbrCount(); ++i)
        nbrs.push_back(Describe(pd.SPDLocalNbr(i)));
    return nbrs;
}

// Every remote neighbour as "key -> record".
inline std::vector<std::string> RemoteNbrs(const CScoutProcessedData& pd) {
    std::vector<std::string> nbrs;
    for (int i = 0; i < pd.SPDRemoteNbrCount(); ++i)
        nbrs.push_back(Describe(pd.SPDRemoteNbrKey(i)) + " -> " + Describe(pd.SPDRemoteNbr(i)));
    return nbrs;
}

// The trace split into lines, line ends dropped.
inline std::vector<std::string> Lines(const std::string& trace) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < trace.size()) {
        std::string::size_type end = trace.find('\n', start);
        if (end == std::string::npos)
            end = trace.size();
        lines.push_back(trace.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline int Count(const std::string& trace, const std::string& line) {
    int count = 0;
    for (const std::string& l : Lines(trace))
        count += l == line ? 1 : 0;
    return count;
}

// Index of the first line equal to `line` at or after `from`, or -1.
inline int Find(const std::vector<std::string>& lines, const std::string& line, int from = 0) {
    for (int i = from; i < static_cast<int>(lines.size()); ++i)
        if (lines[i] == line)
            return i;
    return -1;
}

inline std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

} // namespace quillon_probe
