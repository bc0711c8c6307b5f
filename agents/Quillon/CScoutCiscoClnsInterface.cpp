#include "CScoutCiscoClnsInterface.h"

#include <cstdlib>
#include <cstring>

#include "CScoutCiscoLevelData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutMatchGroups.h"
#include "CScoutQuillonProfile.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"

namespace {

const int kSlots = 13;

// Reads up to two levels (Level-1, then Level-2) from a level-pattern match.
// A level whose values are not all there is dropped, and with it the rest.
void ExtractLevels(const CZanRegex& regex, int level2Base, CScoutCiscoProtocolEndPoint* endPoint) {
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
        base = level2Base;
    }
}

} // namespace

CScoutCiscoClnsInterface::CScoutCiscoClnsInterface(const CScoutQuillonProfile& profile)
    : m_Profile(profile) {
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
    interfacePattern += m_Profile.clnsInterface.section;
    CZanRegex interfaceRegex(interfacePattern.c_str(), kSlots);
    CZanRegex levelRegex(m_Profile.clnsInterface.levels, kSlots);
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
        if (!groups.Copy(m_Profile.clnsInterface.protocolGroup, protocol))
            continue;
        QuillonTrace::Line(4, " protocolStr = ", protocol);
        endPoint->SetISISEnabled(protocol == "IS-IS");

        if (!groups.Copy(m_Profile.clnsInterface.circuitTypeGroup, circuitType))
            continue;
        QuillonTrace::Line(4, " circuitTypeStr = ", circuitType);
        endPoint->SetCircuitType(circuitType);

        if (circuitType != "level-1-2")
            continue;
        // Each section takes the next level block after the previous one.
        if (levelPosition == nullptr || levelRegex.ZRStep(levelPosition) != 1)
            continue;
        ExtractLevels(levelRegex, m_Profile.clnsInterface.level2Base, endPoint);
    }
}
