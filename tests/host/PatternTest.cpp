// The pattern service. The single-expression matcher: stepping, group
// bounds, engine settings. Named, nested patterns: a block of entries read
// through field paths, part spans, repetition, path errors, validity and
// copies.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CScoutPattern.h"
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

// The groups below the slot count of every match of one stepping run; a
// runaway run stops at ten matches. Groups outside the slots read as absent.
Spans StepAll(CZanRegex& re, const char* text, int slots = 1) {
    Spans seen;
    while (seen.size() < 10 && re.ZRStep(text) == 1) {
        seen.emplace_back();
        for (int g = 0; g < std::max(slots, 1); ++g)
            seen.back().push_back(Group(re, text, g));
        EXPECT_EQ(Group(re, text, std::max(slots, 1)), kAbsent);
        EXPECT_EQ(Group(re, text, -1), kAbsent);
    }
    return seen;
}

std::string Found(const CZanRegex& re) {
    return re.ZRExprStart() ? std::string(re.ZRExprStart(), re.ZRExprEnd()) : "<none>";
}

using Names = std::vector<std::string>;
using Subs = std::vector<CScoutPattern>;

// A block of a heading line and "name=1" entries, one a line (one without
// "=value" belongs to the block but is no entry). The block's part of the
// entries ends before the last line end, which the last entry runs past.
CScoutPattern Block() {
    CScoutPattern block("block", false,
                        Names{"items:[\n\r]", "([[:space:]]+([a-z0-9/]+)(=[0-9]+)?)+"});
    CScoutPattern entry("entry", true, "[[:space:]]+[a-z0-9/]+=[0-9]+[\n\r]");
    entry.SetSubPattern(new Subs{CScoutPattern("name", false, "[a-z0-9/]+")});
    block.SetSubPattern(new Subs{CScoutPattern("head", false, "items:[\n\r]"), entry});
    return block;
}

// The text the path addresses, or "<none>" (FindField's answer must agree).
std::string Field(const CScoutPattern& pattern, const std::string& path) {
    std::string out = "<none>";
    const bool found = pattern.FindField(path, out);
    return found == (out != "<none>") ? out : "<found, but said otherwise>";
}

// The names of the block's entries.
Names EntryNames(const CScoutPattern& block) {
    Names names;
    for (int i = 0; i < block.NumberMatches("block[0].entry"); ++i)
        names.push_back(Field(block, "block[0].entry[" + std::to_string(i) + "].name[0]"));
    return names;
}

} // namespace

// The cases of tests/data/regex-cases.json.
nlohmann::json Cases(const char* kind) {
    std::ifstream file(std::string(QUILLON_TEST_DATA) + "/regex-cases.json");
    return nlohmann::json::parse(file)[kind];
}

TEST(Regex, SteppingRunsEndEmptyMatchesMoveOnAndGroupsFollowTheSlots) {
    for (const nlohmann::json& c : Cases("steps")) {
        const std::string expression = c["expression"], text = c["text"];
        CZanRegex re(expression.c_str(), c["slots"]);
        EXPECT_EQ(StepAll(re, text.c_str(), c["slots"]), c["spans"].get<Spans>()) << expression;
        // The failed step leaves no match to read, and the text stays exhausted.
        EXPECT_EQ(re.SubExprStart(0), nullptr) << expression;
        EXPECT_EQ(re.ZRStep(text.c_str()), 0) << expression;
    }
}

