// The pattern service over large outputs: stepping a multi-line section
// expression and a one-word expression through outputs of 64 KB to 4 MB, and
// the interface list block over lists of 100 to 30,000 entries. Time per byte
// should stay flat as the output grows.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CScoutPattern.h"
#include "CZanRegex.h"

namespace {

const char* const kSection = "Ethernet0 is up, line protocol is up\n"
                             "  Checksums enabled, MTU 1497, Encapsulation SAP\n"
                             "  ERPDUs enabled, min. interval 10 msec.\n"
                             "  CLNS fast switching enabled\n"
                             "  CLNS SSE switching disabled\n"
                             "  DEC compatibility mode OFF for this interface\n"
                             "  Next ESH/ISH in 47 seconds\n"
                             "  Routing Protocol: IS-IS\n"
                             "    Circuit Type: level-1-2\n"
                             "    Interface number 0x0, local circuit ID 0x1\n";

const char* const kSectionExpression =
    "Ethernet0[[:space:]]is[[:space:]]*(administratively)?[[:space:]]*(up|down),[[:space:]].*"
    "[\r\n][[:space:]]+Checksums.*[\r\n][[:space:]]+ERPDUs.*[\r\n]([[:space:]]+RDPDUs.*[\r\n])?"
    "([[:space:]]+Congestion.*[\r\n])?[[:space:]]+CLNS fast.*[\r\n][[:space:]]+CLNS SSE.*[\r\n]"
    "[[:space:]]+DEC.*[\r\n][[:space:]]+Next.*[\r\n][[:space:]]+Routing Protocol:[[:space:]]"
    "([A-Z-]+)[\r\n][[:space:]]*Circuit Type:[[:space:]]([a-z0-9-]+)[\r\n].*";

std::string Repeat(const char* piece, size_t size) {
    std::string text;
    while (text.size() < size)
        text += piece;
    return text;
}

void Step(benchmark::State& state, const char* expression, int slots) {
    std::string text = Repeat(kSection, static_cast<size_t>(state.range(0)));
    int64_t matches = 0;
    for (auto _ : state) {
        // The same text pointer would go on where the last round ended.
        CZanRegex re(expression, slots);
        while (re.ZRStep(text.c_str()) == 1)
            ++matches;
    }
    benchmark::DoNotOptimize(matches);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_StepSections(benchmark::State& state) {
    Step(state, kSectionExpression, 13);
}
void BM_StepWords(benchmark::State& state) {
    Step(state, "[^[:space:]]+", 1);
}

CScoutPattern InterfaceBlock() {
    const char* tag = "Interfaces supported by IS-IS:[\n\r]";
    CScoutPattern block(
        "isisInterfaceBlock", false,
        std::vector<std::string>{
            tag, "([[:space:]]+([^[:space:]]+)([[:space:]]-[[:space:]](IP|OSI))*)+"});
    auto* blockSubs = new std::vector<CScoutPattern>;
    blockSubs->push_back(CScoutPattern("interfaceListTag", false, tag));
    CScoutPattern entry("listEntry", true,
                        "[[:space:]]+[^[:space:]]+([[:space:]]-[[:space:]](IP|OSI))+[\n\r]");
    entry.SetSubPattern(
        new std::vector<CScoutPattern>{CScoutPattern("interfaceName", false, "[^[:space:]]+")});
    blockSubs->push_back(entry);
    block.SetSubPattern(blockSubs);
    return block;
}

void BM_InterfaceBlock(benchmark::State& state) {
    std::string text = "Interfaces supported by IS-IS:\n";
    for (int64_t i = 0; i < state.range(0); ++i)
        text += "    Serial" + std::to_string(i) + "/0 - OSI - IP\n";
    text += "  Redistribute:\n    static (on by default)\n  Distance for L2 CLNS routes: 110\n";
    CScoutPattern block = InterfaceBlock();
    for (auto _ : state) {
        bool matched = block.Match(text.c_str());
        benchmark::DoNotOptimize(matched);
        if (block.NumberMatches("isisInterfaceBlock[0].listEntry") != state.range(0))
            state.SkipWithError("wrong entry count");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

} // namespace

BENCHMARK(BM_StepSections)->RangeMultiplier(4)->Range(64 << 10, 4 << 20);
BENCHMARK(BM_StepWords)->RangeMultiplier(4)->Range(64 << 10, 4 << 20);
BENCHMARK(BM_InterfaceBlock)->RangeMultiplier(10)->Range(100, 30000);

BENCHMARK_MAIN();
