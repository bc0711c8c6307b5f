#include "CScoutCiscoNeighborData.h"

#include <cstring>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutMatchGroups.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

namespace {

// The column header above the neighbour table; traced with the pattern,
// never matched. Kept as written: the router spaces its columns wider:
// "System Id      Type Interface   IP Address      State Holdtime Circuit Id"
const char* const kHeader =
    "System Id      Type Interface IP Address      State Holdtime Circuit Id[\r\n]";

// A neighbour of "show isis neighbors detail" with its area line and its
// SNPA line. Group 1 is the interface number, group 2 the SNPA word.
const char* const kNeighborPattern =
    // "r2             L1   Se0/0       10.1.2.2        UP    27       01"
    // Kept as written: only an L1 neighbour in state UP on circuit id 01
    // matches; L2 and L1L2 rows, other states and LAN circuit ids never do.
    // The system id column is not anchored either, so only its tail counts.
    "[[:space:]]*[a-z0-9_]+[[:space:]]+L1[[:space:]]+[A-Za-z]+([0-9/:]+)[[:space:]]+[0-9.]+"
    "[[:space:]]+UP[[:space:]]+[0-9]+[[:space:]]+01[\r\n]"
    // "  Area Address(es): 49.0001"
    "[[:space:]]+Area.*:[[:space:]]+[0-9.]+[\r\n]"
    // "  SNPA: *HDLC*  ", and the start of the line after it
    "[[:space:]]+SNPA:[[:space:]]+\\*([A-Z]+)\\*[[:space:]]+[\r\n].*";

const int kSlots = 3;
const int kInterfaceNumberGroup = 1;
const int kSNPAGroup = 2;

} // namespace

CScoutCiscoNeighborData::CScoutCiscoNeighborData() {
    QuillonTrace::Line(2, "CScoutCiscoNeighborData::CScoutCiscoNeighborData()");
    QuillonTrace::Line(2, "leaving CScoutCiscoNeighborData::CScoutCiscoNeighborData()");
}

CScoutCiscoNeighborData::~CScoutCiscoNeighborData() {
    QuillonTrace::Line(2, "CScoutCiscoNeighborData::~CScoutCiscoNeighborData()");
    QuillonTrace::Line(2, "leaving CScoutCiscoNeighborData::~CScoutCiscoNeighborData()");
}

bool CScoutCiscoNeighborData::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(3, "CScoutCiscoNeighborData::ObtainData");
    return m_CommandOutput.Obtain(ne, requester, "show isis neighbors detail");
}

void CScoutCiscoNeighborData::ParseData(std::string& interfaceName,
                                        CScoutCiscoProtocolEndPoint* endPoint) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoNeighborData::ParseData");
    QuillonTrace::Line(4, " isisInterface = ", interfaceName);
    QuillonTrace::Line(4, " 2 ParseData: neighborPattern = ", kHeader, kNeighborPattern);

    CZanRegex regex(kNeighborPattern, kSlots);
    if (regex.ZRCompiledCorrectly() != ZTRUE) {
        CZanError(-220439, "CScoutCiscoNeighborData", 163, "Parsing interface line regex failed");
        return;
    }
    const char* text = m_CommandOutput.Text();
    if (text == nullptr || endPoint == nullptr)
        return;

    // The first line of the output is never searched; an output of one line
    // holds no neighbour.
    const char* lineFeed = std::strchr(text, '\n');
    if (lineFeed == nullptr)
        return;
    const char* start = lineFeed + 1;

    const char* name = interfaceName.c_str();
    const CScoutMatchGroups groups(regex);
    std::string interfaceNumber;
    std::string snpa;
    while (regex.ZRStep(start) == 1) {
        if (!groups.Copy(kInterfaceNumberGroup, interfaceNumber))
            continue;
        QuillonTrace::Line(4, " interfaceStr = ", interfaceNumber);

        if (!groups.Copy(kSNPAGroup, snpa))
            continue;
        QuillonTrace::Line(4, " snpaStr = ", snpa);

        // A substring test: the neighbour on Se0/0 counts for Serial1/0/0 too.
        if (std::strstr(name, interfaceNumber.c_str()) != nullptr)
            endPoint->SetSNPA(snpa);
    }
}
