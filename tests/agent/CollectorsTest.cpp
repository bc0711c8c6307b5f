// Every parse step of the agent on router output as IOS prints it, with LF
// and with CR LF line ends. The cases are in tests/data/agent-steps.json: the
// output ("@file" under tests/data/outputs, text, or {"file", "edits"}; a
// list of such pieces is joined; null: unanswered), edits to it, the name the
// step looks for, and what the step makes of it. Errors reported follow the
// result; a trace is checked when the case gives one.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

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
#include "CScoutInterfaceNameTranslator.h"
#include "CZanRegex.h"
#include "HostFixture.h"
#include "QuillonAgentProbe.h"

using namespace quillon_test;
using nlohmann::ordered_json;

// Reaches the collector's pattern check, whose patterns are otherwise fixed.
class ServiceDataProbe {
public:
    static bool CompileStep(const CZanRegex& regex, bool* success) {
        return CScoutCiscoServiceData::CompileStep(
            regex, 419, "Parsing ISIS hostname line regex failed", success);
    }
};

namespace {

// Applies text replacements, each to the first place its text occurs.
std::string Edited(std::string text, const ordered_json& edits) {
    for (const ordered_json& edit : edits) {
        const std::string from = edit[0];
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << "edit does not apply: " << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), edit[1].get<std::string>());
    }
    return text;
}

std::string Text(const ordered_json& piece) {
    std::string text;
    if (piece.is_array()) {
        for (const ordered_json& part : piece)
            text += Text(part);
        return text;
    }
    if (piece.is_object())
        return Edited(ReadTestFile(piece["file"]), piece["edits"]);
    text = piece;
    return text.rfind('@', 0) == 0 ? ReadTestFile(text.substr(1)) : text;
}

std::string NoData(bool obtained) {
    return obtained ? "" : "no data: ";
}

template <typename Collector>
std::string EndPoint(LabRouter& router, const std::string&, const ordered_json& c) {
    CScoutCiscoProtocolEndPoint endPoint;
    if (c.value("filled", false)) {
        endPoint.SetISISEnabled(true);
        endPoint.SetCircuitType("level-2-only");
        endPoint.SetSNPA("HDLC");
    }
    Collector collector;
    std::string name = c["name"];
    const bool obtained = collector.ObtainData(router.Record(), router.Requester());
    collector.ParseData(name, &endPoint);
    return NoData(obtained) + Rendered(endPoint.GeneratePEData());
}

using Build = void (CScoutCiscoServiceData::*)(const char*, CScoutCiscoService*, bool*);

// Tag|system id|area|NET|host name, and the flags that are set.
std::string Summary(const CScoutCiscoService& s) {
    return s.GetTag() + "|" + s.GetSystemID() + "|" + s.GetAreaID() + "|" + s.GetNETAddress() +
           "|" + s.GetHostName() + (s.GetPseudoNodeDIS() ? " DIS" : "") +
           (s.GetOverloadBit() ? " OL" : "");
}

template <Build build>
std::string Identity(LabRouter&, const std::string& text, const ordered_json& c) {
    CScoutCiscoServiceData collector;
    CScoutCiscoService service;
    service.SetHostName(c.value("name", ""));
    bool success = false;
    (collector.*build)(text.c_str(), &service, &success);
    return Summary(service) + (success ? "" : " failed");
}

// One collector reads every database: nothing may carry over.
std::string PseudoNode(LabRouter&, const std::string& text, const ordered_json&) {
    static CScoutCiscoServiceData collector;
    CScoutCiscoPseudoNodeLSP pseudoNode;
    bool success = false;
    collector.BuildPseudoNode(text.c_str(), &pseudoNode, &success);
    return pseudoNode.GetLevelType() + "|" + pseudoNode.GetGeneratedPseudoNodeLSP() +
           (success ? "" : " failed");
}

// The map's entries in map order as key|system id|interface|type|area|address.
std::string Adjacencies(LabRouter& router, const std::string&, const ordered_json&) {
    CScoutCiscoClnsNeighbor collector;
    std::string entries = NoData(collector.ObtainData(router.Record(), router.Requester()));
    ConnectivityMap map;
    collector.ParseData(&map);
    for (auto& [key, e] : map) {
        entries += key + "|" + e->GetSystemId() + "|" + e->GetInterface() + "|" +
                   e->GetConnectivityType() + "|" + e->GetAreaId() + "|" + e->GetIPAddress() + "\n";
        delete e;
    }
    return entries;
}

// Whether the filter keeps the router, and the interface set it stores
// ({...}, taken out again as the process layer would).
std::string InterfaceList(LabRouter& router, const std::string&, const ordered_json&) {
    QuillonAgentProbe probe(router.Requester());
    const bool kept = probe.Filter(&router.Record());
    std::unique_ptr<InterfaceNameSet> names(
        static_cast<InterfaceNameSet*>(router.MediationData().SMDRemoveDataPtr("isisInterfaces")));
    EXPECT_TRUE(router.MediationData().SMDKeys().empty());
    EXPECT_EQ(router.Commands(), std::vector<std::string>{"show clns protocol"});
    std::string result = kept ? "kept" : "dropped";
    if (names) {
        result += " {";
        for (const std::string& name : *names)
            result += (result.back() == '{' ? "" : " ") + name;
        result += "}";
    }
    return result;
}

