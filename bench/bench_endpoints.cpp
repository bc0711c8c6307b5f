// Reading one interface's end point out of the outputs of a router with
// 1,000 interfaces (about 1 MB of "show clns interface"): each collector's
// parse alone and the three together, averaged over interfaces spread
// through the output, in bytes of output per second.
#include <benchmark/benchmark.h>

#include "CScoutCiscoClnsInterface.h"
#include "CScoutCiscoNeighborData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoTransmitInterface.h"
#include "GeneratedOutputs.h"

namespace {

const int kInterfaces = 1000;

void BM_EndPointParse(benchmark::State& state) {
    const std::string outputs[] = {generated::ClnsInterfaces(kInterfaces),
                                   generated::ShowRun(kInterfaces),
                                   generated::IsisNeighbors(kInterfaces)};
    generated::Router router({{"show clns interface", outputs[0]},
                              {"show run", outputs[1]},
                              {"show isis neighbors detail", outputs[2]}});
    CScoutCiscoClnsInterface clns;
    CScoutCiscoTransmitInterface transmit;
    CScoutCiscoNeighborData neighbors;
    CZanRecord& record = router.entity.SERecord();
    clns.ObtainData(record, router.requester);
    transmit.ObtainData(record, router.requester);
    neighbors.ObtainData(record, router.requester);
    // Which parse: 0 CLNS interface, 1 transmit, 2 neighbours, 3 all three.
    const int which = static_cast<int>(state.range(0));
    int next = 0;
    for (auto _ : state) {
        // 21 interfaces spread through the output, the first and last included.
        std::string name = generated::Port((next++ % 21) * (kInterfaces - 1) / 20);
        CScoutCiscoProtocolEndPoint endPoint;
        if (which == 0 || which == 3)
            clns.ParseData(name, &endPoint);
        if (which == 1 || which == 3)
            transmit.ParseData(name, &endPoint);
        if (which == 2 || which == 3)
            neighbors.ParseData(name, &endPoint);
        benchmark::DoNotOptimize(&endPoint);
    }
    size_t bytes = which == 3 ? outputs[0].size() + outputs[1].size() + outputs[2].size()
                              : outputs[which].size();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_EndPointParse)->ArgName("parse")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
