#include "CZanRegexProgramCache.h"

#include <utility>

namespace {

// The key of an expression under a set of options: every option that
// changes what the program does, then the expression. The option part has a
// fixed shape and ends at the first '|'.
std::string KeyOf(const std::string& expression, const RE2::Options& options) {
    std::string key;
    key.reserve(expression.size() + 40);
    for (bool flag :
         {options.posix_syntax(), options.longest_match(), options.literal(), options.never_nl(),
          options.dot_nl(), options.never_capture(), options.case_sensitive(),
          options.perl_classes(), options.word_boundary(), options.one_line()}) {
        key += flag ? '1' : '0';
    }
    key += options.encoding() == RE2::Options::EncodingLatin1 ? 'L' : 'U';
    key += std::to_string(options.max_mem());
    key += '|';
    key += expression;
    return key;
}

} // namespace

std::shared_ptr<const RE2> CZanRegexProgramCache::Get(const std::string& expression,
                                                      const RE2::Options& options) {
    static CZanRegexProgramCache cache;
    return cache.Take(expression, options);
}

std::shared_ptr<const RE2> CZanRegexProgramCache::Take(const std::string& expression,
                                                       const RE2::Options& options) {
    std::string key = KeyOf(expression, options);
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        if (std::shared_ptr<const RE2> kept = Touch(key))
            return kept;
    }
    // Compiled outside the lock, so that other threads are not held up;
    // should another thread have kept the same expression meanwhile, its
    // program is the one used.
    auto program = std::make_shared<const RE2>(re2::StringPiece(expression), options);
    // Declared before the lock, so that a program that has to go is freed
    // once the lock is released.
    std::shared_ptr<const RE2> dropped;
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (std::shared_ptr<const RE2> kept = Touch(key))
        return kept;
    m_Recent.push_front(Entry{std::move(key), program});
    m_Index.emplace(m_Recent.front().key, m_Recent.begin());
    if (m_Recent.size() > kCapacity) {
        m_Index.erase(m_Recent.back().key);
        dropped = std::move(m_Recent.back().program);
        m_Recent.pop_back();
    }
    return program;
}

std::shared_ptr<const RE2> CZanRegexProgramCache::Touch(std::string_view key) {
    auto found = m_Index.find(key);
    if (found == m_Index.end())
        return nullptr;
    m_Recent.splice(m_Recent.begin(), m_Recent, found->second);
    return found->second->program;
}
