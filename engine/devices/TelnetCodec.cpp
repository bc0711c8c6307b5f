#include "TelnetCodec.h"

#include <libtelnet.h>

#include <cstring>
#include <new>

namespace {

// What each side agrees to; libtelnet refuses every option not listed.
const telnet_telopt_t kClientOptions[] = {
    {TELNET_TELOPT_ECHO, TELNET_WONT, TELNET_DO},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {-1, 0, 0},
};

const telnet_telopt_t kServerOptions[] = {
    {TELNET_TELOPT_ECHO, TELNET_WILL, TELNET_DONT},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_TTYPE, TELNET_WONT, TELNET_DO},
    {TELNET_TELOPT_NAWS, TELNET_WONT, TELNET_DO},
    {-1, 0, 0},
};

// Room for a login's worth of bytes, so that a password written to the
// queue is not left behind in a buffer given up by a reallocation.
constexpr std::size_t kInitialQueue = 4096;

} // namespace

TelnetCodec::TelnetCodec(Role role) : m_Role(role) {
    m_Outgoing.reserve(kInitialQueue);
    m_Telnet = telnet_init(role == Role::kClient ? kClientOptions : kServerOptions,
                           &TelnetCodec::OnEvent, 0, this);
    if (m_Telnet == nullptr)
        throw std::bad_alloc();
}

TelnetCodec::~TelnetCodec() {
    telnet_free(m_Telnet);
    if (!m_Outgoing.empty())
        explicit_bzero(m_Outgoing.data(), m_Outgoing.size());
}

void TelnetCodec::Open() {
    if (m_Role != Role::kServer)
        return;
    telnet_negotiate(m_Telnet, TELNET_WILL, TELNET_TELOPT_ECHO);
    telnet_negotiate(m_Telnet, TELNET_WILL, TELNET_TELOPT_SGA);
    telnet_negotiate(m_Telnet, TELNET_DO, TELNET_TELOPT_TTYPE);
    telnet_negotiate(m_Telnet, TELNET_DO, TELNET_TELOPT_NAWS);
}

void TelnetCodec::Receive(const char* bytes, std::size_t size, std::string& data) {
    if (Failed() || size == 0)
        return;
    m_Sink = &data;
    telnet_recv(m_Telnet, bytes, size);
    m_Sink = nullptr;
}

void TelnetCodec::Send(const char* data, std::size_t size) {
    if (size > 0)
        telnet_send(m_Telnet, data, size);
}

void TelnetCodec::Consume(std::size_t count) {
    if (count > PendingSize())
        count = PendingSize();
    explicit_bzero(m_Outgoing.data() + m_Sent, count);
    m_Sent += count;
    if (m_Sent == m_Outgoing.size()) {
        m_Outgoing.clear();
        m_Sent = 0;
    } else if (m_Sent > m_Outgoing.size() / 2) {
        const std::size_t rest = m_Outgoing.size() - m_Sent;
        std::memmove(m_Outgoing.data(), m_Outgoing.data() + m_Sent, rest);
        explicit_bzero(m_Outgoing.data() + rest, m_Sent);
        m_Outgoing.resize(rest);
        m_Sent = 0;
    }
}

void TelnetCodec::OnEvent(telnet_t* telnet, telnet_event_t* event, void* self) {
    TelnetCodec& codec = *static_cast<TelnetCodec*>(self);
    switch (event->type) {
    case TELNET_EV_DATA:
        codec.Data(event->data.buffer, event->data.size);
        break;
    case TELNET_EV_SEND:
        codec.m_Outgoing.append(event->data.buffer, event->data.size);
        break;
    case TELNET_EV_WILL:
        // The client agreed to tell its terminal type: ask for it, as IOS
        // does, and let the answer go.
        if (codec.m_Role == Role::kServer && event->neg.telopt == TELNET_TELOPT_TTYPE)
            telnet_ttype_send(telnet);
        break;
    case TELNET_EV_COMPRESS:
        if (event->compress.state != 0)
            codec.Fail("the peer compressed the telnet stream unasked");
        break;
    case TELNET_EV_ERROR:
        codec.Fail("the telnet stream is malformed");
        break;
    default:
        // Negotiation is answered by libtelnet from the option table; other
        // commands and subnegotiations carry nothing this side uses.
        break;
    }
}

void TelnetCodec::Data(const char* bytes, std::size_t size) {
    if (m_Sink == nullptr || Failed())
        return;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (!(m_AfterCr && c == '\0'))
            m_Sink->push_back(c);
        m_AfterCr = c == '\r';
    }
}

void TelnetCodec::Fail(const char* reason) {
    if (!Failed())
        m_Failure = reason;
}
