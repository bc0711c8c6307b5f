#include "CScoutCiscoTransmitInterface.h"

#include <cstdlib>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutMatchGroups.h"
#include "CScoutQuillonProfile.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

namespace {

const int kSlots = 4;
const int kCSNPIntervalGroup = 1;
const int kLevelGroup = 2;
const int kLSPIntervalGroup = 3;

// Sets the CSNP interval of the level the command names; other levels are
// not the end point's.
void SetCSNPInterval(const std::string& level, int interval,
                     CScoutCiscoProtocolEndPoint* endPoint) {
    if (level == "level-1")
        endPoint->SetL1CSNPTransmitInterval(interval);
    else if (level == "level-2")
        endPoint->SetL2CSNPTransmitInterval(interval);
}

} // namespace

CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface(const CScoutQuillonProfile& profile)
    : m_Profile(profile) {
    QuillonTrace::Line(2, "CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()");
    QuillonTrace::Line(2, "leaving CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()");
}

CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface() {
    QuillonTrace::Line(2, "CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()");
    QuillonTrace::Line(2, "leaving CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()");
}

bool CScoutCiscoTransmitInterface::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(3, "CScoutCiscoTransmitInterface::ObtainData");
    return m_CommandOutput.Obtain(ne, requester, "show run");
}

void CScoutCiscoTransmitInterface::ParseData(std::string& interfaceName,
                                             CScoutCiscoProtocolEndPoint* endPoint) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoTransmitInterface::ParseData");
    QuillonTrace::Line(4, " isisInterface = ", interfaceName);

    // The name is pattern text, up to its first NUL as a C string would be.
    std::string interfaceLine("interface ");
    interfaceLine += interfaceName.c_str();
    QuillonTrace::Line(4, " 1 ParseData: pattern = ", interfaceLine);

    if (m_Profile.transmitIntervals.anyOrder) {
        ParseAnyOrder(interfaceLine, endPoint);
        return;
    }
    std::string pattern = interfaceLine + m_Profile.transmitIntervals.fixedBlock;
    CZanRegex regex(pattern.c_str(), kSlots);
    if (regex.ZRCompiledCorrectly() != ZTRUE) {
        CZanError(-220439, "CScoutCiscoTransmitInterface", 162,
                  "Parsing interface line regex failed");
        return;
    }
    const char* text = m_CommandOutput.Text();
    if (text == nullptr || endPoint == nullptr)
        return;

    const CScoutMatchGroups groups(regex);
    std::string value;
    while (regex.ZRStep(text) == 1) {
        if (!groups.Copy(kCSNPIntervalGroup, value))
            continue;
        int csnpInterval = std::atoi(value.c_str());

        if (!groups.Copy(kLevelGroup, value))
            continue;
        SetCSNPInterval(value, csnpInterval, endPoint);

        if (!groups.Copy(kLSPIntervalGroup, value))
            continue;
        endPoint->SetLSPTransmitInterval(std::atoi(value.c_str()));
    }
}

void CScoutCiscoTransmitInterface::ParseAnyOrder(const std::string& interfaceLine,
                                                 CScoutCiscoProtocolEndPoint* endPoint) {
    const CScoutQuillonProfile::TransmitIntervals& rules = m_Profile.transmitIntervals;
    const std::string pattern = interfaceLine + rules.block;
    CZanRegex blockRegex(pattern.c_str(), 3);
    CZanRegex csnpRegex(rules.csnpInterval, 3);
    CZanRegex lspRegex(rules.lspInterval, 2);
    if (blockRegex.ZRCompiledCorrectly() != ZTRUE || csnpRegex.ZRCompiledCorrectly() != ZTRUE ||
        lspRegex.ZRCompiledCorrectly() != ZTRUE) {
        CZanError(-220439, "CScoutCiscoTransmitInterface", 162,
                  "Parsing interface line regex failed");
        return;
    }
    const char* text = m_CommandOutput.Text();
    if (text == nullptr || endPoint == nullptr)
        return;

    const CScoutMatchGroups blockGroups(blockRegex);
    const CScoutMatchGroups csnpGroups(csnpRegex);
    const CScoutMatchGroups lspGroups(lspRegex);
    std::string block;
    std::string value;
    std::string level;
    while (blockRegex.ZRStep(text) == 1) {
        if (!blockGroups.Copy(1, block))
            continue;
        // Each block is a text of its own: the two patterns start over on it.
        csnpRegex.ZRRestart();
        lspRegex.ZRRestart();
        while (csnpRegex.ZRStep(block.c_str()) == 1) {
            if (csnpGroups.Copy(1, value) && csnpGroups.Copy(2, level))
                SetCSNPInterval(level, std::atoi(value.c_str()), endPoint);
        }
        while (lspRegex.ZRStep(block.c_str()) == 1) {
            if (lspGroups.Copy(1, value))
                endPoint->SetLSPTransmitInterval(std::atoi(value.c_str()));
        }
    }
}
