// The report for people: per router whether the IS-IS filter kept it, its
// IS-IS interfaces, adjacencies and service data as the agent recorded them,
// the errors reported and how many commands were run; a summary line; then
// the links between the routers.
#pragma once

struct TransportReport;

#include <string>
#include <string_view>

#include "ReportWriter.h"

class CZanVBList;
class CZanVarBind;

class TextReportWriter : public ReportWriter {
public:
    void Begin(const std::string& name, const std::string& description,
               const std::string& version) override;
    void AddEntity(const CScoutEntity& entity, bool accepted,
                   const TransportReport* transport) override;
    void AddLinks(const Topology& topology) override;
    void End() override;
    const std::string& Text() const override { return m_Text; }

    // Device text made fit for a terminal line: bytes that are not valid
    // UTF-8 become U+FFFD, control characters are shown escaped.
    static std::string Printable(std::string_view bytes);

private:
    void AddInterfaces(const CScoutEntity& entity);
    void AddEndPoint(const CZanVBList& endPoint);
    void AddAdjacencies(const CScoutEntity& entity);
    void AddService(const CScoutEntity& entity);
    void AddErrors(const CScoutEntity& entity);
    void Line(int indent, const std::string& text);
    static void LineTo(std::string& out, int indent, const std::string& text);

    std::string m_Text;
    std::string m_Links;
    int m_Routers = 0;
    int m_Accepted = 0;
};
