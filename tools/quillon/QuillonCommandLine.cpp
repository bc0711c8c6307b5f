#include "QuillonCommandLine.h"

#include <map>
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
           "                   [--agent PATH] [--jobs N] [--inventory FILE | LAB.json ...]\n"
           "                   [--crawl --scope CIDR[,CIDR...] [--max-routers M]]\n"
           "                   [--profile classic|xe] [--host-key-checking on|off]\n"
           "  quillon serve [--address A] [--port P] [--latency MS] [--inventory-out FILE]\n"
           "                [--ssh [--host-key FILE] [--authorized-keys FILE]] [LAB.json ...]\n"
           "  quillon version [--agent PATH] [--profile classic|xe]\n"
           "  quillon --help\n"
           "\n"
           "Runs the Quillon IS-IS discovery agent over Cisco routers, live (listed in an\n"
           "inventory) or simulated (described in lab files), and reports what it found.\n"
           "\n"
           "Commands:\n"
           "  discover            Run every router of the inventory, or of every lab file\n"
           "                      given, in order. With neither, run the example lab built\n"
           "                      into the program.\n"
           "  serve               Serve every router of the lab files (or of the example\n"
           "                      lab) as a live IOS router: telnet (or SSH) on A:P,\n"
           "                      A:P+1, ... and SNMP on UDP A:P, until interrupted.\n"
           "  version             Print the plug-in's name, description and version.\n"
           "\n"
           "Options of discover:\n"
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
           "  --profile NAME      The IOS release the routers run: classic (IOS 12.x, the\n"
           "                      default) loads libAgentQuillon.so, xe (IOS-XE 16.x and\n"
           "                      17.x) libAgentQuillonXE.so, beside this program. --agent\n"
           "                      overrides it.\n"
           "  --inventory FILE    Discover the live routers of a YAML inventory.\n"
           "  --jobs N            Routers discovered side by side (default 32).\n"
           "  --crawl             Also discover the neighbours of every router found, with\n"
           "                      the inventory's defaults, breadth first.\n"
           "  --scope CIDRS       The only networks a crawl may reach (required with\n"
           "                      --crawl), such as 127.16.0.0/12,127.1.0.0/16.\n"
           "  --max-routers M     Stop crawling at M routers in all (default 10000).\n"
           "  --host-key-checking on|off\n"
           "                      Check every SSH router's host key against its known-hosts\n"
           "                      file (on), or not (off), whatever the inventory says.\n"
           "\n"
           "Options of serve:\n"
           "  --address A         Loopback address to serve on (default 127.0.0.1).\n"
           "  --port P            Telnet port of the first router (default 10023).\n"
           "  --latency MS        Delay before each command's answer (default 0).\n"
           "  --inventory-out F   Write the inventory that reaches every served router\n"
           "                      (and, with --ssh, the known-hosts file F.known_hosts).\n"
           "  --ssh               Serve over SSH instead of telnet, on the same ports.\n"
           "  --host-key FILE     The SSH host key (a private key file); default: a new\n"
           "                      ed25519 key at every start.\n"
           "  --authorized-keys F Public keys (one a line, as in .pub files) that may log\n"
           "                      in to every router over SSH, besides the password.\n"
           "\n"
           "  -h, --help          Print this help.\n"
           "\n"
           "Exit status: 0 when the run completed, whatever the routers answered; 2 on a\n"
           "usage error, an unreadable or malformed lab file or inventory, a plug-in that\n"
           "cannot be loaded, a drawing that Graphviz cannot make, or a server that cannot\n"
           "start.\n";
}

