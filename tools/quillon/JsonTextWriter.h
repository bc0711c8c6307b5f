// Writes JSON text piece by piece, indented two blanks a level, with members
// in the order they are written and repeated names kept. Strings are taken
// as bytes: control characters are escaped and bytes that are not valid
// UTF-8 become U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonTextWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the open object.
    void Key(std::string_view name);
    void String(std::string_view bytes);
    void Integer(std::int64_t value);
    void Boolean(bool value);
    void Null();

    // The text written so far; complete once every container is closed.
    const std::string& Text() const { return m_Text; }

    // Appends the bytes as a JSON string literal, quotes included.
    static void AppendString(std::string& out, std::string_view bytes);

private:
    struct Level {
        bool isObject;
        int count;
    };
    // Separator and indentation before a value (or a key in an object).
    void BeforeValue();
    void Open(char bracket, bool isObject);
    void Close(char bracket);
    void NewLine(std::size_t depth);

    std::string m_Text;
    std::vector<Level> m_Levels;
    bool m_AfterKey = false;
};
