#include "CZanRegexMatchMemory.h"

#include <atomic>
#include <cstring>

namespace {

constexpr size_t kMinText = 4096;
constexpr size_t kMaxText = size_t{16} << 20;

// Bytes the records of all threads hold together.
std::atomic<size_t> g_KeptBytes{0};

size_t SizeOf(const CZanRegexMatchMemory::Record& record) {
    return record.text.size() + record.bounds.size() * sizeof(record.bounds[0]);
}

// Charges the record's size to the budget; false when it does not fit.
bool Charge(CZanRegexMatchMemory::Record& record) {
    const size_t size = SizeOf(record);
    size_t kept = g_KeptBytes.load();
    do {
        if (kept + size > CZanRegexMatchMemory::kBudget)
            return false;
    } while (!g_KeptBytes.compare_exchange_weak(kept, kept + size));
    record.charged = size;
    return true;
}

} // namespace

CZanRegexMatchMemory::Record::~Record() {
    g_KeptBytes.fetch_sub(charged);
}

CZanRegexMatchMemory& CZanRegexMatchMemory::ThisThread() {
    static thread_local CZanRegexMatchMemory memory;
    return memory;
}

bool CZanRegexMatchMemory::Worth(size_t length) {
    return length >= kMinText && length <= kMaxText;
}

std::shared_ptr<const CZanRegexMatchMemory::Record>
CZanRegexMatchMemory::Find(const RE2* program, size_t groupCount, const char* text, size_t length) {
    for (auto entry = m_Entries.begin(); entry != m_Entries.end(); ++entry) {
        const Record& record = *entry->record;
        if (entry->program.get() != program || record.groupCount != groupCount)
            continue;
        if (record.text.size() != length || std::memcmp(record.text.data(), text, length) != 0)
            return nullptr;
        m_Entries.splice(m_Entries.begin(), m_Entries, entry);
        return entry->record;
    }
    return nullptr;
}

void CZanRegexMatchMemory::Keep(std::shared_ptr<const RE2> program,
                                std::unique_ptr<Record> record) {
    for (auto entry = m_Entries.begin(); entry != m_Entries.end(); ++entry) {
        if (entry->program == program && entry->record->groupCount == record->groupCount) {
            m_Entries.erase(entry);
            break;
        }
    }
    if (m_Entries.size() >= kEntries)
        m_Entries.pop_back();
    // Older records of this thread make room, should the budget be short.
    while (!Charge(*record)) {
        if (m_Entries.empty())
            return;
        m_Entries.pop_back();
    }
    m_Entries.push_front(Entry{std::move(program), std::move(record)});
}
