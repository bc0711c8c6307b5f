#include "CScoutPattern.h"

#include <cstring>
#include <utility>

#include <re2/re2.h>

#include "CZanRegexProgramCache.h"
#include "ZanRegexEngine.h"

namespace {

// The shared program of an expression.
std::shared_ptr<const RE2> Program(const std::string& expression) {
    return CZanRegexProgramCache::Get(expression, ZanRegexEngineOptions());
}

// Offsets of the first character of a span and just past its last.
using Span = std::pair<size_t, size_t>;

// The expressions of one pattern, compiled. Shared, never changed, between
// copies; the programs themselves come from the shared cache. The joined expression wraps each
// expression in a group of its own, so that the span of every expression can be read back from a
// match.
struct Compiled {
    explicit Compiled(const std::vector<std::string>& parts) {
        if (parts.empty()) {
            return;
        }
        std::vector<std::string> wrapped;
        int group = 1;
        for (const std::string& part : parts) {
            // Each expression has to stand on its own: "a(" and ")b" do not
            // make a pattern even though their concatenation would compile.
            std::shared_ptr<const RE2> alone = Program(part);
            if (!alone->ok()) {
                Clear();
                return;
            }
            partGroups.push_back(group);
            group += 1 + alone->NumberOfCapturingGroups();
            partEngines.push_back(std::move(alone));
            wrapped.push_back("(" + part + ")");
        }
        std::string tail;
        tails.resize(parts.size());
        for (size_t j = parts.size(); j-- > 0;) {
            tail.insert(0, wrapped[j]);
            tails[j] = Program(tail);
            if (!tails[j]->ok()) {
                Clear();
                return;
            }
        }
        slots = partGroups.back() + 1;
    }

    bool Valid() const { return !tails.empty(); }

    // Finds the leftmost-longest match of the joined expressions at or after
    // offset from, and the span of each expression within it.
    bool Find(const re2::StringPiece& text, size_t from, Span& match,
              std::vector<Span>& spans) const {
        re2::StringPiece found;
        if (!tails[0]->Match(text, from, text.size(), RE2::UNANCHORED, &found, 1)) {
            return false;
        }
        size_t start = static_cast<size_t>(found.data() - text.data());
        size_t end = start + found.size();
        match = {start, end};
        // Each expression in turn takes the longest stretch that leaves the
        // rest of the match to the expressions after it. Reading groups
        // instead costs far more on a long match, so that is only the way
        // out when the longest stretch does not leave a fitting rest.
        spans.clear();
        size_t pos = start;
        for (size_t j = 0; j + 1 < partEngines.size(); ++j) {
            re2::StringPiece piece;
            if (!partEngines[j]->Match(text, pos, end, RE2::ANCHOR_START, &piece, 1)) {
                break;
            }
            size_t cut = pos + piece.size();
            if (!tails[j + 1]->Match(text, cut, end, RE2::ANCHOR_BOTH, nullptr, 0)) {
                break;
            }
            spans.emplace_back(pos, cut);
            pos = cut;
        }
        if (spans.size() + 1 == partEngines.size()) {
            spans.emplace_back(pos, end);
            return true;
        }
        spans.clear();
        std::vector<re2::StringPiece> groups(static_cast<size_t>(slots));
        if (tails[0]->Match(text, start, end, RE2::ANCHOR_BOTH, groups.data(), slots)) {
            for (int group : partGroups) {
                const re2::StringPiece& span = groups[static_cast<size_t>(group)];
                size_t first = static_cast<size_t>(span.data() - text.data());
                spans.emplace_back(first, first + span.size());
            }
        }
        return true;
    }

    void Clear() {
        partEngines.clear();
        tails.clear();
        partGroups.clear();
    }

