// The command line of quillon:
//   quillon discover [--format text|json|dot|svg|png] [--out FILE] [--debug N] [--agent PATH]
//   [LAB.json ...] quillon version [--agent PATH] quillon --help
#pragma once

#include <string>
#include <vector>

class QuillonCommandLine {
public:
    enum class Command { Help, Discover, Version };
    enum class Format { Text, Json, Dot, Svg, Png };

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
    // Empty: the built-in example lab.
    const std::vector<std::string>& LabFiles() const { return m_LabFiles; }

    static std::string Usage();

private:
    Command m_Command = Command::Help;
    Format m_Format = Format::Text;
    std::string m_OutPath;
    int m_DebugLevel = 0;
    std::string m_AgentPath;
    std::vector<std::string> m_LabFiles;
};
