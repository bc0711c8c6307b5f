// The plug-in's dynamic symbol table: the host finds the factory by its
// plain name and the version constants and the two exported classes by
// their C++ names; nothing else of the plug-in's own is visible.
#include <gtest/gtest.h>

#include <cxxabi.h>
#include <elf.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "QuillonProcess.h"

namespace {

// The symbols the file defines in .dynsym, demangled, without the library's
// ABI tag (no part of the name the host looks for).
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
    const std::string image = quillon_test::ReadFile(path);
    std::set<std::string> names;
    if (image.size() < sizeof(Elf64_Ehdr) || image.compare(0, SELFMAG, ELFMAG) != 0 ||
        image[EI_CLASS] != ELFCLASS64) {
        ADD_FAILURE() << path << " is not a 64-bit ELF file";
        return names;
    }
    const auto at = [&](auto& into, std::size_t offset) {
        std::memcpy(&into, image.data() + offset, sizeof into);
    };
    Elf64_Ehdr header;
    at(header, 0);
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr symbols;
        Elf64_Shdr strings;
        at(symbols, header.e_shoff + i * header.e_shentsize);
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        at(strings, header.e_shoff + symbols.sh_link * header.e_shentsize);
        for (std::size_t offset = symbols.sh_entsize; offset < symbols.sh_size;
             offset += symbols.sh_entsize) {
            Elf64_Sym symbol;
            at(symbol, symbols.sh_offset + offset);
            if (symbol.st_shndx == SHN_UNDEF || ELF64_ST_TYPE(symbol.st_info) == STT_SECTION)
                continue;
            const char* name = image.data() + strings.sh_offset + symbol.st_name;
            int status = 0;
            char* demangled = abi::__cxa_demangle(name, nullptr, nullptr, &status);
            std::string text = status == 0 && demangled != nullptr ? demangled : name;
            std::free(demangled);
            for (std::size_t tag = text.find("[abi:cxx11]"); tag != std::string::npos;
                 tag = text.find("[abi:cxx11]"))
                text.erase(tag, 11);
            names.insert(text);
        }
    }
    return names;
}

TEST(PluginExports, ExactlyTheFactoryVersionAndTwoClasses) {
    const std::set<std::string> defined =
        DefinedDynamicSymbols(quillon_test::Expand("@bin/libAgentQuillon.so"));
    const std::set<std::string> required = {
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
    };
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
