// The requester through which agents reach devices. It finds an entity's
// device by the entity's identifier and notes every command it is handed in
// the entity's journal.
//
// Threads: one requester may serve entities worked on side by side on
// several threads; devices may be added at any time. Each device serves one
// entity, and so one thread at a time: the requester does not serialise the
// calls it makes to a device.
#pragma once

#include <map>
#include <shared_mutex>
#include <string>

#include "HostApi.h"

class CZanRecord;
class CZanAtomVector;
class CZanDoubleList;
class CScoutDevice;

class HOST_API CScoutStdRequester {
public:
    CScoutStdRequester();
    CScoutStdRequester(const CScoutStdRequester&) = delete;
    CScoutStdRequester& operator=(const CScoutStdRequester&) = delete;
    ~CScoutStdRequester();

    // Makes the device answer for the entity of that identifier. The device
    // stays the caller's and must outlive its use here.
    void SSRAddDevice(const std::string& identifier, CScoutDevice* device);

    // Runs one command. Returns the output in a malloc'ed, NUL-terminated
    // buffer that the caller frees, or null when no text came back.
    char* SSRGetTELNET(CZanRecord* ne, const char* command);
    // Runs a list of commands (string atoms), which the requester takes over
    // and deletes. Returns a new vector with one atom per command, in order:
    // a string atom with the output, or a null atom when that command gave no
    // text; or null when the device takes no command session. The caller
    // deletes the vector.
    CZanAtomVector* SSRGetTELNET(CZanRecord* ne, CZanAtomVector* commands);
    // Walks an SNMP column. Returns a new list of CZanSnmpVarOp in walk
    // order, which the caller owns, or null when the walk fails.
    CZanDoubleList* SSRGetSNMPWalk(CZanRecord* ne, const char* column);

private:
    CScoutDevice* DeviceFor(CZanRecord* ne) const;
    mutable std::shared_mutex m_DevicesMutex;
    std::map<std::string, CScoutDevice*> m_Devices;
};
