// One large IS-IS router (K interfaces, 4K adjacencies, K ifDescr rows, 10K
// LSPs) through the agent's four layers, as the host drives it, against a
// lab-backed requester: no process start-up, no lab file reading.
//
// Counters per K:
//   lab_bytes   size of the router's lab file (quillon-labgen K)
//   peak_heap   most heap bytes in use at once during one run, above what
//               was in use before it (every malloc of the process counted)
//   heap_ratio  peak_heap / lab_bytes
//   peak_rss    the process's resident high-water mark over the runs, the
//               router's answers held by the simulated device included
//   commands, local_nbrs, remote_nbrs: what one run did
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../tools/labgen/ScaleLab.h"
#include "CScoutAgent.h"
#include "CScoutEntity.h"
#include "CScoutStdRequester.h"
#include "CZanRegex.h"
#include "LabDevice.h"
#include "ZanDebug.h"

extern "C" CScoutAgent* SAInstantiate();

// Heap accounting. The benchmark replaces the C library's allocation entry
// points with ones that count usable bytes and forward to the library's own,
// so that every allocation of the process (the agent's, the host's, the
// pattern engine's) is seen. Not under a sanitizer, which has its own.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLON_BENCH_NO_HEAP_COUNT 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || !defined(__GLIBC__)
#define QUILLON_BENCH_NO_HEAP_COUNT 1
#endif

namespace {

std::atomic<long long> g_HeapInUse{0};
std::atomic<long long> g_HeapPeak{0};

[[maybe_unused]] void CountIn(void* block) {
    if (block == nullptr)
        return;
    const long long now = g_HeapInUse.fetch_add(static_cast<long long>(malloc_usable_size(block))) +
                          static_cast<long long>(malloc_usable_size(block));
    long long peak = g_HeapPeak.load(std::memory_order_relaxed);
    while (now > peak && !g_HeapPeak.compare_exchange_weak(peak, now)) {
    }
}

[[maybe_unused]] void CountOut(void* block) {
    if (block != nullptr)
        g_HeapInUse.fetch_sub(static_cast<long long>(malloc_usable_size(block)));
}

} // namespace

#if !defined(QUILLON_BENCH_NO_HEAP_COUNT)
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) noexcept {
    void* block = __libc_malloc(size);
    CountIn(block);
    return block;
}

void* calloc(size_t count, size_t size) noexcept {
    void* block = __libc_calloc(count, size);
    CountIn(block);
    return block;
}

void* realloc(void* block, size_t size) noexcept {
    const long long before =
        block != nullptr ? static_cast<long long>(malloc_usable_size(block)) : 0;
    void* moved = __libc_realloc(block, size);
    if (moved != nullptr || size == 0) {
        g_HeapInUse.fetch_sub(before);
        CountIn(moved);
    }
    return moved;
}

void free(void* block) noexcept {
    CountOut(block);
    __libc_free(block);
}

void* memalign(size_t alignment, size_t size) noexcept {
    void* block = __libc_memalign(alignment, size);
    CountIn(block);
    return block;
}

void* aligned_alloc(size_t alignment, size_t size) noexcept {
    return memalign(alignment, size);
}

int posix_memalign(void** result, size_t alignment, size_t size) noexcept {
    void* block = memalign(alignment, size);
    if (block == nullptr)
        return ENOMEM;
    *result = block;
    return 0;
}

void* valloc(size_t size) noexcept {
    return memalign(4096, size);
}

void* pvalloc(size_t size) noexcept {
    return memalign(4096, (size + 4095) / 4096 * 4096);
}
}
#endif

namespace {

// The resident high-water mark of the process in bytes (0 when unknown).
long long PeakRss() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atoll(line.c_str() + 6) * 1024;
    }
    return 0;
}

// Starts the high-water mark over from the current resident size.
void ResetPeakRss() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

