#include "CScoutCiscoClnsNeighbor.h"

#include <cstring>
#include <string>
#include <utility>

#include "CScoutMatchGroups.h"
#include "CScoutQuillonProfile.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

namespace {

typedef void (CScoutCiscoConnectivity::*FieldSetter)(const std::string&);

struct BlockField {
    FieldSetter setter;
    const char* label;
};

// The captured fields, in the order they are read; their groups are the
// profile's, in the same order.
const BlockField kBlockFields[] = {
    {&CScoutCiscoConnectivity::SetSystemId, " systemId = "},
    {&CScoutCiscoConnectivity::SetInterface, " interface = "},
    {&CScoutCiscoConnectivity::SetConnectivityType, " connectivityType = "},
    {&CScoutCiscoConnectivity::SetAreaId, " areaId = "},
    {&CScoutCiscoConnectivity::SetIPAddress, " IPAddress = "},
};
const int kFieldCount = 5;

} // namespace

CScoutCiscoClnsNeighbor::CScoutCiscoClnsNeighbor(const CScoutQuillonProfile& profile)
    : m_Profile(profile) {
    QuillonTrace::Line(2, "CScoutCiscoClnsNeighbor::CScoutCiscoClnsNeighbor()");
    QuillonTrace::Line(2, "leaving CScoutCiscoClnsNeighbor::CScoutCiscoClnsNeighbor()");
}

CScoutCiscoClnsNeighbor::~CScoutCiscoClnsNeighbor() {
    QuillonTrace::Line(2, "CScoutCiscoClnsNeighbor::~CScoutCiscoClnsNeighbor()");
    QuillonTrace::Line(2, "leaving CScoutCiscoClnsNeighbor::~CScoutCiscoClnsNeighbor()");
}

bool CScoutCiscoClnsNeighbor::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(3, "CScoutCiscoClnsNeighbor::ObtainData");
    return m_CommandOutput.Obtain(ne, requester, "show clns is-neighbors detail");
}

void CScoutCiscoClnsNeighbor::ParseData(ConnectivityMap* map) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoClnsNeighbor::ParseData");

    const std::string& pattern = m_Profile.clnsNeighbor.block;
    QuillonTrace::Line(4, " 2 ParseData: clnsNeighborPattern = ", pattern);

    const char* text = m_CommandOutput.Text();
    const char* lineFeed = text != nullptr ? std::strchr(text, '\n') : nullptr;
    if (lineFeed == nullptr) {
        QuillonTrace::Line(
            1, "unable to parse CLNS neighbour data: ", text != nullptr ? text : "NULL");
        return;
    }

    CZanRegex regex(pattern.c_str(), m_Profile.clnsNeighbor.slots);
    if (regex.ZRCompiledCorrectly() != ZTRUE) {
        CZanError(-220439, "CScoutCiscoClnsNeighbor", 163,
                  "Parsing clns neighbors detail regex failed");
        return;
    }
    if (map == nullptr)
        return;

    // The first line (the command echo or a heading) is never part of a block.
    const char* subject = lineFeed + 1;
    const CScoutMatchGroups groups(regex);
    while (regex.ZRStep(subject) == 1) {
        CScoutCiscoConnectivity* entry = new CScoutCiscoConnectivity();
        bool complete = true;
        std::string value;
        for (int i = 0; i < kFieldCount; ++i) {
            const BlockField& field = kBlockFields[i];
            if (!groups.Copy(m_Profile.clnsNeighbor.groups[i], value)) {
                complete = false;
                break;
            }
            (entry->*field.setter)(value);
            QuillonTrace::Line(4, field.label, value);
        }
        if (!complete) {
            delete entry;
            continue;
        }
        // Equal keys keep their insertion order: a new entry goes after them.
        map->insert(std::make_pair(entry->GetInterface(), entry)); // the map owns it now
        QuillonTrace::Line(3, "Adding entry to connectivity map for interface ",
                           entry->GetInterface(), ", Ip ", entry->GetIPAddress());
    }
}
