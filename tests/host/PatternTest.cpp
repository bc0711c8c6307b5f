// The pattern service. The single-expression matcher: stepping, group
// bounds, engine settings. Named, nested patterns: the interface list block
// read through field paths, part spans, repetition, path errors, validity and
// copies.
#include <gtest/gtest.h>

#include <algorithm>
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
const char* const kTag = "Interfaces supported by IS-IS:[\n\r]";
const std::string kHead = "Interfaces supported by IS-IS:";
const std::string kLf = kHead + "\n";
const std::string kCrLf = kHead + "\r\n";
const std::string kRest = "  Redistribute:\n    static (on by default)\n";

// The interface list block, put together in the order the collector uses:
// the entry gets its name pattern before it is copied into the block's list.
CScoutPattern InterfaceBlock() {
    CScoutPattern block(
        "isisInterfaceBlock", false,
        Names{kTag, "([[:space:]]+([^[:space:]]+)([[:space:]]-[[:space:]](IP|OSI))*)+"});
    CScoutPattern entry("listEntry", true,
                        "[[:space:]]+[^[:space:]]+([[:space:]]-[[:space:]](IP|OSI))+[\n\r]");
    entry.SetSubPattern(new Subs{CScoutPattern("interfaceName", false, "[^[:space:]]+")});
    block.SetSubPattern(new Subs{CScoutPattern("interfaceListTag", false, kTag), entry});
    return block;
}

// The text the path addresses, or "<none>".
std::string Field(const CScoutPattern& pattern, const std::string& path) {
    std::string out = "<none>";
    pattern.FindField(path, out);
    return out;
}

// The names the block yields, read the way the collector reads them.
Names EntryNames(const CScoutPattern& block) {
    Names names;
    for (int i = 0; i < block.NumberMatches("isisInterfaceBlock[0].listEntry"); ++i)
        names.push_back(Field(block, "isisInterfaceBlock[0].listEntry[" + std::to_string(i) +
                                         "].interfaceName[0]"));
    return names;
}

} // namespace

