// The service and pseudo-node objects: what their records hold, in which
// order and of which kind, and what they trace.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CZanAtom.h"
#include "EndPointRecord.h"
#include "HostFixture.h"

using quillon_test::DebugLevel;
using quillon_test::DescribeAtom;
using quillon_test::TraceCapture;
using quillon_test::TraceLines;

namespace {

std::string ServiceRecord(const CScoutCiscoService& service) {
    std::unique_ptr<CZanAtom> atom(service.GenerateServiceData());
    return DescribeAtom(atom.get());
}

std::string PseudoNodeRecord(const CScoutCiscoPseudoNodeLSP& pseudoNode) {
    std::unique_ptr<CZanAtom> atom(pseudoNode.GeneratePseudoNodeLSPData());
    return DescribeAtom(atom.get());
}

TEST(ServiceRecord, UntouchedServiceRendersSevenEmptyValues) {
    CScoutCiscoService service;
    EXPECT_EQ(ServiceRecord(service),
              "{m_AreaID=\"\"; m_SystemID=\"\"; m_NETAddress=\"\"; m_HostName=\"\"; "
              "m_OverloadBit=0; m_Tag=\"\"; m_PseudoNodeDIS=0}");
}

TEST(ServiceRecord, FilledServiceRendersEveryFieldUnderItsOwnKey) {
    CScoutCiscoService service;
    // Distinct values and an order unlike the record's, so a swapped key or
    // an adder reading the wrong field shows.
    service.SetPseudoNodeDIS(true);
    service.SetTag("Null Tag");
    service.SetHostName("r1");
    service.SetNETAddress("49.0001.1921.6800.1001.00");
    service.SetSystemID("1921.6800.1001.00");
    service.SetAreaID("49.0001");
    const std::string disOnly = "{m_AreaID=\"49.0001\"; m_SystemID=\"1921.6800.1001.00\"; "
                                "m_NETAddress=\"49.0001.1921.6800.1001.00\"; m_HostName=\"r1\"; "
                                "m_OverloadBit=0; m_Tag=\"Null Tag\"; m_PseudoNodeDIS=1}";
    EXPECT_EQ(ServiceRecord(service), disOnly);

    service.SetPseudoNodeDIS(false);
    service.SetOverloadBit(true);
    EXPECT_EQ(ServiceRecord(service),
              "{m_AreaID=\"49.0001\"; m_SystemID=\"1921.6800.1001.00\"; "
              "m_NETAddress=\"49.0001.1921.6800.1001.00\"; m_HostName=\"r1\"; "
              "m_OverloadBit=1; m_Tag=\"Null Tag\"; m_PseudoNodeDIS=0}");
}

TEST(PseudoNodeRecord, UntouchedAndFilledObjects) {
    CScoutCiscoPseudoNodeLSP pseudoNode;
    EXPECT_EQ(PseudoNodeRecord(pseudoNode), "{m_GeneratedPseudoNodeLSP=\"\"; m_LevelType=\"\"}");
    pseudoNode.SetLevelType("Level-1 AND Level-2");
    pseudoNode.SetGeneratedPseudoNodeLSP("r1.01-00");
    EXPECT_EQ(PseudoNodeRecord(pseudoNode),
              "{m_GeneratedPseudoNodeLSP=\"r1.01-00\"; m_LevelType=\"Level-1 AND Level-2\"}");
}

struct ModelTraceCase {
    const char* name;
    int level;
    std::vector<std::string> expected;
};

// Failure messages name the case.
void PrintTo(const ModelTraceCase& c, std::ostream* out) {
    *out << c.name;
}

class ServiceModelTrace : public testing::TestWithParam<ModelTraceCase> {};

// Construction and destruction trace at level 2, record generation at 3;
// the pseudo-node constructor line has no closing parenthesis.
TEST_P(ServiceModelTrace, LinesAppearFromTheirLevelOn) {
    const ModelTraceCase& c = GetParam();
    DebugLevel level(c.level);
    TraceCapture capture;
    {
        CScoutCiscoService service;
        delete service.GenerateServiceData();
        CScoutCiscoPseudoNodeLSP pseudoNode;
        delete pseudoNode.GeneratePseudoNodeLSPData();
    }
    std::vector<std::string> lines = TraceLines(capture.Take());
    EXPECT_EQ(lines, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, ServiceModelTrace,
    testing::Values(ModelTraceCase{"silent", 1, {}},
                    ModelTraceCase{"lifetime",
                                   2,
                                   {"CScoutCiscoService::CScoutCiscoService()",
                                    "CScoutCiscoPseudoNodeLSP::CScoutCiscoPseudoNodeLSP(",
                                    "CScoutCiscoPseudoNodeLSP::~CScoutCiscoPseudoNodeLSP()",
                                    "CScoutCiscoService::~CScoutCiscoService()"}},
                    ModelTraceCase{"generation",
                                   3,
                                   {"CScoutCiscoService::CScoutCiscoService()",
                                    "GenerateServiceData()", "leaving GenerateServiceData()",
                                    "CScoutCiscoPseudoNodeLSP::CScoutCiscoPseudoNodeLSP(",
                                    "GeneratePseudoNodeLSPData()",
                                    "leaving GeneratePseudoNodeLSPData()",
                                    "CScoutCiscoPseudoNodeLSP::~CScoutCiscoPseudoNodeLSP()",
                                    "CScoutCiscoService::~CScoutCiscoService()"}}),
    [](const testing::TestParamInfo<ModelTraceCase>& info) { return info.param.name; });

} // namespace
