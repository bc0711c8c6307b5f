// One telnet connection to a served router: the socket, the server side of
// the telnet protocol and the router's dialogue. Typed input waits while a
// command's answer is delayed, and while much output is still unsent; at
// the end the connection is half-closed and drained before it goes.
//
// Driven by the server's event loop: it says what it waits for
// (WantsRead, WantsWrite, Due) and is called when that comes.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "IosRouterDialogue.h"
#include "ServedRouter.h"
#include "TelnetCodec.h"
#include "UniqueFd.h"

class TelnetServerSession {
public:
    using Clock = std::chrono::steady_clock;

    // How long a closed session waits for the client to close its side.
    static constexpr std::chrono::milliseconds kLinger{2000};
    // Unsent output past which typed input waits.
    static constexpr std::size_t kHighWater = 256u << 10;

    TelnetServerSession(UniqueFd socket, const ServedRouter& router,
                        std::chrono::milliseconds latency);

    // Queues the negotiation and the greeting, and sends what it can.
    bool Open();
    // Each returns false once the session is over.
    bool OnReadable();
    bool OnWritable();
    // The time given by Due() has come.
    bool OnDue(Clock::time_point now);

    int Fd() const { return m_Socket.Get(); }
    bool WantsRead() const;
    bool WantsWrite() const { return m_Codec.PendingSize() > 0; }
    // When the session next has something to do by itself: a delayed
    // answer, or the end of lingering.
    bool HasDue() const { return m_Waiting || m_Draining; }
    Clock::time_point Due() const { return m_Due; }

private:
    // Feeds typed input to the dialogue until it runs out or must wait.
    bool Process();
    bool Flush();
    void Queue(IosRouterDialogue::Step step, const std::string& text);

    UniqueFd m_Socket;
    TelnetCodec m_Codec;
    IosRouterDialogue m_Dialogue;
    std::chrono::milliseconds m_Latency;
    std::string m_Input; // decoded, not yet typed
    std::size_t m_InputAt = 0;
    bool m_Waiting = false;  // a command's answer is delayed until m_Due
    bool m_Closing = false;  // the dialogue ended: send the rest, then half-close
    bool m_Draining = false; // half-closed: read and drop until the client closes
    Clock::time_point m_Due{};
};
