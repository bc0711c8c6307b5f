#include "CZanRegex.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include <re2/re2.h>

#include "ZanRegexEngine.h"

namespace {

RE2::Options EngineOptions() {
    return ZanRegexEngineOptions();
}

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

// Bytes that the kept matches of all engines may hold together.
constexpr size_t kRecordBudget = size_t{32} << 20;

// One compiled expression. An expression compiled a second time is kept in
// the cache below, and every CZanRegex of it shares that engine while the
// cache holds it.
//
// Collectors build the same expression again for each interface and step it
// over the same output again; so a kept engine also keeps the matches of the
// latest text it was stepped over to the end, and a later stepping over a
// text of the same bytes reads them back instead of searching again. An
// expression built once (one that holds an interface name, say) costs the
// cache nothing.
struct Engine {
    Engine(const std::string& text, bool isKept)
        : expression(text), re(re2::StringPiece(text), EngineOptions()), kept(isKept),
          prefix(re.ok() ? RequiredPrefix(text) : std::string()) {}

    // Every match of one stepping, in order: per match, the bounds of each
    // recorded group as offsets into the text (npos for a group that took no
    // part). Kept records together hold at most kRecordBudget bytes.
    struct StepRecord {
        StepRecord() = default;
        StepRecord(const StepRecord&) = delete;
        StepRecord& operator=(const StepRecord&) = delete;
        ~StepRecord() { KeptBytes().fetch_sub(charged); }

        size_t Size() const {
            return text.size() + bounds.size() * sizeof(std::pair<size_t, size_t>);
        }
        // Charges the record's size to the budget; false when it does not fit.
        bool Charge() {
            const size_t size = Size();
            size_t kept = KeptBytes().load();
            do {
                if (kept + size > kRecordBudget) {
                    return false;
                }
            } while (!KeptBytes().compare_exchange_weak(kept, kept + size));
            charged = size;
            return true;
        }

        std::string text;
        size_t groupCount = 0;
        size_t matchCount = 0;
        std::vector<std::pair<size_t, size_t>> bounds;
        size_t charged = 0;
    };

    static std::atomic<size_t>& KeptBytes() {
        static std::atomic<size_t> bytes{0};
        return bytes;
    }

    // The record of a text of these bytes stepped with that many groups, or
    // null.
    std::shared_ptr<const StepRecord> Find(const char* text, size_t length,
                                           size_t groupCount) const {
        std::shared_ptr<const StepRecord> found;
        {
            std::lock_guard<std::mutex> lock(mutex);
            found = record;
        }
        if (found == nullptr || found->groupCount != groupCount || found->text.size() != length ||
            std::memcmp(found->text.data(), text, length) != 0) {
            return nullptr;
        }
        return found;
    }

    void Keep(std::shared_ptr<const StepRecord> latest) {
        std::lock_guard<std::mutex> lock(mutex);
        record = std::move(latest);
    }

    const std::string expression;
    const RE2 re;
    // Whether the cache keeps the engine (and so whether it records matches).
    const bool kept;
    // Bytes every match starts with (empty when none are known).
    const std::string prefix;

private:
    mutable std::mutex mutex;
    std::shared_ptr<const StepRecord> record;
};

// The engines of the expressions compiled more than once, most recently used
// first, and a memory of the expressions compiled lately.
class EngineCache {
public:
    static std::shared_ptr<Engine> Get(const char* expression) {
        static EngineCache cache;
        return cache.Take(expression);
    }

private:
    static constexpr size_t kCapacity = 16;
    static constexpr size_t kRemembered = 256;

    std::shared_ptr<Engine> Take(const char* expression) {
        const std::string key(expression);
        bool keep = false;
        {
            std::lock_guard<std::mutex> lock(m_Mutex);
            if (std::shared_ptr<Engine> held = Touch(key)) {
                return held;
            }
            keep = SeenBefore(key);
        }
        // Compiled outside the lock; should another thread have added the
        // same expression meanwhile, its engine is the one kept.
        auto engine = std::make_shared<Engine>(key, keep);
        if (!keep) {
            return engine;
        }
        std::lock_guard<std::mutex> lock(m_Mutex);
        if (std::shared_ptr<Engine> held = Touch(key)) {
            return held;
        }
        m_Recent.push_front(engine);
        m_Index.emplace(key, m_Recent.begin());
        if (m_Recent.size() > kCapacity) {
            m_Index.erase(m_Recent.back()->expression);
            m_Recent.pop_back();
        }
        return engine;
    }

    // The engine kept for the expression, made the most recent; or null.
    std::shared_ptr<Engine> Touch(const std::string& key) {
        auto found = m_Index.find(key);
        if (found == m_Index.end()) {
            return nullptr;
        }
        m_Recent.splice(m_Recent.begin(), m_Recent, found->second);
        return *found->second;
    }

