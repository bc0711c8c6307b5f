// The report as a Graphviz graph of the network: the routers as boxes with
// host name, system id and area, grouped in one cluster per area; each link
// as an edge labelled with its level, the interface at each end and that
// end's metrics; a LAN with a designated IS as a small pseudo-node to which
// its routers attach. Edges are solid when both routers reported the
// adjacency, dashed when one did, dotted towards a neighbour that no router
// of the run answers for (dashed boxes).
#pragma once

struct TransportReport;

#include <string>
#include <string_view>

#include "ReportWriter.h"

class DotReportWriter : public ReportWriter {
public:
    void Begin(const std::string& name, const std::string& description,
               const std::string& version) override;
    // Routers are drawn from the links' topology, which holds them all.
    void AddEntity(const CScoutEntity& entity, bool accepted,
                   const TransportReport* transport) override;
    void AddLinks(const Topology& topology) override;
    void End() override;
    const std::string& Text() const override { return m_Text; }

    // A DOT string literal, quotes included: bytes that are not valid UTF-8
    // become U+FFFD, quotes and backslashes are escaped, a line feed becomes
    // a line break of the label and other control characters a blank.
    static std::string Quoted(std::string_view text);

private:
    std::string m_Title;
    std::string m_Graph;
    std::string m_Text;
};
