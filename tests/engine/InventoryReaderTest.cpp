// What the inventories under tests/data/inventories give
// (inventories/expected.json): Ansible's inheritance and precedence, secrets
// from the environment and from files, the way in; and a one-line refusal,
// naming the file and the place, for each fault.
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

// A host's settings by the names tests/data/inventories/expected.json uses;
// the home folder shows as "~".
nlohmann::json Shown(const InventoryHost& host) {
    static const char* const kVersions[] = {"v1", "v2c", "v3"};
    const std::string home = getenv("HOME") != nullptr ? getenv("HOME") : "";
    std::string knownHosts = host.ssh.knownHostsFile;
    if (!home.empty() && knownHosts.rfind(home + "/", 0) == 0)
        knownHosts.replace(0, home.size(), "~");
    const TelnetSettings& telnet = host.telnet;
    return {{"name", host.name},
            {"connection", host.connection},
            {"address", telnet.address},
            {"port", telnet.port},
            {"user", telnet.user},
            {"password", telnet.password.Reveal()},
            {"enable", telnet.enableSecret.Reveal()},
            {"connectMs", telnet.timeouts.connectMs},
            {"loginMs", telnet.timeouts.loginMs},
            {"commandMs", telnet.timeouts.commandMs},
            {"routerMs", telnet.timeouts.routerMs},
            {"ssh", host.ssh.enabled},
            {"key", host.ssh.privateKeyFile},
            {"checking", host.ssh.hostKeyChecking},
            {"knownHosts", knownHosts},
            {"snmpAddress", host.snmp.address},
            {"snmpPort", host.snmp.port},
            {"snmpVersion", kVersions[static_cast<int>(host.snmp.version)]},
            {"community", host.snmp.community.Reveal()},
            {"snmpUser", host.snmp.user},
            {"auth", host.snmp.authPassphrase.Reveal()},
            {"priv", host.snmp.privPassphrase.Reveal()},
            {"timeoutMs", host.snmp.timeoutMs},
            {"retries", host.snmp.retries}};
}

// Every member the expected host gives (but "why") equals the host's.
void ExpectHost(const InventoryHost& host, const nlohmann::json& expected) {
    const nlohmann::json shown = Shown(host);
    for (const auto& [key, value] : expected.items()) {
        if (key != "why") {
            EXPECT_EQ(shown.at(key), value) << key << " (" << expected.value("why", "") << ")";
        }
    }
}

// Inheritance and precedence, secrets from the environment and from files,
// the way in and its default port, the defaults crawled routers get.
TEST_F(InventoryReaderTest, EveryInventoryGivesItsExpectedHosts) {
    const nlohmann::json inventories =
        nlohmann::json::parse(std::ifstream(kInventories + "expected.json"));
    for (const auto& [file, expected] : inventories.items()) {
        SCOPED_TRACE(file);
        Read(file, expected["hosts"].size());
        for (std::size_t i = 0; i < m_Reader.Hosts().size(); ++i)
            ExpectHost(m_Reader.Hosts()[i], expected["hosts"][i]);
        ExpectHost(m_Reader.Defaults(), expected["defaults"]);
    }
}

TEST_F(InventoryReaderTest, HostKeyCheckingCanBeTurnedOnOrOffForAll) {
    Read("ssh.yml", 4);
    m_Reader.SetHostKeyChecking(true);
    EXPECT_TRUE(m_Reader.Hosts()[1].ssh.hostKeyChecking);
    m_Reader.SetHostKeyChecking(false);
    EXPECT_FALSE(m_Reader.Hosts()[0].ssh.hostKeyChecking);
    EXPECT_FALSE(m_Reader.Defaults().ssh.hostKeyChecking);
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
