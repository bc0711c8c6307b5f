// "show isis neighbors detail": the SNPA word of the L1 neighbour, UP on
// circuit 01, seen on one interface.
#include <gtest/gtest.h>

#include <string>

#include "CScoutCiscoNeighborData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "EndPointRecord.h"

using namespace quillon_test;

namespace {

const char* const kNothing = "{m_ISISEnabled=0; m_LevelData=[]}";

std::string SnpaRecord(const char* snpa) {
    return std::string("{m_ISISEnabled=0; m_SNPA=\"") + snpa + "\"; m_LevelData=[]}";
}

TEST(NeighborData, TakesTheSnpaOfTheQualifyingNeighbour) {
    const std::string output = ReadTestFile("isis-neighbors-detail.txt");
    const Edits secondL1 = {{"L2   Se0/0", "L1   Se0/0"}};
    struct Row {
        const char* what;
        std::string output;
        const char* name;
        std::string record;
    } rows[] = {
        {"L1, UP, circuit 01", output, "Serial0/0", SnpaRecord("HDLC")},
        {"number inside a longer name", output, "Serial1/0/0", SnpaRecord("HDLC")},
        {"L1L2", output, "Serial0/1", kNothing},
        {"INIT", output, "Serial0/2", kNothing},
        {"circuit id 02", output, "Serial0/3", kNothing},
        {"LAN circuit id", output, "FastEthernet1/0", kNothing},
        {"channel number", output, "Serial2/0:0", SnpaRecord("FR")},
        {"no neighbour", output, "Serial3/0", kNothing},
        {"later entry wins", Edited(output, secondL1), "Serial0/0", SnpaRecord("PPP")},
        // A match takes the next line along: the entry right after it is not seen.
        {"entries back to back",
         Edited(Edited(output, secondL1),
                {{"  State Changed: 00:12:31\n  Format: Phase V\nr2", "r2"}}),
         "Serial0/0", SnpaRecord("HDLC")},
        {"neighbour line first in the output", output.substr(output.find("r2")), "Serial0/0",
         kNothing},
        // With CR LF the CR is the blank the SNPA word needs after it.
        {"SNPA word without a blank after it", Edited(output, {{"*HDLC*  \n", "*HDLC*\n"}}),
         "Serial0/0", kNothing + (" (with CR LF: " + SnpaRecord("HDLC") + ")")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ReadBothLineEnds(row.output,
                                   [&](const std::string& text) {
                                       return ParsedRecord<CScoutCiscoNeighborData>(
                                           "show isis neighbors detail", text, row.name);
                                   }),
                  row.record)
            << row.what;
}

} // namespace
