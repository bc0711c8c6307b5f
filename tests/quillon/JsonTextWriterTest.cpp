// JSON text from device bytes: layout, member order and repeated names,
// escapes, and one U+FFFD per maximal ill-formed subpart of UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "JsonTextWriter.h"

namespace {

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
    EXPECT_EQ(writer.Text(),
              "{\n  \"z\": -1,\n  \"a\": [],\n  \"z\": {},\n  \"list\": [\n    true,\n    null,\n"
              "    \"x\"\n  ]\n}\n");
}

TEST(JsonTextWriter, StringLiterals) {
    const std::string r = "\xEF\xBF\xBD"; // U+FFFD
    const std::pair<std::string, std::string> cases[] = {
        {"show isis hostname | include \\*\"", "show isis hostname | include \\\\*\\\""},
        {"\b\f\n\r\t", "\\b\\f\\n\\r\\t"},
        {std::string("\x00\x01\x1f\x7f", 4), "\\u0000\\u0001\\u001f\x7f"},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"\xC3\x28", r + "("},               // bad continuation
        {"\xF0\x9F\x98", r},                 // truncated, at the end
        {"a\xE2\x82z", "a" + r + "z"},       // truncated, then ASCII
        {"\xE2\x82\xE2\x82", r + r},         // two truncated in a row
        {"\xED\xA0\x80", r + r + r},         // encoded surrogate
        {"\xC0\xAF", r + r},                 // overlong
        {"\xE0\x80\xAF", r + r + r},         // overlong, three bytes
        {"\xF4\x90\x80\x80", r + r + r + r}, // beyond U+10FFFF
        {"\xF5\xFF\x80x", r + r + r + "x"},  // never a lead, lone continuation
        {"\xC3\n", r + "\\n"},               // control after a bad byte
    };
    for (const auto& [bytes, literal] : cases) {
        std::string out;
        JsonTextWriter::AppendString(out, bytes);
        EXPECT_EQ(out, "\"" + literal + "\"") << testing::PrintToString(bytes);
    }
}

} // namespace
