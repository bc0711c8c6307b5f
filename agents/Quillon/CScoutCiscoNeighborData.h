// Collector of the SNPA word of the IS-IS neighbour seen on one interface
// ("show isis neighbors detail").
#pragma once

#include <string>

#include "CScoutCommandOutput.h"
#include "CScoutQuillonProfile.h"

class CZanRecord;
class CScoutStdRequester;
class CScoutCiscoProtocolEndPoint;

class CScoutCiscoNeighborData {
public:
    explicit CScoutCiscoNeighborData(
        const CScoutQuillonProfile& profile = CScoutQuillonProfile::Classic());
    ~CScoutCiscoNeighborData();
    CScoutCiscoNeighborData(const CScoutCiscoNeighborData&) = delete;
    CScoutCiscoNeighborData& operator=(const CScoutCiscoNeighborData&) = delete;

    // Runs "show isis neighbors detail"; true when a text came back.
    bool ObtainData(CZanRecord& ne, CScoutStdRequester& requester);
    // Reads the held text for the named interface into the end point.
    void ParseData(std::string& interfaceName, CScoutCiscoProtocolEndPoint* endPoint);

private:
    const CScoutQuillonProfile& m_Profile;
    CScoutCommandOutput m_CommandOutput;
};
