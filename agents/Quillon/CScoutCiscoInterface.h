// Collector of the interfaces on which a router runs IS-IS
// ("show clns protocol").
#pragma once

#include <set>
#include <string>

#include "CScoutCommandOutput.h"
#include "QuillonApi.h"

class CZanRecord;
class CScoutStdRequester;
class CScoutQuillonProfile;

// Interface names in byte order, each held once.
typedef std::set<std::string> InterfaceNameSet;

class QUILLON_API CScoutCiscoInterface {
public:
    CScoutCiscoInterface();
    ~CScoutCiscoInterface();

    // Runs "show clns protocol"; true when a text came back.
    bool ObtainData(CZanRecord& ne, CScoutStdRequester& requester);
    // Adds the names listed after the interface tag line to the set, as
    // IOS 12.x lists them.
    void ParseData(InterfaceNameSet& names);
    // The same, with the profile's patterns.
    QUILLON_LOCAL void ParseData(InterfaceNameSet& names, const CScoutQuillonProfile& profile);

    // The collector owns its text: it is never copy-constructed, and an
    // assignment gives the target its own copy of the source's text.
    CScoutCiscoInterface(const CScoutCiscoInterface&) = delete;
    CScoutCiscoInterface& operator=(const CScoutCiscoInterface& other);

private:
    static const std::string m_ISISInterfaceStr;
    // The command text; the exported object stays one pointer wide.
    CScoutCommandOutput m_CommandOutput;
};
