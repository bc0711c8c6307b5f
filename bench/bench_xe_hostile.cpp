// The XE profile on hostile answers: 1,000 and 10,000 lines that each almost
// make a neighbour block, an IS-IS router heading or an own LSP row, and never
// do. The cost should grow with the output's size, not faster.
#include <benchmark/benchmark.h>

#include <string>

#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoConnectivity.h"
#include "CScoutCiscoNeighborData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "CScoutQuillonProfile.h"
#include "GeneratedOutputs.h"

namespace {

// Rows that the next line never completes, over and over.
std::string NearMisses(int lines) {
    const char* const kLines[] = {
        "R2_xr           Gi2.115       Up     L1L2 64/64     R1_xe.01           Phase V\n",
        "  Area Address(es): 49.0001 49.0002 49.0003\n",
        "IS-IS Router: VRF1 (0x10001)\n",
        "R3              L1   Et0/2         13.1.1.2        UP    23       Circuit3.01\n",
        "R1.00-00            * 0x000005A8   0xCD13                 489/*         0/0/0\n",
    };
    std::string text = "R1\n";
    for (int i = 0; i < lines; ++i)
        text += kLines[i % 5];
    return text;
}

void BM_XEClnsNeighborsOnNearMisses(benchmark::State& state) {
    const std::string output = NearMisses(static_cast<int>(state.range(0)));
    generated::Router router({{"show clns is-neighbors detail", output}});
    CScoutCiscoClnsNeighbor collector(CScoutQuillonProfile::XE());
    if (!collector.ObtainData(router.entity.SERecord(), router.requester))
        state.SkipWithError("no output");
    for (auto _ : state) {
        ConnectivityMap map;
        collector.ParseData(&map);
        for (auto& entry : map)
            delete entry.second;
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_XEClnsNeighborsOnNearMisses)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_XEIsisNeighborsOnNearMisses(benchmark::State& state) {
    const std::string output = NearMisses(static_cast<int>(state.range(0)));
    generated::Router router({{"show isis neighbors detail", output}});
    CScoutCiscoNeighborData collector(CScoutQuillonProfile::XE());
    if (!collector.ObtainData(router.entity.SERecord(), router.requester))
        state.SkipWithError("no output");
    for (auto _ : state) {
        CScoutCiscoProtocolEndPoint endPoint;
        std::string name = "Ethernet0/2";
        collector.ParseData(name, &endPoint);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_XEIsisNeighborsOnNearMisses)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_XEServiceStepsOnNearMisses(benchmark::State& state) {
    const std::string output = NearMisses(static_cast<int>(state.range(0)));
    CScoutCiscoServiceData collector(CScoutQuillonProfile::XE());
    for (auto _ : state) {
        CScoutCiscoService service;
        service.SetHostName("R1");
        bool success = false;
        collector.BuildServiceId(output.c_str(), &service, &success);
        collector.BuildDIS(output.c_str(), &service, &success);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_XEServiceStepsOnNearMisses)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
