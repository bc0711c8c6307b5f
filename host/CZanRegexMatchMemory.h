// What one thread remembers of its latest steppings. Collectors step the
// same expression over the same output again, once per interface of a
// router; so for a few programs the memory keeps every match of the latest
// text stepped over to its end, and a later stepping of that program over a
// text of the same bytes reads them back instead of searching again. A text
// is recognised by its bytes only, never by where it lies: a buffer
// rewritten in place is another text. Internal to the host layer.
//
// Threads: every thread has a memory of its own (ThisThread), used by that
// thread only. A record never changes once kept and may be read on while the
// memory lets go of it.
#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <re2/re2.h>

class CZanRegexMatchMemory {
public:
    // Every match of one stepping, in order: per match, the bounds of each
    // recorded group as offsets into the text (npos for a group that took no
    // part). The records of all threads together hold at most kBudget bytes.
    struct Record {
        Record() = default;
        Record(const Record&) = delete;
        Record& operator=(const Record&) = delete;
        ~Record();

        std::string text;
        size_t groupCount = 0;
        size_t matchCount = 0;
        std::vector<std::pair<size_t, size_t>> bounds;
        // Bytes charged to the budget.
        size_t charged = 0;
    };

    static constexpr size_t kBudget = size_t{32} << 20;
    // Programs whose latest record a thread keeps.
    static constexpr size_t kEntries = 8;
    // Matches a record holds at most.
    static constexpr size_t kMaxMatches = 65536;

    // The calling thread's memory.
    static CZanRegexMatchMemory& ThisThread();

    // Whether a text of that length is worth recording: a short one costs
    // little to search again, a very long one much memory to keep.
    static bool Worth(size_t length);

    // The record of the program's stepping, with that many groups, over a
    // text of exactly these bytes; or null.
    std::shared_ptr<const Record> Find(const RE2* program, size_t groupCount, const char* text,
                                       size_t length);
    // Keeps the record as the program's latest (for its group count), when
    // it fits the budget.
    void Keep(std::shared_ptr<const RE2> program, std::unique_ptr<Record> record);

private:
    CZanRegexMatchMemory() = default;

    struct Entry {
        // Held so that the program, and so its address, stays while its
        // record is kept.
        std::shared_ptr<const RE2> program;
        std::shared_ptr<const Record> record;
    };
    // Most recently used first.
    std::list<Entry> m_Entries;
};
