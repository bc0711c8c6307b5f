// The command line of quillon:
//   quillon discover [--format text|json|dot|svg|png] [--out FILE] [--debug N] [--agent PATH]
//                    [--profile classic|xe] [--jobs N] [--crawl --scope CIDR[,CIDR...]
//                    [--max-routers M]] [--host-key-checking on|off]
//                    [--inventory FILE | LAB.json ...]
//   quillon serve [--address A] [--port P] [--latency MS] [--inventory-out FILE]
//                 [--ssh [--host-key FILE] [--authorized-keys FILE]] [LAB.json ...]
//   quillon version [--agent PATH] [--profile classic|xe]
//   quillon --help
#pragma once

#include <string>
#include <vector>

class QuillonCommandLine {
public:
    enum class Command { Help, Discover, Serve, Version };
    enum class Format { Text, Json, Dot, Svg, Png };
    enum class HostKeyChecking { AsInventory, On, Off };

    // Parses the arguments that follow the program name. On a usage error
    // returns false and sets a one-line `error`.
    bool Parse(const std::vector<std::string>& arguments, std::string& error);

    Command GetCommand() const { return m_Command; }
    Format GetFormat() const { return m_Format; }
    // Empty: the report goes to standard output.
    const std::string& OutPath() const { return m_OutPath; }
    int DebugLevel() const { return m_DebugLevel; }
    // Empty: the plug-in beside the program.
    const std::string& AgentPath() const { return m_AgentPath; }
    // The release the routers run, "classic" (IOS 12.x, the default) or
    // "xe" (IOS-XE): which plug-in beside the program is loaded.
    const std::string& Profile() const { return m_Profile; }
    // Empty: the built-in example lab (unless an inventory is given).
    const std::vector<std::string>& LabFiles() const { return m_LabFiles; }
    // Empty: the routers come from lab files.
    const std::string& InventoryPath() const { return m_InventoryPath; }
    // Routers run side by side.
    int Jobs() const { return m_Jobs; }
    // Crawling from the inventory's routers, within the scope, up to a
    // number of routers in all.
    bool Crawl() const { return m_Crawl; }
    const std::string& Scope() const { return m_Scope; }
    int MaxRouters() const { return m_MaxRouters; }
    // Whether SSH host keys are checked, for every router alike.
    HostKeyChecking GetHostKeyChecking() const { return m_HostKeyChecking; }
    // serve: where the first router listens, the delay per command, and
    // where to write the inventory that reaches the served routers.
    const std::string& Address() const { return m_Address; }
    int Port() const { return m_Port; }
    int LatencyMs() const { return m_LatencyMs; }
    const std::string& InventoryOutPath() const { return m_InventoryOutPath; }
    // serve over SSH, with this host key (empty: a new one).
    bool Ssh() const { return m_Ssh; }
    const std::string& HostKeyPath() const { return m_HostKeyPath; }
    // Empty: SSH logins by password only.
    const std::string& AuthorizedKeysPath() const { return m_AuthorizedKeysPath; }

    static constexpr int kDefaultJobs = 32;
    static constexpr int kDefaultMaxRouters = 10000;
    static constexpr const char* kDefaultAddress = "127.0.0.1";
    static constexpr int kDefaultPort = 10023;

    static std::string Usage();

private:
    Command m_Command = Command::Help;
    Format m_Format = Format::Text;
    std::string m_OutPath;
    int m_DebugLevel = 0;
    std::string m_AgentPath;
    std::string m_Profile = "classic";
    std::vector<std::string> m_LabFiles;
    std::string m_InventoryPath;
    int m_Jobs = kDefaultJobs;
    bool m_Crawl = false;
    std::string m_Scope;
    int m_MaxRouters = kDefaultMaxRouters;
    std::string m_Address = kDefaultAddress;
    int m_Port = kDefaultPort;
    int m_LatencyMs = 0;
    std::string m_InventoryOutPath;
    HostKeyChecking m_HostKeyChecking = HostKeyChecking::AsInventory;
    bool m_Ssh = false;
    std::string m_HostKeyPath;
    std::string m_AuthorizedKeysPath;

    bool SetOption(const std::string& name, const std::string& value, std::string& error);
};
