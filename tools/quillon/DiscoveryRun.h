// Drives routers through the agent the way the host does: per router an
// entity, the filter, and only when the filter keeps it the mediation,
// process and relationship layers; then the entity goes into the report and
// to the relationship handling. Once every router is done, the relationship
// handling relates them and the links go into the report.
#pragma once

#include <vector>

#include "LabLoader.h"

class CScoutAgent;
class ReportWriter;

class DiscoveryRun {
public:
    DiscoveryRun(CScoutAgent& agent, ReportWriter& report);

    // Runs every device in order. The devices must outlive the call.
    void Run(const std::vector<LabLoader::Device>& devices);

private:
    CScoutAgent& m_Agent;
    ReportWriter& m_Report;
};
