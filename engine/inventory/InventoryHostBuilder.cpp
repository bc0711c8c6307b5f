#include "InventoryHostBuilder.h"

#include <arpa/inet.h>

#include <cctype>
#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

#include "InventoryError.h"
#include "InventoryScalar.h"
#include "InventoryText.h"
#include "InventoryVariables.h"

namespace {

const int kLongestTimeoutMs = 24 * 60 * 60 * 1000;
const int kMostRetries = 100;
// net-snmp derives SNMPv3 keys from passphrases of at least this length.
const std::size_t kShortestPassphrase = 8;

// A key's value as the host sees it, under whichever of its names (Ansible's
// own aliases, such as ansible_ssh_pass) the strongest layer gives.
struct Setting {
    std::string key;
    YAML::Node value;

    bool Given() const { return value.IsDefined() && !value.IsNull(); }
};

Setting Find(const InventoryVariables& variables, std::initializer_list<const char*> keys) {
    std::string found;
    YAML::Node value = variables.Find(std::vector<std::string>(keys.begin(), keys.end()), found);
    return Setting{found, value};
}

const char* KindOf(const YAML::Node& node) {
    return node.IsMap() ? "a mapping" : node.IsSequence() ? "a list" : "a plain value";
}

// The text of a plain setting; empty when not given.
std::string Text(const Setting& setting, const std::string& subject) {
    if (!setting.Given())
        return std::string();
    if (!setting.value.IsScalar())
        throw InventoryError(setting.value.Mark(), subject,
                             setting.key + " must be a plain value, not " + KindOf(setting.value));
    return InventoryScalar::Text(setting.value, subject, setting.key, false);
}

// A whole number from `low` to `high`, written in decimal without sign or
// leading zeros (YAML 1.1 readers take 023 as octal), quoted or not.
int Number(const Setting& setting, const std::string& subject, int low, int high, int fallback) {
    if (!setting.Given())
        return fallback;
    const std::string text = Text(setting, subject);
    bool valid = !text.empty() && text.size() <= 9 && (text[0] != '0' || text.size() == 1);
    long value = 0;
    for (std::size_t i = 0; valid && i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            value = value * 10 + (text[i] - '0');
        else
            valid = false;
    }
    if (!valid || value < low || value > high)
        throw InventoryError(setting.value.Mark(), subject,
                             setting.key + " '" + InventoryText::Shown(text) +
                                 "' is not a whole number from " + std::to_string(low) + " to " +
                                 std::to_string(high));
    return static_cast<int>(value);
}

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A yes or no, in any of the ways Ansible takes one.
bool Flag(const Setting& setting, const std::string& subject, bool fallback) {
    if (!setting.Given())
        return fallback;
    const std::string text = Lowered(Text(setting, subject));
    for (const char* yes : {"true", "yes", "on", "y", "1"}) {
        if (text == yes)
            return true;
    }
    for (const char* no : {"false", "no", "off", "n", "0"}) {
        if (text == no)
            return false;
    }
    throw InventoryError(setting.value.Mark(), subject,
                         setting.key + " '" + InventoryText::Shown(text) +
                             "' is neither true nor false");
}

SnmpSettings::Version Version(const Setting& setting, const std::string& subject,
                              SnmpSettings::Version fallback) {
    if (!setting.Given())
        return fallback;
    const std::string text = Text(setting, subject);
    std::string version = Lowered(text);
    if (!version.empty() && version[0] == 'v')
        version.erase(0, 1);
    if (version == "1")
        return SnmpSettings::Version::V1;
    if (version == "2c" || version == "2")
        return SnmpSettings::Version::V2c;
    if (version == "3")
        return SnmpSettings::Version::V3;
    throw InventoryError(setting.value.Mark(), subject,
                         setting.key + " '" + InventoryText::Shown(text) + "' is not 1, 2c or 3");
}

// A file named in the inventory: ~/ is the user's home folder.
std::string Path(const std::string& text) {
    const char* home = getenv("HOME");
    if (text.rfind("~/", 0) == 0 && home != nullptr)
        return home + text.substr(1);
    return text;
}

bool IsIpv4(const std::string& text) {
    in_addr address;
    return inet_pton(AF_INET, text.c_str(), &address) == 1;
}

std::string Address(const Setting& setting, const std::string& subject) {
    const std::string address = Text(setting, subject);
    if (!IsIpv4(address))
        throw InventoryError(setting.value.Mark(), subject,
                             setting.key + " '" + InventoryText::Shown(address) +
                                 "' is not an IPv4 address (quillon looks up no names)");
    return address;
}

} // namespace

InventoryHostBuilder::InventoryHostBuilder(std::string folder) : m_Secrets(std::move(folder)) {}

InventoryHost InventoryHostBuilder::Host(const std::string& name,
                                         const InventoryVariables& variables) const {
    const std::string subject = "host " + InventoryText::Shown(name);
    InventoryHost host;
    host.name = name;
    const Setting address = Find(variables, {"ansible_host"});
    if (address.Given()) {
        host.telnet.address = Address(address, subject);
    } else if (IsIpv4(name)) {
        host.telnet.address = name;
    } else {
        throw InventoryError(YAML::Mark::null_mark(), subject,
                             "no ansible_host, and the host name is not an IPv4 address "
                             "(quillon looks up no names)");
    }
    host.snmp.address = host.telnet.address;
    Fill(subject, variables, host);
    return host;
}

