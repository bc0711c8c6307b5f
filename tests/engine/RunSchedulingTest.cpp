// Running routers side by side: results come back in job order whatever the
// workers' timing, jobs added while delivering run too, and a crawl's scope
// lets through exactly the addresses of its networks, and a crawl knows a
// router reached again.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AddressScope.h"
#include "Crawler.h"
#include "OrderedWorkQueue.h"

namespace {

TEST(OrderedWorkQueue, DeliversInJobOrderAndRunsJobsAddedByDeliveries) {
    std::vector<int> done(40, 0);
    std::vector<std::size_t> delivered;
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    std::unique_ptr<OrderedWorkQueue> queue;
    queue = std::make_unique<OrderedWorkQueue>(
        8,
        [&](std::size_t, std::size_t job) {
            const int now = ++running;
            int most = mostAtOnce.load();
            while (now > most && !mostAtOnce.compare_exchange_weak(most, now)) {
            }
            // Early jobs take longest, so later ones finish first.
            std::this_thread::sleep_for(std::chrono::milliseconds(job < 4 ? 20 - 4 * job : 1));
            done[job] = 1;
            --running;
        },
        [&](std::size_t job) {
            EXPECT_EQ(done[job], 1);
            delivered.push_back(job);
            // Each of the first nine jobs finds three more, as a crawl does.
            if (job < 9) {
                for (int i = 0; i < 3; ++i)
                    queue->Add();
            }
        });
    queue->Add();
    queue->Run();
    ASSERT_EQ(delivered.size(), 28u);
    for (std::size_t i = 0; i < delivered.size(); ++i)
        EXPECT_EQ(delivered[i], i);
    EXPECT_GT(mostAtOnce.load(), 1);
    EXPECT_LE(mostAtOnce.load(), 8);
}

TEST(OrderedWorkQueue, AnEmptyRunReturnsAtOnce) {
    OrderedWorkQueue queue(
        4, [](std::size_t, std::size_t) { FAIL(); }, [](std::size_t) { FAIL(); });
    queue.Run();
}

TEST(AddressScope, HoldsExactlyItsNetworks) {
    AddressScope scope;
    std::string error;
    ASSERT_TRUE(scope.Parse("127.16.0.0/12,127.1.2.3/32", error)) << error;
    EXPECT_TRUE(scope.Contains("127.16.0.0"));
    EXPECT_TRUE(scope.Contains("127.31.255.255"));
    EXPECT_FALSE(scope.Contains("127.32.0.0"));
    EXPECT_FALSE(scope.Contains("127.15.255.255"));
    EXPECT_TRUE(scope.Contains("127.1.2.3"));
    EXPECT_FALSE(scope.Contains("127.1.2.4"));
    EXPECT_FALSE(scope.Contains("10.16.0.1"));
    EXPECT_FALSE(scope.Contains("127.16.0.1 "));
    EXPECT_FALSE(scope.Contains(""));

    ASSERT_TRUE(scope.Parse("0.0.0.0/0", error));
    EXPECT_TRUE(scope.Contains("127.0.0.1"));

    for (const char* bad : {"", "127.16.0.0", "127.16.0.0/33", "127.16.0.1/12", "127.16.0.0/",
                            "127.16.0.0/1x", "127.16.0.0/12,", "host/8"}) {
        EXPECT_FALSE(scope.Parse(bad, error)) << bad;
        EXPECT_NE(error.find('\''), std::string::npos) << bad;
    }
}

// A router is the same router again by host name (in any case) and system
// id together; one that lacks either is never taken for another.
TEST(Crawler, KnowsARouterAgainByHostNameAndSystemId) {
    Crawler crawler(AddressScope(), 10);
    EXPECT_FALSE(crawler.SeenBefore("Core-1", "0000.0000.0001"));
    EXPECT_TRUE(crawler.SeenBefore("core-1", "0000.0000.0001"));
    EXPECT_FALSE(crawler.SeenBefore("core-1", "0000.0000.0002"));
    for (int twice = 0; twice < 2; ++twice) {
        EXPECT_FALSE(crawler.SeenBefore("", "0000.0000.0003"));
        EXPECT_FALSE(crawler.SeenBefore("edge-1", ""));
    }
}

} // namespace
