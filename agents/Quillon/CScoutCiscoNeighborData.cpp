#include "CScoutCiscoNeighborData.h"

#include <cstdlib>
#include <cstring>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutStdRequester.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonCapture.h"
#include "QuillonTrace.h"

namespace {

// The column header above the neighbour table; traced with the pattern,
// never matched.
const char* const kHeader =
    "System Id      Type Interface IP Address      State Holdtime Circuit Id[\r\n]";

// An L1 neighbour, UP, circuit id 01, with its area line and its SNPA line.
// Group 1 is the interface number, group 2 the SNPA word.
const char* const kNeighborPattern =
    "[[:space:]]*[a-z0-9_]+[[:space:]]+L1[[:space:]]+[A-Za-z]+([0-9/:]+)[[:space:]]+[0-9.]+"
    "[[:space:]]+UP[[:space:]]+[0-9]+[[:space:]]+01[\r\n]"
    "[[:space:]]+Area.*:[[:space:]]+[0-9.]+[\r\n]"
    "[[:space:]]+SNPA:[[:space:]]+\\*([A-Z]+)\\*[[:space:]]+[\r\n].*";

const int kSlots = 3;
const int kInterfaceNumberGroup = 1;
const int kSNPAGroup = 2;

using QuillonCapture::Capture;

} // namespace

CScoutCiscoNeighborData::CScoutCiscoNeighborData() : m_CommandOutput(nullptr) {
    QuillonTrace::Line(2, "CScoutCiscoNeighborData::CScoutCiscoNeighborData()");
    QuillonTrace::Line(2, "leaving CScoutCiscoNeighborData::CScoutCiscoNeighborData()");
}

CScoutCiscoNeighborData::~CScoutCiscoNeighborData() {
    QuillonTrace::Line(2, "CScoutCiscoNeighborData::~CScoutCiscoNeighborData()");
    if (m_CommandOutput != nullptr) {
        free(m_CommandOutput);
        m_CommandOutput = nullptr;
    }
    QuillonTrace::Line(2, "leaving CScoutCiscoNeighborData::~CScoutCiscoNeighborData()");
}

bool CScoutCiscoNeighborData::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(3, "CScoutCiscoNeighborData::ObtainData");
    if (m_CommandOutput != nullptr)
        free(m_CommandOutput);
    m_CommandOutput = requester.SSRGetTELNET(&ne, "show isis neighbors detail");
    return m_CommandOutput != nullptr;
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
    if (m_CommandOutput == nullptr || endPoint == nullptr)
        return;

    // The first line of the output is never searched; an output of one line
    // holds no neighbour.
    const char* lineFeed = std::strchr(m_CommandOutput, '\n');
    if (lineFeed == nullptr)
        return;
    const char* start = lineFeed + 1;

    const char* name = interfaceName.c_str();
    std::string interfaceNumber;
    std::string snpa;
    while (regex.ZRStep(start) == 1) {
        if (!Capture(regex, kInterfaceNumberGroup, interfaceNumber))
            continue;
        QuillonTrace::Line(4, " interfaceStr = ", interfaceNumber);

        if (!Capture(regex, kSNPAGroup, snpa))
            continue;
        QuillonTrace::Line(4, " snpaStr = ", snpa);

        // A substring test: the neighbour on Se0/0 counts for Serial1/0/0 too.
        if (std::strstr(name, interfaceNumber.c_str()) != nullptr)
            endPoint->SetSNPA(snpa);
    }
}
