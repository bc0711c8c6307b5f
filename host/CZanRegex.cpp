#include "CZanRegex.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <re2/re2.h>

#include "CZanRegexMatchMemory.h"
#include "CZanRegexProgramCache.h"
#include "ZanRegexEngine.h"

namespace {

// Where the bracket expression that opens at `open` ends (just past its
// closing bracket), or npos when it does not end.
size_t BracketEnd(const std::string& expression, size_t open) {
    const size_t size = expression.size();
    size_t i = open + 1;
    if (i < size && expression[i] == '^') {
        ++i;
    }
    if (i < size && expression[i] == ']') {
        ++i;
    }
    while (i < size) {
        const char c = expression[i];
        if (c == '\\') {
            i += 2;
        } else if (c == '[' && i + 1 < size &&
                   (expression[i + 1] == ':' || expression[i + 1] == '.' ||
                    expression[i + 1] == '=')) {
            const char closing[] = {expression[i + 1], ']', '\0'};
            const size_t found = expression.find(closing, i + 2);
            if (found == std::string::npos) {
                return std::string::npos;
            }
            i = found + 2;
        } else if (c == ']') {
            return i + 1;
        } else {
            ++i;
        }
    }
    return std::string::npos;
}

// Whether the expression may hold an alternative at its top level (it
// surely does not when this is false).
bool MayAlternate(const std::string& expression) {
    int depth = 0;
    for (size_t i = 0; i < expression.size();) {
        const char c = expression[i];
        if (c == '\\') {
            i += 2;
        } else if (c == '[') {
            i = BracketEnd(expression, i);
            if (i == std::string::npos) {
                return true;
            }
        } else {
            if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (--depth < 0) {
                    return true;
                }
            } else if (c == '|' && depth == 0) {
                return true;
            }
            ++i;
        }
    }
    return false;
}

// Bytes that every match of the expression starts with, or an empty string:
// the literal it starts with as written, up to its first byte with a meaning
// of its own, less the last one when a repetition follows it; none when an
// alternative at the top level could start otherwise.
std::string RequiredPrefix(const std::string& expression) {
    static const char kSpecial[] = "\\.[]()*+?{}|^$";
    size_t literal = 0;
    while (literal < expression.size() && std::strchr(kSpecial, expression[literal]) == nullptr) {
        ++literal;
    }
    if (literal > 0 && literal < expression.size() &&
        std::strchr("*+?{", expression[literal]) != nullptr) {
        --literal;
    }
    if (literal == 0 || MayAlternate(expression)) {
        return std::string();
    }
    return expression.substr(0, literal);
}

// Places tried anchored before a search goes on unanchored.
constexpr int kAnchoredAttempts = 8;

} // namespace

// Stepping state: the text handed to ZRStep is recognised by its address
// (its length is measured once, when stepping starts on it), and every later
// step over the same address continues where the previous match ended, until
// ZRRestart or another address starts over. Only the thread's match memory
// is consulted across objects, and it compares bytes, not addresses.
// ZRMatches keeps its own bounds and leaves the stepping position alone.
struct CZanRegex::Impl {
    Impl(const char* expression, int slots) {
        if (expression != nullptr) {
            program = CZanRegexProgramCache::Get(expression, ZanRegexEngineOptions());
            compiled = program->ok();
            if (compiled)
                prefix = RequiredPrefix(expression);
        }
        int wanted = std::max(slots, 1);
        int available = compiled ? program->NumberOfCapturingGroups() + 1 : 1;
        groups.resize(static_cast<size_t>(std::min(wanted, available)));
    }

    std::shared_ptr<const RE2> program;
    bool compiled = false;
    // Bytes every match starts with (empty when none are known).
    std::string prefix;
    // Bounds of every recorded group of the latest step.
    std::vector<re2::StringPiece> groups;
    bool stepMatched = false;
    const char* stepText = nullptr;
    size_t stepLength = 0;
    // Offset the next step searches from; beyond stepLength once the text is
    // exhausted.
    size_t nextOffset = 0;
    // Stepping from the memory's record of the same bytes: the record and
    // the next match to read from it.
    std::shared_ptr<const CZanRegexMatchMemory::Record> replay;
    size_t replayNext = 0;
    // The matches of the current text so far, for the memory to keep once
    // the text is exhausted.
    std::unique_ptr<CZanRegexMatchMemory::Record> recording;

    const char* exprStart = nullptr;
    const char* exprEnd = nullptr;

    // Forgets the text stepped over so far.
    void Forget() {
        stepMatched = false;
        stepText = nullptr;
        stepLength = 0;
        nextOffset = 0;
        replay.reset();
        replayNext = 0;
        recording.reset();
    }

    // Starts stepping over a new text.
    void Begin(const char* text) {
        Forget();
        stepText = text;
        stepLength = std::strlen(text);
        CZanRegexMatchMemory& memory = CZanRegexMatchMemory::ThisThread();
        replay = memory.Find(program.get(), groups.size(), text, stepLength);
        if (replay == nullptr && CZanRegexMatchMemory::Worth(stepLength)) {
            recording = std::make_unique<CZanRegexMatchMemory::Record>();
            recording->groupCount = groups.size();
        }
    }

