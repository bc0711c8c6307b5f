// Reading one interface's end point out of the outputs of a large router:
// "show clns interface", "show run" and "show isis neighbors detail" of a
// router with 1,000 interfaces (about 1 MB of CLNS interface output).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CScoutCiscoClnsInterface.h"
#include "CScoutCiscoNeighborData.h"
#include "CScoutCiscoProtocolEndPoint.h"
#include "CScoutCiscoTransmitInterface.h"
#include "CScoutEntity.h"
#include "CScoutLabDevice.h"
#include "CScoutStdRequester.h"
#include "ZanDebug.h"

namespace {

const int kInterfaces = 1000;
const int kPortsPerSlot = 48;

std::string Name(int i) {
    return "GigabitEthernet" + std::to_string(i / kPortsPerSlot) + "/" +
           std::to_string(i % kPortsPerSlot);
}

std::string ShortName(int i) {
    return "Gi" + std::to_string(i / kPortsPerSlot) + "/" + std::to_string(i % kPortsPerSlot);
}

std::string Format(const char* format, int a, int b = 0, int c = 0) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

// Sections as IOS prints them, with both levels and IPv6 metrics: LAN
// sections with DR lines, every fourth one a point-to-point section; all but
// every fifth with the RDPDUs and Congestion lines.
std::string ClnsInterfaceOutput() {
    std::string out;
    for (int i = 0; i < kInterfaces; ++i) {
        bool serial = i % 4 == 3;
        out += Name(i) + " is up, line protocol is up\n";
        out += "  Checksums enabled, MTU 1497, Encapsulation SAP\n";
        out += "  ERPDUs enabled, min. interval 10 msec.\n";
        if (i % 5 != 4) {
            out += "  RDPDUs enabled, min. interval 100 msec., Addr Mask enabled\n";
            out += "  Congestion Experienced bit set at 4 packets\n";
        }
        out += "  CLNS fast switching enabled\n";
        out += "  CLNS SSE switching disabled\n";
        out += "  DEC compatibility mode OFF for this interface\n";
        out += Format("  Next ESH/ISH in %d seconds\n", 1 + i % 59);
        out += "  Routing Protocol: IS-IS\n";
        out += "    Circuit Type: level-1-2\n";
        out += Format("    Interface number 0x%x, local circuit ID 0x%x\n", i, i + 1);
        if (serial)
            out += Format("    Neighbor System-ID: r%d\n", i);
        out += Format("    Level-1 Metric: %d, Priority: 64, Circuit ID: r1.%02x\n", 10 + i % 7,
                      (i + 1) % 256);
        if (!serial)
            out += Format("    DR ID: r1.%02x\n", (i + 1) % 256);
        out += Format("    Level-1 IPv6 Metric: %d\n", 10 + i % 7);
        out += "    Number of active level-1 adjacencies: 1\n";
        out += Format("    Level-2 Metric: %d, Priority: 64, Circuit ID: r1.%02x\n", 20 + i % 5,
                      (i + 1) % 256);
        if (!serial)
            out += Format("    DR ID: r1.%02x\n", (i + 1) % 256);
        out += Format("    Level-2 IPv6 Metric: %d\n", 20 + i % 5);
        out += "    Number of active level-2 adjacencies: 1\n";
        if (serial) {
            out += "    Next IS-IS Hello in 4 seconds\n";
            out += "    if state UP\n";
        } else {
            out += "    Next IS-IS LAN Level-1 Hello in 2 seconds\n";
            out += "    Next IS-IS LAN Level-2 Hello in 1 seconds\n";
        }
    }
    return out;
}

std::string ShowRunOutput() {
    std::string out = "Building configuration...\n\nCurrent configuration : 312704 bytes\n!\n"
                      "version 12.2\n!\nhostname r1\n!\nclns routing\n!\n";
    for (int i = 0; i < kInterfaces; ++i) {
        out += "interface " + Name(i) + "\n";
        out += Format(" ip address 10.%d.%d.1 255.255.255.0\n", i / 256, i % 256);
        out += " no ip directed-broadcast\n";
        out += " ip router isis \n";
        out += " ip pim sparse-mode\n";
        out += Format(" isis csnp-interval %d level-%d\n", 10 + i % 3, 1 + i % 2);
        out += Format(" isis lsp-interval %d\n", 33 + i % 4);
        out += "!\n";
    }
    out += "router isis\n net 49.0001.0000.0000.0001.00\n!\nend\n";
    return out;
}

std::string NeighborsOutput() {
    std::string out =
        "\nSystem Id      Type Interface   IP Address      State Holdtime Circuit Id\n";
    for (int i = 0; i < kInterfaces; ++i) {
        std::string line = Format("r%d", i);
        line.resize(15, ' ');
        line += "L1   ";
        std::string port = ShortName(i);
        port.resize(12, ' ');
        line += port + Format("10.%d.%d.2", i / 256, i % 256);
        line.resize(48, ' ');
        line += Format("UP    %d       01\n", 20 + i % 10);
        out += line;
        out += "  Area Address(es): 49.0001\n";
        out += i % 2 ? "  SNPA: *HDLC*  \n" : "  SNPA: *PPP*  \n";
        out += "  State Changed: 00:12:31\n";
        out += "  Format: Phase V\n";
    }
    return out;
}

// The router's three outputs, held by one collector each, fetched once.
struct Router {
    Router()
        : clnsOutput(ClnsInterfaceOutput()), runOutput(ShowRunOutput()),
          neighborsOutput(NeighborsOutput()), entity("R1") {
        device.SLDEnableCommands();
        device.SLDSetCommand("show clns interface", clnsOutput);
        device.SLDSetCommand("show run", runOutput);
        device.SLDSetCommand("show isis neighbors detail", neighborsOutput);
        requester.SSRAddDevice("R1", &device);
        clns.ObtainData(entity.SERecord(), requester);
        transmit.ObtainData(entity.SERecord(), requester);
        neighbors.ObtainData(entity.SERecord(), requester);
    }

