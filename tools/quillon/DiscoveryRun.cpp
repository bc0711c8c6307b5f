#include "DiscoveryRun.h"

#include <chrono>
#include <iostream>
#include <mutex>

#include "CScoutAgent.h"
#include "CScoutEntity.h"
#include "CScoutOutputCapture.h"
#include "CScoutStdRequester.h"
#include "Crawler.h"
#include "LiveDevice.h"
#include "OrderedWorkQueue.h"
#include "ReportWriter.h"
#include "Topology.h"

// One router's turn: what it is, and what its run left behind.
struct DiscoveryRun::Job {
    Router router;
    std::unique_ptr<LiveDevice> crawled; // the device of a crawled router
    bool fromCrawl = false;
    std::unique_ptr<CScoutEntity> entity;
    bool accepted = false;
    CScoutOutputCapture capture;
    bool running = false; // on a worker now, since `started`
    std::chrono::steady_clock::time_point started;
};

DiscoveryRun::DiscoveryRun(std::vector<CScoutAgent*> agents, ReportWriter& report,
                           std::ostream& err)
    : m_Agents(std::move(agents)), m_Report(report), m_Err(err) {}

DiscoveryRun::~DiscoveryRun() = default;

void DiscoveryRun::SetCrawl(Crawler* crawler, CrawlDevice makeDevice) {
    m_Crawler = crawler;
    m_MakeDevice = std::move(makeDevice);
}

void DiscoveryRun::Run(const std::vector<Router>& routers) {
    // Jobs only grow, on this thread; a worker takes its job's address under
    // the lock and then has the job to itself until it is done.
    std::mutex jobsMutex;
    std::vector<std::unique_ptr<Job>> jobs;
    std::vector<std::unique_ptr<CScoutStdRequester>> requesters;
    for (CScoutAgent* agent : m_Agents) {
        requesters.push_back(std::make_unique<CScoutStdRequester>());
        agent->SASetRequester(requesters.back().get());
    }

    Topology topology;
    std::size_t done = 0;
    std::size_t failed = 0;

    auto work = [&](std::size_t worker, std::size_t index) {
        Job* job;
        {
            std::lock_guard<std::mutex> lock(jobsMutex);
            job = jobs[index].get();
            job->running = true;
            job->started = std::chrono::steady_clock::now();
        }
        CScoutAgent& agent = *m_Agents[worker];
        requesters[worker]->SSRAddDevice(job->router.name, job->router.device);
        job->capture.SOCBegin();
        job->entity = std::make_unique<CScoutEntity>(job->router.name);
        CZanRecord* record = &job->entity->SERecord();
        job->entity->SEBegin();
        job->accepted = agent.SADoMediationFilter(record) != ZFALSE;
        if (job->accepted) {
            agent.SADoMediationLayer(record);
            agent.SADoProcessLayer(record);
            agent.SADoRelationshipLayer(record);
        }
        job->entity->SEEnd();
        job->capture.SOCEnd();
        if (job->router.live != nullptr)
            job->router.live->Close();
        std::lock_guard<std::mutex> lock(jobsMutex);
        job->running = false;
    };

    // The router running longest, for the progress line.
    auto ReportProgress = [&] {
        std::string slowest;
        double seconds = 0;
        std::size_t known;
        {
            std::lock_guard<std::mutex> lock(jobsMutex);
            known = jobs.size();
            const auto now = std::chrono::steady_clock::now();
            for (const std::unique_ptr<Job>& job : jobs) {
                if (!job->running)
                    continue;
                const double running = std::chrono::duration<double>(now - job->started).count();
                if (running > seconds) {
                    seconds = running;
                    slowest = job->router.name;
                }
            }
        }
        m_Progress(done, known, failed, slowest, seconds);
    };

    OrderedWorkQueue* queue = nullptr;
    auto addJob = [&](std::unique_ptr<Job> job) {
        {
            std::lock_guard<std::mutex> lock(jobsMutex);
            jobs.push_back(std::move(job));
        }
        queue->Add();
    };

    auto deliver = [&](std::size_t index) {
        Job* job;
        {
            std::lock_guard<std::mutex> lock(jobsMutex);
            job = jobs[index].get();
        }
        job->capture.SOCFlush(std::cout, std::cerr);
        const TransportReport* transport = nullptr;
        if (job->router.live != nullptr) {
            transport = &job->router.live->Report();
            for (const std::string& failure : transport->failures)
                m_Err << "quillon: " << job->router.name << ": " << failure << "\n";
            m_Err.flush();
            if (!transport->failures.empty())
                ++failed;
        }
        ++done;

        const std::string promptHostName = transport != nullptr ? transport->hostName : "";
        bool duplicate = false;
        if (m_Crawler != nullptr) {
            // The router as the topology sees it: its identity and its
            // neighbours' addresses.
            Topology probe;
            probe.STAddEntity(*job->entity, promptHostName);
            const bool related = !probe.STRouters().empty();
            const Topology::Router* router = related ? &probe.STRouters().front() : nullptr;
            // The same router under another address stays out of the
            // report and the picture.
            duplicate = related && m_Crawler->SeenBefore(router->hostName, router->systemId) &&
                        job->fromCrawl;
            if (related && !duplicate) {
                std::vector<std::string> neighbours;
                for (const Topology::Adjacency& adjacency : router->adjacencies)
                    neighbours.push_back(adjacency.address);
                for (const std::string& address : m_Crawler->Expand(neighbours)) {
                    auto found = std::make_unique<Job>();
                    found->crawled = m_MakeDevice(address);
                    found->router = {address, found->crawled.get(), found->crawled.get(), address};
                    found->fromCrawl = true;
                    addJob(std::move(found));
                }
            }
        }
        if (!duplicate) {
            m_Report.AddEntity(*job->entity, job->accepted, transport);
            topology.STAddEntity(*job->entity, promptHostName);
        }
        if (m_Progress)
            ReportProgress();
        // What the report and the topology need is theirs now.
        job->entity.reset();
        job->crawled.reset();
    };

    OrderedWorkQueue runQueue(m_Agents.size(), work, deliver);
    queue = &runQueue;
    for (const Router& router : routers) {
        if (m_Crawler != nullptr && router.live != nullptr)
            m_Crawler->AddKnown(router.address);
        auto job = std::make_unique<Job>();
        job->router = router;
        addJob(std::move(job));
    }
    runQueue.Run();

    for (CScoutAgent* agent : m_Agents)
        agent->SASetRequester(nullptr);
    topology.STResolve();
    m_Report.AddLinks(topology);
}
