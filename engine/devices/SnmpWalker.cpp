#include "SnmpWalker.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "SnmpName.h"
#include "SnmpSession.h"

namespace {

using Name = SnmpName;

// How many rows one GETBULK asks for.
constexpr int kRowsPerRequest = 25;

struct Column {
    const char* name;
    Name oid;
};

const Column kColumns[] = {
    {"ifDescr", {1, 3, 6, 1, 2, 1, 2, 2, 1, 2}},
};

const Name* ColumnOid(const std::string& name) {
    for (const Column& column : kColumns) {
        if (name == column.name)
            return &column.oid;
    }
    return nullptr;
}

// The names of the SNMP error statuses, by number.
const char* ErrorStatusName(long status) {
    static const char* const kNames[] = {"noError",
                                         "tooBig",
                                         "noSuchName",
                                         "badValue",
                                         "readOnly",
                                         "genErr",
                                         "noAccess",
                                         "wrongType",
                                         "wrongLength",
                                         "wrongEncoding",
                                         "wrongValue",
                                         "noCreation",
                                         "inconsistentValue",
                                         "resourceUnavailable",
                                         "commitFailed",
                                         "undoFailed",
                                         "authorizationError",
                                         "notWritable",
                                         "inconsistentName"};
    if (status >= 0 && status < static_cast<long>(sizeof kNames / sizeof kNames[0]))
        return kNames[status];
    return "unknown error";
}

bool InColumn(const Name& name, const Name& column) {
    return name.size() > column.size() && std::equal(column.begin(), column.end(), name.begin());
}

} // namespace

SnmpWalker::SnmpWalker(SnmpSettings settings) : m_Settings(std::move(settings)) {}

std::string SnmpWalker::Describe() const {
    const char* version = m_Settings.version == SnmpSettings::Version::V1    ? "v1"
                          : m_Settings.version == SnmpSettings::Version::V2c ? "v2c"
                                                                             : "v3";
    return std::string("snmp ") + version + " " + m_Settings.address + ":" +
           std::to_string(m_Settings.port);
}

bool SnmpWalker::Walk(const std::string& column, std::vector<CScoutSnmpRow>& rows,
                      std::string& reason) {
    rows.clear();
    auto fail = [&](const std::string& why) {
        rows.clear();
        reason = Describe() + ": " + why;
        return false;
    };
    const Name* columnOid = ColumnOid(column);
    if (columnOid == nullptr)
        return fail("unknown column \"" + column + "\"");

    SnmpSession session;
    std::string error;
    if (!session.Open(m_Settings, error))
        return fail(error);

    const bool bulk = m_Settings.version != SnmpSettings::Version::V1;
    Name last = *columnOid;
    for (;;) {
        SnmpAnswer answer;
        const SnmpSession::Outcome outcome =
            session.Ask(bulk ? SnmpSession::Request::GetBulk : SnmpSession::Request::GetNext, last,
                        kRowsPerRequest, answer, error);
        if (outcome != SnmpSession::Outcome::Answered)
            return fail(error);
        if (answer.errorStatus != SNMP_ERR_NOERROR) {
            // SNMPv1 has no endOfMibView: GETNEXT past the last object is
            // answered with noSuchName.
            if (!bulk && answer.errorStatus == SNMP_ERR_NOSUCHNAME)
                return true;
            return fail(std::string("the agent answered ") + ErrorStatusName(answer.errorStatus) +
                        " (" + std::to_string(answer.errorStatus) + ")");
        }
        if (answer.bindings.empty())
            return fail("the agent answered without any object");
        for (SnmpAnswer::Binding& binding : answer.bindings) {
            if (binding.type == SNMP_ENDOFMIBVIEW || binding.type == SNMP_NOSUCHOBJECT ||
                binding.type == SNMP_NOSUCHINSTANCE || !InColumn(binding.name, *columnOid))
                return true;
            if (!std::lexicographical_compare(last.begin(), last.end(), binding.name.begin(),
                                              binding.name.end()))
                return fail("the agent answered " + SnmpDotted(binding.name) + " after " +
                            SnmpDotted(last) + ", which is not a walk");
            if (rows.size() == kMaxRows)
                return fail("the column has more than " + std::to_string(kMaxRows) + " rows");
            CScoutSnmpRow row;
            row.hasIndex = true;
            row.index = binding.name.back();
            row.isString = binding.type == ASN_OCTET_STR;
            if (row.isString)
                row.value = std::move(binding.bytes);
            rows.push_back(std::move(row));
            last = std::move(binding.name);
        }
    }
}
