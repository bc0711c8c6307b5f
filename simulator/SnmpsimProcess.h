// One snmpsimd child process, stopped when the object goes away: SIGTERM,
// then SIGKILL if it is still there after a grace period, and reaped either
// way. It is also killed when the thread that started it ends (the kernel's
// parent-death signal), so a parent that dies leaves no snmpsimd behind:
// start it from a thread that lives as long as the serving does.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class SnmpsimProcess {
public:
    // Who the child runs as; without a change, as the parent.
    struct Identity {
        bool change = false;
        uid_t user = 0;
        gid_t group = 0;
    };

    static constexpr int kStopGraceMs = 3000;

    SnmpsimProcess();
    ~SnmpsimProcess();
    SnmpsimProcess(const SnmpsimProcess&) = delete;
    SnmpsimProcess& operator=(const SnmpsimProcess&) = delete;

    // Runs `program` (a path, or a name looked up on PATH) with these
    // arguments and exactly this environment, in a process group of its own,
    // stdin and stdout on /dev/null and stderr into the file `stderrPath`.
    // False with the reason when it cannot be started.
    bool Start(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, const Identity& identity,
               const std::string& stderrPath, std::string& error);

    // Whether the child still runs; when it has ended, `ending` says how
    // ("exited with status 1", "was killed by signal 9").
    bool Running(std::string& ending);

    // Ends the child (see above); nothing when none runs.
    void Stop();

    pid_t Pid() const { return m_Pid; }

private:
    pid_t m_Pid = -1;
};
