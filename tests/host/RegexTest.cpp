// The single-expression matcher: stepping, group bounds, engine settings and
// the expressions the parsers hand it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CZanRegex.h"

namespace {

using Span = std::pair<long, long>;
const Span kAbsent{-1, -1};

// Offsets of a group of the latest step, or kAbsent.
Span Group(const CZanRegex& re, const char* text, int group) {
    const char* start = re.SubExprStart(group);
    const char* end = re.SubExprEnd(group);
    if (start == nullptr || end == nullptr)
        return kAbsent;
    return {start - text, end - text};
}

// Every match of one stepping run, as offsets of the whole match.
std::vector<Span> StepAll(CZanRegex& re, const char* text, size_t limit = 100) {
    std::vector<Span> spans;
    while (spans.size() < limit && re.ZRStep(text) == 1)
        spans.push_back(Group(re, text, 0));
    return spans;
}

std::string Found(const CZanRegex& re) {
    if (re.ZRExprStart() == nullptr)
        return "<none>";
    return std::string(re.ZRExprStart(), re.ZRExprEnd());
}

} // namespace

TEST(Regex, StepsThroughSuccessiveMatchesWithTheirGroups) {
    const char* text = "ab12 cd x9";
    CZanRegex re("([a-z]+)([0-9]+)?", 3);
    ASSERT_EQ(re.ZRCompiledCorrectly(), ZTRUE);

    std::vector<std::vector<Span>> seen;
    while (re.ZRStep(text) == 1)
        seen.push_back({Group(re, text, 0), Group(re, text, 1), Group(re, text, 2)});
    std::vector<std::vector<Span>> expected = {
        {{0, 4}, {0, 2}, {2, 4}},
        {{5, 7}, {5, 7}, kAbsent}, // the optional group took no part
        {{8, 10}, {8, 9}, {9, 10}},
    };
    EXPECT_EQ(seen, expected);
    // The failed step leaves no match to read, and the text stays exhausted.
    EXPECT_EQ(re.SubExprStart(0), nullptr);
    EXPECT_EQ(re.ZRStep(text), 0);
}

TEST(Regex, GroupsOutsideTheRecordedSlotsAreAbsent) {
    const char* text = "key=value";
    CZanRegex two("([a-z]+)=([a-z]+)", 2);
    ASSERT_EQ(two.ZRStep(text), 1);
    EXPECT_EQ(Group(two, text, 1), Span(0, 3));
    EXPECT_EQ(Group(two, text, 2), kAbsent);
    EXPECT_EQ(Group(two, text, -1), kAbsent);

    // More slots than groups, and a count below one.
    CZanRegex wide("([a-z]+)=", 13);
    ASSERT_EQ(wide.ZRStep(text), 1);
    EXPECT_EQ(Group(wide, text, 1), Span(0, 3));
    EXPECT_EQ(Group(wide, text, 12), kAbsent);
    CZanRegex none("=", 0);
    ASSERT_EQ(none.ZRStep(text), 1);
    EXPECT_EQ(Group(none, text, 0), Span(3, 4));

    // A group that matched the empty string took part: it is not absent.
    const char* bare = "b";
    CZanRegex empty("(a*)b", 2);
    ASSERT_EQ(empty.ZRStep(bare), 1);
    EXPECT_EQ(Group(empty, bare, 1), Span(0, 0));
}