// The service data batch on a router answering the commands of the case's
// "answers" (text as for outputs), and the two objects it leaves in the
// mediation data.
std::string ServiceData(LabRouter& router, const std::string&, const ordered_json& c) {
    const ordered_json answers = c.value("answers", ordered_json::object());
    for (const auto& [command, answer] : answers.items())
        router.Answer(command, Text(answer));
    bool obtained = false;
    {
        CScoutCiscoServiceData collector;
        obtained =
            collector.ObtainData(router.Record(), router.Requester(), router.MediationData());
    }
    EXPECT_EQ(router.Commands(),
              (std::vector<std::string>{"show clns protocol", "show clns",
                                        "show isis hostname | include \\*",
                                        "show isis database | include \\*", "show isis database"}));
    CScoutMediationData& md = router.MediationData();
    std::unique_ptr<CScoutCiscoService> service(
        static_cast<CScoutCiscoService*>(md.SMDRemoveDataPtr("isisService")));
    std::unique_ptr<CScoutCiscoPseudoNodeLSP> pseudoNode(
        static_cast<CScoutCiscoPseudoNodeLSP*>(md.SMDRemoveDataPtr("isisPseudoNodeLSP")));
    if (!service || !pseudoNode)
        return NoData(obtained) + (service || pseudoNode ? "one stored" : "none stored");
    return NoData(obtained) + Summary(*service) + " " + pseudoNode->GetLevelType() + "|" +
           pseudoNode->GetGeneratedPseudoNodeLSP();
}

// The long and short base of an interface description.
std::string BaseNames(LabRouter&, const std::string& text, const ordered_json&) {
    CScoutInterfaceNameTranslator translator;
    std::string longBase, shortBase;
    translator.MakeBaseNames(text.c_str(), longBase, shortBase);
    return longBase + "|" + shortBase;
}

struct Step {
    const char* command; // the command whose answer the step reads, if any
    std::function<std::string(LabRouter&, const std::string&, const ordered_json&)> run;
};

const std::map<std::string, Step> kSteps = {
    {"clns-interface", {"show clns interface", EndPoint<CScoutCiscoClnsInterface>}},
    {"transmit-intervals", {"show run", EndPoint<CScoutCiscoTransmitInterface>}},
    {"isis-neighbors", {"show isis neighbors detail", EndPoint<CScoutCiscoNeighborData>}},
    {"clns-neighbors", {"show clns is-neighbors detail", Adjacencies}},
    {"interface-list", {"show clns protocol", InterfaceList}},
    {"service-id", {nullptr, Identity<&CScoutCiscoServiceData::BuildServiceId>}},
    {"net-addr", {nullptr, Identity<&CScoutCiscoServiceData::BuildNetAddr>}},
    {"hostname", {nullptr, Identity<&CScoutCiscoServiceData::BuildHostname>}},
    {"dis", {nullptr, Identity<&CScoutCiscoServiceData::BuildDIS>}},
    {"pseudo-node", {nullptr, PseudoNode}},
    {"base-names", {nullptr, BaseNames}},
    {"service-data", {nullptr, ServiceData}}};

TEST(Collectors, EveryStepOnEveryCase) {
    for (const ordered_json& group : ReadJson("agent-steps.json")) {
        const Step& step = kSteps.at(group["step"]);
        for (const ordered_json& c : group["cases"]) {
            SCOPED_TRACE(group["step"].dump() + " " + c.dump().substr(0, 300));
            const ordered_json piece =
                c.contains("text") ? c["text"] : group.value("text", ordered_json());
            const bool answered = !piece.is_null();
            const std::string text =
                answered ? Edited(Text(piece), c.value("edits", ordered_json::array())) : "";
            for (const bool crlf : {false, true}) {
                const std::string form = crlf ? WithCrLf(text) : text;
                LabRouter router;
                if (!c.value("unreachable", false))
                    router.Reachable();
                if (answered && step.command != nullptr)
                    router.Answer(step.command, form);
                std::string result;
                const std::string trace =
                    TraceOf(c.value("trace", 1), [&] { result = step.run(router, form, c); });
                // An interface list that does not parse is reported with the whole output.
                if (trace.find("Unable to parse ISIS interfaces from:\n" + form + "\n") !=
                    std::string::npos)
                    result += " unparsable";
                EXPECT_EQ(result + router.Errors(),
                          c.value(crlf ? "crlf" : "expect", c["expect"].get<std::string>()))
                    << (crlf ? "CR LF" : "LF");
                if (c.contains("expectTrace")) {
                    EXPECT_EQ(trace, c["expectTrace"]);
                }
            }
        }
    }
}

TEST(Collectors, ServiceDataFlagFollowsTheLatestCompilation) {
    for (bool compiles : {false, true}) {
        LabRouter router;
        CZanRegex regex(compiles ? "([0-9.]+)" : "([0-9.]+", 2);
        bool success = !compiles;
        EXPECT_EQ(ServiceDataProbe::CompileStep(regex, &success), compiles);
        EXPECT_EQ(success, compiles);
        EXPECT_EQ(router.Errors(),
                  compiles ? ""
                           : "-220439 CScoutCiscoServiceData:419 Parsing ISIS hostname line "
                             "regex failed\n");
    }
}

TEST(Collectors, ClnsInterfaceTracesALevelPassThatFindsNothing) {
    // No Level-2 line: the second level entry is made and freed.
    LabRouter router;
    std::string section = ReadTestFile("clns-interface-section.txt");
    section.erase(section.find("    Level-2 Metric"),
                  section.find("    Next IS-IS") - section.find("    Level-2 Metric"));
    router.Answer("show clns interface", section);
    ExpectTraceByLevel("clns-interface", [&] {
        CScoutCiscoClnsInterface collector;
        collector.ObtainData(router.Record(), router.Requester());
        CScoutCiscoProtocolEndPoint endPoint;
        std::string name = "Serial2/0";
        collector.ParseData(name, &endPoint);
    });
}

} // namespace
