// The five parse steps of the router-wide IS-IS service over a link-state
// database of 1,000 and 10,000 LSPs in two level sections (the larger about
// 800 kB). The cost should grow with the database's size, not faster.
#include <benchmark/benchmark.h>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "GeneratedOutputs.h"

namespace {

void BM_ServiceSteps(benchmark::State& state) {
    __Zandemar_Debug_Level = 0;
    const std::vector<std::string> answers =
        generated::ServiceAnswers(static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (const std::string& answer : answers)
        bytes += answer.size();
    CScoutCiscoServiceData collector;
    bool read = false;
    for (auto _ : state) {
        CScoutCiscoService service;
        CScoutCiscoPseudoNodeLSP pseudoNode;
        bool success = false;
        collector.BuildServiceId(answers[0].c_str(), &service, &success);
        collector.BuildNetAddr(answers[1].c_str(), &service, &success);
        collector.BuildHostname(answers[2].c_str(), &service, &success);
        collector.BuildDIS(answers[3].c_str(), &service, &success);
        collector.BuildPseudoNode(answers[4].c_str(), &pseudoNode, &success);
        read = pseudoNode.GetLevelType() == "Level-1 AND Level-2" && service.GetHostName() == "r1";
        benchmark::DoNotOptimize(read);
    }
    if (!read)
        state.SkipWithError("the database did not read as expected");
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ServiceSteps)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
