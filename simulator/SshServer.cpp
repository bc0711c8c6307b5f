#include "SshServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

#include "SshServerSession.h"

namespace {

// Connections taken from one port at a time, so that no port starves others.
constexpr int kAcceptBurst = 16;
// How often a full server looks again for a free place.
constexpr int kFullWaitMs = 50;

struct KeyFree {
    void operator()(ssh_key key) const { ssh_key_free(key); }
};

} // namespace

SshServer::SshServer(std::vector<ServedRouter> routers, Options options)
    : m_Routers(std::move(routers)), m_Options(std::move(options)) {}

SshServer::~SshServer() {
    Stop();
}

bool SshServer::Start(std::string& error) {
    if (m_Bind) {
        error = "the SSH server is already serving";
        return false;
    }
    if (m_Options.latencyMs < 0) {
        error = "a command's delay cannot be negative";
        return false;
    }
    if (!LoadHostKey(error) || !LoadAuthorizedKeys(error) ||
        !RouterPorts::Bind(m_Routers, m_Options.address, m_Options.basePort, m_Options.addressPort,
                           m_Endpoints, m_Ports, error)) {
        m_Bind.reset();
        return false;
    }
    m_Wake.Reset(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!m_Wake.Valid()) {
        error = std::string("cannot serve: ") + std::strerror(errno);
        m_Bind.reset();
        m_Ports.clear();
        m_Endpoints.clear();
        return false;
    }
    m_Stopping = false;
    m_Acceptor = std::thread([this] { Accept(); });
    return true;
}

bool SshServer::LoadHostKey(std::string& error) {
    ssh_key made = nullptr;
    const int result = m_Options.hostKeyFile.empty()
                           ? ssh_pki_generate(SSH_KEYTYPE_ED25519, 0, &made)
                           : ssh_pki_import_privkey_file(m_Options.hostKeyFile.c_str(), nullptr,
                                                         nullptr, nullptr, &made);
    std::unique_ptr<ssh_key_struct, KeyFree> key(made);
    if (result != SSH_OK || !key) {
        error = m_Options.hostKeyFile.empty()
                    ? std::string("cannot make an SSH host key")
                    : "cannot read the SSH host key " + m_Options.hostKeyFile +
                          " (missing, not a private key, or protected by a passphrase)";
        return false;
    }
    char* base64 = nullptr;
    if (ssh_pki_export_pubkey_base64(key.get(), &base64) != SSH_OK) {
        error = "cannot write out the SSH host key";
        return false;
    }
    m_PublicKey = std::string(ssh_key_type_to_char(ssh_key_type(key.get()))) + " " + base64;
    ssh_string_free_char(base64);

    m_Bind.reset(ssh_bind_new());
    const int quiet = SSH_LOG_NOLOG;
    const bool no = false;
    if (!m_Bind ||
        ssh_bind_options_set(m_Bind.get(), SSH_BIND_OPTIONS_LOG_VERBOSITY, &quiet) != 0 ||
        ssh_bind_options_set(m_Bind.get(), SSH_BIND_OPTIONS_PROCESS_CONFIG, &no) != 0 ||
        ssh_bind_options_set(m_Bind.get(), SSH_BIND_OPTIONS_IMPORT_KEY, key.get()) != 0) {
        error = "cannot set up the SSH server";
        return false;
    }
    // The bind owns the key now.
    key.release();
    return true;
}

bool SshServer::LoadAuthorizedKeys(std::string& error) {
    m_AuthorizedKeys.clear();
    if (m_Options.authorizedKeys.empty())
        return true;
    std::ifstream file(m_Options.authorizedKeys);
    if (!file) {
        error = "cannot read the authorized keys " + m_Options.authorizedKeys;
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string type, base64;
        if (words >> type >> base64 && type[0] != '#')
            m_AuthorizedKeys.push_back(type + " " + base64);
    }
    if (m_AuthorizedKeys.empty()) {
        error = m_Options.authorizedKeys + " holds no public key";
        return false;
    }
    return true;
}

