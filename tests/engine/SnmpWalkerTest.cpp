// The walker against a scripted agent on 127.0.0.1 that answers each request
// with the next canned response: where a walk ends, what fails it, and what
// the settings make it do on the wire.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackSocket.h"
#include "SnmpWalker.h"

namespace {

using Name = std::vector<std::uint32_t>;

const Name kIfDescr = {1, 3, 6, 1, 2, 1, 2, 2, 1, 2};
const Name kIfType = {1, 3, 6, 1, 2, 1, 2, 2, 1, 3};

Name Under(Name column, std::uint32_t index) {
    column.push_back(index);
    return column;
}

// BER, as far as the scripted agent needs it.
std::string Tlv(unsigned char tag, const std::string& content) {
    std::string out(1, static_cast<char>(tag));
    const std::size_t length = content.size();
    if (length < 0x80) {
        out += static_cast<char>(length);
    } else {
        out += static_cast<char>(0x82);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(length & 0xff);
    }
    return out + content;
}

std::string Integer(long value, unsigned char tag = 0x02) {
    std::string bytes;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes += static_cast<char>((static_cast<unsigned long>(value) >> shift) & 0xff);
    std::size_t start = 0;
    while (start + 1 < bytes.size() && ((bytes[start] == 0 && !(bytes[start + 1] & 0x80)) ||
                                        (bytes[start] == '\xff' && (bytes[start + 1] & 0x80))))
        ++start;
    return Tlv(tag, bytes.substr(start));
}

std::string Oid(const Name& name) {
    std::string content(1, static_cast<char>(name[0] * 40 + name[1]));
    for (std::size_t i = 2; i < name.size(); ++i) {
        std::string part(1, static_cast<char>(name[i] & 0x7f));
        for (std::uint32_t rest = name[i] >> 7; rest != 0; rest >>= 7)
            part.insert(part.begin(), static_cast<char>(0x80 | (rest & 0x7f)));
        content += part;
    }
    return Tlv(0x06, content);
}

struct Binding {
    Name name;
    std::string value; // encoded
};

struct Reply {
    long errorStatus = 0;
    std::vector<Binding> bindings;
    bool lost = false; // the request gets no answer
};

Binding Text(std::uint32_t index, const std::string& value) {
    return {Under(kIfDescr, index), Tlv(0x04, value)};
}

// Reads a TLV at `at`; false when the bytes run out.
bool Next(const std::string& data, std::size_t& at, unsigned char& tag, std::string& content) {
    if (at + 2 > data.size())
        return false;
    tag = static_cast<unsigned char>(data[at]);
    std::size_t length = static_cast<unsigned char>(data[at + 1]);
    at += 2;
    if (length & 0x80) {
        const std::size_t octets = length & 0x7f;
        length = 0;
        for (std::size_t i = 0; i < octets && at < data.size(); ++i)
            length = (length << 8) | static_cast<unsigned char>(data[at++]);
    }
    if (at + length > data.size())
        return false;
    content = data.substr(at, length);
    at += length;
    return true;
}

// Answers the requests that reach it, in order, with its replies; requests
// after the last reply get no answer. Counts every datagram.
class ScriptedAgent {
public:
    explicit ScriptedAgent(std::vector<Reply> replies) : m_Replies(std::move(replies)) {
        m_Socket = quillon_test::BoundLoopbackSocket(SOCK_DGRAM, m_Port);
        m_Thread = std::thread([this] { Serve(); });
    }
    ~ScriptedAgent() {
        m_Stop = true;
        m_Thread.join();
        close(m_Socket);
    }

    int Port() const { return m_Port; }
    int Requests() const { return m_Requests; }

private:
    void Serve() {
        std::size_t next = 0;
        while (!m_Stop) {
            pollfd wait{m_Socket, POLLIN, 0};
            if (poll(&wait, 1, 20) <= 0)
                continue;
            char buffer[4096];
            sockaddr_in peer{};
            socklen_t peerLength = sizeof peer;
            const ssize_t got = recvfrom(m_Socket, buffer, sizeof buffer, 0,
                                         reinterpret_cast<sockaddr*>(&peer), &peerLength);
            if (got <= 0)
                continue;
            ++m_Requests;
            if (next == m_Replies.size() || m_Replies[next].lost) {
                next += next < m_Replies.size() ? 1 : 0;
                continue;
            }
            const std::string answer = Answer(std::string(buffer, got), m_Replies[next++]);
            sendto(m_Socket, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&peer),
                   peerLength);
        }
    }

