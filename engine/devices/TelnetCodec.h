// The telnet protocol of one connection, either side: the peer's bytes
// become data bytes, its option negotiation is answered, and data for the
// peer is escaped. libtelnet does the protocol; this keeps the policy.
//
// The client is a plain NVT: it lets the server echo and suppress go-ahead
// and refuses every other option either way. The server offers echo and
// suppress-go-ahead and asks for the terminal type and window size, as IOS
// does. Either side reads CR NUL as CR and leaves CR LF alone.
#pragma once

#include <cstddef>
#include <string>

struct telnet_t;
union telnet_event_t;

class TelnetCodec {
public:
    enum class Role { kClient, kServer };

    explicit TelnetCodec(Role role);
    ~TelnetCodec();
    TelnetCodec(const TelnetCodec&) = delete;
    TelnetCodec& operator=(const TelnetCodec&) = delete;

    // Queues the negotiation the role opens with (the client's is none).
    void Open();
    // Decodes bytes from the peer and appends their data bytes to data.
    // Answers to the peer's negotiation are queued. Once the stream has
    // failed, everything is ignored.
    void Receive(const char* bytes, std::size_t size, std::string& data);
    // Queues data for the peer, every 0xFF doubled.
    void Send(const char* data, std::size_t size);
    void Send(const std::string& data) { Send(data.data(), data.size()); }

    // The bytes queued for the wire, oldest first.
    const char* Pending() const { return m_Outgoing.data() + m_Sent; }
    std::size_t PendingSize() const { return m_Outgoing.size() - m_Sent; }
    // Takes the first count pending bytes off the queue, wiping them (a
    // password passes through here).
    void Consume(std::size_t count);

    // A stream the codec gave up on: malformed, or compressed unasked.
    bool Failed() const { return !m_Failure.empty(); }
    const std::string& Failure() const { return m_Failure; }

private:
    static void OnEvent(telnet_t* telnet, telnet_event_t* event, void* self);
    void Data(const char* bytes, std::size_t size);
    void Fail(const char* reason);

    Role m_Role;
    telnet_t* m_Telnet = nullptr;  // owned: telnet_free in the destructor
    std::string* m_Sink = nullptr; // the caller's data during Receive
    bool m_AfterCr = false;
    std::string m_Outgoing;
    std::size_t m_Sent = 0;
    std::string m_Failure;
};
