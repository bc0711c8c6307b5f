// The service and pseudo-node objects: what their records hold, in which
// order and of which kind, and what they trace.
#include <gtest/gtest.h>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "EndPointRecord.h"

using namespace quillon_test;

namespace {

TEST(ServiceModel, RecordsHoldEveryFieldUnderItsOwnKey) {
    CScoutCiscoService service;
    CScoutCiscoPseudoNodeLSP pseudoNode;
    EXPECT_EQ(Describe(service.GenerateServiceData()),
              "{m_AreaID=\"\"; m_SystemID=\"\"; m_NETAddress=\"\"; m_HostName=\"\"; "
              "m_OverloadBit=0; m_Tag=\"\"; m_PseudoNodeDIS=0}");
    EXPECT_EQ(Describe(pseudoNode.GeneratePseudoNodeLSPData()),
              "{m_GeneratedPseudoNodeLSP=\"\"; m_LevelType=\"\"}");

    // Distinct values set in an order unlike the record's; each flag alone.
    service.SetPseudoNodeDIS(true);
    service.SetTag("Null Tag");
    service.SetHostName("r1");
    service.SetNETAddress("49.0001.1921.6800.1001.00");
    service.SetSystemID("1921.6800.1001.00");
    service.SetAreaID("49.0001");
    const char* const kIdentity = "{m_AreaID=\"49.0001\"; m_SystemID=\"1921.6800.1001.00\"; "
                                  "m_NETAddress=\"49.0001.1921.6800.1001.00\"; m_HostName=\"r1\"; ";
    EXPECT_EQ(Describe(service.GenerateServiceData()),
              std::string(kIdentity) + "m_OverloadBit=0; m_Tag=\"Null Tag\"; m_PseudoNodeDIS=1}");
    service.SetPseudoNodeDIS(false);
    service.SetOverloadBit(true);
    EXPECT_EQ(Describe(service.GenerateServiceData()),
              std::string(kIdentity) + "m_OverloadBit=1; m_Tag=\"Null Tag\"; m_PseudoNodeDIS=0}");

    pseudoNode.SetLevelType("Level-1 AND Level-2");
    pseudoNode.SetGeneratedPseudoNodeLSP("r1.01-00");
    EXPECT_EQ(Describe(pseudoNode.GeneratePseudoNodeLSPData()),
              "{m_GeneratedPseudoNodeLSP=\"r1.01-00\"; m_LevelType=\"Level-1 AND Level-2\"}");
}

} // namespace
