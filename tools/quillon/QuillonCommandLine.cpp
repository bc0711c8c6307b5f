#include "QuillonCommandLine.h"

#include <set>

namespace {

bool IsHelp(const std::string& argument) {
    return argument == "--help" || argument == "-h";
}

bool Usage(std::string& error, const std::string& text) {
    error = text + " (see 'quillon --help')";
    return false;
}

} // namespace

std::string QuillonCommandLine::Usage() {
    return "Usage:\n"
           "  quillon discover [--format text|json|dot|svg|png] [--out FILE] [--debug N]\n"
           "                   [--agent PATH] [LAB.json ...]\n"
           "  quillon version [--agent PATH]\n"
           "  quillon --help\n"
           "\n"
           "Runs the Quillon IS-IS discovery agent over simulated Cisco routers described\n"
           "in lab files, and reports what it found.\n"
           "\n"
           "Commands:\n"
           "  discover            Run every router of every lab file given, in order. With no\n"
           "                      lab file, run the example lab built into the program.\n"
           "  version             Print the plug-in's name, description and version.\n"
           "\n"
           "Options:\n"
           "  --format FORMAT     Report format (default text): text, a summary per router\n"
           "                      and the links between them; json, the full report; dot,\n"
           "                      the network as a Graphviz graph; svg or png, that graph\n"
           "                      drawn by Graphviz's dot program.\n"
           "  --out FILE          Write the report to FILE, all or nothing, instead of\n"
           "                      standard output.\n"
           "  --debug N           Agent trace level, 0 (the default, no trace) to 4. Trace\n"
           "                      lines go to standard output; use --out with it.\n"
           "  --agent PATH        The plug-in to load (default: libAgentQuillon.so beside\n"
           "                      this program).\n"
           "  -h, --help          Print this help.\n"
           "\n"
           "Exit status: 0 when the run completed, whatever the routers answered; 2 on a\n"
           "usage error, an unreadable or malformed lab file, a plug-in that cannot be\n"
           "loaded, or a drawing that Graphviz cannot make.\n";
}

bool QuillonCommandLine::Parse(const std::vector<std::string>& arguments, std::string& error) {
    *this = QuillonCommandLine();
    if (arguments.empty())
        return ::Usage(error, "no command given");

    const std::string& command = arguments[0];
    if (IsHelp(command)) {
        m_Command = Command::Help;
        return true;
    }
    if (command == "discover") {
        m_Command = Command::Discover;
    } else if (command == "version") {
        m_Command = Command::Version;
    } else if (!command.empty() && command[0] == '-') {
        return ::Usage(error, "unknown option '" + command + "'");
    } else {
        return ::Usage(error, "unknown command '" + command + "'");
    }
    const bool discover = m_Command == Command::Discover;

    std::set<std::string> seen;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (!discover)
                return ::Usage(error, "version takes no lab file ('" + argument + "')");
            m_LabFiles.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (IsHelp(argument)) {
            *this = QuillonCommandLine();
            m_Command = Command::Help;
            return true;
        }

        // --name VALUE or --name=VALUE
        std::string name = argument;
        std::string value;
        bool hasValue = false;
        const std::size_t equals = argument.find('=');
        if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
            hasValue = true;
        }
        const bool known =
            name == "--agent" ||
            (discover && (name == "--format" || name == "--out" || name == "--debug"));
        if (!known) {
            if (!discover && (name == "--format" || name == "--out" || name == "--debug"))
                return ::Usage(error, "'" + name + "' is an option of discover, not of version");
            return ::Usage(error, "unknown option '" + name + "'");
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return ::Usage(error, "'" + name + "' needs a value");
            value = arguments[++i];
        }
        if (!seen.insert(name).second)
            return ::Usage(error, "'" + name + "' is given more than once");

        if (name == "--format") {
            if (value == "text")
                m_Format = Format::Text;
            else if (value == "json")
                m_Format = Format::Json;
            else if (value == "dot")
                m_Format = Format::Dot;
            else if (value == "svg")
                m_Format = Format::Svg;
            else if (value == "png")
                m_Format = Format::Png;
            else
                return ::Usage(error,
                               "'--format' takes text, json, dot, svg or png, not '" + value + "'");
        } else if (name == "--debug") {
            if (value.size() != 1 || value[0] < '0' || value[0] > '4')
                return ::Usage(error, "'--debug' takes a level from 0 to 4, not '" + value + "'");
            m_DebugLevel = value[0] - '0';
        } else if (value.empty()) {
            return ::Usage(error, "'" + name + "' needs a value");
        } else if (name == "--out") {
            m_OutPath = value;
        } else {
            m_AgentPath = value;
        }
    }
    return true;
}