    // Whether the expression was compiled lately; notes it when not. Only
    // digests are remembered: a collision merely keeps an engine.
    bool SeenBefore(const std::string& key) {
        const size_t digest = std::hash<std::string>()(key);
        if (m_Seen.count(digest) != 0) {
            return true;
        }
        if (m_SeenOrder.size() == kRemembered) {
            m_Seen.erase(m_SeenOrder.front());
            m_SeenOrder.pop_front();
        }
        m_Seen.insert(digest);
        m_SeenOrder.push_back(digest);
        return false;
    }

    std::mutex m_Mutex;
    std::list<std::shared_ptr<Engine>> m_Recent;
    std::unordered_map<std::string, std::list<std::shared_ptr<Engine>>::iterator> m_Index;
    std::unordered_set<size_t> m_Seen;
    std::deque<size_t> m_SeenOrder;
};

// Texts whose matches an engine records: shorter ones cost little to search
// again, and very long ones, or ones with very many matches, would cost much
// memory to keep.
constexpr size_t kMinRecordedText = 4096;
constexpr size_t kMaxRecordedText = size_t{16} << 20;
constexpr size_t kMaxRecordedMatches = 65536;
// Places tried anchored before a search goes on unanchored.
constexpr int kAnchoredAttempts = 8;

} // namespace

// The text handed to ZRStep is remembered by its address only: its length is
// measured once, and every later step over the same address continues where
// the previous match ended. ZRMatches keeps its own bounds and leaves the
// stepping position alone.
struct CZanRegex::Impl {
    Impl(const char* expression, int slots) {
        if (expression != nullptr) {
            engine = EngineCache::Get(expression);
            compiled = engine->re.ok();
        }
        int wanted = std::max(slots, 1);
        int available = compiled ? engine->re.NumberOfCapturingGroups() + 1 : 1;
        groups.resize(static_cast<size_t>(std::min(wanted, available)));
    }

    std::shared_ptr<Engine> engine;
    bool compiled = false;
    // Bounds of every recorded group of the latest step.
    std::vector<re2::StringPiece> groups;
    bool stepMatched = false;
    const char* stepText = nullptr;
    size_t stepLength = 0;
    // Offset the next step searches from; beyond stepLength once the text is
    // exhausted.
    size_t nextOffset = 0;
    // Stepping from the engine's record of the same text: the record and the
    // next match to read from it.
    std::shared_ptr<const Engine::StepRecord> replay;
    size_t replayNext = 0;
    // The matches of the current text so far, for the engine to keep once
    // the text is exhausted.
    std::unique_ptr<Engine::StepRecord> recording;

    const char* exprStart = nullptr;
    const char* exprEnd = nullptr;

    // Starts stepping over a new text.
    void Begin(const char* text) {
        stepText = text;
        stepLength = std::strlen(text);
        nextOffset = 0;
        recording.reset();
        replayNext = 0;
        replay = engine->Find(text, stepLength, groups.size());
        if (replay == nullptr && engine->kept && stepLength >= kMinRecordedText &&
            stepLength <= kMaxRecordedText) {
            recording = std::make_unique<Engine::StepRecord>();
            recording->groupCount = groups.size();
        }
    }

    // Finds the leftmost-longest match at or after nextOffset, its groups in
    // `groups`.
    //
    // An unanchored search needs a backward pass (and its compilation) to
    // find where a match starts; an anchored one does not. So where a match
    // can start is found first when that is cheap: every match starts with
    // the engine's prefix, so only where the prefix occurs, in order; and a
    // match that starts right at nextOffset is the leftmost one. After a few
    // places that do not start a match the search goes on unanchored, past
    // them, so that text with many false starts costs no more than a few
    // extra passes.
    bool Search() {
        const RE2& re = engine->re;
        const re2::StringPiece whole(stepText, stepLength);
        re2::StringPiece* found = groups.data();
        const int count = static_cast<int>(groups.size());
        size_t from = nextOffset;
        const std::string& prefix = engine->prefix;
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
        if (recording->matchCount == kMaxRecordedMatches) {
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

    // The text has no further match: the engine keeps what was found.
    void Exhausted() {
        if (recording == nullptr) {
            return;
        }
        recording->text.assign(stepText, stepLength);
        if (recording->Charge()) {
            engine->Keep(std::move(recording));
        }
        recording.reset();
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
        impl.stepText = nullptr;
        impl.replay.reset();
        impl.recording.reset();
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
    if (!impl.engine->re.Match(whole, 0, whole.size(), RE2::UNANCHORED, &found, 1)) {
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
