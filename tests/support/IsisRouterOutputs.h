// The IOS router r1 runs IS-IS on Ethernet0/0, a LAN with three neighbours
// where it is the designated IS, and on Serial1/0, a point-to-point link.
// Its answers are files under tests/data/outputs/r1.
#pragma once

#include <set>
#include <string>

#include "HostFixture.h"
#include "TestFiles.h"

namespace isis_router {

// Every command the agent runs, with the file of r1's answer.
inline const char* const kAnswers[][2] = {
    {"show clns protocol", "show-clns-protocol.txt"},
    {"show clns interface", "show-clns-interface.txt"},
    {"show run", "show-run.txt"},
    {"show isis neighbors detail", "show-isis-neighbors-detail.txt"},
    {"show clns is-neighbors detail", "show-clns-is-neighbors-detail.txt"},
    {"show clns", "show-clns.txt"},
    {"show isis hostname | include \\*", "show-isis-hostname.txt"},
    {"show isis database | include \\*", "show-isis-database-own.txt"},
    {"show isis database", "show-isis-database.txt"}};

inline std::string Output(const std::string& file) {
    return quillon_test::ReadTestFile("r1/" + file);
}

// The router answers as r1 does, except to the silent commands.
inline quillon_test::LabRouter& Answer(quillon_test::LabRouter& router,
                                       const std::set<std::string>& silent = {}) {
    router.Reachable();
    for (const auto& answer : kAnswers)
        if (silent.count(answer[0]) == 0)
            router.Answer(answer[0], Output(answer[1]));
    return router;
}

} // namespace isis_router
