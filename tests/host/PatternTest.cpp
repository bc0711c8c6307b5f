// Named, nested patterns: the interface list block read through field paths,
// part spans, repetition, path errors, validity and copies.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CScoutPattern.h"

namespace {

const char* const kTag = "Interfaces supported by IS-IS:[\n\r]";

// The interface list block, put together in the order the collector uses:
// the entry gets its name pattern before it is copied into the block's list.
CScoutPattern InterfaceBlock() {
    CScoutPattern block(
        "isisInterfaceBlock", false,
        std::vector<std::string>{
            kTag, "([[:space:]]+([^[:space:]]+)([[:space:]]-[[:space:]](IP|OSI))*)+"});
    auto* blockSubs = new std::vector<CScoutPattern>;
    blockSubs->push_back(CScoutPattern("interfaceListTag", false, kTag));
    CScoutPattern entry("listEntry", true,
                        "[[:space:]]+[^[:space:]]+([[:space:]]-[[:space:]](IP|OSI))+[\n\r]");
    auto* entrySubs = new std::vector<CScoutPattern>;
    entrySubs->push_back(CScoutPattern("interfaceName", false, "[^[:space:]]+"));
    entry.SetSubPattern(entrySubs);
    blockSubs->push_back(entry);
    block.SetSubPattern(blockSubs);
    return block;
}

// The names the block yields, read the way the collector reads them; a
// missing field reads as "<missing>".
std::vector<std::string> EntryNames(const CScoutPattern& block) {
    std::vector<std::string> names;
    int n = block.NumberMatches("isisInterfaceBlock[0].listEntry");
    for (int i = 0; i < n; ++i) {
        std::string name;
        std::string path =
            "isisInterfaceBlock[0].listEntry[" + std::to_string(i) + "].interfaceName[0]";
        names.push_back(block.FindField(path, name) ? name : "<missing>");
    }
    return names;
}

const char* const kRest = "  Redistribute:\n    static (on by default)\n"
                          "  Distance for L2 CLNS routes: 110\n  RRR level: none\n"
                          "  Generate narrow metrics: level-1-2\n";

struct ListCase {
    const char* label;
    std::string text;
    std::vector<std::string> names;
};

} // namespace

TEST(Pattern, InterfaceListBlockReadsEveryEntryLine) {
    const std::string lf = "Interfaces supported by IS-IS:\n";
    const std::string crlf = "Interfaces supported by IS-IS:\r\n";
    const ListCase cases[] = {
        {"more output follows",
         lf + "    Serial1/0 - OSI - IP\n    Ethernet0/1 - IP\n" + kRest,
         {"Serial1/0", "Ethernet0/1"}},
        {"CR LF, more output follows",
         crlf + "    Serial1/0 - OSI - IP\r\n    Ethernet0/1 - IP\r\n  Redistribute:\r\n",
         {"Serial1/0", "Ethernet0/1"}},
        {"list ends the output",
         lf + "    Loopback0 - IP\n    Serial1/0 - IP\n",
         {"Loopback0", "Serial1/0"}},
        {"CR LF, list ends the output", crlf + "        Loopback0 - IP\r\n", {"Loopback0"}},
        {"duplicates",
         lf + "    Serial1/0 - IP\n    Serial1/0 - OSI\n" + kRest,
         {"Serial1/0", "Serial1/0"}},
        {"line without a protocol marker",
         lf + "    Serial1/0 - IP\n    Null0\n    Ethernet0 - IP\n" + kRest,
         {"Serial1/0", "Ethernet0"}},
        {"tabs and CR line ends",
         "Interfaces supported by IS-IS:\r\tTunnel7 - OSI\r\tFa0/0 - IP\r",
         {"Tunnel7", "Fa0/0"}},
        {"last line without its line end",
         lf + "    Serial1/0 - IP\n    Loopback0 - IP",
         {"Serial1/0"}},
        {"no entry line", lf + kRest, {}},
    };
    CScoutPattern block = InterfaceBlock();
    ASSERT_TRUE(block.IsValid());
    for (const ListCase& c : cases) {
        ASSERT_TRUE(block.Match(c.text.c_str())) << c.label;
        EXPECT_EQ(block.NumberMatches("isisInterfaceBlock"), 1) << c.label;
        EXPECT_EQ(EntryNames(block), c.names) << c.label;
        std::string tag;
        EXPECT_TRUE(block.FindField("isisInterfaceBlock[0].interfaceListTag[0]", tag)) << c.label;
        EXPECT_EQ(tag, c.text.substr(0, std::strlen("Interfaces supported by IS-IS:") + 1))
            << c.label;
    }
}

