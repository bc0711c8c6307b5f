#include "CScoutCiscoTransmitInterface.h"

#include <cstdlib>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutMatchGroups.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

namespace {

// The block of one interface in "show run", after its "interface" line:
// "interface FastEthernet0/0". Kept as written: the block matches only with
// these lines in this order and no other non-blank line between them.
const char* const kInterfaceBlock =
    // the end of the "interface" line
    "[\r\n]"
    // " ip address 10.1.1.1 255.255.255.0"
    "[[:space:]]+ip address [0-9.]+ [0-9.]+[\r\n]"
    // " no ip directed-broadcast"
    "[[:space:]]+no ip directed-broadcast[\r\n]"
    // " ip router isis "
    "[[:space:]]+ip router isis[[:space:]]*[\r\n]"
    // " ip pim sparse-mode"
    "[[:space:]]+ip pim sparse-mode[\r\n]"
    // " isis csnp-interval 10 level-1"
    "[[:space:]]+isis csnp-interval ([0-9]+)[[:space:]]([a-z0-9-]+)[\r\n]"
    // " isis lsp-interval 33"
    "[[:space:]]+isis lsp-interval ([0-9]+)[\r\n]";

const int kSlots = 4;
const int kCSNPIntervalGroup = 1;
const int kLevelGroup = 2;
const int kLSPIntervalGroup = 3;

} // namespace

CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface() {
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

    std::string pattern = interfaceLine + kInterfaceBlock;
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
        if (value == "level-1")
            endPoint->SetL1CSNPTransmitInterval(csnpInterval);
        else if (value == "level-2")
            endPoint->SetL2CSNPTransmitInterval(csnpInterval);

        if (!groups.Copy(kLSPIntervalGroup, value))
            continue;
        endPoint->SetLSPTransmitInterval(std::atoi(value.c_str()));
    }
}
