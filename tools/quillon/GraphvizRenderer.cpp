#include "GraphvizRenderer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool IsProgram(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool WriteAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// A private folder for the files of one rendering, removed with them.
class ScratchFolder {
public:
    ScratchFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/quillon-dot-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) != nullptr)
            m_Path = name.data();
        else
            m_Failure = std::strerror(errno);
    }
    ~ScratchFolder() {
        if (m_Path.empty())
            return;
        for (const char* name : {"graph.dot", "drawing", "dot.err"})
            unlink((m_Path + "/" + name).c_str());
        rmdir(m_Path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_Path; }
    const std::string& Failure() const { return m_Failure; }

private:
    std::string m_Path;
    std::string m_Failure;
};

std::string FirstLine(const std::string& text) {
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

} // namespace

std::string GraphvizRenderer::FindDot() {
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return "";
    const std::string folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/dot";
        if (IsProgram(candidate))
            return candidate;
        start = end + 1;
    }
    return "";
}

std::string GraphvizRenderer::MissingMessage(const std::string& format) {
    return "cannot draw the network as " + format +
           ": Graphviz's 'dot' program is not installed (install Graphviz, for example with "
           "'apt-get install graphviz', or use --format dot)";
}

bool GraphvizRenderer::Render(const std::string& dot, const std::string& graph,
                              const std::string& format, std::string& rendered,
                              std::string& error) {
    ScratchFolder scratch;
    if (scratch.Path().empty()) {
        error = "cannot draw the network: no temporary folder: " + scratch.Failure();
        return false;
    }
    const std::string input = scratch.Path() + "/graph.dot";
    const std::string output = scratch.Path() + "/drawing";
    const std::string messages = scratch.Path() + "/dot.err";
    if (!WriteAll(input, graph)) {
        error = "cannot draw the network: cannot write " + input;
        return false;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, messages.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    const std::string type = "-T" + format;
    std::vector<char*> arguments = {
        const_cast<char*>(dot.c_str()),   const_cast<char*>(type.c_str()),
        const_cast<char*>("-o"),          const_cast<char*>(output.c_str()),
        const_cast<char*>(input.c_str()), nullptr};
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, dot.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        error = "cannot draw the network: cannot run " + dot + ": " + std::strerror(spawned);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            error = "cannot draw the network: lost the dot process: " +
                    std::string(std::strerror(errno));
            return false;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string said = FirstLine(ReadAll(messages));
        error = "cannot draw the network: " + dot + " failed" +
                (said.empty() ? std::string() : ": " + said);
        return false;
    }
    rendered = ReadAll(output);
    return true;
}
