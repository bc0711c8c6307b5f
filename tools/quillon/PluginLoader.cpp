#include "PluginLoader.h"

#include <memory>

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include "CScoutAgent.h"

namespace {

const char* const kPluginFile = "libAgentQuillon.so";
const char* const kXEPluginFile = "libAgentQuillonXE.so";
const char* const kFactory = "SAInstantiate";
// NSAgentVersion::g_AgentMajorVersion and the three after it.
const char* const kVersionSymbols[] = {
    "_ZN14NSAgentVersion19g_AgentMajorVersionE",
    "_ZN14NSAgentVersion19g_AgentMinorVersionE",
    "_ZN14NSAgentVersion15g_AgentRevisionE",
    "_ZN14NSAgentVersion12g_AgentBuildE",
};

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

std::string LastDlError() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown reason";
}

} // namespace

PluginLoader::~PluginLoader() {
    Unload();
}

void PluginLoader::Unload() {
    // Agents are deleted through their virtual destructors, which live in
    // the plug-in: all of them go before the library does.
    m_MoreAgents.clear();
    delete m_Agent;
    m_Agent = nullptr;
    m_Factory = nullptr;
    if (m_Handle != nullptr)
        dlclose(m_Handle);
    m_Handle = nullptr;
    m_Version.clear();
}

std::string PluginLoader::DefaultPath(const std::string& profile) {
    const std::string file = profile == "xe" ? kXEPluginFile : kPluginFile;
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return "./" + file;
    const std::string program(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = program.rfind('/');
    if (slash == std::string::npos)
        return "./" + file;
    return program.substr(0, slash + 1) + file;
}

bool PluginLoader::Load(const std::string& path, std::string& error) {
    Unload();
    // A bare file name would send dlopen searching the library path; a user
    // naming a file means that file.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    m_Handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_Handle == nullptr) {
        error = path + ": cannot load the plug-in: " + LastDlError();
        return false;
    }

    using Factory = CScoutAgent* (*)();
    dlerror();
    void* factory = dlsym(m_Handle, kFactory);
    if (factory == nullptr) {
        error = path + ": the plug-in has no " + kFactory;
        Unload();
        return false;
    }

    std::string version;
    for (const char* symbol : kVersionSymbols) {
        const void* constant = dlsym(m_Handle, symbol);
        if (constant == nullptr) {
            error = path + ": the plug-in lacks the version constant " + symbol;
            Unload();
            return false;
        }
        if (!version.empty())
            version += '.';
        version += std::to_string(*static_cast<const int*>(constant));
    }

    m_Factory = factory;
    m_Agent = reinterpret_cast<Factory>(factory)();
    if (m_Agent == nullptr) {
        error = path + ": " + kFactory + " returned no agent";
        Unload();
        return false;
    }
    m_Agent->ZASetSCName();
    m_Agent->ZASetSCDesc();
    m_Version = version;
    return true;
}

CScoutAgent* PluginLoader::AnotherAgent() {
    using Factory = CScoutAgent* (*)();
    if (m_Factory == nullptr)
        return nullptr;
    std::unique_ptr<CScoutAgent> agent(reinterpret_cast<Factory>(m_Factory)());
    if (!agent)
        return nullptr;
    agent->ZASetSCName();
    agent->ZASetSCDesc();
    m_MoreAgents.push_back(std::move(agent));
    return m_MoreAgents.back().get();
}

const std::string& PluginLoader::Name() const {
    return m_Agent != nullptr ? m_Agent->ZAGetName() : Empty();
}

const std::string& PluginLoader::Description() const {
    return m_Agent != nullptr ? m_Agent->ZAGetDesc() : Empty();
}
