// Every agent fuzz harness replayed on its seed corpus and on every input
// kept because it once made the harness fail: none may crash, leak (the
// sanitizer build checks) or break the harness's properties.
#include <gtest/gtest.h>

#include <string>

#include "../../fuzz/FuzzHarnesses.h"
#include "FuzzInputs.h"

namespace {

class FuzzRegression : public testing::TestWithParam<quillon_fuzz::Harness> {};

TEST_P(FuzzRegression, HoldsOnEveryKeptInput) {
    const quillon_fuzz::Harness& harness = GetParam();
    const auto inputs = quillon_test::FuzzInputsOf(harness.name);
    EXPECT_FALSE(inputs.empty()) << "no seed corpus for " << harness.name;
    for (const quillon_test::FuzzInput& input : inputs)
        EXPECT_TRUE(harness.run(input.data(), input.bytes.size())) << input.path;
}

// Inputs the seed corpora do not hold: nothing at all, a lone NUL, and
// answers cut short at the point each parse step looks for.
TEST_P(FuzzRegression, HoldsOnTinyInputs) {
    const quillon_fuzz::Harness& harness = GetParam();
    for (const std::string& input :
         {std::string(), std::string(1, '\0'), std::string("\n"), std::string("\r\n\r\n"),
          std::string("Interfaces supported by IS-IS:"), std::string("IS-IS Router:"),
          std::string("NET:"), std::string("*"), std::string("IS-IS"),
          std::string("Ethernet0/0 is up, "), std::string("interface Ethernet0/0\n")}) {
        EXPECT_TRUE(harness.run(reinterpret_cast<const uint8_t*>(input.data()), input.size()))
            << "input \"" << input << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(Harnesses, FuzzRegression, testing::ValuesIn(quillon_fuzz::kHarnesses),
                         [](const testing::TestParamInfo<quillon_fuzz::Harness>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
