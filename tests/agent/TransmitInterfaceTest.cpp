// "show run": the CSNP and LSP intervals of one interface's configuration
// block.
#include <gtest/gtest.h>

#include <string>

#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoTransmitInterface.h"
#include "EndPointRecord.h"

using namespace quillon_test;

namespace {

const char* const kNothing = "{m_ISISEnabled=0; m_LevelData=[]}";

std::string Record(const char* intervals) {
    return std::string("{m_ISISEnabled=0; ") + intervals + "; m_LevelData=[]}";
}

std::string Parsed(const std::string& output, const char* name) {
    return ReadBothLineEnds(output, [&](const std::string& text) {
        return ParsedRecord<CScoutCiscoTransmitInterface>("show run", text, name);
    });
}

TEST(TransmitInterface, ReadsTheIntervalsOfTheNamedBlock) {
    const std::string configuration = ReadTestFile("show-run.txt");
    struct Row {
        const char* name;
        std::string record;
    } rows[] = {
        // The level word picks the CSNP field; another word none.
        {"FastEthernet0/0", Record("m_L1CSNPTransmitInterval=10; m_LSPTransmitInterval=33")},
        {"Serial1/0", Record("m_L2CSNPTransmitInterval=20; m_LSPTransmitInterval=50")},
        {"Serial1/1", Record("m_LSPTransmitInterval=70")},
        // Only an interface line that ends right after the name opens a block.
        {"FastEthernet0/0.10", Record("m_L1CSNPTransmitInterval=11; m_LSPTransmitInterval=44")},
        {"Serial1/0.100", kNothing},
        {"Serial1/2", kNothing},                           // a CSNP line per level
        {"Serial1/3", kNothing},                           // no pim line
        {"Serial1/4", kNothing},                           // LSP line first
        {"Serial1/5", kNothing},                           // description line
        {"Serial1/6", Record("m_LSPTransmitInterval=40")}, // blank line, interval 0
        {"Serial1/7", kNothing},                           // not configured
        // The name is pattern text; every block it fits is read in turn.
        {"Serial1..", Record("m_LSPTransmitInterval=40")},
        {"Serial1/[01]", Record("m_L2CSNPTransmitInterval=20; m_LSPTransmitInterval=70")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Parsed(configuration, row.name), row.record) << row.name;
}

TEST(TransmitInterface, NameThatBreaksThePatternIsReported) {
    EXPECT_EQ(Parsed(ReadTestFile("show-run.txt"), "Serial1/0("),
              std::string(kNothing) +
                  "-220439 CScoutCiscoTransmitInterface:162 Parsing interface line regex failed\n");
}

} // namespace
