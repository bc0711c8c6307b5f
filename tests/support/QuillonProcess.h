// Runs the built quillon program as a child process and collects what it
// wrote and how it ended.
#pragma once

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

inline bool FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// A fresh, empty folder for one test, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = testing::TempDir() + "/quillon-e2e-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) != nullptr)
            m_Path = name.data();
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
        DIR* folder = opendir(m_Path.c_str());
        if (folder == nullptr)
            return names;
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(folder);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static int RemoveOne(const char* path, const struct stat*, int, struct FTW*) {
        return std::remove(path);
    }

    std::string m_Path;
};

// Runs QUILLON_BIN_DIR/quillon with the arguments.
inline QuillonResult RunQuillon(const std::vector<std::string>& arguments) {
    QuillonResult result;
    ScratchFolder capture;
    const std::string outPath = capture / "stdout";
    const std::string errPath = capture / "stderr";
    const std::string program = std::string(QUILLON_BIN_DIR) + "/quillon";

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
            _exit(127);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

inline std::string LabPath(const std::string& name) {
    return std::string(QUILLON_TEST_DATA) + "/labs/" + name;
}

} // namespace quillon_test