    // Each expression on its own.
    std::vector<std::shared_ptr<const RE2>> partEngines;
    // tails[j]: the expressions from j on, joined; tails[0] is the pattern.
    std::vector<std::shared_ptr<const RE2>> tails;
    // Group number of each expression in the joined expression.
    std::vector<int> partGroups;
    // Groups to record: everything up to the last expression's own group.
    int slots = 0;
};

// One match of a pattern and, per sub-pattern, the matches found inside it.
struct Hit {
    const char* begin = nullptr;
    const char* end = nullptr;
    std::vector<std::vector<Hit>> subs;
};

// One step of a field path: a name and, when it has one, its index.
struct PathStep {
    std::string name;
    bool indexed = false;
    size_t index = 0;
};

bool ParsePath(const std::string& path, std::vector<PathStep>& steps) {
    size_t pos = 0;
    while (true) {
        PathStep step;
        size_t nameEnd = path.find_first_of(".[]", pos);
        if (nameEnd == std::string::npos) {
            nameEnd = path.size();
        }
        if (nameEnd == pos) {
            return false;
        }
        step.name = path.substr(pos, nameEnd - pos);
        pos = nameEnd;
        if (pos < path.size() && path[pos] == '[') {
            ++pos;
            size_t digits = 0;
            while (pos < path.size() && path[pos] >= '0' && path[pos] <= '9') {
                // Any index beyond this bound is out of range anyway.
                if (step.index < (size_t{1} << 40)) {
                    step.index = step.index * 10 + static_cast<size_t>(path[pos] - '0');
                }
                ++pos;
                ++digits;
            }
            if (digits == 0 || pos >= path.size() || path[pos] != ']') {
                return false;
            }
            ++pos;
            step.indexed = true;
        }
        steps.push_back(std::move(step));
        if (pos == path.size()) {
            return true;
        }
        if (path[pos] != '.') {
            return false;
        }
        ++pos;
        // Every step but the last needs its index.
        if (!steps.back().indexed) {
            return false;
        }
    }
}

} // namespace

// Match records a tree of hits: the pattern's own match and, under it, the
// matches of each sub-pattern, found by searching the text from the start of
// the sub-pattern's expression span on (a sub-pattern listed beyond the last
// expression is never matched). A sub-pattern whose expressions do not
// compile finds nothing; the rest still matches. Copies share the compiled
// expressions and carry their own sub-patterns and results.
//
// A path that ends in an index counts as one match when it addresses one;
// FindField needs such a path.
struct CScoutPattern::Impl {
    std::string name;
    bool repeated = false;
    std::shared_ptr<const Compiled> compiled;
    std::unique_ptr<std::vector<CScoutPattern>> subPatterns;

    // Result of the latest Match: the pattern's own match, when there is one.
    std::vector<Hit> matches;

    Impl(const std::string& patternName, bool isRepeated, const std::vector<std::string>& parts)
        : name(patternName), repeated(isRepeated),
          compiled(std::make_shared<const Compiled>(parts)) {}

    Impl(const Impl& other)
        : name(other.name), repeated(other.repeated), compiled(other.compiled),
          subPatterns(other.subPatterns
                          ? std::make_unique<std::vector<CScoutPattern>>(*other.subPatterns)
                          : nullptr),
          matches(other.matches) {}

    // Follows a field path through the matches of the latest Match. On
    // success, list holds the matches that the last step names and element
    // the one its index picks (null when the step has no index).
    bool Walk(const std::string& path, const std::vector<Hit>*& list, const Hit*& element) const {
        std::vector<PathStep> steps;
        if (!ParsePath(path, steps) || steps.front().name != name) {
            return false;
        }
        const Impl* pattern = this;
        list = &matches;
        element = nullptr;
        for (const PathStep& step : steps) {
            if (element != nullptr) {
                size_t k = pattern->SubPatternNamed(step.name);
                if (k >= element->subs.size()) {
                    return false;
                }
                list = &element->subs[k];
                pattern = (*pattern->subPatterns)[k].m_Impl.get();
            }
            element = nullptr;
            if (step.indexed) {
                if (step.index >= list->size()) {
                    return false;
                }
                element = &(*list)[step.index];
            }
        }
        return true;
    }

    // Position of the first sub-pattern with that name; past the end when
    // there is none.
    size_t SubPatternNamed(const std::string& subName) const {
        size_t k = 0;
        if (subPatterns) {
            while (k < subPatterns->size() && (*subPatterns)[k].Name() != subName) {
                ++k;
            }
        }
        return k;
    }

