// What the inventories under tests/data/inventories give: Ansible's
// inheritance and precedence, secrets from the environment and from files,
// and a one-line refusal, naming the file and the place, for each fault.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "InventoryReader.h"

namespace {

const std::string kInventories = std::string(QUILLON_TEST_DATA) + "/inventories/";
// The password every refused inventory holds somewhere.
const char* const kLiteral = "Hunter2";

class InventoryReaderTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("QUILLON_TEST_PASSWORD", "from-the-environment", 1);
        unsetenv("QUILLON_TEST_UNSET");
    }
    void TearDown() override { unsetenv("QUILLON_TEST_PASSWORD"); }

    const InventoryHost& Read(const std::string& name, std::size_t count) {
        std::string error;
        EXPECT_TRUE(m_Reader.ReadFile(kInventories + name, error)) << error;
        EXPECT_EQ(m_Reader.Hosts().size(), count);
        static const InventoryHost none;
        return m_Reader.Hosts().empty() ? none : m_Reader.Hosts()[0];
    }

    InventoryReader m_Reader;
};

std::vector<std::string> Names(const InventoryReader& reader) {
    std::vector<std::string> names;
    for (const InventoryHost& host : reader.Hosts())
        names.push_back(host.name);
    return names;
}

TEST_F(InventoryReaderTest, GroupsHandDownTheirVariables) {
    Read("sites.yml", 4);
    const auto& hosts = m_Reader.Hosts();
    // All's own hosts first, then its children's, depth-first; r2, listed
    // again under site_b, once.
    EXPECT_EQ(Names(m_Reader), (std::vector<std::string>{"127.0.0.9", "r1", "r2", "r3"}));

    // A host named by its address needs no ansible_host; all: vars reach it.
    const InventoryHost& bare = hosts[0];
    EXPECT_EQ(bare.telnet.address, "127.0.0.9");
    EXPECT_EQ(bare.snmp.address, "127.0.0.9");
    EXPECT_EQ(bare.telnet.port, 23);
    EXPECT_EQ(bare.telnet.user, "netops");
    EXPECT_EQ(bare.telnet.password.Reveal(), "from-the-environment");
    EXPECT_TRUE(bare.telnet.enableSecret.Empty());
    EXPECT_EQ(bare.telnet.timeouts.commandMs, 45000);
    EXPECT_EQ(bare.telnet.timeouts.loginMs, Timeouts().loginMs);
    EXPECT_EQ(bare.snmp.community.Reveal(), "lab-community"); // one trailing newline dropped
    EXPECT_EQ(bare.snmp.version, SnmpSettings::Version::V2c);
    EXPECT_EQ(bare.snmp.port, 161);
    EXPECT_EQ(bare.snmp.retries, 1);
    EXPECT_TRUE(bare.connection.empty());

    // r1 is in site_a (port 2301), core (2323) and core_a (2399): the
    // deepest group wins; its own ansible_user beats all: vars.
    const InventoryHost& r1 = hosts[1];
    EXPECT_EQ(r1.telnet.address, "127.0.0.1");
    EXPECT_EQ(r1.telnet.port, 2399);
    EXPECT_EQ(r1.telnet.user, "admin");
    EXPECT_EQ(r1.telnet.enableSecret.Reveal(), "lab-enable"); // CR LF dropped
    EXPECT_EQ(r1.snmp.retries, 2);

    // r2's own port beats its groups'; of site_a and site_b, equally deep,
    // the one met later gives snmp_retries.
    const InventoryHost& r2 = hosts[2];
    EXPECT_EQ(r2.telnet.port, 2302);
    EXPECT_EQ(r2.snmp.retries, 3);
    EXPECT_EQ(r2.snmp.timeoutMs, 1500);
    EXPECT_TRUE(r2.telnet.enableSecret.Empty());

    // ansible_ssh_pass on the host beats ansible_password in all: vars; with
    // ansible_become off, the enable secret (an unset variable) is not read.
    const InventoryHost& r3 = hosts[3];
    EXPECT_EQ(r3.telnet.password.Reveal(), "r3-login");
    EXPECT_TRUE(r3.telnet.enableSecret.Empty());
    EXPECT_EQ(r3.snmp.version, SnmpSettings::Version::V1);
    EXPECT_EQ(r3.snmp.port, 1161);
    EXPECT_EQ(r3.telnet.port, 23);

    // The defaults are all: vars alone.
    const InventoryHost& defaults = m_Reader.Defaults();
    EXPECT_TRUE(defaults.name.empty());
    EXPECT_TRUE(defaults.telnet.address.empty());
    EXPECT_EQ(defaults.telnet.port, 23);
    EXPECT_EQ(defaults.telnet.user, "netops");
    EXPECT_EQ(defaults.telnet.password.Reveal(), "from-the-environment");
    EXPECT_EQ(defaults.snmp.community.Reveal(), "lab-community");
    EXPECT_EQ(defaults.telnet.timeouts.commandMs, 45000);
    EXPECT_EQ(defaults.snmp.retries, 1);
}

