// Collector of the protocol flag, circuit type and levels of one interface ("show clns interface").
#pragma once

#include <string>

#include "CScoutCommandOutput.h"
#include "CScoutQuillonProfile.h"

class CZanRecord;
class CScoutStdRequester;
class CScoutCiscoProtocolEndPoint;

class CScoutCiscoClnsInterface {
public:
    explicit CScoutCiscoClnsInterface(
        const CScoutQuillonProfile& profile = CScoutQuillonProfile::Classic());
    ~CScoutCiscoClnsInterface();
    CScoutCiscoClnsInterface(const CScoutCiscoClnsInterface&) = delete;
    CScoutCiscoClnsInterface& operator=(const CScoutCiscoClnsInterface&) = delete;

    // Runs "show clns interface"; true when a text came back.
    bool ObtainData(CZanRecord& ne, CScoutStdRequester& requester);
    // Reads the held text for the named interface into the end point.
    void ParseData(std::string& interfaceName, CScoutCiscoProtocolEndPoint* endPoint);

private:
    const CScoutQuillonProfile& m_Profile;
    CScoutCommandOutput m_CommandOutput;
};