struct Outcome {
    bool accepted = false;
    size_t commands = 0;
    size_t errors = 0;
    int local = 0;
    int remote = 0;
};

// Makes the pattern service forget the expressions it compiled for earlier
// runs, so that each run meets the router as a first discovery would.
void ForgetPatterns() {
    static long round = 0;
    ++round;
    for (int i = 0; i < 512; ++i) {
        const std::string expression = "forget-" + std::to_string(round) + "-" + std::to_string(i);
        CZanRegex regex(expression.c_str(), 1);
    }
}

// One entity through the layers, as the host runs it.
Outcome RunRouter(CScoutAgent& agent, const std::string& name) {
    Outcome outcome;
    CScoutEntity entity(name);
    CZanRecord* record = &entity.SERecord();
    entity.SEBegin();
    outcome.accepted = agent.SADoMediationFilter(record) != ZFALSE;
    if (outcome.accepted) {
        agent.SADoMediationLayer(record);
        agent.SADoProcessLayer(record);
        agent.SADoRelationshipLayer(record);
    }
    entity.SEEnd();
    outcome.commands = entity.SEJournal().SEJCommands().size();
    outcome.errors = entity.SEJournal().SEJErrors().size();
    outcome.local = entity.SEProcessedData().SPDLocalNbrCount();
    outcome.remote = entity.SEProcessedData().SPDRemoteNbrCount();
    return outcome;
}

void BM_FourLayers(benchmark::State& state) {
    const int k = static_cast<int>(state.range(0));
    __Zandemar_Debug_Level = 0;

    LabDevice device;
    std::string name;
    size_t labBytes = 0;
    {
        scale_lab::Router router = scale_lab::MakeRouter(k);
        labBytes = scale_lab::LabJson(router).size();
        name = router.name;
        device.SLDEnableCommands();
        for (const auto& [command, output] : router.commands)
            device.SLDSetCommand(command, output);
        std::vector<CScoutSnmpRow> rows;
        for (const auto& [index, value] : router.ifDescr) {
            CScoutSnmpRow row;
            row.hasIndex = true;
            row.index = index;
            row.isString = true;
            row.value = value;
            rows.push_back(row);
        }
        device.SLDSetIfDescr(std::move(rows));
    }
    CScoutStdRequester requester;
    requester.SSRAddDevice(name, &device);
    std::unique_ptr<CScoutAgent> agent(SAInstantiate());
    agent->SASetRequester(&requester);

    Outcome outcome;
    long long peakHeap = 0;
    ResetPeakRss();
    for (auto _ : state) {
        state.PauseTiming();
        ForgetPatterns();
        state.ResumeTiming();
        const long long before = g_HeapInUse.load();
        g_HeapPeak.store(before);
        outcome = RunRouter(*agent, name);
        peakHeap = std::max(peakHeap, g_HeapPeak.load() - before);
    }
    const long long peakRss = PeakRss();
    agent->SASetRequester(nullptr);

    // A run that did not see the whole router measures nothing worth having.
    if (!outcome.accepted || outcome.errors != 0 || outcome.local != k || outcome.remote != 4 * k ||
        outcome.commands != static_cast<size_t>(3 * k + 7)) {
        state.SkipWithError("the router was not discovered whole");
        return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(labBytes));
    state.counters["lab_bytes"] = static_cast<double>(labBytes);
#if !defined(QUILLON_BENCH_NO_HEAP_COUNT)
    state.counters["peak_heap"] = static_cast<double>(peakHeap);
    state.counters["heap_ratio"] = static_cast<double>(peakHeap) / static_cast<double>(labBytes);
#endif
    state.counters["peak_rss"] = static_cast<double>(peakRss);
    state.counters["commands"] = static_cast<double>(outcome.commands);
    state.counters["local_nbrs"] = outcome.local;
    state.counters["remote_nbrs"] = outcome.remote;
}
BENCHMARK(BM_FourLayers)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
