// Drives routers through the agent the way the host does: per router an
// entity, the filter, and only when the filter keeps it the mediation,
// process and relationship layers; then the entity goes into the report and
// to the relationship handling. Once every router is done, the relationship
// handling relates them and the links go into the report.
//
// Routers run side by side, one per worker, each worker with an agent of its
// own; what a router's run writes (the agent's trace lines, error lines) is
// held back and written out, with the router's report entry, in the run's
// router order. Standard output, standard error and the report are the same
// whatever the number of workers.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class CScoutAgent;
class CScoutDevice;
class Crawler;
class LiveDevice;
class ReportWriter;

class DiscoveryRun {
public:
    // One router of the run.
    struct Router {
        std::string name;     // the entity identifier
        CScoutDevice* device; // how the agent reaches it; must outlive the run
        LiveDevice* live;     // the same device when it is a live router, else null
        std::string address;  // where a live router is reached; a crawl never goes there again
    };
    // Makes the live device for a router found by crawling, reached at
    // `address`; the run owns it.
    using CrawlDevice = std::function<std::unique_ptr<LiveDevice>(const std::string& address)>;

    // One worker per agent. `err` takes one line per transport failure of a
    // live router ("quillon: R1: telnet 127.0.0.1:2301: connection refused").
    DiscoveryRun(std::vector<CScoutAgent*> agents, ReportWriter& report, std::ostream& err);
    ~DiscoveryRun();

    // Crawls from the routers of the run: after each router, the new
    // neighbours the crawler lets through join the run, after every router
    // known before them.
    void SetCrawl(Crawler* crawler, CrawlDevice makeDevice);

    // Runs every router in order, and the routers crawled to.
    void Run(const std::vector<Router>& routers);

    // Called on the delivering thread after each router: routers done,
    // routers known so far, how many failed (a transport failure), and the
    // router running longest now, with its time so far.
    using Progress = std::function<void(std::size_t done, std::size_t known, std::size_t failed,
                                        const std::string& slowest, double seconds)>;
    void SetProgress(Progress progress) { m_Progress = std::move(progress); }

private:
    struct Job;

    std::vector<CScoutAgent*> m_Agents;
    ReportWriter& m_Report;
    std::ostream& m_Err;
    Crawler* m_Crawler = nullptr;
    CrawlDevice m_MakeDevice;
    Progress m_Progress;
};
