// A report of one discovery run, built entity by entity while the run goes
// on, then given the links between the routers, and taken as text at the
// end.
#pragma once

#include <string>

class CScoutEntity;
struct TransportReport;
class Topology;

class ReportWriter {
public:
    ReportWriter() = default;
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;
    virtual ~ReportWriter();

    // Opens the report with the plug-in's identity.
    virtual void Begin(const std::string& name, const std::string& description,
                       const std::string& version) = 0;
    // Adds one entity once the agent is done with it; `accepted` is what the
    // filter returned; `transport` tells how a live router was reached (null
    // for a lab device).
    virtual void AddEntity(const CScoutEntity& entity, bool accepted,
                           const TransportReport* transport) = 0;
    // Adds the links once every router is done and the topology is resolved.
    // A report that is never given them shows none.
    virtual void AddLinks(const Topology& topology) = 0;
    // Closes the report.
    virtual void End() = 0;

    // The report text, complete after End().
    virtual const std::string& Text() const = 0;
};
