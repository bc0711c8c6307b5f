#include "CScoutCiscoNeighborData.h"

#include <cstring>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutMatchGroups.h"
#include "CScoutQuillonProfile.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

CScoutCiscoNeighborData::CScoutCiscoNeighborData(const CScoutQuillonProfile& profile)
    : m_Profile(profile) {
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
    const CScoutQuillonProfile::IsisNeighbor& rules = m_Profile.isisNeighbor;
    QuillonTrace::Line(4, " 2 ParseData: neighborPattern = ", rules.header, rules.neighbor);

    CZanRegex regex(rules.neighbor, rules.slots);
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
        if (!groups.Copy(rules.interfaceNumberGroup, interfaceNumber))
            continue;
        QuillonTrace::Line(4, " interfaceStr = ", interfaceNumber);

        if (!groups.Copy(rules.snpaGroup, snpa))
            continue;
        QuillonTrace::Line(4, " snpaStr = ", snpa);

        // A substring test: the neighbour on Se0/0 counts for Serial1/0/0 too.
        if (std::strstr(name, interfaceNumber.c_str()) != nullptr)
            endPoint->SetSNPA(snpa);
    }
}
