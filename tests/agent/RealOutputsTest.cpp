// Real IOS-XE outputs (tests/data/real, sources in SOURCES.md) read by both
// profiles. The XE profile must give every value the outputs show
// (tests/data/real/expected.json); what the classic profile makes of them is
// counted field by field and printed, for docs/ios-xe.md. Sample lines of the
// XE patterns the real outputs do not hold are in tests/data/xe-samples.json.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
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
#include "CScoutQuillonProfile.h"
#include "HostFixture.h"

using namespace quillon_test;
using nlohmann::ordered_json;

namespace {

using Profile = CScoutQuillonProfile;
using Run =
    std::function<std::string(LabRouter&, const std::string&, const std::string&, const Profile&)>;

template <typename Collector>
std::string EndPoint(LabRouter& router, const std::string&, const std::string& name,
                     const Profile& profile) {
    CScoutCiscoProtocolEndPoint endPoint;
    Collector collector(profile);
    collector.ObtainData(router.Record(), router.Requester());
    std::string interfaceName = name;
    collector.ParseData(interfaceName, &endPoint);
    return Rendered(endPoint.GeneratePEData());
}

std::string InterfaceList(LabRouter& router, const std::string&, const std::string&,
                          const Profile& profile) {
    CScoutCiscoInterface collector;
    collector.ObtainData(router.Record(), router.Requester());
    InterfaceNameSet names;
    collector.ParseData(names, profile);
    std::string result = names.empty() ? "dropped {" : "kept {";
    for (const std::string& name : names)
        result += (result.back() == '{' ? "" : " ") + name;
    return result + "}";
}

std::string Adjacencies(LabRouter& router, const std::string&, const std::string&,
                        const Profile& profile) {
    CScoutCiscoClnsNeighbor collector(profile);
    collector.ObtainData(router.Record(), router.Requester());
    ConnectivityMap map;
    collector.ParseData(&map);
    std::string entries;
    for (auto& [key, e] : map) {
        entries += key + "|" + e->GetSystemId() + "|" + e->GetInterface() + "|" +
                   e->GetConnectivityType() + "|" + e->GetAreaId() + "|" + e->GetIPAddress() + "\n";
        delete e;
    }
    return entries;
}

// The lines of the text that hold an asterisk, as "| include \*" leaves them.
std::string WithAsterisk(const std::string& text) {
    std::string kept;
    for (const std::string& line : Lines(text))
        if (line.find('*') != std::string::npos)
            kept += line + "\n";
    return kept;
}

std::string ServiceId(LabRouter&, const std::string& text, const std::string&,
                      const Profile& profile) {
    CScoutCiscoServiceData collector(profile);
    CScoutCiscoService service;
    bool success = false;
    collector.BuildServiceId(text.c_str(), &service, &success);
    return service.GetTag() + "|" + service.GetSystemID() + "|" + service.GetAreaID();
}

std::string NetAddr(LabRouter&, const std::string& text, const std::string&,
                    const Profile& profile) {
    CScoutCiscoServiceData collector(profile);
    CScoutCiscoService service;
    bool success = false;
    collector.BuildNetAddr(text.c_str(), &service, &success);
    return service.GetNETAddress();
}

std::string Hostname(LabRouter&, const std::string& text, const std::string&,
                     const Profile& profile) {
    CScoutCiscoServiceData collector(profile);
    CScoutCiscoService service;
    bool success = false;
    collector.BuildHostname(WithAsterisk(text).c_str(), &service, &success);
    return service.GetHostName();
}

std::string DIS(LabRouter&, const std::string& text, const std::string& name,
                const Profile& profile) {
    CScoutCiscoServiceData collector(profile);
    CScoutCiscoService service;
    service.SetHostName(name);
    bool success = false;
    collector.BuildDIS(WithAsterisk(text).c_str(), &service, &success);
    return std::string(service.GetPseudoNodeDIS() ? "DIS" : "no DIS") +
           (service.GetOverloadBit() ? ", overload" : ", no overload");
}

std::string PseudoNode(LabRouter&, const std::string& text, const std::string&,
                       const Profile& profile) {
    CScoutCiscoServiceData collector(profile);
    CScoutCiscoPseudoNodeLSP pseudoNode;
    bool success = false;
    collector.BuildPseudoNode(text.c_str(), &pseudoNode, &success);
    return pseudoNode.GetLevelType() + "|" + pseudoNode.GetGeneratedPseudoNodeLSP();
}

struct Step {
    const char* command; // the command whose answer the collector runs, if any
    Run run;
};

const std::map<std::string, Step> kSteps = {
    {"interface-list", {"show clns protocol", InterfaceList}},
    {"service-id", {nullptr, ServiceId}},
    {"clns-interface", {"show clns interface", EndPoint<CScoutCiscoClnsInterface>}},
    {"isis-neighbors", {"show isis neighbors detail", EndPoint<CScoutCiscoNeighborData>}},
    {"transmit-intervals", {"show run", EndPoint<CScoutCiscoTransmitInterface>}},
    {"net-addr", {nullptr, NetAddr}},
    {"clns-neighbors", {"show clns is-neighbors detail", Adjacencies}},
    {"hostname", {nullptr, Hostname}},
    {"dis", {nullptr, DIS}},
    {"pseudo-node", {nullptr, PseudoNode}}};

// The result of a step on a text, with LF or with CR LF line ends.
std::string Read(const Step& step, const std::string& text, const std::string& name,
                 const Profile& profile, bool crlf, std::string& errors) {
    const std::string form = crlf ? WithCrLf(text) : text;
    LabRouter router;
    router.Reachable();
    if (step.command != nullptr)
        router.Answer(step.command, form);
    const std::string result = step.run(router, form, name, profile);
    errors = router.Errors();
    return result;
}

// The "|"-separated fields of each line of a result.
std::vector<std::vector<std::string>> Fields(const std::string& result) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : Lines(result)) {
        rows.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '|');)
            rows.back().push_back(field);
    }
    return rows;
}

