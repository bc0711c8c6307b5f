#include "CScoutCiscoServiceData.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutMatchGroups.h"
#include "CScoutMediationStore.h"
#include "CScoutQuillonProfile.h"
#include "CScoutStdRequester.h"
#include "CZanAtom.h"
#include "CZanAtomVector.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "QuillonTrace.h"
#include "ScoutAgentUtils.h"

const std::string CScoutCiscoServiceData::m_ServiceIdAnchor("IS-IS Router:");
const std::string CScoutCiscoServiceData::m_NetAddrAnchor("NET:");
const std::string CScoutCiscoServiceData::m_HostnameAnchor("*");
const std::string CScoutCiscoServiceData::m_PseudoNodeAnchor("IS-IS");

namespace {

// The batch, in the order of the parse steps that read the answers.
const char* const kCommands[] = {
    "show clns protocol",
    "show clns",
    "show isis hostname | include \\*",
    "show isis database | include \\*",
    "show isis database",
};
const int kCommandCount = 5;

// The LSP id part that marks the router's own pseudo-node LSP, first fragment.
const char* const kPseudoNodeMark = "01-00";

// Where a step starts looking: the first occurrence of the anchor, or null
// when there is no text or the anchor does not occur. An empty anchor gives
// the beginning of the text.
const char* FindStart(const char* text, const std::string& anchor) {
    if (text == nullptr)
        return nullptr;
    return std::strstr(text, anchor.c_str());
}

typedef void (CScoutCiscoService::*ServiceSetter)(const std::string&);

struct ServiceField {
    int group;
    ServiceSetter setter;
    const char* label;
    int level;
};

// Reads every match from the start position into the service. A match that
// lacks a group is given up there; what it stored before stays, and a later
// match replaces what an earlier one stored.
template <size_t N>
void ReadServiceFields(CZanRegex& regex, const char* start, CScoutCiscoService* service,
                       const ServiceField (&fields)[N]) {
    if (start == nullptr || service == nullptr)
        return;
    const CScoutMatchGroups groups(regex);
    std::string value;
    while (regex.ZRStep(start) == 1) {
        for (const ServiceField& field : fields) {
            if (!groups.Copy(field.group, value))
                break;
            QuillonTrace::Line(field.level, field.label, value);
            (service->*field.setter)(value);
        }
    }
}

void SetFlag(bool* success, bool value) {
    if (success != nullptr)
        *success = value;
}

} // namespace

CScoutCiscoServiceData::CScoutCiscoServiceData(const CScoutQuillonProfile& profile)
    : m_Profile(profile) {
    QuillonTrace::Line(2, "CScoutCiscoServiceData::CScoutCiscoServiceData()");
    QuillonTrace::Line(2, "leaving CScoutCiscoServiceData::CScoutCiscoServiceData()");
}

CScoutCiscoServiceData::~CScoutCiscoServiceData() {
    QuillonTrace::Line(2, "CScoutCiscoServiceData::~CScoutCiscoServiceData()");
    m_Answers.reset();
    QuillonTrace::Line(2, "leaving CScoutCiscoServiceData::~CScoutCiscoServiceData()");
}

bool CScoutCiscoServiceData::CompileStep(const CZanRegex& regex, int line, const char* message,
                                         bool* success) {
    if (regex.ZRCompiledCorrectly() != ZTRUE) {
        SetFlag(success, false);
        CZanError(-220439, "CScoutCiscoServiceData", line, message);
        return false;
    }
    SetFlag(success, true);
    return true;
}

