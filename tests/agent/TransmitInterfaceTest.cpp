// "show run": the CSNP and LSP intervals of one interface's configuration
// block.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <tuple>
#include <vector>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoTransmitInterface.h"
#include "EndPointRecord.h"
#include "HostFixture.h"

using quillon_test::DebugLevel;
using quillon_test::EndPointRecord;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;
using quillon_test::TraceLines;
using quillon_test::WithCrLf;

namespace {

const char* const kCommand = "show run";

const std::string kConfiguration = R"(Building configuration...

Current configuration : 2143 bytes
!
version 12.2
service timestamps debug uptime
!
hostname r1
!
ip multicast-routing
clns routing
!
interface Loopback0
 ip address 10.0.0.1 255.255.255.255
 no ip directed-broadcast
!
interface FastEthernet0/0
 ip address 10.1.1.1 255.255.255.0
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis csnp-interval 10 level-1
 isis lsp-interval 33
!
interface FastEthernet0/0.10
 ip address 10.1.10.1 255.255.255.0
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis csnp-interval 11 level-1
 isis lsp-interval 44
!
interface Serial1/0
 ip address 10.1.2.1 255.255.255.252
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis csnp-interval 20 level-2
 isis lsp-interval 50
!
interface Serial1/0.100 point-to-point
 ip address 10.1.3.1 255.255.255.252
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis csnp-interval 30 level-2
 isis lsp-interval 60
!
interface Serial1/1
 ip address 10.1.4.1 255.255.255.252
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis csnp-interval 5 level-1-2
 isis lsp-interval 70
!
interface Serial1/2
 ip address 10.1.5.1 255.255.255.252
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis csnp-interval 10 level-1
 isis csnp-interval 20 level-2
 isis lsp-interval 80
!
interface Serial1/3
 ip address 10.1.6.1 255.255.255.252
 no ip directed-broadcast
 ip router isis 
 isis csnp-interval 10 level-1
 isis lsp-interval 90
!
interface Serial1/4
 ip address 10.1.7.1 255.255.255.252
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis lsp-interval 95
 isis csnp-interval 15 level-2
!
interface Serial1/5
 description link to r9
 ip address 10.1.8.1 255.255.255.252
 no ip directed-broadcast
 ip router isis 
 ip pim sparse-mode
 isis csnp-interval 15 level-2
 isis lsp-interval 99
!
interface Serial1/6
 ip address 10.1.9.1 255.255.255.252
 no ip directed-broadcast
 ip router isis

 ip pim sparse-mode
 isis csnp-interval 0 level-2
 isis lsp-interval 40
!
router isis
 net 49.0001.0000.0000.0001.00
 is-type level-1-2
!
end
)";

const char* const kNothing = "{m_ISISEnabled=0; m_LevelData=[]}";

std::string Record(const char* intervals) {
    return std::string("{m_ISISEnabled=0; ") + intervals + "; m_LevelData=[]}";
}

std::string ParsedRecord(const std::string& output, const std::string& name) {
    LabRouter router;
    router.Answer(kCommand, output);
    CScoutCiscoTransmitInterface collector;
    EXPECT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    CScoutCiscoProtocolEndPoint endPoint;
    std::string interfaceName = name;
    collector.ParseData(interfaceName, &endPoint);
    EXPECT_TRUE(router.Errors().empty());
    return EndPointRecord(endPoint);
}

struct BlockCase {
    const char* name;
    std::string record;
};

class TransmitInterfaceBlock
    : public testing::TestWithParam<std::tuple<BlockCase, bool /* CR LF */>> {};

TEST_P(TransmitInterfaceBlock, ReadsTheIntervalsOfTheNamedBlock) {
    const auto& [row, crlf] = GetParam();
    EXPECT_EQ(ParsedRecord(crlf ? WithCrLf(kConfiguration) : kConfiguration, row.name), row.record);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, TransmitInterfaceBlock,
    testing::Combine(
        testing::Values(
            // The level word picks the CSNP field.
            BlockCase{"FastEthernet0/0",
                      Record("m_L1CSNPTransmitInterval=10; m_LSPTransmitInterval=33")},
            BlockCase{"Serial1/0", Record("m_L2CSNPTransmitInterval=20; m_LSPTransmitInterval=50")},
            BlockCase{"Serial1/1", Record("m_LSPTransmitInterval=70")},
            // Sub-interfaces: only an interface line ending right after the
            // name opens the block.
            BlockCase{"FastEthernet0/0.10",
                      Record("m_L1CSNPTransmitInterval=11; m_LSPTransmitInterval=44")},
            BlockCase{"Serial1/0.100", kNothing},
            // Blocks that differ from the expected lines.
            BlockCase{"Serial1/2", kNothing}, // a CSNP line for each level
            BlockCase{"Serial1/3", kNothing}, // no pim line
            BlockCase{"Serial1/4", kNothing}, // LSP line before the CSNP line
            BlockCase{"Serial1/5", kNothing}, // description line
            BlockCase{"Loopback0", kNothing}, // no IS-IS at all
            BlockCase{"Serial1/6", Record("m_LSPTransmitInterval=40")}, // blank line, interval 0
            BlockCase{"Serial1/7", kNothing}),                          // not configured
        testing::Bool()),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(std::get<0>(info.param).name))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name + (std::get<1>(info.param) ? "_CrLf" : "_Lf");
    });

