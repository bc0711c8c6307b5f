// Reading the adjacencies of a large router out of "show clns is-neighbors
// detail": 400 and 4,000 neighbour blocks (the larger about 600 kB). The
// cost should grow with the output's size, not faster.
#include <benchmark/benchmark.h>

#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoConnectivity.h"
#include "GeneratedOutputs.h"

namespace {

void BM_ClnsNeighborParse(benchmark::State& state) {
    const std::string output = generated::ClnsNeighbors(static_cast<int>(state.range(0)));
    generated::Router router({{"show clns is-neighbors detail", output}});
    CScoutCiscoClnsNeighbor collector;
    if (!collector.ObtainData(router.entity.SERecord(), router.requester))
        state.SkipWithError("no output");
    size_t entries = 0;
    for (auto _ : state) {
        ConnectivityMap map;
        collector.ParseData(&map);
        entries = map.size();
        for (auto& entry : map)
            delete entry.second;
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_ClnsNeighborParse)
    ->Arg(400)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
