// The compiled programs of the pattern service, kept for the whole run so
// that an expression built again and again (the per-interface expressions
// are built for every interface of every router, and interface names recur
// across a network) is compiled once. The cache holds at most kCapacity
// programs; when full, the least recently used one goes. A program handed
// out stays valid for as long as its holder keeps it, whether the cache
// still does or not. Internal to the host layer.
//
// Threads: Get may be called from several threads at once. A program is
// never changed once compiled, and RE2 matching is safe from several threads
// at once, so one program may serve every thread.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include <re2/re2.h>

class CZanRegexProgramCache {
public:
    // Programs kept at most: room for the expressions of some three hundred
    // distinct interface names (a few per name) besides the fixed ones. A
    // per-interface program, used, holds some 12 KB, so a full cache holds
    // some 12 MB.
    static constexpr size_t kCapacity = 1024;

    // The program of the expression compiled with those options: the kept
    // one, or a newly compiled one that is kept from then on. Never null; a
    // program whose expression did not compile is kept as well (ok() false).
    static std::shared_ptr<const RE2> Get(const std::string& expression,
                                          const RE2::Options& options);

private:
    CZanRegexProgramCache() = default;

    std::shared_ptr<const RE2> Take(const std::string& expression, const RE2::Options& options);
    // The kept program of the key, made the most recent; or null.
    std::shared_ptr<const RE2> Touch(std::string_view key);

    struct Entry {
        std::string key;
        std::shared_ptr<const RE2> program;
    };

    std::mutex m_Mutex;
    // Most recently used first.
    std::list<Entry> m_Recent;
    // Keys point into the entries of m_Recent, whose nodes never move.
    std::unordered_map<std::string_view, std::list<Entry>::iterator> m_Index;
};
