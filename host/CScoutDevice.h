// One way into a router: whatever answers the requester's commands and SNMP
// walks for an entity. A lab file is one such way in; telnet and SNMP
// sessions are others.
//
// Threads: a device answers for one entity and is called by the thread
// working on that entity only, so an implementation needs no locks of its
// own unless it shares state with other devices.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "HostApi.h"

// One row of an SNMP column walk.
struct CScoutSnmpRow {
    bool hasIndex = false;
    int64_t index = 0;     // reduced to 32 bits when the walk is stored
    bool isString = false; // a row whose value is not a string has none
    std::string value;
};

class HOST_API CScoutDevice {
public:
    virtual ~CScoutDevice();
    // Whether the device takes command sessions at all.
    virtual bool SDAnswersCommands() const = 0;
    // The output of one command; false when the device gives none.
    virtual bool SDRunCommand(const std::string& command, std::string& output) = 0;
    // The output of one command as the device holds it, for a device that
    // holds its outputs (the requester then copies it once, not twice); null
    // when the device does not, or gives no output for the command.
    virtual const std::string* SDHeldOutput(const std::string& command) const;
    // The rows of an SNMP column in walk order; false when the walk fails.
    virtual bool SDWalkColumn(const std::string& column, std::vector<CScoutSnmpRow>& rows) = 0;
};
