#include "CScoutCiscoClnsNeighbor.h"

#include <cstring>
#include <string>
#include <utility>

#include "CScoutMatchGroups.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

namespace {

// One neighbour block of "show clns is-neighbors detail", piece by piece.
// The summary row: system id (1), interface (2), the state column, the type
// column (3), the rest of the row and the start of the next line.
// "r3             Et0/0       Up     L1   64/64     r3.01              Phase V"
// Kept as written: the state class [A-za-z] runs from capital A to small z,
// so it also takes the six characters [ \ ] ^ _ ` that lie between them.
const char* const kSummaryRow = "([a-zA-Z0-9_.\\-]+)[[:space:]]+([A-Za-z0-9\\/:]+)[[:space:]]+"
                                "[A-za-z]+[[:space:]]+([a-zA-Z0-9]+).*[\r\n].*";
// The single area address (4).
// "  Area Address(es): 49.0001"
const char* const kAreaLine = "[[:space:]]+Area Address\\(es\\):[[:space:]]+([0-9.]+)[\r\n]";
// The single IP address (5), directly followed by an asterisk.
// "  IP Address(es):  10.0.12.3*"
const char* const kAddressLine = "[[:space:]]+IP Address\\(es\\):[[:space:]]+([0-9.]+)\\*[\r\n]";
// The uptime line, required.
// "  Uptime: 00:05:17"
const char* const kUptimeLine = "[[:space:]]+Uptime:.*[\r\n]";
// An optional graceful-restart line (6, not read).
// "  NSF capable"
const char* const kNsfLine = "([[:space:]]+NSF capable[\r\n])?";

const int kSlotCount = 8;

typedef void (CScoutCiscoConnectivity::*FieldSetter)(const std::string&);

struct BlockField {
    int group;
    FieldSetter setter;
    const char* label;
};

// The captured fields, in the order they are read.
const BlockField kBlockFields[] = {
    {1, &CScoutCiscoConnectivity::SetSystemId, " systemId = "},
    {2, &CScoutCiscoConnectivity::SetInterface, " interface = "},
    {3, &CScoutCiscoConnectivity::SetConnectivityType, " connectivityType = "},
    {4, &CScoutCiscoConnectivity::SetAreaId, " areaId = "},
    {5, &CScoutCiscoConnectivity::SetIPAddress, " IPAddress = "},
};

} // namespace

CScoutCiscoClnsNeighbor::CScoutCiscoClnsNeighbor() {
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

    std::string pattern;
    pattern += kSummaryRow;
    pattern += kAreaLine;
    pattern += kAddressLine;
    pattern += kUptimeLine;
    pattern += kNsfLine;
    QuillonTrace::Line(4, " 2 ParseData: clnsNeighborPattern = ", pattern);

    const char* text = m_CommandOutput.Text();
    const char* lineFeed = text != nullptr ? std::strchr(text, '\n') : nullptr;
    if (lineFeed == nullptr) {
        QuillonTrace::Line(
            1, "unable to parse CLNS neighbour data: ", text != nullptr ? text : "NULL");
        return;
    }

    CZanRegex regex(pattern.c_str(), kSlotCount);
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
        for (const BlockField& field : kBlockFields) {
            if (!groups.Copy(field.group, value)) {
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
