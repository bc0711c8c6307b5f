// White-box access to the agent for tests: its layer callbacks and the steps
// they are built from, and readers for what they leave behind.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CScoutEntityJournal.h"
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

// A record as one line: name=12 for integers, name="text" for strings,
// name={...} for lists and name=[...] for vectors of lists.
inline std::string Describe(const CZanVBList* list);

inline std::string Describe(const CZanVarBind* vb) {
    if (vb == nullptr)
        return "<none>";
    std::string text = vb->ZVBName() + "=";
    if (vb->ZVBKind() == CZanVarBind::VB_INTEGER)
        return text + std::to_string(vb->ZVBInteger());
    if (vb->ZVBKind() == CZanVarBind::VB_STRING)
        return text + '"' + vb->ZVBString() + '"';
    if (vb->ZVBAtom()->ZAType() == ZAN_VBLIST)
        return text + Describe(vb->ZVBAtom()->ZAList());
    const CZanAtomVector* vector = vb->ZVBAtom()->ZAVector();
    text += "[";
    for (int i = 0; vector != nullptr && i < vector->ZAVSize(); ++i)
        text += (i > 0 ? ", " : "") + Describe(vector->ZAVGetValue(i)->ZAList());
    return text + "]";
}

inline std::string Describe(const CZanVBList* list) {
    std::string text = "{";
    for (int i = 0; i < list->ZVBLSize(); ++i)
        text += (i > 0 ? "; " : "") + Describe(list->ZVBLGet(i));
    return text + "}";
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
