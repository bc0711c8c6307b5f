// Walks of the ifDescr column against a real snmpsimd on 127.0.0.1: what a
// lab's rows become on the wire and back, over SNMPv1, v2c and v3.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "LoopbackSocket.h"
#include "SnmpWalker.h"
#include "SnmpsimRunner.h"

namespace {

using quillon_test::FreeUdpPort;

constexpr const char* kV3User = "walker";
constexpr const char* kAuth = "auth-secret-1";
constexpr const char* kPriv = "priv-secret-1";

CScoutSnmpRow Row(int64_t index, std::string value) {
    CScoutSnmpRow row;
    row.hasIndex = true;
    row.index = index;
    row.isString = true;
    row.value = std::move(value);
    return row;
}

CScoutSnmpRow NotAString(int64_t index) {
    CScoutSnmpRow row;
    row.hasIndex = true;
    row.index = index;
    return row;
}

// Rows as text, so that a difference shows which row and which byte.
std::vector<std::string> Shown(const std::vector<CScoutSnmpRow>& rows) {
    std::vector<std::string> shown;
    for (const CScoutSnmpRow& row : rows)
        shown.push_back("[" + (row.hasIndex ? std::to_string(row.index) : "null") + ", " +
                        (row.isString ? ::testing::PrintToString(row.value)
                                      : "not a string " + ::testing::PrintToString(row.value)) +
                        "]");
    return shown;
}

// The rows a walk gives back for the router's rows: in index order, bytes
// unchanged, the row without an index gone.
std::vector<CScoutSnmpRow> WalkedR1() {
    return {Row(1, "Ethernet0/0"),
            Row(2, std::string("Gi\xc3\xa9 0/1\x00\xff", 11)),
            NotAString(3),
            Row(4, " Null0 "),
            Row(5, ""),
            Row(6, "a|b \\x41"),
            Row(4294967295LL, "Loopback0")};
}

std::vector<CScoutSnmpRow> LongColumn() {
    std::vector<CScoutSnmpRow> rows;
    for (int i = 1; i <= 60; ++i)
        rows.push_back(Row(i * 10, "Serial" + std::to_string(i) + "/0"));
    return rows;
}

class SnmpWalkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_Routers = std::make_unique<std::vector<ServedRouter>>(4);
        std::vector<ServedRouter>& routers = *s_Routers;
        routers[0].name = "R1";
        routers[0].hostName = "r1";
        routers[0].hasIfDescr = true;
        CScoutSnmpRow noIndex;
        noIndex.isString = true;
        noIndex.value = "Tunnel0";
        // Out of index order and with a row no OID can hold, as a lab may be.
        routers[0].ifDescr = {Row(2, std::string("Gi\xc3\xa9 0/1\x00\xff", 11)),
                              Row(1, "Ethernet0/0"),
                              NotAString(3),
                              noIndex,
                              Row(4, " Null0 "),
                              Row(5, ""),
                              Row(-1, "Loopback0"),
                              Row(6, "a|b \\x41")};
        routers[1].name = "R2";
        routers[1].hostName = "r2";
        routers[1].hasIfDescr = true;
        routers[2].name = "R3";
        routers[2].hostName = "r3";
        routers[2].hasIfDescr = true;
        routers[2].ifDescr = LongColumn();
        routers[3] = routers[0];
        routers[3].name = "R4";
        routers[3].hostName = "r4";

        std::vector<SnmpsimAgent> agents(4);
        for (std::size_t i = 0; i < agents.size(); ++i) {
            agents[i].router = &routers[i];
            agents[i].port = FreeUdpPort();
            agents[i].community = Community(i);
            if (i != 3) {
                agents[i].v3User = kV3User;
                agents[i].v3AuthPassphrase = Secret(kAuth);
                agents[i].v3PrivPassphrase = Secret(kPriv);
            }
            s_Ports.push_back(agents[i].port);
        }
        s_Runner = std::make_unique<SnmpsimRunner>();
        s_Runner->SetReadyTimeoutMs(30000);
        s_Started = s_Runner->Start(agents, s_StartError);
    }

    static void TearDownTestSuite() {
        s_Runner.reset();
        s_Routers.reset();
        s_Ports.clear();
    }

    void SetUp() override { ASSERT_TRUE(s_Started) << s_StartError; }

    static SnmpSettings Settings(std::size_t router, SnmpSettings::Version version) {
        SnmpSettings settings;
        settings.address = "127.0.0.1";
        settings.port = s_Ports[router];
        settings.version = version;
        settings.community = Community(router);
        if (version == SnmpSettings::Version::V3) {
            settings.user = kV3User;
            settings.authPassphrase = Secret(kAuth);
            settings.privPassphrase = Secret(kPriv);
        }
        settings.timeoutMs = 300;
        settings.retries = 0;
        return settings;
    }

    // R2 and R3 let in the same requests, so one SNMP engine serves both and
    // tells them apart by the endpoint asked.
    static Secret Community(std::size_t router) {
        return Secret(router == 1 || router == 2 ? "lab-shared"
                                                 : "lab-r" + std::to_string(router + 1));
    }

    static std::vector<std::string> WalkOrFail(const SnmpSettings& settings) {
        std::vector<CScoutSnmpRow> rows;
        std::string reason;
        EXPECT_TRUE(SnmpWalker(settings).Walk("ifDescr", rows, reason)) << reason;
        return Shown(rows);
    }

    static std::unique_ptr<std::vector<ServedRouter>> s_Routers;
    static std::unique_ptr<SnmpsimRunner> s_Runner;
    static std::vector<int> s_Ports;
    static bool s_Started;
    static std::string s_StartError;
};

