// Collector of the CSNP and LSP intervals of one interface's configuration block ("show run").
#pragma once

#include <string>

#include "CScoutCommandOutput.h"
#include "CScoutQuillonProfile.h"

class CZanRecord;
class CScoutStdRequester;
class CScoutCiscoProtocolEndPoint;

class CScoutCiscoTransmitInterface {
public:
    explicit CScoutCiscoTransmitInterface(
        const CScoutQuillonProfile& profile = CScoutQuillonProfile::Classic());
    ~CScoutCiscoTransmitInterface();
    CScoutCiscoTransmitInterface(const CScoutCiscoTransmitInterface&) = delete;
    CScoutCiscoTransmitInterface& operator=(const CScoutCiscoTransmitInterface&) = delete;

    // Runs "show run"; true when a text came back.
    bool ObtainData(CZanRecord& ne, CScoutStdRequester& requester);
    // Reads the held text for the named interface into the end point.
    void ParseData(std::string& interfaceName, CScoutCiscoProtocolEndPoint* endPoint);

private:
    // The interval commands anywhere in the block after the interface line.
    void ParseAnyOrder(const std::string& interfaceLine, CScoutCiscoProtocolEndPoint* endPoint);

    const CScoutQuillonProfile& m_Profile;
    CScoutCommandOutput m_CommandOutput;
};
