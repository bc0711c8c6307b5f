// The harness for inventories of arbitrary bytes. A refused inventory leaves
// one line of printable ASCII that names it, no hosts, and no secret value:
// the harness writes the inventory again with every secret value replaced
// holding a marker of its own and checks that no marker reaches the message. An
// accepted inventory lists hosts with distinct names and IPv4 addresses, and
// the writer turns them into an inventory that reads back the same.
#pragma once

#include <arpa/inet.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include "InventoryDocuments.h"
#include "InventoryHost.h"
#include "InventoryReader.h"
#include "InventoryText.h"
#include "InventoryWriter.h"
#include "Secret.h"

namespace quillon_fuzz {
namespace inventory {

const char* const kLabel = "fuzz.yml";
// Relative secret files are looked for here, where there are none.
const char* const kFolder = "/nonexistent-quillon-fuzz";
const char* const kMarker = "QSECRET";

inline bool IsSecretKey(const std::string& key) {
    for (const char* secret : {"ansible_password", "ansible_ssh_pass", "ansible_become_password",
                               "ansible_become_pass", "snmp_community", "snmp_auth", "snmp_priv"}) {
        if (key == secret)
            return true;
    }
    return false;
}

// Marks every secret value of a parsed inventory, in place:
// the scalars of a variable under a secret key, except the NAME and PATH
// of {env: NAME} and {file: PATH}, which messages may name. Nesting and the
// number of nodes visited are bounded, as YAML aliases can make a document
// a loop or exponentially large.
class SecretMarker {
public:
    void Document(YAML::Node document) {
        if (!document.IsMap())
            return;
        for (auto entry : document)
            Group(entry.second, 0);
    }

    int Count() const { return m_Marked; }

private:
    static constexpr int kDeepest = 32;

    bool Visit(int depth) { return depth <= kDeepest && m_Budget-- > 0; }

    void Group(YAML::Node section, int depth) {
        if (!Visit(depth) || !section.IsMap())
            return;
        for (auto entry : section) {
            if (!entry.first.IsScalar())
                continue;
            const std::string& key = entry.first.Scalar();
            if (key == "vars") {
                Variables(entry.second, depth);
            } else if (key == "hosts" && entry.second.IsMap()) {
                for (auto host : entry.second)
                    Variables(host.second, depth);
            } else if (key == "children" && entry.second.IsMap()) {
                for (auto child : entry.second)
                    Group(child.second, depth + 1);
            }
        }
    }

    void Variables(YAML::Node variables, int depth) {
        if (!Visit(depth) || !variables.IsMap())
            return;
        for (auto entry : variables) {
            if (!entry.first.IsScalar() || !IsSecretKey(entry.first.Scalar()))
                continue;
            YAML::Node value = entry.second;
            if (value.IsMap() && value.size() == 1 && value.begin()->first.IsScalar() &&
                value.begin()->second.IsScalar() &&
                (value.begin()->first.Scalar() == "env" || value.begin()->first.Scalar() == "file"))
                continue;
            Mark(value, depth + 1);
        }
    }

    void Mark(YAML::Node node, int depth) {
        if (!Visit(depth))
            return;
        if (node.IsScalar()) {
            node = Marked(node.Scalar());
        } else if (node.IsSequence()) {
            for (auto element : node)
                Mark(element, depth + 1);
        } else if (node.IsMap()) {
            for (auto entry : node)
                Mark(entry.second, depth + 1);
        }
    }

    // The value with a marker before and after it, so that it is still a
    // template, a vault payload or a line break where it was one, and that
    // a message cut short still shows the marker.
    std::string Marked(const std::string& value) {
        const std::string marker = kMarker + std::to_string(++m_Marked) + "Q";
        const std::size_t keep = value.rfind("$ANSIBLE_VAULT;", 0) == 0 ? 15 : 0;
        return value.substr(0, keep) + marker + value.substr(keep) + marker;
    }

