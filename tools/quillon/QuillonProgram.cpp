#include "QuillonProgram.h"

#include <memory>
#include <ostream>

#include "DiscoveryRun.h"
#include "DotReportWriter.h"
#include "ExampleLab.h"
#include "GraphvizRenderer.h"
#include "LabDevice.h"
#include "JsonReportWriter.h"
#include "LabLoader.h"
#include "PluginLoader.h"
#include "QuillonCommandLine.h"
#include "ReportOutput.h"
#include "TextReportWriter.h"
#include "ZanDebug.h"

namespace {

int Failure(std::ostream& err, const std::string& message) {
    err << "quillon: " << message << std::endl;
    return QuillonProgram::kFailure;
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
    LabLoader labs;
    if (commandLine.GetCommand() == QuillonCommandLine::Command::Discover) {
        if (commandLine.LabFiles().empty()) {
            if (!labs.LoadText(ExampleLab::Label, ExampleLab::Text(), error))
                return Failure(err, error);
        }
        for (const std::string& file : commandLine.LabFiles()) {
            if (!labs.LoadFile(file, error))
                return Failure(err, error);
        }
    }

    PluginLoader plugin;
    const std::string pluginPath =
        commandLine.AgentPath().empty() ? PluginLoader::DefaultPath() : commandLine.AgentPath();
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
        routers.push_back({device.name, device.device.get(), nullptr});
    DiscoveryRun(*plugin.Agent(), *report, err).Run(routers);
    report->End();
    __Zandemar_Debug_Level = savedLevel;

    std::string drawn;
    if (drawing && !GraphvizRenderer::Render(dot, report->Text(), drawingFormat, drawn, error))
        return Failure(err, error);
    if (!ReportOutput::Deliver(commandLine.OutPath(), drawing ? drawn : report->Text(), out, error))
        return Failure(err, error);
    return kSuccess;
}