TEST_F(InventoryReaderTest, TopLevelGroupsAreChildrenOfAll) {
    const InventoryHost& edge = Read("top-level-groups.yml", 2);
    EXPECT_EQ(edge.name, "edge");
    EXPECT_EQ(edge.telnet.port, 2300);
    EXPECT_EQ(edge.snmp.port, 16100);
    EXPECT_EQ(edge.snmp.version, SnmpSettings::Version::V3);
    EXPECT_EQ(edge.snmp.user, "quillon");
    EXPECT_EQ(edge.snmp.authPassphrase.Reveal(), "from-the-environment");
    EXPECT_EQ(edge.snmp.privPassphrase.Reveal(), "priv-passphrase");

    const InventoryHost& other = m_Reader.Hosts()[1];
    EXPECT_EQ(other.telnet.address, "127.0.0.6");
    EXPECT_EQ(other.telnet.timeouts.connectMs, 750);
    EXPECT_EQ(other.telnet.timeouts.loginMs, 1000);
    EXPECT_EQ(other.telnet.timeouts.routerMs, 60000);
    EXPECT_EQ(other.connection, "telnet");
    EXPECT_EQ(m_Reader.Defaults().snmp.port, 16100);
}

TEST_F(InventoryReaderTest, ConnectionPicksTheWayInAndItsDefaultPort) {
    Read("ssh.yml", 4);
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    struct Expected {
        bool ssh;
        int port;
        const char* key;
        bool checking;
    };
    const Expected expected[] = {{true, 22, "", true},
                                 {true, 2222, "keys/id_ed25519", false},
                                 {true, 22, "", true},
                                 {false, 23, "", true}};
    for (std::size_t i = 0; i < 4; ++i) {
        const InventoryHost& host = m_Reader.Hosts()[i];
        EXPECT_EQ(host.ssh.enabled, expected[i].ssh) << host.name;
        EXPECT_EQ(host.telnet.port, expected[i].port) << host.name;
        EXPECT_EQ(host.ssh.privateKeyFile, expected[i].key) << host.name;
        EXPECT_EQ(host.ssh.hostKeyChecking, expected[i].checking) << host.name;
        EXPECT_EQ(host.ssh.knownHostsFile, home + "/lab/known_hosts") << host.name;
    }
    // Crawled routers come in as all: vars say.
    EXPECT_TRUE(m_Reader.Defaults().ssh.enabled);
    EXPECT_EQ(m_Reader.Defaults().telnet.port, 22);
    m_Reader.SetHostKeyChecking(true);
    EXPECT_TRUE(m_Reader.Hosts()[1].ssh.hostKeyChecking);
    m_Reader.SetHostKeyChecking(false);
    EXPECT_FALSE(m_Reader.Hosts()[0].ssh.hostKeyChecking);
    EXPECT_FALSE(m_Reader.Defaults().ssh.hostKeyChecking);
}

TEST_F(InventoryReaderTest, AnEmptyInventoryListsNothing) {
    Read("empty.yml", 0);
    EXPECT_EQ(m_Reader.Defaults().telnet.port, 23);
    EXPECT_EQ(m_Reader.Defaults().snmp.community.Reveal(), "public");
}

TEST_F(InventoryReaderTest, EachFaultIsRefusedWithItsPlaceAndNoSecret) {
    const std::string folder = kInventories + "refused";
    // Every refused inventory, with the message after "<path>:"; '@' stands
    // for the inventories folder.
    const nlohmann::json refusals =
        nlohmann::json::parse(std::ifstream(kInventories + "../inventories-refused.json"));
    ASSERT_EQ(refusals.size(), 31u);
    for (const nlohmann::json& refusal : refusals) {
        SCOPED_TRACE(refusal["file"].get<std::string>());
        const std::string path = folder + "/" + refusal["file"].get<std::string>();
        std::string expected = path + ":" + refusal["error"].get<std::string>();
        const std::size_t at = expected.find('@');
        if (at != std::string::npos)
            expected.replace(at, 1, folder.substr(0, folder.rfind('/')));

        // A refusal drops what an earlier inventory gave.
        Read("sites.yml", 4);
        std::string error;
        EXPECT_FALSE(m_Reader.ReadFile(path, error));
        EXPECT_EQ(error, expected);
        EXPECT_TRUE(m_Reader.Hosts().empty());
        EXPECT_EQ(error.find(kLiteral), std::string::npos);
        EXPECT_EQ(error.find("ANSIBLE_VAULT"), std::string::npos);
    }
}

TEST_F(InventoryReaderTest, AnInventoryThatIsNoFileIsRefused) {
    std::string error;
    EXPECT_FALSE(m_Reader.ReadFile(kInventories + "absent.yml", error));
    EXPECT_EQ(error, kInventories + "absent.yml: cannot read the inventory: No such file or "
                                    "directory");
    EXPECT_FALSE(m_Reader.ReadFile(kInventories + "refused", error));
    EXPECT_EQ(error, kInventories + "refused: cannot read the inventory: not a regular file");
}

} // namespace
