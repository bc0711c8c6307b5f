#include "InventoryWriter.h"

#include <arpa/inet.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string_view>
#include <utility>

#include <yaml-cpp/yaml.h>

#include "InventoryText.h"

namespace {

// What the reader would not take as written. Secrets are checked the same
// way, and never shown.
bool IsWritable(std::string_view text) {
    return InventoryText::FirstNonUtf8(text) == std::string_view::npos &&
           !InventoryText::HasControl(text);
}

// A string value as the reader takes it back: the reader (and Ansible) would
// expand a template or decrypt a vault payload unless told the value is
// literal text.
void EmitString(YAML::Emitter& out, const std::string& text) {
    if (InventoryText::IsTemplate(text) || text.rfind("$ANSIBLE_VAULT;", 0) == 0)
        out << YAML::LocalTag("unsafe");
    out << YAML::DoubleQuoted << text;
}

const char* VersionText(SnmpSettings::Version version) {
    switch (version) {
    case SnmpSettings::Version::V1:
        return "1";
    case SnmpSettings::Version::V3:
        return "3";
    default:
        return "2c";
    }
}

// Why the host cannot be written as it is; empty when it can.
std::string Fault(const InventoryHost& host) {
    in_addr address;
    if (host.telnet.address != host.snmp.address)
        return "its telnet and SNMP addresses differ";
    if (inet_pton(AF_INET, host.telnet.address.c_str(), &address) != 1)
        return "its address is not an IPv4 address";
    const std::pair<const char*, const std::string*> texts[] = {
        {"the user", &host.telnet.user},
        {"the connection", &host.connection},
        {"the private key file", &host.ssh.privateKeyFile},
        {"the known-hosts file", &host.ssh.knownHostsFile},
        {"the SNMP user", &host.snmp.user},
        {"the password", &host.telnet.password.Reveal()},
        {"the enable secret", &host.telnet.enableSecret.Reveal()},
        {"the community", &host.snmp.community.Reveal()},
        {"the SNMP auth passphrase", &host.snmp.authPassphrase.Reveal()},
        {"the SNMP priv passphrase", &host.snmp.privPassphrase.Reveal()},
    };
    for (const auto& [what, text] : texts) {
        if (!IsWritable(*text))
            return std::string(what) + " is not UTF-8 or holds a control character";
    }
    return std::string();
}

void EmitHost(YAML::Emitter& out, const InventoryHost& host) {
    const InventoryHost defaults;
    const TelnetSettings& telnet = host.telnet;
    const SnmpSettings& snmp = host.snmp;
    // Empty text and default numbers are left out: the reader gives them
    // back as they are.
    const auto text = [&](const char* key, const std::string& value) {
        if (!value.empty()) {
            out << YAML::Key << key << YAML::Value;
            EmitString(out, value);
        }
    };
    const auto number = [&](const char* key, int value, int fallback) {
        if (value != fallback)
            out << YAML::Key << key << YAML::Value << value;
    };

    // A name may hold control characters (a lab device's name can): they
    // go out escaped in a double-quoted key.
    out << YAML::Key;
    if (InventoryText::HasControl(host.name))
        out << YAML::DoubleQuoted;
    out << host.name << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "ansible_host" << YAML::Value << telnet.address;
    out << YAML::Key << "ansible_port" << YAML::Value << telnet.port;
    text("ansible_user", telnet.user);
    text("ansible_password", telnet.password.Reveal());
    text("ansible_become_password", telnet.enableSecret.Reveal());
    text("ansible_connection", host.connection);
    text("ansible_ssh_private_key_file", host.ssh.privateKeyFile);
    text("quillon_known_hosts_file", host.ssh.knownHostsFile);
    if (host.ssh.hostKeyChecking != defaults.ssh.hostKeyChecking)
        out << YAML::Key << "quillon_host_key_checking" << YAML::Value
            << (host.ssh.hostKeyChecking ? "true" : "false");
    number("quillon_connect_timeout_ms", telnet.timeouts.connectMs,
           defaults.telnet.timeouts.connectMs);
    number("quillon_login_timeout_ms", telnet.timeouts.loginMs, defaults.telnet.timeouts.loginMs);
    number("quillon_command_timeout_ms", telnet.timeouts.commandMs,
           defaults.telnet.timeouts.commandMs);
    number("quillon_router_timeout_ms", telnet.timeouts.routerMs,
           defaults.telnet.timeouts.routerMs);

    out << YAML::Key << "snmp_port" << YAML::Value << snmp.port;
    if (snmp.version != defaults.snmp.version)
        out << YAML::Key << "snmp_version" << YAML::Value << VersionText(snmp.version);
    if (snmp.community.Reveal() != defaults.snmp.community.Reveal()) {
        out << YAML::Key << "snmp_community" << YAML::Value;
        EmitString(out, snmp.community.Reveal());
    }
    text("snmp_user", snmp.user);
    text("snmp_auth", snmp.authPassphrase.Reveal());
    text("snmp_priv", snmp.privPassphrase.Reveal());
    number("snmp_timeout_ms", snmp.timeoutMs, defaults.snmp.timeoutMs);
    number("snmp_retries", snmp.retries, defaults.snmp.retries);
    out << YAML::EndMap;
}

} // namespace

