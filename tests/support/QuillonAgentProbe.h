// White-box access to the agent for tests: its layer callbacks and the steps
// they are built from.
#pragma once

#include <memory>
#include <string>

#include "CScoutQuillonAgent.h"
#include "CScoutStdRequester.h"
#include "CZanRecord.h"
#include "CZanTreeList.h"

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