    int m_Budget = 20000;
    int m_Marked = 0;
};

// Whether the first document of a YAML text uses an alias anywhere. A node reached through an
// alias may stand for a secret in one place and for a name in another, where
// messages may show it.
class AliasFinder : public YAML::EventHandler {
public:
    static bool Finds(const std::string& text) {
        std::istringstream stream(text);
        YAML::Parser parser(stream);
        AliasFinder finder;
        parser.HandleNextDocument(finder);
        return finder.m_Found;
    }

    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override { m_Found = true; }
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t,
                  const std::string&) override {}
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {}
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {}
    void OnMapEnd() override {}

private:
    bool m_Found = false;
};

inline bool IsIpv4(const std::string& text) {
    in_addr address;
    return inet_pton(AF_INET, text.c_str(), &address) == 1;
}

inline bool SameSecret(const Secret& a, const Secret& b) {
    return a.Reveal() == b.Reveal();
}

inline bool SameHost(const InventoryHost& a, const InventoryHost& b) {
    const TelnetSettings& ta = a.telnet;
    const TelnetSettings& tb = b.telnet;
    const SnmpSettings& sa = a.snmp;
    const SnmpSettings& sb = b.snmp;
    return a.name == b.name && a.connection == b.connection && ta.address == tb.address &&
           ta.port == tb.port && ta.user == tb.user && SameSecret(ta.password, tb.password) &&
           SameSecret(ta.enableSecret, tb.enableSecret) &&
           ta.timeouts.connectMs == tb.timeouts.connectMs &&
           ta.timeouts.loginMs == tb.timeouts.loginMs &&
           ta.timeouts.commandMs == tb.timeouts.commandMs &&
           ta.timeouts.routerMs == tb.timeouts.routerMs && sa.address == sb.address &&
           sa.port == sb.port && sa.version == sb.version &&
           SameSecret(sa.community, sb.community) && sa.user == sb.user &&
           SameSecret(sa.authPassphrase, sb.authPassphrase) &&
           SameSecret(sa.privPassphrase, sb.privPassphrase) && sa.timeoutMs == sb.timeoutMs &&
           sa.retries == sb.retries && a.ssh.enabled == b.ssh.enabled &&
           a.ssh.privateKeyFile == b.ssh.privateKeyFile &&
           a.ssh.knownHostsFile == b.ssh.knownHostsFile &&
           a.ssh.hostKeyChecking == b.ssh.hostKeyChecking;
}

// What a refusal must look like.
inline bool IsRefusal(const ::InventoryReader& reader, const std::string& error) {
    if (!reader.Hosts().empty() || error.rfind(std::string(kLabel) + ":", 0) != 0)
        return false;
    for (const char c : error) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

// What accepted hosts must be, and that they survive the writer.
inline bool IsAcceptance(const ::InventoryReader& reader) {
    std::set<std::string> names;
    InventoryWriter writer;
    for (const InventoryHost& host : reader.Hosts()) {
        if (host.name.empty() || !names.insert(host.name).second || !IsIpv4(host.telnet.address) ||
            host.snmp.address != host.telnet.address || host.telnet.port < 1 ||
            host.telnet.port > 65535 || host.snmp.port < 1 || host.snmp.port > 65535)
            return false;
        if (host.snmp.version == SnmpSettings::Version::V3 && host.snmp.user.empty())
            return false;
        writer.Add(host);
    }
    const std::string& defaultAddress = reader.Defaults().telnet.address;
    if (!reader.Defaults().name.empty() || (!defaultAddress.empty() && !IsIpv4(defaultAddress)))
        return false;

    Secret text;
    std::string error;
    if (!writer.Text(text, error))
        return false;
    ::InventoryReader again;
    if (!again.ReadText(kLabel, text.Reveal(), kFolder, error) ||
        again.Hosts().size() != reader.Hosts().size())
        return false;
    for (std::size_t i = 0; i < reader.Hosts().size(); ++i) {
        if (!SameHost(reader.Hosts()[i], again.Hosts()[i]))
            return false;
    }
    return true;
}

// The same inventory with every secret value marked gives no marker to its
// message. Inputs that hold the marker already, use aliases, are refused
// before they are parsed, or that yaml-cpp cannot read or write back, have
// nothing to check here.
inline bool KeepsSecrets(const std::string& text) {
    // The reader refuses such text before yaml-cpp sees it, and yaml-cpp may
    // loop forever on it.
    if (text.find(kMarker) != std::string::npos ||
        InventoryText::FirstNonUtf8(text) != std::string::npos ||
        InventoryText::FirstControlInLines(text) != std::string::npos)
        return true;
    std::string marked;
    try {
        if (InventoryDocuments::Starts(text, 2).size() != 1 || AliasFinder::Finds(text))
            return true;
        YAML::Node document = YAML::Load(text);
        SecretMarker marker;
        marker.Document(document);
        if (marker.Count() == 0)
            return true;
        YAML::Emitter out;
        out << document;
        if (!out.good())
            return true;
        marked = out.c_str();
    } catch (const YAML::Exception&) {
        return true;
    }
    ::InventoryReader reader;
    std::string error;
    if (reader.ReadText(kLabel, marked, kFolder, error))
        return IsAcceptance(reader);
    return IsRefusal(reader, error) && error.find(kMarker) == std::string::npos;
}

} // namespace inventory

// An inventory of the input's bytes.
inline bool InventoryReader(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ::InventoryReader reader;
    std::string error;
    const bool accepted = reader.ReadText(inventory::kLabel, text, inventory::kFolder, error);
    if (accepted ? !inventory::IsAcceptance(reader) : !inventory::IsRefusal(reader, error))
        return false;
    return inventory::KeepsSecrets(text);
}

} // namespace quillon_fuzz