TEST(Pattern, InterfaceListInAWholeProtocolOutput) {
    const std::string output = "IS-IS Router: <Null Tag>\r\n"
                               "  System Id: 0000.0000.0001.00  IS-Type: level-1-2\r\n"
                               "  Manual area address(es):\r\n\t49.0001\r\n"
                               "  Routing for area address(es):\r\n\t49.0001\r\n"
                               "  Interfaces supported by IS-IS:\r\n"
                               "\tSerial1/0 - OSI - IP\r\n\tLoopback0 - IP\r\n"
                               "\tEthernet0/1 - IP\r\n"
                               "  Redistribute:\r\n    static (on by default)\r\n"
                               "  Distance for L2 CLNS routes: 110\r\n";
    const char* entry = std::strstr(output.c_str(), "Interfaces supported by IS-IS:");
    CScoutPattern block = InterfaceBlock();
    ASSERT_TRUE(block.Match(entry));
    EXPECT_EQ(block.NumberMatches("isisInterfaceBlock"), 1);
    EXPECT_EQ(EntryNames(block),
              (std::vector<std::string>{"Serial1/0", "Loopback0", "Ethernet0/1"}));
    std::string line;
    ASSERT_TRUE(block.FindField("isisInterfaceBlock[0].listEntry[1]", line));
    EXPECT_EQ(line, "\n\tLoopback0 - IP\r");
}

TEST(Pattern, BlockWithoutAListDoesNotMatch) {
    CScoutPattern block = InterfaceBlock();
    ASSERT_TRUE(block.Match("Interfaces supported by IS-IS:\n    Serial1/0 - IP\n"));
    const char* const texts[] = {"Interfaces supported by IS-IS:\n",
                                 "Interfaces supported by IS-IS:\n\n  ",
                                 "Interfaces supported by IS-IS: Serial1/0 - IP\n", "", nullptr};
    for (const char* text : texts) {
        EXPECT_FALSE(block.Match(text)) << (text ? text : "null");
        // Nothing of the earlier match survives.
        EXPECT_EQ(block.NumberMatches("isisInterfaceBlock"), 0);
        EXPECT_EQ(block.NumberMatches("isisInterfaceBlock[0].listEntry"), 0);
        std::string out = "kept";
        EXPECT_FALSE(block.FindField("isisInterfaceBlock[0].interfaceListTag[0]", out));
        EXPECT_EQ(out, "kept");
    }
}

TEST(Pattern, PathsThatAddressNothing) {
    CScoutPattern block = InterfaceBlock();
    ASSERT_TRUE(block.Match("Interfaces supported by IS-IS:\n  Serial1/0 - IP\n  Fa0/0 - IP\n"));
    const char* paths[] = {
        "",
        "otherBlock",
        "isisInterfaceBlock[1]",
        "isisInterfaceBlock[1].listEntry",
        "isisInterfaceBlock.listEntry",
        "isisInterfaceBlock[0].entry",
        "isisInterfaceBlock[0].listEntry[2].interfaceName[0]",
        "isisInterfaceBlock[0].listEntry[0].interfaceName[1]",
        "isisInterfaceBlock[0].listEntry[0].nothing[0]",
        "isisInterfaceBlock[0].listEntry[-1].interfaceName[0]",
        "isisInterfaceBlock[0].listEntry[99999999999999999999999].interfaceName[0]",
        "isisInterfaceBlock[0]..listEntry",
        "isisInterfaceBlock[0].listEntry[0",
        "isisInterfaceBlock[0].listEntry[]",
        "isisInterfaceBlock[0].listEntry[0]x",
        "isisInterfaceBlock[0].",
        "isisInterfaceBlock[0].listEntry.interfaceName[0]",
    };
    for (const char* path : paths) {
        EXPECT_EQ(block.NumberMatches(path), 0) << path;
        std::string out = "kept";
        EXPECT_FALSE(block.FindField(path, out)) << path;
        EXPECT_EQ(out, "kept") << path;
    }
    // A path that ends in an index names one element; FindField needs one.
    EXPECT_EQ(block.NumberMatches("isisInterfaceBlock[0].listEntry[1]"), 1);
    EXPECT_EQ(block.NumberMatches("isisInterfaceBlock[0].listEntry[1].interfaceName"), 1);
    std::string out;
    EXPECT_FALSE(block.FindField("isisInterfaceBlock[0].listEntry", out));
    EXPECT_TRUE(block.FindField("isisInterfaceBlock[0]", out));
    EXPECT_EQ(out, "Interfaces supported by IS-IS:\n  Serial1/0 - IP\n  Fa0/0 - IP");
}

