// Harnesses that feed arbitrary bytes, as a router's answer, to each parse
// step of the agent. Each one builds everything it needs, frees everything it
// built, and returns false when a property that must hold for any answer did
// not. The fuzz targets and the regression tests share them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "CScoutAgent.h"
#include "CScoutCiscoClnsInterface.h"
#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoConnectivity.h"
#include "CScoutCiscoInterface.h"
#include "CScoutCiscoNeighborData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "CScoutCiscoTransmitInterface.h"
#include "CScoutDevice.h"
#include "CScoutEntity.h"
#include "CScoutInterfaceNameTranslator.h"
#include "CScoutQuillonAgent.h"
#include "CScoutQuillonProfile.h"
#include "CScoutStdRequester.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "LabDevice.h"
#include "ZanDebug.h"

extern "C" CScoutAgent* SAInstantiate();

namespace quillon_fuzz {

// A stream buffer that swallows everything written to it.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c == traits_type::eof() ? 0 : c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// For the life of the guard every trace line is produced (trace level 4) and
// standard output and error, as the agent and the host write them, go
// nowhere. Sanitizer reports do not go through these streams.
class Quiet {
public:
    Quiet()
        : m_Level(__Zandemar_Debug_Level), m_Out(std::cout.rdbuf(&Sink())),
          m_Err(std::cerr.rdbuf(&Sink())) {
        __Zandemar_Debug_Level = 4;
    }
    ~Quiet() {
        std::cerr.rdbuf(m_Err);
        std::cout.rdbuf(m_Out);
        __Zandemar_Debug_Level = m_Level;
    }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    static NullBuffer& Sink() {
        static NullBuffer sink;
        return sink;
    }
    int m_Level;
    std::streambuf* m_Out;
    std::streambuf* m_Err;
};

// A router that takes command sessions, its requester and its entity.
class Router {
public:
    Router() : m_Entity("fuzz") {
        m_Device.SLDEnableCommands();
        m_Requester.SSRAddDevice("fuzz", &m_Device);
        m_Entity.SEBegin();
    }
    ~Router() { m_Entity.SEEnd(); }
    Router(const Router&) = delete;
    Router& operator=(const Router&) = delete;

    void Answer(const std::string& command, const std::string& output) {
        m_Device.SLDSetCommand(command, output);
    }
    void IfDescr(std::vector<CScoutSnmpRow> rows) { m_Device.SLDSetIfDescr(std::move(rows)); }

