// The plug-in's dynamic symbol table: the host finds the factory by its
// plain name and the version constants and the two exported classes by
// their C++ names (tests/data/plugin-exports.txt); nothing else of the
// plug-in's own is visible.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "QuillonProcess.h"

namespace {

// The symbols the file defines in its dynamic symbol table, demangled,
// without the library's ABI tag (no part of the name the host looks for).
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    std::set<std::string> names;
    FILE* nm = popen(("nm -D --defined-only -C '" + path + "'").c_str(), "r");
    std::string listing;
    for (char buffer[4096]; nm != nullptr && fgets(buffer, sizeof buffer, nm) != nullptr;)
        listing += buffer;
    EXPECT_TRUE(nm != nullptr && pclose(nm) == 0) << "nm failed on " << path;
    std::istringstream lines(listing);
    for (std::string address, type, name; lines >> address >> type && std::getline(lines, name);) {
        name.erase(0, 1);
        for (std::size_t tag = name.find("[abi:cxx11]"); tag != std::string::npos;
             tag = name.find("[abi:cxx11]"))
            name.erase(tag, 11);
        names.insert(name);
    }
    return names;
}

TEST(PluginExports, ExactlyTheFactoryVersionAndTwoClasses) {
    const std::set<std::string> defined =
        DefinedDynamicSymbols(quillon_test::Expand("@bin/libAgentQuillon.so"));
    std::istringstream list(
        quillon_test::ReadFile(quillon_test::Expand("@data/plugin-exports.txt")));
    std::set<std::string> required;
    for (std::string name; std::getline(list, name);)
        required.insert(name);
    ASSERT_EQ(required.size(), 18u);
    for (const std::string& name : required)
        EXPECT_EQ(defined.count(name), 1u) << "missing export " << name;
    for (const std::string& name : defined) {
        const bool allowed = required.count(name) != 0 ||
                             name == "typeinfo name for CScoutQuillonAgent" ||
                             name.rfind("CScoutQuillonAgent::", 0) == 0 ||
                             name.rfind("CScoutCiscoInterface::", 0) == 0;
        EXPECT_TRUE(allowed) << "unexpected export " << name;
    }
}

} // namespace
