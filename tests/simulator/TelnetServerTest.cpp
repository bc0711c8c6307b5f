// The telnet client against the simulator, over real sockets on 127.0.0.1:
// outputs come back byte for byte (LF, CR LF, lone CR, 0xFF, paged), every
// refusal is one clear reason with no secret in it, only loopback is
// served, and Stop ends every open session. (Many sessions at once: the
// live suite.)
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "HostFixture.h"
#include "IosCliSession.h"
#include "LoopbackListener.h"
#include "TelnetServer.h"

namespace {

using namespace std::string_literals;
using quillon_test::ReadTestFile;
using quillon_test::WithCrLf;

ServedRouter Router(const std::string& name, std::map<std::string, std::string> commands) {
    ServedRouter router;
    router.name = name;
    router.hostName = name;
    router.answersCommands = true;
    router.commands = std::move(commands);
    return router;
}

TelnetSettings Client(const TelnetServer::Endpoint& endpoint) {
    TelnetSettings settings;
    settings.address = endpoint.address;
    settings.port = endpoint.port;
    settings.user = ServedRouter::kDefaultUser;
    settings.password = Secret(ServedRouter::kDefaultPassword);
    settings.timeouts.connectMs = 5000;
    settings.timeouts.loginMs = 10000;
    settings.timeouts.commandMs = 10000;
    return settings;
}

std::string Where(const TelnetServer::Endpoint& endpoint) {
    return "telnet " + endpoint.address + ":" + std::to_string(endpoint.port);
}

std::string Lines(int count, const char* end) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "  line " + std::to_string(i) + " of the output" + end;
    return text;
}

// A server started on ports the system picks.
std::unique_ptr<TelnetServer> Serve(std::vector<ServedRouter> routers, int latencyMs = 0) {
    TelnetServer::Options options;
    options.latencyMs = latencyMs;
    auto server = std::make_unique<TelnetServer>(std::move(routers), options);
    std::string error;
    EXPECT_TRUE(server->Start(error)) << error;
    return server;
}

// A port the system has free now, as the first of count in a row.
int FreePorts(int count, int attempt) {
    LoopbackListener probe;
    std::string error;
    if (!probe.Listen("127.0.0.1", 0, error))
        return 0;
    const int port = probe.Port() - (attempt % 7) * count;
    return port + count <= 65535 && port > 1024 ? port : probe.Port();
}

TEST(TelnetServer, ClientGetsEveryOutputByteForByte) {
    const std::map<std::string, std::string> commands = {
        {"show clns", ReadTestFile("show-clns.txt")},
        {"show clns protocol", WithCrLf(ReadTestFile("clns-protocol.txt"))},
        {"show isis hostname | include \\*", "     * 1921.6800.1001  r\xff\xfe\r\n"},
        {"show isis database", "lone\rCR\r\0NUL\r\n"s},
        {"show clns interface", Lines(200, "\r\n")},
        {"show clns is-neighbors detail", ""},
        {"show isis neighbors detail", "no line end"},
        {"show run", WithCrLf(ReadTestFile("show-run.txt"))},
    };
    std::vector<ServedRouter> routers = {Router("core-1", commands)};
    auto server = Serve(routers);
    ASSERT_EQ(server->Endpoints().size(), 1u);
    TelnetSettings settings = Client(server->Endpoints()[0]);
    settings.enableSecret = Secret(ServedRouter::kDefaultEnableSecret);
    IosCliSession session(settings);
    std::string reason;
    ASSERT_TRUE(session.Login(reason)) << reason;
    EXPECT_EQ(session.HostName(), "core-1");
    EXPECT_TRUE(session.Enabled());
    for (const auto& [command, expected] : commands) {
        std::string output;
        ASSERT_TRUE(session.Run(command, output, reason)) << command << ": " << reason;
        // The simulator ends a last line as a router does.
        EXPECT_EQ(output, command == "show isis neighbors detail" ? expected + "\r\n" : expected)
            << command;
    }
    session.Close();
}

