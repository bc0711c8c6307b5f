// The plug-in's factory, the agent's identity, the layers as the host reaches
// them, and records that come without the host's objects.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CScoutEntityJournal.h"
#include "CScoutQuillonAgent.h"
#include "HostFixture.h"
#include "QuillonAgentProbe.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

TEST(AgentFactory, EachCallGivesAFreshAgentThatNamesItselfWhenAsked) {
    std::unique_ptr<CScoutAgent> first(SAInstantiate());
    std::unique_ptr<CScoutAgent> second(SAInstantiate());
    ASSERT_NE(dynamic_cast<CScoutQuillonAgent*>(first.get()), nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first.get(), second.get());

    EXPECT_EQ(first->ZAGetName(), "");
    first->ZASetSCName();
    first->ZASetSCDesc();
    EXPECT_EQ(first->ZAGetName(), "Quillon");
    EXPECT_EQ(first->ZAGetDesc(), "Discovery Agent for Cisco ISIS device using Telnet");
    EXPECT_EQ(second->ZAGetName(), "");

    // The host calls the layers through the base class.
    LabRouter router;
    router.Answer("show clns protocol", "IP-RIP Router: <none>\n");
    first->SASetRequester(&router.Requester());
    EXPECT_EQ(first->SADoMediationFilter(&router.Record()), ZFALSE);
}

TEST(RelationshipLayer, HandsTheEntityOverWithTheIfIndexKey) {
    LabRouter router;
    QuillonAgentProbe probe(router.Requester());
    {
        DebugLevel level(3);
        TraceCapture capture;
        probe.Relationship(&router.Record());
        EXPECT_EQ(capture.Take(),
                  "SQ::SMADoRelationshipLayer()\nleaving SQ::SADoRelationshipLayer()\n");
    }
    DebugLevel level(2);
    TraceCapture capture;
    probe.Relationship(nullptr); // passed on unchecked

    EXPECT_EQ(capture.Take(), "");
    EXPECT_EQ(router.Journal().SEJRelationshipKeys(), std::vector<std::string>{"m_IfIndex"});
    EXPECT_TRUE(router.Commands().empty());
    EXPECT_TRUE(router.Errors().empty());
}

// A record the host should never hand over: none at all, or one without its
// mediation or processed data.
struct MissingHostObject {
    const char* name;
    std::function<void(QuillonAgentProbe&, CZanRecord*)> layer;
    bool record, mediationData, processedData;
    const char* error;
};

void PrintTo(const MissingHostObject& c, std::ostream* out) {
    *out << c.name;
}

class MissingHostObjectTest : public testing::TestWithParam<MissingHostObject> {};

TEST_P(MissingHostObjectTest, IsReportedAndRunsNoCommand) {
    const MissingHostObject& c = GetParam();
    LabRouter router;
    router.Reachable();
    QuillonAgentProbe probe(router.Requester());
    CScoutMediationData md;
    CScoutProcessedData pd;
    CScoutEntityJournal journal;
    CZanRecord record("R1");
    record.ZRAttach(c.mediationData ? &md : nullptr, c.processedData ? &pd : nullptr, &journal);

    c.layer(probe, c.record ? &record : nullptr);

    EXPECT_EQ(quillon_probe::Errors(router.Errors()), std::vector<std::string>{c.error});
    EXPECT_TRUE(journal.SEJCommands().empty());
    EXPECT_TRUE(md.SMDKeys().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Layers, MissingHostObjectTest,
    testing::Values(
        MissingHostObject{"FilterNoRecord", &QuillonAgentProbe::Filter, false, true, true,
                          "-220439 CScoutQuillonAgent:169  ne is null - this should NEVER happen"},
        MissingHostObject{"FilterNoMediationData", &QuillonAgentProbe::Filter, true, false, true,
                          "-220402 CScoutQuillonAgent:179"},
        MissingHostObject{"MediationNoRecord", &QuillonAgentProbe::Mediation, false, true, true,
                          "-220402 CScoutQuillonAgent:238"},
        MissingHostObject{"MediationNoMediationData", &QuillonAgentProbe::Mediation, true, false,
                          true, "-220402 CScoutQuillonAgent:238"},
        MissingHostObject{"ProcessNoRecord", &QuillonAgentProbe::Process, false, true, true,
                          "-220402 CScoutQuillonAgent:312"},
        MissingHostObject{"ProcessNoMediationData", &QuillonAgentProbe::Process, true, false, true,
                          "-220402 CScoutQuillonAgent:321"},
        MissingHostObject{"ProcessNoProcessedData", &QuillonAgentProbe::Process, true, true, false,
                          "-220402 CScoutQuillonAgent:321"}),
    [](const testing::TestParamInfo<MissingHostObject>& info) { return info.param.name; });
