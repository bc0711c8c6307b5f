// One router driven through the four layers as the host drives it, and the
// failures a lab can cause on the way.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CZanVBList.h"
#include "CZanVarBind.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"

using quillon_probe::Describe;
using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

// Runs the layers in the host's order; the later ones only when the filter
// keeps the router.
bool Discover(QuillonAgentProbe& probe, LabRouter& router) {
    if (!probe.Filter(&router.Record()))
        return false;
    probe.Mediation(&router.Record());
    probe.Process(&router.Record());
    probe.Relationship(&router.Record());
    return true;
}

using IfDescrRows = std::vector<std::pair<long long, std::string>>;

} // namespace

TEST(RoadOfOneEntity, RouterWithTwoIsisInterfaces) {
    LabRouter router;
    isis_router::Answer(router).IfDescr({{1, "Ethernet0/0"}, {2, "Serial1/0"}, {3, "Null0"}});
    // A field the record already carries is replaced, not repeated.
    router.Record().ZRAddOrSetObjectVal("m_ExtraInfo", new CZanVarBind("m_ExtraInfo", "old"));
    QuillonAgentProbe probe(router.Requester());

    ASSERT_TRUE(Discover(probe, router));

    // 1 + 6 + 1 + 5 commands; two local neighbours with their end points;
    // three remote neighbours on the first interface; the service data.
    std::ostringstream road;
    for (const std::string& command : router.Commands())
        road << "command " << command << "\n";
    const CScoutProcessedData& pd = router.ProcessedData();
    for (int i = 0; i < pd.SPDLocalNbrCount(); ++i)
        road << "local " << Describe(pd.SPDLocalNbr(i)) << "\n";
    for (int i = 0; i < pd.SPDRemoteNbrCount(); ++i)
        road << "remote " << Describe(pd.SPDRemoteNbrKey(i)) << " " << Describe(pd.SPDRemoteNbr(i))
             << "\n";
    for (int i = 0; i < router.Record().ZRFieldCount(); ++i)
        road << "field " << router.Record().ZRFieldName(i) << " "
             << Describe(router.Record().ZRGetObjectVal(router.Record().ZRFieldName(i).c_str()))
             << "\n";
    for (const std::string& key : router.MediationData().SMDKeys())
        road << "mediation data " << key << "\n";
    for (const std::string& key : router.Journal().SEJRelationshipKeys())
        road << "relationship " << key << "\n";
    for (const std::string& error : quillon_probe::Errors(router.Errors()))
        road << "error " << error << "\n";
    EXPECT_EQ(road.str(), isis_router::Output("road.txt"));
}

// ---------------------------------------------------------------------------
// What a lab can get wrong.

namespace {

std::string Error534(const std::string& interfaceName) {
    return "-220439 CScoutQuillonAgent:534 Unable to find ifIndex for interface " + interfaceName +
           " on entity R1. Interface data ignored.\n\n";
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
    if (pd.SPDRemoteNbrCount() > 0) {
        outcome += "remote";
        for (int i = 0; i < pd.SPDRemoteNbrCount(); ++i)
            outcome += " " + std::to_string(pd.SPDRemoteNbrKey(i)->ZVBInteger());
        outcome += "\n";
    }
    for (const std::string& error : quillon_probe::Errors(router.Errors()))
        outcome += error + "\n";
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

} // namespace

TEST(RoadOfOneEntity, LabFaultsLoseOnlyWhatTheyMust) {
    // The commands left unanswered, split by '|' ("*": the router takes no
    // command at all); the ifDescr column, pairs of ifIndex and name (none:
    // the walk fails); what the road leaves.
    struct Fault {
        const char* silent;
        const char* ifDescr;
        std::string outcome;
    } const faults[] = {
        {"show clns protocol", "1 Ethernet0/0 2 Serial1/0", "remote 1 1 1\n"},
        {"show clns interface|show run|show isis neighbors detail", "1 Ethernet0/0 2 Serial1/0",
         "local 1 Ethernet0/0\nlocal 2 Serial1/0\nremote 1 1 1\n"},
        {"show clns interface|show isis neighbors detail", "1 Ethernet0/0 2 Serial1/0",
         "local 1 Ethernet0/0 m_ISISTOPO\nlocal 2 Serial1/0 m_ISISTOPO\nremote 1 1 1\n"},
        {"", "1 Ethernet0/0 3 Null0",
         "local 1 Ethernet0/0 m_ISISTOPO\nremote 1 1 1\n" + Error534("Serial1/0")},
        {"", "1 Ethernet0/0 1 Serial1/0",
         "local 1 Ethernet0/0 m_ISISTOPO m_ISISTOPO\nremote 1 1 1\n"
         "trace ::AddLocalNbr ifIndex=1 already processed\n"},
        {"", "4294967295 Serial1/0 1 Ethernet0/0",
         "local 1 Ethernet0/0 m_ISISTOPO\nremote 1 1 1\n"},
        {"", "7 Ethernet0/0 2 Serial1/0",
         "local 2 Serial1/0 m_ISISTOPO\nlocal 7 Ethernet0/0 m_ISISTOPO\nremote 7 7 7\n"},
        {"", nullptr,
         "trace Missing ifDescr on device R1. Unable to resolve interface data.\n"
         "mediation data 0\n"},
        {"", "",
         Error534("Ethernet0/0") + Error534("Serial1/0") +
             "trace Missing ifDescr on device R1. Unable to resolve interface data.\n"},
        {"show clns is-neighbors detail", "1 Ethernet0/0 2 Serial1/0",
         "local 1 Ethernet0/0 m_ISISTOPO\nlocal 2 Serial1/0 m_ISISTOPO\n"
         "trace ProcessRemoteNbrData: isisConnectivityMap is NULL \n"},
        // the neighbours' Et0/0 is not a name of "e0/0"
        {"", "1 e0/0 2 Serial1/0",
         "local 2 Serial1/0 m_ISISTOPO\nremote -1 -1 -1\n" + Error534("Ethernet0/0")},
        {"*", nullptr,
         "trace ProcessRemoteNbrData: isisConnectivityMap is NULL \n"
         "trace No ISIS Service Data obtained\nmediation data 0\nno m_ExtraInfo\n"}};
    for (const Fault& fault : faults) {
        SCOPED_TRACE(std::string(fault.silent) + " / " + (fault.ifDescr ? fault.ifDescr : "none"));
        LabRouter router;
        std::set<std::string> silent;
        std::istringstream commands(fault.silent);
        for (std::string command; std::getline(commands, command, '|');)
            silent.insert(command);
        if (silent.count("*") == 0)
            isis_router::Answer(router, silent);
        if (fault.ifDescr != nullptr) {
            std::istringstream columns(fault.ifDescr);
            IfDescrRows rows;
            for (std::pair<long long, std::string> row; columns >> row.first >> row.second;)
                rows.push_back(row);
            router.IfDescr(rows);
        }
        QuillonAgentProbe probe(router.Requester());
        DebugLevel level(3);
        TraceCapture capture;

        ASSERT_TRUE(Discover(probe, router));

        EXPECT_EQ(Outcome(router, "\n" + capture.Take()), fault.outcome);
    }
}
