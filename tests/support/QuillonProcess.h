// Runs the built quillon program as a child process and collects what it
// wrote and how it ended.
#pragma once

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
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
        if (!m_Path.empty())
            nftw(m_Path.c_str(), &RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_Path; }
    std::string operator/(const std::string& name) const { return m_Path + "/" + name; }

    // The names in the folder, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        if (DIR* folder = opendir(m_Path.c_str())) {
            while (const dirent* entry = readdir(folder)) {
                if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                    names.push_back(entry->d_name);
            }
            closedir(folder);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static int RemoveOne(const char* path, const struct stat*, int, struct FTW*) {
        return std::remove(path);
    }

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

// Runs QUILLON_BIN_DIR/quillon with the arguments.
inline QuillonResult RunQuillon(const std::vector<std::string>& arguments) {
    ScratchFolder capture;
    const std::string program = Expand("@bin/quillon");
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0 && err >= 0 && dup2(out, 1) >= 0 && dup2(err, 2) >= 0)
            execv(program.c_str(), argv.data());
        _exit(127);
    }
    QuillonResult result;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = ReadFile(capture / "out");
    result.err = ReadFile(capture / "err");
    return result;
}

} // namespace quillon_test
