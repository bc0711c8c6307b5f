// The agent as the host drives it (its factory and identity are checked end
// to end by quillon version): one router through the four layers (what it leaves,
// tests/data/expected/road-r1.txt, and what it traces at each debug level,
// tests/data/traces/road-r1.json), the failures a lab can cause on the way
// (tests/data/lab-faults.json), and records that come without the host's
// objects.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CZanPointer.h"
#include "HostFixture.h"
#include "QuillonAgentProbe.h"

using namespace quillon_test;
using nlohmann::ordered_json;

namespace {

// Runs the layers in the host's order; the later ones only when the filter
// keeps the router.
void Discover(LabRouter& router) {
    QuillonAgentProbe probe(router.Requester());
    ASSERT_TRUE(probe.Filter(&router.Record()));
    probe.Mediation(&router.Record());
    probe.Process(&router.Record());
    probe.Relationship(&router.Record());
}

TEST(Layers, RouterWithTwoIsisInterfaces) {
    LabRouter router;
    isis_router::Answer(router).IfDescr({{1, "Ethernet0/0"}, {2, "Serial1/0"}, {3, "Null0"}});
    // A field the record already carries is replaced, not repeated.
    router.Record().ZRAddOrSetObjectVal("m_ExtraInfo", new CZanVarBind("m_ExtraInfo", "old"));
    Discover(router);

    std::string road;
    for (const std::string& command : router.Commands())
        road += "command " + command + "\n";
    const CScoutProcessedData& pd = router.ProcessedData();
    for (int i = 0; i < pd.SPDLocalNbrCount(); ++i)
        road += "local " + Describe(pd.SPDLocalNbr(i)) + "\n";
    for (int i = 0; i < pd.SPDRemoteNbrCount(); ++i)
        road +=
            "remote " + Describe(pd.SPDRemoteNbrKey(i)) + " " + Describe(pd.SPDRemoteNbr(i)) + "\n";
    for (int i = 0; i < router.Record().ZRFieldCount(); ++i) {
        const std::string name = router.Record().ZRFieldName(i);
        road +=
            "field " + name + " " + Describe(router.Record().ZRGetObjectVal(name.c_str())) + "\n";
    }
    for (const std::string& key : router.MediationData().SMDKeys())
        road += "mediation data " + key + "\n";
    for (const std::string& key : router.Journal().SEJRelationshipKeys())
        road += "relationship " + key + "\n";
    for (const std::string& error : Lines(router.Errors()))
        road += "error " + error + "\n";
    EXPECT_EQ(road, ReadData("expected/road-r1.txt"));
}

TEST(Layers, RouterTracesEachLineFromItsLevelOn) {
    ExpectTraceByLevel("road-r1", [] {
        LabRouter router;
        isis_router::Answer(router).IfDescr({{1, "Ethernet0/0"}, {2, "Serial1/0"}});
        Discover(router);
    });
}

// What the road left: one line per local neighbour (ifIndex, name and the
// names of its further fields), the remote neighbours' keys, the errors, the
// failure traces seen at level 3, and anything but "ifDescr" in the
// mediation data or a missing "m_ExtraInfo".
std::string Outcome(LabRouter& router, const std::string& trace) {
    std::string outcome;
    const CScoutProcessedData& pd = router.ProcessedData();
    for (int i = 0; i < pd.SPDLocalNbrCount(); ++i) {
        const CZanVBList* nbr = pd.SPDLocalNbr(i);
        outcome += "local " + std::to_string(nbr->ZVBLFind("m_IfIndex")->ZVBInteger()) + " " +
                   nbr->ZVBLFind("m_IfDescr")->ZVBString();
        for (int field = 2; field < nbr->ZVBLSize(); ++field)
            outcome += " " + nbr->ZVBLGet(field)->ZVBName();
        outcome += "\n";
    }
    for (int i = 0; i < pd.SPDRemoteNbrCount(); ++i)
        outcome += (i == 0 ? "remote " : " ") +
                   std::to_string(pd.SPDRemoteNbrKey(i)->ZVBInteger()) +
                   (i + 1 == pd.SPDRemoteNbrCount() ? "\n" : "");
    outcome += router.Errors();
    for (const char* failure :
         {"::AddLocalNbr ifIndex=1 already processed",
          "Missing ifDescr on device R1. Unable to resolve interface data.",
          "ProcessRemoteNbrData: isisConnectivityMap is NULL ", "No ISIS Service Data obtained"})
        if (trace.find(std::string("\n") + failure + "\n") != std::string::npos)
            outcome += std::string("trace ") + failure + "\n";
    if (router.MediationData().SMDKeys() != std::vector<std::string>{"ifDescr"})
        outcome +=
            "mediation data " + std::to_string(router.MediationData().SMDKeys().size()) + "\n";
    if (router.Record().ZRGetObjectVal("m_ExtraInfo") == nullptr)
        outcome += "no m_ExtraInfo\n";
    return outcome;
}

TEST(Layers, LabFaultsLoseOnlyWhatTheyMust) {
    // The commands left unanswered ("*": the router takes no command at all);
    // the ifDescr column (null: the walk fails); what the road leaves.
    for (const ordered_json& fault : ReadJson("lab-faults.json")) {
        SCOPED_TRACE(fault.dump());
        LabRouter router;
        const ordered_json silent = fault.value("silent", ordered_json::array());
        if (!silent.is_string())
            isis_router::Answer(router, silent.get<std::set<std::string>>());
        if (!fault["ifDescr"].is_null())
            router.IfDescr(fault["ifDescr"].get<std::vector<std::pair<long long, std::string>>>());
        const std::string trace = "\n" + TraceOf(3, [&] { Discover(router); });
        EXPECT_EQ(Outcome(router, trace), fault["outcome"]);
    }
}

TEST(Layers, ProtocolEndPointHangsUnderItsNeighbourOnly) {
    QuillonAgentProbe probe;
    CZanTreeList* tree = new CZanTreeList(false);
    probe.AddStdDataToLocalNbr(3, "Serial1/0", &tree);
    CScoutCiscoProtocolEndPoint endPoint;
    endPoint.SetCircuitType("level-2");

    probe.ProcessProtocolEndPoint(3, &endPoint, &tree);
    probe.ProcessProtocolEndPoint(4, &endPoint, &tree); // no neighbour: nothing is kept

    ASSERT_EQ(tree->ZTLSize(), 1);
    std::unique_ptr<CZanVBList> nbr(static_cast<CZanVBList*>(tree->ZTLGet(3)->ZPData()));
    delete tree; // it never owns its records
    EXPECT_EQ(Describe(nbr.get()),
              "{m_IfIndex=3; m_IfDescr=\"Serial1/0\"; m_ISISTOPO={m_ProtocolEndPoint="
              "{m_ISISEnabled=0; m_CircuitType=\"level-2\"; m_LevelData=[]}}}");
}

TEST(Layers, RecordWithoutTheHostsObjectsIsReportedAndRunsNoCommand) {
    // The layer: (f)ilter, (m)ediation, (p)rocess or (r)elationship; then
    // whether there is a record, whether it has its mediation data and its
    // processed data.
    struct Case {
        char layer;
        bool record, md, pd;
        const char* error;
    } const cases[] = {{'f', false, true, true,
                        "-220439 CScoutQuillonAgent:169  ne is null - this should NEVER happen\n"},
                       {'f', true, false, true, "-220402 CScoutQuillonAgent:179\n"},
                       {'m', false, true, true, "-220402 CScoutQuillonAgent:238\n"},
                       {'m', true, false, true, "-220402 CScoutQuillonAgent:238\n"},
                       {'p', false, true, true, "-220402 CScoutQuillonAgent:312\n"},
                       {'p', true, false, true, "-220402 CScoutQuillonAgent:321\n"},
                       {'p', true, true, false, "-220402 CScoutQuillonAgent:321\n"},
                       {'r', false, true, true, ""}};
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
        if (c.layer == 'r')
            probe.Relationship(ne);
        EXPECT_EQ(router.Errors(), c.error);
        EXPECT_TRUE(journal.SEJCommands().empty());
        EXPECT_TRUE(md.SMDKeys().empty());
    }
}

} // namespace
