// Live discovery end to end, on 127.0.0.1 only: `quillon serve` stands in for
// the routers (telnet or SSH, and SNMP through snmpsimd), `quillon discover
// --inventory` reaches them, and what it reports must be what replaying the
// same labs reports, traces and error lines included, apart from the
// transport member, over either way in or both in one run. Failures are
// named and never stop the other routers; no secret reaches any output. Routers run side by side
// with the same result as one after another, and a crawl finds a network from one seed without
// reaching outside its scope.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "LoopbackSocket.h"
#include "QuillonProcess.h"
#include "ServedLab.h"

namespace {

using namespace quillon_test;
using namespace std::string_literals;
using json = nlohmann::json;

const std::vector<std::string> kLabs = {"", "@data/labs/routers.json", "@data/labs/links.json",
                                        "@data/labs/unreachable.json"};

const std::vector<std::string> kTelnet = {};
const std::vector<std::string> kSsh = {"--ssh"};

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

// An inventory of tests/data/inventories/live with its places filled in:
// {PORT+N}, {FOLDER}, {INVENTORY} and the `more` given.
std::string Filled(const std::string& name, const ServedLab& served, const ScratchFolder& folder,
                   std::vector<std::pair<std::string, std::string>> more = {}) {
    std::string text = ReadFile(Expand("@data/inventories/live/" + name));
    more.insert(more.end(), {{"{FOLDER}", folder.Path()}, {"{INVENTORY}", served.Inventory()}});
    for (int n = 0; n < 10; ++n)
        more.emplace_back("{PORT+" + std::to_string(n) + "}", std::to_string(served.Port() + n));
    for (const auto& [place, value] : more)
        for (std::size_t at = text.find(place); at != std::string::npos; at = text.find(place, at))
            text.replace(at, place.size(), value);
    return text;
}

// The first router as in a replay of the example; each later one failed
// with the words given in its reason, in the report and on standard error;
// no secret anywhere.
void ExpectFailuresNamed(const Discovery& live, const ScratchFolder& folder,
                         const std::vector<std::string>& reasons,
                         const std::vector<std::string>& secrets) {
    ASSERT_EQ(live.run.status, 0) << live.run.err;
    const json& entities = live.report["entities"];
    ASSERT_EQ(entities.size(), reasons.size() + 1);
    json first = entities[0];
    first.erase("transport");
    EXPECT_EQ(first, Discover({}, folder).report["entities"][0]);
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        const json& entity = entities[i + 1];
        const json& failures = entity["transport"]["failures"];
        ASSERT_FALSE(failures.empty()) << entity["name"];
        EXPECT_NE(failures[0].get<std::string>().find(reasons[i]), std::string::npos) << failures;
        EXPECT_NE(live.run.err.find("quillon: " + entity["name"].get<std::string>() + ": " +
                                    failures[0].get<std::string>() + "\n"),
                  std::string::npos);
    }
    const std::string everything = live.run.out + live.run.err + live.report.dump();
    for (const std::string& secret : secrets)
        EXPECT_EQ(everything.find(secret), std::string::npos) << secret;
}

TEST(LiveDiscovery, EveryLabServedLiveReportsAsItsReplay) {
    ScratchFolder folder;
    std::vector<std::string> labs = kLabs;
    labs.push_back(Rewritten("", folder, true));
    for (const std::string way : {"telnet", "ssh"}) {
        for (const std::string& lab : labs) {
            ServedLab served(LabArguments(lab), way == "ssh" ? kSsh : kTelnet);
            ASSERT_TRUE(served.Ready()) << lab << served.Log();
            const Discovery live = Discover({"--inventory", served.Inventory()}, folder);
            const Discovery replay = Discover(LabArguments(lab), folder);
            ExpectSameAsReplay(live, replay, way + " " + lab);
            for (const json& entity : live.report["entities"])
                EXPECT_EQ(entity["transport"]["commands"].get<std::string>().rfind(way + " ", 0),
                          0u)
                    << lab;
        }
    }
}

// Host blocks of an inventory that serve --inventory-out wrote: every line
// from one "    name:" to the next.
std::vector<std::string> HostBlocks(const std::string& inventory) {
    std::vector<std::string> blocks;
    std::size_t start = 0;
    while (start < inventory.size()) {
        const std::size_t end = inventory.find('\n', start) + 1;
        const std::string line = inventory.substr(start, end - start);
        if (line.rfind("    ", 0) == 0 && line[4] != ' ')
            blocks.emplace_back();
        if (!blocks.empty())
            blocks.back() += line;
        start = end;
    }
    return blocks;
}

