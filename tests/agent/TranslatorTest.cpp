// Interface names, long or short, resolved through the ifDescr column.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "CScoutInterfaceNameTranslator.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "CZanSnmpVarOp.h"
#include "HostFixture.h"
#include "QuillonAgentProbe.h"

using quillon_test::DebugLevel;
using quillon_test::TraceCapture;

namespace {

struct Row {
    bool hasIndex;
    uint32_t index;
    bool isString;
    std::string value;
};

// A walk as the host stores it: a list that owns its var ops. Rows given as
// {index, "text"} have both.
std::unique_ptr<CZanDoubleList> Walk(const std::vector<Row>& rows) {
    std::unique_ptr<CZanDoubleList> walk(new CZanDoubleList(true));
    for (const Row& row : rows) {
        CZanASN1Address* index =
            row.hasIndex ? new CZanASN1Address(std::vector<uint32_t>{row.index}) : nullptr;
        CZanAtom* value = row.isString ? new CZanAtom(row.value) : new CZanAtom(7);
        walk->ZDLAddToEnd(new CZanSnmpVarOp(index, value));
    }
    return walk;
}

Row Named(uint32_t index, const std::string& value) {
    return Row{true, index, true, value};
}

} // namespace

struct Derivation {
    const char* description;
    const char* longBase; // empty: not an interface name
    const char* shortBase;
};

void PrintTo(const Derivation& d, std::ostream* out) {
    *out << '"' << d.description << '"';
}

class BaseNameDerivation : public testing::TestWithParam<Derivation> {};

TEST_P(BaseNameDerivation, GivesLongAndShortBase) {
    CScoutInterfaceNameTranslator translator;
    std::string longBase;
    std::string shortBase;
    DebugLevel level(1);
    TraceCapture capture;

    translator.MakeBaseNames(GetParam().description, longBase, shortBase);

    EXPECT_EQ(longBase, GetParam().longBase);
    EXPECT_EQ(shortBase, GetParam().shortBase);
    EXPECT_EQ(capture.Take(),
              *GetParam().longBase != '\0'
                  ? ""
                  : std::string("CScoutInterfaceNameTranslator: unrecognised interface: ") +
                        GetParam().description + "\n");
}

INSTANTIATE_TEST_SUITE_P(Table, BaseNameDerivation,
                         testing::Values(Derivation{"Ethernet0/1", "Ethernet0/1", "Et0/1"},
                                         Derivation{"Serial1/0.100", "Serial1/0.100", "Se1/0.100"},
                                         Derivation{"Serial0/0:1", "Serial0/0:1", "Se0/0:1"},
                                         Derivation{"Port-channel1", "Port-channel1", "Po1"},
                                         Derivation{"E1 0/0", "E1 0/0", "E1 0/0"},
                                         Derivation{"0/0", "", ""}, Derivation{"", "", ""},
                                         Derivation{"GigabitEthernet0/0.10-802.1Q vLAN subif",
                                                    "GigabitEthernet0/0.10", "Gi0/0.10"},
                                         Derivation{"  Loopback0", "Loopback0", "Lo0"},
                                         Derivation{"Null", "Null", "Nu"}));

TEST(Translator, ResolvesLongAndShortNamesExactly) {
    auto walk = Walk({Named(1, "Ethernet0/0"), Named(2, "Serial1/0"), Named(5, "Serial1/0.100"),
                      Named(9, "Port-channel1"), Named(12, "E1 0/0")});
    CScoutInterfaceNameTranslator translator;
    ASSERT_TRUE(translator.LoadIfDescrs(walk.get()));

    const std::pair<const char*, int> lookups[] = {{"Ethernet0/0", 1},
                                                   {"Et0/0", 1},
                                                   {"Serial1/0", 2},
                                                   {"Se1/0", 2},
                                                   {"Se1/0.100", 5},
                                                   {"Po1", 9},
                                                   {"Port-channel1", 9},
                                                   {"E1 0/0", 12},
                                                   // no partial, prefix or case-blind matching
                                                   {"et0/0", -1},
                                                   {"ET0/0", -1},
                                                   {"Et0", -1},
                                                   {"Eth0/0", -1},
                                                   {"Se1/0.10", -1},
                                                   {"", -1},
                                                   {nullptr, -1}};
    for (const auto& [name, ifIndex] : lookups)
        EXPECT_EQ(translator.GetIfIndex(name), ifIndex) << (name ? name : "null");
}

TEST(Translator, FirstMappingOfABaseWins) {
    // Serial and Service-Engine interfaces share the short form Se0/0; equal
    // long and short bases make one mapping.
    auto walk = Walk({Named(1, "Serial0/0"), Named(2, "Service-Engine0/0"), Named(3, "Serial0/0"),
                      Named(4, "E1 0/0")});
    CScoutInterfaceNameTranslator translator;
    DebugLevel level(4);
    TraceCapture capture;

    ASSERT_TRUE(translator.LoadIfDescrs(walk.get()));

    EXPECT_EQ(quillon_probe::Lines(capture.Take()),
              (std::vector<std::string>{"Translator adding mapping of base Serial0/0 to 1",
                                        "Translator adding mapping of base Se0/0 to 1",
                                        "Translator adding mapping of base Service-Engine0/0 to 2",
                                        "Translator adding mapping of base E1 0/0 to 4"}));
    EXPECT_EQ(translator.GetIfIndex("Se0/0"), 1);
    EXPECT_EQ(translator.GetIfIndex("Serial0/0"), 1);
    EXPECT_EQ(translator.GetIfIndex("Service-Engine0/0"), 2);
}

TEST(Translator, OverwriteReplacesAndSaysSo) {
    CScoutInterfaceNameTranslator translator;
    DebugLevel level(4);
    TraceCapture capture;

    translator.AddMapping(3, "Et0/0", false);
    translator.AddMapping(4, "Et0/0", false);
    EXPECT_EQ(translator.GetIfIndex("Et0/0"), 3);
    translator.AddMapping(5, "Et0/0", true);
    translator.AddMapping(6, "", true);
    EXPECT_EQ(translator.GetIfIndex("Et0/0"), 5);
    EXPECT_EQ(translator.GetIfIndex(""), -1);

    EXPECT_EQ(capture.Take(), "Translator adding mapping of base Et0/0 to 3\n"
                              "Translator updating mapping of base Et0/0 to 5\n");
}

TEST(Translator, SkipsRowsWithoutIndexOrTextAndForgetsEarlierWalks) {
    auto first = Walk({Named(1, "Ethernet0/0")});
    auto unusable = Walk({Row{false, 0, true, "Serial0/0"}, Named(4294967295u, "Serial0/1"),
                          Row{true, 3, false, ""}});
    CScoutInterfaceNameTranslator translator;
    ASSERT_TRUE(translator.LoadIfDescrs(first.get()));

    EXPECT_FALSE(translator.LoadIfDescrs(unusable.get()));
    EXPECT_EQ(translator.GetIfIndex("Et0/0"), -1);
    EXPECT_EQ(translator.GetIfIndex("Serial0/0"), -1);
    EXPECT_EQ(translator.GetIfIndex("Se0/1"), -1);
    EXPECT_FALSE(translator.LoadIfDescrs(nullptr));
}