TEST(TransmitInterfaceName, DotInTheNameMatchesAnyCharacter) {
    // The name is pattern text: "Serial1.0" reads the block of Serial1/0.
    EXPECT_EQ(ParsedRecord(kConfiguration, "Serial1.0"),
              Record("m_L2CSNPTransmitInterval=20; m_LSPTransmitInterval=50"));
}

TEST(TransmitInterfaceName, EveryMatchingBlockIsRead) {
    // "Serial1.." fits Serial1/0, Serial1/1 and Serial1/6, read in turn: the
    // last one sets the level-2 CSNP interval back to 0.
    EXPECT_EQ(ParsedRecord(kConfiguration, "Serial1.."), Record("m_LSPTransmitInterval=40"));
    EXPECT_EQ(ParsedRecord(kConfiguration, "Serial1/[01]"),
              Record("m_L2CSNPTransmitInterval=20; m_LSPTransmitInterval=70"));
}

TEST(TransmitInterfaceName, ValuesSetEarlierAreKeptWhenNothingMatches) {
    LabRouter router;
    router.Answer(kCommand, kConfiguration);
    CScoutCiscoTransmitInterface collector;
    ASSERT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    CScoutCiscoProtocolEndPoint endPoint;
    endPoint.SetL1CSNPTransmitInterval(1);
    endPoint.SetLSPTransmitInterval(2);
    std::string name = "Serial1/1";
    collector.ParseData(name, &endPoint); // an unknown level word: CSNP kept, LSP replaced
    name = "Serial1/2";
    collector.ParseData(name, &endPoint); // no match
    EXPECT_EQ(EndPointRecord(endPoint),
              Record("m_L1CSNPTransmitInterval=1; m_LSPTransmitInterval=70"));
}

TEST(TransmitInterfaceErrors, NameThatBreaksThePatternIsReported) {
    LabRouter router;
    router.Answer(kCommand, kConfiguration);
    CScoutCiscoTransmitInterface collector;
    ASSERT_TRUE(collector.ObtainData(router.Record(), router.Requester()));
    CScoutCiscoProtocolEndPoint endPoint;
    std::string name = "Serial1/0(";
    collector.ParseData(name, &endPoint);
    EXPECT_EQ(EndPointRecord(endPoint), kNothing);
    ASSERT_EQ(router.Errors().size(), 1u);
    const auto& error = router.Errors()[0];
    EXPECT_EQ(error.code, -220439);
    EXPECT_EQ(error.file, "CScoutCiscoTransmitInterface");
    EXPECT_EQ(error.line, 162);
    EXPECT_TRUE(error.hasMessage);
    EXPECT_EQ(error.message, "Parsing interface line regex failed");
}

TEST(TransmitInterfaceObtain, AsksTheRouterAndTellsWhetherTextCame) {
    LabRouter answering;
    answering.Answer(kCommand, kConfiguration);
    CScoutCiscoTransmitInterface withText;
    EXPECT_TRUE(withText.ObtainData(answering.Record(), answering.Requester()));
    EXPECT_EQ(answering.Commands(), std::vector<std::string>{kCommand});

    LabRouter silent;
    silent.Reachable();
    CScoutCiscoTransmitInterface withoutText;
    EXPECT_FALSE(withoutText.ObtainData(silent.Record(), silent.Requester()));
}

TEST(TransmitInterfaceTrace, EachLineAppearsFromItsOwnLevelOn) {
    const std::vector<std::pair<int, std::string>> all = {
        {2, "CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()"},
        {2, "leaving CScoutCiscoTransmitInterface::CScoutCiscoTransmitInterface()"},
        {3, "CScoutCiscoTransmitInterface::ObtainData"},
        {1, "Entering into CScoutCiscoTransmitInterface::ParseData"},
        {4, " isisInterface = Serial1/0"},
        {4, " 1 ParseData: pattern = interface Serial1/0"},
        {2, "CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()"},
        {2, "leaving CScoutCiscoTransmitInterface::~CScoutCiscoTransmitInterface()"},
    };
    LabRouter router;
    router.Answer(kCommand, kConfiguration);
    for (int debugLevel = 0; debugLevel <= 4; ++debugLevel) {
        SCOPED_TRACE(debugLevel);
        std::vector<std::string> expected;
        for (const auto& [lineLevel, line] : all)
            if (lineLevel <= debugLevel)
                expected.push_back(line);
        CScoutCiscoProtocolEndPoint endPoint;
        DebugLevel level(debugLevel);
        TraceCapture capture;
        {
            CScoutCiscoTransmitInterface collector;
            collector.ObtainData(router.Record(), router.Requester());
            std::string name = "Serial1/0";
            collector.ParseData(name, &endPoint);
        }
        EXPECT_EQ(TraceLines(capture.Take()), expected);
    }
}

} // namespace
