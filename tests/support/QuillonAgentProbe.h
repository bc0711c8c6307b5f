// White-box access to the agent for tests: its layer callbacks and the steps
// they are built from, and readers for the records they leave behind.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CScoutEntityJournal.h"
#include "CScoutProcessedData.h"
#include "CScoutQuillonAgent.h"
#include "CScoutStdRequester.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanRecord.h"
#include "CZanTreeList.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"

class QuillonAgentProbe {
public:
    QuillonAgentProbe() : m_Agent(new CScoutQuillonAgent) {}
    explicit QuillonAgentProbe(CScoutStdRequester& requester) : QuillonAgentProbe() {
        m_Agent->SASetRequester(&requester);
    }

    bool Filter(CZanRecord* ne) { return m_Agent->SADoMediationFilter(ne) == ZTRUE; }
    void Mediation(CZanRecord* ne) { m_Agent->SADoMediationLayer(ne); }
    void Process(CZanRecord* ne) { m_Agent->SADoProcessLayer(ne); }
    void Relationship(CZanRecord* ne) { m_Agent->SADoRelationshipLayer(ne); }
    void AddStdDataToLocalNbr(int ifIndex, std::string name, CZanTreeList** tree) {
        m_Agent->AddStdDataToLocalNbr(ifIndex, name, tree);
    }
    void ProcessProtocolEndPoint(int ifIndex, CScoutCiscoProtocolEndPoint* endPoint,
                                 CZanTreeList** tree) {
        m_Agent->ProcessProtocolEndPoint(ifIndex, endPoint, tree);
    }

private:
    std::unique_ptr<CScoutQuillonAgent> m_Agent;
};

namespace quillon_probe {

// A value as one line: 12 for integers, "text" for strings, {name=value; ...}
// for lists, [value, ...] for vectors.
inline void Describe(const CZanAtom* atom, std::ostream& out);

inline void Describe(const CZanVarBind* vb, std::ostream& out) {
    out << vb->ZVBName() << '=';
    if (vb->ZVBKind() == CZanVarBind::VB_INTEGER)
        out << vb->ZVBInteger();
    else if (vb->ZVBKind() == CZanVarBind::VB_STRING)
        out << '"' << vb->ZVBString() << '"';
    else
        Describe(vb->ZVBAtom(), out);
}

inline void Describe(const CZanVBList* list, std::ostream& out) {
    out << '{';
    for (int i = 0; i < list->ZVBLSize(); ++i) {
        out << (i > 0 ? "; " : "");
        Describe(list->ZVBLGet(i), out);
    }
    out << '}';
}

inline void Describe(const CZanAtom* atom, std::ostream& out) {
    if (atom == nullptr || atom->ZAType() == ZAN_NULL)
        out << "null";
    else if (atom->ZAType() == ZAN_INTEGER)
        out << atom->ZAInteger();
    else if (atom->ZAType() == ZAN_STRING)
        out << '"' << atom->ZAText() << '"';
    else if (atom->ZAType() == ZAN_VBLIST)
        Describe(atom->ZAList(), out);
    else {
        out << '[';
        for (int i = 0; i < atom->ZAVector()->ZAVSize(); ++i) {
            out << (i > 0 ? ", " : "");
            Describe(atom->ZAVector()->ZAVGetValue(i), out);
        }
        out << ']';
    }
}

template <typename T> std::string Describe(const T* value) {
    std::ostringstream out;
    if (value != nullptr)
        Describe(value, out);
    return out.str();
}

// Every local neighbour handed to the processed data.
inline std::vector<std::string> LocalNbrs(const CScoutProcessedData& pd) {
    std::vector<std::string> nbrs;
    for (int i = 0; i < pd.SPDLocalNbrCount(); ++i)
        nbrs.push_back(Describe(pd.SPDLocalNbr(i)));
    return nbrs;
}

// Each error as "code file:line message".
inline std::vector<std::string> Errors(const std::vector<CScoutEntityJournal::Error>& errors) {
    std::vector<std::string> lines;
    for (const CScoutEntityJournal::Error& e : errors)
        lines.push_back(std::to_string(e.code) + " " + e.file + ":" + std::to_string(e.line) +
                        (e.hasMessage ? " " + e.message : ""));
    return lines;
}

// The trace split into lines.
inline std::vector<std::string> Lines(const std::string& trace) {
    std::vector<std::string> lines;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace quillon_probe