std::unique_ptr<std::vector<ServedRouter>> SnmpWalkTest::s_Routers;
std::unique_ptr<SnmpsimRunner> SnmpWalkTest::s_Runner;
std::vector<int> SnmpWalkTest::s_Ports;
bool SnmpWalkTest::s_Started = false;
std::string SnmpWalkTest::s_StartError;

const SnmpSettings::Version kVersions[] = {SnmpSettings::Version::V1, SnmpSettings::Version::V2c,
                                           SnmpSettings::Version::V3};

// R1's rows exactly, R2's empty column (rows given in are dropped), and R3's
// column longer than one request to its end.
TEST_F(SnmpWalkTest, EveryVersionWalksTheRowsExactly) {
    const std::vector<CScoutSnmpRow> expected[] = {WalkedR1(), {}, LongColumn()};
    for (SnmpSettings::Version version : kVersions) {
        for (std::size_t router = 0; router < 3; ++router) {
            SCOPED_TRACE(SnmpWalker(Settings(router, version)).Describe());
            std::vector<CScoutSnmpRow> rows = {Row(9, "left over")};
            std::string reason;
            EXPECT_TRUE(SnmpWalker(Settings(router, version)).Walk("ifDescr", rows, reason))
                << reason;
            EXPECT_EQ(Shown(rows), Shown(expected[router]));
        }
    }
}

TEST_F(SnmpWalkTest, AWrongCommunityGetsNoAnswer) {
    for (SnmpSettings::Version version : {SnmpSettings::Version::V1, SnmpSettings::Version::V2c}) {
        SnmpSettings settings = Settings(0, version);
        // R2's community is no good at R1's agent.
        settings.community = Community(1);
        std::vector<CScoutSnmpRow> rows;
        std::string reason;
        EXPECT_FALSE(SnmpWalker(settings).Walk("ifDescr", rows, reason));
        EXPECT_EQ(reason, SnmpWalker(settings).Describe() + ": timeout");
        EXPECT_TRUE(rows.empty());
    }
}

TEST_F(SnmpWalkTest, AWrongV3PassphraseFailsWithoutShowingIt) {
    SnmpSettings settings = Settings(0, SnmpSettings::Version::V3);
    settings.authPassphrase = Secret("not-the-auth-passphrase");
    std::vector<CScoutSnmpRow> rows;
    std::string reason;
    EXPECT_FALSE(SnmpWalker(settings).Walk("ifDescr", rows, reason));
    EXPECT_EQ(reason.rfind("snmp v3 127.0.0.1:" + std::to_string(s_Ports[0]) + ": ", 0), 0u)
        << reason;
    EXPECT_EQ(reason.find("not-the-auth"), std::string::npos) << reason;
    // The right passphrase still works afterwards: nothing wrong was kept.
    EXPECT_EQ(WalkOrFail(Settings(0, SnmpSettings::Version::V3)), Shown(WalkedR1()));
}

TEST_F(SnmpWalkTest, AnAgentWithoutAV3UserAnswersOnlyItsCommunity) {
    EXPECT_EQ(WalkOrFail(Settings(3, SnmpSettings::Version::V2c)), Shown(WalkedR1()));
    const SnmpSettings settings = Settings(3, SnmpSettings::Version::V3);
    std::vector<CScoutSnmpRow> rows;
    std::string reason;
    EXPECT_FALSE(SnmpWalker(settings).Walk("ifDescr", rows, reason));
    EXPECT_EQ(reason.rfind(SnmpWalker(settings).Describe() + ": ", 0), 0u) << reason;
}

} // namespace