TEST(TelnetServer, PagingLeftOnReadsAsUnpaged) {
    // Authorisation refuses "terminal length 0": the router keeps paging.
    const std::string output = Lines(100, "\n") + Lines(30, "\r\n");
    std::vector<ServedRouter> routers = {
        Router("R1", {{"terminal length 0", "% Command authorization failed.\r\n"},
                      {"show isis database", output},
                      {"show clns", Lines(23, "\r\n")}})};
    auto server = Serve(routers);
    IosCliSession session(Client(server->Endpoints()[0]));
    std::string text;
    std::string reason;
    ASSERT_TRUE(session.Run("show isis database", text, reason)) << reason;
    EXPECT_EQ(text, output);
    ASSERT_TRUE(session.Run("show clns", text, reason)) << reason;
    EXPECT_EQ(text, Lines(23, "\r\n"));
}

TEST(TelnetServer, WrongPasswordIsRefusedWithoutTheSecret) {
    ServedRouter passwordOnly = Router("R2", {});
    passwordOnly.user.clear();
    auto server = Serve({Router("R1", {}), passwordOnly});
    const std::string wrong = "Wr0ng-pw";
    for (const auto& [endpoint, expected] :
         {std::pair(server->Endpoints()[0], "login refused (% Login invalid)"),
          std::pair(server->Endpoints()[1], "login refused (password not accepted)")}) {
        TelnetSettings settings = Client(endpoint);
        if (endpoint.router == 1)
            settings.user.clear();
        settings.password = Secret(wrong);
        IosCliSession session(settings);
        std::string reason;
        EXPECT_FALSE(session.Login(reason));
        EXPECT_EQ(reason, Where(endpoint) + ": " + expected);
        EXPECT_EQ(reason.find(wrong), std::string::npos);
    }
}

TEST(TelnetServer, EnableRefusedLeavesTheUserLevel) {
    auto server = Serve({Router("R1", {{"show run", "hostname R1\n"}, {"show clns", "clns\n"}})});
    TelnetSettings settings = Client(server->Endpoints()[0]);
    settings.enableSecret = Secret("not-the-secret");
    IosCliSession session(settings);
    std::string output;
    std::string reason;
    ASSERT_TRUE(session.Login(reason)) << reason;
    EXPECT_FALSE(session.Run("show run", output, reason));
    EXPECT_EQ(reason, Where(server->Endpoints()[0]) + ": enable refused (% Access denied)");
    EXPECT_EQ(reason.find("not-the-secret"), std::string::npos);
    ASSERT_TRUE(session.Run("show clns", output, reason)) << reason;
    EXPECT_EQ(output, "clns\n");
}

// With latency set, each answer comes that much later.
TEST(TelnetServer, InvalidInputGivesNoTextAndLatencyDelaysEachAnswer) {
    auto server = Serve({Router("R1", {{"show clns", "clns\n"}})}, 150);
    IosCliSession session(Client(server->Endpoints()[0]));
    std::string output;
    std::string reason;
    ASSERT_TRUE(session.Login(reason)) << reason;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(session.Run("show nonsense", output, reason));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_EQ(output, "");
    EXPECT_EQ(reason, Where(server->Endpoints()[0]) +
                          ": \"show nonsense\" rejected by the router (% Invalid input detected)");
    ASSERT_TRUE(session.Run("show clns", output, reason)) << reason;
    EXPECT_EQ(output, "clns\n");
}

