#include "SshServerSession.h"

#include <utility>

#include "IosRouterDialogue.h"

// The login is read with libssh's message calls, which it marks deprecated in
// favour of callbacks driven by an event loop; a session on a thread of its
// own wants the blocking calls.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

// How long a client may take over the key exchange and the login, and
// over one message of either.
constexpr long kHandshakeSeconds = 30;
// Reads wake this often to see whether the session was stopped.
constexpr int kReadSliceMs = 200;
// Messages before the login, at most: more is a client that will not log in.
constexpr int kMostMessages = 32;

struct MessageFree {
    void operator()(ssh_message message) const { ssh_message_free(message); }
};
using Message = std::unique_ptr<ssh_message_struct, MessageFree>;

// The key as a .pub file shows it, without the comment.
std::string KeyText(ssh_key key) {
    char* base64 = nullptr;
    if (ssh_pki_export_pubkey_base64(key, &base64) != SSH_OK)
        return std::string();
    std::string text = std::string(ssh_key_type_to_char(ssh_key_type(key))) + " " + base64;
    ssh_string_free_char(base64);
    return text;
}

bool Write(ssh_channel channel, const std::string& text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const int wrote = ssh_channel_write(channel, text.data() + sent,
                                            static_cast<uint32_t>(text.size() - sent));
        if (wrote < 0)
            return false;
        sent += static_cast<std::size_t>(wrote);
    }
    return true;
}

} // namespace

void SshServerSession::SessionFree::operator()(ssh_session session) const {
    ssh_disconnect(session);
    ssh_free(session);
}

SshServerSession::SshServerSession(SessionHandle session, const ServedRouter& router,
                                   const std::vector<std::string>& authorizedKeys,
                                   std::chrono::milliseconds latency,
                                   std::atomic<std::size_t>& logins)
    : m_Session(std::move(session)), m_Router(router), m_AuthorizedKeys(authorizedKeys),
      m_Latency(latency), m_Logins(logins) {}

SshServerSession::~SshServerSession() = default;

void SshServerSession::Stop() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Stopped = true;
    m_Wake.notify_all();
}

void SshServerSession::Run() {
    ssh_session session = m_Session.get();
    ssh_options_set(session, SSH_OPTIONS_TIMEOUT, &kHandshakeSeconds);
    ssh_set_auth_methods(session, SSH_AUTH_METHOD_PASSWORD | SSH_AUTH_METHOD_PUBLICKEY);
    if (ssh_handle_key_exchange(session) != SSH_OK || !Authenticate())
        return;
    ChannelHandle channel = OpenShell();
    if (channel)
        Converse(channel.get());
}

bool SshServerSession::Authenticate() {
    int failures = 0;
    for (int i = 0; i < kMostMessages && !m_Stopped; ++i) {
        Message message(ssh_message_get(m_Session.get()));
        if (!message)
            return false;
        ssh_message request = message.get();
        if (ssh_message_type(request) != SSH_REQUEST_AUTH) {
            ssh_message_reply_default(request);
            continue;
        }
        bool accepted = false;
        if (ssh_message_subtype(request) != SSH_AUTH_METHOD_NONE)
            ++m_Logins;
        switch (ssh_message_subtype(request)) {
        case SSH_AUTH_METHOD_PASSWORD: {
            const char* user = ssh_message_auth_user(request);
            const char* password = ssh_message_auth_password(request);
            accepted = user != nullptr && password != nullptr && m_Router.user == user &&
                       m_Router.password == password;
            break;
        }
        case SSH_AUTH_METHOD_PUBLICKEY: {
            ssh_key key = ssh_message_auth_pubkey(request);
            if (!KeyAuthorized(key))
                break;
            if (ssh_message_auth_publickey_state(request) == SSH_PUBLICKEY_STATE_NONE) {
                // Asked whether the key would do: yes, if signed.
                ssh_message_auth_reply_pk_ok_simple(request);
                continue;
            }
            accepted = ssh_message_auth_publickey_state(request) == SSH_PUBLICKEY_STATE_VALID;
            break;
        }
        default:
            break;
        }
        if (accepted) {
            ssh_message_auth_reply_success(request, 0);
            return true;
        }
        if (ssh_message_subtype(request) != SSH_AUTH_METHOD_NONE &&
            ++failures >= IosRouterDialogue::kLoginTries)
            return false;
        ssh_message_auth_set_methods(request, SSH_AUTH_METHOD_PASSWORD | SSH_AUTH_METHOD_PUBLICKEY);
        ssh_message_reply_default(request);
    }
    return false;
}

bool SshServerSession::KeyAuthorized(ssh_key key) const {
    if (key == nullptr)
        return false;
    const std::string text = KeyText(key);
    for (const std::string& authorized : m_AuthorizedKeys) {
        if (!text.empty() && authorized == text)
            return true;
    }
    return false;
}

SshServerSession::ChannelHandle SshServerSession::OpenShell() {
    ChannelHandle channel;
    for (int i = 0; i < kMostMessages && !m_Stopped; ++i) {
        Message message(ssh_message_get(m_Session.get()));
        if (!message)
            return ChannelHandle();
        ssh_message request = message.get();
        const int type = ssh_message_type(request);
        const int subtype = ssh_message_subtype(request);
        if (!channel && type == SSH_REQUEST_CHANNEL_OPEN && subtype == SSH_CHANNEL_SESSION) {
            channel.reset(ssh_message_channel_request_open_reply_accept(request));
            continue;
        }
        if (channel && type == SSH_REQUEST_CHANNEL &&
            (subtype == SSH_CHANNEL_REQUEST_PTY || subtype == SSH_CHANNEL_REQUEST_ENV ||
             subtype == SSH_CHANNEL_REQUEST_WINDOW_CHANGE)) {
            ssh_message_channel_request_reply_success(request);
            continue;
        }
        if (channel && type == SSH_REQUEST_CHANNEL && subtype == SSH_CHANNEL_REQUEST_SHELL) {
            ssh_message_channel_request_reply_success(request);
            return channel;
        }
        ssh_message_reply_default(request);
    }
    return ChannelHandle();
}

void SshServerSession::Converse(ssh_channel channel) {
    IosRouterDialogue dialogue(m_Router, IosRouterDialogue::Line::kSsh);
    if (!Write(channel, dialogue.Greeting()))
        return;
    char buffer[16384];
    while (!m_Stopped) {
        const int got = ssh_channel_read_timeout(channel, buffer, sizeof buffer, 0, kReadSliceMs);
        if (got == SSH_ERROR || (got == 0 && ssh_channel_is_eof(channel)))
            return;
        std::string out;
        for (int i = 0; i < got; ++i) {
            IosRouterDialogue::Step step = dialogue.Type(buffer[i], out);
            if (step == IosRouterDialogue::Step::kCommand) {
                // What was said so far goes before the delay.
                if (!Write(channel, out) || !Delay())
                    return;
                out.clear();
                step = dialogue.Execute(out);
            }
            if (step == IosRouterDialogue::Step::kClose) {
                Write(channel, out);
                ssh_channel_send_eof(channel);
                ssh_channel_close(channel);
                return;
            }
        }
        if (!Write(channel, out))
            return;
    }
}

bool SshServerSession::Delay() {
    if (m_Latency.count() <= 0)
        return !m_Stopped;
    std::unique_lock<std::mutex> lock(m_Mutex);
    return !m_Wake.wait_for(lock, m_Latency, [this] { return m_Stopped.load(); });
}
