// Interface names, long or short, resolved through the ifDescr column (the
// base names of a description are among the collector cases).
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CScoutInterfaceNameTranslator.h"
#include "CZanASN1Address.h"
#include "CZanAtom.h"
#include "CZanDoubleList.h"
#include "CZanSnmpVarOp.h"
#include "HostFixture.h"

using quillon_test::TraceOf;

namespace {

// A walk as the host stores it: a list that owns its var ops. A row without
// index has a negative one; a row without text has a number for value.
std::unique_ptr<CZanDoubleList> Walk(const std::vector<std::pair<long long, const char*>>& rows) {
    std::unique_ptr<CZanDoubleList> walk(new CZanDoubleList(true));
    for (const auto& [index, text] : rows)
        walk->ZDLAddToEnd(new CZanSnmpVarOp(
            index < 0 ? nullptr
                      : new CZanASN1Address(std::vector<uint32_t>{static_cast<uint32_t>(index)}),
            text != nullptr ? new CZanAtom(std::string(text)) : new CZanAtom(7)));
    return walk;
}

TEST(Translator, ResolvesLongAndShortNamesExactly) {
    auto walk = Walk({{1, "Ethernet0/0"},
                      {2, "Serial1/0"},
                      {5, "Serial1/0.100"},
                      {9, "Port-channel1"},
                      {12, "E1 0/0"}});
    CScoutInterfaceNameTranslator translator;
    ASSERT_TRUE(translator.LoadIfDescrs(walk.get()));
    std::string resolved;
    for (const char* name :
         {"Ethernet0/0", "Et0/0", "Serial1/0", "Se1/0", "Se1/0.100", "Po1", "Port-channel1",
          "E1 0/0", "et0/0", "ET0/0", "Et0", "Eth0/0", "Se1/0.10", ""})
        resolved += std::string(name) + "=" + std::to_string(translator.GetIfIndex(name)) + " ";
    // No partial, prefix or case-blind matching.
    EXPECT_EQ(resolved, "Ethernet0/0=1 Et0/0=1 Serial1/0=2 Se1/0=2 Se1/0.100=5 Po1=9 "
                        "Port-channel1=9 E1 0/0=12 et0/0=-1 ET0/0=-1 Et0=-1 Eth0/0=-1 "
                        "Se1/0.10=-1 =-1 ");
    EXPECT_EQ(translator.GetIfIndex(nullptr), -1);
}

TEST(Translator, FirstMappingOfABaseWinsAndOverwritingSaysSo) {
    // Serial and Service-Engine interfaces share the short form Se0/0; equal
    // long and short bases make one mapping.
    auto walk = Walk({{1, "Serial0/0"}, {2, "Service-Engine0/0"}, {3, "Serial0/0"}, {4, "E1 0/0"}});
    CScoutInterfaceNameTranslator translator;
    EXPECT_EQ(TraceOf(4, [&] { EXPECT_TRUE(translator.LoadIfDescrs(walk.get())); }),
              "Translator adding mapping of base Serial0/0 to 1\n"
              "Translator adding mapping of base Se0/0 to 1\n"
              "Translator adding mapping of base Service-Engine0/0 to 2\n"
              "Translator adding mapping of base E1 0/0 to 4\n");
    EXPECT_EQ(translator.GetIfIndex("Se0/0"), 1);
    EXPECT_EQ(translator.GetIfIndex("Service-Engine0/0"), 2);

    EXPECT_EQ(TraceOf(4,
                      [&] {
                          translator.AddMapping(4, "Se0/0", false);
                          EXPECT_EQ(translator.GetIfIndex("Se0/0"), 1);
                          translator.AddMapping(5, "Se0/0", true);
                          translator.AddMapping(6, "", true);
                      }),
              "Translator updating mapping of base Se0/0 to 5\n");
    EXPECT_EQ(translator.GetIfIndex("Se0/0"), 5);
    EXPECT_EQ(translator.GetIfIndex(""), -1);
}

TEST(Translator, SkipsRowsWithoutIndexOrTextAndForgetsEarlierWalks) {
    auto first = Walk({{1, "Ethernet0/0"}});
    auto unusable = Walk({{-1, "Serial0/0"}, {4294967295LL, "Serial0/1"}, {3, nullptr}});
    CScoutInterfaceNameTranslator translator;
    ASSERT_TRUE(translator.LoadIfDescrs(first.get()));
    EXPECT_FALSE(translator.LoadIfDescrs(unusable.get()));
    EXPECT_EQ(translator.GetIfIndex("Et0/0"), -1);
    EXPECT_EQ(translator.GetIfIndex("Serial0/0"), -1);
    EXPECT_EQ(translator.GetIfIndex("Se0/1"), -1);
    EXPECT_FALSE(translator.LoadIfDescrs(nullptr));
}

} // namespace
