#include "CScoutCiscoTransmitInterface.h"

#include <cstdlib>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutStdRequester.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonCapture.h"
#include "QuillonTrace.h"

namespace {

// The lines an IS-IS interface block holds, in this order, after its
// "interface" line.
const char* const kInterfaceBlock =
    "[\r\n]"
    "[[:space:]]+ip address [0-9.]+ [0-9.]+[\r\n]"
    "[[:space:]]+no ip directed-broadcast[\r\n]"
    "[[:space:]]+ip router isis[[:space:]]*[\r\n]"
    "[[:space:]]+ip pim sparse-mode[\r\n]"
    "[[:space:]]+isis csnp-interval ([0-9]+)[[:space:]]([a-z0-9-]+)[\r\n]"
    "[[:space:]]+isis lsp-interval ([0-9]+)[\r\n]";

const int kSlots = 4;
const int kCSNPIntervalGroup = 1;
const int kLevelGroup = 2;
const int kLSPIntervalGroup = 3;

using QuillonCapture::Capture;

} // namespace

CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface() : m_CommandOutput(nullptr) {
    QuillonTrace::Line(2, "CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()");
    QuillonTrace::Line(2, "leaving CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()");
}

CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface() {
    QuillonTrace::Line(2, "CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()");
    if (m_CommandOutput != nullptr) {
        free(m_CommandOutput);
        m_CommandOutput = nullptr;
    }
    QuillonTrace::Line(2, "leaving CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()");
}

bool CScoutCiscoTransmitInterface::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(3, "CScoutCiscoTransmitInterface::ObtainData");
    if (m_CommandOutput != nullptr)
        free(m_CommandOutput);
    m_CommandOutput = requester.SSRGetTELNET(&ne, "show run");
    return m_CommandOutput != nullptr;
}

void CScoutCiscoTransmitInterface::ParseData(std::string& interfaceName,
                                             CScoutCiscoProtocolEndPoint* endPoint) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoTransmitInterface::ParseData");
    QuillonTrace::Line(4, " isisInterface = ", interfaceName);

    // The name is pattern text, up to its first NUL as a C string would be.
    std::string interfaceLine("interface ");
    interfaceLine += interfaceName.c_str();
    QuillonTrace::Line(4, " 1 ParseData: pattern = ", interfaceLine);

    std::string pattern = interfaceLine + kInterfaceBlock;
    CZanRegex regex(pattern.c_str(), kSlots);
    if (regex.ZRCompiledCorrectly() != ZTRUE) {
        CZanError(-220439, "CScoutCiscoTransmitInterface", 162,
                  "Parsing interface line regex failed");
        return;
    }
    if (m_CommandOutput == nullptr || endPoint == nullptr)
        return;

    std::string text;
    while (regex.ZRStep(m_CommandOutput) == 1) {
        if (!Capture(regex, kCSNPIntervalGroup, text))
            continue;
        int csnpInterval = std::atoi(text.c_str());

        if (!Capture(regex, kLevelGroup, text))
            continue;
        if (text == "level-1")
            endPoint->SetL1CSNPTransmitInterval(csnpInterval);
        else if (text == "level-2")
            endPoint->SetL2CSNPTransmitInterval(csnpInterval);

        if (!Capture(regex, kLSPIntervalGroup, text))
            continue;
        endPoint->SetLSPTransmitInterval(std::atoi(text.c_str()));
    }
}