    CZanRecord& Record() { return m_Entity.SERecord(); }
    CScoutStdRequester& Requester() { return m_Requester; }
    CScoutEntity& Entity() { return m_Entity; }

private:
    LabDevice m_Device;
    CScoutStdRequester m_Requester;
    CScoutEntity m_Entity;
};

inline std::string Bytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The first word of the text after `after` (from the start when empty), at
// most 64 bytes; empty when there is none.
inline std::string WordAfter(const std::string& text, const std::string& after) {
    size_t position = 0;
    if (!after.empty()) {
        position = text.find(after);
        if (position == std::string::npos)
            return std::string();
        position += after.size();
    }
    while (position < text.size() && IsBlank(text[position]))
        ++position;
    size_t end = position;
    while (end < text.size() && end - position < 64 && !IsBlank(text[end]) && text[end] != '\0')
        ++end;
    return text.substr(position, end - position);
}

// Interface names to parse an output for: usual ones, ones that are not
// valid patterns or are patterns that match much more than themselves, an
// empty one, and one taken from the output itself so that its own sections
// are reached.
inline std::vector<std::string> InterfaceNames(const std::string& output,
                                               const std::string& nameAfter) {
    std::vector<std::string> names = {"Ethernet0/0", "Serial1/0", "GigabitEthernet0/1.100", "Et0",
                                      "Serial(1",    "Gi0/0+",    "Serial1/0/0:1",          ".*",
                                      "(a|b)*[",     ""};
    const std::string own = WordAfter(output, nameAfter);
    if (!own.empty())
        names.push_back(own);
    return names;
}

// Renders an end point's record and frees it.
inline void Render(const CScoutCiscoProtocolEndPoint& endPoint) {
    delete endPoint.GeneratePEData();
}

using Profile = CScoutQuillonProfile;

// The interface list of "show clns protocol".
inline bool InterfaceListWith(const Profile& profile, const uint8_t* data, size_t size) {
    Quiet quiet;
    Router router;
    router.Answer("show clns protocol", Bytes(data, size));
    CScoutCiscoInterface collector;
    if (!collector.ObtainData(router.Record(), router.Requester()))
        return false;
    InterfaceNameSet names;
    collector.ParseData(names, profile);
    // Names are single words.
    for (const std::string& name : names) {
        if (name.empty())
            return false;
        for (const char c : name) {
            if (IsBlank(c) || c == '\0')
                return false;
        }
    }
    return true;
}

inline bool InterfaceList(const uint8_t* data, size_t size) {
    return InterfaceListWith(Profile::Classic(), data, size);
}

// One per-interface collector on an output, for several interface names.
template <typename Collector>
bool PerInterface(const char* command, const uint8_t* data, size_t size,
                  const std::string& nameAfter, const Profile& profile = Profile::Classic()) {
    Quiet quiet;
    const std::string output = Bytes(data, size);
    Router router;
    router.Answer(command, output);
    Collector collector(profile);
    if (!collector.ObtainData(router.Record(), router.Requester()))
        return false;
    for (std::string name : InterfaceNames(output, nameAfter)) {
        CScoutCiscoProtocolEndPoint endPoint;
        collector.ParseData(name, &endPoint);
        Render(endPoint);
    }
    std::string name = "Ethernet0/0";
    collector.ParseData(name, nullptr);
    return true;
}

// "show clns interface": protocol, circuit type and levels.
inline bool ClnsInterface(const uint8_t* data, size_t size) {
    return PerInterface<CScoutCiscoClnsInterface>("show clns interface", data, size, "");
}

// "show run": the transmit intervals.
inline bool TransmitIntervals(const uint8_t* data, size_t size) {
    return PerInterface<CScoutCiscoTransmitInterface>("show run", data, size, "interface ");
}

// "show isis neighbors detail": the SNPA word.
inline bool IsisNeighbors(const uint8_t* data, size_t size) {
    return PerInterface<CScoutCiscoNeighborData>("show isis neighbors detail", data, size, "");
}

// "show clns is-neighbors detail": the connectivity map.
inline bool ClnsNeighborsWith(const Profile& profile, const uint8_t* data, size_t size) {
    Quiet quiet;
    Router router;
    router.Answer("show clns is-neighbors detail", Bytes(data, size));
    CScoutCiscoClnsNeighbor collector(profile);
    if (!collector.ObtainData(router.Record(), router.Requester()))
        return false;
    ConnectivityMap map;
    collector.ParseData(&map);
    collector.ParseData(nullptr);
    // Every entry is complete and filed under its own interface.
    bool complete = true;
    for (const auto& [interfaceName, entry] : map) {
        if (interfaceName != entry->GetInterface() || entry->GetSystemId().empty() ||
            entry->GetInterface().empty() || entry->GetConnectivityType().empty() ||
            entry->GetAreaId().empty() || entry->GetIPAddress().empty())
            complete = false;
        delete entry;
    }
    return complete;
}

inline bool ClnsNeighbors(const uint8_t* data, size_t size) {
    return ClnsNeighborsWith(Profile::Classic(), data, size);
}

// One service parse step on the text, into a fresh object, into none, and
// without a flag to set. The step's pattern compiles, so it sets the flag.
template <typename Target, typename Step>
bool ServiceStep(const uint8_t* data, size_t size, Step step, const char* hostName = nullptr,
                 const Profile& profile = Profile::Classic()) {
    Quiet quiet;
    const std::string text = Bytes(data, size);
    CScoutCiscoServiceData collector(profile);
    Target target;
    if constexpr (std::is_same_v<Target, CScoutCiscoService>) {
        if (hostName != nullptr)
            target.SetHostName(hostName);
    }
    bool success = false;
    (collector.*step)(text.c_str(), &target, &success);
    (collector.*step)(text.c_str(), nullptr, nullptr);
    bool stillSuccess = false;
    (collector.*step)(nullptr, &target, &stillSuccess);
    if constexpr (std::is_same_v<Target, CScoutCiscoService>)
        delete target.GenerateServiceData();
    else
        delete target.GeneratePseudoNodeLSPData();
    return success && stillSuccess;
}

inline bool ServiceId(const uint8_t* data, size_t size) {
    return ServiceStep<CScoutCiscoService>(data, size, &CScoutCiscoServiceData::BuildServiceId);
}

inline bool NetAddr(const uint8_t* data, size_t size) {
    return ServiceStep<CScoutCiscoService>(data, size, &CScoutCiscoServiceData::BuildNetAddr);
}

inline bool Hostname(const uint8_t* data, size_t size) {
    return ServiceStep<CScoutCiscoService>(data, size, &CScoutCiscoServiceData::BuildHostname);
}

// The own LSP lines, found after the host name, and over the whole answer
// when there is no host name.
inline bool DIS(const uint8_t* data, size_t size) {
    const std::string text = Bytes(data, size);
    const std::string firstWord = WordAfter(text, "");
    const std::string hostName = firstWord.substr(0, firstWord.find('.'));
    return ServiceStep<CScoutCiscoService>(data, size, &CScoutCiscoServiceData::BuildDIS, "r1") &&
           ServiceStep<CScoutCiscoService>(data, size, &CScoutCiscoServiceData::BuildDIS, "") &&
           ServiceStep<CScoutCiscoService>(data, size, &CScoutCiscoServiceData::BuildDIS,
                                           hostName.c_str());
}

inline bool PseudoNode(const uint8_t* data, size_t size) {
    return ServiceStep<CScoutCiscoPseudoNodeLSP>(data, size,
                                                 &CScoutCiscoServiceData::BuildPseudoNode);
}

// The text split into lines (at LF), at most `limit` of them.
inline std::vector<std::string> Lines(const std::string& text, size_t limit) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size() && lines.size() < limit) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The ifDescr walk of the lines: row j has index j + 1 and the line as its
// value, except that a line starting with '#' has no index and one starting
// with '!' has a value that is not a string.
inline std::vector<CScoutSnmpRow> WalkOf(const std::vector<std::string>& lines) {
    std::vector<CScoutSnmpRow> rows;
    for (size_t j = 0; j < lines.size(); ++j) {
        CScoutSnmpRow row;
        row.hasIndex = lines[j].empty() || lines[j][0] != '#';
        row.index = static_cast<int64_t>(j + 1);
        row.isString = lines[j].empty() || lines[j][0] != '!';
        if (row.isString)
            row.value = lines[j];
        rows.push_back(row);
    }
    return rows;
}

