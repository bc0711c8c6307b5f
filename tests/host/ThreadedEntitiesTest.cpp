// Entities worked on side by side, one thread each at a time: what each
// writes to standard output and standard error is held back per entity,
// complete and in order; its errors and commands land in its own journal;
// and the pattern service, whose programs all threads share, finds each
// entity's own matches.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CScoutEntity.h"
#include "CScoutOutputCapture.h"
#include "CScoutStdRequester.h"
#include "CZanError.h"
#include "CZanRegex.h"
#include "LabDevice.h"

namespace {

const char* const kInterfaces[] = {"Ethernet0/0", "Ethernet0/1", "Serial1/0", "Serial1/1"};
constexpr int kEntities = 24;
constexpr int kThreads = 4;

int Metric(int entity, int interface) {
    return entity * 10 + interface;
}

// Long enough for the pattern service to keep its matches.
std::string ClnsOutput(int entity) {
    std::string text;
    for (int k = 0; k < 4; ++k) {
        text += std::string(kInterfaces[k]) + " is up, line protocol is up\n";
        text += "  Routing Protocol: IS-IS\n";
        text += "    Level-1 Metric: " + std::to_string(Metric(entity, k)) + ", Priority: 64\n";
        for (int pad = 0; pad < 40; ++pad)
            text += "  CLNS fast switching enabled\n";
    }
    return text;
}

// What the work on one entity writes, in order, both streams together.
std::string Expected(int entity) {
    const std::string id = "R" + std::to_string(entity);
    std::string text;
    for (int k = 0; k < 4; ++k)
        text += id + ' ' + kInterfaces[k] + " metric " + std::to_string(Metric(entity, k)) + '\n';
    text += id + " metrics 4\n" + id + " metrics 4\n";
    text +=
        "error -220439 ThreadedEntities:" + std::to_string(entity) + " no loopback on " + id + '\n';
    text += id + " done\n";
    return text;
}

struct Router {
    explicit Router(int index) : entity("R" + std::to_string(index)) {
        device.SLDEnableCommands();
        device.SLDSetCommand("show clns interface", ClnsOutput(index));
    }
    LabDevice device;
    CScoutEntity entity;
    CScoutOutputCapture capture;
};

// What an agent does with one entity, in miniature.
void Work(Router& router, CScoutStdRequester& requester, int index) {
    router.capture.SOCBegin();
    router.entity.SEBegin();
    const std::string& id = router.entity.SERecord().ZRIdentifier();
    char* output = requester.SSRGetTELNET(&router.entity.SERecord(), "show clns interface");
    for (const char* name : kInterfaces) {
        const std::string pattern =
            std::string(name) + " is up[^\n]*\n[^\n]*\n *Level-1 Metric: ([0-9]+)";
        CZanRegex regex(pattern.c_str(), 2);
        while (output != nullptr && regex.ZRStep(output) == 1)
            std::cout << id << ' ' << name << " metric "
                      << std::string(regex.SubExprStart(1), regex.SubExprEnd(1)) << std::endl;
    }
    // Searched once, then read back.
    for (int pass = 0; pass < 2; ++pass) {
        CZanRegex metrics("Metric: ([0-9]+)", 2);
        int count = 0;
        while (output != nullptr && metrics.ZRStep(output) == 1)
            ++count;
        std::cout << id << " metrics " << count << std::endl;
    }
    CZanError(-220439, "ThreadedEntities", index, ("no loopback on " + id).c_str());
    std::cout << id << " done" << std::endl;
    std::free(output);
    router.entity.SEEnd();
    router.capture.SOCEnd();
}

TEST(ThreadedEntities, EachEntityKeepsItsOwnOutputErrorsAndCommands) {
    std::vector<std::unique_ptr<Router>> routers;
    CScoutStdRequester requester;
    for (int i = 0; i < kEntities; ++i) {
        routers.push_back(std::make_unique<Router>(i));
        requester.SSRAddDevice(routers.back()->entity.SERecord().ZRIdentifier(),
                               &routers.back()->device);
    }
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&] {
            for (int i = next++; i < kEntities; i = next++)
                Work(*routers[static_cast<size_t>(i)], requester, i);
        });
    }
    for (std::thread& worker : workers)
        worker.join();

    std::string expected;
    std::ostringstream flushed;
    for (int i = 0; i < kEntities; ++i) {
        Router& router = *routers[static_cast<size_t>(i)];
        const std::string errorLine = "error -220439 ThreadedEntities:" + std::to_string(i) +
                                      " no loopback on R" + std::to_string(i) + '\n';
        EXPECT_EQ(router.capture.SOCErrors(), errorLine) << i;
        const auto& journal = router.entity.SEJournal();
        EXPECT_EQ(journal.SEJCommands(), std::vector<std::string>{"show clns interface"}) << i;
        ASSERT_EQ(journal.SEJErrors().size(), 1u) << i;
        EXPECT_EQ(journal.SEJErrors()[0].line, i);
        expected += Expected(i);
        router.capture.SOCFlush(flushed, flushed);
        EXPECT_EQ(router.capture.SOCOutput(), "");
    }
    EXPECT_EQ(flushed.str(), expected);
}

TEST(ThreadedEntities, CapturesTakeOverAndGiveBackInAnyOrder) {
    CScoutOutputCapture outer;
    CScoutOutputCapture inner;
    outer.SOCBegin();
    std::cout << "a\n";
    inner.SOCBegin();
    std::cout << "b" << std::endl;
    std::cerr << "c\n";
    outer.SOCEnd(); // out of turn: inner stays on
    std::cout << 'd' << std::endl;
    inner.SOCEnd();
    testing::internal::CaptureStdout();
    std::cout << "e" << std::endl;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "e\n");

    EXPECT_EQ(outer.SOCOutput(), "a\n");
    EXPECT_EQ(inner.SOCOutput(), "b\nd\n");
    std::ostringstream out;
    std::ostringstream err;
    inner.SOCFlush(out, err);
    EXPECT_EQ(out.str(), "b\nd\n");
    EXPECT_EQ(err.str(), "c\n");
}

} // namespace
