// Stepping over a buffer that is rewritten in place, and programs that the
// shared cache lets go of while objects still use them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CZanRegex.h"

namespace {

using Matches = std::vector<std::pair<long, long>>;

// Every match of one stepping run over text (group 1 bounds), at most 1000.
Matches StepAll(CZanRegex& regex, const char* text) {
    Matches found;
    while (found.size() < 1000 && regex.ZRStep(text) == 1)
        found.emplace_back(regex.SubExprStart(1) - text, regex.SubExprEnd(1) - text);
    return found;
}

// Lines "id N" for the given numbers, padded past the length from which
// the pattern service keeps matches, so that replaying them is tried too.
std::string Lines(const std::vector<int>& ids, size_t length) {
    std::string text;
    for (int id : ids)
        text += "id " + std::to_string(id) + "\n";
    text.resize(length, '.');
    return text;
}

const char* const kIds = "id ([0-9]+)";

class RewrittenBuffer : public testing::TestWithParam<size_t> {};

TEST_P(RewrittenBuffer, RestartAndNewObjectsSeeTheNewBytes) {
    std::string buffer = Lines({1, 22, 333}, GetParam());
    const char* text = buffer.c_str();
    CZanRegex regex(kIds, 2);
    const Matches before = StepAll(regex, text);
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[1], std::make_pair(8L, 10L));

    // Same address, same length, other matches.
    const std::string rewritten = Lines({4444, 5}, GetParam());
    buffer.replace(0, rewritten.size(), rewritten);
    ASSERT_EQ(buffer.c_str(), text);
    const Matches after{{3, 7}, {11, 12}};
    EXPECT_TRUE(StepAll(regex, text).empty()) << "the object had stepped to the end";
    regex.ZRRestart();
    EXPECT_EQ(StepAll(regex, text), after);
    CZanRegex fresh(kIds, 2);
    EXPECT_EQ(StepAll(fresh, text), after);
}

INSTANTIATE_TEST_SUITE_P(ShortAndKept, RewrittenBuffer, testing::Values(64, 8192));

TEST(RegexRestart, RestartMidwayStartsFromTheFirstMatch) {
    const std::string text = "id 1\nid 2\nid 3\n";
    CZanRegex regex(kIds, 2);
    ASSERT_EQ(regex.ZRStep(text.c_str()), 1);
    ASSERT_EQ(regex.ZRStep(text.c_str()), 1);
    regex.ZRRestart();
    EXPECT_EQ(regex.SubExprStart(0), nullptr);
    EXPECT_EQ(StepAll(regex, text.c_str()), (Matches{{3, 4}, {8, 9}, {13, 14}}));
}

TEST(RegexRestart, ProgramOutlivesItsPlaceInTheCache) {
    const std::string text = Lines({7, 8}, 64);
    CZanRegex held(kIds, 2);
    ASSERT_EQ(held.ZRStep(text.c_str()), 1);
    // More distinct expressions than the cache keeps push the held one out.
    for (int i = 0; i < 2100; ++i) {
        CZanRegex other(("x" + std::to_string(i) + "y").c_str(), 1);
        ASSERT_EQ(other.ZRCompiledCorrectly(), ZTRUE);
    }
    ASSERT_EQ(held.ZRStep(text.c_str()), 1);
    EXPECT_EQ(held.SubExprStart(1) - text.c_str(), 8);
    CZanRegex again(kIds, 2);
    EXPECT_EQ(StepAll(again, text.c_str()), (Matches{{3, 4}, {8, 9}}));
}

} // namespace
