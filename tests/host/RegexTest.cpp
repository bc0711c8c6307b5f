// The single-expression matcher: stepping, group bounds and engine settings.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CZanRegex.h"

namespace {

using Span = std::pair<long, long>;
using Spans = std::vector<std::vector<Span>>;
const Span kAbsent{-1, -1};

// Offsets of a group of the latest step, or kAbsent.
Span Group(const CZanRegex& re, const char* text, int group) {
    const char* start = re.SubExprStart(group);
    const char* end = re.SubExprEnd(group);
    return start && end ? Span(start - text, end - text) : kAbsent;
}

// The given groups of every match of one stepping run; a runaway run stops
// at ten matches.
Spans StepAll(CZanRegex& re, const char* text, int groups = 1) {
    Spans seen;
    while (seen.size() < 10 && re.ZRStep(text) == 1) {
        seen.emplace_back();
        for (int g = 0; g < groups; ++g)
            seen.back().push_back(Group(re, text, g));
    }
    return seen;
}

std::string Found(const CZanRegex& re) {
    return re.ZRExprStart() ? std::string(re.ZRExprStart(), re.ZRExprEnd()) : "<none>";
}

} // namespace

TEST(Regex, SteppingRunsEndAndEmptyMatchesMoveOn) {
    const std::tuple<const char*, const char*, int, Spans> cases[] = {
        // An optional group that took no part is absent.
        {"([a-z]+)([0-9]+)?", "a1 b", 3, {{{0, 2}, {0, 1}, {1, 2}}, {{3, 4}, {3, 4}, kAbsent}}},
        {"x*", "axxb", 1, {{{0, 0}}, {{1, 3}}, {{3, 3}}, {{4, 4}}}},
        {"x*", "", 1, {{{0, 0}}}},
        {"^a", "aaa", 1, {{{0, 1}}}},
        {"a$", "a\nba", 1, {{{3, 4}}}},
        {"cd|b$", "ab\0cd", 1, {{{1, 2}}}}, // the text ends at its first NUL
    };
    for (const auto& [expression, text, groups, spans] : cases) {
        CZanRegex re(expression, groups);
        EXPECT_EQ(StepAll(re, text, groups), spans) << expression;
        // The failed step leaves no match to read, and the text stays exhausted.
        EXPECT_EQ(re.SubExprStart(0), nullptr) << expression;
        EXPECT_EQ(re.ZRStep(text), 0) << expression;
    }
}

TEST(Regex, GroupBoundsFollowTheSlotCount) {
    const std::tuple<const char*, int, const char*, int, Span> cases[] = {
        {"([a-z]+)=([a-z]+)", 2, "key=value", 2, kAbsent}, // beyond the slots
        {"([a-z]+)=", 13, "key=", 12, kAbsent},            // more slots than groups
        {"=", 0, "a=", 0, {1, 2}},    // a count below one still records the match
        {"(a*)b", 2, "b", 1, {0, 0}}, // an empty group took part
    };
    for (const auto& [expression, slots, text, group, span] : cases) {
        CZanRegex re(expression, slots);
        ASSERT_EQ(re.ZRStep(text), 1) << expression;
        EXPECT_EQ(Group(re, text, group), span) << expression << " group " << group;
    }
}

TEST(Regex, EngineSettings) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // "." crosses a carriage return but not a line feed.
        {"a.b", "a\rb", "a\rb"},
        {"a.b", "a\nb", "<none>"},
        // POSIX classes; white space includes CR, LF, tab, VT and FF.
        {"[[:space:]]+", "a \t\r\n\v\fb", " \t\r\n\v\f"},
        {"[^[:space:]]+", "  Serial1/0 -", "Serial1/0"},
        {"a.!", "a\xe9!", "a\xe9!"}, // bytes above 127 are single characters
        // A backslash inside brackets escapes the next character.
        {"[a-z0-9\\-._]+", "ab-c.d_e\\f", "ab-c.d_e"},
        {"\\*([A-Z]+)\\*", "SNPA: *HDLC* ", "*HDLC*"},
        {"0\\/0\\/1", "0/0/1", "0/0/1"},
        // Leftmost, then longest.
        {"a|ab|abc", "xabcd", "abc"},
        // "^" and "$" bind to the ends of the whole text only.
        {"^b", "a\nb", "<none>"},
        {"b$", "b\na", "<none>"},
        {"[A-za-z]+", "1UP_[x]2", "UP_[x]"}, // A-z admits what lies between Z and a
    };
    for (const auto& [expression, text, match] : cases) {
        CZanRegex re(expression, 1);
        ASSERT_EQ(re.ZRCompiledCorrectly(), ZTRUE) << expression;
        EXPECT_EQ(re.ZRMatches(text), std::string(match) != "<none>" ? ZTRUE : ZFALSE);
        EXPECT_EQ(Found(re), match) << expression;
    }
}

TEST(Regex, ExpressionThatDoesNotCompileNeverMatches) {
    for (const char* bad : {"a(b", "[z-a]", "[[:bogus:]]", "*a", "a{2,1}", (const char*)nullptr}) {
        CZanRegex re(bad, 2);
        EXPECT_EQ(re.ZRCompiledCorrectly(), ZFALSE);
        EXPECT_EQ(re.ZRStep("a(b z a"), 0);
        EXPECT_EQ(re.ZRMatches("a(b z a"), ZFALSE);
        EXPECT_EQ(re.ZRExprStart(), nullptr);
    }
}

TEST(Regex, NewTextPointerStartsOverAndMatchesLeavesSteppingAlone) {
    char first[] = "n1 n2 n3";
    char second[] = "n1 n2 n3";
    CZanRegex re("n[0-9]", 1);
    ASSERT_EQ(re.ZRStep(first), 1);
    ASSERT_EQ(re.ZRMatches("xx n7"), ZTRUE);
    EXPECT_EQ(Found(re), "n7");
    EXPECT_EQ(StepAll(re, first), (Spans{{{3, 5}}, {{6, 8}}}));
    EXPECT_EQ(StepAll(re, second), (Spans{{{0, 2}}, {{3, 5}}, {{6, 8}}}));
    // A pointer into the middle of a text is a text of its own.
    EXPECT_EQ(StepAll(re, first + 3), (Spans{{{0, 2}}, {{3, 5}}}));
    EXPECT_EQ(re.ZRMatches("none"), ZFALSE);
    EXPECT_EQ(Found(re), "<none>");
}
