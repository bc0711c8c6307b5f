#include "SshConnection.h"

#include <poll.h>
#include <stdlib.h>

#include <algorithm>
#include <utility>

#include "TcpDialer.h"

namespace {

// Rounds of keyboard-interactive questions answered, at most.
constexpr int kQuestionRounds = 4;
// How long a clean goodbye may take.
constexpr std::chrono::milliseconds kGoodbye(500);

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

} // namespace

void SshConnection::SessionFree::operator()(ssh_session session) const {
    ssh_disconnect(session);
    ssh_free(session);
}

void SshConnection::ChannelFree::operator()(ssh_channel channel) const {
    ssh_channel_free(channel);
}

SshConnection::SshConnection(std::string user, Secret password, SshSettings settings)
    : m_User(std::move(user)), m_Password(std::move(password)), m_Settings(std::move(settings)) {}

SshConnection::~SshConnection() {
    Close();
}

std::string SshConnection::KnownHostsFile() const {
    if (!m_Settings.knownHostsFile.empty())
        return m_Settings.knownHostsFile;
    const char* home = getenv("HOME");
    return std::string(home ? home : "") + "/.ssh/known_hosts";
}

SshConnection::Status SshConnection::Connect(const std::string& address, int port,
                                             Clock::time_point deadline, std::string& reason) {
    Close();
    if (!m_Settings.privateKeyFile.empty() && !m_Key) {
        ssh_key key = nullptr;
        if (ssh_pki_import_privkey_file(m_Settings.privateKeyFile.c_str(), nullptr, nullptr,
                                        nullptr, &key) != SSH_OK) {
            reason = "cannot read the private key file " + m_Settings.privateKeyFile +
                     " (missing, not a key, or protected by a passphrase)";
            return Status::kFailed;
        }
        m_Key.reset(key);
    }
    UniqueFd socket;
    const Status connected = TcpDialer::Connect(address, port, deadline, socket, reason);
    if (connected != Status::kOk)
        return connected;

    m_Session.reset(ssh_new());
    if (!m_Session) {
        reason = "cannot start an SSH session";
        return Status::kFailed;
    }
    ssh_session session = m_Session.get();
    const int nothing = SSH_LOG_NOLOG;
    const int no = 0;
    const unsigned int portNumber = static_cast<unsigned int>(port);
    const std::string knownHosts = KnownHostsFile();
    // The socket is ours, so no configuration file can send the session
    // elsewhere; none is read anyway.
    bool set = ssh_options_set(session, SSH_OPTIONS_PROCESS_CONFIG, &no) == 0 &&
               ssh_options_set(session, SSH_OPTIONS_LOG_VERBOSITY, &nothing) == 0 &&
               ssh_options_set(session, SSH_OPTIONS_HOST, address.c_str()) == 0 &&
               ssh_options_set(session, SSH_OPTIONS_PORT, &portNumber) == 0 &&
               ssh_options_set(session, SSH_OPTIONS_KNOWNHOSTS, knownHosts.c_str()) == 0 &&
               ssh_options_set(session, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, "/dev/null") == 0;
    if (set && !m_User.empty())
        set = ssh_options_set(session, SSH_OPTIONS_USER, m_User.c_str()) == 0;
    if (!set) {
        reason = std::string("cannot set up the SSH session: ") + ssh_get_error(session);
        Close();
        return Status::kFailed;
    }
    // The session closes the socket from now on.
    const socket_t fd = socket.Release();
    ssh_options_set(session, SSH_OPTIONS_FD, &fd);
    return Status::kOk;
}

SshConnection::Status SshConnection::Start(Clock::time_point deadline, std::string& reason) {
    if (!m_Session) {
        reason = "not connected";
        return Status::kFailed;
    }
    if (!Limit(deadline))
        return Status::kTimeout;
    if (ssh_connect(m_Session.get()) != SSH_OK)
        return Failure(deadline, "SSH key exchange failed", reason);
    const Status checked = CheckHostKey(reason);
    if (checked != Status::kOk)
        return checked;
    const Status authenticated = Authenticate(deadline, reason);
    if (authenticated != Status::kOk)
        return authenticated;
    return OpenShell(deadline, reason);
}

