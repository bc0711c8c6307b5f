#include "SnmpsimRunner.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <grp.h>
#include <openssl/evp.h>
#include <pwd.h>
#include <random>
#include <set>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <utility>

#include "SnmpWalker.h"
#include "SnmprecFile.h"

namespace {

// snmpsimd numbers its UDP endpoints under snmpUDPDomain, from 0 in the
// order they are configured, across engines; a data file named after an
// endpoint's domain answers SNMPv3 requests in the default context there.
constexpr const char* kUdpDomain = "1.3.6.1.6.1.1";
constexpr std::size_t kMaxCommunity = 64;
constexpr std::size_t kMaxUser = 32;
constexpr std::size_t kMinPassphrase = 8;
constexpr std::size_t kMaxPassphrase = 64;
constexpr int kProbeTimeoutMs = 300;
constexpr long long kReadyBaseMs = 15000;
constexpr long long kReadyPerAgentMs = 50;
constexpr int kProbePauseMs = 100;
constexpr std::size_t kMaxLastWords = 300;

bool Printable(const std::string& text) {
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x21 || byte > 0x7e)
            return false;
    }
    return true;
}

bool LoopbackAddress(const std::string& address) {
    in_addr parsed{};
    return inet_pton(AF_INET, address.c_str(), &parsed) == 1 && (ntohl(parsed.s_addr) >> 24) == 127;
}

std::string Endpoint(const SnmpsimAgent& agent) {
    return agent.address + ":" + std::to_string(agent.port);
}

std::string Name(const SnmpsimAgent& agent) {
    return "the SNMP agent of " + (agent.router != nullptr ? agent.router->name : "no router") +
           " (" + Endpoint(agent) + ")";
}

bool CheckAgent(const SnmpsimAgent& agent, std::string& error) {
    auto fail = [&](const std::string& why) {
        error = Name(agent) + ": " + why;
        return false;
    };
    if (agent.router == nullptr)
        return fail("there is no router");
    if (!LoopbackAddress(agent.address))
        return fail("the address is not an IPv4 loopback address (127.0.0.0/8)");
    if (agent.port < 1 || agent.port > 65535)
        return fail("the port is not between 1 and 65535");
    const std::string& community = agent.community.Reveal();
    if (community.empty() || community.size() > kMaxCommunity || !Printable(community) ||
        community.find('/') != std::string::npos || community.front() == '.' ||
        community == "index")
        return fail("the community must be 1 to 64 printable ASCII characters without blanks "
                    "or '/', not start with '.' and not be \"index\"");
    if (agent.v3User.empty())
        return true;
    if (agent.v3User.size() > kMaxUser || !Printable(agent.v3User))
        return fail("the SNMPv3 user must be 1 to 32 printable ASCII characters without blanks");
    for (const Secret* passphrase : {&agent.v3AuthPassphrase, &agent.v3PrivPassphrase}) {
        const std::string& value = passphrase->Reveal();
        if (value.size() < kMinPassphrase || value.size() > kMaxPassphrase || !Printable(value))
            return fail("an SNMPv3 passphrase must be 8 to 64 printable ASCII characters "
                        "without blanks");
    }
    return true;
}

// A Cisco-style engine ID (enterprise 9, MAC format) that differs per agent.
std::string EngineId(std::size_t agent) {
    char text[40];
    std::snprintf(text, sizeof text, "8000000903000200%08x",
                  static_cast<unsigned>(agent & 0xffffffffU));
    return text;
}

std::string RandomKey() {
    std::random_device random;
    static const char kDigits[] = "0123456789abcdef";
    std::string key;
    for (int i = 0; i < 32; ++i)
        key += kDigits[random() % 16];
    return key;
}

