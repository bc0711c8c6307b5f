// Interface names, long or short, resolved through the ifDescr column.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CScoutInterfaceNameTranslator.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "CZanSnmpVarOp.h"
#include "HostFixture.h"
#include "QuillonAgentProbe.h"

using quillon_probe::Count;
using quillon_probe::Lines;
using quillon_test::DebugLevel;
using quillon_test::TraceCapture;

namespace {

struct Row {
    bool hasIndex;
    uint32_t index;
    bool isString;
    std::string value;
};

Row Named(uint32_t index, const std::string& value) {
    return Row{true, index, true, value};
}

// A walk as the host stores it: a list that owns its var ops.
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

} // namespace

// ---------------------------------------------------------------------------
// How a description becomes its two base names.

struct Derivation {
    const char* name;
    const char* description;
    const char* longBase;
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
    const std::string unrecognised =
        std::string("CScoutInterfaceNameTranslator: unrecognised interface: ") +
        GetParam().description + "\n";
    EXPECT_EQ(capture.Take(), *GetParam().longBase == '\0' ? unrecognised : "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, BaseNameDerivation,
    testing::Values(Derivation{"Ethernet", "Ethernet0/1", "Ethernet0/1", "Et0/1"},
                    Derivation{"SubInterface", "Serial1/0.100", "Serial1/0.100", "Se1/0.100"},
                    Derivation{"Channel", "Serial0/0:1", "Serial0/0:1", "Se0/0:1"},
                    Derivation{"HyphenatedType", "Port-channel1", "Port-channel1", "Po1"},
                    Derivation{"SlotAndBlank", "E1 0/0", "E1 0/0", "E1 0/0"},
                    Derivation{"NoLetters", "0/0", "", ""}, Derivation{"Empty", "", "", ""},
                    Derivation{"TextAroundIsDropped", "GigabitEthernet0/0.10-802.1Q vLAN subif",
                               "GigabitEthernet0/0.10", "Gi0/0.10"},
                    Derivation{"LeadingBlanks", "  Loopback0", "Loopback0", "Lo0"},
                    Derivation{"TypeWordOnly", "Null", "Null", "Nu"}),
    [](const testing::TestParamInfo<Derivation>& info) { return info.param.name; });

TEST(TranslatorSplit, PrefixIsTheLeadingRunOfLettersAndHyphens) {
    CScoutInterfaceNameTranslator translator;
    struct Case {
        const char* name;
        const char* prefix;
        size_t restOffset;
    };
    for (const Case& c : {Case{"Port-channel1", "Port-channel", 12}, Case{"Serial0/0", "Serial", 6},
                          Case{"0/0", "", 0}, Case{"Tunnel", "Tunnel", 6}}) {
        char* prefix = nullptr;
        const char* rest = nullptr;
        EXPECT_TRUE(translator.SplitAlphaPrefix(c.name, &prefix, &rest)) << c.name;
        ASSERT_NE(prefix, nullptr) << c.name;
        EXPECT_STREQ(prefix, c.prefix);
        EXPECT_EQ(rest, c.name + c.restOffset) << c.name;
        free(prefix);
    }
}

// ---------------------------------------------------------------------------
// Loading the walk and looking names up.

TEST(Translator, ResolvesLongAndShortNamesExactly) {
    auto walk = Walk({Named(1, "Ethernet0/0"), Named(2, "Serial1/0"), Named(5, "Serial1/0.100"),
                      Named(9, "Port-channel1"), Named(12, "E1 0/0")});
    CScoutInterfaceNameTranslator translator;
    ASSERT_TRUE(translator.LoadIfDescrs(walk.get()));

    struct Lookup {
        const char* name;
        int ifIndex;
    };
    for (const Lookup& l :
         {Lookup{"Ethernet0/0", 1}, Lookup{"Et0/0", 1}, Lookup{"Serial1/0", 2}, Lookup{"Se1/0", 2},
          Lookup{"Se1/0.100", 5}, Lookup{"Po1", 9}, Lookup{"Port-channel1", 9},
          Lookup{"E1 0/0", 12},
          // no partial, prefix or case-blind matching
          Lookup{"et0/0", -1}, Lookup{"ethernet0/0", -1}, Lookup{"ET0/0", -1}, Lookup{"Et0", -1},
          Lookup{"Eth0/0", -1}, Lookup{"Se1/0.10", -1}, Lookup{"", -1}, Lookup{nullptr, -1}})
        EXPECT_EQ(translator.GetIfIndex(l.name), l.ifIndex) << (l.name ? l.name : "null");
}

TEST(Translator, FirstDescriptionToYieldABaseKeepsIt) {
    // Serial and Service-Engine interfaces share the short form Se0/0.
    auto walk = Walk({Named(1, "Serial0/0"), Named(2, "Service-Engine0/0"), Named(3, "Serial0/0")});
    CScoutInterfaceNameTranslator translator;
    DebugLevel level(4);
    TraceCapture capture;

    ASSERT_TRUE(translator.LoadIfDescrs(walk.get()));

    EXPECT_EQ(
        Lines(capture.Take()),
        (std::vector<std::string>{"Translator adding mapping of base Serial0/0 to 1",
                                  "Translator adding mapping of base Se0/0 to 1",
                                  "Translator adding mapping of base Service-Engine0/0 to 2"}));
    EXPECT_EQ(translator.GetIfIndex("Se0/0"), 1);
    EXPECT_EQ(translator.GetIfIndex("Serial0/0"), 1);
    EXPECT_EQ(translator.GetIfIndex("Service-Engine0/0"), 2);
}

TEST(Translator, EqualBasesGiveOneMappingAndOneTrace) {
    auto walk = Walk({Named(4, "E1 0/0")});
    CScoutInterfaceNameTranslator translator;
    DebugLevel level(4);
    TraceCapture capture;

    ASSERT_TRUE(translator.LoadIfDescrs(walk.get()));

    EXPECT_EQ(capture.Take(), "Translator adding mapping of base E1 0/0 to 4\n");
}

TEST(Translator, OverwriteReplacesAndSaysSo) {
    CScoutInterfaceNameTranslator translator;
    DebugLevel level(4);
    TraceCapture capture;

    translator.AddMapping(3, "Et0/0", false);
    translator.AddMapping(4, "Et0/0", false);
    EXPECT_EQ(translator.GetIfIndex("Et0/0"), 3);
    translator.AddMapping(5, "Et0/0", true);
    EXPECT_EQ(translator.GetIfIndex("Et0/0"), 5);
    translator.AddMapping(6, "", true);
    EXPECT_EQ(translator.GetIfIndex(""), -1);

    EXPECT_EQ(Lines(capture.Take()),
              (std::vector<std::string>{"Translator adding mapping of base Et0/0 to 3",
                                        "Translator updating mapping of base Et0/0 to 5"}));
}

TEST(Translator, RowsWithoutUsableIndexOrTextAreSkipped) {
    auto walk = Walk({Row{false, 0, true, "Ethernet0/0"}, Named(4294967295u, "Serial0/0"),
                      Row{true, 3, false, ""}, Named(7, "0/0")});
    CScoutInterfaceNameTranslator translator;
    DebugLevel level(1);
    TraceCapture capture;

    EXPECT_FALSE(translator.LoadIfDescrs(walk.get()));

    // Only the row with both an index and a text is looked at.
    EXPECT_EQ(capture.Take(), "CScoutInterfaceNameTranslator: unrecognised interface: 0/0\n");
    EXPECT_EQ(translator.GetIfIndex("Ethernet0/0"), -1);
    EXPECT_EQ(translator.GetIfIndex("Se0/0"), -1);
}

TEST(Translator, EmptyWalkLeavesNothingToResolve) {
    auto empty = Walk({});
    CScoutInterfaceNameTranslator translator;
    EXPECT_FALSE(translator.LoadIfDescrs(empty.get()));
    EXPECT_FALSE(translator.LoadIfDescrs(nullptr));
    EXPECT_EQ(translator.GetIfIndex("Ethernet0/0"), -1);
}

TEST(Translator, LoadingAgainStartsFromScratch) {
    auto first = Walk({Named(1, "Ethernet0/0")});
    auto second = Walk({Named(2, "Serial0/0")});
    CScoutInterfaceNameTranslator translator;
    ASSERT_TRUE(translator.LoadIfDescrs(first.get()));
    ASSERT_TRUE(translator.LoadIfDescrs(second.get()));
    EXPECT_EQ(translator.GetIfIndex("Et0/0"), -1);
    EXPECT_EQ(translator.GetIfIndex("Se0/0"), 2);
}