SshConnection::Status SshConnection::CheckHostKey(std::string& reason) {
    if (!m_Settings.hostKeyChecking)
        return Status::kOk;
    const std::string file = KnownHostsFile();
    switch (ssh_session_is_known_server(m_Session.get())) {
    case SSH_KNOWN_HOSTS_OK:
        return Status::kOk;
    case SSH_KNOWN_HOSTS_CHANGED:
    case SSH_KNOWN_HOSTS_OTHER:
        reason = "host key mismatch: the router's key is not the one " + file +
                 " holds (no login tried)";
        break;
    case SSH_KNOWN_HOSTS_UNKNOWN:
    case SSH_KNOWN_HOSTS_NOT_FOUND:
        reason = "host key unknown: " + file + " holds no key for the router (no login tried)";
        break;
    default:
        reason =
            "cannot check the host key against " + file + ": " + ssh_get_error(m_Session.get());
        break;
    }
    Close();
    return Status::kFailed;
}

SshConnection::Status SshConnection::Authenticate(Clock::time_point deadline, std::string& reason) {
    ssh_session session = m_Session.get();
    int result = ssh_userauth_none(session, nullptr);
    if (result == SSH_AUTH_ERROR)
        return Failure(deadline, "SSH authentication failed", reason);
    if (result == SSH_AUTH_SUCCESS)
        return Status::kOk;
    const int offered = ssh_userauth_list(session, nullptr);
    std::string tried;
    const auto attempt = [&](const char* method, int outcome) {
        tried += tried.empty() ? method : std::string(", ") + method;
        return outcome;
    };
    if (m_Key && (offered & SSH_AUTH_METHOD_PUBLICKEY) && Limit(deadline))
        result = attempt("publickey", ssh_userauth_publickey(session, nullptr, m_Key.get()));
    if (result == SSH_AUTH_DENIED && !m_Password.Empty() && (offered & SSH_AUTH_METHOD_PASSWORD) &&
        Limit(deadline))
        result = attempt("password",
                         ssh_userauth_password(session, nullptr, m_Password.Reveal().c_str()));
    if ((result == SSH_AUTH_DENIED || result == SSH_AUTH_PARTIAL) && !m_Password.Empty() &&
        (offered & SSH_AUTH_METHOD_INTERACTIVE) && Limit(deadline))
        result = attempt("keyboard-interactive", KeyboardInteractive(deadline));
    if (result == SSH_AUTH_SUCCESS)
        return Status::kOk;
    if (result == SSH_AUTH_ERROR || Clock::now() >= deadline)
        return Failure(deadline, "SSH authentication failed", reason);
    reason = tried.empty() ? "login refused (the router offers no way to log in with what is given)"
                           : "login refused (" + tried + " not accepted)";
    Close();
    return Status::kFailed;
}

int SshConnection::KeyboardInteractive(Clock::time_point deadline) {
    ssh_session session = m_Session.get();
    int result = ssh_userauth_kbdint(session, nullptr, nullptr);
    for (int round = 0; result == SSH_AUTH_INFO && round < kQuestionRounds; ++round) {
        const int questions = ssh_userauth_kbdint_getnprompts(session);
        for (int i = 0; i < questions; ++i) {
            char echo = 0;
            ssh_userauth_kbdint_getprompt(session, static_cast<unsigned int>(i), &echo);
            // A question shown as typed wants the user name; a hidden one,
            // the password.
            const std::string& answer = echo ? m_User : m_Password.Reveal();
            if (ssh_userauth_kbdint_setanswer(session, static_cast<unsigned int>(i),
                                              answer.c_str()) < 0)
                return SSH_AUTH_ERROR;
        }
        if (!Limit(deadline))
            return SSH_AUTH_ERROR;
        result = ssh_userauth_kbdint(session, nullptr, nullptr);
    }
    return result == SSH_AUTH_INFO ? SSH_AUTH_DENIED : result;
}

SshConnection::Status SshConnection::OpenShell(Clock::time_point deadline, std::string& reason) {
    m_Channel.reset(ssh_channel_new(m_Session.get()));
    if (!m_Channel) {
        reason = "cannot open an SSH channel";
        Close();
        return Status::kFailed;
    }
    // libssh bounds the login by the session's timeout, but not the
    // channel's requests or the waits of a write: from here on every call
    // returns at once and the waiting is done here, within deadlines.
    ssh_set_blocking(m_Session.get(), 0);
    ssh_channel channel = m_Channel.get();
    const std::pair<const char*, int (*)(ssh_channel)> steps[] = {
        {"the router opened no SSH channel", ssh_channel_open_session},
        {"the router gave no terminal", ssh_channel_request_pty},
        {"the router started no shell", ssh_channel_request_shell},
    };
    for (const auto& [failure, step] : steps) {
        int result;
        while ((result = step(channel)) == SSH_AGAIN) {
            const Status waited = WaitForRouter(deadline, reason);
            if (waited != Status::kOk)
                return waited;
        }
        if (result != SSH_OK)
            return Failure(deadline, failure, reason);
    }
    return Status::kOk;
}

