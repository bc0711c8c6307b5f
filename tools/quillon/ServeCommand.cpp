#include "ServeCommand.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include "InventoryHost.h"
#include "InventoryWriter.h"
#include "LabDevice.h"
#include "QuillonCommandLine.h"
#include "QuillonProgram.h"
#include "SnmpsimAgent.h"
#include "SnmpsimRunner.h"
#include "SshServer.h"
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

// The path as seen from anywhere: an inventory names its known-hosts file so.
std::string Absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return path;
    char folder[4096];
    return getcwd(folder, sizeof folder) ? std::string(folder) + "/" + path : path;
}

bool WriteText(const std::string& path, const std::string& text, std::string& error) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        error = path + ": cannot write the known-hosts file";
        return false;
    }
    return true;
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

    // Telnet or SSH, on the same ports either way.
    std::unique_ptr<TelnetServer> telnet;
    std::unique_ptr<SshServer> ssh;
    std::string error;
    if (commandLine.Ssh()) {
        SshServer::Options options;
        options.address = address;
        options.basePort = basePort;
        options.latencyMs = commandLine.LatencyMs();
        options.addressPort = basePort;
        options.hostKeyFile = commandLine.HostKeyPath();
        options.authorizedKeys = commandLine.AuthorizedKeysPath();
        ssh = std::make_unique<SshServer>(Routers(labs.Devices()), options);
        if (!ssh->Start(error))
            return Failure(err, error);
    } else {
        TelnetServer::Options options;
        options.address = address;
        options.basePort = basePort;
        options.latencyMs = commandLine.LatencyMs();
        options.addressPort = basePort;
        telnet = std::make_unique<TelnetServer>(Routers(labs.Devices()), options);
        if (!telnet->Start(error))
            return Failure(err, error);
    }
    const std::vector<ServedRouter>& routers = ssh ? ssh->Routers() : telnet->Routers();
    const std::vector<RouterPorts::Endpoint>& endpoints =
        ssh ? ssh->Endpoints() : telnet->Endpoints();

    // SNMP on the same numbers over UDP, for every router with an ifDescr
    // column; a router without one does not answer, as a lab without it
    // fails the walk.
    std::vector<SnmpsimAgent> agents;
    for (const RouterPorts::Endpoint& endpoint : endpoints) {
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
        // Over SSH the inventory names a known-hosts file beside it that
        // holds the served key, so that discovery checks it strictly.
        const std::string knownHosts = Absolute(commandLine.InventoryOutPath() + ".known_hosts");
        if (ssh && !WriteText(knownHosts, ssh->KnownHosts(), error))
            return Failure(err, error);
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
            if (ssh) {
                host.connection = "network_cli";
                host.ssh.enabled = true;
                host.ssh.knownHostsFile = knownHosts;
            }
            inventory.Add(host);
        }
        if (!inventory.WriteFile(commandLine.InventoryOutPath(), error))
            return Failure(err, error);
    }

    out << "quillon serve: " << routers.size() << " routers on " << address << ":" << basePort
        << "-" << basePort + static_cast<int>(routers.size()) - 1 << " ("
        << (ssh ? "SSH" : "telnet") << ", and SNMP over UDP on the same ports); ready" << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    snmp.Stop();
    if (ssh)
        ssh->Stop();
    else
        telnet->Stop();
    return QuillonProgram::kSuccess;
}
