// The fuzz harnesses of the program's side (lab files, report text) replayed
// on their seed corpora and on every input kept because it once made them
// fail.
#include <gtest/gtest.h>

#include <string>

#include "../../fuzz/LabHarnesses.h"
#include "FuzzInputs.h"

namespace {

class LabFuzzRegression : public testing::TestWithParam<quillon_fuzz::LabHarness> {};

TEST_P(LabFuzzRegression, HoldsOnEveryKeptInput) {
    const quillon_fuzz::LabHarness& harness = GetParam();
    const auto inputs = quillon_test::FuzzInputsOf(harness.name);
    EXPECT_FALSE(inputs.empty()) << "no seed corpus for " << harness.name;
    for (const quillon_test::FuzzInput& input : inputs)
        EXPECT_TRUE(harness.run(input.data(), input.bytes.size())) << input.path;
}

INSTANTIATE_TEST_SUITE_P(Harnesses, LabFuzzRegression,
                         testing::ValuesIn(quillon_fuzz::kLabHarnesses),
                         [](const testing::TestParamInfo<quillon_fuzz::LabHarness>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