void SshServer::Stop() {
    if (!m_Bind)
        return;
    m_Stopping = true;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_Wake.Get(), &one, sizeof one);
    if (m_Acceptor.joinable())
        m_Acceptor.join();
    // The acceptor is gone; Sessions may still be read meanwhile. The
    // workers never take the lock, so it may be held while they end.
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (Worker& worker : m_Workers) {
        worker.session->Stop();
        // Ends whatever libssh waits for on the connection.
        ::shutdown(worker.socket.Get(), SHUT_RDWR);
    }
    for (Worker& worker : m_Workers)
        worker.thread.join();
    m_Workers.clear();
    m_Ports.clear();
    m_Endpoints.clear();
    m_Wake.Reset();
    m_Bind.reset();
}

std::string SshServer::KnownHosts() const {
    std::string text;
    for (const Endpoint& endpoint : m_Endpoints) {
        text += endpoint.port == 22 ? endpoint.address
                                    : "[" + endpoint.address + "]:" + std::to_string(endpoint.port);
        text += " " + m_PublicKey + "\n";
    }
    return text;
}

std::size_t SshServer::Sessions() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::size_t running = 0;
    for (const Worker& worker : m_Workers)
        running += worker.done ? 0 : 1;
    return running;
}

void SshServer::Accept() {
    std::vector<pollfd> watched;
    watched.push_back({m_Wake.Get(), POLLIN, 0});
    for (const RouterPorts::Port& port : m_Ports)
        watched.push_back({port.listener->Fd(), POLLIN, 0});
    while (!m_Stopping) {
        Reap();
        const bool full = Sessions() >= kMostSessions;
        // When full only the wake-up is watched, until a session ends.
        const nfds_t count = full ? 1 : watched.size();
        for (pollfd& entry : watched)
            entry.revents = 0;
        const int ready = ::poll(watched.data(), count, full ? kFullWaitMs : 1000);
        if (ready < 0 && errno != EINTR)
            return;
        if (watched[0].revents != 0)
            return;
        for (std::size_t i = 1; i < count; ++i) {
            if (watched[i].revents == 0)
                continue;
            for (int taken = 0; taken < kAcceptBurst && Sessions() < kMostSessions; ++taken) {
                UniqueFd socket = m_Ports[i - 1].listener->Accept();
                if (!socket.Valid())
                    break;
                Serve(std::move(socket), *m_Ports[i - 1].router);
            }
        }
    }
}

void SshServer::Serve(UniqueFd socket, const ServedRouter& router) {
    // libssh closes the copy it is given; the original stays here, so that
    // Stop can shut the connection down under a blocked session.
    const int copy = fcntl(socket.Get(), F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return;
    SshServerSession::SessionHandle session(ssh_new());
    if (!session) {
        ::close(copy);
        return;
    }
    const int quiet = SSH_LOG_NOLOG;
    ssh_options_set(session.get(), SSH_OPTIONS_LOG_VERBOSITY, &quiet);
    if (ssh_bind_accept_fd(m_Bind.get(), session.get(), copy) != SSH_OK) {
        if (ssh_get_fd(session.get()) != copy)
            ::close(copy);
        return;
    }
    std::lock_guard<std::mutex> lock(m_Mutex);
    Worker& worker = m_Workers.emplace_back();
    worker.session = std::make_unique<SshServerSession>(
        std::move(session), router, m_AuthorizedKeys,
        std::chrono::milliseconds(m_Options.latencyMs), m_Logins);
    worker.socket = std::move(socket);
    worker.thread = std::thread([&worker] {
        worker.session->Run();
        worker.done = true;
    });
}

void SshServer::Reap() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (auto it = m_Workers.begin(); it != m_Workers.end();) {
        if (it->done) {
            it->thread.join();
            it = m_Workers.erase(it);
        } else {
            ++it;
        }
    }
}