    // Finds the leftmost-longest match at or after nextOffset, its groups in
    // `groups`.
    //
    // An unanchored search needs a backward pass (and its compilation) to
    // find where a match starts; an anchored one does not. So where a match
    // can start is found first when that is cheap: every match starts with
    // the prefix, so only where the prefix occurs, in order; and a match
    // that starts right at nextOffset is the leftmost one. After a few places
    // that do not start a match the search goes on unanchored, past them, so
    // that text with many false starts costs no more than a few extra passes.
    bool Search() {
        const RE2& re = *program;
        const re2::StringPiece whole(stepText, stepLength);
        re2::StringPiece* found = groups.data();
        const int count = static_cast<int>(groups.size());
        size_t from = nextOffset;
        for (int attempt = 0; attempt < kAnchoredAttempts; ++attempt) {
            size_t at = from;
            if (!prefix.empty()) {
                const void* hit =
                    memmem(stepText + from, stepLength - from, prefix.data(), prefix.size());
                if (hit == nullptr) {
                    return false;
                }
                at = static_cast<size_t>(static_cast<const char*>(hit) - stepText);
            }
            if (re.Match(whole, at, stepLength, RE2::ANCHOR_START, found, count)) {
                return true;
            }
            if (prefix.empty() || at == stepLength) {
                // Without a prefix only the first place is worth a try.
                from = at;
                break;
            }
            from = at + 1;
        }
        return re.Match(whole, from, stepLength, RE2::UNANCHORED, found, count);
    }

    // The next match from the record.
    int Replay() {
        if (replayNext >= replay->matchCount) {
            return 0;
        }
        const size_t first = replayNext * replay->groupCount;
        for (size_t g = 0; g < groups.size(); ++g) {
            const std::pair<size_t, size_t>& bounds = replay->bounds[first + g];
            groups[g] =
                bounds.first == std::string::npos
                    ? re2::StringPiece()
                    : re2::StringPiece(stepText + bounds.first, bounds.second - bounds.first);
        }
        ++replayNext;
        stepMatched = true;
        return 1;
    }

    // Notes the match just found.
    void Record() {
        if (recording == nullptr) {
            return;
        }
        if (recording->matchCount == CZanRegexMatchMemory::kMaxMatches) {
            recording.reset();
            return;
        }
        for (const re2::StringPiece& group : groups) {
            if (group.data() == nullptr) {
                recording->bounds.emplace_back(std::string::npos, std::string::npos);
            } else {
                const size_t start = static_cast<size_t>(group.data() - stepText);
                recording->bounds.emplace_back(start, start + group.size());
            }
        }
        ++recording->matchCount;
    }

    // The text has no further match: the memory keeps what was found.
    void Exhausted() {
        if (recording == nullptr) {
            return;
        }
        recording->text.assign(stepText, stepLength);
        CZanRegexMatchMemory::ThisThread().Keep(program, std::move(recording));
    }
};

CZanRegex::CZanRegex(const char* expression, int slots)
    : m_Impl(std::make_unique<Impl>(expression, slots)) {}

CZanRegex::~CZanRegex() = default;

__boolean CZanRegex::ZRCompiledCorrectly() const {
    return m_Impl->compiled ? ZTRUE : ZFALSE;
}

int CZanRegex::ZRStep(const char* text) {
    Impl& impl = *m_Impl;
    impl.stepMatched = false;
    if (!impl.compiled || text == nullptr) {
        impl.Forget();
        return 0;
    }
    if (text != impl.stepText) {
        impl.Begin(text);
    }
    if (impl.replay != nullptr) {
        return impl.Replay();
    }
    if (impl.nextOffset > impl.stepLength) {
        return 0;
    }
    if (!impl.Search()) {
        impl.nextOffset = impl.stepLength + 1;
        impl.Exhausted();
        return 0;
    }
    size_t start = static_cast<size_t>(impl.groups[0].data() - text);
    size_t end = start + impl.groups[0].size();
    // An empty match must not be found again: move one byte on.
    impl.nextOffset = end == start ? end + 1 : end;
    impl.stepMatched = true;
    impl.Record();
    return 1;
}

void CZanRegex::ZRRestart() {
    m_Impl->Forget();
}

const char* CZanRegex::SubExprStart(int group) const {
    const Impl& impl = *m_Impl;
    if (!impl.stepMatched || group < 0 || static_cast<size_t>(group) >= impl.groups.size()) {
        return nullptr;
    }
    return impl.groups[static_cast<size_t>(group)].data();
}

const char* CZanRegex::SubExprEnd(int group) const {
    const char* start = SubExprStart(group);
    if (start == nullptr) {
        return nullptr;
    }
    return start + m_Impl->groups[static_cast<size_t>(group)].size();
}

__boolean CZanRegex::ZRMatches(const char* text) {
    Impl& impl = *m_Impl;
    impl.exprStart = nullptr;
    impl.exprEnd = nullptr;
    if (!impl.compiled || text == nullptr) {
        return ZFALSE;
    }
    re2::StringPiece whole(text, std::strlen(text));
    re2::StringPiece found;
    if (!impl.program->Match(whole, 0, whole.size(), RE2::UNANCHORED, &found, 1)) {
        return ZFALSE;
    }
    impl.exprStart = found.data();
    impl.exprEnd = found.data() + found.size();
    return ZTRUE;
}

const char* CZanRegex::ZRExprStart() const {
    return m_Impl->exprStart;
}

const char* CZanRegex::ZRExprEnd() const {
    return m_Impl->exprEnd;
}
