#include "JsonReportWriter.h"

#include <vector>

#include "CScoutEntity.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "TransportReport.h"

void JsonReportWriter::Begin(const std::string& name, const std::string& description,
                             const std::string& version) {
    m_Writer.BeginObject();
    m_Writer.Key("agent");
    m_Writer.BeginObject();
    m_Writer.Key("name");
    m_Writer.String(name);
    m_Writer.Key("description");
    m_Writer.String(description);
    m_Writer.Key("version");
    m_Writer.String(version);
    m_Writer.EndObject();
    m_Writer.Key("entities");
    m_Writer.BeginArray();
}

void JsonReportWriter::End() {
    if (!m_LinksWritten) {
        m_Writer.EndArray();
        m_Writer.Key("links");
        m_Writer.BeginArray();
        m_Writer.EndArray();
        m_LinksWritten = true;
    }
    m_Writer.EndObject();
}

void JsonReportWriter::StringOrNull(const char* key, const std::string& text) {
    m_Writer.Key(key);
    if (text.empty())
        m_Writer.Null();
    else
        m_Writer.String(text);
}

void JsonReportWriter::RouterName(const Topology& topology, int router) {
    if (router < 0 || router >= static_cast<int>(topology.STRouters().size()))
        m_Writer.Null();
    else
        m_Writer.String(topology.STRouters()[static_cast<std::size_t>(router)].identifier);
}

void JsonReportWriter::WriteEnd(const Topology& topology, const Topology::LinkEnd& end) {
    m_Writer.BeginObject();
    m_Writer.Key("router");
    RouterName(topology, end.router);
    StringOrNull("hostName", end.hostName);
    StringOrNull("systemId", end.systemId);
    StringOrNull("area", end.area);
    m_Writer.Key("ifIndex");
    if (end.hasIfIndex)
        m_Writer.Integer(end.ifIndex);
    else
        m_Writer.Null();
    m_Writer.Key("ifDescr");
    if (end.hasIfDescr)
        m_Writer.String(end.ifDescr);
    else
        m_Writer.Null();
    StringOrNull("address", end.address);
    m_Writer.Key("metrics");
    m_Writer.BeginObject();
    for (const auto& [level, metric] : end.metrics) {
        m_Writer.Key(level);
        m_Writer.Integer(metric);
    }
    m_Writer.EndObject();
    m_Writer.EndObject();
}

void JsonReportWriter::AddLinks(const Topology& topology) {
    if (m_LinksWritten)
        return;
    m_LinksWritten = true;
    m_Writer.EndArray();
    m_Writer.Key("links");
    m_Writer.BeginArray();
    for (const Topology::Link& link : topology.STLinks()) {
        m_Writer.BeginObject();
        m_Writer.Key("from");
        WriteEnd(topology, link.from);
        m_Writer.Key("to");
        WriteEnd(topology, link.to);
        StringOrNull("type", link.type);
        m_Writer.Key("pseudoNodes");
        m_Writer.BeginArray();
        for (const Topology::PseudoNode& node : link.pseudoNodes) {
            m_Writer.BeginObject();
            m_Writer.Key("id");
            m_Writer.String(node.id);
            m_Writer.Key("levels");
            m_Writer.BeginArray();
            for (const std::string& level : node.levels)
                m_Writer.String(level);
            m_Writer.EndArray();
            m_Writer.Key("designatedIS");
            RouterName(topology, node.designatedIS);
            m_Writer.EndObject();
        }
        m_Writer.EndArray();
        m_Writer.Key("status");
        m_Writer.String(Topology::STStatusName(link.status));
        m_Writer.Key("candidates");
        m_Writer.BeginArray();
        for (int candidate : link.candidates)
            RouterName(topology, candidate);
        m_Writer.EndArray();
        m_Writer.EndObject();
    }
    m_Writer.EndArray();
}

