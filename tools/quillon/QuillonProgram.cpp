#include "QuillonProgram.h"

#include <algorithm>
#include <memory>
#include <ostream>

#include "AddressScope.h"
#include "Crawler.h"
#include "DiscoveryRun.h"
#include "DotReportWriter.h"
#include "ExampleLab.h"
#include "GraphvizRenderer.h"
#include "InventoryReader.h"
#include "JsonReportWriter.h"
#include "LabDevice.h"
#include "LabLoader.h"
#include "LiveDeviceMaker.h"
#include "PluginLoader.h"
#include "ProgressLine.h"
#include "QuillonCommandLine.h"
#include "ReportOutput.h"
#include "ServeCommand.h"
#include "TextReportWriter.h"
#include "ZanDebug.h"

namespace {

int Failure(std::ostream& err, const std::string& message) {
    err << "quillon: " << message << std::endl;
    return QuillonProgram::kFailure;
}

// One agent per worker: the first from loading the plug-in, the others from
// its factory. Never more workers than routers.
std::vector<CScoutAgent*> Agents(PluginLoader& plugin, int jobs, std::size_t routers) {
    std::vector<CScoutAgent*> agents{plugin.Agent()};
    const std::size_t wanted = std::min<std::size_t>(jobs, std::max<std::size_t>(routers, 1));
    while (agents.size() < wanted) {
        CScoutAgent* agent = plugin.AnotherAgent();
        if (agent == nullptr)
            break;
        agents.push_back(agent);
    }
    return agents;
}

} // namespace

int QuillonProgram::Run(const std::vector<std::string>& arguments, std::ostream& out,
                        std::ostream& err) {
    QuillonCommandLine commandLine;
    std::string error;
    if (!commandLine.Parse(arguments, error))
        return Failure(err, error);

    if (commandLine.GetCommand() == QuillonCommandLine::Command::Help) {
        out << QuillonCommandLine::Usage() << std::flush;
        return kSuccess;
    }

    // Every lab is read before anything runs: a malformed one stops the run
    // before the first router.
    const QuillonCommandLine::Command command = commandLine.GetCommand();
    const bool live = !commandLine.InventoryPath().empty();
    LabLoader labs;
    if ((command == QuillonCommandLine::Command::Discover && !live) ||
        command == QuillonCommandLine::Command::Serve) {
        if (commandLine.LabFiles().empty()) {
            if (!labs.LoadText(ExampleLab::Label, ExampleLab::Text(), error))
                return Failure(err, error);
        }
        for (const std::string& file : commandLine.LabFiles()) {
            if (!labs.LoadFile(file, error))
                return Failure(err, error);
        }
    }

    if (command == QuillonCommandLine::Command::Serve)
        return ServeCommand::Run(commandLine, labs, out, err);

    // So is the inventory, and the crawl's scope.
    InventoryReader inventory;
    if (live && !inventory.ReadFile(commandLine.InventoryPath(), error))
        return Failure(err, error);
    if (commandLine.GetHostKeyChecking() != QuillonCommandLine::HostKeyChecking::AsInventory)
        inventory.SetHostKeyChecking(commandLine.GetHostKeyChecking() ==
                                     QuillonCommandLine::HostKeyChecking::On);
    AddressScope scope;
    if (commandLine.Crawl() && !scope.Parse(commandLine.Scope(), error))
        return Failure(err, "'--scope': " + error);

    PluginLoader plugin;
    const std::string pluginPath = commandLine.AgentPath().empty()
                                       ? PluginLoader::DefaultPath(commandLine.Profile())
                                       : commandLine.AgentPath();
    if (!plugin.Load(pluginPath, error))
        return Failure(err, error);

    if (commandLine.GetCommand() == QuillonCommandLine::Command::Version) {
        out << "name: " << plugin.Name() << "\n"
            << "description: " << plugin.Description() << "\n"
            << "version: " << plugin.Version() << std::endl;
        return kSuccess;
    }

    // A drawing needs Graphviz: without it nothing runs.
    const QuillonCommandLine::Format format = commandLine.GetFormat();
    const bool drawing =
        format == QuillonCommandLine::Format::Svg || format == QuillonCommandLine::Format::Png;
    const std::string drawingFormat = format == QuillonCommandLine::Format::Svg ? "svg" : "png";
    std::string dot;
    if (drawing) {
        dot = GraphvizRenderer::FindDot();
        if (dot.empty())
            return Failure(err, GraphvizRenderer::MissingMessage(drawingFormat));
    }

    std::unique_ptr<ReportWriter> report;
    if (format == QuillonCommandLine::Format::Json)
        report = std::make_unique<JsonReportWriter>();
    else if (format == QuillonCommandLine::Format::Text)
        report = std::make_unique<TextReportWriter>();
    else
        report = std::make_unique<DotReportWriter>();

    const int savedLevel = __Zandemar_Debug_Level;
    __Zandemar_Debug_Level = commandLine.DebugLevel();
    report->Begin(plugin.Name(), plugin.Description(), plugin.Version());
    std::vector<DiscoveryRun::Router> routers;
    for (const LabLoader::Device& device : labs.Devices())
        routers.push_back({device.name, device.device.get(), nullptr, ""});
    std::vector<std::unique_ptr<LiveDevice>> liveDevices;
    for (const InventoryHost& host : inventory.Hosts()) {
        liveDevices.push_back(LiveDeviceMaker::ForHost(host));
        routers.push_back(
            {host.name, liveDevices.back().get(), liveDevices.back().get(), host.telnet.address});
    }
    // A crawl may grow the run to its limit.
    const std::size_t workload =
        commandLine.Crawl() ? static_cast<std::size_t>(commandLine.MaxRouters()) : routers.size();
    DiscoveryRun run(Agents(plugin, commandLine.Jobs(), workload), *report, err);
    Crawler crawler(scope, static_cast<std::size_t>(commandLine.MaxRouters()));
    if (commandLine.Crawl()) {
        const InventoryHost& defaults = inventory.Defaults();
        run.SetCrawl(&crawler, [&defaults](const std::string& address) {
            return LiveDeviceMaker::ForAddress(defaults, address);
        });
    }
    ProgressLine progress(err);
    if (progress.Shown())
        run.SetProgress([&progress](std::size_t done, std::size_t known, std::size_t failed,
                                    const std::string& slowest, double seconds) {
            progress.Update(done, known, failed, slowest, seconds);
        });
    run.Run(routers);
    progress.Finish();
    report->End();
    __Zandemar_Debug_Level = savedLevel;

    std::string drawn;
    if (drawing && !GraphvizRenderer::Render(dot, report->Text(), drawingFormat, drawn, error))
        return Failure(err, error);
    if (!ReportOutput::Deliver(commandLine.OutPath(), drawing ? drawn : report->Text(), out, error))
        return Failure(err, error);
    return kSuccess;
}