// The agents by the requests they let in (community and SNMPv3 user with
// its passphrases), in the order each set first appears.
std::vector<std::vector<std::size_t>> EngineGroups(const std::vector<SnmpsimAgent>& agents) {
    auto sameRequests = [](const SnmpsimAgent& one, const SnmpsimAgent& other) {
        return one.community.Reveal() == other.community.Reveal() && one.v3User == other.v3User &&
               one.v3AuthPassphrase.Reveal() == other.v3AuthPassphrase.Reveal() &&
               one.v3PrivPassphrase.Reveal() == other.v3PrivPassphrase.Reveal();
    };
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < agents.size(); ++i) {
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& members) {
            return sameRequests(agents[members.front()], agents[i]);
        });
        if (group == groups.end())
            groups.push_back({i});
        else
            group->push_back(i);
    }
    return groups;
}

// snmpsimd names the context of a community by the MD5 digest of it, in
// lower-case hex; the data files it picks by endpoint sit under that name.
std::string Md5Hex(const std::string& text) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(text.data(), text.size(), digest, &size, EVP_md5(), nullptr);
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < size; ++i) {
        hex += kDigits[digest[i] >> 4];
        hex += kDigits[digest[i] & 0xf];
    }
    return hex;
}

bool LookUpIdentity(const std::string& userName, const std::string& groupName,
                    SnmpsimProcess::Identity& identity, std::string& error) {
    std::vector<char> buffer(16384);
    passwd account{};
    passwd* foundAccount = nullptr;
    struct group* foundGroup = nullptr;
    struct group groupEntry {};
    if (getpwnam_r(userName.c_str(), &account, buffer.data(), buffer.size(), &foundAccount) != 0 ||
        foundAccount == nullptr) {
        error = "there is no user " + userName + " for snmpsimd to run as";
        return false;
    }
    identity.user = account.pw_uid;
    if (getgrnam_r(groupName.c_str(), &groupEntry, buffer.data(), buffer.size(), &foundGroup) !=
            0 ||
        foundGroup == nullptr) {
        error = "there is no group " + groupName + " for snmpsimd to run as";
        return false;
    }
    identity.group = groupEntry.gr_gid;
    identity.change = true;
    return true;
}

void Mask(std::string& text, const std::string& secret) {
    if (secret.empty())
        return;
    for (std::size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + 3))
        text.replace(at, secret.size(), "***");
}

} // namespace

SnmpsimRunner::SnmpsimRunner() = default;

SnmpsimRunner::~SnmpsimRunner() {
    Stop();
}

void SnmpsimRunner::SetProcessUser(std::string user, std::string group) {
    m_ProcessUser = std::move(user);
    m_ProcessGroup = std::move(group);
}

bool SnmpsimRunner::Start(const std::vector<SnmpsimAgent>& agents, std::string& error) {
    Stop();
    SnmpsimProcess::Identity identity;
    std::vector<std::string> arguments;
    if (!Prepare(agents, identity, arguments, error)) {
        Stop();
        return false;
    }
    const std::string& directory = m_Directory->Path();
    arguments.insert(arguments.end(), {
                                          "--args-from-file=" + directory + "/args",
                                          "--cache-dir=" + directory + "/cache",
                                          "--logging-method=null",
                                      });
    const std::vector<std::string> environment = {
        "HOME=" + directory,
        "PATH=/usr/local/bin:/usr/bin:/bin",
        "LC_ALL=C.UTF-8",
        "PYTHONDONTWRITEBYTECODE=1",
    };
    m_Process = std::make_unique<SnmpsimProcess>();
    if (!m_Process->Start(m_Program, arguments, environment, identity, directory + "/stderr",
                          error) ||
        !WaitUntilAnswering(agents, error)) {
        Stop();
        return false;
    }
    return true;
}