    // Matches the joined expressions at or after offset from; on success
    // fills the hit's span and the matches of the sub-patterns inside it.
    bool MatchAt(const re2::StringPiece& text, size_t from, Hit& hit) const {
        Span match;
        std::vector<Span> spans;
        if (!compiled->Valid() || !compiled->Find(text, from, match, spans)) {
            return false;
        }
        hit.begin = text.data() + match.first;
        hit.end = text.data() + match.second;
        hit.subs.clear();
        if (!subPatterns) {
            return true;
        }
        hit.subs.resize(subPatterns->size());
        for (size_t part = 0; part < spans.size() && part < subPatterns->size(); ++part) {
            (*subPatterns)[part].m_Impl->MatchInside(text, spans[part], hit.subs[part]);
        }
        return true;
    }

    // Finds this pattern's matches that start inside the span (at its start
    // when it is empty): the first one, or every one from left to right
    // without overlap when the pattern is repeated. A match may run on past
    // the end of the span.
    void MatchInside(const re2::StringPiece& text, const Span& span,
                     std::vector<Hit>& found) const {
        size_t from = span.first;
        while (from <= text.size()) {
            Hit hit;
            if (!MatchAt(text, from, hit)) {
                return;
            }
            size_t start = static_cast<size_t>(hit.begin - text.data());
            size_t stop = static_cast<size_t>(hit.end - text.data());
            bool inside = start < span.second || (span.first == span.second && start == span.first);
            if (!inside) {
                return;
            }
            found.push_back(std::move(hit));
            if (!repeated) {
                return;
            }
            from = stop > start ? stop : stop + 1;
        }
    }
};

CScoutPattern::CScoutPattern(const std::string& name, bool repeated, const std::string& expression)
    : m_Impl(std::make_unique<Impl>(name, repeated, std::vector<std::string>{expression})) {}

CScoutPattern::CScoutPattern(const std::string& name, bool repeated,
                             const std::vector<std::string>& parts)
    : m_Impl(std::make_unique<Impl>(name, repeated, parts)) {}

CScoutPattern::CScoutPattern(const CScoutPattern& other)
    : m_Impl(std::make_unique<Impl>(*other.m_Impl)) {}

CScoutPattern& CScoutPattern::operator=(const CScoutPattern& other) {
    if (this != &other) {
        m_Impl = std::make_unique<Impl>(*other.m_Impl);
    }
    return *this;
}

CScoutPattern::~CScoutPattern() = default;

void CScoutPattern::SetSubPattern(std::vector<CScoutPattern>* subPatterns) {
    m_Impl->subPatterns.reset(subPatterns);
    // Earlier results were laid out for the previous sub-patterns.
    m_Impl->matches.clear();
}

const std::string& CScoutPattern::Name() const {
    return m_Impl->name;
}

bool CScoutPattern::IsValid() const {
    if (!m_Impl->compiled->Valid()) {
        return false;
    }
    if (m_Impl->subPatterns) {
        for (const CScoutPattern& sub : *m_Impl->subPatterns) {
            if (!sub.IsValid()) {
                return false;
            }
        }
    }
    return true;
}

bool CScoutPattern::Match(const char* text) {
    m_Impl->matches.clear();
    if (text == nullptr) {
        return false;
    }
    re2::StringPiece whole(text, std::strlen(text));
    Hit hit;
    if (!m_Impl->MatchAt(whole, 0, hit)) {
        return false;
    }
    m_Impl->matches.push_back(std::move(hit));
    return true;
}

int CScoutPattern::NumberMatches(const std::string& path) const {
    const std::vector<Hit>* list = nullptr;
    const Hit* element = nullptr;
    if (!m_Impl->Walk(path, list, element)) {
        return 0;
    }
    // A path that ends in an index names one match.
    if (element != nullptr) {
        return 1;
    }
    return static_cast<int>(list->size());
}

bool CScoutPattern::FindField(const std::string& path, std::string& out) const {
    const std::vector<Hit>* list = nullptr;
    const Hit* element = nullptr;
    if (!m_Impl->Walk(path, list, element) || element == nullptr) {
        return false;
    }
    out.assign(element->begin, element->end);
    return true;
}
