// Serves the SNMP agents of simulated routers through one snmpsimd, each
// agent on its own UDP endpoint with its own data file. Without SNMPv3 the
// agents share snmpsimd's SNMPv1/v2c-only engine, so a few thousand start in
// seconds; with it, agents that let in the same community and SNMPv3 user
// share one SNMP engine (and its engine ID). Secrets reach snmpsimd through a file only it
// can read, never its command line; its log is off, as it would print them.
//
// Start() returns once every agent answers; the process ends with Stop() or
// the runner, and with the thread that started it (see SnmpsimProcess).
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "SnmpsimAgent.h"
#include "SnmpsimDirectory.h"
#include "SnmpsimProcess.h"

class SnmpsimRunner {
public:
    SnmpsimRunner();
    ~SnmpsimRunner();
    SnmpsimRunner(const SnmpsimRunner&) = delete;
    SnmpsimRunner& operator=(const SnmpsimRunner&) = delete;

    // The snmpsimd to run: a path, or a name looked up on PATH.
    void SetProgram(std::string program) { m_Program = std::move(program); }
    // How long Start() waits for every agent to answer. By default 15 s and
    // 50 ms more per agent: snmpsimd takes about 150 ms to set up an engine
    // and a few ms per endpoint.
    void SetReadyTimeoutMs(int timeoutMs) { m_ReadyTimeoutMs = timeoutMs; }
    // Whom snmpsimd runs as when quillon runs as root (snmpsimd refuses
    // root); otherwise it runs as quillon's user.
    void SetProcessUser(std::string user, std::string group);

    // Checks the agents, writes their data and starts snmpsimd. False with
    // the reason (which holds no secret) when an agent is unusable, snmpsimd
    // cannot start, ends early or does not answer in time; nothing is left
    // running then.
    bool Start(const std::vector<SnmpsimAgent>& agents, std::string& error);
    // Whether snmpsimd still runs; when not, `ending` says how it ended.
    bool Running(std::string& ending);
    void Stop();
    // snmpsimd's process ID; -1 when none runs.
    pid_t Pid() const { return m_Process ? m_Process->Pid() : -1; }

private:
    // Checks the agents and writes snmpsimd's directory; `options` are the
    // command-line options the data asks for (never a secret).
    bool Prepare(const std::vector<SnmpsimAgent>& agents, SnmpsimProcess::Identity& identity,
                 std::vector<std::string>& options, std::string& error);
    // The data and the `args` lines of agents that take SNMPv1/v2c only.
    bool PrepareCommunities(const std::vector<SnmpsimAgent>& agents, std::ostringstream& arguments,
                            std::vector<std::string>& options, std::string& error);
    // The same, engine by engine, when some agent takes SNMPv3.
    bool PrepareEngines(const std::vector<SnmpsimAgent>& agents, std::ostringstream& arguments,
                        std::string& error);
    bool WaitUntilAnswering(const std::vector<SnmpsimAgent>& agents, std::string& error);
    // The end of snmpsimd's stderr, with every secret of the agents masked.
    std::string LastWords(const std::vector<SnmpsimAgent>& agents) const;

    std::string m_Program = "snmpsimd";
    int m_ReadyTimeoutMs = 0; // 0: the default for the number of agents
    std::string m_ProcessUser = "nobody";
    std::string m_ProcessGroup = "nogroup";
    std::vector<std::size_t> m_Probes; // the agents walked to see snmpsimd ready
    // The process goes before its directory.
    std::unique_ptr<SnmpsimDirectory> m_Directory;
    std::unique_ptr<SnmpsimProcess> m_Process;
};