// The translator on descriptions, one per line of the input.
inline bool Translator(const uint8_t* data, size_t size) {
    Quiet quiet;
    const std::vector<std::string> lines = Lines(Bytes(data, size), 512);
    CScoutInterfaceNameTranslator translator;
    bool held = true;
    std::vector<std::string> bases;
    for (const std::string& line : lines) {
        std::string longBase;
        std::string shortBase;
        translator.MakeBaseNames(line.c_str(), longBase, shortBase);
        // The long base is a stretch of the description; the short one, when
        // there is one, keeps the long one's first two bytes.
        if (line.find(longBase) == std::string::npos)
            held = false;
        if (!shortBase.empty() && shortBase.compare(0, 2, longBase, 0, 2) != 0)
            held = false;
        if (!longBase.empty() && line[0] != '#' && line[0] != '!')
            bases.push_back(longBase);

        char* prefix = nullptr;
        const char* rest = nullptr;
        if (translator.SplitAlphaPrefix(line.c_str(), &prefix, &rest) &&
            std::string(prefix) + rest != line.c_str())
            held = false;
        free(prefix);
    }

    Router router;
    router.IfDescr(WalkOf(lines));
    CZanDoubleList* walk = router.Requester().SSRGetSNMPWalk(&router.Record(), "ifDescr");
    const bool loaded = translator.LoadIfDescrs(walk);
    delete walk;
    // Every long base of a row with an index and a text is mapped.
    for (const std::string& base : bases) {
        if (translator.GetIfIndex(base.c_str()) == -1)
            held = false;
    }
    if (loaded != !bases.empty())
        held = false;
    translator.LoadIfDescrs(nullptr);
    return held && translator.GetIfIndex(nullptr) == -1;
}

// The commands of a whole router, in the order its answers are taken from
// the input.
inline const char* const kRouterCommands[] = {"show clns protocol",
                                              "show clns interface",
                                              "show run",
                                              "show isis neighbors detail",
                                              "show clns is-neighbors detail",
                                              "show clns",
                                              "show isis hostname | include \\*",
                                              "show isis database | include \\*",
                                              "show isis database"};

