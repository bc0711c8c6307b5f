// The service data collector: the identity steps on "show clns protocol",
// "show clns" and "show isis hostname", the success flag, and the batch that
// leaves the service and pseudo-node objects in the mediation data.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "CZanRegex.h"
#include "EndPointRecord.h"
#include "HostFixture.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;
using quillon_test::TraceLines;
using quillon_test::WithCrLf;

// Reaches the collector's pattern check, whose patterns are otherwise fixed.
class ServiceDataProbe {
public:
    static bool CompileStep(const CZanRegex& regex, int line, const char* message, bool* success) {
        return CScoutCiscoServiceData::CompileStep(regex, line, message, success);
    }
};

namespace {

const char* const kBatch[] = {"show clns protocol", "show clns", "show isis hostname | include \\*",
                              "show isis database | include \\*", "show isis database"};

std::string ClnsProtocol(const std::string& tag, const std::string& systemId,
                         const std::vector<std::string>& manualAreas,
                         const std::vector<std::string>& routingAreas) {
    std::string text = "IS-IS Router: <" + tag + ">\n";
    text += "  System Id: " + systemId + "  IS-Type: level-1-2\n";
    text += "  Manual area address(es): \n";
    for (const std::string& area : manualAreas)
        text += "        " + area + "\n";
    text += "  Routing for area address(es): \n";
    for (const std::string& area : routingAreas)
        text += "        " + area + "\n";
    text += "  Interfaces supported by IS-IS:\n"
            "        Ethernet0/0 - IP\n"
            "        Serial1/0 - IP\n"
            "  Redistribute:\n"
            "    static (on by default)\n"
            "  Distance for L2 CLNS routes: 110\n"
            "  RRR level: none\n"
            "  Generate narrow metrics: level-1-2\n"
            "  Accept narrow metrics:   level-1-2\n";
    return text;
}

const std::string kOneArea =
    ClnsProtocol("Null Tag", "1921.6800.1001.00", {"49.0001"}, {"49.0001"});

const std::string kShowClns = "Global CLNS Information:\n"
                              "  2 Interfaces Enabled for CLNS\n"
                              "  NET: 49.0001.1921.6800.1001.00\n"
                              "  ERPDU's requested on locally generated packets\n"
                              "  Running IS-IS in IP-only mode (CLNS forwarding not allowed)\n";
const std::string kShowClnsTimers =
    "Global CLNS Information:\n"
    "  2 Interfaces Enabled for CLNS\n"
    "  NET: 49.0001.1921.6800.1001.00\n"
    "  Configuration Timer: 60, Default Holding Timer: 300, Packet Lifetime 64\n"
    "  ERPDU's requested on locally generated packets\n";

const std::string kHostname = "     * 1921.6800.1001 r1\n";

// Identity fields as one line: tag|system id|area|NET|host name.
std::string Identity(const CScoutCiscoService& s) {
    return s.GetTag() + "|" + s.GetSystemID() + "|" + s.GetAreaID() + "|" + s.GetNETAddress() +
           "|" + s.GetHostName();
}

enum Step { kServiceIdStep, kNetAddrStep, kHostnameStep };

struct IdentityCase {
    const char* name;
    Step step;
    std::string text;
    std::string expected;
};

// Failure messages name the case.
void PrintTo(const IdentityCase& c, std::ostream* out) {
    *out << c.name;
}

class ServiceIdentity : public testing::TestWithParam<IdentityCase> {};

TEST_P(ServiceIdentity, StepFillsOnlyWhatItsPatternMatches) {
    const IdentityCase& c = GetParam();
    LabRouter router; // collects error reports
    CScoutCiscoServiceData collector;
    CScoutCiscoService service;
    bool success = false;
    switch (c.step) {
    case kServiceIdStep:
        collector.BuildServiceId(c.text.c_str(), &service, &success);
        break;
    case kNetAddrStep:
        collector.BuildNetAddr(c.text.c_str(), &service, &success);
        break;
    case kHostnameStep:
        collector.BuildHostname(c.text.c_str(), &service, &success);
        break;
    }
    EXPECT_EQ(Identity(service), c.expected);
    EXPECT_TRUE(success);
    EXPECT_FALSE(service.GetOverloadBit());
    EXPECT_FALSE(service.GetPseudoNodeDIS());
    EXPECT_TRUE(router.Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    ShowClnsProtocol, ServiceIdentity,
    testing::Values(
        IdentityCase{"OneManualArea", kServiceIdStep, kOneArea,
                     "Null Tag|1921.6800.1001.00|49.0001||"},
        IdentityCase{"CrLf", kServiceIdStep, WithCrLf(kOneArea),
                     "Null Tag|1921.6800.1001.00|49.0001||"},
        IdentityCase{"SeveralRoutingAreasGiveTheFirst", kServiceIdStep,
                     ClnsProtocol("core", "0000.0000.0001.00", {"49.0002"},
                                  {"49.0002", "49.0001", "49.0003"}),
                     "core|0000.0000.0001.00|49.0002||"},
        IdentityCase{"TwoManualAreasMatchNothing", kServiceIdStep,
                     ClnsProtocol("Null Tag", "1921.6800.1001.00", {"49.0001", "49.0002"},
                                  {"49.0001", "49.0002"}),
                     "||||"},
        IdentityCase{"TagWithDigitMatchesNothing", kServiceIdStep,
                     ClnsProtocol("core1", "1921.6800.1001.00", {"49.0001"}, {"49.0001"}), "||||"},
        IdentityCase{"SystemIdWithHexLetterMatchesNothing", kServiceIdStep,
                     ClnsProtocol("Null Tag", "0000.0c07.ac01.00", {"49.0001"}, {"49.0001"}),
                     "||||"},
        IdentityCase{"NoRouterHeading", kServiceIdStep, "% CLNS not enabled\n", "||||"},
        // Two IS-IS processes: the later one wins.
        IdentityCase{"LastProcessWins", kServiceIdStep,
                     kOneArea +
                         ClnsProtocol("Backbone", "1921.6800.1001.00", {"49.0009"}, {"49.0009"}),
                     "Backbone|1921.6800.1001.00|49.0009||"}),
    [](const testing::TestParamInfo<IdentityCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ShowClns, ServiceIdentity,
    testing::Values(
        IdentityCase{"Net", kNetAddrStep, kShowClns, "|||49.0001.1921.6800.1001.00|"},
        IdentityCase{"CrLf", kNetAddrStep, WithCrLf(kShowClns), "|||49.0001.1921.6800.1001.00|"},
        // "Packet Lifetime 64" ends its line with a lone number after the NET.
        IdentityCase{"LaterStandAloneNumberWins", kNetAddrStep, kShowClnsTimers, "|||64|"},
        IdentityCase{"NetWithHexLetterIsNotTaken", kNetAddrStep,
                     "  NET: 49.0001.0000.0c07.ac01.00\n  ERPDU's requested\n", "||||"},
        IdentityCase{"NetWithHexLetterGivesWayToLaterNumber", kNetAddrStep,
                     "  NET: 49.0001.0000.0c07.ac01.00\n  Packet Lifetime 64\n", "|||64|"},
        // Numbers before the anchor do not count.
        IdentityCase{"NoNetLine", kNetAddrStep, "Global CLNS Information:\n  2\n", "||||"}),
    [](const testing::TestParamInfo<IdentityCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ShowIsisHostname, ServiceIdentity,
    testing::Values(
        IdentityCase{"OwnEntry", kHostnameStep, kHostname, "||||r1"},
        IdentityCase{"CrLf", kHostnameStep, WithCrLf(kHostname), "||||r1"},
        IdentityCase{"DigitsAndUnderscore", kHostnameStep, "     * 1921.6800.1001 pe_01\n",
                     "||||pe_01"},
        IdentityCase{"CapitalLetter", kHostnameStep, "     * 1921.6800.1001 R1\n", "||||"},
        IdentityCase{"Hyphen", kHostnameStep, "     * 1921.6800.1001 r1-core\n", "||||"},
        IdentityCase{"SystemIdWithHexLetter", kHostnameStep, "     * 0000.0c07.ac01 r1\n", "||||"},
        IdentityCase{"NoAsterisk", kHostnameStep, " 2     1921.6800.1002 r2\n", "||||"}),
    [](const testing::TestParamInfo<IdentityCase>& info) { return info.param.name; });

struct CompileCase {
    const char* name;
    const char* expression;
    bool initial;
    bool compiled;
};

// Failure messages name the case.
void PrintTo(const CompileCase& c, std::ostream* out) {
    *out << c.name;
}

class ServiceDataCompile : public testing::TestWithParam<CompileCase> {};

// A pattern that does not compile clears the flag and reports the step's
// line; one that compiles sets the flag whatever it held.
TEST_P(ServiceDataCompile, FlagFollowsTheLatestCompilation) {
    const CompileCase& c = GetParam();
    LabRouter router;
    CZanRegex regex(c.expression, 2);
    bool success = c.initial;
    EXPECT_EQ(ServiceDataProbe::CompileStep(regex, 419, "Parsing ISIS hostname line regex failed",
                                            &success),
              c.compiled);
    EXPECT_EQ(success, c.compiled);
    if (c.compiled) {
        EXPECT_TRUE(router.Errors().empty());
    } else {
        ASSERT_EQ(router.Errors().size(), 1u);
        const auto& error = router.Errors()[0];
        EXPECT_EQ(error.code, -220439);
        EXPECT_EQ(error.file, "CScoutCiscoServiceData");
        EXPECT_EQ(error.line, 419);
        EXPECT_TRUE(error.hasMessage);
        EXPECT_EQ(error.message, "Parsing ISIS hostname line regex failed");
    }
}

INSTANTIATE_TEST_SUITE_P(Patterns, ServiceDataCompile,
                         testing::Values(CompileCase{"BrokenAfterSuccess", "([0-9.]+", true, false},
                                         CompileCase{"GoodAfterFailure", "([0-9.]+)", false, true}),
                         [](const testing::TestParamInfo<CompileCase>& info) {
                             return info.param.name;
                         });

// The objects the batch left, taken out of the mediation data again.
struct Stored {
    std::unique_ptr<CScoutCiscoService> service;
    std::unique_ptr<CScoutCiscoPseudoNodeLSP> pseudoNode;
};

Stored TakeStored(CScoutMediationData& md) {
    Stored stored;
    stored.service.reset(static_cast<CScoutCiscoService*>(md.SMDRemoveDataPtr("isisService")));
    stored.pseudoNode.reset(
        static_cast<CScoutCiscoPseudoNodeLSP*>(md.SMDRemoveDataPtr("isisPseudoNodeLSP")));
    return stored;
}

const std::string kOwnLsps =
    "r1.00-00            * 0x0000000C   0x5D2E        1012              0/0/1\n"
    "r1.01-00            * 0x00000003   0xA0F1        1140              0/0/0\n";

const std::string kDatabase =
    "\nIS-IS Level-1 Link State Database:\n"
    "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL\n"
    "r1.01-00            * 0x00000003   0xA0F1        1140              0/0/0\n"
    "r1.00-00            * 0x0000000C   0x5D2E        1012              0/0/1\n"
    "r2.00-00              0x00000009   0x3C44        987               0/0/0\n";

TEST(ServiceDataBatch, FullAnswerFillsBothObjects) {
    LabRouter router;
    router.Answer(kBatch[0], kOneArea)
        .Answer(kBatch[1], kShowClns)
        .Answer(kBatch[2], kHostname)
        .Answer(kBatch[3], kOwnLsps)
        .Answer(kBatch[4], kDatabase);
    bool result = false;
    {
        CScoutCiscoServiceData collector;
        result = collector.ObtainData(router.Record(), router.Requester(), router.MediationData());
    }
    EXPECT_TRUE(result);
    EXPECT_EQ(router.Commands(), std::vector<std::string>(std::begin(kBatch), std::end(kBatch)));
    EXPECT_EQ(router.MediationData().SMDKeys(),
              (std::vector<std::string>{"isisPseudoNodeLSP", "isisService"}));

    // The collector is gone; the objects hold their own copies.
    Stored stored = TakeStored(router.MediationData());
    ASSERT_TRUE(stored.service && stored.pseudoNode);
    EXPECT_EQ(Identity(*stored.service),
              "Null Tag|1921.6800.1001.00|49.0001|49.0001.1921.6800.1001.00|r1");
    EXPECT_TRUE(stored.service->GetPseudoNodeDIS());
    EXPECT_TRUE(stored.service->GetOverloadBit());
    EXPECT_EQ(stored.pseudoNode->GetLevelType(), "Level-1");
    EXPECT_EQ(stored.pseudoNode->GetGeneratedPseudoNodeLSP(), "r1.01-00");
    EXPECT_TRUE(router.Errors().empty());
}

struct BatchCase {
    const char* name;
    std::vector<std::pair<int, std::string>> answers; // by position in the batch
    std::string identity;
    bool dis;
};

// Failure messages name the case.
void PrintTo(const BatchCase& c, std::ostream* out) {
    *out << c.name;
}

class ServiceDataPartialBatch : public testing::TestWithParam<BatchCase> {};

// Commands without an answer come back as atoms that are not text: their
// steps find nothing, the others still read theirs, and both objects are
// stored with a true result.
TEST_P(ServiceDataPartialBatch, UnansweredCommandsLeaveTheirFieldsEmpty) {
    const BatchCase& c = GetParam();
    LabRouter router;
    router.Reachable();
    for (const auto& [position, text] : c.answers)
        router.Answer(kBatch[position], text);
    CScoutCiscoServiceData collector;
    EXPECT_TRUE(collector.ObtainData(router.Record(), router.Requester(), router.MediationData()));
    EXPECT_EQ(router.Commands().size(), 5u);
    Stored stored = TakeStored(router.MediationData());
    ASSERT_TRUE(stored.service && stored.pseudoNode);
    EXPECT_EQ(Identity(*stored.service), c.identity);
    EXPECT_EQ(stored.service->GetPseudoNodeDIS(), c.dis);
    EXPECT_EQ(stored.pseudoNode->GetLevelType(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ServiceDataPartialBatch,
    testing::Values(
        BatchCase{"NothingAnswered", {}, "||||", false},
        BatchCase{"OnlyIdentity",
                  {{0, kOneArea}, {1, kShowClns}},
                  "Null Tag|1921.6800.1001.00|49.0001|49.0001.1921.6800.1001.00|",
                  false},
        // Without the host name the own LSPs are searched from the
        // beginning of their answer.
        BatchCase{"NoHostnameAnswer", {{3, kOwnLsps}}, "||||", true},
        BatchCase{"EmptyTexts", {{0, ""}, {1, ""}, {2, ""}, {3, ""}, {4, ""}}, "||||", false}),
    [](const testing::TestParamInfo<BatchCase>& info) { return info.param.name; });

TEST(ServiceDataBatch, RouterWithoutCommandSessionsStoresNothing) {
    LabRouter router("edge-7");
    DebugLevel level(1);
    TraceCapture capture;
    bool result = true;
    {
        CScoutCiscoServiceData collector;
        result = collector.ObtainData(router.Record(), router.Requester(), router.MediationData());
    }
    EXPECT_FALSE(result);
    EXPECT_TRUE(router.MediationData().SMDKeys().empty());
    EXPECT_EQ(TraceLines(capture.Take()),
              (std::vector<std::string>{"Entering into CScoutCiscoServiceData::ObtainData",
                                        "unable to get sufficient data on device edge-7"}));
}

TEST(ServiceDataBatch, TracesStepsAndValuesAtTheirLevels) {
    LabRouter router;
    router.Answer(kBatch[0], kOneArea)
        .Answer(kBatch[1], kShowClns)
        .Answer(kBatch[2], kHostname)
        .Answer(kBatch[3], kOwnLsps)
        .Answer(kBatch[4], kDatabase);
    std::string trace;
    {
        DebugLevel level(2);
        TraceCapture capture;
        {
            CScoutCiscoServiceData collector;
            collector.ObtainData(router.Record(), router.Requester(), router.MediationData());
        }
        trace = capture.Take();
    }
    TakeStored(router.MediationData());
    EXPECT_EQ(TraceLines(trace), (std::vector<std::string>{
                                     "CScoutCiscoServiceData::CScoutCiscoServiceData()",
                                     "leaving CScoutCiscoServiceData::CScoutCiscoServiceData()",
                                     "Entering into CScoutCiscoServiceData::ObtainData",
                                     "CScoutCiscoService::CScoutCiscoService()",
                                     "Entering into CScoutCiscoServiceData::BuildServiceId",
                                     " tagStr = Null Tag",
                                     " systemId = 1921.6800.1001.00",
                                     " areaId = 49.0001",
                                     "Entering into CScoutCiscoServiceData::BuildNetAddr",
                                     "netAddrPattern = [[:space:]]+([0-9.]+)[\r",
                                     "]",
                                     " netAddr = 49.0001.1921.6800.1001.00",
                                     "Entering into CScoutCiscoServiceData::BuildHostname",
                                     "Entering into CScoutCiscoServiceData::BuildDIS",
                                     "CScoutCiscoPseudoNodeLSP::CScoutCiscoPseudoNodeLSP(",
                                     "Entering into CScoutCiscoServiceData::BuildPseudoNode",
                                     "CScoutCiscoServiceData::~CScoutCiscoServiceData()",
                                     "leaving CScoutCiscoServiceData::~CScoutCiscoServiceData()",
                                 }));
}

// The host name step traces its input before it looks for the anchor, then
// the text from the anchor on, then what it read.
TEST(ServiceDataSteps, HostnameTracesAtLevelFour) {
    const std::string text = "  2   1921.6800.1002 r2 *\n     * 1921.6800.1001 r1\n";
    CScoutCiscoServiceData collector;
    CScoutCiscoService service;
    bool success = false;
    DebugLevel level(4);
    TraceCapture capture;
    collector.BuildHostname(text.c_str(), &service, &success);
    collector.BuildHostname(nullptr, &service, &success);
    EXPECT_EQ(capture.Take(), "Entering into CScoutCiscoServiceData::BuildHostname\n"
                              "hostNameData = " +
                                  text +
                                  "\n"
                                  "entryPtr = *\n     * 1921.6800.1001 r1\n\n"
                                  " hostName = r1\n"
                                  "Entering into CScoutCiscoServiceData::BuildHostname\n"
                                  "hostNameData = \n"
                                  "entryPtr = \n");
    EXPECT_EQ(service.GetHostName(), "r1");
}

} // namespace