TEST(TelnetServer, ServesOnlyLoopbackAndEachAddressOnce) {
    for (const char* address : {"10.0.0.1", "0.0.0.0", "192.168.1.1", "localhost", "::1", ""}) {
        TelnetServer::Options options;
        options.address = address;
        TelnetServer server({Router("R1", {})}, options);
        std::string error;
        EXPECT_FALSE(server.Start(error)) << address;
        EXPECT_EQ(error, "cannot serve on "s + address +
                             ": only loopback addresses (127.0.0.0/8) are served");
        EXPECT_TRUE(server.Endpoints().empty());
    }
    std::vector<ServedRouter> routers = {Router("R0", {}), Router("R1", {})};
    routers[0].addresses = routers[1].addresses = {"127.0.0.9"};
    TelnetServer::Options options;
    options.addressPort = FreePorts(1, 0);
    TelnetServer server(routers, options);
    std::string error;
    EXPECT_FALSE(server.Start(error));
    EXPECT_EQ(error, "cannot serve 127.0.0.9: it is an address of both R0 and R1");
    EXPECT_TRUE(server.Endpoints().empty());
}

TEST(TelnetServer, RouterIOnBasePortPlusIAndOnItsOwnAddresses) {
    std::vector<ServedRouter> routers = {Router("R0", {}), Router("R1", {}), Router("R2", {})};
    routers[1].answersCommands = false;
    routers[0].addresses = {"127.0.0.2", "192.0.2.1", "127.0.0.2"};
    routers[2].addresses = {"127.0.0.3"};
    std::unique_ptr<TelnetServer> server;
    int base = 0;
    std::string error;
    for (int attempt = 0; attempt < 20 && !server; ++attempt) {
        base = FreePorts(4, attempt);
        TelnetServer::Options options;
        options.basePort = base;
        options.addressPort = base + 3;
        server = std::make_unique<TelnetServer>(routers, options);
        if (!server->Start(error))
            server.reset();
    }
    ASSERT_TRUE(server) << error;
    const std::vector<TelnetServer::Endpoint>& endpoints = server->Endpoints();
    ASSERT_EQ(endpoints.size(), 4u);
    const std::pair<std::string, int> expected[] = {{"127.0.0.1", base},
                                                    {"127.0.0.1", base + 2},
                                                    {"127.0.0.2", base + 3},
                                                    {"127.0.0.3", base + 3}};
    const std::size_t owners[] = {0, 2, 0, 2};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(endpoints[i].address, expected[i].first);
        EXPECT_EQ(endpoints[i].port, expected[i].second);
        EXPECT_EQ(endpoints[i].router, owners[i]);
    }
    IosCliSession viaAddress(Client(endpoints[3]));
    std::string reason;
    ASSERT_TRUE(viaAddress.Login(reason)) << reason;
    EXPECT_EQ(viaAddress.HostName(), "R2");

    // A router that takes no command session has no port.
    TelnetServer::Endpoint none{"127.0.0.1", base + 1, 1};
    IosCliSession refused(Client(none));
    EXPECT_FALSE(refused.Login(reason));
    EXPECT_EQ(reason, Where(none) + ": connection refused");
}

TEST(TelnetServer, StopEndsOpenSessions) {
    auto server = Serve({Router("R1", {{"show clns", "clns\n"}})});
    IosCliSession session(Client(server->Endpoints()[0]));
    std::string output;
    std::string reason;
    ASSERT_TRUE(session.Login(reason)) << reason;
    for (int wait = 0; wait < 100 && server->Sessions() == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(server->Sessions(), 1u);
    server->Stop();
    EXPECT_EQ(server->Sessions(), 0u);
    EXPECT_FALSE(session.Run("show clns", output, reason));
    EXPECT_EQ(reason.rfind(Where(server->Endpoints()[0]) + ": connection", 0), 0u) << reason;
}

// The system's telnet client driven by expect, as automation scripts drive
// a router.
TEST(TelnetServer, ExpectScriptWorksUnchanged) {
    if (access("/usr/bin/expect", X_OK) != 0 || access("/usr/bin/telnet", X_OK) != 0)
        GTEST_SKIP() << "expect or telnet is not installed";
    auto server = Serve({Router("R1", {{"show clns", "Global CLNS Information:\n"}})});
    const int status = std::system(
        ("/usr/bin/expect -f " + std::string(QUILLON_TEST_DATA) + "/telnet/login-enable-exit.exp " +
         std::to_string(server->Endpoints()[0].port) + " >/dev/null 2>&1")
            .c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