    int64_t Bytes() const {
        return static_cast<int64_t>(clnsOutput.size() + runOutput.size() + neighborsOutput.size());
    }

    std::string clnsOutput;
    std::string runOutput;
    std::string neighborsOutput;
    CScoutLabDevice device;
    CScoutStdRequester requester;
    CScoutEntity entity;
    CScoutCiscoClnsInterface clns;
    CScoutCiscoTransmitInterface transmit;
    CScoutCiscoNeighborData neighbors;
};

Router& TheRouter() {
    static Router* router = new Router();
    return *router;
}

// Interfaces spread over the whole output, first and last included.
std::vector<std::string> Sample(int count) {
    std::vector<std::string> names;
    for (int k = 0; k < count; ++k)
        names.push_back(Name(k * (kInterfaces - 1) / (count - 1)));
    return names;
}

// The three parses of one interface into a fresh end point, on average over
// a sample spread through the output.
void BM_EndPointOfOneInterface(benchmark::State& state) {
    __Zandemar_Debug_Level = 0;
    Router& router = TheRouter();
    std::vector<std::string> names = Sample(static_cast<int>(state.range(0)));
    size_t next = 0;
    for (auto _ : state) {
        std::string& name = names[next];
        next = (next + 1) % names.size();
        CScoutCiscoProtocolEndPoint endPoint;
        router.clns.ParseData(name, &endPoint);
        router.transmit.ParseData(name, &endPoint);
        router.neighbors.ParseData(name, &endPoint);
        benchmark::DoNotOptimize(&endPoint);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * router.Bytes());
    state.counters["clns_bytes"] = static_cast<double>(router.clnsOutput.size());
}
BENCHMARK(BM_EndPointOfOneInterface)->Arg(21)->Unit(benchmark::kMillisecond);

// One collector's parse for the interface at a position in the output (0:
// first, 999: last), to see where the time goes.
enum Collector { kClns, kTransmit, kNeighbors };

void BM_OneParse(benchmark::State& state) {
    __Zandemar_Debug_Level = 0;
    Router& router = TheRouter();
    Collector which = static_cast<Collector>(state.range(0));
    std::string name = Name(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        CScoutCiscoProtocolEndPoint endPoint;
        switch (which) {
        case kClns:
            router.clns.ParseData(name, &endPoint);
            break;
        case kTransmit:
            router.transmit.ParseData(name, &endPoint);
            break;
        case kNeighbors:
            router.neighbors.ParseData(name, &endPoint);
            break;
        }
        benchmark::DoNotOptimize(&endPoint);
    }
    const std::string& output = which == kClns       ? router.clnsOutput
                                : which == kTransmit ? router.runOutput
                                                     : router.neighborsOutput;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(output.size()));
}
BENCHMARK(BM_OneParse)
    ->ArgNames({"collector", "interface"})
    ->ArgsProduct({{kClns, kTransmit, kNeighbors}, {0, 500, 999}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
