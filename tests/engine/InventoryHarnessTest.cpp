// The inventory fuzz harness on every test inventory, on its seed corpus and
// kept inputs, and on documents made to hurt a reader: loops and
// exponential growth through YAML aliases, deep nesting, secret files that
// never end.
#include <gtest/gtest.h>

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

    const std::vector<std::string> inputs = {
        "",
        std::string(1, '\0'),
        // yaml-cpp's LoadAll loops forever on these.
        std::string(",ull\0a\n", 7),
        " ,,",
        "all: {}\n---\n,\n",
        "~\n",
        "all:\n",
        "all: &a {children: {loop: *a}}\n",
        "all: {children: {g: &g {children: {h: *g}}}}\n",
        "all: {hosts: &h {127.0.0.1: {ansible_password: Hunter2!}}, children: {g: {hosts: *h}}}\n",
        "all: {hosts: {127.0.0.1: {ansible_password: &p Hunter2!, ansible_user: *p}}}\n",
        "all: {hosts: {127.0.0.1: {ansible_port: 75010006000023001610}}}\n",
        "all: {hosts: {127.0.0.1: {snmp_community: {file: /dev/zero}}}}\n",
        "all: {hosts: {127.0.0.1: {snmp_community: {file: /dev/stdin}}}}\n",
        "all: {hosts: {127.0.0.1: {snmp_community: {file: /proc/self/status}}}}\n",
        "all: {hosts: {127.0.0.1: {ansible_password: !unsafe '{{ Hunter2! }}'}}}\n",
        // Names with control characters, DEL and NUL, escaped, read and
        // written back.
        "all: {hosts: {\"r\\x7f\\0\\u00e9\\t\": {ansible_host: 127.0.0.1}}}\n",
        laughs,
        NestedGroups(100),
        NestedGroups(101),
        std::string(3000, '[') + std::string(3000, ']'),
    };
    for (const std::string& input : inputs)
        EXPECT_TRUE(Holds(input)) << input.substr(0, 200);
}

} // namespace