SshConnection::Status SshConnection::WaitForRouter(Clock::time_point deadline,
                                                   std::string& reason) {
    const Status waited = TcpDialer::Wait(ssh_get_fd(m_Session.get()), POLLIN, deadline, reason);
    if (waited == Status::kTimeout)
        Close();
    return waited;
}

SshConnection::Status SshConnection::Read(Clock::time_point deadline, std::string& data,
                                          std::string& reason) {
    if (!m_Channel) {
        reason = "not connected";
        return Status::kFailed;
    }
    char buffer[16384];
    for (;;) {
        const int waited =
            ssh_channel_poll_timeout(m_Channel.get(), TcpDialer::MillisecondsUntil(deadline), 0);
        if (waited == SSH_EOF)
            return Status::kClosed;
        if (waited == SSH_ERROR)
            return Failure(deadline, "the SSH session failed", reason);
        if (waited == 0) {
            if (Clock::now() >= deadline)
                return Status::kTimeout;
            continue;
        }
        const int got = ssh_channel_read_nonblocking(
            m_Channel.get(), buffer, static_cast<uint32_t>(std::min<int>(waited, sizeof buffer)),
            0);
        if (got == SSH_EOF)
            return Status::kClosed;
        if (got < 0)
            return Failure(deadline, "the SSH session failed", reason);
        if (got > 0) {
            data.append(buffer, static_cast<std::size_t>(got));
            return Status::kOk;
        }
    }
}

SshConnection::Status SshConnection::Send(const char* data, std::size_t size,
                                          Clock::time_point deadline, std::string& reason) {
    if (!m_Channel) {
        reason = "not connected";
        return Status::kFailed;
    }
    std::size_t sent = 0;
    while (sent < size) {
        const int wrote =
            ssh_channel_write(m_Channel.get(), data + sent,
                              static_cast<uint32_t>(std::min<std::size_t>(size - sent, 1u << 15)));
        if (wrote < 0)
            return Failure(deadline, "the SSH session failed", reason);
        sent += static_cast<std::size_t>(wrote);
        if (wrote == 0) {
            // The router's window is full: wait for it to read.
            const Status waited = WaitForRouter(deadline, reason);
            if (waited != Status::kOk)
                return waited;
            if (ssh_channel_poll(m_Channel.get(), 0) == SSH_ERROR)
                return Failure(deadline, "the SSH session failed", reason);
        }
    }
    const int flushed = ssh_blocking_flush(m_Session.get(), TcpDialer::MillisecondsUntil(deadline));
    if (flushed == SSH_AGAIN) {
        Close();
        return Status::kTimeout;
    }
    return flushed == SSH_OK ? Status::kOk : Failure(deadline, "the SSH session failed", reason);
}

void SshConnection::Close() {
    if (m_Session && ssh_is_connected(m_Session.get())) {
        // Leaving politely takes a moment at most.
        Limit(Clock::now() + kGoodbye);
        if (m_Channel && ssh_channel_is_open(m_Channel.get()))
            ssh_channel_close(m_Channel.get());
    }
    m_Channel.reset();
    m_Session.reset();
}

bool SshConnection::Limit(Clock::time_point deadline) {
    const int ms = TcpDialer::MillisecondsUntil(deadline);
    if (ms <= 0 || !m_Session)
        return false;
    const long seconds = ms / 1000;
    const long micros = static_cast<long>(ms % 1000) * 1000;
    ssh_options_set(m_Session.get(), SSH_OPTIONS_TIMEOUT, &seconds);
    ssh_options_set(m_Session.get(), SSH_OPTIONS_TIMEOUT_USEC, &micros);
    return true;
}

SshConnection::Status SshConnection::Failure(Clock::time_point deadline, const std::string& doing,
                                             std::string& reason) {
    const std::string said = m_Session ? ssh_get_error(m_Session.get()) : "";
    const bool gone = !m_Session || !ssh_is_connected(m_Session.get());
    Close();
    if (Clock::now() >= deadline || Contains(said, "imeout") || Contains(said, "imed out"))
        return Status::kTimeout;
    if (Contains(said, "reset"))
        reason = "connection reset";
    else if (gone && (said.empty() || Contains(said, "disconnected") || Contains(said, "closed")))
        return Status::kClosed;
    else
        reason = said.empty() ? doing : doing + ": " + said;
    return Status::kFailed;
}
