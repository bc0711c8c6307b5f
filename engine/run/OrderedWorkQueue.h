// Runs numbered jobs on a fixed number of worker threads and hands their
// results back in job order, on the thread that called Run: job i is
// delivered once it and every job before it are done, however the workers
// finished them. A delivery may add jobs (a crawl adds the neighbours it
// found), and those are numbered after every job added so far, so the order
// of jobs depends only on what the deliveries add, never on timing.
//
// Run, Add and the delivery happen on one thread; `work` runs on the
// workers, several jobs at a time, each job on one worker.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class OrderedWorkQueue {
public:
    // work(worker, job): runs job on worker (0 to workers - 1).
    using Work = std::function<void(std::size_t worker, std::size_t job)>;
    // deliver(job): called in job order once the job is done.
    using Deliver = std::function<void(std::size_t job)>;

    OrderedWorkQueue(std::size_t workers, Work work, Deliver deliver);
    OrderedWorkQueue(const OrderedWorkQueue&) = delete;
    OrderedWorkQueue& operator=(const OrderedWorkQueue&) = delete;
    ~OrderedWorkQueue();

    // Adds one job; returns its number.
    std::size_t Add();
    // Runs until every job added, before or during the run, is delivered.
    void Run();

private:
    void Worker(std::size_t worker);

    const Work m_Work;
    const Deliver m_Deliver;
    const std::size_t m_WorkerCount;

    std::mutex m_Mutex;
    std::condition_variable m_JobReady; // workers wait for a job or the end
    std::condition_variable m_JobDone;  // Run waits for the next job in order
    std::size_t m_Added = 0;            // jobs numbered so far
    std::size_t m_Started = 0;          // jobs handed to a worker
    std::vector<bool> m_Done;           // per job
    bool m_Stopping = false;
    std::vector<std::thread> m_Threads;
};
