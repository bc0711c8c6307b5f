// Router outputs kept as files under tests/data/outputs, read whole.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace quillon_test {

inline std::string ReadTestFile(const std::string& name) {
    std::ifstream file(std::string(QUILLON_TEST_DATA) + "/outputs/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing test file " << name;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text with CR LF line ends in place of LF.
inline std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

} // namespace quillon_test
