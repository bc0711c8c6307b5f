// The plug-in's factory, the agent's identity, its place in the host's
// virtual table, and the relationship layer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CScoutQuillonAgent.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

TEST(AgentFactory, EachCallGivesAFreshAgentWithItsIdentity) {
    std::unique_ptr<CScoutAgent> first(SAInstantiate());
    std::unique_ptr<CScoutAgent> second(SAInstantiate());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(dynamic_cast<CScoutQuillonAgent*>(first.get()), nullptr);

    // The agent names itself only when the host asks it to.
    EXPECT_EQ(first->ZAGetName(), "");
    EXPECT_EQ(first->ZAGetDesc(), "");
    first->ZASetSCName();
    first->ZASetSCDesc();
    EXPECT_EQ(first->ZAGetName(), "Quillon");
    EXPECT_EQ(first->ZAGetDesc(), "Discovery Agent for Cisco ISIS device using Telnet");
    EXPECT_EQ(second->ZAGetName(), "");
}

TEST(AgentFactory, HostReachesTheLayersThroughTheBaseClass) {
    LabRouter router;
    router.Answer("show clns protocol", "IP-RIP Router: <none>\n");
    std::unique_ptr<CScoutAgent> agent(SAInstantiate());
    agent->SASetRequester(&router.Requester());

    // The base filter keeps everything; the agent's drops a router without IS-IS.
    EXPECT_EQ(agent->SADoMediationFilter(&router.Record()), ZFALSE);
    agent->SADoRelationshipLayer(&router.Record());
    EXPECT_EQ(router.Journal().SEJRelationshipKeys(), std::vector<std::string>{"m_IfIndex"});
}

// ---------------------------------------------------------------------------
// Relationship layer.

class RelationshipLayerTrace : public testing::TestWithParam<int> {};

TEST_P(RelationshipLayerTrace, HandsEntityToHostOnceWithIfIndexKey) {
    LabRouter router;
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(GetParam());
    TraceCapture capture;

    probe.Relationship(&router.Record());

    EXPECT_EQ(router.Journal().SEJRelationshipKeys(), std::vector<std::string>{"m_IfIndex"});
    EXPECT_EQ(capture.Take(), GetParam() >= 3 ? "SQ::SMADoRelationshipLayer()\n"
                                                "leaving SQ::SADoRelationshipLayer()\n"
                                              : "");
    EXPECT_TRUE(router.Commands().empty());
    EXPECT_TRUE(router.Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Levels, RelationshipLayerTrace, testing::Values(0, 1, 2, 3, 4));

TEST(RelationshipLayer, PassesANullRecordOnUnchecked) {
    LabRouter router;
    QuillonAgentProbe probe(router.Requester());
    DebugLevel level(3);
    TraceCapture capture;

    probe.Relationship(nullptr);

    EXPECT_EQ(capture.Take(),
              "SQ::SMADoRelationshipLayer()\nleaving SQ::SADoRelationshipLayer()\n");
    EXPECT_TRUE(router.Journal().SEJRelationshipKeys().empty());
    EXPECT_TRUE(router.Errors().empty());
}