TEST(Regex, SteppingRunsEndEmptyMatchesMoveOnAndGroupsFollowTheSlots) {
    const std::tuple<const char*, const char*, int, Spans> cases[] = {
        // An optional group that took no part is absent.
        {"([a-z]+)([0-9]+)?", "a1 b", 3, {{{0, 2}, {0, 1}, {1, 2}}, {{3, 4}, {3, 4}, kAbsent}}},
        {"x*", "axxb", 1, {{{0, 0}}, {{1, 3}}, {{3, 3}}, {{4, 4}}}},
        {"x*", "", 1, {{{0, 0}}}},
        {"^a", "aaa", 1, {{{0, 1}}}},
        {"a$", "a\nba", 1, {{{3, 4}}}},
        {"cd|b$", "ab\0cd", 1, {{{1, 2}}}},                  // the text ends at its first NUL
        {"([a-z]+)=([a-z]+)", "k=v", 2, {{{0, 3}, {0, 1}}}}, // fewer slots than groups
        {"([a-z]+)=", "k=", 3, {{{0, 2}, {0, 1}, kAbsent}}}, // more slots than groups
        {"=", "a=", 0, {{{1, 2}}}},                          // a count below one records the match
        {"(a*)b", "b", 2, {{{0, 1}, {0, 0}}}},               // an empty group took part
    };
    for (const auto& [expression, text, slots, spans] : cases) {
        CZanRegex re(expression, slots);
        EXPECT_EQ(StepAll(re, text, slots), spans) << expression;
        // The failed step leaves no match to read, and the text stays exhausted.
        EXPECT_EQ(re.SubExprStart(0), nullptr) << expression;
        EXPECT_EQ(re.ZRStep(text), 0) << expression;
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

TEST(Pattern, InterfaceListBlockReadsEveryEntryLine) {
    const std::tuple<const char*, std::string, Names> cases[] = {
        {"LF", kLf + "  Se1/0 - OSI - IP\n  Et0/1 - IP\n" + kRest, {"Se1/0", "Et0/1"}},
        {"CR LF, tabs", kCrLf + "\tSe1 - OSI - IP\r\n\tLo0 - IP\r\n  Redist:\r\n", {"Se1", "Lo0"}},
        {"list ends the output", kLf + "    Lo0 - IP\n    Se1/0 - IP\n", {"Lo0", "Se1/0"}},
        {"CR LF, list ends the output", kCrLf + "        Loopback0 - IP\r\n", {"Loopback0"}},
        {"duplicates", kLf + "    Se1/0 - IP\n    Se1/0 - OSI\n" + kRest, {"Se1/0", "Se1/0"}},
        {"no protocol marker", kLf + "  Se1 - IP\n  Null0\n  Et0 - IP\n" + kRest, {"Se1", "Et0"}},
        {"CR line ends", kHead + "\r\tTu7 - OSI\r\tFa0 - IP\r", {"Tu7", "Fa0"}},
        {"last line without its line end", kLf + "    Se1/0 - IP\n    Lo0 - IP", {"Se1/0"}},
        {"no entry line", kLf + kRest, {}},
    };
    CScoutPattern block = InterfaceBlock();
    ASSERT_TRUE(block.IsValid());
    for (const auto& [label, text, names] : cases) {
        ASSERT_TRUE(block.Match(text.c_str())) << label;
        EXPECT_EQ(block.NumberMatches("isisInterfaceBlock"), 1) << label;
        EXPECT_EQ(EntryNames(block), names) << label;
        EXPECT_EQ(Field(block, "isisInterfaceBlock[0].interfaceListTag[0]"),
                  text.substr(0, kHead.size() + 1));
    }
}

TEST(Pattern, BlockWithoutAListDoesNotMatchAndForgetsTheLastMatch) {
    CScoutPattern block = InterfaceBlock();
    // The tag with nothing after it, an empty list, entries on the tag line.
    for (const char* text :
         {"Interfaces supported by IS-IS:\n", "Interfaces supported by IS-IS:\n\n ",
          "Interfaces supported by IS-IS: Se1 - IP\n", "", (const char*)nullptr}) {
        ASSERT_TRUE(block.Match("Interfaces supported by IS-IS:\n    Serial1/0 - IP\n"));
        EXPECT_FALSE(block.Match(text)) << (text ? text : "null");
        EXPECT_EQ(block.NumberMatches("isisInterfaceBlock"), 0);
        EXPECT_EQ(block.NumberMatches("isisInterfaceBlock[0].listEntry"), 0);
    }
}

TEST(Pattern, PathsThatAddressNothing) {
    CScoutPattern block = InterfaceBlock();
    ASSERT_TRUE(block.Match("Interfaces supported by IS-IS:\n  Serial1/0 - IP\n  Fa0/0 - IP\n"));
    for (const char* path :
         {"", "otherBlock", "isisInterfaceBlock[1].listEntry", "isisInterfaceBlock.listEntry",
          "isisInterfaceBlock[0].entry", "isisInterfaceBlock[0].listEntry[2].interfaceName[0]",
          "isisInterfaceBlock[0].listEntry[99999999999999999999999]",
          "isisInterfaceBlock[0].listEntry[0", "isisInterfaceBlock[0].listEntry[0]x"}) {
        EXPECT_EQ(block.NumberMatches(path), 0) << path;
        EXPECT_EQ(Field(block, path), "<none>") << path;
    }
    // A path that ends in an index names one element; FindField needs one.
    EXPECT_EQ(block.NumberMatches("isisInterfaceBlock[0].listEntry[1]"), 1);
    EXPECT_EQ(Field(block, "isisInterfaceBlock[0].listEntry"), "<none>");
    EXPECT_EQ(Field(block, "isisInterfaceBlock[0].listEntry[1]"), "  Fa0/0 - IP\n");
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
    auto original = std::make_unique<CScoutPattern>(InterfaceBlock());
    CScoutPattern assigned("other", false, "x");
    assigned = *original;
    std::vector<CScoutPattern> kept{*original, assigned};
    original.reset();
    // The copies keep the sub-patterns of their sub-patterns, and their own results.
    ASSERT_TRUE(kept[0].Match("Interfaces supported by IS-IS:\n  Fa0/0 - IP\n  Se0 - OSI\n"));
    ASSERT_TRUE(kept[1].Match("Interfaces supported by IS-IS:\n  Lo1 - IP\n"));
    EXPECT_EQ(EntryNames(kept[0]), (Names{"Fa0/0", "Se0"}));
    EXPECT_EQ(EntryNames(kept[1]), (Names{"Lo1"}));
}
