// JSON text from device bytes: layout, member order, escapes and the
// replacement of ill-formed UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "JsonTextWriter.h"

namespace {

std::string Literal(const std::string& bytes) {
    std::string out;
    JsonTextWriter::AppendString(out, bytes);
    return out;
}

TEST(JsonTextWriter, KeepsOrderAndRepeatedNames) {
    JsonTextWriter writer;
    writer.BeginObject();
    writer.Key("z");
    writer.Integer(-1);
    writer.Key("a");
    writer.BeginArray();
    writer.EndArray();
    writer.Key("z");
    writer.BeginObject();
    writer.EndObject();
    writer.Key("list");
    writer.BeginArray();
    writer.Boolean(true);
    writer.Null();
    writer.String("x");
    writer.EndArray();
    writer.EndObject();
    EXPECT_EQ(writer.Text(), "{\n"
                             "  \"z\": -1,\n"
                             "  \"a\": [],\n"
                             "  \"z\": {},\n"
                             "  \"list\": [\n"
                             "    true,\n"
                             "    null,\n"
                             "    \"x\"\n"
                             "  ]\n"
                             "}\n");
}

struct Bytes {
    const char* what;
    std::string bytes;
    std::string literal;
};

class JsonStringLiteral : public testing::TestWithParam<Bytes> {};

TEST_P(JsonStringLiteral, Renders) {
    EXPECT_EQ(Literal(GetParam().bytes), GetParam().literal);
}

// One U+FFFD per maximal ill-formed subpart.
INSTANTIATE_TEST_SUITE_P(
    Cases, JsonStringLiteral,
    testing::Values(
        Bytes{"Plain", "Ethernet0/0", "\"Ethernet0/0\""},
        Bytes{"QuoteAndBackslash", "show isis hostname | include \\*\"",
              "\"show isis hostname | include \\\\*\\\"\""},
        Bytes{"ShortEscapes", "\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
        Bytes{"OtherControls", std::string("\x00\x01\x1f\x7f", 4), "\"\\u0000\\u0001\\u001f\x7f\""},
        Bytes{"ValidMultibyte", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
              "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\""},
        Bytes{"BadContinuation", "\xC3\x28", "\"\xEF\xBF\xBD(\""},
        Bytes{"TruncatedFourBytes", "\xF0\x9F\x98", "\"\xEF\xBF\xBD\""},
        Bytes{"TruncatedThenAscii", "a\xE2\x82z", "\"a\xEF\xBF\xBDz\""},
        Bytes{"SurrogateEncoding", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        Bytes{"Overlong", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        Bytes{"OverlongThreeBytes", "\xE0\x80\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        Bytes{"BeyondUnicode", "\xF4\x90\x80\x80",
              "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        Bytes{"NeverALead", "\xF5\xFF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        Bytes{"LoneContinuation", "\x80x", "\"\xEF\xBF\xBDx\""},
        Bytes{"TwoTruncatedInARow", "\xE2\x82\xE2\x82", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        Bytes{"ControlAfterBadByte", "\xC3\n", "\"\xEF\xBF\xBD\\n\""}),
    [](const testing::TestParamInfo<Bytes>& info) { return info.param.what; });

} // namespace
