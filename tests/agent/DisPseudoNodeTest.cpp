// The designated-IS and overload flags read from the router's own LSPs, and
// the own pseudo-node LSP read from the database sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "EndPointRecord.h"

using namespace quillon_test;

namespace {

// One database row: LSP id, own-LSP asterisk, sequence number, checksum,
// hold time, ATT/P/OL.
std::string Lsp(const std::string& id, bool own = true, int overload = 0) {
    std::string row = id + " ";
    row.resize(std::max<size_t>(row.size(), 20), ' ');
    return row + (own ? "* " : "  ") + "0x0000000C   0x5D2E        1012              0/0/" +
           std::to_string(overload) + "\n";
}

// The flags BuildDIS reads, with LF and with CR LF line ends.
std::string Flags(const std::string& hostName, const std::string& text) {
    return ReadBothLineEnds(text, [&](const std::string& t) {
        LabRouter router;
        CScoutCiscoServiceData collector;
        CScoutCiscoService service;
        service.SetHostName(hostName);
        bool success = false;
        collector.BuildDIS(t.c_str(), &service, &success);
        return std::string(service.GetPseudoNodeDIS() ? "DIS" : "-") +
               (service.GetOverloadBit() ? " OL" : "") + (success ? "" : " failed") +
               Errors(router);
    });
}

TEST(DesignatedIS, FlagsFollowTwoConsecutiveOwnLines) {
    const std::string node = Lsp("r1.00-00"), pseudo = Lsp("r1.01-00");
    const std::string nodeOL = Lsp("r1.00-00", true, 1), pseudoOL = Lsp("r1.01-00", true, 1);
    struct Row {
        const char* what;
        const char* hostName; // as the host name step left it
        std::string text;     // "show isis database | include \*"
        const char* flags;
    } rows[] = {
        {"single own line, whatever its OL digit", "r1", nodeOL, "-"},
        {"node then pseudo-node", "r1", node + pseudo, "DIS"},
        {"two node LSPs", "r1", node + node, "-"},
        {"two-digit pseudo-node id first", "r1", Lsp("r1.10-00") + node, "DIS"},
        {"overload on the first line", "r1", nodeOL + pseudo, "DIS OL"},
        {"overload on the second line", "r1", node + pseudoOL, "DIS OL"},
        {"empty host name: searched from the start", "", node + pseudoOL, "DIS OL"},
        {"host name not in the answer", "r9", node + pseudoOL, "-"},
        // A third line goes with the first match; the next pair decides.
        {"last pair decides", "r1", node + pseudoOL + node + Lsp("r1.00-01") + Lsp("r1.00-02"),
         "-"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Flags(row.hostName, row.text), row.flags) << row.what;
}

std::string Section(const std::string& level, const std::vector<std::string>& rows) {
    std::string text = "IS-IS " + level + " Link State Database:\n" +
                       "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      "
                       "ATT/P/OL\n";
    for (const std::string& row : rows)
        text += row;
    return text;
}

// Level type and LSP id that BuildPseudoNode reads, with LF and CR LF ends.
std::string PseudoNode(const std::string& text, CScoutCiscoServiceData& collector) {
    return ReadBothLineEnds(text, [&](const std::string& t) {
        LabRouter router;
        CScoutCiscoPseudoNodeLSP pseudoNode;
        bool success = false;
        collector.BuildPseudoNode(t.c_str(), &pseudoNode, &success);
        return pseudoNode.GetLevelType() + "|" + pseudoNode.GetGeneratedPseudoNodeLSP() +
               (success ? "" : " failed") + Errors(router);
    });
}

TEST(OwnPseudoNode, IsReadFromSectionsThatBeginWithIt) {
    const std::string own = Lsp("r1.01-00"), other = Lsp("r2.00-00", false);
    struct Row {
        const char* what;
        std::string text; // "show isis database"
        const char* read;
    } rows[] = {
        {"both levels, the last giving the id",
         Section("Level-1", {own, other}) +
             Section("Level-2", {Lsp("1921.6800.1001.01-00"), other}),
         "Level-1 AND Level-2|1921.6800.1001.01-00"},
        {"only Level-1", Section("Level-1", {own, other}) + Section("Level-2", {other, own}),
         "Level-1|r1.01-00"},
        {"only Level-2", Section("Level-1", {other, own}) + Section("Level-2", {own, other}),
         "Level-2|r1.01-00"},
        // The own node LSP first: the pseudo-node row after it is not looked at.
        {"own node LSP first", Section("Level-1", {Lsp("r1.00-00"), own, other}), "|"},
        {"pseudo-node id 10", Section("Level-1", {Lsp("r1.10-00"), other}), "|"},
        {"second fragment", Section("Level-1", {Lsp("r1.01-01"), other}), "|"},
        {"first row not own", Section("Level-1", {Lsp("r1.01-00", false), other}), "|"},
        // A one-row first section takes the next section's heading along.
        {"one-row first section", Section("Level-1", {own}) + Section("Level-2", {own, other}),
         "Level-1|r1.01-00"},
    };
    CScoutCiscoServiceData collector;
    for (const Row& row : rows)
        EXPECT_EQ(PseudoNode(row.text, collector), row.read) << row.what;
    // Nothing carries over from one router's database to the next.
    EXPECT_EQ(PseudoNode(Section("Level-1", {own, other}), collector), "Level-1|r1.01-00");
    EXPECT_EQ(PseudoNode(Section("Level-2", {own, other}), collector), "Level-2|r1.01-00");
}

} // namespace
