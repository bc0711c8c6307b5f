// The IS-IS device filter and the interface list it reads from
// "show clns protocol".
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CScoutCiscoInterface.h"
#include "HostFixture.h"
#include "IsisRouterOutputs.h"
#include "QuillonAgentProbe.h"
#include "TestFiles.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;

namespace {

const char* const kCommand = "show clns protocol";

std::string Protocol(const std::string& interfaceLines) {
    return "IS-IS Router: <Null Tag>\n  Interfaces supported by IS-IS:\n" + interfaceLines;
}

// Takes the set the filter stored, as the process layer would, and gives its
// names each followed by a blank.
std::string TakeNames(LabRouter& router) {
    std::unique_ptr<InterfaceNameSet> names(
        static_cast<InterfaceNameSet*>(router.MediationData().SMDRemoveDataPtr("isisInterfaces")));
    std::string joined;
    for (const std::string& name : names ? *names : InterfaceNameSet())
        joined += name + " ";
    return joined;
}

} // namespace

TEST(MediationFilter, RouterThatGivesNoTextIsKeptWithoutInterfaceSet) {
    LabRouter silent("R1");
    silent.Reachable();
    LabRouter unreachable("R2");
    for (LabRouter* router : {&silent, &unreachable}) {
        QuillonAgentProbe probe(router->Requester());
        EXPECT_TRUE(probe.Filter(&router->Record()));
        EXPECT_EQ(router->Commands(), std::vector<std::string>{kCommand});
        EXPECT_TRUE(router->MediationData().SMDKeys().empty());
        EXPECT_TRUE(router->Errors().empty());
    }
}

TEST(MediationFilter, TracesEachLineFromItsLevelOn) {
    const std::pair<int, const char*> lines[] = {
        {1, "Entering into CScoutQuillonAgent::SADoMediationFilter "},
        {1, "Entering into CScoutCiscoInterface::ObtainData "},
        {1, "Entering into CScoutCiscoInterface::ParseData"},
        // the output from the tag on, which ends in its own line end
        {4, " 2 ParseData: entryPtr = Interfaces supported by IS-IS:"},
        {4, "        Serial1/0 - OSI - IP"},
        {4, "        Ethernet0/0 - IP"},
        {4, ""},
        {4, "isisInterface is Serial1/0"},
        {4, "isisInterface is Ethernet0/0"}};
    for (int level = 0; level <= 4; ++level) {
        LabRouter router;
        router.Answer(kCommand, Protocol("        Serial1/0 - OSI - IP\n"
                                         "        Ethernet0/0 - IP\n"));
        QuillonAgentProbe probe(router.Requester());
        DebugLevel debug(level);
        TraceCapture capture;

        EXPECT_TRUE(probe.Filter(&router.Record()));

        std::vector<std::string> expected;
        for (const auto& [from, line] : lines)
            if (level >= from)
                expected.push_back(line);
        EXPECT_EQ(quillon_probe::Lines(capture.Take()), expected) << "level " << level;
        TakeNames(router);
    }
}

TEST(MediationFilter, KeepsTheListedNamesInByteOrderEachOnce) {
    const std::string r1 = isis_router::Output("show-clns-protocol.txt");
    // The output; the names kept, none when the router is dropped; whether
    // the list is reported as unparsable.
    struct Shape {
        std::string output;
        const char* names;
        bool unparsable;
    } const shapes[] = {
        {r1, "Ethernet0/0 Serial1/0 ", false},
        {quillon_test::WithCrLf(r1), "Ethernet0/0 Serial1/0 ", false},
        {Protocol("\tSerial0 - IP\n\tTokenRing0 - OSI\n"), "Serial0 TokenRing0 ", false},
        {Protocol("  Serial1/0 - OSI - IP\n  Loopback0 - IP\n  ethernet2/0 - IP\n"
                  "  Ethernet0/1 - OSI\n  Serial1/0 - OSI - IP\n"),
         "Ethernet0/1 Loopback0 Serial1/0 ethernet2/0 ", false},
        // a line without a protocol marker
        {Protocol("  Ethernet0/0 - IP\n  Tunnel0\n  Serial1/0 - OSI\n"), "Ethernet0/0 Serial1/0 ",
         false},
        // the list at the very end of the output
        {"  Interfaces supported by IS-IS:\n  Serial1/0.100 - IP\n  Port-channel1 - OSI - IP\n",
         "Port-channel1 Serial1/0.100 ", false},
        {"  Interfaces supported by IS-IS:\r\n  GigabitEthernet0/0/1 - IP\r\n",
         "GigabitEthernet0/0/1 ", false},
        // the tag with nothing, or nothing of the list, after it
        {Protocol(""), "", true},
        {"  Interfaces supported by IS-IS:", "", true},
        {Protocol("  Redistribute:\n    static (on by default)\n"), "", false},
        {"IP-RIP Router: <none>\n  Distance: 120\n", "", false}};
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.output);
        LabRouter router;
        router.Answer(kCommand, shape.output);
        QuillonAgentProbe probe(router.Requester());
        DebugLevel level(1);
        TraceCapture capture;

        EXPECT_EQ(probe.Filter(&router.Record()), *shape.names != '\0');

        // An unparsable list is reported with the whole output.
        const std::string report = "Unable to parse ISIS interfaces from:\n" + shape.output + "\n";
        EXPECT_EQ(capture.Take().find(report) != std::string::npos, shape.unparsable);
        EXPECT_EQ(router.MediationData().SMDKeys().size(), *shape.names != '\0' ? 1u : 0u);
        EXPECT_EQ(TakeNames(router), shape.names);
        EXPECT_EQ(router.Commands(), std::vector<std::string>{kCommand});
        EXPECT_TRUE(router.Errors().empty());
    }
}