namespace {

// The options each command takes, and the first command that takes each.
const std::map<std::string, std::set<QuillonCommandLine::Command>>& OptionsByCommand() {
    using C = QuillonCommandLine::Command;
    static const std::map<std::string, std::set<C>> options = {
        {"--format", {C::Discover}},
        {"--out", {C::Discover}},
        {"--debug", {C::Discover}},
        {"--agent", {C::Discover, C::Version}},
        {"--profile", {C::Discover, C::Version}},
        {"--inventory", {C::Discover}},
        {"--jobs", {C::Discover}},
        {"--scope", {C::Discover}},
        {"--max-routers", {C::Discover}},
        {"--host-key-checking", {C::Discover}},
        {"--address", {C::Serve}},
        {"--port", {C::Serve}},
        {"--latency", {C::Serve}},
        {"--inventory-out", {C::Serve}},
        {"--host-key", {C::Serve}},
        {"--authorized-keys", {C::Serve}},
    };
    return options;
}

const char* CommandName(QuillonCommandLine::Command command) {
    switch (command) {
    case QuillonCommandLine::Command::Discover:
        return "discover";
    case QuillonCommandLine::Command::Serve:
        return "serve";
    case QuillonCommandLine::Command::Version:
        return "version";
    case QuillonCommandLine::Command::Help:
        break;
    }
    return "help";
}

// A whole decimal number from `low` to `high`, without sign or leading zero.
bool Number(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0'))
        return false;
    long number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    if (number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}

} // namespace

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
    } else if (command == "serve") {
        m_Command = Command::Serve;
    } else if (command == "version") {
        m_Command = Command::Version;
    } else if (!command.empty() && command[0] == '-') {
        return ::Usage(error, "unknown option '" + command + "'");
    } else {
        return ::Usage(error, "unknown command '" + command + "'");
    }

    std::set<std::string> seen;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            if (m_Command == Command::Version)
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
        if (argument == "--crawl" && m_Command == Command::Discover) {
            if (!seen.insert(argument).second)
                return ::Usage(error, "'--crawl' is given more than once");
            m_Crawl = true;
            continue;
        }
        if (argument == "--ssh" && m_Command == Command::Serve) {
            if (!seen.insert(argument).second)
                return ::Usage(error, "'--ssh' is given more than once");
            m_Ssh = true;
            continue;
        }
        const auto option = OptionsByCommand().find(name);
        if (option == OptionsByCommand().end())
            return ::Usage(error, "unknown option '" + name + "'");
        if (option->second.count(m_Command) == 0)
            return ::Usage(error, "'" + name + "' is an option of " +
                                      CommandName(*option->second.begin()) + ", not of " +
                                      CommandName(m_Command));
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return ::Usage(error, "'" + name + "' needs a value");
            value = arguments[++i];
        }
        if (!seen.insert(name).second)
            return ::Usage(error, "'" + name + "' is given more than once");
        if (!SetOption(name, value, error))
            return false;
    }
    if (!m_HostKeyPath.empty() && !m_Ssh)
        return ::Usage(error, "'--host-key' goes with '--ssh'");
    if (!m_AuthorizedKeysPath.empty() && !m_Ssh)
        return ::Usage(error, "'--authorized-keys' goes with '--ssh'");
    if (!m_InventoryPath.empty() && !m_LabFiles.empty())
        return ::Usage(error, "give either '--inventory' or lab files, not both");
    if (m_Crawl && m_Scope.empty())
        return ::Usage(error, "'--crawl' needs '--scope' (the networks it may reach)");
    if (m_Crawl && m_InventoryPath.empty())
        return ::Usage(error, "'--crawl' needs '--inventory' (its routers are the seeds)");
    if (!m_Crawl && (seen.count("--scope") != 0 || seen.count("--max-routers") != 0))
        return ::Usage(error, "'--scope' and '--max-routers' go with '--crawl'");
    return true;
}

bool QuillonCommandLine::SetOption(const std::string& name, const std::string& value,
                                   std::string& error) {
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
        return true;
    }
    if (name == "--debug") {
        if (value.size() != 1 || value[0] < '0' || value[0] > '4')
            return ::Usage(error, "'--debug' takes a level from 0 to 4, not '" + value + "'");
        m_DebugLevel = value[0] - '0';
        return true;
    }
    if (value.empty())
        return ::Usage(error, "'" + name + "' needs a value");
    if (name == "--jobs") {
        if (!Number(value, 1, 1000, m_Jobs))
            return ::Usage(error, "'--jobs' takes a number from 1 to 1000, not '" + value + "'");
    } else if (name == "--max-routers") {
        if (!Number(value, 1, 1000000, m_MaxRouters))
            return ::Usage(error,
                           "'--max-routers' takes a number from 1 to 1000000, not '" + value + "'");
    } else if (name == "--scope") {
        m_Scope = value;
    } else if (name == "--port") {
        if (!Number(value, 1, 65535, m_Port))
            return ::Usage(error, "'--port' takes a port from 1 to 65535, not '" + value + "'");
    } else if (name == "--latency") {
        if (!Number(value, 0, 600000, m_LatencyMs))
            return ::Usage(error,
                           "'--latency' takes milliseconds from 0 to 600000, not '" + value + "'");
    } else if (name == "--out") {
        m_OutPath = value;
    } else if (name == "--agent") {
        m_AgentPath = value;
    } else if (name == "--profile") {
        if (value != "classic" && value != "xe")
            return ::Usage(error, "'--profile' takes classic or xe, not '" + value + "'");
        m_Profile = value;
    } else if (name == "--inventory") {
        m_InventoryPath = value;
    } else if (name == "--address") {
        m_Address = value;
    } else if (name == "--host-key") {
        m_HostKeyPath = value;
    } else if (name == "--authorized-keys") {
        m_AuthorizedKeysPath = value;
    } else if (name == "--host-key-checking") {
        if (value != "on" && value != "off")
            return ::Usage(error, "'--host-key-checking' takes on or off, not '" + value + "'");
        m_HostKeyChecking = value == "on" ? HostKeyChecking::On : HostKeyChecking::Off;
    } else {
        m_InventoryOutPath = value;
    }
    return true;
}
