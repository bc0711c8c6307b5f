// The XE profile on hostile answers: 1,000 and 10,000 lines that each almost
// make a neighbour block, an IS-IS router heading or an own LSP row, and never
// do. The cost should grow with the output's size, not faster. The host
// remembers the matches of the last few texts a pattern stepped over, so each
// benchmark cycles through more texts than it remembers, told apart by their
// second line (the collectors skip the first).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "CScoutCiscoClnsNeighbor.h"
#include "CScoutCiscoConnectivity.h"
#include "CScoutCiscoNeighborData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "CScoutQuillonProfile.h"
#include "GeneratedOutputs.h"

namespace {

const int kTexts = 16;

// Rows that the next line never completes, over and over, after two lines of
// the text's own.
std::string NearMisses(int lines, int variant) {
    const char* const kLines[] = {
        "R2_xr           Gi2.115       Up     L1L2 64/64     R1_xe.01           Phase V\n",
        "  Area Address(es): 49.0001 49.0002 49.0003\n",
        "IS-IS Router: VRF1 (0x10001)\n",
        "R3              L1   Et0/2         13.1.1.2        UP    23       Circuit3.01\n",
        "R1.00-00            * 0x000005A8   0xCD13                 489/*         0/0/0\n",
    };
    std::string text = "R1#\n! text " + std::to_string(variant) + "\n";
    for (int i = 0; i < lines; ++i)
        text += kLines[i % 5];
    return text;
}

// One XE collector per text, each holding its router's answer to `command`.
template <typename Collector> struct Collectors {
    Collectors(const char* command, int lines) {
        for (int i = 0; i < kTexts; ++i) {
            const std::string output = NearMisses(lines, i);
            bytes = output.size();
            generated::Router router({{command, output}});
            all.push_back(std::make_unique<Collector>(CScoutQuillonProfile::XE()));
            obtained = all.back()->ObtainData(router.entity.SERecord(), router.requester) &&
                       (i == 0 || obtained);
        }
    }
    std::vector<std::unique_ptr<Collector>> all;
    size_t bytes = 0;
    bool obtained = false;
};

void BM_XEClnsNeighborsOnNearMisses(benchmark::State& state) {
    Collectors<CScoutCiscoClnsNeighbor> collectors("show clns is-neighbors detail",
                                                   static_cast<int>(state.range(0)));
    if (!collectors.obtained)
        state.SkipWithError("no output");
    int turn = 0;
    for (auto _ : state) {
        ConnectivityMap map;
        collectors.all[turn++ % kTexts]->ParseData(&map);
        for (auto& entry : map)
            delete entry.second;
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * collectors.bytes));
}
BENCHMARK(BM_XEClnsNeighborsOnNearMisses)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_XEIsisNeighborsOnNearMisses(benchmark::State& state) {
    Collectors<CScoutCiscoNeighborData> collectors("show isis neighbors detail",
                                                   static_cast<int>(state.range(0)));
    if (!collectors.obtained)
        state.SkipWithError("no output");
    int turn = 0;
    for (auto _ : state) {
        CScoutCiscoProtocolEndPoint endPoint;
        std::string name = "Ethernet0/2";
        collectors.all[turn++ % kTexts]->ParseData(name, &endPoint);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * collectors.bytes));
}
BENCHMARK(BM_XEIsisNeighborsOnNearMisses)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_XEServiceStepsOnNearMisses(benchmark::State& state) {
    std::vector<std::string> outputs;
    for (int i = 0; i < kTexts; ++i)
        outputs.push_back(NearMisses(static_cast<int>(state.range(0)), i));
    CScoutCiscoServiceData collector(CScoutQuillonProfile::XE());
    int turn = 0;
    for (auto _ : state) {
        const std::string& text = outputs[turn++ % kTexts];
        CScoutCiscoService service;
        service.SetHostName("R1");
        bool success = false;
        collector.BuildServiceId(text.c_str(), &service, &success);
        collector.BuildDIS(text.c_str(), &service, &success);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * outputs[0].size()));
}
BENCHMARK(BM_XEServiceStepsOnNearMisses)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
