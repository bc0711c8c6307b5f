// Walks one column of a router's SNMP agent: GETBULK over SNMPv2c (the
// default) or SNMPv3 (authPriv with SHA and AES, when a user is given),
// GETNEXT over SNMPv1. Walks of different routers may run on different
// threads at once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "CScoutDevice.h"
#include "ColumnWalker.h"
#include "SnmpSettings.h"

class SnmpWalker : public ColumnWalker {
public:
    // More rows than this make a walk fail rather than fill the memory.
    static constexpr std::size_t kMaxRows = 100000;

    explicit SnmpWalker(SnmpSettings settings);

    // The rows of one column ("ifDescr") in walk order: the index is the last
    // sub-identifier of a row's object identifier; an OCTET STRING value is a
    // string, byte for byte; any other value gives a row without a string.
    // The walk ends at the first object outside the column or at the end of
    // the agent's view; an empty column is a walk without rows. False with
    // the reason ("snmp v2c 127.0.0.1:10161: timeout") when the column is
    // unknown, the router does not answer or answers with an error; `rows`
    // is then left empty.
    bool Walk(const std::string& column, std::vector<CScoutSnmpRow>& rows,
              std::string& reason) override;
    // "snmp v2c 127.0.0.1:10161"; every reason starts with it.
    std::string Describe() const override;

private:
    SnmpSettings m_Settings;
};
