// The plug-in's dynamic symbol table: the host finds the factory by its
// plain name and the version constants and the two exported classes by
// their C++ names; nothing else of the plug-in's own is visible.
#include <gtest/gtest.h>

#include <cxxabi.h>
#include <elf.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "QuillonProcess.h"

namespace {

std::string Demangle(const std::string& name) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    if (status != 0 || demangled == nullptr)
        return name;
    std::string text(demangled);
    std::free(demangled);
    // Names of std::string type carry the library's ABI tag; it is no part
    // of the name the host looks for.
    const std::string tag = "[abi:cxx11]";
    for (std::size_t at = text.find(tag); at != std::string::npos; at = text.find(tag))
        text.erase(at, tag.size());
    return text;
}

// The names of the symbols the file defines in .dynsym.
std::vector<std::string> DefinedDynamicSymbols(const std::string& path) {
    const std::string image = quillon_test::ReadFile(path);
    std::vector<std::string> names;
    if (image.size() < sizeof(Elf64_Ehdr) || std::memcmp(image.data(), ELFMAG, SELFMAG) != 0 ||
        image[EI_CLASS] != ELFCLASS64) {
        ADD_FAILURE() << path << " is not a 64-bit ELF file";
        return names;
    }
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof header);
    const auto section = [&](std::size_t index) {
        Elf64_Shdr shdr;
        std::memcpy(&shdr, image.data() + header.e_shoff + index * header.e_shentsize, sizeof shdr);
        return shdr;
    };
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        const Elf64_Shdr strings = section(symbols.sh_link);
        for (std::size_t offset = symbols.sh_entsize; offset < symbols.sh_size;
             offset += symbols.sh_entsize) {
            Elf64_Sym symbol;
            std::memcpy(&symbol, image.data() + symbols.sh_offset + offset, sizeof symbol);
            if (symbol.st_shndx == SHN_UNDEF || ELF64_ST_TYPE(symbol.st_info) == STT_SECTION)
                continue;
            names.emplace_back(image.data() + strings.sh_offset + symbol.st_name);
        }
    }
    return names;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(PluginExports, ExactlyTheFactoryVersionAndTwoClasses) {
    const std::vector<std::string> mangled =
        DefinedDynamicSymbols(std::string(QUILLON_BIN_DIR) + "/libAgentQuillon.so");
    std::set<std::string> defined;
    for (const std::string& name : mangled) {
        const std::string demangled = Demangle(name);
        defined.insert(demangled);
        const bool allowed = name == "SAInstantiate" ||
                             StartsWith(demangled, "CScoutQuillonAgent::") ||
                             StartsWith(demangled, "CScoutCiscoInterface::") ||
                             demangled == "vtable for CScoutQuillonAgent" ||
                             demangled == "typeinfo for CScoutQuillonAgent" ||
                             demangled == "typeinfo name for CScoutQuillonAgent" ||
                             demangled == "NSAgentVersion::g_AgentMajorVersion" ||
                             demangled == "NSAgentVersion::g_AgentMinorVersion" ||
                             demangled == "NSAgentVersion::g_AgentRevision" ||
                             demangled == "NSAgentVersion::g_AgentBuild";
        EXPECT_TRUE(allowed) << "unexpected export " << name << " (" << demangled << ")";
    }

    for (const char* required : {
             "SAInstantiate",
             "NSAgentVersion::g_AgentMajorVersion",
             "NSAgentVersion::g_AgentMinorVersion",
             "NSAgentVersion::g_AgentRevision",
             "NSAgentVersion::g_AgentBuild",
             "CScoutQuillonAgent::CScoutQuillonAgent()",
             "CScoutQuillonAgent::~CScoutQuillonAgent()",
             "CScoutQuillonAgent::SADoMediationFilter(CZanRecord*)",
             "CScoutQuillonAgent::SADoMediationLayer(CZanRecord*)",
             "CScoutQuillonAgent::SADoProcessLayer(CZanRecord*)",
             "CScoutQuillonAgent::SADoRelationshipLayer(CZanRecord*)",
             "CScoutQuillonAgent::ZASetSCName()",
             "CScoutQuillonAgent::ZASetSCDesc()",
             "vtable for CScoutQuillonAgent",
             "typeinfo for CScoutQuillonAgent",
             "CScoutCiscoInterface::CScoutCiscoInterface()",
             "CScoutCiscoInterface::~CScoutCiscoInterface()",
             "CScoutCiscoInterface::m_ISISInterfaceStr",
         })
        EXPECT_EQ(defined.count(required), 1u) << "missing export " << required;
    // The factory is there under its plain name, not a mangled one.
    EXPECT_EQ(std::count(mangled.begin(), mangled.end(), "SAInstantiate"), 1);
}

} // namespace
