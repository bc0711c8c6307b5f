// `quillon serve` as a child process for one test: serves the given labs on
// 127.0.0.1 from a free base port, writes the inventory that reaches them,
// and is stopped (SIGTERM) when the test is done.
#pragma once

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "QuillonProcess.h"

namespace quillon_test {

class ServedLab {
public:
    // Serves the labs (none: the example lab) with the extra serve options.
    explicit ServedLab(const std::vector<std::string>& labs,
                       const std::vector<std::string>& options = {}) {
        // Ports from a range of this process's own, tried until one is free.
        for (int attempt = 0; attempt < 20 && !m_Ready; ++attempt) {
            m_Port = 20000 + static_cast<int>((getpid() * 131 + attempt * 997) % 30000);
            Start(labs, options);
        }
    }
    ~ServedLab() { Stop(); }
    ServedLab(const ServedLab&) = delete;
    ServedLab& operator=(const ServedLab&) = delete;

    bool Ready() const { return m_Ready; }
    int Port() const { return m_Port; }
    std::string Inventory() const { return m_Folder / "inventory.yml"; }
    std::string Log() const { return ReadFile(m_Folder / "err"); }

private:
    void Start(const std::vector<std::string>& labs, const std::vector<std::string>& options) {
        std::vector<std::string> arguments = {"serve", "--port", std::to_string(m_Port),
                                              "--inventory-out", Inventory()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), labs.begin(), labs.end());
        m_Child = StartQuillon(arguments, m_Folder);
        // Ready once it says so; gone when a port was taken.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (ReadFile(m_Folder / "out").find("; ready\n") != std::string::npos) {
                m_Ready = true;
                return;
            }
            int status = 0;
            if (waitpid(m_Child, &status, WNOHANG) == m_Child) {
                m_Child = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        Stop();
    }

    void Stop() {
        if (m_Child <= 0)
            return;
        kill(m_Child, SIGTERM);
        int status = 0;
        waitpid(m_Child, &status, 0);
        m_Child = -1;
    }

    ScratchFolder m_Folder;
    int m_Port = 0;
    pid_t m_Child = -1;
    bool m_Ready = false;
};

} // namespace quillon_test
