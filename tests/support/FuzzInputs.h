// The inputs the fuzz harnesses are replayed on in the regression tests: the
// seed corpus of a target and every input kept because it once made the
// target fail.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillon_test {

struct FuzzInput {
    std::string path;
    std::string bytes;
    const uint8_t* data() const { return reinterpret_cast<const uint8_t*>(bytes.data()); }
};

// The regular files of a folder, sorted; none when there is no such folder.
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> paths;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file())
                paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

inline std::vector<FuzzInput> FuzzInputsOf(const std::string& target) {
    std::vector<FuzzInput> inputs;
    for (const char* kind : {"/fuzz/corpus/", "/fuzz/regressions/"}) {
        for (const std::string& path : FilesIn(std::string(QUILLON_SOURCE_DIR) + kind + target)) {
            std::ifstream file(path, std::ios::binary);
            inputs.push_back({path, std::string(std::istreambuf_iterator<char>(file), {})});
        }
    }
    return inputs;
}

} // namespace quillon_test