TEST(LiveDiscovery, TelnetAndSshRoutersSideBySideInOneRun) {
    ScratchFolder folder;
    ServedLab telnet({}), ssh({}, kSsh);
    ASSERT_TRUE(telnet.Ready()) << telnet.Log();
    ASSERT_TRUE(ssh.Ready()) << ssh.Log();
    // Every other router over SSH; the report is the example's all the same.
    const std::vector<std::string> overTelnet = HostBlocks(ReadFile(telnet.Inventory()));
    const std::vector<std::string> overSsh = HostBlocks(ReadFile(ssh.Inventory()));
    ASSERT_EQ(overTelnet.size(), overSsh.size());
    std::string mixed = "all:\n  hosts:\n";
    for (std::size_t i = 0; i < overTelnet.size(); ++i)
        mixed += i % 2 == 0 ? overTelnet[i] : overSsh[i];
    WriteFile(folder / "mixed.yml", mixed);
    const Discovery live = Discover({"--inventory", folder / "mixed.yml", "--jobs", "8"}, folder);
    ExpectSameAsReplay(live, Discover({}, folder), "mixed");
    for (std::size_t i = 0; i < live.report["entities"].size(); ++i)
        EXPECT_EQ(
            live.report["entities"][i]["transport"]["commands"].get<std::string>().substr(0, 4),
            i % 2 == 0 ? "teln" : "ssh ");
}

TEST(LiveDiscovery, SshFailuresAreNamedOthersUnaffectedAndNoSecretShows) {
    ScratchFolder folder;
    ServedLab served({Rewritten("", folder, false)}, kSsh);
    ASSERT_TRUE(served.Ready()) << served.Log();
    const std::string port = std::to_string(served.Port());
    // A key that is not the served one, for the router's port.
    WriteFile(folder / "changed", "[127.0.0.1]:" + std::to_string(served.Port() + 2) +
                                      " ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIL4ciDndR3jhi/Vi/"
                                      "wplwn41gCWF5EECTMNxNQuLGca0\n");
    // Accepts connections and says nothing.
    int silentPort = 0;
    const int silent = BoundLoopbackSocket(SOCK_STREAM, silentPort);
    ASSERT_EQ(listen(silent, 4), 0);
    WriteFile(folder / "ssh.yml", Filled("ssh-failures.yml", served, folder,
                                         {{"{SILENT}", std::to_string(silentPort)}}));
    const Discovery live = Discover({"--inventory", folder / "ssh.yml", "--jobs", "4"}, folder);
    close(silent);
    ExpectFailuresNamed(live, folder,
                        {"login refused (password", "host key mismatch",
                         "cannot read the private key", "no login within 1000 ms",
                         "connection refused"},
                        {"Pw-7g2Kq", "En-9xR4", "Bad-3vQ8"});

    // Unchecked, the router with the other key is reached (its prompt seen);
    // the rest fail as before.
    const Discovery unchecked = Discover(
        {"--inventory", folder / "ssh.yml", "--jobs", "4", "--host-key-checking", "off"}, folder);
    ASSERT_EQ(unchecked.report["entities"].size(), 6u);
    EXPECT_EQ(unchecked.report["entities"][2]["transport"]["hostName"], "r3");
    EXPECT_FALSE(unchecked.report["entities"][1]["transport"]["failures"].empty());
}

TEST(LiveDiscovery, FailuresAreNamedOthersUnaffectedAndNoSecretShows) {
    ScratchFolder folder;
    const std::string lab = Rewritten("", folder, false);
    ServedLab served({lab});
    ASSERT_TRUE(served.Ready()) << served.Log();
    const std::string inventory = folder / "telnet.yml";
    WriteFile(inventory, Filled("telnet-failures.yml", served, folder));
    ExpectFailuresNamed(Discover({"--inventory", inventory}, folder), folder,
                        {"login", "enable", "refused"},
                        {"Pw-7g2Kq", "En-9xR4", "Bad-3vQ8", "Bad-5nW1"});
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

// A listening socket of the test's own on a loopback address (-1 when it
// cannot listen there), to tell whether anything ever connected to it.
int Watch(const std::string& address, int port) {
    const int watch = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address.c_str(), &where.sin_addr);
    const int yes = 1;
    setsockopt(watch, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (bind(watch, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 &&
        listen(watch, 16) == 0)
        return watch;
    close(watch);
    return -1;
}

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
    WriteFile(seed, Filled("seed.yml", served, folder));
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
    std::vector<int> watches;
    for (const std::string& address : outside) {
        watches.push_back(Watch(address, served.Port()));
        ASSERT_GE(watches.back(), 0) << address;
    }
    ASSERT_FALSE(watches.empty());
    const std::vector<std::string> hosts = Crawl(served, "127.16.0.0/13", folder);
    EXPECT_EQ(hosts.size(), std::set<std::string>(hosts.begin(), hosts.end()).size());
    EXPECT_GT(hosts.size(), 1u);
    for (std::size_t i = 0; i < watches.size(); ++i) {
        EXPECT_LT(accept(watches[i], nullptr, nullptr), 0) << outside[i] << " was contacted";
        close(watches[i]);
    }
}

} // namespace