bool SnmpsimRunner::Prepare(const std::vector<SnmpsimAgent>& agents,
                            SnmpsimProcess::Identity& identity, std::vector<std::string>& options,
                            std::string& error) {
    if (agents.empty()) {
        error = "there is no SNMP agent to serve";
        return false;
    }
    std::set<std::string> endpoints;
    for (const SnmpsimAgent& agent : agents) {
        if (!CheckAgent(agent, error))
            return false;
        if (!endpoints.insert(Endpoint(agent)).second) {
            error = Name(agent) + ": another agent already listens there";
            return false;
        }
    }
    if (geteuid() == 0 && !LookUpIdentity(m_ProcessUser, m_ProcessGroup, identity, error))
        return false;

    m_Directory = std::make_unique<SnmpsimDirectory>();
    if (!m_Directory->Create(identity.change, identity.user, identity.group, error) ||
        !m_Directory->MakeDirectory("cache", error))
        return false;
    const std::string& directory = m_Directory->Path();
    if (directory.find_first_of(" \t\n\r\v\f") != std::string::npos) {
        error = "snmpsimd cannot take a directory with blanks in its path: " + directory;
        return false;
    }

    std::ostringstream arguments;
    const bool v3 = std::any_of(agents.begin(), agents.end(),
                                [](const SnmpsimAgent& agent) { return !agent.v3User.empty(); });
    if (!(v3 ? PrepareEngines(agents, arguments, error)
             : PrepareCommunities(agents, arguments, options, error)))
        return false;
    std::string text = arguments.str();
    const bool written = m_Directory->WriteFile("args", text, error);
    explicit_bzero(text.data(), text.size());
    return written;
}

bool SnmpsimRunner::PrepareCommunities(const std::vector<SnmpsimAgent>& agents,
                                       std::ostringstream& arguments,
                                       std::vector<std::string>& options, std::string& error) {
    // Without SNMPv3, snmpsimd's lighter SNMPv1/v2c-only mode: a request is
    // answered from the file named after its community and the endpoint it
    // came to, and a community without such a file gets no answer. The data
    // directory goes on the command line (this mode reads it nowhere else);
    // the communities are only in file names inside the private directory.
    const std::string data = "communities";
    if (!m_Directory->MakeDirectory(data, error))
        return false;
    std::set<std::string> communities;
    for (std::size_t i = 0; i < agents.size(); ++i) {
        const SnmpsimAgent& agent = agents[i];
        const std::string folder = data + "/" + agent.community.Reveal();
        if (communities.insert(folder).second && !m_Directory->MakeDirectory(folder, error))
            return false;
        if (!m_Directory->WriteFile(folder + "/" + kUdpDomain + "." + std::to_string(i) +
                                        ".snmprec",
                                    SnmprecFile::Render(*agent.router), error))
            return false;
        arguments << "--agent-udpv4-endpoint=" << Endpoint(agent) << "\n";
    }
    options = {"--v2c-arch", "--data-dir=" + m_Directory->Path() + "/" + data};
    m_Probes = {agents.size() - 1};
    return true;
}

bool SnmpsimRunner::PrepareEngines(const std::vector<SnmpsimAgent>& agents,
                                   std::ostringstream& arguments, std::string& error) {
    // Agents that let in the same requests share one SNMP engine, and each
    // endpoint of an engine answers from a data file of its own: setting up
    // an engine costs snmpsimd about 150 ms. (Each endpoint's file also
    // costs a community entry, whose setup grows with their number: this
    // mode is for a few agents.)
    const std::string& directory = m_Directory->Path();
    std::size_t transport = 0;
    const std::vector<std::vector<std::size_t>> engines = EngineGroups(agents);
    m_Probes.clear();
    for (std::size_t e = 0; e < engines.size(); ++e) {
        m_Probes.push_back(engines[e].back());
        const SnmpsimAgent& first = agents[engines[e].front()];
        const std::string data = "engine-" + std::to_string(e);
        const std::string& community = first.community.Reveal();
        const std::string byTransport = data + "/" + Md5Hex(community);
        // The community's own file makes it known to the engine; requests
        // are then answered from the file of the endpoint they came to.
        if (!m_Directory->MakeDirectory(data, error) ||
            !m_Directory->MakeDirectory(byTransport, error) ||
            !m_Directory->WriteFile(data + "/" + community + ".snmprec", "", error))
            return false;
        const bool v3 = !first.v3User.empty();
        arguments << "--v3-engine-id=" << EngineId(e) << "\n"
                  << "--data-dir=" << directory << "/" << data << "\n";
        if (v3) {
            arguments << "--v3-user=" << first.v3User << "\n"
                      << "--v3-auth-key=" << first.v3AuthPassphrase.Reveal() << "\n"
                      << "--v3-auth-proto=SHA\n"
                      << "--v3-priv-key=" << first.v3PrivPassphrase.Reveal() << "\n"
                      << "--v3-priv-proto=AES\n";
        } else {
            // Without a user of its own snmpsimd would let in its well-known
            // default one; this one's key is never told.
            arguments << "--v3-user=quillon-unused\n"
                      << "--v3-auth-key=" << RandomKey() << "\n"
                      << "--v3-auth-proto=SHA\n";
        }
        for (std::size_t i : engines[e]) {
            const SnmpsimAgent& agent = agents[i];
            const std::string records = SnmprecFile::Render(*agent.router);
            const std::string domain = std::string(kUdpDomain) + "." + std::to_string(transport++);
            if (!m_Directory->WriteFile(byTransport + "/" + domain + ".snmprec", records, error) ||
                (v3 && !m_Directory->WriteFile(data + "/" + domain + ".snmprec", records, error)))
                return false;
            arguments << "--agent-udpv4-endpoint=" << Endpoint(agent) << "\n";
        }
    }
    return true;
}

