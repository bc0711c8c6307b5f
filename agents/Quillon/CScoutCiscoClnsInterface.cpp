#include "CScoutCiscoClnsInterface.h"

#include <cstdlib>
#include <cstring>

#include "CScoutCiscoLevelData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutMatchGroups.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

namespace {

// The section of one interface in "show clns interface", from its first line
// to the circuit type line. The interface name goes in front of it as it
// stands; kept as written: the name is neither escaped nor anchored to a
// line start, so a "." in it matches any character and "Ethernet0/0" also
// finds the section of "FastEthernet0/0".
const char* const kInterfaceSection =
    // "FastEthernet0/0 is up, line protocol is up", from the blank after the name
    "[[:space:]]is[[:space:]]*(administratively)?[[:space:]]*(up|down),[[:space:]].*[\r\n]"
    // "  Checksums enabled, MTU 1497, Encapsulation SAP"
    "[[:space:]]+Checksums.*[\r\n]"
    // "  ERPDUs enabled, min. interval 10 msec."
    "[[:space:]]+ERPDUs.*[\r\n]"
    // "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled", if there
    "([[:space:]]+RDPDUs.*[\r\n])?"
    // "  Congestion Experienced bit set at 4 packets", if there
    "([[:space:]]+Congestion.*[\r\n])?"
    // "  CLNS fast switching enabled"
    "[[:space:]]+CLNS fast.*[\r\n]"
    // "  CLNS SSE switching disabled"
    "[[:space:]]+CLNS SSE.*[\r\n]"
    // "  DEC compatibility mode OFF for this interface"
    "[[:space:]]+DEC.*[\r\n]"
    // "  Next ESH/ISH in 8 seconds"
    "[[:space:]]+Next.*[\r\n]"
    // "  Routing Protocol: IS-IS"
    "[[:space:]]+Routing Protocol:[[:space:]]([A-Z-]+)[\r\n]"
    // "    Circuit Type: level-1-2", and the start of the line after it
    "[[:space:]]*Circuit Type:[[:space:]]([a-z0-9-]+)[\r\n].*";

// The Level-1 line and what follows it, up to an optional Level-2 line. The
// Level-2 groups are the Level-1 groups plus kLevel2Base.
const char* const kLevelPattern =
    // "    Level-1 Metric: 10, Priority: 64, Circuit ID: r1.01"
    "[[:space:]]*(Level-1)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]]"
    "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n]"
    // "    DR ID: r1.01", if there
    "([[:space:]]*DR ID:.*[\r\n])?"
    // "    Level-1 IPv6 Metric: 10", if there
    "([[:space:]]*Level-1 IPv6 Metric:.*[\r\n])?"
    // "    Number of active level-1 adjacencies: 1"
    "[[:space:]]*Number of active level-1 adjacencies:.*[\r\n]"
    // "    Level-2 Metric: 10, Priority: 64, Circuit ID: r1.01", if there
    "([[:space:]]*(Level-2)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]]"
    "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n])?";

const int kSlots = 13;
const int kProtocolGroup = 5;
const int kCircuitTypeGroup = 6;
const int kLevel2Base = 7;

// Reads up to two levels (Level-1, then Level-2) from a level-pattern match.
// A level whose values are not all there is dropped, and with it the rest.
void ExtractLevels(const CZanRegex& regex, CScoutCiscoProtocolEndPoint* endPoint) {
    const CScoutMatchGroups groups(regex);
    int base = 0;
    for (int pass = 0; pass < 2; ++pass) {
        CScoutCiscoLevelData* level = new CScoutCiscoLevelData();
        QuillonTrace::Line(4, " i= ", base);

        std::string levelType;
        if (!groups.Copy(base + 1, levelType)) {
            delete level;
            return;
        }
        QuillonTrace::Line(4, " levelType = ", levelType);
        level->SetLevelType(levelType);

        std::string number;
        if (!groups.Copy(base + 2, number)) {
            delete level;
            return;
        }
        int metric = std::atoi(number.c_str());
        QuillonTrace::Line(4, " metric = ", metric);
        level->SetMetric(metric);

        if (!groups.Copy(base + 3, number)) {
            delete level;
            return;
        }
        int priority = std::atoi(number.c_str());
        QuillonTrace::Line(4, " priority = ", priority);
        level->SetPriority(priority);

        std::string circuitId;
        if (!groups.Copy(base + 4, circuitId)) {
            delete level;
            return;
        }
        QuillonTrace::Line(4, " circuitId = ", circuitId);
        level->SetCircuitID(circuitId);

        endPoint->AddLevelData(level); // the end point owns it now
        base = kLevel2Base;
    }
}

} // namespace

CScoutCiscoClnsInterface::CScoutCiscoClnsInterface() {
    QuillonTrace::Line(2, "CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()");
    QuillonTrace::Line(2, "leaving CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()");
}

CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface() {
    QuillonTrace::Line(2, "CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()");
    QuillonTrace::Line(2, "leaving CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()");
}

bool CScoutCiscoClnsInterface::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(3, "CScoutCiscoClnsInterface::ObtainData");
    return m_CommandOutput.Obtain(ne, requester, "show clns interface");
}

void CScoutCiscoClnsInterface::ParseData(std::string& interfaceName,
                                         CScoutCiscoProtocolEndPoint* endPoint) {
    QuillonTrace::Line(3, "Entering into CScoutCiscoClnsInterface::ParseData");

    // The name is pattern text: a "." in it matches any character.
    const char* name = interfaceName.c_str();
    std::string interfacePattern(name);
    interfacePattern += kInterfaceSection;
    CZanRegex interfaceRegex(interfacePattern.c_str(), kSlots);
    CZanRegex levelRegex(kLevelPattern, kSlots);
    if (interfaceRegex.ZRCompiledCorrectly() != ZTRUE ||
        levelRegex.ZRCompiledCorrectly() != ZTRUE) {
        CZanError(-220439, "CScoutCiscoClnsInterface", 190, "Parsing interface line regex failed");
        return;
    }
    const char* text = m_CommandOutput.Text();
    if (text == nullptr || endPoint == nullptr)
        return;

    // A plain substring search, no more anchored than the pattern.
    const char* interfacePosition = std::strstr(text, name);
    if (interfacePosition == nullptr)
        return;
    // Without a "Level-1" after the name no section gets level entries.
    const char* levelPosition = std::strstr(interfacePosition, "Level-1");

    const CScoutMatchGroups groups(interfaceRegex);
    std::string protocol;
    std::string circuitType;
    while (interfaceRegex.ZRStep(interfacePosition) == 1) {
        if (!groups.Copy(kProtocolGroup, protocol))
            continue;
        QuillonTrace::Line(4, " protocolStr = ", protocol);
        endPoint->SetISISEnabled(protocol == "IS-IS");

        if (!groups.Copy(kCircuitTypeGroup, circuitType))
            continue;
        QuillonTrace::Line(4, " circuitTypeStr = ", circuitType);
        endPoint->SetCircuitType(circuitType);

        if (circuitType != "level-1-2")
            continue;
        // Each section takes the next level block after the previous one.
        if (levelPosition == nullptr || levelRegex.ZRStep(levelPosition) != 1)
            continue;
        ExtractLevels(levelRegex, endPoint);
    }
}