TEST(Regex, EngineSettings) {
    struct Case {
        const char* expression;
        const char* text;
        const char* match;
    };
    const Case cases[] = {
        // "." crosses a carriage return but not a line feed.
        {"a.b", "a\rb", "a\rb"},
        {"a.b", "a\nb", "<none>"},
        {"x.*", "xy\rz\nw", "xy\rz"},
        // POSIX classes; white space includes CR, LF, tab, VT and FF.
        {"[[:space:]]+", "a \t\r\n\v\fb", " \t\r\n\v\f"},
        {"[^[:space:]]+", "  Serial1/0 -", "Serial1/0"},
        {"[[:alpha:]][[:digit:]]+", "--x42--", "x42"},
        // Bytes above 127 are single characters.
        {"a.b",
         "a\xe9"
         "b",
         "a\xe9"
         "b"},
        // A backslash inside brackets escapes the next character.
        {"[a-z0-9\\-._]+", "ab-c.d_e\\f", "ab-c.d_e"},
        {"[0-9\\.:/]+", "Serial1/0:1.5x", "1/0:1.5"},
        {"[a-zA-Z0-9._\\-]+", " r1.00-00 ", "r1.00-00"},
        {"\\*([A-Z]+)\\*", "SNPA: *HDLC* ", "*HDLC*"},
        {"\\(es\\):", "address(es):", "(es):"},
        {"0\\/0\\/1", "0/0/1", "0/0/1"},
        // Leftmost, then longest.
        {"a|ab|abc", "xabcd", "abc"},
        {"(a|ab)(c|bcd)", "abcd", "abcd"},
        // "^" and "$" bind to the ends of the whole text only.
        {"^b", "a\nb", "<none>"},
        {"a$", "a\nba", "a"},
        {"^[-a-zA-Z]*", "Fa0/1", "Fa"},
        // The range A-z also admits the characters between Z and a.
        {"[A-za-z]+", "1UP_[x]2", "UP_[x]"},
    };
    for (const Case& c : cases) {
        CZanRegex re(c.expression, 1);
        ASSERT_EQ(re.ZRCompiledCorrectly(), ZTRUE) << c.expression;
        bool expectMatch = std::string(c.match) != "<none>";
        EXPECT_EQ(re.ZRMatches(c.text), expectMatch ? ZTRUE : ZFALSE) << c.expression;
        EXPECT_EQ(Found(re), c.match) << c.expression;
    }
    // "$" as the last match in a stepped text sits at its very end.
    const char* lines = "a\nba";
    CZanRegex end("a$", 1);
    EXPECT_EQ(StepAll(end, lines), (std::vector<Span>{{3, 4}}));
}

TEST(Regex, ExpressionThatDoesNotCompileNeverMatches) {
    for (const char* bad : {"a(b", "[z-a]", "[[:bogus:]]", "*a", "a{2,1}"}) {
        CZanRegex re(bad, 2);
        EXPECT_EQ(re.ZRCompiledCorrectly(), ZFALSE) << bad;
        EXPECT_EQ(re.ZRStep("a(b z a"), 0) << bad;
        EXPECT_EQ(re.SubExprStart(0), nullptr) << bad;
        EXPECT_EQ(re.ZRMatches("a(b z a"), ZFALSE) << bad;
        EXPECT_EQ(re.ZRExprStart(), nullptr) << bad;
    }
    CZanRegex null(nullptr, 1);
    EXPECT_EQ(null.ZRCompiledCorrectly(), ZFALSE);
}

TEST(Regex, EmptyMatchesAdvanceAndEndPastTheText) {
    const char* text = "axxb";
    CZanRegex stars("x*", 1);
    EXPECT_EQ(StepAll(stars, text), (std::vector<Span>{{0, 0}, {1, 3}, {3, 3}, {4, 4}}));
    EXPECT_EQ(stars.ZRStep(text), 0);

    const char* empty = "";
    CZanRegex any("x*", 1);
    EXPECT_EQ(StepAll(any, empty), (std::vector<Span>{{0, 0}}));
    CZanRegex start("^", 1);
    EXPECT_EQ(StepAll(start, text), (std::vector<Span>{{0, 0}}));
    CZanRegex anchored("^a", 1);
    const char* repeats = "aaa";
    EXPECT_EQ(StepAll(anchored, repeats), (std::vector<Span>{{0, 1}}));
}

TEST(Regex, NewTextPointerStartsOver) {
    char first[] = "n1 n2 n3";
    char second[] = "n1 n2 n3";
    CZanRegex re("n[0-9]", 1);
    ASSERT_EQ(re.ZRStep(first), 1);
    ASSERT_EQ(re.ZRStep(first), 1);
    EXPECT_EQ(Group(re, first, 0), Span(3, 5));
    ASSERT_EQ(re.ZRStep(second), 1);
    EXPECT_EQ(Group(re, second, 0), Span(0, 2));
    // A pointer into the middle of a text is a text of its own.
    ASSERT_EQ(re.ZRStep(first + 3), 1);
    EXPECT_EQ(Group(re, first, 0), Span(3, 5));
    EXPECT_EQ(StepAll(re, first), (std::vector<Span>{{0, 2}, {3, 5}, {6, 8}}));
}