// Per step and field position: how many of the expected values a result gives.
struct Tally {
    std::map<std::string, std::map<size_t, int>> read, shown;

    void Add(const std::string& step, const std::string& result, const std::string& expect) {
        const auto got = Fields(result);
        const auto want = Fields(expect);
        for (size_t row = 0; row < want.size(); ++row)
            for (size_t field = 0; field < want[row].size(); ++field) {
                ++shown[step][field];
                if (row < got.size() && field < got[row].size() &&
                    got[row][field] == want[row][field])
                    ++read[step][field];
            }
    }
};

TEST(RealOutputs, TheXEProfileReadsEveryValueTheOutputsShow) {
    Tally classic, xe;
    const ordered_json cases = ReadJson("real/expected.json")["cases"];
    for (const ordered_json& c : cases) {
        SCOPED_TRACE(c.dump());
        const Step& step = kSteps.at(c["step"]);
        const std::string text = ReadData("real/" + c["file"].get<std::string>());
        const std::string name = c.value("name", "");
        const std::string expect = c["expect"];
        for (const Profile* profile : {&Profile::XE(), &Profile::Classic()}) {
            for (const bool crlf : {false, true}) {
                std::string errors;
                const std::string result = Read(step, text, name, *profile, crlf, errors);
                if (profile == &Profile::XE()) {
                    EXPECT_EQ(result, expect) << (crlf ? "CR LF" : "LF");
                    EXPECT_EQ(errors, "");
                }
                if (!crlf)
                    (profile == &Profile::XE() ? xe : classic).Add(c["step"], result, expect);
            }
        }
    }
    // The figures of docs/ios-xe.md: values read by classic and XE, of those shown.
    for (const auto& [step, fields] : xe.shown)
        for (const auto& [field, shown] : fields)
            std::cout << step << " field " << field + 1 << ": classic " << classic.read[step][field]
                      << ", XE " << xe.read[step][field] << " of " << shown << "\n";
}

TEST(RealOutputs, TheXEProfileReadsItsSampleLines) {
    const ordered_json cases = ReadJson("xe-samples.json")["cases"];
    for (const ordered_json& c : cases) {
        SCOPED_TRACE(c.dump());
        for (const bool crlf : {false, true}) {
            std::string errors;
            EXPECT_EQ(Read(kSteps.at(c["step"]), c["text"], c.value("name", ""), Profile::XE(),
                           crlf, errors),
                      c["expect"])
                << (crlf ? "CR LF" : "LF");
            EXPECT_EQ(errors, "");
        }
    }
}

} // namespace
