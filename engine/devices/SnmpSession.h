// One open SNMP session with one router, over net-snmp's single-session API.
// The session is closed when the object goes away. Used by one thread at a
// time; sessions of different routers may be used by different threads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SnmpAnswer.h"
#include "SnmpSettings.h"

class SnmpSession {
public:
    enum class Outcome { Answered, TimedOut, Failed };
    enum class Request { GetNext, GetBulk };

    SnmpSession();
    ~SnmpSession();
    SnmpSession(const SnmpSession&) = delete;
    SnmpSession& operator=(const SnmpSession&) = delete;

    // Checks the settings and opens the session (nothing is sent yet). False
    // with the reason when the settings are unusable. Only loopback addresses
    // (127.0.0.0/8) are accepted, and the session's own socket is bound to
    // 127.0.0.1.
    bool Open(const SnmpSettings& settings, std::string& error);

    // Sends one request for the object after `name` (GETBULK: the next
    // `repetitions` objects) and waits for the answer, resending as the
    // settings say. The first SNMPv3 request first learns the router's engine
    // ID. TimedOut when no answer came; Failed with the reason for anything
    // else that went wrong (an SNMPv3 report included).
    Outcome Ask(Request request, const std::vector<std::uint32_t>& name, int repetitions,
                SnmpAnswer& answer, std::string& error);

private:
    using Key = std::array<unsigned char, 64>;

    // The library keeps one SNMPv3 user per engine ID and name for the whole
    // process, with the keys of whichever session made it first, and signs,
    // encrypts and checks every message with those. Before each send and
    // each read (the library lock held, so that no other session's keys come
    // in between) this puts this session's keys there.
    void UseOwnKeys();

    void* m_Handle = nullptr; // the library's session, owned
    int m_Socket = -1;        // the session's socket, owned by the library's session
    bool m_V3 = false;
    std::string m_User;
    Key m_AuthKey{}; // SNMPv3 keys made from the passphrases; wiped on close
    Key m_PrivKey{};
    std::size_t m_AuthKeyLength = 0;
    std::size_t m_PrivKeyLength = 0;
};
