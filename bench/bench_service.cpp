// The router-wide IS-IS service of a large router: the five parse steps over
// a link-state database of 1,000 and 10,000 LSPs in two level sections (the
// larger about 800 kB), a tenth of them the router's own, and the whole
// batch through the requester. The cost should grow with the database's
// size, not faster.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "CScoutCiscoPseudoNodeLSP.h"
#include "CScoutCiscoService.h"
#include "CScoutCiscoServiceData.h"
#include "CScoutEntity.h"
#include "CScoutLabDevice.h"
#include "CScoutMediationData.h"
#include "CScoutStdRequester.h"
#include "ZanDebug.h"

namespace {

struct Answers {
    std::string protocol;
    std::string clns;
    std::string hostname;
    std::string ownLsps; // "show isis database | include \*"
    std::string database;

    size_t Size() const {
        return protocol.size() + clns.size() + hostname.size() + ownLsps.size() + database.size();
    }
};

std::string Row(const std::string& id, bool own, int i) {
    char row[160];
    std::snprintf(row, sizeof row, "%-20s%s0x%08X   0x%04X        %-18d0/0/%d\n", id.c_str(),
                  own ? "* " : "  ", i + 1, (i * 7919) & 0xFFFF, 400 + i % 800, i % 13 == 0);
    return row;
}

std::string Section(const char* level, int lsps, int first, std::string& ownLsps) {
    std::string text = std::string("IS-IS ") + level + " Link State Database:\n" +
                       "LSPID                 LSP Seq Num  LSP Checksum  LSP Holdtime      "
                       "ATT/P/OL\n";
    for (int i = 0; i < lsps; ++i) {
        int n = first + i;
        // Every tenth LSP is one of the router's own fragments; the section
        // begins with its own pseudo-node LSP.
        bool own = i % 10 == 0;
        char id[32];
        if (i == 0)
            std::snprintf(id, sizeof id, "r1.01-00");
        else if (own)
            std::snprintf(id, sizeof id, "r1.00-%02x", (i / 10) % 256);
        else
            std::snprintf(id, sizeof id, "r%d.00-00", n + 2);
        std::string row = Row(id, own, n);
        text += row;
        if (own)
            ownLsps += row;
    }
    return text;
}

Answers Make(int lsps) {
    Answers a;
    a.protocol = "IS-IS Router: <Null Tag>\n"
                 "  System Id: 1921.6800.1001.00  IS-Type: level-1-2\n"
                 "  Manual area address(es): \n        49.0001\n"
                 "  Routing for area address(es): \n        49.0001\n"
                 "  Interfaces supported by IS-IS:\n        Ethernet0/0 - IP\n";
    a.clns = "Global CLNS Information:\n  2 Interfaces Enabled for CLNS\n"
             "  NET: 49.0001.1921.6800.1001.00\n";
    a.hostname = "     * 1921.6800.1001 r1\n";
    a.database = "\n" + Section("Level-1", lsps / 2, 0, a.ownLsps) + "\n" +
                 Section("Level-2", lsps - lsps / 2, lsps / 2, a.ownLsps);
    return a;
}

void BM_ServiceSteps(benchmark::State& state) {
    __Zandemar_Debug_Level = 0;
    const int lsps = static_cast<int>(state.range(0));
    const Answers answers = Make(lsps);
    CScoutCiscoServiceData collector;
    bool read = false;
    for (auto _ : state) {
        CScoutCiscoService service;
        CScoutCiscoPseudoNodeLSP pseudoNode;
        bool success = false;
        collector.BuildServiceId(answers.protocol.c_str(), &service, &success);
        collector.BuildNetAddr(answers.clns.c_str(), &service, &success);
        collector.BuildHostname(answers.hostname.c_str(), &service, &success);
        collector.BuildDIS(answers.ownLsps.c_str(), &service, &success);
        collector.BuildPseudoNode(answers.database.c_str(), &pseudoNode, &success);
        read = pseudoNode.GetLevelType() == "Level-1 AND Level-2" && service.GetHostName() == "r1";
        benchmark::DoNotOptimize(read);
    }
    state.counters["output_bytes"] = static_cast<double>(answers.Size());
    if (!read)
        state.SkipWithError("the database did not read as expected");
    state.SetComplexityN(lsps);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(answers.Size()));
}

BENCHMARK(BM_ServiceSteps)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The same through the requester: the batch, the copies of the answers, and
// the objects stored and taken out of the mediation data again.
void BM_ServiceObtainData(benchmark::State& state) {
    __Zandemar_Debug_Level = 0;
    const int lsps = static_cast<int>(state.range(0));
    const Answers answers = Make(lsps);
    CScoutLabDevice device;
    device.SLDEnableCommands();
    device.SLDSetCommand("show clns protocol", answers.protocol);
    device.SLDSetCommand("show clns", answers.clns);
    device.SLDSetCommand("show isis hostname | include \\*", answers.hostname);
    device.SLDSetCommand("show isis database | include \\*", answers.ownLsps);
    device.SLDSetCommand("show isis database", answers.database);
    CScoutStdRequester requester;
    requester.SSRAddDevice("R1", &device);

    for (auto _ : state) {
        CScoutEntity entity("R1");
        bool result = false;
        {
            CScoutCiscoServiceData collector;
            result = collector.ObtainData(entity.SERecord(), requester, entity.SEMediationData());
        }
        benchmark::DoNotOptimize(result);
        delete static_cast<CScoutCiscoService*>(
            entity.SEMediationData().SMDRemoveDataPtr("isisService"));
        delete static_cast<CScoutCiscoPseudoNodeLSP*>(
            entity.SEMediationData().SMDRemoveDataPtr("isisPseudoNodeLSP"));
    }
    state.SetComplexityN(lsps);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(answers.Size()));
}

BENCHMARK(BM_ServiceObtainData)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
