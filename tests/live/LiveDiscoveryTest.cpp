// Live discovery end to end, on 127.0.0.1 only: `quillon serve` stands in for
// the routers (telnet, and SNMP through snmpsimd), `quillon discover
// --inventory` reaches them, and what it reports must be what replaying the
// same labs reports, traces and error lines included, apart from the
// transport member. Failures are named and never stop the other routers;
// no secret reaches any output. Routers run side by side with the same
// result as one after another, and a crawl finds a network from one seed
// without reaching outside its scope.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "QuillonProcess.h"
#include "ServedLab.h"

namespace {

using namespace quillon_test;
using json = nlohmann::json;

const std::vector<std::string> kLabs = {"", "@data/labs/routers.json", "@data/labs/links.json",
                                        "@data/labs/unreachable.json"};

std::vector<std::string> LabArguments(const std::string& lab) {
    return lab.empty() ? std::vector<std::string>{} : std::vector<std::string>{Expand(lab)};
}

// A discovery with --format json --debug 4; the report comes back parsed.
struct Discovery {
    QuillonResult run;
    json report;
};

Discovery Discover(std::vector<std::string> arguments, const ScratchFolder& folder) {
    const std::string out = folder / "report.json";
    std::remove(out.c_str());
    arguments.insert(arguments.begin(),
                     {"discover", "--format", "json", "--debug", "4", "--out", out});
    Discovery discovery{RunQuillon(arguments), json()};
    discovery.report = json::parse(ReadFile(out), nullptr, false);
    return discovery;
}

// The report without the transport members, and standard error without the
// transport failure lines.
json WithoutTransport(json report) {
    for (json& entity : report["entities"])
        entity.erase("transport");
    return report;
}

std::string WithoutTransportLines(const std::string& err) {
    std::string kept;
    std::size_t start = 0;
    while (start < err.size()) {
        std::size_t end = err.find('\n', start);
        end = end == std::string::npos ? err.size() : end + 1;
        if (err.compare(start, 9, "quillon: ") != 0)
            kept += err.substr(start, end - start);
        start = end;
    }
    return kept;
}

void ExpectSameAsReplay(const Discovery& live, const Discovery& replay, const std::string& lab) {
    ASSERT_EQ(live.run.status, 0) << lab << live.run.err;
    ASSERT_FALSE(live.report.is_discarded()) << lab;
    EXPECT_EQ(live.run.out, replay.run.out) << lab;
    EXPECT_EQ(WithoutTransportLines(live.run.err), replay.run.err) << lab;
    EXPECT_EQ(WithoutTransport(live.report), replay.report) << lab;
}

// The lab with every output's line ends as CR LF, and its own credentials.
std::string Rewritten(const std::string& lab, const ScratchFolder& folder, bool crlf) {
    json parsed =
        json::parse(ReadFile(lab.empty() ? Expand("@src/examples/lab.json") : Expand(lab)));
    for (json& device : parsed["devices"]) {
        device["login"] = {{"username", "ops"}, {"password", "Pw-7g2Kq"}, {"enable", "En-9xR4"}};
        if (!crlf || !device.contains("commands"))
            continue;
        for (auto& [command, output] : device["commands"].items()) {
            std::string text = output.get<std::string>(), withCr;
            for (const char c : text)
                withCr += c == '\n' ? std::string("\r\n") : std::string(1, c);
            output = withCr;
        }
    }
    const std::string path = folder / (crlf ? "crlf.json" : "login.json");
    WriteFile(path, parsed.dump());
    return path;
}

TEST(LiveDiscovery, EveryLabServedLiveReportsAsItsReplay) {
    ScratchFolder folder;
    std::vector<std::string> labs = kLabs;
    labs.push_back(Rewritten("", folder, true));
    for (const std::string& lab : labs) {
        ServedLab served(LabArguments(lab));
        ASSERT_TRUE(served.Ready()) << lab << served.Log();
        const Discovery live = Discover({"--inventory", served.Inventory()}, folder);
        const Discovery replay = Discover(LabArguments(lab), folder);
        ExpectSameAsReplay(live, replay, lab);
        for (const json& entity : live.report["entities"])
            EXPECT_TRUE(entity.contains("transport")) << lab;
    }
}

TEST(LiveDiscovery, FailuresAreNamedOthersUnaffectedAndNoSecretShows) {
    ScratchFolder folder;
    const std::string lab = Rewritten("", folder, false);
    ServedLab served({lab});
    ASSERT_TRUE(served.Ready()) << served.Log();
    const int port = served.Port();
    // r1 and r3 as served; then a wrong password, a wrong enable secret, and
    // a port where nothing listens.
    const std::string inventory = folder / "mixed.yml";
    WriteFile(inventory,
              "all:\n  vars:\n    ansible_host: 127.0.0.1\n    ansible_user: ops\n"
              "    ansible_password: Pw-7g2Kq\n    ansible_become_password: En-9xR4\n"
              "    snmp_timeout_ms: 300\n    snmp_retries: 0\n  hosts:\n"
              "    r1:\n      ansible_port: " +
                  std::to_string(port) + "\n      snmp_port: " + std::to_string(port) +
                  "\n    wrong-password:\n      ansible_port: " + std::to_string(port + 1) +
                  "\n      ansible_password: Bad-3vQ8\n    wrong-enable:\n"
                  "      ansible_port: " +
                  std::to_string(port + 1) +
                  "\n      ansible_become_password: Bad-5nW1\n    refused:\n"
                  "      ansible_port: " +
                  std::to_string(port + 6) + "\n");
    const Discovery live = Discover({"--inventory", inventory}, folder);
    ASSERT_EQ(live.run.status, 0) << live.run.err;
    const json& entities = live.report["entities"];
    ASSERT_EQ(entities.size(), 4u);

    // r1 as in a replay of the example.
    const Discovery replay = Discover({}, folder);
    json r1 = entities[0];
    r1.erase("transport");
    EXPECT_EQ(r1, replay.report["entities"][0]);
    EXPECT_TRUE(entities[0]["transport"]["failures"].empty());

    const std::pair<std::size_t, const char*> expected[] = {
        {1, "login"}, {2, "enable"}, {3, "refused"}};
    for (const auto& [index, word] : expected) {
        const json& failures = entities[index]["transport"]["failures"];
        ASSERT_FALSE(failures.empty()) << entities[index]["name"];
        EXPECT_NE(failures[0].get<std::string>().find(word), std::string::npos) << failures;
        EXPECT_NE(live.run.err.find("quillon: " + entities[index]["name"].get<std::string>() +
                                    ": " + failures[0].get<std::string>() + "\n"),
                  std::string::npos);
    }
    const std::string everything = live.run.out + live.run.err + live.report.dump();
    for (const char* secret : {"Pw-7g2Kq", "En-9xR4", "Bad-3vQ8", "Bad-5nW1"})
        EXPECT_EQ(everything.find(secret), std::string::npos) << secret;
}

TEST(LiveDiscovery, RoutersSideBySideReportAsOneAfterAnother) {
    ScratchFolder folder;
    for (const std::string& lab : kLabs) {
        std::vector<std::string> one = LabArguments(lab), many = one;
        one.insert(one.begin(), {"--jobs", "1"});
        many.insert(many.begin(), {"--jobs", "16"});
        const Discovery first = Discover(one, folder);
        const Discovery second = Discover(many, folder);
        EXPECT_EQ(first.run.out, second.run.out) << lab;
        EXPECT_EQ(first.run.err, second.run.err) << lab;
        EXPECT_EQ(first.report, second.report) << lab;
    }
}

// A listener of the test's own on a loopback address, to tell whether
// anything ever connected to it.
class Watch {
public:
    Watch(const std::string& address, int port) {
        m_Socket = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(static_cast<uint16_t>(port));
        inet_pton(AF_INET, address.c_str(), &where.sin_addr);
        const int yes = 1;
        setsockopt(m_Socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        m_Listening = bind(m_Socket, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 &&
                      listen(m_Socket, 16) == 0;
    }
    ~Watch() { close(m_Socket); }
    bool Listening() const { return m_Listening; }
    bool Contacted() const {
        const int accepted = accept(m_Socket, nullptr, nullptr);
        if (accepted >= 0)
            close(accepted);
        return accepted >= 0;
    }

private:
    int m_Socket = -1;
    bool m_Listening = false;
};

// A generated network of `routers`, served; the addresses of its serial
// links (127.24.0.0/13) are left out of the serving when `watch` is set.
std::string Network(const ScratchFolder& folder, int routers, bool watch,
                    std::vector<std::string>& left) {
    const std::string lab = folder / ("network-" + std::to_string(watch) + ".json");
    const std::string labgen =
        Expand("@bin/quillon-labgen") + " --network " + std::to_string(routers) + " > " + lab;
    if (std::system(labgen.c_str()) != 0)
        return "";
    json network = json::parse(ReadFile(lab));
    for (json& device : network["devices"]) {
        json kept = json::array();
        for (const json& address : device["addresses"]) {
            const std::string text = address.get<std::string>();
            in_addr parsed{};
            inet_pton(AF_INET, text.c_str(), &parsed);
            if (watch && (ntohl(parsed.s_addr) & 0xfff80000u) == 0x7f180000u)
                left.push_back(text);
            else
                kept.push_back(address);
        }
        device["addresses"] = kept;
    }
    WriteFile(lab, network.dump());
    return lab;
}

// Crawls from r1 alone with the served network's defaults; the host names
// the routers' prompts showed, in report order.
std::vector<std::string> Crawl(const ServedLab& served, const std::string& scope,
                               const ScratchFolder& folder) {
    const std::string seed = folder / "seed.yml";
    const std::string port = std::to_string(served.Port());
    WriteFile(seed, "all:\n  vars:\n    ansible_port: " + port + "\n    snmp_port: " + port +
                        "\n    ansible_user: quillon\n    ansible_password: quillon\n"
                        "    ansible_become_password: quillon\n  hosts:\n    r1:\n"
                        "      ansible_host: 127.0.0.1\n");
    const Discovery crawl =
        Discover({"--inventory", seed, "--crawl", "--scope", scope, "--jobs", "32"}, folder);
    EXPECT_EQ(crawl.run.status, 0) << crawl.run.err;
    std::vector<std::string> hosts;
    for (const json& entity : crawl.report["entities"]) {
        const json& name = entity["transport"]["hostName"];
        hosts.push_back(name.is_string() ? name.get<std::string>() : "?");
    }
    return hosts;
}

TEST(LiveDiscovery, CrawlFromOneSeedFindsEveryRouterOnce) {
    ScratchFolder folder;
    std::vector<std::string> unused;
    constexpr int kRouters = 200;
    ServedLab served({Network(folder, kRouters, false, unused)});
    ASSERT_TRUE(served.Ready()) << served.Log();
    const std::vector<std::string> hosts = Crawl(served, "127.16.0.0/12", folder);
    std::set<std::string> expected;
    for (int i = 1; i <= kRouters; ++i)
        expected.insert("r" + std::to_string(i));
    EXPECT_EQ(std::set<std::string>(hosts.begin(), hosts.end()), expected);
    EXPECT_EQ(hosts.size(), static_cast<std::size_t>(kRouters));
}

TEST(LiveDiscovery, CrawlNeverReachesOutsideItsScope) {
    ScratchFolder folder;
    std::vector<std::string> outside;
    const std::string lab = Network(folder, 20, true, outside);
    ServedLab served({lab});
    ASSERT_TRUE(served.Ready()) << served.Log();
    // The test listens where the serial links' far ends would be.
    std::vector<std::unique_ptr<Watch>> watches;
    for (const std::string& address : outside) {
        watches.push_back(std::make_unique<Watch>(address, served.Port()));
        ASSERT_TRUE(watches.back()->Listening()) << address;
    }
    ASSERT_FALSE(watches.empty());
    const std::vector<std::string> hosts = Crawl(served, "127.16.0.0/13", folder);
    EXPECT_EQ(hosts.size(), std::set<std::string>(hosts.begin(), hosts.end()).size());
    EXPECT_GT(hosts.size(), 1u);
    for (std::size_t i = 0; i < watches.size(); ++i)
        EXPECT_FALSE(watches[i]->Contacted()) << outside[i];
}

} // namespace
