// The libFuzzer entry of every fuzz target: runs the harness that the
// target's name picks and stops at the first input for which a property
// failed (a crash, a leak or a time-out stops it by itself).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FuzzHarnesses.h"
#include "InventoryHarness.h"
#include "LabHarnesses.h"
#include "RegexHarness.h"
#include "TelnetHarness.h"

// The target's name, defined in a source file of its own per target.
extern const char kQuillonFuzzTarget[];

namespace {

typedef bool (*HarnessFunction)(const uint8_t* data, size_t size);

HarnessFunction Find(const char* name) {
    for (const quillon_fuzz::Harness& harness : quillon_fuzz::kHarnesses) {
        if (std::strcmp(harness.name, name) == 0)
            return harness.run;
    }
    for (const quillon_fuzz::LabHarness& harness : quillon_fuzz::kLabHarnesses) {
        if (std::strcmp(harness.name, name) == 0)
            return harness.run;
    }
    if (std::strcmp(name, "regex_steps") == 0)
        return &quillon_fuzz::RegexSteps;
    if (std::strcmp(name, "telnet_reader") == 0)
        return &quillon_fuzz::TelnetReader;
    if (std::strcmp(name, "inventory_reader") == 0)
        return &quillon_fuzz::InventoryReader;
    return nullptr;
}

HarnessFunction Chosen() {
    static const HarnessFunction chosen = Find(kQuillonFuzzTarget);
    return chosen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const HarnessFunction run = Chosen();
    if (run == nullptr) {
        std::fprintf(stderr, "no harness named %s\n", kQuillonFuzzTarget);
        std::abort();
    }
    if (!run(data, size)) {
        std::fprintf(stderr, "%s: a property failed on this input\n", kQuillonFuzzTarget);
        std::abort();
    }
    return 0;
}