InventoryHost InventoryHostBuilder::Defaults(const InventoryVariables& variables) const {
    const std::string subject = "all: vars";
    InventoryHost host;
    const Setting address = Find(variables, {"ansible_host"});
    if (address.Given())
        host.telnet.address = Address(address, subject);
    host.snmp.address = host.telnet.address;
    Fill(subject, variables, host);
    return host;
}

void InventoryHostBuilder::Fill(const std::string& subject, const InventoryVariables& variables,
                                InventoryHost& host) const {
    TelnetSettings& telnet = host.telnet;
    const Setting connection = Find(variables, {"ansible_connection"});
    host.connection = Text(connection, subject);
    const std::string way = Lowered(host.connection);
    if (way == "ssh" || way == "network_cli" || way == "ansible.netcommon.network_cli") {
        host.ssh.enabled = true;
    } else if (!way.empty() && way != "telnet") {
        throw InventoryError(connection.value.Mark(), subject,
                             connection.key + " '" + InventoryText::Shown(host.connection) +
                                 "' is not a way in that quillon takes (telnet, ssh, "
                                 "network_cli, ansible.netcommon.network_cli)");
    }
    const int port = host.ssh.enabled ? 22 : 23;
    telnet.port = Number(Find(variables, {"ansible_port"}), subject, 1, 65535, port);
    host.ssh.privateKeyFile = Path(Text(
        Find(variables, {"ansible_ssh_private_key_file", "ansible_private_key_file"}), subject));
    host.ssh.knownHostsFile = Path(Text(Find(variables, {"quillon_known_hosts_file"}), subject));
    host.ssh.hostKeyChecking =
        Flag(Find(variables, {"quillon_host_key_checking", "ansible_host_key_checking"}), subject,
             host.ssh.hostKeyChecking);
    telnet.user = Text(Find(variables, {"ansible_user"}), subject);
    const Setting password = Find(variables, {"ansible_password", "ansible_ssh_pass"});
    telnet.password = m_Secrets.Read(password.value, subject, password.key);
    // Without become, Ansible would not enter enable mode; the secret is then
    // not even looked up.
    if (Flag(Find(variables, {"ansible_become"}), subject, true)) {
        const Setting enable = Find(variables, {"ansible_become_password", "ansible_become_pass"});
        telnet.enableSecret = m_Secrets.Read(enable.value, subject, enable.key);
    }

    Timeouts& timeouts = telnet.timeouts;
    timeouts.connectMs = Number(Find(variables, {"quillon_connect_timeout_ms"}), subject, 1,
                                kLongestTimeoutMs, timeouts.connectMs);
    timeouts.loginMs = Number(Find(variables, {"quillon_login_timeout_ms"}), subject, 1,
                              kLongestTimeoutMs, timeouts.loginMs);
    timeouts.commandMs = Number(Find(variables, {"quillon_command_timeout_ms"}), subject, 1,
                                kLongestTimeoutMs, timeouts.commandMs);
    timeouts.routerMs = Number(Find(variables, {"quillon_router_timeout_ms"}), subject, 1,
                               kLongestTimeoutMs, timeouts.routerMs);

    SnmpSettings& snmp = host.snmp;
    const Setting version = Find(variables, {"snmp_version"});
    snmp.version = Version(version, subject, snmp.version);
    snmp.port = Number(Find(variables, {"snmp_port"}), subject, 1, 65535, snmp.port);
    const Setting community = Find(variables, {"snmp_community"});
    if (community.Given())
        snmp.community = m_Secrets.Read(community.value, subject, community.key);
    snmp.user = Text(Find(variables, {"snmp_user"}), subject);
    const Setting auth = Find(variables, {"snmp_auth"});
    snmp.authPassphrase = m_Secrets.Read(auth.value, subject, auth.key);
    const Setting priv = Find(variables, {"snmp_priv"});
    snmp.privPassphrase = m_Secrets.Read(priv.value, subject, priv.key);
    snmp.timeoutMs =
        Number(Find(variables, {"snmp_timeout_ms"}), subject, 1, kLongestTimeoutMs, snmp.timeoutMs);
    snmp.retries =
        Number(Find(variables, {"snmp_retries"}), subject, 0, kMostRetries, snmp.retries);

    if (snmp.version != SnmpSettings::Version::V3)
        return;
    const YAML::Mark versionMark = version.Given() ? version.value.Mark() : YAML::Mark::null_mark();
    if (snmp.user.empty())
        throw InventoryError(versionMark, subject, "snmp_version 3 needs snmp_user");
    if (snmp.authPassphrase.Empty() || snmp.privPassphrase.Empty())
        throw InventoryError(
            versionMark, subject,
            "snmp_version 3 needs snmp_auth and snmp_priv (authPriv: SHA and AES)");
    const auto checkLength = [&](const Setting& setting, const Secret& passphrase) {
        if (passphrase.Reveal().size() < kShortestPassphrase)
            throw InventoryError(setting.value.Mark(), subject,
                                 setting.key + " is shorter than " +
                                     std::to_string(kShortestPassphrase) +
                                     " characters, the least SNMPv3 takes");
    };
    checkLength(auth, snmp.authPassphrase);
    checkLength(priv, snmp.privPassphrase);
}