    // The reply for a v1/v2c request: its version, community and request ID.
    static std::string Answer(const std::string& request, const Reply& reply) {
        std::size_t at = 0;
        unsigned char tag = 0;
        std::string message, version, community, pdu, requestId;
        if (!Next(request, at, tag, message))
            return "";
        at = 0;
        if (!Next(message, at, tag, version) || !Next(message, at, tag, community) ||
            !Next(message, at, tag, pdu))
            return "";
        std::size_t inPdu = 0;
        if (!Next(pdu, inPdu, tag, requestId))
            return "";
        std::string bindings;
        for (const Binding& binding : reply.bindings)
            bindings += Tlv(0x30, Oid(binding.name) + binding.value);
        const std::string response = Tlv(0x02, requestId) + Integer(reply.errorStatus) +
                                     Integer(reply.errorStatus != 0 ? 1 : 0) + Tlv(0x30, bindings);
        return Tlv(0x30, Tlv(0x02, version) + Tlv(0x04, community) + Tlv(0xa2, response));
    }

    std::vector<Reply> m_Replies;
    int m_Socket = -1;
    int m_Port = 0;
    std::atomic<bool> m_Stop{false};
    std::atomic<int> m_Requests{0};
    std::thread m_Thread;
};

SnmpSettings Settings(int port, SnmpSettings::Version version = SnmpSettings::Version::V2c) {
    SnmpSettings settings;
    settings.address = "127.0.0.1";
    settings.port = port;
    settings.version = version;
    settings.community = Secret("lab-community");
    if (version == SnmpSettings::Version::V3) {
        settings.user = "walker";
        settings.authPassphrase = Secret("auth-secret-1");
        settings.privPassphrase = Secret("priv-secret-1");
    }
    settings.timeoutMs = 200;
    settings.retries = 0;
    return settings;
}

std::vector<std::string> Shown(const std::vector<CScoutSnmpRow>& rows) {
    std::vector<std::string> shown;
    for (const CScoutSnmpRow& row : rows)
        shown.push_back(std::to_string(row.index) + " " +
                        (row.isString ? "\"" + row.value + "\"" : "not a string"));
    return shown;
}

struct Script {
    const char* what;
    std::vector<Reply> replies;
    std::vector<std::string> rows;
    int requests;
};

// (A column across requests and an empty one are walked against snmpsimd.)
TEST(SnmpWalkerTest, TheWalkEndsWhereTheColumnEnds) {
    const Binding endOfView{Under(kIfDescr, 9), Tlv(0x82, "")};
    const Script scripts[] = {
        {"at the next column, with a value that is no string before it",
         {{0,
           {Text(1, "Ethernet0/0"),
            {Under(kIfDescr, 2), Integer(7, 0x41)},
            {Under(kIfType, 1), Integer(6)}}}},
         {"1 \"Ethernet0/0\"", "2 not a string"},
         1},
        {"at endOfMibView",
         {{0, {Text(1, "Ethernet0/0"), endOfView, Text(3, "never read")}}},
         {"1 \"Ethernet0/0\""},
         1},
    };
    for (const Script& script : scripts) {
        SCOPED_TRACE(script.what);
        ScriptedAgent agent(script.replies);
        std::vector<CScoutSnmpRow> rows;
        std::string reason;
        EXPECT_TRUE(SnmpWalker(Settings(agent.Port())).Walk("ifDescr", rows, reason)) << reason;
        EXPECT_EQ(Shown(rows), script.rows);
        EXPECT_EQ(agent.Requests(), script.requests);
    }
}

