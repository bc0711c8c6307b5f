// A router's SNMP agent, as far as walking a column goes. Used from one
// thread at a time.
#pragma once

#include <string>
#include <vector>

#include "CScoutDevice.h"

class ColumnWalker {
public:
    virtual ~ColumnWalker() = default;

    // Walks the column of that name. On success `rows` holds its rows in
    // walk order (none for an empty column); otherwise `reason` says why the
    // walk failed, in one line and without any secret.
    virtual bool Walk(const std::string& column, std::vector<CScoutSnmpRow>& rows,
                      std::string& reason) = 0;
    // Where the walks go, for the report: "snmp v2c 127.0.0.1:1161".
    virtual std::string Describe() const = 0;
};
