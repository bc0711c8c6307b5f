#include "TelnetServerSession.h"

#include <sys/socket.h>

#include <cerrno>
#include <utility>

TelnetServerSession::TelnetServerSession(UniqueFd socket, const ServedRouter& router,
                                         std::chrono::milliseconds latency)
    : m_Socket(std::move(socket)), m_Codec(TelnetCodec::Role::kServer), m_Dialogue(router),
      m_Latency(latency) {}

bool TelnetServerSession::Open() {
    m_Codec.Open();
    m_Codec.Send(m_Dialogue.Greeting());
    return Flush();
}

bool TelnetServerSession::WantsRead() const {
    if (m_Draining)
        return true;
    return !m_Closing && !m_Waiting && m_InputAt == m_Input.size() &&
           m_Codec.PendingSize() < kHighWater;
}

bool TelnetServerSession::OnReadable() {
    char buffer[16384];
    const ssize_t got = ::recv(m_Socket.Get(), buffer, sizeof buffer, 0);
    if (got < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    if (got == 0)
        return false;
    if (m_Draining)
        return true;
    if (m_InputAt == m_Input.size()) {
        m_Input.clear();
        m_InputAt = 0;
    }
    m_Codec.Receive(buffer, static_cast<std::size_t>(got), m_Input);
    if (m_Codec.Failed())
        return false;
    return Process();
}

bool TelnetServerSession::OnWritable() {
    if (!Flush())
        return false;
    return m_Codec.PendingSize() >= kHighWater || Process();
}

bool TelnetServerSession::OnDue(Clock::time_point now) {
    if (now < m_Due)
        return true;
    if (m_Draining)
        return false;
    if (!m_Waiting)
        return true;
    m_Waiting = false;
    std::string text;
    const IosRouterDialogue::Step step = m_Dialogue.Execute(text);
    Queue(step, text);
    return Process();
}

bool TelnetServerSession::Process() {
    std::string text;
    while (m_InputAt < m_Input.size() && !m_Waiting && !m_Closing &&
           m_Codec.PendingSize() + text.size() < kHighWater) {
        IosRouterDialogue::Step step = m_Dialogue.Type(m_Input[m_InputAt++], text);
        if (step == IosRouterDialogue::Step::kCommand) {
            if (m_Latency.count() > 0) {
                m_Waiting = true;
                m_Due = Clock::now() + m_Latency;
                break;
            }
            step = m_Dialogue.Execute(text);
        }
        if (step == IosRouterDialogue::Step::kClose)
            m_Closing = true;
    }
    Queue(IosRouterDialogue::Step::kContinue, text);
    return Flush();
}

void TelnetServerSession::Queue(IosRouterDialogue::Step step, const std::string& text) {
    m_Codec.Send(text);
    if (step == IosRouterDialogue::Step::kClose)
        m_Closing = true;
}

bool TelnetServerSession::Flush() {
    while (m_Codec.PendingSize() > 0) {
        const ssize_t sent =
            ::send(m_Socket.Get(), m_Codec.Pending(), m_Codec.PendingSize(), MSG_NOSIGNAL);
        if (sent > 0) {
            m_Codec.Consume(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        return sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    if (m_Closing && !m_Draining) {
        // Closing at once with the client's bytes unread would reset the
        // connection and could lose the last words; half-close and drain.
        ::shutdown(m_Socket.Get(), SHUT_WR);
        m_Draining = true;
        m_Due = Clock::now() + kLinger;
    }
    return true;
}
