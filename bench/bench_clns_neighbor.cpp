// Reading the adjacencies of a large router out of
// "show clns is-neighbors detail": 400 and 4,000 neighbour blocks (the
// larger about 600 kB), spread over LAN interfaces with several neighbours
// each, some with NSF lines, some blocks not readable. The cost should grow
// with the output's size, not faster.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoConnectivity.h"
#include "CScoutEntity.h"
#include "CScoutLabDevice.h"
#include "CScoutStdRequester.h"
#include "ZanDebug.h"

namespace {

const char* const kCommand = "show clns is-neighbors detail";
const int kNeighboursPerLan = 8;

std::string Output(int adjacencies) {
    std::string out = "System Id      Interface   State  Type Priority  Circuit Id         "
                      "Format\n";
    char row[256];
    for (int i = 0; i < adjacencies; ++i) {
        int lan = i / kNeighboursPerLan;
        std::snprintf(row, sizeof row,
                      "r%-14d%-12s%-7s%-5s%-10s%-19s%s\n  Area Address(es): 49.%04d\n"
                      "  IP Address(es):  10.%d.%d.%d%s\n  Uptime: 0%d:1%d:2%d\n",
                      i, ("Gi" + std::to_string(lan / 48) + "/" + std::to_string(lan % 48)).c_str(),
                      "Up", i % 3 == 0 ? "L1L2" : "L2", "64/64",
                      ("r" + std::to_string(i) + ".01").c_str(), "Phase V", i % 50, (i >> 16) & 255,
                      (i >> 8) & 255, i & 255,
                      i % 97 == 13 ? "" : "*", // an address without its asterisk
                      i % 10, i % 6, i % 10);
        out += row;
        if (i % 4 == 0)
            out += "  NSF capable\n";
    }
    return out;
}

void BM_ClnsNeighborParse(benchmark::State& state) {
    __Zandemar_Debug_Level = 0;
    const int adjacencies = static_cast<int>(state.range(0));
    const std::string output = Output(adjacencies);

    CScoutLabDevice device;
    device.SLDEnableCommands();
    device.SLDSetCommand(kCommand, output);
    CScoutStdRequester requester;
    requester.SSRAddDevice("R1", &device);
    CScoutEntity entity("R1");
    CScoutCiscoClnsNeighbor collector;
    if (!collector.ObtainData(entity.SERecord(), requester)) {
        state.SkipWithError("no output");
        return;
    }

    size_t entries = 0;
    for (auto _ : state) {
        ConnectivityMap map;
        collector.ParseData(&map);
        entries = map.size();
        for (auto& entry : map)
            delete entry.second;
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["output_bytes"] = static_cast<double>(output.size());
    state.SetComplexityN(adjacencies);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(output.size()));
}

BENCHMARK(BM_ClnsNeighborParse)
    ->Arg(400)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
