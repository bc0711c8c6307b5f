// Drives routers through the agent the way the host does: per router an
// entity, the filter, and only when the filter keeps it the mediation,
// process and relationship layers; then the entity goes into the report and
// to the relationship handling. Once every router is done, the relationship
// handling relates them and the links go into the report.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class CScoutAgent;
class CScoutDevice;
class LiveDevice;
class ReportWriter;

class DiscoveryRun {
public:
    // One router of the run. The devices must outlive the run.
    struct Router {
        std::string name;     // the entity identifier
        CScoutDevice* device; // how the agent reaches it
        LiveDevice* live;     // the same device when it is a live router, else null
    };

    // `failures` takes one line per transport failure of a live router
    // ("quillon: R1: telnet 127.0.0.1:2301: connection refused").
    DiscoveryRun(CScoutAgent& agent, ReportWriter& report, std::ostream& failures);

    // Runs every router in order.
    void Run(const std::vector<Router>& routers);

private:
    CScoutAgent& m_Agent;
    ReportWriter& m_Report;
    std::ostream& m_Failures;
};
