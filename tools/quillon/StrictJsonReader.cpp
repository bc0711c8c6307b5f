#include "StrictJsonReader.h"

#include <iterator>
#include <vector>

#include "Utf8Text.h"

namespace {

// A byte iterator that notes in a shared place how far the parser has read,
// so that callbacks know where in the text they are.
class TrackingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackingIterator(const char* position, const char** furthest)
        : m_Position(position), m_Furthest(furthest) {}

    reference operator*() const { return *m_Position; }
    TrackingIterator& operator++() {
        ++m_Position;
        if (m_Position > *m_Furthest)
            *m_Furthest = m_Position;
        return *this;
    }
    TrackingIterator operator++(int) {
        TrackingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackingIterator& other) const { return m_Position == other.m_Position; }
    bool operator!=(const TrackingIterator& other) const { return !(*this == other); }

private:
    const char* m_Position;
    const char** m_Furthest;
};

// Builds the value as the parser reports it, refusing repeated member names.
class StrictHandler {
public:
    using json = nlohmann::json;

    StrictHandler(std::string_view text, const char** furthest, json& root)
        : m_Text(text), m_Furthest(furthest), m_Root(root) {}

    bool null() { return Add(json(nullptr)); }
    bool boolean(bool value) { return Add(json(value)); }
    bool number_integer(json::number_integer_t value) { return Add(json(value)); }
    bool number_unsigned(json::number_unsigned_t value) { return Add(json(value)); }
    bool number_float(json::number_float_t value, const json::string_t&) {
        return Add(json(value));
    }
    bool string(json::string_t& value) { return Add(json(std::move(value))); }
    bool binary(json::binary_t&) { return Fail(Consumed(), "binary values are not JSON"); }

    bool start_object(std::size_t) { return Open(json::object()); }
    bool end_object() {
        m_Open.pop_back();
        return true;
    }
    bool start_array(std::size_t) { return Open(json::array()); }
    bool end_array() {
        m_Open.pop_back();
        return true;
    }

    bool key(json::string_t& name) {
        if (m_Open.back()->contains(name))
            return Fail(KeyStart(), "member name " + json(name).dump() + " is repeated");
        m_Key = std::move(name);
        return true;
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) {
        // The parser counts the bytes it has read; the byte at fault is the
        // last of them (one past the end when the text ended too soon).
        std::string what = error.what();
        const std::size_t colon = what.find(": ");
        if (colon != std::string::npos)
            what.erase(0, colon + 2);
        // The parser quotes what it read of the current token, which can be a
        // long stretch of device output; the line and column say enough.
        const std::string lastRead = "; last read: '";
        const std::size_t quoted = what.find(lastRead);
        if (quoted != std::string::npos) {
            const std::size_t expected = what.rfind("'; expected ");
            if (expected != std::string::npos && expected >= quoted + lastRead.size())
                what.erase(quoted, expected + 1 - quoted);
            else if (what.back() == '\'')
                what.erase(quoted);
        }
        return Fail(position > 0 ? position - 1 : 0, Utf8Text::Repaired(what));
    }

    std::size_t ErrorOffset() const { return m_ErrorOffset; }
    const std::string& ErrorText() const { return m_ErrorText; }

private:
    bool Add(json value) {
        if (m_Open.empty()) {
            m_Root = std::move(value);
            return true;
        }
        json& container = *m_Open.back();
        if (container.is_array())
            container.push_back(std::move(value));
        else
            container[m_Key] = std::move(value);
        return true;
    }

    bool Open(json empty) {
        if (m_Open.empty()) {
            m_Root = std::move(empty);
            m_Open.push_back(&m_Root);
            return true;
        }
        json& container = *m_Open.back();
        if (container.is_array()) {
            container.push_back(std::move(empty));
            m_Open.push_back(&container.back());
        } else {
            json& slot = container[m_Key];
            slot = std::move(empty);
            m_Open.push_back(&slot);
        }
        return true;
    }

    std::size_t Consumed() const { return static_cast<std::size_t>(*m_Furthest - m_Text.data()); }

    // Offset of the opening quote of the member name just read: the parser
    // has read up to and including its closing quote, and any quote inside
    // the name is escaped.
    std::size_t KeyStart() const {
        std::size_t close = Consumed();
        if (close == 0)
            return 0;
        --close;
        for (std::size_t i = close; i-- > 0;) {
            if (m_Text[i] != '"')
                continue;
            std::size_t backslashes = 0;
            while (backslashes < i && m_Text[i - 1 - backslashes] == '\\')
                ++backslashes;
            if (backslashes % 2 == 0)
                return i;
        }
        return close;
    }

    bool Fail(std::size_t offset, std::string text) {
        m_ErrorOffset = offset;
        m_ErrorText = std::move(text);
        return false;
    }

    std::string_view m_Text;
    const char** m_Furthest;
    json& m_Root;
    std::vector<json*> m_Open;
    std::string m_Key;
    std::size_t m_ErrorOffset = 0;
    std::string m_ErrorText;
};

} // namespace

void StrictJsonReader::Position(std::string_view text, std::size_t offset, std::size_t& line,
                                std::size_t& column) {
    if (offset > text.size())
        offset = text.size();
    line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    column = offset - lineStart + 1;
}

bool StrictJsonReader::Parse(std::string_view text, nlohmann::json& value, std::string& error) {
    value = nullptr;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        error = "line 1, column 1: the text starts with a byte order mark";
        return false;
    }

    const char* furthest = text.data();
    StrictHandler handler(text, &furthest, value);
    const TrackingIterator first(text.data(), &furthest);
    const TrackingIterator last(text.data() + text.size(), &furthest);
    if (nlohmann::json::sax_parse(first, last, &handler))
        return true;

    std::size_t line = 0;
    std::size_t column = 0;
    Position(text, handler.ErrorOffset(), line, column);
    error = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
            handler.ErrorText();
    value = nullptr;
    return false;
}