TEST(Regex, EngineSettings) {
    for (const nlohmann::json& c : Cases("settings")) {
        const std::string expression = c["expression"], text = c["text"];
        CZanRegex re(expression.c_str(), 1);
        ASSERT_EQ(re.ZRCompiledCorrectly(), ZTRUE) << expression;
        EXPECT_EQ(re.ZRMatches(text.c_str()), c["match"].is_null() ? ZFALSE : ZTRUE);
        EXPECT_EQ(Found(re), c["match"].is_null() ? "<none>" : c["match"]) << expression;
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

TEST(Pattern, BlockReadsEveryEntryThroughFieldPaths) {
    const std::tuple<std::string, Names> cases[] = {
        {"items:\n  a=1\n  b/2=22\nend\n", {"a", "b/2"}},
        {"items:\r\n\ta=1\r\n\tb=2\r\n", {"a", "b"}},
        {"items:\r\ta=1\r\tb=2\r", {"a", "b"}},
        {"items:\n  a=1\n  b\n  c=3\n", {"a", "c"}},
        {"items:\n  a=1\n  a=2\n", {"a", "a"}},
        {"items:\n  a=1\n  b=2", {"a"}}, // the last line without its line end
    };
    CScoutPattern block = Block();
    ASSERT_TRUE(block.IsValid());
    for (const auto& [text, names] : cases) {
        ASSERT_TRUE(block.Match(text.c_str())) << text;
        EXPECT_EQ(block.NumberMatches("block"), 1);
        EXPECT_EQ(EntryNames(block), names) << text;
        EXPECT_EQ(Field(block, "block[0].head[0]"), text.substr(0, 7));
    }
    // A path that ends in an index names one element; FindField needs one.
    EXPECT_EQ(block.NumberMatches("block[0].entry[0]"), 1);
    EXPECT_EQ(Field(block, "block[0].entry"), "<none>");
    EXPECT_EQ(Field(block, "block[0].entry[0]"), "  a=1\n");
    for (const char* path : {"", "other", "block[1].entry", "block.entry", "block[0].item",
                             "block[0].entry[1].name[0]", "block[0].entry[99999999999999999999999]",
                             "block[0].entry[0", "block[0].entry[0]x"}) {
        EXPECT_EQ(block.NumberMatches(path), 0) << path;
        EXPECT_EQ(Field(block, path), "<none>") << path;
    }
}

TEST(Pattern, BlockWithoutEntriesDoesNotMatchAndForgetsTheLastMatch) {
    CScoutPattern block = Block();
    // The heading alone, a blank after it, an entry on the heading line.
    for (const char* text : {"items:\n", "items:\n\n ", "items: a=1\n", "", (const char*)nullptr}) {
        ASSERT_TRUE(block.Match("items:\n  a=1\n"));
        EXPECT_FALSE(block.Match(text)) << (text ? text : "null");
        EXPECT_EQ(block.NumberMatches("block"), 0);
        EXPECT_EQ(block.NumberMatches("block[0].entry"), 0);
    }
}

TEST(Pattern, SubPatternsSearchTheirOwnPart) {
    // The first expression has groups of its own; the second's span must
    // still be found.
    CScoutPattern record("record", false, Names{"([a-z]+)=(([a-z]+));", "[0-9 ]+", "end"});
    record.SetSubPattern(
        new Subs{CScoutPattern("key", false, "[a-z]+"), CScoutPattern("digit", true, "[0-9]"),
                 CScoutPattern("tail", false, "end[a-z]*"), CScoutPattern("extra", false, "x")});
    ASSERT_TRUE(record.Match("-- key=val;1 23 endless 4"));
    EXPECT_EQ(Field(record, "record[0]"), "key=val;1 23 end");
    EXPECT_EQ(record.NumberMatches("record[0].key"), 1); // not repeated: the first match only
    // Only digits that start inside the second expression's span count.
    EXPECT_EQ(record.NumberMatches("record[0].digit"), 3);
    EXPECT_EQ(Field(record, "record[0].digit[2]"), "3");
    // A match that starts inside its part may run on past it.
    EXPECT_EQ(Field(record, "record[0].tail[0]"), "endless");
    EXPECT_EQ(record.NumberMatches("record[0].extra"), 0); // beyond the expressions

    // The first expression, with a group of its own, has to leave a letter
    // to the second.
    CScoutPattern split("split", false, Names{"([a-z])+", "[a-z]"});
    split.SetSubPattern(
        new Subs{CScoutPattern("head", true, "[a-z]"), CScoutPattern("last", false, "[a-z]+")});
    ASSERT_TRUE(split.Match("1abc2"));
    EXPECT_EQ(split.NumberMatches("split[0].head"), 2);
    EXPECT_EQ(Field(split, "split[0].last[0]"), "c");

    // Repeated empty matches still end.
    CScoutPattern empty("empty", false, "[a-z]+");
    empty.SetSubPattern(new Subs{CScoutPattern("gap", true, "x*")});
    ASSERT_TRUE(empty.Match("abc"));
    EXPECT_EQ(empty.NumberMatches("empty[0].gap"), 3);
}

TEST(Pattern, ValidityCoversEveryExpression) {
    EXPECT_FALSE(CScoutPattern("bad", false, "a(b").IsValid());
    EXPECT_FALSE(CScoutPattern("none", false, Names{}).IsValid());
    // Each expression has to compile on its own, even when the joined ones would.
    EXPECT_FALSE(CScoutPattern("split", false, Names{"a)(b", "c"}).IsValid());
    // A bad expression two levels down spoils the whole; the rest still matches.
    CScoutPattern inner("inner", false, "[a-z]+");
    inner.SetSubPattern(new Subs{CScoutPattern("broken", false, "[[:x:]]")});
    CScoutPattern outer("outer", false, "[a-z ]+");
    outer.SetSubPattern(new Subs{inner});
    EXPECT_FALSE(outer.IsValid());
    EXPECT_TRUE(outer.Match("ab cd"));
}

TEST(Pattern, CopiesAreIndependent) {
    auto original = std::make_unique<CScoutPattern>(Block());
    CScoutPattern assigned("other", false, "x");
    assigned = *original;
    std::vector<CScoutPattern> kept{*original, assigned};
    original.reset();
    // The copies keep the sub-patterns of their sub-patterns, and their own results.
    ASSERT_TRUE(kept[0].Match("items:\n  a=1\n  b=2\n"));
    ASSERT_TRUE(kept[1].Match("items:\n  c=3\n"));
    EXPECT_EQ(EntryNames(kept[0]), (Names{"a", "b"}));
    EXPECT_EQ(EntryNames(kept[1]), (Names{"c"}));
}