TEST(Pattern, SubPatternsSearchTheirOwnPart) {
    // The first expression has groups of its own; the second expression's
    // span must still be found.
    CScoutPattern record("record", false,
                         std::vector<std::string>{"([a-z]+)=(([a-z]+));", "[0-9 ]+", "end"});
    auto* subs = new std::vector<CScoutPattern>;
    subs->push_back(CScoutPattern("key", false, "[a-z]+"));
    subs->push_back(CScoutPattern("digit", true, "[0-9]"));
    subs->push_back(CScoutPattern("tail", false, "end[a-z]*"));
    subs->push_back(CScoutPattern("extra", false, "x"));
    record.SetSubPattern(subs);

    ASSERT_TRUE(record.Match("-- key=val;1 23 endless 4"));
    std::string field;
    ASSERT_TRUE(record.FindField("record[0]", field));
    EXPECT_EQ(field, "key=val;1 23 end");
    // Only digits that start inside the second expression's span count.
    EXPECT_EQ(record.NumberMatches("record[0].digit"), 3);
    ASSERT_TRUE(record.FindField("record[0].digit[2]", field));
    EXPECT_EQ(field, "3");
    ASSERT_TRUE(record.FindField("record[0].key[0]", field));
    EXPECT_EQ(field, "key");
    // A match that starts inside its part may run on past it.
    ASSERT_TRUE(record.FindField("record[0].tail[0]", field));
    EXPECT_EQ(field, "endless");
    // A sub-pattern beyond the expressions is never matched.
    EXPECT_EQ(record.NumberMatches("record[0].extra"), 0);

    // The first expression cannot keep its longest stretch here: it has to
    // leave a letter to the second.
    CScoutPattern split("split", false, std::vector<std::string>{"[a-z]+", "[a-z]"});
    split.SetSubPattern(new std::vector<CScoutPattern>{CScoutPattern("head", true, "[a-z]"),
                                                       CScoutPattern("last", false, "[a-z]+")});
    ASSERT_TRUE(split.Match("1abc2"));
    EXPECT_EQ(split.NumberMatches("split[0].head"), 2);
    ASSERT_TRUE(split.FindField("split[0].last[0]", field));
    EXPECT_EQ(field, "c");

    // Not repeated: only the first match inside the part.
    CScoutPattern once("once", false, std::vector<std::string>{"<", "[0-9 ]+", ">"});
    once.SetSubPattern(new std::vector<CScoutPattern>{CScoutPattern("open", false, "<"),
                                                      CScoutPattern("digit", false, "[0-9]")});
    ASSERT_TRUE(once.Match("<4 5 6> 7"));
    EXPECT_EQ(once.NumberMatches("once[0].digit"), 1);
    ASSERT_TRUE(once.FindField("once[0].digit[0]", field));
    EXPECT_EQ(field, "4");

    // A repeated sub-pattern that matches the empty string still ends.
    CScoutPattern empty("empty", false, "[a-z]+");
    empty.SetSubPattern(new std::vector<CScoutPattern>{CScoutPattern("gap", true, "x*")});
    ASSERT_TRUE(empty.Match("abc"));
    EXPECT_EQ(empty.NumberMatches("empty[0].gap"), 3);
}

TEST(Pattern, ValidityCoversEveryExpression) {
    EXPECT_TRUE(InterfaceBlock().IsValid());
    EXPECT_FALSE(CScoutPattern("bad", false, "a(b").IsValid());
    EXPECT_FALSE(CScoutPattern("none", false, std::vector<std::string>{}).IsValid());
    // Each expression has to compile on its own.
    EXPECT_FALSE(CScoutPattern("split", false, std::vector<std::string>{"a(", ")b"}).IsValid());

    // A bad expression two levels down spoils the whole, but the rest still
    // matches.
    CScoutPattern inner("inner", false, "[a-z]+");
    inner.SetSubPattern(new std::vector<CScoutPattern>{CScoutPattern("broken", false, "[[:x:]]")});
    CScoutPattern outer("outer", false, "[a-z ]+");
    outer.SetSubPattern(new std::vector<CScoutPattern>{inner});
    EXPECT_FALSE(outer.IsValid());
    ASSERT_TRUE(outer.Match("ab cd"));
    EXPECT_EQ(outer.NumberMatches("outer[0].inner"), 1);
    EXPECT_EQ(outer.NumberMatches("outer[0].inner[0].broken"), 0);
}

TEST(Pattern, CopiesAreIndependent) {
    auto original = std::make_unique<CScoutPattern>(InterfaceBlock());
    CScoutPattern copy(*original);
    CScoutPattern assigned("other", false, "x");
    assigned = *original;
    ASSERT_TRUE(original->Match("Interfaces supported by IS-IS:\n  Serial1/0 - IP\n"));
    EXPECT_EQ(copy.NumberMatches("isisInterfaceBlock"), 0);
    original.reset();

    // The copies keep the sub-patterns of their sub-patterns.
    std::vector<CScoutPattern> kept{copy, assigned};
    for (CScoutPattern& pattern : kept) {
        EXPECT_EQ(pattern.Name(), "isisInterfaceBlock");
        EXPECT_TRUE(pattern.IsValid());
        ASSERT_TRUE(pattern.Match("Interfaces supported by IS-IS:\n  Fa0/0 - IP\n  Se0 - OSI\n"));
        EXPECT_EQ(EntryNames(pattern), (std::vector<std::string>{"Fa0/0", "Se0"}));
    }
    ASSERT_TRUE(kept[0].Match("Interfaces supported by IS-IS:\n  Lo1 - IP\n"));
    EXPECT_EQ(EntryNames(kept[1]), (std::vector<std::string>{"Fa0/0", "Se0"}));
}
