// The inventory fuzz harness on every test inventory, on its seed corpus and
// kept inputs, and on documents made to hurt a reader: loops and
// exponential growth through YAML aliases, deep nesting, secret files that
// never end.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../fuzz/InventoryHarness.h"
#include "FuzzInputs.h"

namespace {

bool Holds(const std::string& text) {
    return quillon_fuzz::InventoryReader(reinterpret_cast<const uint8_t*>(text.data()),
                                         text.size());
}

TEST(InventoryHarness, HoldsOnEveryTestInventoryAndKeptInput) {
    const std::string folder = std::string(QUILLON_TEST_DATA) + "/inventories";
    std::vector<std::string> paths = quillon_test::FilesIn(folder);
    const std::vector<std::string> refused = quillon_test::FilesIn(folder + "/refused");
    paths.insert(paths.end(), refused.begin(), refused.end());
    EXPECT_GT(paths.size(), 20u);
    for (const std::string& path : paths) {
        std::ifstream file(path, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(file),
                               std::istreambuf_iterator<char>()};
        EXPECT_TRUE(Holds(text)) << path;
    }
    for (const quillon_test::FuzzInput& input : quillon_test::FuzzInputsOf("inventory_reader"))
        EXPECT_TRUE(Holds(input.bytes)) << input.path;
}

// Text of `count` nested children groups, the innermost holding a host.
std::string NestedGroups(int count) {
    std::string text = "all:\n";
    std::string indent = "  ";
    for (int i = 0; i < count; ++i) {
        text += indent + "children:\n" + indent + "  g" + std::to_string(i) + ":\n";
        indent += "    ";
    }
    return text + indent + "hosts: {127.0.0.1: }\n";
}

TEST(InventoryHarness, HoldsOnHostileDocuments) {
    std::string laughs = "all:\n  vars:\n    l0: &l0 [a, a, a, a, a, a, a, a]\n";
    for (int i = 1; i < 24; ++i) {
        const std::string previous = "*l" + std::to_string(i - 1);
        laughs += "    l" + std::to_string(i) + ": &l" + std::to_string(i) + " [" + previous +
                  ", " + previous + ", " + previous + "]\n";
    }
    laughs += "    ansible_password: *l23\n  hosts: {127.0.0.1: }\n";

    // Loops and self-reference through aliases, numbers too long, secret
    // files that never end, names with control characters, deep brackets;
    // yaml-cpp's LoadAll loops forever on some of them.
    std::vector<std::string> inputs = nlohmann::json::parse(
        std::ifstream(std::string(QUILLON_TEST_DATA) + "/inventory-hostile.json"));
    ASSERT_GT(inputs.size(), 15u);
    inputs.push_back(laughs);
    inputs.push_back(NestedGroups(100));
    inputs.push_back(NestedGroups(101));
    for (const std::string& input : inputs)
        EXPECT_TRUE(Holds(input)) << input.substr(0, 200);
}

} // namespace
