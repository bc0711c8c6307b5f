#include "SnmpsimProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "UniqueFd.h"

namespace {

// Flags for close_range(2), which older C libraries do not name.
constexpr unsigned kCloseRangeCloexec = 1U << 2;

std::string Ending(int status) {
    if (WIFEXITED(status))
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "was killed by signal " + std::to_string(WTERMSIG(status));
    return "ended";
}

bool Executable(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

// The program's path: as given when it names a path, else the first match
// on the parent's PATH.
std::string FindProgram(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return Executable(program) ? program : "";
    const char* path = std::getenv("PATH");
    std::string directories = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= directories.size()) {
        std::size_t end = directories.find(':', start);
        if (end == std::string::npos)
            end = directories.size();
        std::string directory = directories.substr(start, end - start);
        const std::string candidate = (directory.empty() ? "." : directory) + "/" + program;
        if (Executable(candidate))
            return candidate;
        start = end + 1;
    }
    return "";
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// In the child, between fork and exec: only async-signal-safe calls. A
// failure sends errno up the pipe and ends the child.
[[noreturn]] void Fail(int pipe) {
    const int error = errno;
    while (write(pipe, &error, sizeof error) < 0 && errno == EINTR) {
    }
    _exit(127);
}

} // namespace

SnmpsimProcess::SnmpsimProcess() = default;

SnmpsimProcess::~SnmpsimProcess() {
    Stop();
}

bool SnmpsimProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, const Identity& identity,
                           const std::string& stderrPath, std::string& error) {
    if (m_Pid > 0) {
        error = "snmpsimd is already running";
        return false;
    }
    const std::string path = FindProgram(program);
    if (path.empty()) {
        error = "cannot find the program " + program;
        return false;
    }
    // Everything the child needs is made before fork.
    std::vector<std::string> argumentCopy;
    argumentCopy.push_back(path);
    argumentCopy.insert(argumentCopy.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environmentCopy = environment;
    std::vector<char*> argv = Pointers(argumentCopy);
    std::vector<char*> envp = Pointers(environmentCopy);

    UniqueFd nothing(open("/dev/null", O_RDWR | O_CLOEXEC));
    UniqueFd errors(open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!nothing.Valid() || !errors.Valid()) {
        error = std::string("cannot prepare the output of snmpsimd: ") + std::strerror(errno);
        return false;
    }
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    UniqueFd report(pipeEnds[0]);
    UniqueFd reportWrite(pipeEnds[1]);
    rlimit files{};
    const int lastFd = getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY
                           ? static_cast<int>(std::min<rlim_t>(files.rlim_cur, 65536))
                           : 65536;
    const pid_t parent = getpid();

    const pid_t child = fork();
    if (child < 0) {
        error = std::string("cannot start snmpsimd: ") + std::strerror(errno);
        return false;
    }
    if (child == 0) {
        const int pipe = reportWrite.Get();
        setpgid(0, 0);
        if (identity.change) {
            if (setgroups(0, nullptr) != 0 || setgid(identity.group) != 0 ||
                setuid(identity.user) != 0)
                Fail(pipe);
        }
        // After the change of user, which would clear it.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
            Fail(pipe);
        if (getppid() != parent)
            _exit(0);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGCHLD})
            std::signal(signal, SIG_DFL);
        if (dup2(nothing.Get(), STDIN_FILENO) < 0 || dup2(nothing.Get(), STDOUT_FILENO) < 0 ||
            dup2(errors.Get(), STDERR_FILENO) < 0)
            Fail(pipe);
        // No descriptor of the parent's (sockets of other servers) lives on.
        if (syscall(SYS_close_range, 3U, ~0U, kCloseRangeCloexec) != 0) {
            for (int fd = 3; fd < lastFd; ++fd) {
                if (fd != pipe)
                    fcntl(fd, F_SETFD, FD_CLOEXEC);
            }
        }
        execve(argv[0], argv.data(), envp.data());
        Fail(pipe);
    }

    reportWrite.Reset();
    int childError = 0;
    ssize_t got;
    do {
        got = read(report.Get(), &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    if (got > 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        error = "cannot start " + path + ": " + std::strerror(childError);
        return false;
    }
    m_Pid = child;
    return true;
}

bool SnmpsimProcess::Running(std::string& ending) {
    if (m_Pid <= 0) {
        ending = "is not running";
        return false;
    }
    int status = 0;
    const pid_t reaped = waitpid(m_Pid, &status, WNOHANG);
    if (reaped == 0)
        return true;
    ending = reaped == m_Pid ? Ending(status) : "ended";
    m_Pid = -1;
    return false;
}

void SnmpsimProcess::Stop() {
    if (m_Pid <= 0)
        return;
    kill(m_Pid, SIGTERM);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopGraceMs);
    int status = 0;
    for (;;) {
        const pid_t reaped = waitpid(m_Pid, &status, WNOHANG);
        if (reaped == m_Pid || (reaped < 0 && errno != EINTR)) {
            m_Pid = -1;
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(m_Pid, SIGKILL);
    while (waitpid(m_Pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_Pid = -1;
}
