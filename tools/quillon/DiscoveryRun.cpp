#include "DiscoveryRun.h"

#include "CScoutAgent.h"
#include "CScoutEntity.h"
#include "LabDevice.h"
#include "CScoutStdRequester.h"
#include "Topology.h"
#include "ReportWriter.h"

DiscoveryRun::DiscoveryRun(CScoutAgent& agent, ReportWriter& report)
    : m_Agent(agent), m_Report(report) {}

void DiscoveryRun::Run(const std::vector<LabLoader::Device>& devices) {
    CScoutStdRequester requester;
    for (const LabLoader::Device& device : devices)
        requester.SSRAddDevice(device.name, device.device.get());
    m_Agent.SASetRequester(&requester);

    Topology topology;
    for (const LabLoader::Device& device : devices) {
        CScoutEntity entity(device.name);
        CZanRecord* record = &entity.SERecord();
        entity.SEBegin();
        const bool accepted = m_Agent.SADoMediationFilter(record) != ZFALSE;
        if (accepted) {
            m_Agent.SADoMediationLayer(record);
            m_Agent.SADoProcessLayer(record);
            m_Agent.SADoRelationshipLayer(record);
        }
        entity.SEEnd();
        m_Report.AddEntity(entity, accepted);
        topology.STAddEntity(entity);
    }

    m_Agent.SASetRequester(nullptr);
    topology.STResolve();
    m_Report.AddLinks(topology);
}
