// The data file snmpsimd serves a router from.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "SnmprecFile.h"

namespace {

CScoutSnmpRow Row(bool hasIndex, int64_t index, bool isString, std::string value) {
    CScoutSnmpRow row;
    row.hasIndex = hasIndex;
    row.index = index;
    row.isString = isString;
    row.value = std::move(value);
    return row;
}

std::string Expected(const std::string& name) {
    std::ifstream file(std::string(QUILLON_TEST_DATA) + "/snmp/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing test file " << name;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(SnmprecFileTest, EveryByteOfTheColumnSurvivesInObjectIdentifierOrder) {
    ServedRouter router;
    router.name = "R1 (core)";
    router.hostName = "core-1";
    router.hasIfDescr = true;
    router.ifDescr = {
        Row(true, 10, true, "Serial1/0"),
        Row(true, 2, true, "Ethernet0/0"),
        Row(false, 0, true, "no index, no object"),
        Row(true, 3, false, ""),
        Row(true, 4, true, " leading blank"),
        Row(true, 5, true, std::string("Gi\xc3\xa9\x00|\n", 7)),
        Row(true, 6, true, ""),
        Row(true, 2, true, "second row with index 2"),
        Row(true, 4294967296LL + 7, true, "lower 32 bits"),
        Row(true, -1, true, "Loopback0"),
        Row(true, 1, true, "a|b \\x41"),
    };
    EXPECT_EQ(SnmprecFile::Render(router), Expected("r1.snmprec"));
}

} // namespace
