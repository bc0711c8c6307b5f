// The inventory quillon serve writes: readable by its owner alone, read back
// unchanged whatever the credentials hold, and refused, without the secret
// in the message, when a host cannot be read back as it is.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "../../fuzz/InventoryHarness.h"
#include "InventoryReader.h"
#include "InventoryWriter.h"
#include "QuillonProcess.h"

namespace {

InventoryHost Served(const std::string& name, const std::string& address, int port) {
    InventoryHost host;
    host.name = name;
    host.telnet.address = address;
    host.snmp.address = address;
    host.telnet.port = port;
    host.snmp.port = port + 1;
    host.telnet.user = "quillon";
    host.telnet.password = Secret("quillon");
    host.telnet.enableSecret = Secret("quillon");
    host.snmp.community = Secret("quillon-" + name);
    return host;
}

// Hosts whose text YAML or Ansible would read otherwise unless it is
// written with care.
std::vector<InventoryHost> AwkwardHosts() {
    std::vector<InventoryHost> hosts = {
        Served("R1", "127.0.0.1", 2301), Served("null", "127.0.0.2", 2302),
        Served("yes", "127.0.0.3", 2303), Served("gone\x01\x7F\xC2\x85", "127.0.0.4", 2304)};
    hosts[3].snmp.community = Secret("public");
    hosts[0].telnet.user = "no";
    hosts[0].telnet.password = Secret("{{ not a template }}");
    hosts[0].telnet.enableSecret = Secret("$ANSIBLE_VAULT;1.1;AES256");
    hosts[1].telnet.password = Secret(" #: leading space, \"quotes\", 'more' \\ and\ttab ");
    hosts[1].telnet.user.clear();
    hosts[1].telnet.enableSecret = Secret();
    hosts[1].snmp.community = Secret("~");
    hosts[1].connection = "telnet";
    hosts[2].telnet.password = Secret("0123");
    hosts[2].snmp.version = SnmpSettings::Version::V3;
    hosts[2].snmp.user = "réseau";
    hosts[2].snmp.authPassphrase = Secret("auth-passphrase-é");
    hosts[2].snmp.privPassphrase = Secret("priv: passphrase");
    hosts[2].snmp.timeoutMs = 500;
    hosts[2].snmp.retries = 0;
    hosts[2].telnet.timeouts.routerMs = 1000;
    hosts[2].connection = "network_cli";
    hosts[2].ssh.enabled = true;
    hosts[2].ssh.privateKeyFile = "keys/id: ed25519";
    hosts[2].ssh.knownHostsFile = "/lab/known hosts";
    hosts[2].ssh.hostKeyChecking = false;
    return hosts;
}

TEST(InventoryWriter, WrittenInventoryReadsBackTheSame) {
    const quillon_test::ScratchFolder folder;
    const std::string path = folder.Path() + "/inventory.yml";
    // An older file, readable by all, is replaced.
    std::ofstream(path) << "old\n";
    chmod(path.c_str(), 0644);

    const std::vector<InventoryHost> hosts = AwkwardHosts();
    InventoryWriter writer;
    for (const InventoryHost& host : hosts)
        writer.Add(host);
    std::string error;
    ASSERT_TRUE(writer.WriteFile(path, error)) << error;

    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    InventoryReader reader;
    ASSERT_TRUE(reader.ReadFile(path, error)) << error;
    ASSERT_EQ(reader.Hosts().size(), hosts.size());
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        EXPECT_TRUE(quillon_fuzz::inventory::SameHost(reader.Hosts()[i], hosts[i]))
            << hosts[i].name;
    }
}

TEST(InventoryWriter, HostsThatWouldNotReadBackAreRefused) {
    struct Case {
        InventoryHost host;
        std::string message;
    };
    std::vector<Case> cases;
    cases.push_back({Served("", "127.0.0.1", 23), "host : the name is empty or not UTF-8"});
    cases.push_back({Served("R1", "router-1", 23), "host R1: its address is not an IPv4 address"});
    cases.push_back(
        {Served("R1", "127.0.0.1", 23), "host R1: its telnet and SNMP addresses differ"});
    cases.back().host.snmp.address = "127.0.0.2";
    cases.push_back({Served("R1", "127.0.0.1", 23),
                     "host R1: the password is not UTF-8 or holds a control character"});
    cases.back().host.telnet.password = Secret("Hunter2\nenable");
    cases.push_back({Served("R1", "127.0.0.1", 23),
                     "host R1: the community is not UTF-8 or holds a control character"});
    cases.back().host.snmp.community = Secret("Hunter2\xff");

    for (const Case& refused : cases) {
        InventoryWriter writer;
        writer.Add(Served("R0", "127.0.0.1", 23));
        writer.Add(refused.host);
        Secret text;
        std::string error;
        EXPECT_FALSE(writer.Text(text, error));
        EXPECT_EQ(error, refused.message);
        EXPECT_EQ(error.find("Hunter2"), std::string::npos);
    }

    InventoryWriter twice;
    twice.Add(Served("R1", "127.0.0.1", 23));
    twice.Add(Served("R1", "127.0.0.2", 23));
    Secret text;
    std::string error;
    EXPECT_FALSE(twice.Text(text, error));
    EXPECT_EQ(error, "host R1: the name is given twice");

    const quillon_test::ScratchFolder folder;
    const std::string path = folder.Path() + "/inventory.yml";
    EXPECT_FALSE(twice.WriteFile(path, error));
    EXPECT_EQ(error, path + ": host R1: the name is given twice");
    EXPECT_NE(access(path.c_str(), F_OK), 0);
}

} // namespace
