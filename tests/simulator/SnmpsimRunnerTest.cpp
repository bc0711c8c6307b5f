// Starting and stopping snmpsimd: what it refuses, how it fails, and that
// neither its secrets nor the process itself outlive their use.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "LoopbackSocket.h"
#include "SnmpsimRunner.h"

namespace {

using quillon_test::FreeUdpPort;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Gone, or a zombie no one has reaped yet.
bool Ended(pid_t pid) {
    if (kill(pid, 0) != 0)
        return true;
    const std::string stat = ReadAll("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

// For a process this one has become the parent of: reaps it once it ends.
bool EndsWithin(pid_t pid, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The working directory snmpsimd was given, from its command line.
std::string WorkingDirectory(pid_t pid) {
    std::string line = ReadAll("/proc/" + std::to_string(pid) + "/cmdline");
    const std::string option = "--args-from-file=";
    const std::size_t at = line.find(option);
    if (at == std::string::npos)
        return "";
    const std::string file =
        line.substr(at + option.size(), line.find('\0', at) - at - option.size());
    return file.substr(0, file.rfind('/'));
}

class SnmpsimRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_Router.name = "R1";
        m_Router.hostName = "r1";
        m_Router.hasIfDescr = true;
        m_Agent.router = &m_Router;
        m_Agent.port = FreeUdpPort();
        m_Agent.community = Secret("community-secret");
        m_Agent.v3User = "walker";
        m_Agent.v3AuthPassphrase = Secret("auth-passphrase-secret");
        m_Agent.v3PrivPassphrase = Secret("priv-passphrase-secret");
    }

    ServedRouter m_Router;
    SnmpsimAgent m_Agent;
};

TEST_F(SnmpsimRunnerTest, UnusableAgentsAreRefusedBeforeAnythingStarts) {
    const std::string where =
        "the SNMP agent of R1 (127.0.0.1:" + std::to_string(m_Agent.port) + ")";
    std::vector<std::pair<std::vector<SnmpsimAgent>, std::string>> cases;
    cases.push_back({{}, "there is no SNMP agent to serve"});
    SnmpsimAgent agent = m_Agent;
    agent.address = "localhost";
    cases.push_back({{agent},
                     "the SNMP agent of R1 (localhost:" + std::to_string(agent.port) +
                         "): the address is not an IPv4 loopback address (127.0.0.0/8)"});
    agent = m_Agent;
    agent.community = Secret("a/community-secret");
    cases.push_back({{agent},
                     where + ": the community must be 1 to 64 printable ASCII characters "
                             "without blanks or '/', not start with '.' and not be "
                             "\"index\""});
    agent = m_Agent;
    agent.v3PrivPassphrase = Secret("secret");
    cases.push_back({{agent},
                     where + ": an SNMPv3 passphrase must be 8 to 64 printable ASCII "
                             "characters without blanks"});
    cases.push_back({{m_Agent, m_Agent}, where + ": another agent already listens there"});

    for (const auto& [agents, expected] : cases) {
        SnmpsimRunner runner;
        std::string error;
        EXPECT_FALSE(runner.Start(agents, error));
        EXPECT_EQ(error, expected);
        EXPECT_EQ(error.find("secret"), std::string::npos);
        EXPECT_EQ(runner.Pid(), -1);
    }
}

TEST_F(SnmpsimRunnerTest, ASimulatorThatCannotStartIsReportedWithItsLastWordsMasked) {
    SnmpsimRunner missing;
    missing.SetProgram("/nonexistent/snmpsimd");
    std::string error;
    EXPECT_FALSE(missing.Start({m_Agent}, error));
    EXPECT_EQ(error, "cannot find the program /nonexistent/snmpsimd");

    // A stand-in that complains, naming the community, and gives up.
    const std::string script = std::filesystem::temp_directory_path() /
                               ("quillon-snmpsim-test-" + std::to_string(getpid()));
    {
        std::ofstream file(script);
        file << "#!/bin/sh\necho 'starting'\necho 'ERROR: no data for community-secret.' >&2\n"
                "exit 3\n";
    }
    chmod(script.c_str(), 0755);
    SnmpsimRunner failing;
    failing.SetProgram(script);
    EXPECT_FALSE(failing.Start({m_Agent}, error));
    EXPECT_EQ(error, "snmpsimd exited with status 3: ERROR: no data for ***.");
    EXPECT_EQ(failing.Pid(), -1);
    std::filesystem::remove(script);
}

// With SNMPv3 and without (snmpsimd's SNMPv1/v2c-only mode, which reads its
// data directory from the command line).
TEST_F(SnmpsimRunnerTest, SecretsStayOffTheCommandLineAndNothingOutlivesStop) {
    SnmpsimAgent v2c = m_Agent;
    v2c.v3User.clear();
    for (const SnmpsimAgent& agent : {m_Agent, v2c}) {
        SCOPED_TRACE(agent.v3User.empty() ? "SNMPv1/v2c" : "SNMPv3");
        SnmpsimRunner runner;
        std::string error;
        ASSERT_TRUE(runner.Start({agent}, error)) << error;
        const pid_t pid = runner.Pid();
        ASSERT_GT(pid, 0);
        const std::string process = "/proc/" + std::to_string(pid);
        EXPECT_EQ(ReadAll(process + "/cmdline").find("secret"), std::string::npos);
        EXPECT_EQ(ReadAll(process + "/environ").find("secret"), std::string::npos);
        const std::string directory = WorkingDirectory(pid);
        ASSERT_FALSE(directory.empty());
        EXPECT_TRUE(std::filesystem::exists(directory + "/args"));
        if (geteuid() == 0) {
            EXPECT_NE(ReadAll(process + "/status").find("\nUid:\t65534\t"), std::string::npos)
                << "snmpsimd should run as nobody";
        }

        std::string ending;
        EXPECT_TRUE(runner.Running(ending));
        runner.Stop();
        EXPECT_TRUE(Ended(pid));
        EXPECT_FALSE(std::filesystem::exists(directory));
        EXPECT_FALSE(runner.Running(ending));
    }
}

TEST_F(SnmpsimRunnerTest, SnmpsimdEndsWhenItsParentDies) {
    // snmpsimd, orphaned, comes to this process, which reaps it.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t parent = fork();
    ASSERT_GE(parent, 0);
    if (parent == 0) {
        // Starts snmpsimd and dies without stopping it.
        close(pipeEnds[0]);
        SnmpsimRunner runner;
        std::string error;
        pid_t pid = runner.Start({m_Agent}, error) ? runner.Pid() : -1;
        if (write(pipeEnds[1], &pid, sizeof pid) != sizeof pid)
            _exit(2);
        pause();
        _exit(0);
    }
    close(pipeEnds[1]);
    pid_t pid = -1;
    ASSERT_EQ(read(pipeEnds[0], &pid, sizeof pid), static_cast<ssize_t>(sizeof pid));
    close(pipeEnds[0]);
    ASSERT_GT(pid, 0);
    const std::string directory = WorkingDirectory(pid);
    EXPECT_FALSE(Ended(pid));

    kill(parent, SIGKILL);
    int status = 0;
    waitpid(parent, &status, 0);
    const bool ended = EndsWithin(pid, std::chrono::milliseconds(5000));
    EXPECT_TRUE(ended);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    if (!directory.empty())
        std::filesystem::remove_all(directory);
}

} // namespace