bool SnmpsimRunner::WaitUntilAnswering(const std::vector<SnmpsimAgent>& agents,
                                       std::string& error) {
    const long long timeoutMs =
        m_ReadyTimeoutMs > 0
            ? m_ReadyTimeoutMs
            : kReadyBaseMs + kReadyPerAgentMs * static_cast<long long>(agents.size());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // snmpsimd sets up every endpoint before it answers any, so the last
    // endpoint of each engine answering is every agent answering (a walk
    // costs snmpsimd milliseconds: thousands would take a minute).
    std::size_t answering = 0;
    for (;;) {
        std::string ending;
        if (!m_Process->Running(ending)) {
            error = "snmpsimd " + ending;
            const std::string words = LastWords(agents);
            if (!words.empty())
                error += ": " + words;
            return false;
        }
        // A walk that succeeds is an agent that answers.
        while (answering < m_Probes.size()) {
            const SnmpsimAgent& agent = agents[m_Probes[answering]];
            SnmpSettings probe;
            probe.address = agent.address;
            probe.port = agent.port;
            probe.version = SnmpSettings::Version::V2c;
            probe.community = agent.community;
            probe.timeoutMs = kProbeTimeoutMs;
            probe.retries = 0;
            std::vector<CScoutSnmpRow> rows;
            std::string reason;
            if (!SnmpWalker(probe).Walk("ifDescr", rows, reason))
                break;
            ++answering;
        }
        if (answering == m_Probes.size())
            return true;
        if (std::chrono::steady_clock::now() >= deadline) {
            error = Name(agents[m_Probes[answering]]) + ": snmpsimd did not answer within " +
                    std::to_string(timeoutMs) + " ms";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kProbePauseMs));
    }
}

std::string SnmpsimRunner::LastWords(const std::vector<SnmpsimAgent>& agents) const {
    std::ifstream file(m_Directory->Path() + "/stderr");
    std::string line;
    std::string last;
    while (std::getline(file, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty())
            last = line;
    }
    for (const SnmpsimAgent& agent : agents) {
        Mask(last, agent.community.Reveal());
        Mask(last, agent.v3AuthPassphrase.Reveal());
        Mask(last, agent.v3PrivPassphrase.Reveal());
    }
    if (last.size() > kMaxLastWords)
        last = last.substr(0, kMaxLastWords) + "...";
    return last;
}

bool SnmpsimRunner::Running(std::string& ending) {
    if (!m_Process) {
        ending = "is not running";
        return false;
    }
    return m_Process->Running(ending);
}

void SnmpsimRunner::Stop() {
    m_Process.reset();
    m_Directory.reset();
}
