#include "JsonTextWriter.h"

#include "Utf8Text.h"

void JsonTextWriter::NewLine(std::size_t depth) {
    m_Text += '\n';
    m_Text.append(depth * 2, ' ');
}

void JsonTextWriter::BeforeValue() {
    if (m_AfterKey) {
        m_AfterKey = false;
        return;
    }
    if (m_Levels.empty())
        return;
    Level& level = m_Levels.back();
    if (level.count > 0)
        m_Text += ',';
    ++level.count;
    NewLine(m_Levels.size());
}

void JsonTextWriter::Open(char bracket, bool isObject) {
    BeforeValue();
    m_Text += bracket;
    m_Levels.push_back(Level{isObject, 0});
}

void JsonTextWriter::Close(char bracket) {
    const bool empty = m_Levels.back().count == 0;
    m_Levels.pop_back();
    if (!empty)
        NewLine(m_Levels.size());
    m_Text += bracket;
    if (m_Levels.empty())
        m_Text += '\n';
}

void JsonTextWriter::BeginObject() {
    Open('{', true);
}
void JsonTextWriter::EndObject() {
    Close('}');
}
void JsonTextWriter::BeginArray() {
    Open('[', false);
}
void JsonTextWriter::EndArray() {
    Close(']');
}

void JsonTextWriter::Key(std::string_view name) {
    BeforeValue();
    AppendString(m_Text, name);
    m_Text += ": ";
    m_AfterKey = true;
}

void JsonTextWriter::String(std::string_view bytes) {
    BeforeValue();
    AppendString(m_Text, bytes);
}

void JsonTextWriter::Integer(std::int64_t value) {
    BeforeValue();
    m_Text += std::to_string(value);
}

void JsonTextWriter::Boolean(bool value) {
    BeforeValue();
    m_Text += value ? "true" : "false";
}

void JsonTextWriter::Null() {
    BeforeValue();
    m_Text += "null";
}

void JsonTextWriter::AppendString(std::string& out, std::string_view bytes) {
    static const char hex[] = "0123456789abcdef";
    out += '"';
    std::size_t position = 0;
    while (position < bytes.size()) {
        const unsigned char byte = static_cast<unsigned char>(bytes[position]);
        if (byte >= 0x80) {
            std::size_t invalidLength = 0;
            const std::size_t length = Utf8Text::SequenceLength(bytes, position, invalidLength);
            if (length > 0) {
                out.append(bytes.substr(position, length));
                position += length;
            } else {
                out.append(Utf8Text::Replacement);
                position += invalidLength;
            }
            continue;
        }
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 0xF];
            } else {
                out += static_cast<char>(byte);
            }
        }
        ++position;
    }
    out += '"';
}