bool CScoutCiscoServiceData::ObtainData(CZanRecord& ne, CScoutStdRequester& requester,
                                        CScoutMediationData& md) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoServiceData::ObtainData");
    bool success = false;

    std::unique_ptr<CZanAtomVector> request(new CZanAtomVector(0));
    for (const char* command : kCommands)
        request->ZAVAddToEnd(new CZanAtom(command)); // the list owns the atom
    // The requester takes the request list over.
    m_Answers.reset(requester.SSRGetTELNET(&ne, request.release()));

    if (m_Answers == nullptr || m_Answers->ZAVSize() < 1) {
        const char* identifier = SAUFGetEntityIdentifier(&ne);
        QuillonTrace::Line(1, "unable to get sufficient data on device ",
                           identifier != nullptr ? identifier : "");
        return success;
    }

    // An answer that is missing or not a text has no text; its step then
    // finds nothing.
    const char* texts[kCommandCount];
    for (int position = 0; position < kCommandCount; ++position) {
        const CZanAtom* answer = m_Answers->ZAVGetValue(position);
        texts[position] =
            answer != nullptr && answer->ZAType() == ZAN_STRING ? answer->ZAString() : nullptr;
    }

    // Each object goes to the store, which frees one under a key it already
    // holds. BuildDIS looks for the host name that BuildHostname stores.
    CScoutMediationStore store(md);
    std::unique_ptr<CScoutCiscoService> service(new CScoutCiscoService());
    BuildServiceId(texts[0], service.get(), &success);
    BuildNetAddr(texts[1], service.get(), &success);
    BuildHostname(texts[2], service.get(), &success);
    BuildDIS(texts[3], service.get(), &success);
    store.Put("isisService", std::move(service));

    std::unique_ptr<CScoutCiscoPseudoNodeLSP> pseudoNode(new CScoutCiscoPseudoNodeLSP());
    BuildPseudoNode(texts[4], pseudoNode.get(), &success);
    store.Put("isisPseudoNodeLSP", std::move(pseudoNode));

    return success;
}

void CScoutCiscoServiceData::BuildServiceId(const char* text, CScoutCiscoService* service,
                                            bool* success) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoServiceData::BuildServiceId");
    const char* start = FindStart(text, m_ServiceIdAnchor);
    const CScoutQuillonProfile::Service& rules = m_Profile.service;
    CZanRegex regex(rules.serviceId.c_str(), rules.serviceIdSlots);
    if (!CompileStep(regex, 259, "Parsing ISIS Service line regex failed", success))
        return;
    const ServiceField fields[] = {
        {rules.tagGroup, &CScoutCiscoService::SetTag, " tagStr = ", 1},
        {rules.systemIdGroup, &CScoutCiscoService::SetSystemID, " systemId = ", 1},
        {rules.areaGroup, &CScoutCiscoService::SetAreaID, " areaId = ", 1},
    };
    ReadServiceFields(regex, start, service, fields);
    if (rules.tagWithoutBrackets && service != nullptr) {
        const std::string tag = service->GetTag();
        if (tag.size() >= 2 && tag.front() == '<' && tag.back() == '>')
            service->SetTag(tag.substr(1, tag.size() - 2));
    }
}

void CScoutCiscoServiceData::BuildNetAddr(const char* text, CScoutCiscoService* service,
                                          bool* success) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoServiceData::BuildNetAddr");
    const char* start = FindStart(text, m_NetAddrAnchor);
    const std::string& pattern = m_Profile.service.netAddr;
    QuillonTrace::Line(1, "netAddrPattern = ", pattern);
    CZanRegex regex(pattern.c_str(), m_Profile.service.netAddrSlots);
    if (!CompileStep(regex, 349, "Parsing ISIS NetAddress line regex failed", success))
        return;
    const ServiceField fields[] = {{1, &CScoutCiscoService::SetNETAddress, " netAddr = ", 1}};
    ReadServiceFields(regex, start, service, fields);
}

void CScoutCiscoServiceData::BuildHostname(const char* text, CScoutCiscoService* service,
                                           bool* success) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoServiceData::BuildHostname");
    QuillonTrace::Line(4, "hostNameData = ", text != nullptr ? text : "");
    const char* start = FindStart(text, m_HostnameAnchor);
    QuillonTrace::Line(4, "entryPtr = ", start != nullptr ? start : "");
    const CScoutQuillonProfile::Service& rules = m_Profile.service;
    CZanRegex regex(rules.hostname.c_str(), rules.hostnameSlots);
    if (!CompileStep(regex, 419, "Parsing ISIS hostname line regex failed", success))
        return;
    const ServiceField fields[] = {
        {rules.hostnameGroup, &CScoutCiscoService::SetHostName, " hostName = ", 4}};
    ReadServiceFields(regex, start, service, fields);
}

