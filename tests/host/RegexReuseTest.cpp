// The pattern service when collectors build the same expression again and
// step it over the same text again: the compiled engine is shared, the
// matches of a text stepped to its end are kept and read back for a text of
// the same bytes, and a search looks first where a match can start. None of
// it may change a single match.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "CZanRegex.h"

namespace {

// One match: the bounds of every group as offsets, -1 for a group that
// took no part.
typedef std::vector<std::pair<long, long>> Bounds;

std::vector<Bounds> Steps(const char* expression, int slots, const std::string& text,
                          size_t limit = 100000) {
    std::vector<Bounds> steps;
    CZanRegex regex(expression, slots);
    while (steps.size() < limit && regex.ZRStep(text.c_str()) == 1) {
        Bounds bounds;
        for (int g = 0; g < slots; ++g) {
            const char* start = regex.SubExprStart(g);
            bounds.emplace_back(start ? start - text.c_str() : -1,
                                start ? regex.SubExprEnd(g) - text.c_str() : -1);
        }
        steps.push_back(bounds);
    }
    return steps;
}

// Where each successive match lies, found by a plain unanchored search of
// what is left of the text after the previous match.
std::vector<std::pair<long, long>> PlainMatches(const char* expression, const std::string& text) {
    std::vector<std::pair<long, long>> matches;
    CZanRegex regex(expression, 1);
    size_t next = 0;
    while (next <= text.size() && regex.ZRMatches(text.c_str() + next) == ZTRUE) {
        const long start = regex.ZRExprStart() - text.c_str();
        const long end = regex.ZRExprEnd() - text.c_str();
        matches.emplace_back(start, end);
        next = static_cast<size_t>(end == start ? end + 1 : end);
    }
    return matches;
}

std::string RepeatedTo(const std::string& piece, size_t bytes) {
    std::string text;
    while (text.size() < bytes)
        text += piece;
    return text;
}

// The expressions, each with a piece of text repeated to a text long enough
// for matches to be kept (tests/data/regex-reuse.json).
std::vector<nlohmann::json> Cases() {
    std::ifstream file(std::string(QUILLON_TEST_DATA) + "/regex-reuse.json");
    return nlohmann::json::parse(file).get<std::vector<nlohmann::json>>();
}

class RegexReuse : public testing::TestWithParam<nlohmann::json> {};

// A first object compiles and searches; a second one shares the engine and
// keeps the matches; later ones read them back. Each steps over a copy of
// the text at another address, and all must see what a plain search sees.
TEST_P(RegexReuse, EveryObjectSteppingTheSameBytesFindsTheSameMatches) {
    const std::string expression = GetParam()["expression"];
    const int slots = GetParam()["slots"];
    const std::string text = RepeatedTo(GetParam()["piece"], 6000);
    const auto plain = PlainMatches(expression.c_str(), text);
    ASSERT_FALSE(plain.empty());
    std::vector<Bounds> first;
    for (int round = 0; round < 4; ++round) {
        const std::string copy = text;
        const std::vector<Bounds> steps = Steps(expression.c_str(), slots, copy);
        ASSERT_EQ(steps.size(), plain.size()) << "round " << round;
        for (size_t i = 0; i < steps.size(); ++i)
            ASSERT_EQ(steps[i][0], plain[i]) << "round " << round << ", match " << i;
        if (round == 0)
            first = steps;
        else
            EXPECT_EQ(steps, first) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Expressions, RegexReuse, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<nlohmann::json>& info) {
                             return info.param["name"].get<std::string>();
                         });

TEST(RegexReuse, TextChangedInOneByteIsSearchedAgain) {
    const char* expression = "Level-1 Metric: ([0-9]+)";
    std::string text = RepeatedTo("    Level-1 Metric: 10, Priority: 64\n    DR ID: r1.01\n", 8000);
    Steps(expression, 2, text);
    const auto kept = Steps(expression, 2, text);
    ASSERT_EQ(kept, Steps(expression, 2, text));
    // Same length, one byte different: one match fewer.
    const size_t at = text.find("Level-1");
    text[at] = 'l';
    const auto changed = Steps(expression, 2, text);
    EXPECT_EQ(changed.size() + 1, kept.size());
    EXPECT_EQ(changed, std::vector<Bounds>(kept.begin() + 1, kept.end()));
}

TEST(RegexReuse, SteppingLeftHalfwayKeepsNothingHalfDone) {
    const char* expression = "SNPA: \\*([A-Z]+)\\*";
    const std::string text = RepeatedTo("  SNPA: *HDLC*  \n  Area Address(es): 49.0001\n", 9000);
    const auto whole = Steps(expression, 2, text);
    ASSERT_GT(whole.size(), 20u);
    // The second object would keep what it finds, but stops early.
    const auto part = Steps(expression, 2, text, 10);
    EXPECT_EQ(part, std::vector<Bounds>(whole.begin(), whole.begin() + 10));
    EXPECT_EQ(Steps(expression, 2, text), whole);
    EXPECT_EQ(Steps(expression, 2, text), whole);
}

TEST(RegexReuse, ObjectsWithOtherSlotCountsSeeTheirOwnGroups) {
    const char* expression = "(r[0-9]+)\\.([0-9]+)-00";
    const std::string text = RepeatedTo("r1.00-00 * 0x5\nr12.01-00   0x6\n", 5000);
    for (int round = 0; round < 3; ++round) {
        const auto one = Steps(expression, 1, text);
        const auto three = Steps(expression, 3, text);
        ASSERT_EQ(one.size(), three.size());
        ASSERT_FALSE(three.empty());
        EXPECT_EQ(three[1][1], std::make_pair(15L, 18L)); // "r12"
        EXPECT_EQ(three[1][2], std::make_pair(19L, 21L)); // "01"
        for (size_t i = 0; i < one.size(); ++i)
            EXPECT_EQ(one[i][0], three[i][0]);
    }
}

TEST(RegexReuse, MoreExpressionsInTurnThanAreKept) {
    // Forty expressions, each used again and again in turn, so that engines
    // are dropped and compiled anew while others keep their matches.
    const std::string text = RepeatedTo("if0 if1 if2 if3 if4 if5 if6 if7 if8 if9 ifx\n", 6000);
    std::vector<std::string> expressions;
    for (int i = 0; i < 40; ++i)
        expressions.push_back("if" + std::to_string(i % 10) + "( |\n)" +
                              std::string(static_cast<size_t>(i / 10), 'i') + "?");
    for (int round = 0; round < 3; ++round) {
        for (const std::string& expression : expressions) {
            const auto steps = Steps(expression.c_str(), 2, text);
            const auto plain = PlainMatches(expression.c_str(), text);
            ASSERT_EQ(steps.size(), plain.size()) << expression;
            for (size_t i = 0; i < steps.size(); ++i)
                ASSERT_EQ(steps[i][0], plain[i]) << expression << ", match " << i;
        }
    }
}

} // namespace
