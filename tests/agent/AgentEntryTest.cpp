// The plug-in's factory, the agent's identity, the relationship layer, and
// records that come without the host's objects.
#include <gtest/gtest.h>

#include <memory>
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

TEST(RelationshipLayer, TracesFromLevelThreeAndPassesANullRecordOn) {
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

TEST(AgentLayers, RecordWithoutTheHostsObjectsIsReportedAndRunsNoCommand) {
    // The layer: (f)ilter, (m)ediation or (p)rocess; then whether there is a
    // record, whether it has its mediation data and its processed data.
    struct Case {
        char layer;
        bool record, md, pd;
        const char* error;
    } const cases[] = {{'f', false, true, true,
                        "-220439 CScoutQuillonAgent:169  ne is null - this should NEVER happen"},
                       {'f', true, false, true, "-220402 CScoutQuillonAgent:179"},
                       {'m', false, true, true, "-220402 CScoutQuillonAgent:238"},
                       {'m', true, false, true, "-220402 CScoutQuillonAgent:238"},
                       {'p', false, true, true, "-220402 CScoutQuillonAgent:312"},
                       {'p', true, false, true, "-220402 CScoutQuillonAgent:321"},
                       {'p', true, true, false, "-220402 CScoutQuillonAgent:321"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.layer) + " " + c.error);
        LabRouter router;
        router.Reachable();
        QuillonAgentProbe probe(router.Requester());
        CScoutMediationData md;
        CScoutProcessedData pd;
        CScoutEntityJournal journal;
        CZanRecord record("R1");
        record.ZRAttach(c.md ? &md : nullptr, c.pd ? &pd : nullptr, &journal);
        CZanRecord* ne = c.record ? &record : nullptr;

        EXPECT_FALSE(c.layer == 'f' && probe.Filter(ne));
        if (c.layer == 'm')
            probe.Mediation(ne);
        if (c.layer == 'p')
            probe.Process(ne);

        EXPECT_EQ(quillon_probe::Errors(router.Errors()), std::vector<std::string>{c.error});
        EXPECT_TRUE(journal.SEJCommands().empty());
        EXPECT_TRUE(md.SMDKeys().empty());
    }
}
