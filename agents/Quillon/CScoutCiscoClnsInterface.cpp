#include "CScoutCiscoClnsInterface.h"

#include <cstdlib>
#include <cstring>

#include "CScoutCiscoLevelData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutStdRequester.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonCapture.h"
#include "QuillonTrace.h"

namespace {

// The section of one interface, from its first line to the circuit type
// line. The interface name goes in front of it as it stands.
const char* const kInterfaceSection =
    "[[:space:]]is[[:space:]]*(administratively)?[[:space:]]*(up|down),[[:space:]].*[\r\n]"
    "[[:space:]]+Checksums.*[\r\n]"
    "[[:space:]]+ERPDUs.*[\r\n]"
    "([[:space:]]+RDPDUs.*[\r\n])?"
    "([[:space:]]+Congestion.*[\r\n])?"
    "[[:space:]]+CLNS fast.*[\r\n]"
    "[[:space:]]+CLNS SSE.*[\r\n]"
    "[[:space:]]+DEC.*[\r\n]"
    "[[:space:]]+Next.*[\r\n]"
    "[[:space:]]+Routing Protocol:[[:space:]]([A-Z-]+)[\r\n]"
    "[[:space:]]*Circuit Type:[[:space:]]([a-z0-9-]+)[\r\n].*";

// The Level-1 line and what follows it, up to an optional Level-2 line. The
// Level-2 groups are the Level-1 groups plus kLevel2Base.
const char* const kLevelPattern =
    "[[:space:]]*(Level-1)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]]"
    "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n]"
    "([[:space:]]*DR ID:.*[\r\n])?"
    "([[:space:]]*Level-1 IPv6 Metric:.*[\r\n])?"
    "[[:space:]]*Number of active level-1 adjacencies:.*[\r\n]"
    "([[:space:]]*(Level-2)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]]"
    "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n])?";

const int kSlots = 13;
const int kProtocolGroup = 5;
const int kCircuitTypeGroup = 6;
const int kLevel2Base = 7;

using QuillonCapture::Capture;

// Reads up to two levels (Level-1, then Level-2) from a level-pattern match.
// A level whose values are not all there is dropped, and with it the rest.
void ExtractLevels(const CZanRegex& regex, CScoutCiscoProtocolEndPoint* endPoint) {
    int base = 0;
    for (int pass = 0; pass < 2; ++pass) {
        CScoutCiscoLevelData* level = new CScoutCiscoLevelData();
        QuillonTrace::Line(4, " i= ", base);

        std::string levelType;
        if (!Capture(regex, base + 1, levelType)) {
            delete level;
            return;
        }
        QuillonTrace::Line(4, " levelType = ", levelType);
        level->SetLevelType(levelType);

        std::string number;
        if (!Capture(regex, base + 2, number)) {
            delete level;
            return;
        }
        int metric = std::atoi(number.c_str());
        QuillonTrace::Line(4, " metric = ", metric);
        level->SetMetric(metric);

        if (!Capture(regex, base + 3, number)) {
            delete level;
            return;
        }
        int priority = std::atoi(number.c_str());
        QuillonTrace::Line(4, " priority = ", priority);
        level->SetPriority(priority);

        std::string circuitId;
        if (!Capture(regex, base + 4, circuitId)) {
            delete level;
            return;
        }
        QuillonTrace::Line(4, " circuitId = ", circuitId);
        level->SetCircuitID(circuitId);

        endPoint->AddLevelData(level);
        base = kLevel2Base;
    }
}

} // namespace

CScoutCiscoClnsInterface::CScoutCiscoClnsInterface() : m_CommandOutput(nullptr) {
    QuillonTrace::Line(2, "CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()");
    QuillonTrace::Line(2, "leaving CScoutCiscoClnsInterface::CScoutCiscoClnsInterface()");
}

CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface() {
    QuillonTrace::Line(2, "CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()");
    if (m_CommandOutput != nullptr) {
        free(m_CommandOutput);
        m_CommandOutput = nullptr;
    }
    QuillonTrace::Line(2, "leaving CScoutCiscoClnsInterface::~CScoutCiscoClnsInterface()");
}

bool CScoutCiscoClnsInterface::ObtainData(CZanRecord& ne, CScoutStdRequester& requester) {
    QuillonTrace::Line(3, "CScoutCiscoClnsInterface::ObtainData");
    if (m_CommandOutput != nullptr)
        free(m_CommandOutput);
    m_CommandOutput = requester.SSRGetTELNET(&ne, "show clns interface");
    return m_CommandOutput != nullptr;
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
    if (m_CommandOutput == nullptr || endPoint == nullptr)
        return;

    const char* interfacePosition = std::strstr(m_CommandOutput, name);
    if (interfacePosition == nullptr)
        return;
    // Without a "Level-1" after the name no section gets level entries.
    const char* levelPosition = std::strstr(interfacePosition, "Level-1");

    std::string protocol;
    std::string circuitType;
    while (interfaceRegex.ZRStep(interfacePosition) == 1) {
        if (!Capture(interfaceRegex, kProtocolGroup, protocol))
            continue;
        QuillonTrace::Line(4, " protocolStr = ", protocol);
        endPoint->SetISISEnabled(protocol == "IS-IS");

        if (!Capture(interfaceRegex, kCircuitTypeGroup, circuitType))
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