TEST(Regex, TextEndsAtItsFirstNul) {
    const char text[] = "ab\0cd";
    CZanRegex re("cd|b$", 1);
    EXPECT_EQ(StepAll(re, text), (std::vector<Span>{{1, 2}}));
    EXPECT_EQ(re.ZRMatches(text), ZTRUE);
    EXPECT_EQ(Found(re), "b");
}

TEST(Regex, MatchesLeavesSteppingAlone) {
    const char* text = "n1 n2 n3";
    CZanRegex re("n([0-9])", 2);
    ASSERT_EQ(re.ZRStep(text), 1);
    ASSERT_EQ(re.ZRMatches("xx n7"), ZTRUE);
    EXPECT_EQ(Found(re), "n7");
    EXPECT_EQ(Group(re, text, 1), Span(1, 2));
    ASSERT_EQ(re.ZRStep(text), 1);
    EXPECT_EQ(Group(re, text, 0), Span(3, 5));
    EXPECT_EQ(re.ZRMatches("none"), ZFALSE);
    EXPECT_EQ(re.ZRExprStart(), nullptr);
    EXPECT_EQ(re.ZRExprEnd(), nullptr);
}

namespace {

// An expression as a parser builds it, a sample of the device output it is
// meant for, and the capture a parser reads from the first match.
struct ParserCase {
    std::vector<const char*> pieces;
    int slots;
    const char* text;
    int group;
    const char* capture;
};

std::string Join(const std::vector<const char*>& pieces) {
    std::string joined;
    for (const char* piece : pieces)
        joined += piece;
    return joined;
}

} // namespace