void JsonReportWriter::AddEntity(const CScoutEntity& entity, bool accepted,
                                 const TransportReport* transport) {
    const CScoutEntityJournal& journal = entity.SEJournal();
    const CScoutProcessedData& processed = entity.SEProcessedData();
    const CZanRecord& record = entity.SERecord();

    m_Writer.BeginObject();
    m_Writer.Key("name");
    m_Writer.String(record.ZRIdentifier());
    m_Writer.Key("accepted");
    m_Writer.Boolean(accepted);

    m_Writer.Key("commands");
    m_Writer.BeginArray();
    for (const std::string& command : journal.SEJCommands())
        m_Writer.String(command);
    m_Writer.EndArray();

    m_Writer.Key("errors");
    m_Writer.BeginArray();
    for (const CScoutEntityJournal::Error& error : journal.SEJErrors()) {
        m_Writer.BeginObject();
        m_Writer.Key("code");
        m_Writer.Integer(error.code);
        m_Writer.Key("file");
        m_Writer.String(error.file);
        m_Writer.Key("line");
        m_Writer.Integer(error.line);
        m_Writer.Key("message");
        if (error.hasMessage)
            m_Writer.String(error.message);
        else
            m_Writer.Null();
        m_Writer.EndObject();
    }
    m_Writer.EndArray();

    m_Writer.Key("localNeighbours");
    m_Writer.BeginArray();
    for (int i = 0; i < processed.SPDLocalNbrCount(); ++i)
        WriteList(m_Writer, processed.SPDLocalNbr(i));
    m_Writer.EndArray();

    m_Writer.Key("remoteNeighbours");
    m_Writer.BeginArray();
    for (int i = 0; i < processed.SPDRemoteNbrCount(); ++i) {
        m_Writer.BeginObject();
        const CZanVarBind* key = processed.SPDRemoteNbrKey(i);
        if (key != nullptr) {
            m_Writer.Key(key->ZVBName());
            WriteVarBindValue(m_Writer, *key);
        }
        m_Writer.Key("record");
        WriteList(m_Writer, processed.SPDRemoteNbr(i));
        m_Writer.EndObject();
    }
    m_Writer.EndArray();

    m_Writer.Key("fields");
    m_Writer.BeginObject();
    for (int i = 0; i < record.ZRFieldCount(); ++i) {
        m_Writer.Key(record.ZRFieldName(i));
        const CZanVarBind* value = record.ZRFieldValue(i);
        if (value == nullptr) {
            m_Writer.Null();
            continue;
        }
        m_Writer.BeginObject();
        m_Writer.Key(value->ZVBName());
        WriteVarBindValue(m_Writer, *value);
        m_Writer.EndObject();
    }
    m_Writer.EndObject();

    m_Writer.Key("relationshipKeys");
    m_Writer.BeginArray();
    for (const std::string& key : journal.SEJRelationshipKeys())
        m_Writer.String(key);
    m_Writer.EndArray();

    // SMDKeys() already gives byte order.
    m_Writer.Key("mediationKeysLeft");
    m_Writer.BeginArray();
    for (const std::string& key : entity.SEMediationData().SMDKeys())
        m_Writer.String(key);
    m_Writer.EndArray();

    if (transport != nullptr)
        WriteTransport(*transport);
    m_Writer.EndObject();
}

void JsonReportWriter::WriteTransport(const TransportReport& transport) {
    m_Writer.Key("transport");
    m_Writer.BeginObject();
    StringOrNull("commands", transport.commands);
    StringOrNull("snmp", transport.snmp);
    StringOrNull("hostName", transport.hostName);
    m_Writer.Key("failures");
    m_Writer.BeginArray();
    for (const std::string& failure : transport.failures)
        m_Writer.String(failure);
    m_Writer.EndArray();
    m_Writer.EndObject();
}

void JsonReportWriter::WriteList(JsonTextWriter& writer, const CZanVBList* list) {
    writer.BeginObject();
    if (list != nullptr) {
        for (int i = 0; i < list->ZVBLSize(); ++i) {
            const CZanVarBind* varBind = list->ZVBLGet(i);
            if (varBind == nullptr)
                continue;
            writer.Key(varBind->ZVBName());
            WriteVarBindValue(writer, *varBind);
        }
    }
    writer.EndObject();
}

void JsonReportWriter::WriteVarBindValue(JsonTextWriter& writer, const CZanVarBind& varBind) {
    switch (varBind.ZVBKind()) {
    case CZanVarBind::VB_INTEGER:
        writer.Integer(varBind.ZVBInteger());
        break;
    case CZanVarBind::VB_STRING:
        writer.String(varBind.ZVBString());
        break;
    case CZanVarBind::VB_ATOM:
        WriteAtom(writer, varBind.ZVBAtom());
        break;
    }
}

void JsonReportWriter::WriteAtom(JsonTextWriter& writer, const CZanAtom* atom) {
    if (atom == nullptr) {
        writer.Null();
        return;
    }
    switch (atom->ZAType()) {
    case ZAN_STRING:
        writer.String(atom->ZAText());
        break;
    case ZAN_INTEGER:
        writer.Integer(atom->ZAInteger());
        break;
    case ZAN_VBLIST:
        WriteList(writer, atom->ZAList());
        break;
    case ZAN_VECTOR: {
        writer.BeginArray();
        const CZanAtomVector* vector = atom->ZAVector();
        if (vector != nullptr) {
            for (int i = 0; i < vector->ZAVSize(); ++i)
                WriteAtom(writer, vector->ZAVGetValue(i));
        }
        writer.EndArray();
        break;
    }
    case ZAN_NULL:
        writer.Null();
        break;
    }
}