void CScoutCiscoServiceData::BuildDIS(const char* text, CScoutCiscoService* service,
                                      bool* success) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoServiceData::BuildDIS");
    // The router's own LSP ids begin with its host name; without one, the
    // whole answer is searched.
    const std::string hostName = service != nullptr ? service->GetHostName() : std::string();
    const char* start = FindStart(text, hostName);
    const CScoutQuillonProfile::Service& rules = m_Profile.service;
    const std::string& pattern = rules.dis;
    QuillonTrace::Line(4, "isisDatabasePattern = ", pattern);
    CZanRegex regex(pattern.c_str(), rules.disSlots);
    if (!CompileStep(regex, 489, "Parsing ISIS Database line regex failed", success))
        return;
    if (start == nullptr || service == nullptr)
        return;

    const CScoutMatchGroups groups(regex);
    std::string value;
    // The pseudo-node id of an LSP id, in the profile's base.
    const int base = rules.hexPseudoNodeIds ? 16 : 10;
    auto pseudoNodeIdOf = [base](const std::string& text) {
        return base == 10 ? std::atoi(text.c_str())
                          : static_cast<int>(std::strtol(text.c_str(), nullptr, base));
    };
    while (regex.ZRStep(start) == 1) {
        if (!groups.Copy(rules.disGroups[0], value))
            continue;
        QuillonTrace::Line(4, " DISStr = ", value);
        int pseudoNodeId = pseudoNodeIdOf(value);
        if (pseudoNodeId == 0) {
            if (!groups.Copy(rules.disGroups[2], value))
                continue;
            pseudoNodeId = pseudoNodeIdOf(value);
        }
        service->SetPseudoNodeDIS(pseudoNodeId != 0);

        if (!groups.Copy(rules.disGroups[1], value))
            continue;
        QuillonTrace::Line(4, " overloadBitStr = ", value);
        bool overload = std::atoi(value.c_str()) != 0;
        if (!overload) {
            if (!groups.Copy(rules.disGroups[3], value))
                continue;
            overload = std::atoi(value.c_str()) != 0;
        }
        service->SetOverloadBit(overload);
    }
}

void CScoutCiscoServiceData::BuildPseudoNode(const char* text, CScoutCiscoPseudoNodeLSP* pseudoNode,
                                             bool* success) {
    QuillonTrace::Line(1, "Entering into CScoutCiscoServiceData::BuildPseudoNode");
    const char* start = FindStart(text, m_PseudoNodeAnchor);
    const std::string& pattern = m_Profile.service.pseudoNode;
    QuillonTrace::Line(4, "isisDatabase = ", pattern);
    CZanRegex regex(pattern.c_str(), 5);
    if (!CompileStep(regex, 600, "Parsing ISIS Database line regex failed", success))
        return;
    if (start == nullptr || pseudoNode == nullptr)
        return;

    // Level words of the sections that begin with the router's own
    // pseudo-node LSP, joined for this call only.
    std::string levelTypes;
    std::string levelType;
    std::string lspId;
    std::string asterisk;
    const CScoutMatchGroups groups(regex);
    while (regex.ZRStep(start) == 1) {
        if (!groups.Copy(1, levelType))
            continue;
        QuillonTrace::Line(4, " LevelType = ", levelType);
        if (!groups.Copy(2, lspId))
            continue;
        QuillonTrace::Line(4, " generatedLSPStr = ", lspId);
        // A section whose first row is not the router's own gives no asterisk.
        if (!groups.Copy(3, asterisk))
            continue;
        QuillonTrace::Line(4, " AsteriskStr = ", asterisk);
        if (lspId.find(kPseudoNodeMark) == std::string::npos)
            continue;
        if (levelTypes.empty())
            levelTypes = levelType;
        else
            levelTypes += " AND " + levelType;
        QuillonTrace::Line(4, " levelTypeCopy = ", levelTypes);
        pseudoNode->SetLevelType(levelTypes);
        pseudoNode->SetGeneratedPseudoNodeLSP(lspId);
    }
}
