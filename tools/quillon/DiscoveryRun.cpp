#include "DiscoveryRun.h"

#include "CScoutAgent.h"
#include "CScoutEntity.h"
#include "CScoutStdRequester.h"
#include "LiveDevice.h"
#include "ReportWriter.h"
#include "Topology.h"

DiscoveryRun::DiscoveryRun(CScoutAgent& agent, ReportWriter& report, std::ostream& failures)
    : m_Agent(agent), m_Report(report), m_Failures(failures) {}

void DiscoveryRun::Run(const std::vector<Router>& routers) {
    CScoutStdRequester requester;
    for (const Router& router : routers)
        requester.SSRAddDevice(router.name, router.device);
    m_Agent.SASetRequester(&requester);

    Topology topology;
    for (const Router& router : routers) {
        CScoutEntity entity(router.name);
        CZanRecord* record = &entity.SERecord();
        entity.SEBegin();
        const bool accepted = m_Agent.SADoMediationFilter(record) != ZFALSE;
        if (accepted) {
            m_Agent.SADoMediationLayer(record);
            m_Agent.SADoProcessLayer(record);
            m_Agent.SADoRelationshipLayer(record);
        }
        entity.SEEnd();
        const TransportReport* transport = nullptr;
        if (router.live != nullptr) {
            router.live->Close();
            transport = &router.live->Report();
            for (const std::string& failure : transport->failures)
                m_Failures << "quillon: " << router.name << ": " << failure << "\n";
            m_Failures.flush();
        }
        m_Report.AddEntity(entity, accepted, transport);
        topology.STAddEntity(entity);
    }

    m_Agent.SASetRequester(nullptr);
    topology.STResolve();
    m_Report.AddLinks(topology);
}
