// The service data collector: the identity steps on "show clns protocol",
// "show clns" and "show isis hostname", the success flag, and the batch that
// leaves the service and pseudo-node objects in the mediation data.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "CZanRegex.h"
#include "EndPointRecord.h"

using namespace quillon_test;

// Reaches the collector's pattern check, whose patterns are otherwise fixed.
class ServiceDataProbe {
public:
    static bool CompileStep(const CZanRegex& regex, bool* success) {
        return CScoutCiscoServiceData::CompileStep(
            regex, 419, "Parsing ISIS hostname line regex failed", success);
    }
};

namespace {

const char* const kBatch[] = {"show clns protocol", "show clns", "show isis hostname | include \\*",
                              "show isis database | include \\*", "show isis database"};
const char* const kOwnLsps =
    "r1.00-00            * 0x0000000C   0x5D2E        1012              0/0/1\n"
    "r1.01-00            * 0x00000003   0xA0F1        1140              0/0/0\n";

// Tag|system id|area|NET|host name, and the flags that are set.
std::string Summary(const CScoutCiscoService& s) {
    return s.GetTag() + "|" + s.GetSystemID() + "|" + s.GetAreaID() + "|" + s.GetNETAddress() +
           "|" + s.GetHostName() + (s.GetPseudoNodeDIS() ? " DIS" : "") +
           (s.GetOverloadBit() ? " OL" : "");
}

using Step = void (CScoutCiscoServiceData::*)(const char*, CScoutCiscoService*, bool*);

// What `step` reads, with LF and with CR LF line ends.
std::string Identity(Step step, const std::string& text) {
    return ReadBothLineEnds(text, [&](const std::string& t) {
        LabRouter router;
        CScoutCiscoServiceData collector;
        CScoutCiscoService service;
        bool success = false;
        (collector.*step)(t.c_str(), &service, &success);
        return Summary(service) + (success ? "" : " failed") + Errors(router);
    });
}

TEST(ServiceData, IdentityStepsFillOnlyWhatTheirPatternsMatch) {
    const Step protocol = &CScoutCiscoServiceData::BuildServiceId;
    const Step net = &CScoutCiscoServiceData::BuildNetAddr;
    const Step host = &CScoutCiscoServiceData::BuildHostname;
    const std::string clnsProtocol = ReadTestFile("clns-protocol.txt");
    const std::string showClns = ReadTestFile("show-clns.txt");
    const std::string manual = "Manual area address(es): \n        49.0001\n";
    const std::string routing = "Routing for area address(es): \n";
    struct Row {
        const char* what;
        Step step;
        std::string text;
        const char* identity;
    } rows[] = {
        {"one manual area", protocol, clnsProtocol, "Null Tag|1921.6800.1001.00|49.0001||"},
        {"several routing areas give the first", protocol,
         Edited(clnsProtocol, {{routing, routing + "        49.0003\n"}}),
         "Null Tag|1921.6800.1001.00|49.0003||"},
        {"two manual areas", protocol,
         Edited(clnsProtocol, {{manual, manual + "        49.0002\n"}}), "||||"},
        {"tag with a digit", protocol, Edited(clnsProtocol, {{"<Null Tag>", "<core1>"}}), "||||"},
        {"NET", net, showClns, "|||49.0001.1921.6800.1001.00|"},
        {"later stand-alone number", net,
         Edited(showClns, {{"  ERPDU", "  Packet Lifetime 64\n  ERPDU"}}), "|||64|"},
        {"NET with a hex letter", net, "  NET: 49.0001.0000.0c07.ac01.00\n  Packet Lifetime 64\n",
         "|||64|"},
        {"numbers before the anchor", net, "Global CLNS Information:\n  2\n", "||||"},
        {"host name with digits and underscore", host, "     * 1921.6800.1001 pe_01\n",
         "||||pe_01"},
        {"host name with a capital", host, "     * 1921.6800.1001 R1\n", "||||"},
        {"host name with a hyphen", host, "     * 1921.6800.1001 r1-core\n", "||||"},
        {"entry without asterisk", host, " 2     1921.6800.1002 r2\n", "||||"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Identity(row.step, row.text), row.identity) << row.what;
}

TEST(ServiceData, FlagFollowsTheLatestCompilation) {
    for (bool compiles : {false, true}) {
        LabRouter router;
        CZanRegex regex(compiles ? "([0-9.]+)" : "([0-9.]+", 2);
        bool success = !compiles;
        EXPECT_EQ(ServiceDataProbe::CompileStep(regex, &success), compiles);
        EXPECT_EQ(success, compiles);
        EXPECT_EQ(Errors(router),
                  compiles ? ""
                           : "-220439 CScoutCiscoServiceData:419 Parsing ISIS hostname line regex "
                             "failed\n");
    }
}

// The router takes command sessions and answers the commands whose bits are
// set in `answered`.
void Answer(LabRouter& router, int answered) {
    const std::string answers[] = {ReadTestFile("clns-protocol.txt"), ReadTestFile("show-clns.txt"),
                                   "     * 1921.6800.1001 r1\n", kOwnLsps,
                                   ReadTestFile("isis-database.txt")};
    router.Reachable();
    for (int i = 0; i < 5; ++i)
        if (answered & (1 << i))
            router.Answer(kBatch[i], answers[i]);
}

// Runs the batch (answered < 0: without command sessions) and takes the two
// objects out of the mediation data again.
std::string Batch(int answered) {
    LabRouter router;
    if (answered >= 0)
        Answer(router, answered);
    bool obtained = false;
    {
        CScoutCiscoServiceData collector;
        obtained =
            collector.ObtainData(router.Record(), router.Requester(), router.MediationData());
    }
    EXPECT_EQ(router.Commands(), std::vector<std::string>(std::begin(kBatch), std::end(kBatch)));
    CScoutMediationData& md = router.MediationData();
    std::unique_ptr<CScoutCiscoService> service(
        static_cast<CScoutCiscoService*>(md.SMDRemoveDataPtr("isisService")));
    std::unique_ptr<CScoutCiscoPseudoNodeLSP> pseudoNode(
        static_cast<CScoutCiscoPseudoNodeLSP*>(md.SMDRemoveDataPtr("isisPseudoNodeLSP")));
    std::string result = obtained ? "" : "false: ";
    if (!service || !pseudoNode)
        return result + (service || pseudoNode ? "one stored" : "none stored");
    return result + Summary(*service) + " " + pseudoNode->GetLevelType() + "|" +
           pseudoNode->GetGeneratedPseudoNodeLSP() + Errors(router);
}

TEST(ServiceData, BatchLeavesBothObjectsInTheMediationData) {
    EXPECT_EQ(Batch(0x1F), "Null Tag|1921.6800.1001.00|49.0001|49.0001.1921.6800.1001.00|r1 DIS OL "
                           "Level-1 AND Level-2|r1.01-00");
    // Unanswered commands come back as atoms that are not text: their steps
    // find nothing. Without a host name the own LSPs are read from their start.
    EXPECT_EQ(Batch(0), "|||| |");
    EXPECT_EQ(Batch(0x09), "Null Tag|1921.6800.1001.00|49.0001|| DIS OL |");
    EXPECT_EQ(Batch(-1), "false: none stored");
}

TEST(ServiceData, TracesStepsInOrderFromTheirLevelsOn) {
    LabRouter router;
    Answer(router, 0x1F);
    ExpectTraceByLevel(
        {{2, "CScoutCiscoServiceData::CScoutCiscoServiceData()"},
         {2, "leaving CScoutCiscoServiceData::CScoutCiscoServiceData()"},
         {1, "Entering into CScoutCiscoServiceData::ObtainData"},
         {2, "CScoutCiscoService::CScoutCiscoService()"},
         {1, "Entering into CScoutCiscoServiceData::BuildServiceId"},
         {1, " tagStr = Null Tag"},
         {1, " systemId = 1921.6800.1001.00"},
         {1, " areaId = 49.0001"},
         {1, "Entering into CScoutCiscoServiceData::BuildNetAddr"},
         {1, "netAddrPattern = [[:space:]]+([0-9.]+)[\r"},
         {1, "]"},
         {1, " netAddr = 49.0001.1921.6800.1001.00"},
         {1, "Entering into CScoutCiscoServiceData::BuildHostname"},
         {4, "hostNameData =      * 1921.6800.1001 r1"},
         {4, "entryPtr = * 1921.6800.1001 r1"},
         {4, " hostName = r1"},
         {1, "Entering into CScoutCiscoServiceData::BuildDIS"},
         {4, " DISStr = 00"},
         {4, " overloadBitStr = 1"},
         {2, "CScoutCiscoPseudoNodeLSP::CScoutCiscoPseudoNodeLSP("},
         {1, "Entering into CScoutCiscoServiceData::BuildPseudoNode"},
         {4, " LevelType = Level-1"},
         {4, " generatedLSPStr = r1.01-00"},
         {4, " AsteriskStr = *"},
         {4, " levelTypeCopy = Level-1"},
         {4, " LevelType = Level-2"},
         {4, " levelTypeCopy = Level-1 AND Level-2"},
         {2, "CScoutCiscoService::~CScoutCiscoService()"},
         {2, "CScoutCiscoPseudoNodeLSP::~CScoutCiscoPseudoNodeLSP()"},
         {2, "CScoutCiscoServiceData::~CScoutCiscoServiceData()"},
         {2, "leaving CScoutCiscoServiceData::~CScoutCiscoServiceData()"}},
        [&] {
            CScoutCiscoServiceData collector;
            collector.ObtainData(router.Record(), router.Requester(), router.MediationData());
            CScoutMediationData& md = router.MediationData();
            delete static_cast<CScoutCiscoService*>(md.SMDRemoveDataPtr("isisService"));
            delete static_cast<CScoutCiscoPseudoNodeLSP*>(md.SMDRemoveDataPtr("isisPseudoNodeLSP"));
        },
        3);
}

} // namespace
