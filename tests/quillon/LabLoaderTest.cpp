// What a well-formed lab gives the requester. Malformed labs are refused end
// to end (tests/data/refusals.json).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CScoutDevice.h"
#include "LabDevice.h"
#include "LabLoader.h"

namespace {

TEST(LabLoader, WellFormedLabGivesDevicesInOrder) {
    LabLoader loader;
    std::string error;
    ASSERT_TRUE(loader.LoadText("lab.json", R"({"devices": [
      {"name": "R1", "commands": {"show run": ""},
       "ifDescr": [[4294967295, "Serial1/0"], [null, "Null0"], [7, 12]]},
      {"name": "R2", "commands": {}},
      {"name": "R3", "ifDescr": []}]})",
                                error))
        << error;
    const auto& devices = loader.Devices();
    ASSERT_EQ(devices.size(), 3u);
    EXPECT_EQ(devices[2].name, "R3");
    EXPECT_EQ(devices[2].index, 2u);
    EXPECT_EQ(devices[2].source, "lab.json");

    std::string output = "x";
    ASSERT_TRUE(devices[0].device->SDRunCommand("show run", output));
    EXPECT_EQ(output, "");
    EXPECT_FALSE(devices[0].device->SDRunCommand("show clns", output));
    std::vector<CScoutSnmpRow> rows;
    ASSERT_TRUE(devices[0].device->SDWalkColumn("ifDescr", rows));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].index, 4294967295LL);
    EXPECT_EQ(rows[0].value, "Serial1/0");
    EXPECT_FALSE(rows[1].hasIndex);
    EXPECT_TRUE(rows[1].isString);
    EXPECT_TRUE(rows[2].hasIndex);
    EXPECT_FALSE(rows[2].isString);

    // An empty command table still takes sessions, no table means the device
    // is unreachable; no ifDescr fails the walk, an empty one has no rows.
    EXPECT_TRUE(devices[1].device->SDAnswersCommands());
    EXPECT_FALSE(devices[2].device->SDAnswersCommands());
    EXPECT_FALSE(devices[1].device->SDWalkColumn("ifDescr", rows));
    EXPECT_TRUE(devices[2].device->SDWalkColumn("ifDescr", rows));
    EXPECT_TRUE(rows.empty());
}

} // namespace
