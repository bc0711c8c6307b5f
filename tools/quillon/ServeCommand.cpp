#include "ServeCommand.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>

#include "InventoryHost.h"
#include "InventoryWriter.h"
#include "LabDevice.h"
#include "QuillonCommandLine.h"
#include "QuillonProgram.h"
#include "SnmpsimAgent.h"
#include "SnmpsimRunner.h"
#include "TelnetServer.h"

namespace {

int Failure(std::ostream& err, const std::string& message) {
    err << "quillon: " << message << std::endl;
    return QuillonProgram::kFailure;
}

bool Loopback(const std::string& address) {
    in_addr parsed{};
    return inet_pton(AF_INET, address.c_str(), &parsed) == 1 && (ntohl(parsed.s_addr) >> 24) == 127;
}

} // namespace

std::vector<ServedRouter> ServeCommand::Routers(const std::vector<LabLoader::Device>& devices) {
    std::vector<ServedRouter> routers;
    for (const LabLoader::Device& device : devices) {
        ServedRouter router;
        router.name = device.name;
        router.answersCommands = device.device->SDAnswersCommands();
        router.commands = device.device->SLDCommands();
        router.hostName = ServedRouter::HostNameFor(device.name, router.commands);
        router.hasIfDescr = device.device->SLDHasIfDescr();
        router.ifDescr = device.device->SLDIfDescr();
        if (device.login.hasUser)
            router.user = device.login.user;
        if (device.login.hasPassword)
            router.password = device.login.password;
        if (device.login.hasEnable)
            router.enableSecret = device.login.enable;
        router.addresses = device.addresses;
        routers.push_back(std::move(router));
    }
    return routers;
}

int ServeCommand::Run(const QuillonCommandLine& commandLine, const LabLoader& labs,
                      std::ostream& out, std::ostream& err) {
    const std::string& address = commandLine.Address();
    if (!Loopback(address))
        return Failure(err, "'--address' must be a loopback address (127.0.0.0/8), not '" +
                                address + "'");
    const int basePort = commandLine.Port();
    const std::size_t count = labs.Devices().size();
    if (basePort + count - 1 > 65535)
        return Failure(err, "'--port' " + std::to_string(basePort) + " leaves no room for " +
                                std::to_string(count) + " routers below port 65535");

    // Signals are taken by this thread alone, with sigwait, once the server
    // threads (which inherit the mask) are running.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TelnetServer::Options options;
    options.address = address;
    options.basePort = basePort;
    options.latencyMs = commandLine.LatencyMs();
    options.addressPort = basePort;
    TelnetServer telnet(Routers(labs.Devices()), options);
    std::string error;
    if (!telnet.Start(error))
        return Failure(err, error);

    // SNMP on the same numbers over UDP, for every router with an ifDescr
    // column; a router without one does not answer, as a lab without it
    // fails the walk.
    std::vector<SnmpsimAgent> agents;
    const std::vector<ServedRouter>& routers = telnet.Routers();
    for (const TelnetServer::Endpoint& endpoint : telnet.Endpoints()) {
        const ServedRouter& router = routers[endpoint.router];
        if (!router.hasIfDescr)
            continue;
        SnmpsimAgent agent;
        agent.router = &router;
        agent.address = endpoint.address;
        agent.port = endpoint.port;
        agents.push_back(std::move(agent));
    }
    SnmpsimRunner snmp;
    if (!agents.empty() && !snmp.Start(agents, error))
        return Failure(err, error);

    if (!commandLine.InventoryOutPath().empty()) {
        InventoryWriter inventory;
        for (std::size_t i = 0; i < routers.size(); ++i) {
            InventoryHost host;
            host.name = routers[i].name;
            host.telnet.address = address;
            host.telnet.port = basePort + static_cast<int>(i);
            host.telnet.user = routers[i].user;
            host.telnet.password = Secret(routers[i].password);
            host.telnet.enableSecret = Secret(routers[i].enableSecret);
            host.snmp.address = address;
            host.snmp.port = host.telnet.port;
            inventory.Add(host);
        }
        if (!inventory.WriteFile(commandLine.InventoryOutPath(), error))
            return Failure(err, error);
    }

    out << "quillon serve: " << routers.size() << " routers on " << address << ":" << basePort
        << "-" << basePort + static_cast<int>(routers.size()) - 1
        << " (telnet, and SNMP over UDP on the same ports); ready" << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    snmp.Stop();
    telnet.Stop();
    return QuillonProgram::kSuccess;
}