TEST(Regex, ParserExpressionsCompileAndCapture) {
    const char* clnsInterface[] = {
        "Ethernet0",
        "[[:space:]]is[[:space:]]*(administratively)?[[:space:]]*(up|down),[[:space:]].*[\r\n]",
        "[[:space:]]+Checksums.*[\r\n]",
        "[[:space:]]+ERPDUs.*[\r\n]",
        "([[:space:]]+RDPDUs.*[\r\n])?",
        "([[:space:]]+Congestion.*[\r\n])?",
        "[[:space:]]+CLNS fast.*[\r\n]",
        "[[:space:]]+CLNS SSE.*[\r\n]",
        "[[:space:]]+DEC.*[\r\n]",
        "[[:space:]]+Next.*[\r\n]",
        "[[:space:]]+Routing Protocol:[[:space:]]([A-Z-]+)[\r\n]",
        "[[:space:]]*Circuit Type:[[:space:]]([a-z0-9-]+)[\r\n].*",
    };
    const char* clnsText =
        "Ethernet0 is administratively down, line protocol is down\n"
        "  Checksums enabled, MTU 1497, Encapsulation SAP\n"
        "  ERPDUs enabled, min. interval 10 msec.\n"
        "  CLNS fast switching enabled\n  CLNS SSE switching disabled\n"
        "  DEC compatibility mode OFF for this interface\n  Next ESH/ISH in 47 seconds\n"
        "  Routing Protocol: IS-IS\n    Circuit Type: level-1-2\n"
        "    Interface number 0x0, local circuit ID 0x1\n";
    std::vector<const char*> level = {
        "[[:space:]]*(Level-1)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]]"
        "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n]",
        "([[:space:]]*DR ID:.*[\r\n])?",
        "([[:space:]]*Level-1 IPv6 Metric:.*[\r\n])?",
        "[[:space:]]*Number of active level-1 adjacencies:.*[\r\n]",
        "([[:space:]]*(Level-2)[[:space:]]Metric:[[:space:]]([0-9]+),[[:space:]]Priority:[[:space:]"
        "]"
        "([0-9]+),[[:space:]]Circuit ID:[[:space:]]([a-z0-9\\-._]+)[\r\n])?",
    };
    const char* levelText = "      Level-1 Metric: 10, Priority: 64, Circuit ID: r1.01\r\n"
                            "      Number of active level-1 adjacencies: 1\r\n"
                            "      Level-2 Metric: 20, Priority: 64, Circuit ID: r1_b-2.01\r\n";
    std::vector<const char*> neighbor = {
        "[[:space:]]*[a-z0-9_]+[[:space:]]+L1[[:space:]]+[A-Za-z]+([0-9/:]+)[[:space:]]+[0-9.]+"
        "[[:space:]]+UP[[:space:]]+[0-9]+[[:space:]]+01[\r\n]",
        "[[:space:]]+Area.*:[[:space:]]+[0-9.]+[\r\n]",
        "[[:space:]]+SNPA:[[:space:]]+\\*([A-Z]+)\\*[[:space:]]+[\r\n].*",
    };
    const char* neighborText =
        "r2           L1   Se1/0       10.0.0.2        UP    27       01\n"
        "  Area Address(es): 49.0001\n  SNPA: *HDLC* \n  State Changed: 1d\n";
    std::vector<const char*> transmit = {
        "interface Serial1/0",
        "[\r\n]",
        "[[:space:]]+ip address [0-9.]+ [0-9.]+[\r\n]",
        "[[:space:]]+no ip directed-broadcast[\r\n]",
        "[[:space:]]+ip router isis[[:space:]]*[\r\n]",
        "[[:space:]]+ip pim sparse-mode[\r\n]",
        "[[:space:]]+isis csnp-interval ([0-9]+)[[:space:]]([a-z0-9-]+)[\r\n]",
        "[[:space:]]+isis lsp-interval ([0-9]+)[\r\n]",
    };
    const char* transmitText = "interface Serial1/0\r\n ip address 10.0.0.1 255.255.255.0\r\n"
                               " no ip directed-broadcast\r\n ip router isis \r\n"
                               " ip pim sparse-mode\r\n isis csnp-interval 30 level-1\r\n"
                               " isis lsp-interval 50\r\n!\r\n";
    std::vector<const char*> service = {
        "[[:space:]]+<([A-Za-z ]+)>[\r\n]",
        "[[:space:]]+System "
        "Id:[[:space:]]+([0-9.]+)[[:space:]]+IS-Type:[[:space:]]*[a-z0-9-]+[\r\n]",
        "[[:space:]]+Manual area address\\(es\\):[[:space:]]*[\r\n]",
        "[[:space:]]+[0-9.]+[\r\n]",
        "[[:space:]]+Routing for area address\\(es\\):[[:space:]]*[\r\n]",
        "[[:space:]]+([0-9.]+)[\r\n].*",
    };
    const char* serviceText = "IS-IS Router: <Null Tag>\n"
                              "  System Id: 0000.0000.0001.00  IS-Type: level-1-2\n"
                              "  Manual area address(es):\n\t49.0001\n"
                              "  Routing for area address(es):\n\t49.0002\n"
                              "  Interfaces supported by IS-IS:\n";
    std::vector<const char*> dis = {
        "\\.([0-9]+)-[0-9]+[[:space:]]+\\*[[:space:]]+[A-Z0-9x]+[[:space:]]+[A-Z0-9x]+[[:space:]]+"
        "[0-9]+[[:space:]]+[0-1]\\/[0-1]\\/([0-1])[\r\n]",
        "[[:space:]]*[a-z0-9_]+\\.([0-9]+)-[0-9]+[[:space:]]+\\*[[:space:]]+[A-Z0-9x]+[[:space:]]+"
        "[A-Z0-9x]+[[:space:]]+[0-9]+[[:space:]]+[0-1]\\/[0-1]\\/([0-1])[\r\n].*",
    };
    const char* disText = "r1.00-00            * 0x0000000C   0x5B4E        1124       0/0/1\n"
                          "r1.02-00            * 0x00000003   0xC3A6        803        0/0/0\n";
    std::vector<const char*> pseudoNode = {
        "[[:space:]]+([A-Za-z0-9-]+)[[:space:]]+Link State Database:[\r\n]",
        "[[:space:]]*LSPID[[:space:]]+LSP Seq Num[[:space:]]+LSP Checksum[[:space:]]+"
        "LSP Holdtime[[:space:]]+ATT\\/P\\/OL[\r\n]",
        "[[:space:]]*([a-zA-Z0-9._\\-]+)",
        "[[:space:]]*(\\*)?.*[\r\n].*",
    };
    const char* pseudoText =
        "IS-IS Level-1 Link State Database:\n"
        "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      ATT/P/OL\n"
        "r1.01-00            * 0x00000005   0x1234        1000              0/0/0\n";
    std::vector<const char*> clnsNeighbor = {
        "([a-zA-Z0-9_.\\-]+)[[:space:]]+([A-Za-z0-9\\/:]+)[[:space:]]+[A-za-z]+[[:space:]]+"
        "([a-zA-Z0-9]+).*[\r\n].*",
        "[[:space:]]+Area Address\\(es\\):[[:space:]]+([0-9.]+)[\r\n]",
        "[[:space:]]+IP Address\\(es\\):[[:space:]]+([0-9.]+)\\*[\r\n]",
        "[[:space:]]+Uptime:.*[\r\n]",
        "([[:space:]]+NSF capable[\r\n])?",
    };
    const char* clnsNeighborText =
        "r2             Se1/0       Up     L1L2 0 /0      r2.00              Phase V\n"
        "  Area Address(es): 49.0001\n  IP Address(es):  10.0.0.2*\n  Uptime: 00:10:00\n";

    const ParserCase cases[] = {
        {{std::begin(clnsInterface), std::end(clnsInterface)}, 13, clnsText, 5, "IS-IS"},
        {{std::begin(clnsInterface), std::end(clnsInterface)}, 13, clnsText, 1, "administratively"},
        {{std::begin(clnsInterface), std::end(clnsInterface)}, 13, clnsText, 3, nullptr},
        {{std::begin(clnsInterface), std::end(clnsInterface)}, 13, clnsText, 6, "level-1-2"},
        {level, 13, levelText, 4, "r1.01"},
        {level, 13, levelText, 11, "r1_b-2.01"},
        {level, 13, levelText, 5, nullptr},
        {{"System Id      Type Interface IP Address      State Holdtime Circuit Id[\r\n]"},
         1,
         "System Id      Type Interface IP Address      State Holdtime Circuit Id\n",
         0,
         "System Id      Type Interface IP Address      State Holdtime Circuit Id\n"},
        {neighbor, 3, neighborText, 1, "1/0"},
        {neighbor, 3, neighborText, 2, "HDLC"},
        {transmit, 4, transmitText, 2, "level-1"},
        {transmit, 4, transmitText, 3, "50"},
        {service, 4, serviceText, 1, "Null Tag"},
        {service, 4, serviceText, 3, "49.0002"},
        {{"[[:space:]]+([0-9.]+)[\r\n]"},
         2,
         "NET:\n  49.0001.0000.0000.0001.00\n",
         1,
         "49.0001.0000.0000.0001.00"},
        {{"[[:space:]]+[0-9.]+[[:space:]]+([a-z0-9_]+)[\r\n]"},
         2,
         "  *  0000.0000.0001 r1_core\n",
         1,
         "r1_core"},
        {dis, 5, disText, 2, "1"},
        {dis, 5, disText, 3, "02"},
        {pseudoNode, 5, pseudoText, 2, "r1.01-00"},
        {pseudoNode, 5, pseudoText, 3, "*"},
        {clnsNeighbor, 8, clnsNeighborText, 3, "L1L2"},
        {clnsNeighbor, 8, clnsNeighborText, 5, "10.0.0.2"},
        {clnsNeighbor, 8, clnsNeighborText, 6, nullptr},
        {{"[a-zA-Z]+(([0-9]+ )|(-[a-zA-Z]+))?[0-9\\.:/]*"},
         1,
         "Serial1/0:1.2 x",
         0,
         "Serial1/0:1.2"},
        {{"^[-a-zA-Z]*"}, 1, "Port-channel1", 0, "Port-channel"},
    };
    for (const ParserCase& c : cases) {
        std::string expression = Join(c.pieces);
        CZanRegex re(expression.c_str(), c.slots);
        ASSERT_EQ(re.ZRCompiledCorrectly(), ZTRUE) << expression;
        ASSERT_EQ(re.ZRStep(c.text), 1) << expression;
        if (c.capture == nullptr) {
            EXPECT_EQ(Group(re, c.text, c.group), kAbsent) << expression;
        } else {
            Span span = Group(re, c.text, c.group);
            ASSERT_NE(span, kAbsent) << expression << " group " << c.group;
            EXPECT_EQ(std::string(c.text + span.first, c.text + span.second), c.capture)
                << expression;
        }
    }
}