void InventoryWriter::Add(const InventoryHost& host) {
    m_Hosts.push_back(host);
}

bool InventoryWriter::Text(Secret& text, std::string& error) const {
    std::set<std::string> names;
    for (const InventoryHost& host : m_Hosts) {
        const std::string subject = "host " + InventoryText::Shown(host.name);
        if (host.name.empty() || InventoryText::FirstNonUtf8(host.name) != std::string_view::npos) {
            error = subject + ": the name is empty or not UTF-8";
            return false;
        }
        if (!names.insert(host.name).second) {
            error = subject + ": the name is given twice";
            return false;
        }
        const std::string fault = Fault(host);
        if (!fault.empty()) {
            error = subject + ": " + fault;
            return false;
        }
    }

    YAML::Emitter out;
    // Everything but printable ASCII is escaped: yaml-cpp would write DEL as
    // it is, which YAML text may not hold.
    out << YAML::EscapeNonAscii;
    out << YAML::BeginMap << YAML::Key << "all" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "hosts" << YAML::Value << YAML::BeginMap;
    for (const InventoryHost& host : m_Hosts)
        EmitHost(out, host);
    out << YAML::EndMap << YAML::EndMap << YAML::EndMap;
    if (!out.good()) {
        error = "cannot write the inventory: " + out.GetLastError();
        return false;
    }
    // The emitter's own buffer is not wiped: yaml-cpp gives no way to.
    std::string written;
    written.reserve(out.size() + 1);
    written.append(out.c_str(), out.size());
    written += '\n';
    text = Secret(std::move(written));
    return true;
}

bool InventoryWriter::WriteFile(const std::string& path, std::string& error) const {
    const std::string shown = InventoryText::Shown(path, std::string::npos);
    Secret text;
    if (!Text(text, error)) {
        error = shown + ": " + error;
        return false;
    }
    // mkstemp creates the file with mode 0600.
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = shown + ": cannot create a file beside it: " + std::strerror(errno);
        return false;
    }
    const std::string& bytes = text.Reveal();
    std::size_t written = 0;
    int failure = 0;
    while (written < bytes.size() && failure == 0) {
        const ssize_t count = write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno != EINTR)
            failure = errno;
        else if (count > 0)
            written += static_cast<std::size_t>(count);
    }
    if (failure == 0 && fsync(fd) != 0)
        failure = errno;
    if (close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && rename(temporary.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        unlink(temporary.c_str());
        error = shown + ": cannot write the inventory: " + std::strerror(failure);
        return false;
    }
    return true;
}
