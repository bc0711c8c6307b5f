// The SSH client device against the simulator's SSH server, over real
// sockets on 127.0.0.1: outputs come back byte for byte as over telnet;
// each way of logging in works or fails with one clear reason and no
// secret; a host key that is not the known one is refused before any login
// is tried (the server counts every login); a silent or slow server times
// out and a session dropped mid-command is named.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <libssh/libssh.h>

#include "HostFixture.h"
#include "IosCliSession.h"
#include "LoopbackSocket.h"
#include "QuillonProcess.h"
#include "SshConnection.h"
#include "SshServer.h"
#include "TelnetServer.h"

namespace {

using namespace std::string_literals;
using quillon_test::ScratchFolder;
using quillon_test::WriteFile;

ServedRouter Router(std::map<std::string, std::string> commands) {
    ServedRouter router;
    router.name = router.hostName = "core-1";
    router.answersCommands = true;
    router.commands = std::move(commands);
    return router;
}

// A new ed25519 key: its private key file, and its public line.
std::string MakeKey(const std::string& path) {
    ssh_key key = nullptr;
    EXPECT_EQ(ssh_pki_generate(SSH_KEYTYPE_ED25519, 0, &key), SSH_OK);
    EXPECT_EQ(ssh_pki_export_privkey_file(key, nullptr, nullptr, nullptr, path.c_str()), SSH_OK);
    char* base64 = nullptr;
    EXPECT_EQ(ssh_pki_export_pubkey_base64(key, &base64), SSH_OK);
    const std::string line = "ssh-ed25519 "s + base64;
    ssh_string_free_char(base64);
    ssh_key_free(key);
    return line;
}

struct Login {
    std::string password = ServedRouter::kDefaultPassword;
    std::string key;        // private key file
    std::string knownHosts; // empty: the server's own
    bool checking = true;
    int loginMs = 5000;
    int commandMs = 5000;
};

Login Way(std::string password, std::string key = "", std::string knownHosts = "",
          bool checking = true) {
    Login login;
    login.password = std::move(password);
    login.key = std::move(key);
    login.knownHosts = std::move(knownHosts);
    login.checking = checking;
    return login;
}

std::unique_ptr<IosCliSession> Session(const SshServer& server, const ScratchFolder& folder,
                                       const Login& login, int port = 0) {
    TelnetSettings settings;
    settings.address = "127.0.0.1";
    settings.port = port != 0 ? port : server.Endpoints()[0].port;
    settings.user = ServedRouter::kDefaultUser;
    settings.enableSecret = Secret(ServedRouter::kDefaultEnableSecret);
    settings.timeouts.loginMs = login.loginMs;
    settings.timeouts.commandMs = login.commandMs;
    SshSettings ssh;
    ssh.enabled = true;
    ssh.privateKeyFile = login.key;
    ssh.hostKeyChecking = login.checking;
    ssh.knownHostsFile = login.knownHosts.empty() ? folder / "known_hosts" : login.knownHosts;
    WriteFile(folder / "known_hosts", server.KnownHosts());
    return std::make_unique<IosCliSession>(
        settings, std::make_unique<SshConnection>(settings.user, Secret(login.password), ssh));
}

TEST(SshServer, ClientGetsEveryOutputByteForByteAsOverTelnet) {
    const std::map<std::string, std::string> commands = {
        {"show clns", quillon_test::ReadTestFile("show-clns.txt")},
        {"show isis hostname | include \\*", "     * 1921.6800.1001  r\xff\xfe\r\n"},
        {"show isis database", "lone\rCR\r\0NUL\r\n"s},
        {"show clns interface", std::string(300, 'x') + "\n" + std::string(40, '\n')},
        {"show run", "hostname core-1\r\n"},
    };
    ScratchFolder folder;
    SshServer ssh({Router(commands)}, {});
    TelnetServer telnet({Router(commands)}, {});
    std::string error;
    ASSERT_TRUE(ssh.Start(error)) << error;
    ASSERT_TRUE(telnet.Start(error)) << error;
    auto overSsh = Session(ssh, folder, {});
    TelnetSettings settings;
    settings.address = "127.0.0.1";
    settings.port = telnet.Endpoints()[0].port;
    settings.user = ServedRouter::kDefaultUser;
    settings.password = Secret(ServedRouter::kDefaultPassword);
    settings.enableSecret = Secret(ServedRouter::kDefaultEnableSecret);
    IosCliSession overTelnet(settings);
    for (const auto& [command, expected] : commands) {
        std::string viaSsh, viaTelnet, reason;
        ASSERT_TRUE(overSsh->Run(command, viaSsh, reason)) << command << ": " << reason;
        ASSERT_TRUE(overTelnet.Run(command, viaTelnet, reason)) << command << ": " << reason;
        EXPECT_EQ(viaSsh, expected) << command;
        EXPECT_EQ(viaSsh, viaTelnet) << command;
    }
    EXPECT_EQ(overSsh->HostName(), "core-1");
    EXPECT_TRUE(overSsh->Enabled());
    overSsh->Close();
    EXPECT_EQ(ssh.Logins(), 1u);
}

TEST(SshServer, EachWayInWorksOrFailsWithOneReasonAndNoSecret) {
    ScratchFolder folder;
    const std::string authorized = MakeKey(folder / "id_ok");
    MakeKey(folder / "id_other");
    WriteFile(folder / "authorized", authorized + " ops@lab\n");
    WriteFile(folder / "other_known", "[127.0.0.1]:1 " + MakeKey(folder / "id_host") + "\n");
    SshServer::Options options;
    options.authorizedKeys = folder / "authorized";
    SshServer server({Router({{"show clns", "clns\n"}})}, options);
    std::string error;
    ASSERT_TRUE(server.Start(error)) << error;
    const int port = server.Endpoints()[0].port;
    // The known-hosts file that holds another key for the port.
    const std::string changed = folder / "changed_known";
    WriteFile(changed,
              "[127.0.0.1]:" + std::to_string(port) + " " + MakeKey(folder / "id_changed") + "\n");
    const std::string where = "ssh 127.0.0.1:" + std::to_string(port) + ": ";

    struct Case {
        const char* name;
        Login login;
        std::string reason; // empty: the login works
        bool loginTried;
    };
    const Case cases[] = {
        {"password", Way(ServedRouter::kDefaultPassword), "", true},
        {"key", Way("", folder / "id_ok"), "", true},
        {"key refused, password taken", Way(ServedRouter::kDefaultPassword, folder / "id_other"),
         "", true},
        {"unknown key, checking off", Way(ServedRouter::kDefaultPassword, "", changed, false), "",
         true},
        {"wrong password", Way("Wr0ng-pw"), "login refused (password not accepted)", true},
        {"wrong key", Way("", folder / "id_other"), "login refused (publickey not accepted)", true},
        {"unreadable key", Way("Wr0ng-pw", folder / "missing"),
         "cannot read the private key file " + folder / "missing" +
             " (missing, not a key, or protected by a passphrase)",
         false},
        {"changed host key", Way("Wr0ng-pw", "", changed),
         "host key mismatch: the router's key is not the one " + changed +
             " holds (no login tried)",
         false},
        {"unknown host key", Way("Wr0ng-pw", "", folder / "other_known"),
         "host key unknown: " + folder / "other_known" +
             " holds no key for the router (no login tried)",
         false},
    };
    for (const Case& test : cases) {
        const std::size_t before = server.Logins();
        auto session = Session(server, folder, test.login);
        std::string output, reason;
        const bool ran = session->Run("show clns", output, reason);
        EXPECT_EQ(ran, test.reason.empty()) << test.name << ": " << reason;
        EXPECT_EQ(reason, test.reason.empty() ? "" : where + test.reason) << test.name;
        EXPECT_EQ(output, test.reason.empty() ? "clns\n" : "") << test.name;
        EXPECT_EQ(server.Logins() > before, test.loginTried) << test.name;
        EXPECT_EQ(reason.find("Wr0ng-pw"), std::string::npos);
    }
}

TEST(SshServer, SilentOrSlowServerTimesOutAndDroppedSessionIsNamed) {
    ScratchFolder folder;
    // Accepts the connection and says nothing.
    int silentPort = 0;
    const int silent = quillon_test::BoundLoopbackSocket(SOCK_STREAM, silentPort);
    ASSERT_EQ(listen(silent, 4), 0);
    SshServer::Options options;
    options.latencyMs = 400;
    SshServer server({Router({{"show clns", "clns\n"}})}, options);
    std::string error;
    ASSERT_TRUE(server.Start(error)) << error;
    std::string output, reason;
    Login briefly;
    briefly.loginMs = 600;
    auto quiet = Session(server, folder, briefly, silentPort);
    EXPECT_FALSE(quiet->Login(reason));
    EXPECT_EQ(reason, "ssh 127.0.0.1:" + std::to_string(silentPort) + ": no login within 600 ms");
    close(silent);

    const std::string where = "ssh 127.0.0.1:" + std::to_string(server.Endpoints()[0].port);
    // The answer comes after the command's time is up.
    Login impatient;
    impatient.commandMs = 200;
    auto slow = Session(server, folder, impatient);
    EXPECT_FALSE(slow->Run("show clns", output, reason));
    EXPECT_EQ(reason, where + ": no prompt within 200 ms of \"terminal length 0\"");
    auto dropped = Session(server, folder, {});
    ASSERT_TRUE(dropped->Login(reason)) << reason;
    std::thread stopper([&server] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        server.Stop();
    });
    EXPECT_FALSE(dropped->Run("show clns", output, reason));
    stopper.join();
    EXPECT_EQ(reason, where + ": connection closed by the router during \"show clns\"");
}

} // namespace