TEST(SnmpWalkerTest, AnAgentThatAnswersWronglyFailsTheWalk) {
    const std::string dotted = "1.3.6.1.2.1.2.2.1.2";
    const struct {
        std::vector<Reply> replies;
        std::string why;
    } cases[] = {
        {{{0, {Text(3, "x"), Text(2, "y")}}},
         "the agent answered " + dotted + ".2 after " + dotted + ".3, which is not a walk"},
        // An agent that answers the same row again would be walked forever.
        {{{0, {Text(1, "x")}}, {0, {Text(1, "x")}}},
         "the agent answered " + dotted + ".1 after " + dotted + ".1, which is not a walk"},
        {{{5, {Text(1, "x")}}}, "the agent answered genErr (5)"},
        {{{0, {}}}, "the agent answered without any object"},
    };
    for (const auto& scripted : cases) {
        SCOPED_TRACE(scripted.why);
        ScriptedAgent agent(scripted.replies);
        std::vector<CScoutSnmpRow> rows;
        std::string reason;
        const SnmpSettings settings = Settings(agent.Port());
        EXPECT_FALSE(SnmpWalker(settings).Walk("ifDescr", rows, reason));
        EXPECT_EQ(reason,
                  "snmp v2c 127.0.0.1:" + std::to_string(agent.Port()) + ": " + scripted.why);
        EXPECT_TRUE(rows.empty());
    }
}

TEST(SnmpWalkerTest, ARouterThatNeverAnswersIsTriedAsOftenAsTheSettingsSay) {
    for (SnmpSettings::Version version :
         {SnmpSettings::Version::V1, SnmpSettings::Version::V2c, SnmpSettings::Version::V3}) {
        ScriptedAgent silent({});
        SnmpSettings settings = Settings(silent.Port(), version);
        settings.retries = 2;
        SCOPED_TRACE(SnmpWalker(settings).Describe());
        std::vector<CScoutSnmpRow> rows;
        std::string reason;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(SnmpWalker(settings).Walk("ifDescr", rows, reason));
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(reason, SnmpWalker(settings).Describe() + ": timeout");
        EXPECT_EQ(silent.Requests(), 3);
        EXPECT_GE(took, std::chrono::milliseconds(3 * 200));
        EXPECT_LT(took, std::chrono::milliseconds(3 * 200 + 1500));
    }
}

TEST(SnmpWalkerTest, TheAnswerToARequestSentAgainCounts) {
    ScriptedAgent agent({{0, {}, true},
                         {0, {Text(1, "Ethernet0/0"), Text(2, "Serial1/0")}},
                         {0, {{Under(kIfType, 1), Integer(6)}}}});
    SnmpSettings settings = Settings(agent.Port());
    settings.retries = 1;
    std::vector<CScoutSnmpRow> rows;
    std::string reason;
    EXPECT_TRUE(SnmpWalker(settings).Walk("ifDescr", rows, reason)) << reason;
    EXPECT_EQ(Shown(rows), (std::vector<std::string>{"1 \"Ethernet0/0\"", "2 \"Serial1/0\""}));
    EXPECT_EQ(agent.Requests(), 3);
}

TEST(SnmpWalkerTest, UnusableSettingsFailTheWalkBeforeAnythingIsSent) {
    ScriptedAgent agent({});
    const std::string here = "127.0.0.1:" + std::to_string(agent.Port());
    std::vector<std::pair<SnmpSettings, std::string>> cases;
    auto add = [&](SnmpSettings settings, const std::string& why) {
        cases.emplace_back(std::move(settings), why);
    };
    add(Settings(agent.Port()), "");
    SnmpSettings settings = Settings(agent.Port());
    settings.address = "localhost";
    add(settings, "the address is not an IPv4 loopback address (127.0.0.0/8)");
    settings.address = "::1";
    add(settings, "the address is not an IPv4 loopback address (127.0.0.0/8)");
    settings = Settings(0);
    add(settings, "the port is not between 1 and 65535");
    settings = Settings(agent.Port(), SnmpSettings::Version::V3);
    settings.user.clear();
    add(settings, "SNMPv3 needs a user");
    settings = Settings(agent.Port(), SnmpSettings::Version::V3);
    settings.privPassphrase = Secret("short-1");
    add(settings, "an SNMPv3 passphrase has fewer than 8 characters");

    for (const auto& [unusable, why] : cases) {
        std::vector<CScoutSnmpRow> rows;
        std::string reason;
        const bool unknownColumn = why.empty();
        EXPECT_FALSE(
            SnmpWalker(unusable).Walk(unknownColumn ? "ifAlias" : "ifDescr", rows, reason));
        EXPECT_EQ(reason, SnmpWalker(unusable).Describe() + ": " +
                              (unknownColumn ? "unknown column \"ifAlias\"" : why));
        EXPECT_EQ(reason.find("short-1"), std::string::npos);
    }
    EXPECT_EQ(agent.Requests(), 0);
}

} // namespace
