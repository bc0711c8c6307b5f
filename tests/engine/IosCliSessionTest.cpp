// The telnet client against stand-in routers that do what the simulator
// never does: refuse, stay silent, drop the connection mid-output, take too
// long, refuse enable the way IOS does with a local secret. Each failure is
// one short reason, and a lost session fails every later command with it,
// without connecting again.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>

#include <functional>
#include <memory>
#include <string>

#include "IosCliSession.h"
#include "TelnetScriptedPeer.h"

namespace {

using quillon_test::PeerSocket;
using quillon_test::TelnetScriptedPeer;

const char kPassword[] = "pw-Xq7";
const char kEnableSecret[] = "en-Zr4";

TelnetSettings Settings(int port) {
    TelnetSettings settings;
    settings.address = "127.0.0.1";
    settings.port = port;
    settings.user = "admin";
    settings.password = Secret(kPassword);
    settings.timeouts.connectMs = 2000;
    settings.timeouts.loginMs = 2000;
    settings.timeouts.commandMs = 2000;
    return settings;
}

std::string Where(int port) {
    return "telnet 127.0.0.1:" + std::to_string(port);
}

// The login of an IOS router with a local user, up to its user prompt and
// the two terminal settings.
bool LogIn(PeerSocket& router) {
    router.Send("\r\n\r\nUser Access Verification\r\n\r\nUsername: ");
    return router.Answer("admin", "Password: ") &&
           router.ReadUntil(std::string(kPassword) + "\r\n") &&
           (router.Send("\r\n\r\nR1>"), true) && router.Answer("terminal length 0", "R1>") &&
           router.Answer("terminal width 0", "R1>");
}

// A port on 127.0.0.1 where nothing listens.
int ClosedPort() {
    UniqueFd probe(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof local;
    ::bind(probe.Get(), reinterpret_cast<sockaddr*>(&local), sizeof local);
    ::getsockname(probe.Get(), reinterpret_cast<sockaddr*>(&local), &length);
    return ntohs(local.sin_port);
}

// Each way a session fails: one reason, the same for every later command,
// with no text and no new connection.
TEST(IosCliSession, EachFailureIsOneReasonThatLasts) {
    using Script = std::function<void(PeerSocket&)>;
    const struct {
        const char* command; // nullptr: just the login
        Script script;       // nullptr: nothing listens
        void (*tune)(TelnetSettings&);
        std::string why;
    } cases[] = {
        {nullptr, nullptr, [](TelnetSettings&) {}, "connection refused"},
        {nullptr, [](PeerSocket& router) { router.Closed(); },
         [](TelnetSettings& s) { s.timeouts.loginMs = 300; }, "no prompt within 300 ms"},
        {"show clns", [](PeerSocket& router) { router.Closed(); },
         [](TelnetSettings& s) { s.timeouts.routerMs = 200; },
         "the router took longer than 200 ms in all"},
        {"show clns",
         [](PeerSocket& router) {
             if (LogIn(router))
                 router.Answer("show clns", "Global CLNS Information:\r\n  2 Interfaces en");
         },
         [](TelnetSettings&) {}, "connection closed by the router during \"show clns\""},
        {"show clns",
         [](PeerSocket& router) {
             if (LogIn(router) && router.Answer("show clns", "Global CLNS Information:\r\n"))
                 router.ResetOnClose();
         },
         [](TelnetSettings&) {}, "connection reset"},
        {"show isis database",
         [](PeerSocket& router) {
             if (LogIn(router) &&
                 router.Answer("show isis database", "IS-IS Level-1 Link State Database:\r\n"))
                 router.Closed();
         },
         [](TelnetSettings& s) { s.timeouts.commandMs = 300; },
         "no prompt within 300 ms of \"show isis database\""},
        {nullptr,
         [](PeerSocket& router) {
             router.Send("\r\nUsername: ");
             router.Closed();
         },
         [](TelnetSettings& s) { s.user.clear(); },
         "the router asks for a user name and none is given"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::unique_ptr<TelnetScriptedPeer> peer;
        if (c.script)
            peer = std::make_unique<TelnetScriptedPeer>(c.script);
        const int port = peer ? peer->Port() : ClosedPort();
        TelnetSettings settings = Settings(port);
        c.tune(settings);
        IosCliSession session(settings);
        std::string output = "stale";
        std::string reason;
        EXPECT_FALSE(c.command ? session.Run(c.command, output, reason) : session.Login(reason));
        EXPECT_EQ(reason, Where(port) + ": " + c.why);
        EXPECT_EQ(output, c.command ? "" : "stale");
        std::string again;
        EXPECT_FALSE(session.Run("show clns protocol", output, again));
        EXPECT_EQ(again, reason);
        EXPECT_EQ(output, "");
        if (peer) {
            EXPECT_EQ(peer->Accepted(), 1) << "a lost session must not connect again";
        }
    }
}

TEST(IosCliSession, EnableRefusedWithBadSecretsKeepsTheUserLevel) {
    std::string seen;
    TelnetScriptedPeer peer([&seen](PeerSocket& router) {
        router.Send("\r\n\r\nUser Access Verification\r\n\r\nUsername: ");
        if (!router.Answer("admin", "Password: ") ||
            !router.ReadUntil(std::string(kPassword) + "\r\n"))
            return;
        router.Send("\r\nR1>");
        // IOS with a local enable secret asks three times, then gives up.
        if (!router.Answer("enable", "Password: ") ||
            !router.ReadUntil(std::string(kEnableSecret) + "\r\n"))
            return;
        router.Send("\r\nPassword: ");
        if (!router.ReadUntil("\r\n"))
            return;
        router.Send("\r\nPassword: ");
        if (!router.ReadUntil("\r\n"))
            return;
        router.Send("\r\n% Bad secrets\r\n\r\nR1>");
        if (router.Answer("terminal length 0", "R1>") && router.Answer("terminal width 0", "R1>") &&
            router.Answer("show clns", "Global CLNS Information:\r\nR1>") &&
            router.ReadUntil("exit\r\n"))
            seen = router.All();
    });
    TelnetSettings settings = Settings(peer.Port());
    settings.enableSecret = Secret(kEnableSecret);
    IosCliSession session(settings);
    std::string reason;
    ASSERT_TRUE(session.Login(reason)) << reason;
    EXPECT_FALSE(session.Enabled());
    std::string output;
    EXPECT_FALSE(session.Run("show run", output, reason));
    EXPECT_EQ(reason, Where(peer.Port()) + ": enable refused (% Bad secrets)");
    ASSERT_TRUE(session.Run("show clns", output, reason)) << reason;
    EXPECT_EQ(output, "Global CLNS Information:\r\n");
    session.Close();
    EXPECT_EQ(peer.Accepted(), 1);
    EXPECT_NE(seen.find("show clns\r\nexit\r\n"), std::string::npos) << seen;
    EXPECT_EQ(seen.find("show run"), std::string::npos) << "enable was refused: not sent";
    EXPECT_EQ(seen.find("enable", seen.find("enable") + 1), std::string::npos) << "enable once";
}

TEST(IosCliSession, PrivilegedLoginNeedsNoEnable) {
    bool exited = false;
    TelnetScriptedPeer peer([&exited](PeerSocket& router) {
        router.Send("\r\n\r\nUser Access Verification\r\n\r\nPassword: ");
        if (!router.ReadUntil(std::string(kPassword) + "\r\n"))
            return;
        router.Send("\r\ncore-7#");
        if (router.Answer("terminal length 0", "core-7#") &&
            router.Answer("terminal width 0", "core-7#") &&
            router.Answer("show run", "hostname core-7\r\n!\r\ncore-7#"))
            exited = router.ReadUntil("exit\r\n") && router.Unmatched().empty() &&
                     router.All().find("enable") == std::string::npos;
    });
    TelnetSettings settings = Settings(peer.Port());
    settings.user.clear();
    IosCliSession session(settings);
    std::string output;
    std::string reason;
    ASSERT_TRUE(session.Run("show run", output, reason)) << reason;
    EXPECT_EQ(output, "hostname core-7\r\n!\r\n");
    EXPECT_EQ(session.HostName(), "core-7");
    EXPECT_TRUE(session.Enabled());
    session.Close();
    EXPECT_EQ(peer.Accepted(), 1);
    EXPECT_TRUE(exited) << "the session ends with exit";
    EXPECT_FALSE(session.Run("show clns", output, reason));
    EXPECT_EQ(reason, Where(peer.Port()) + ": the session is closed");
}

} // namespace
