// Collector of the CSNP and LSP intervals of one interface's configuration block ("show run").
#pragma once

#include <string>

#include "CScoutCommandOutput.h"

class CZanRecord;
class CScoutStdRequester;
class CScoutCiscoProtocolEndPoint;

class CScoutCiscoTransmitInterface {
public:
    CScoutCiscoTransmitInterface();
    ~CScoutCiscoTransmitInterface();
    CScoutCiscoTransmitInterface(const CScoutCiscoTransmitInterface&) = delete;
    CScoutCiscoTransmitInterface& operator=(const CScoutCiscoTransmitInterface&) = delete;

    // Runs "show run"; true when a text came back.
    bool ObtainData(CZanRecord& ne, CScoutStdRequester& requester);
    // Reads the held text for the named interface into the end point.
    void ParseData(std::string& interfaceName, CScoutCiscoProtocolEndPoint* endPoint);

private:
    CScoutCommandOutput m_CommandOutput;
};
