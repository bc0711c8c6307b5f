// Loads the agent plug-in at run time: opens the shared library, creates the
// agent through its factory SAInstantiate, lets it set its name and
// description, and reads its version constants.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CScoutAgent.h"

class PluginLoader {
public:
    PluginLoader() = default;
    PluginLoader(const PluginLoader&) = delete;
    PluginLoader& operator=(const PluginLoader&) = delete;
    // Destroys the agent, then closes the library.
    ~PluginLoader();

    // libAgentQuillon.so in the folder of the running program.
    // The plug-in of the profile ("classic" or "xe") in the same folder.
    static std::string DefaultPath(const std::string& profile = "classic");

    // On failure returns false and sets a one-line `error` naming the file.
    bool Load(const std::string& path, std::string& error);

    CScoutAgent* Agent() const { return m_Agent; }
    // One more agent from the plug-in's factory, named as the first, for a
    // worker of its own; owned by the loader. Null when none can be made.
    CScoutAgent* AnotherAgent();
    const std::string& Name() const;
    const std::string& Description() const;
    // Major.minor.revision.build, as the plug-in exports them.
    const std::string& Version() const { return m_Version; }

private:
    void Unload();

    void* m_Handle = nullptr;
    CScoutAgent* m_Agent = nullptr;
    void* m_Factory = nullptr;
    std::vector<std::unique_ptr<CScoutAgent>> m_MoreAgents;
    std::string m_Version;
};
