// The designated-IS and overload flags read from the router's own LSPs, and
// the own pseudo-node LSP read from the database sections.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "EndPointRecord.h"
#include "HostFixture.h"

using quillon_test::DebugLevel;
using quillon_test::LabRouter;
using quillon_test::TraceCapture;
using quillon_test::TraceLines;
using quillon_test::WithCrLf;

namespace {

// One database row: LSP id, own-LSP asterisk, sequence number, checksum,
// hold time, ATT/P/OL.
std::string Lsp(const std::string& id, bool own, int overload = 0) {
    std::string row = id + " ";
    if (row.size() < 20)
        row.resize(20, ' ');
    row += own ? "* " : "  ";
    row += "0x0000000C   0x5D2E        1012              0/0/" + std::to_string(overload) + "\n";
    return row;
}

struct DisCase {
    const char* name;
    std::string hostName; // as BuildHostname left it
    std::string text;     // "show isis database | include \*"
    bool dis;
    bool overload;
};

// Failure messages name the case.
void PrintTo(const DisCase& c, std::ostream* out) {
    *out << c.name;
}

class DesignatedIS : public testing::TestWithParam<DisCase> {};

TEST_P(DesignatedIS, FlagsFollowTwoConsecutiveOwnLines) {
    const DisCase& c = GetParam();
    LabRouter router;
    CScoutCiscoServiceData collector;
    CScoutCiscoService service;
    service.SetHostName(c.hostName);
    bool success = false;
    collector.BuildDIS(c.text.c_str(), &service, &success);
    EXPECT_TRUE(success);
    EXPECT_EQ(service.GetPseudoNodeDIS(), c.dis);
    EXPECT_EQ(service.GetOverloadBit(), c.overload);
    EXPECT_TRUE(router.Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    OwnLsps, DesignatedIS,
    testing::Values(
        // One own line cannot match, whatever its OL digit says.
        DisCase{"SingleOwnLine", "r1", Lsp("r1.00-00", true, 1), false, false},
        DisCase{"NonPseudoThenPseudo", "r1", Lsp("r1.00-00", true) + Lsp("r1.01-00", true), true,
                false},
        DisCase{"BothLevelsNonPseudo", "r1", Lsp("r1.00-00", true) + Lsp("r1.00-00", true), false,
                false},
        DisCase{"PseudoFirst", "r1", Lsp("r1.02-00", true) + Lsp("r1.00-00", true), true, false},
        DisCase{"TwoDigitPseudoNodeId", "r1", Lsp("r1.00-00", true) + Lsp("r1.10-00", true), true,
                false},
        DisCase{"OverloadOnFirstLine", "r1", Lsp("r1.00-00", true, 1) + Lsp("r1.01-00", true), true,
                true},
        DisCase{"OverloadOnSecondLine", "r1", Lsp("r1.00-00", true) + Lsp("r1.01-00", true, 1),
                true, true},
        DisCase{"OverloadWithoutPseudoNode", "r1", Lsp("r1.00-00", true) + Lsp("r1.00-00", true, 1),
                false, true},
        DisCase{"CrLf", "r1", WithCrLf(Lsp("r1.00-00", true, 1) + Lsp("r1.01-00", true)), true,
                true},
        // Without a host name the answer is searched from its beginning.
        DisCase{"EmptyHostName", "", Lsp("r1.00-00", true) + Lsp("r1.01-00", true, 1), true, true},
        DisCase{"HostNameNotInAnswer", "r9", Lsp("r1.00-00", true) + Lsp("r1.01-00", true, 1),
                false, false},
        // Search starts at the host name: a pair before it is not seen.
        DisCase{"StartsAtTheHostName", "pe_2",
                Lsp("r1.00-00", true, 1) + Lsp("r1.01-00", true) + Lsp("pe_2.00-00", true) +
                    Lsp("pe_2.00-01", true),
                false, false},
        // The second line's name class has no capitals.
        DisCase{"CapitalisedNamesNeverPair", "", Lsp("R1.00-00", true) + Lsp("R1.01-00", true),
                false, false},
        // A third line is swallowed by the first match; the next pair decides.
        DisCase{"LastPairDecides", "r1",
                Lsp("r1.00-00", true) + Lsp("r1.01-00", true, 1) + Lsp("r1.00-00", true) +
                    Lsp("r1.00-01", true) + Lsp("r1.00-02", true),
                false, false},
        DisCase{"NoOwnLines", "r1", "", false, false}),
    [](const testing::TestParamInfo<DisCase>& info) { return info.param.name; });

TEST(DesignatedIS, TracesPatternAndFirstLineValues) {
    CScoutCiscoServiceData collector;
    CScoutCiscoService service;
    service.SetHostName("r1");
    bool success = false;
    const std::string text = Lsp("r1.00-00", true, 1) + Lsp("r1.01-00", true);
    DebugLevel level(4);
    TraceCapture capture;
    collector.BuildDIS(text.c_str(), &service, &success);
    const std::string pattern = "\\.([0-9]+)-[0-9]+[[:space:]]+\\*[[:space:]]+[A-Z0-9x]+"
                                "[[:space:]]+[A-Z0-9x]+[[:space:]]+[0-9]+[[:space:]]+[0-1]\\/"
                                "[0-1]\\/([0-1])[\r\n]"
                                "[[:space:]]*[a-z0-9_]+\\.([0-9]+)-[0-9]+[[:space:]]+\\*"
                                "[[:space:]]+[A-Z0-9x]+[[:space:]]+[A-Z0-9x]+[[:space:]]+[0-9]+"
                                "[[:space:]]+[0-1]\\/[0-1]\\/([0-1])[\r\n].*";
    EXPECT_EQ(capture.Take(), "Entering into CScoutCiscoServiceData::BuildDIS\n"
                              "isisDatabasePattern = " +
                                  pattern +
                                  "\n"
                                  " DISStr = 00\n"
                                  " overloadBitStr = 1\n");
}

const std::string kHeading =
    "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL\n";

std::string Section(const std::string& level, const std::vector<std::string>& rows) {
    std::string text = "IS-IS " + level + " Link State Database:\n" + kHeading;
    for (const std::string& row : rows)
        text += row;
    return text;
}

struct PseudoNodeCase {
    const char* name;
    std::string text; // "show isis database"
    std::string levelType;
    std::string lspId;
};

// Failure messages name the case.
void PrintTo(const PseudoNodeCase& c, std::ostream* out) {
    *out << c.name;
}

class OwnPseudoNode : public testing::TestWithParam<PseudoNodeCase> {};

TEST_P(OwnPseudoNode, SectionsBeginningWithIt) {
    const PseudoNodeCase& c = GetParam();
    LabRouter router;
    CScoutCiscoServiceData collector;
    CScoutCiscoPseudoNodeLSP pseudoNode;
    bool success = false;
    collector.BuildPseudoNode(c.text.c_str(), &pseudoNode, &success);
    EXPECT_TRUE(success);
    EXPECT_EQ(pseudoNode.GetLevelType(), c.levelType);
    EXPECT_EQ(pseudoNode.GetGeneratedPseudoNodeLSP(), c.lspId);
    EXPECT_TRUE(router.Errors().empty());
}

const std::string kOwnPseudo = Lsp("r1.01-00", true);
const std::string kOwnNode = Lsp("r1.00-00", true);
const std::string kOther = Lsp("r2.00-00", false);

INSTANTIATE_TEST_SUITE_P(
    Databases, OwnPseudoNode,
    testing::Values(
        PseudoNodeCase{"BothLevels",
                       "\n" + Section("Level-1", {kOwnPseudo, kOther}) + "\n" +
                           Section("Level-2", {kOwnPseudo, kOther}),
                       "Level-1 AND Level-2", "r1.01-00"},
        PseudoNodeCase{"BothLevelsCrLf",
                       WithCrLf("\n" + Section("Level-1", {kOwnPseudo, kOther}) + "\n" +
                                Section("Level-2", {kOwnPseudo, kOther})),
                       "Level-1 AND Level-2", "r1.01-00"},
        // The id is that of the last section that counts.
        PseudoNodeCase{"LastSectionGivesTheId",
                       Section("Level-1", {kOwnPseudo, kOther}) +
                           Section("Level-2", {Lsp("1921.6800.1001.01-00", true), kOther}),
                       "Level-1 AND Level-2", "1921.6800.1001.01-00"},
        PseudoNodeCase{"OnlyLevel1",
                       Section("Level-1", {kOwnPseudo, kOther}) +
                           Section("Level-2", {kOther, kOwnPseudo}),
                       "Level-1", "r1.01-00"},
        PseudoNodeCase{"OnlyLevel2",
                       Section("Level-1", {kOther, kOwnPseudo}) +
                           Section("Level-2", {kOwnPseudo, kOther}),
                       "Level-2", "r1.01-00"},
        // The own node LSP comes first: the pseudo-node row after it is not
        // looked at.
        PseudoNodeCase{"OwnNodeFirst", Section("Level-1", {kOwnNode, kOwnPseudo, kOther}), "", ""},
        PseudoNodeCase{"PseudoNodeIdTen", Section("Level-1", {Lsp("r1.10-00", true), kOther}), "",
                       ""},
        PseudoNodeCase{"SecondFragment", Section("Level-1", {Lsp("r1.01-01", true), kOther}), "",
                       ""},
        // The first row without its asterisk is another router's.
        PseudoNodeCase{"FirstRowNotOwn", Section("Level-1", {Lsp("r1.01-00", false), kOther}), "",
                       ""},
        // A one-row first section swallows the next section's heading.
        PseudoNodeCase{"OneRowFirstSectionHidesTheSecond",
                       Section("Level-1", {kOwnPseudo}) + Section("Level-2", {kOwnPseudo, kOther}),
                       "Level-1", "r1.01-00"},
        PseudoNodeCase{"NoAnchor", "% IS-IS not running\n", "", ""},
        PseudoNodeCase{"EmptyDatabase", Section("Level-1", {}), "", ""}),
    [](const testing::TestParamInfo<PseudoNodeCase>& info) { return info.param.name; });

// The joined level text starts empty on every call: nothing carries over
// from one router's database to the next.
TEST(OwnPseudoNode, NoCarryOverBetweenEntities) {
    const std::string first = Section("Level-1", {kOwnPseudo, kOther});
    const std::string second =
        Section("Level-1", {kOther, kOther}) + Section("Level-2", {kOwnPseudo, kOther});
    CScoutCiscoServiceData collector;
    CScoutCiscoPseudoNodeLSP a;
    CScoutCiscoPseudoNodeLSP b;
    bool success = false;
    collector.BuildPseudoNode(first.c_str(), &a, &success);
    collector.BuildPseudoNode(second.c_str(), &b, &success);
    EXPECT_EQ(a.GetLevelType(), "Level-1");
    EXPECT_EQ(b.GetLevelType(), "Level-2");

    CScoutCiscoServiceData other;
    CScoutCiscoPseudoNodeLSP c;
    other.BuildPseudoNode(second.c_str(), &c, &success);
    EXPECT_EQ(c.GetLevelType(), "Level-2");
}

TEST(OwnPseudoNode, TracesEachSectionAndTheJoinedLevels) {
    const std::string text = Section("Level-1", {kOwnPseudo, kOther}) +
                             Section("Level-2", {kOther, kOther}) +
                             Section("Level-1", {kOwnPseudo, kOther});
    CScoutCiscoServiceData collector;
    CScoutCiscoPseudoNodeLSP pseudoNode;
    bool success = false;
    DebugLevel level(4);
    TraceCapture capture;
    collector.BuildPseudoNode(text.c_str(), &pseudoNode, &success);
    const std::string pattern =
        "[[:space:]]+([A-Za-z0-9-]+)[[:space:]]+Link State Database:[\r\n]"
        "[[:space:]]*LSPID[[:space:]]+LSP Seq Num[[:space:]]+LSP Checksum[[:space:]]+LSP "
        "Holdtime[[:space:]]+ATT\\/P\\/OL[\r\n]"
        "[[:space:]]*([a-zA-Z0-9._\\-]+)"
        "[[:space:]]*(\\*)?.*[\r\n].*";
    EXPECT_EQ(capture.Take(), "Entering into CScoutCiscoServiceData::BuildPseudoNode\n"
                              "isisDatabase = " +
                                  pattern +
                                  "\n"
                                  " LevelType = Level-1\n"
                                  " generatedLSPStr = r1.01-00\n"
                                  " AsteriskStr = *\n"
                                  " levelTypeCopy = Level-1\n"
                                  " LevelType = Level-2\n"
                                  " generatedLSPStr = r2.00-00\n"
                                  " LevelType = Level-1\n"
                                  " generatedLSPStr = r1.01-00\n"
                                  " AsteriskStr = *\n"
                                  " levelTypeCopy = Level-1 AND Level-1\n");
    EXPECT_EQ(pseudoNode.GetLevelType(), "Level-1 AND Level-1");
}

} // namespace
