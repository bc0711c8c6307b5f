// The inputs the fuzz harnesses are replayed on in the regression tests: the
// seed corpus of a target and every input kept because it once made the
// target fail.
#pragma once

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillon_test {

struct FuzzInput {
    std::string path;
    std::string bytes;
};

// The regular files of a folder, sorted by name; none when it does not exist.
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string path = folder + "/" + entry->d_name;
            struct stat info;
            if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                files.push_back(path);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

inline std::vector<FuzzInput> FuzzInputsOf(const std::string& target) {
    std::vector<FuzzInput> inputs;
    const std::string fuzz = std::string(QUILLON_SOURCE_DIR) + "/fuzz/";
    for (const char* kind : {"corpus/", "regressions/"}) {
        for (const std::string& path : FilesIn(fuzz + kind + target)) {
            std::ifstream file(path, std::ios::binary);
            inputs.push_back({path, std::string(std::istreambuf_iterator<char>(file),
                                                std::istreambuf_iterator<char>())});
        }
    }
    return inputs;
}

inline const uint8_t* DataOf(const FuzzInput& input) {
    return reinterpret_cast<const uint8_t*>(input.bytes.data());
}

} // namespace quillon_test
