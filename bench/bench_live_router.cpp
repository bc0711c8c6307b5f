// One served router with K IS-IS interfaces (quillon-labgen K), discovered
// over telnet on loopback with 20 ms of latency before each answer, through
// the agent's four layers:
//   BM_EveryRequestToTheRouter  each command the agent asks for goes to the
//                               router, as a device without memory does it
//   BM_LiveDevice               the live device: each distinct command goes
//                               to the router once per discovery
// The ifDescr column comes from memory: only the command line is measured.
//
// Counters: requests (commands the agent asked for), round_trips (commands
// that went to the router).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "../tools/labgen/ScaleLab.h"
#include "CScoutAgent.h"
#include "CScoutEntity.h"
#include "CScoutStdRequester.h"
#include "CliCommandSession.h"
#include "LiveDevice.h"
#include "ServedRouter.h"
#include "TelnetServer.h"
#include "ZanDebug.h"

extern "C" CScoutAgent* SAInstantiate();

namespace {

constexpr int kInterfaces = 200;
constexpr int kLatencyMs = 20;

// Counts the commands that reach the router.
class CountingSession : public CommandSession {
public:
    CountingSession(std::unique_ptr<CommandSession> session, long& roundTrips)
        : m_Session(std::move(session)), m_RoundTrips(roundTrips) {}
    bool Open(std::string& reason) override { return m_Session->Open(reason); }
    bool Run(const std::string& command, std::string& output, std::string& reason) override {
        ++m_RoundTrips;
        return m_Session->Run(command, output, reason);
    }
    bool Lost() const override { return m_Session->Lost(); }
    std::string HostName() const override { return m_Session->HostName(); }
    void Close() override { m_Session->Close(); }
    std::string Describe() const override { return m_Session->Describe(); }

private:
    std::unique_ptr<CommandSession> m_Session;
    long& m_RoundTrips;
};

// The router's ifDescr column, from memory.
class HeldColumn : public ColumnWalker {
public:
    explicit HeldColumn(std::vector<CScoutSnmpRow> rows) : m_Rows(std::move(rows)) {}
    bool Walk(const std::string&, std::vector<CScoutSnmpRow>& rows, std::string&) override {
        rows = m_Rows;
        return true;
    }
    std::string Describe() const override { return "memory"; }

private:
    std::vector<CScoutSnmpRow> m_Rows;
};

// A device that sends every request to the router.
class EveryRequestDevice : public CScoutDevice {
public:
    EveryRequestDevice(std::unique_ptr<CommandSession> session,
                       std::unique_ptr<ColumnWalker> walker)
        : m_Session(std::move(session)), m_Walker(std::move(walker)) {}
    bool SDAnswersCommands() const override { return true; }
    bool SDRunCommand(const std::string& command, std::string& output) override {
        std::string reason;
        return m_Session->Run(command, output, reason);
    }
    bool SDWalkColumn(const std::string& column, std::vector<CScoutSnmpRow>& rows) override {
        std::string reason;
        return m_Walker->Walk(column, rows, reason);
    }
    void Close() { m_Session->Close(); }

private:
    std::unique_ptr<CommandSession> m_Session;
    std::unique_ptr<ColumnWalker> m_Walker;
};

struct Served {
    std::unique_ptr<TelnetServer> server;
    std::vector<CScoutSnmpRow> ifDescr;
    std::string name;
    TelnetSettings settings;
};

Served Serve() {
    Served served;
    scale_lab::Router lab = scale_lab::MakeRouter(kInterfaces);
    ServedRouter router;
    router.name = lab.name;
    router.answersCommands = true;
    for (const auto& [command, output] : lab.commands)
        router.commands[command] = output;
    router.hostName = ServedRouter::HostNameFor(router.name, router.commands);
    for (const auto& [index, value] : lab.ifDescr) {
        CScoutSnmpRow row;
        row.hasIndex = true;
        row.index = index;
        row.isString = true;
        row.value = value;
        served.ifDescr.push_back(row);
    }
    served.name = router.name;
    TelnetServer::Options options;
    options.latencyMs = kLatencyMs;
    served.server = std::make_unique<TelnetServer>(std::vector<ServedRouter>{router}, options);
    std::string error;
    if (!served.server->Start(error))
        served.server.reset();
    else {
        served.settings.address = "127.0.0.1";
        served.settings.port = served.server->Endpoints().front().port;
        served.settings.user = ServedRouter::kDefaultUser;
        served.settings.password = Secret(ServedRouter::kDefaultPassword);
        served.settings.enableSecret = Secret(ServedRouter::kDefaultEnableSecret);
    }
    return served;
}

// One discovery of the router through `device`; the commands asked for.
std::size_t Discover(CScoutDevice& device, const std::string& name) {
    CScoutStdRequester requester;
    requester.SSRAddDevice(name, &device);
    std::unique_ptr<CScoutAgent> agent(SAInstantiate());
    agent->SASetRequester(&requester);
    CScoutEntity entity(name);
    CZanRecord* record = &entity.SERecord();
    entity.SEBegin();
    if (agent->SADoMediationFilter(record) != ZFALSE) {
        agent->SADoMediationLayer(record);
        agent->SADoProcessLayer(record);
        agent->SADoRelationshipLayer(record);
    }
    entity.SEEnd();
    agent->SASetRequester(nullptr);
    return entity.SEJournal().SEJCommands().size();
}

template <bool kKeepsOutputs> void BM_Router(benchmark::State& state) {
    __Zandemar_Debug_Level = 0;
    Served served = Serve();
    if (!served.server) {
        state.SkipWithError("the router could not be served");
        return;
    }
    long roundTrips = 0;
    std::size_t requests = 0;
    for (auto _ : state) {
        roundTrips = 0;
        auto session = std::make_unique<CountingSession>(
            std::make_unique<CliCommandSession>(served.settings, SshSettings{}), roundTrips);
        auto walker = std::make_unique<HeldColumn>(served.ifDescr);
        if constexpr (kKeepsOutputs) {
            LiveDevice device(std::move(session), std::move(walker));
            requests = Discover(device, served.name);
            device.Close();
        } else {
            EveryRequestDevice device(std::move(session), std::move(walker));
            requests = Discover(device, served.name);
            device.Close();
        }
    }
    served.server->Stop();
    if (requests != static_cast<std::size_t>(3 * kInterfaces + 7)) {
        state.SkipWithError("the router was not discovered whole");
        return;
    }
    state.counters["requests"] = static_cast<double>(requests);
    state.counters["round_trips"] = static_cast<double>(roundTrips);
}

void BM_EveryRequestToTheRouter(benchmark::State& state) {
    BM_Router<false>(state);
}
void BM_LiveDevice(benchmark::State& state) {
    BM_Router<true>(state);
}
BENCHMARK(BM_EveryRequestToTheRouter)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_LiveDevice)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
