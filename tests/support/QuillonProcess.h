// Runs the built quillon program as a child process and collects what it
// wrote and how it ended. Set QUILLON_E2E_WRAPPER to run it under a tool,
// e.g. QUILLON_E2E_WRAPPER="valgrind --error-exitcode=99 --leak-check=full"
// (the wrapper's own failures show as an exit status other than 0).
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quillon_test {

struct QuillonResult {
    int status = -1; // exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

inline void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

// A fresh, empty folder for one test, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string name = testing::TempDir() + "/quillon-e2e-XXXXXX";
        if (mkdtemp(name.data()) != nullptr)
            m_Path = name;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!m_Path.empty())
            std::filesystem::remove_all(m_Path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_Path; }
    std::string operator/(const std::string& name) const { return m_Path + "/" + name; }

    // The names in the folder.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_Path))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::string m_Path;
};

// The text with "@data/", "@src/", "@bin/" and "@tmp/" standing for the test
// data folder, the repository, the folder of the built programs and `scratch`.
inline std::string Expand(std::string text, const std::string& scratch = "") {
    const std::pair<std::string, std::string> places[] = {
        {"@data/", std::string(QUILLON_TEST_DATA) + "/"},
        {"@src/", std::string(QUILLON_SOURCE_DIR) + "/"},
        {"@bin/", std::string(QUILLON_BIN_DIR) + "/"},
        {"@tmp/", scratch + "/"}};
    for (const auto& [token, place] : places) {
        for (std::size_t at = text.find(token); at != std::string::npos;
             at = text.find(token, at + place.size()))
            text.replace(at, token.size(), place);
    }
    return text;
}

// Starts QUILLON_BIN_DIR/quillon with the arguments (under the wrapper in
// QUILLON_E2E_WRAPPER, if any), its standard output and error going to the
// files "out" and "err" of the folder. The child's process ID.
inline pid_t StartQuillon(const std::vector<std::string>& arguments, const ScratchFolder& folder) {
    std::vector<std::string> words;
    if (const char* wrapper = std::getenv("QUILLON_E2E_WRAPPER")) {
        std::istringstream split(wrapper);
        for (std::string word; split >> word;)
            words.push_back(word);
    }
    words.push_back(Expand("@bin/quillon"));
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int out = open((folder / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open((folder / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0 && err >= 0 && dup2(out, 1) >= 0 && dup2(err, 2) >= 0)
            execvp(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

// Runs QUILLON_BIN_DIR/quillon with the arguments to its end.
inline QuillonResult RunQuillon(const std::vector<std::string>& arguments) {
    ScratchFolder capture;
    const pid_t child = StartQuillon(arguments, capture);
    QuillonResult result;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = ReadFile(capture / "out");
    result.err = ReadFile(capture / "err");
    return result;
}

} // namespace quillon_test
