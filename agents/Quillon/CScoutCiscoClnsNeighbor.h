// Collector of the router's CLNS IS adjacencies
// ("show clns is-neighbors detail").
#pragma once

#include "CScoutCiscoConnectivity.h"
#include "CScoutCommandOutput.h"
#include "CScoutQuillonProfile.h"

class CZanRecord;
class CScoutStdRequester;

class CScoutCiscoClnsNeighbor {
public:
    explicit CScoutCiscoClnsNeighbor(
        const CScoutQuillonProfile& profile = CScoutQuillonProfile::Classic());
    ~CScoutCiscoClnsNeighbor();
    CScoutCiscoClnsNeighbor(const CScoutCiscoClnsNeighbor&) = delete;
    CScoutCiscoClnsNeighbor& operator=(const CScoutCiscoClnsNeighbor&) = delete;

    // Runs "show clns is-neighbors detail"; true when a text came back.
    bool ObtainData(CZanRecord& ne, CScoutStdRequester& requester);
    // Adds one entry per neighbour block of the held text to the map.
    void ParseData(ConnectivityMap* map);

private:
    const CScoutQuillonProfile& m_Profile;
    CScoutCommandOutput m_CommandOutput;
};
