// The report as JSON: the plug-in's identity, then per entity the filter's
// verdict, the commands run, the errors reported, the neighbour records, the
// fields set on the entity record, the relationship keys and the keys left
// in the mediation data; then the links between the routers.
#pragma once

struct TransportReport;

#include <string>

#include "JsonTextWriter.h"
#include "ReportWriter.h"
#include "Topology.h"

class CZanAtom;
class CZanVBList;
class CZanVarBind;

class JsonReportWriter : public ReportWriter {
public:
    void Begin(const std::string& name, const std::string& description,
               const std::string& version) override;
    void AddEntity(const CScoutEntity& entity, bool accepted,
                   const TransportReport* transport) override;
    void AddLinks(const Topology& topology) override;
    void End() override;
    const std::string& Text() const override { return m_Writer.Text(); }

    // The record model as JSON, written into `writer`: a var-bind list is an
    // object of its var binds in order (repeated names kept), an atom is a
    // string, a number, an object (list) or an array (vector).
    static void WriteList(JsonTextWriter& writer, const CZanVBList* list);
    static void WriteVarBindValue(JsonTextWriter& writer, const CZanVarBind& varBind);
    static void WriteAtom(JsonTextWriter& writer, const CZanAtom* atom);

private:
    void WriteTransport(const TransportReport& transport);
    void WriteEnd(const Topology& topology, const Topology::LinkEnd& end);
    // A string member, null when the text is empty.
    void StringOrNull(const char* key, const std::string& text);
    // The identifier of the router at a position, or null.
    void RouterName(const Topology& topology, int router);

    JsonTextWriter m_Writer;
    bool m_LinksWritten = false;
};