// A whole router through the agent's four layers. The input holds the
// answers to the commands above, separated by NUL bytes (a missing part is a
// command the router does not answer), then the ifDescr lines. Afterwards the
// entity's mediation data holds nothing but the ifDescr walk.
inline bool WholeRouterWith(const Profile* profile, const uint8_t* data, size_t size) {
    Quiet quiet;
    const std::string input = Bytes(data, size);
    Router router;
    size_t start = 0;
    for (const char* command : kRouterCommands) {
        if (start > input.size())
            break;
        size_t end = input.find('\0', start);
        if (end == std::string::npos)
            end = input.size();
        router.Answer(command, input.substr(start, end - start));
        start = end + 1;
    }
    if (start <= input.size())
        router.IfDescr(WalkOf(Lines(input.substr(start), 4096)));

    // The plug-in's factory, or an agent of the given profile.
    CScoutAgent* agent = profile == nullptr ? SAInstantiate() : new CScoutQuillonAgent(*profile);
    if (agent == nullptr)
        return false;
    agent->SASetRequester(&router.Requester());
    CZanRecord* record = &router.Record();
    const bool accepted = agent->SADoMediationFilter(record) != ZFALSE;
    if (accepted) {
        agent->SADoMediationLayer(record);
        agent->SADoProcessLayer(record);
        agent->SADoRelationshipLayer(record);
    }
    agent->SASetRequester(nullptr);
    delete agent;

    for (const std::string& key : router.Entity().SEMediationData().SMDKeys()) {
        if (!accepted || key != "ifDescr")
            return false;
    }
    return true;
}

// Every parse step with the IOS-XE profile, each reading the input as its
// command's answer, then a whole router of that profile (input as above).
inline bool XESteps(const uint8_t* data, size_t size) {
    const Profile& xe = Profile::XE();
    using Data = CScoutCiscoServiceData;
    const std::string text = Bytes(data, size);
    const std::string firstWord = WordAfter(text, "");
    const std::string hostName = firstWord.substr(0, firstWord.find('.'));
    return InterfaceListWith(xe, data, size) &&
           PerInterface<CScoutCiscoClnsInterface>("show clns interface", data, size, "", xe) &&
           PerInterface<CScoutCiscoTransmitInterface>("show run", data, size, "interface ", xe) &&
           PerInterface<CScoutCiscoNeighborData>("show isis neighbors detail", data, size, "",
                                                 xe) &&
           ClnsNeighborsWith(xe, data, size) &&
           ServiceStep<CScoutCiscoService>(data, size, &Data::BuildServiceId, nullptr, xe) &&
           ServiceStep<CScoutCiscoService>(data, size, &Data::BuildNetAddr, nullptr, xe) &&
           ServiceStep<CScoutCiscoService>(data, size, &Data::BuildHostname, nullptr, xe) &&
           ServiceStep<CScoutCiscoService>(data, size, &Data::BuildDIS, "", xe) &&
           ServiceStep<CScoutCiscoService>(data, size, &Data::BuildDIS, hostName.c_str(), xe) &&
           ServiceStep<CScoutCiscoPseudoNodeLSP>(data, size, &Data::BuildPseudoNode, nullptr, xe) &&
           WholeRouterWith(&xe, data, size);
}

inline bool WholeRouter(const uint8_t* data, size_t size) {
    return WholeRouterWith(nullptr, data, size);
}

struct Harness {
    const char* name;
    bool (*run)(const uint8_t* data, size_t size);
};

// Every agent harness, by the name of its fuzz target and corpus folder.
inline const Harness kHarnesses[] = {
    {"interface_list", &InterfaceList},
    {"clns_interface", &ClnsInterface},
    {"transmit_intervals", &TransmitIntervals},
    {"isis_neighbors", &IsisNeighbors},
    {"clns_neighbors", &ClnsNeighbors},
    {"service_id", &ServiceId},
    {"net_addr", &NetAddr},
    {"hostname", &Hostname},
    {"dis", &DIS},
    {"pseudo_node", &PseudoNode},
    {"translator", &Translator},
    {"whole_router", &WholeRouter},
    {"xe_steps", &XESteps},
};

} // namespace quillon_fuzz
