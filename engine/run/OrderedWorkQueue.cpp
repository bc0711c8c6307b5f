#include "OrderedWorkQueue.h"

#include <algorithm>
#include <utility>

OrderedWorkQueue::OrderedWorkQueue(std::size_t workers, Work work, Deliver deliver)
    : m_Work(std::move(work)), m_Deliver(std::move(deliver)),
      m_WorkerCount(workers == 0 ? 1 : workers) {}

OrderedWorkQueue::~OrderedWorkQueue() {
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Stopping = true;
    }
    m_JobReady.notify_all();
    for (std::thread& thread : m_Threads)
        thread.join();
}

std::size_t OrderedWorkQueue::Add() {
    std::size_t job;
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        job = m_Added++;
        m_Done.push_back(false);
    }
    m_JobReady.notify_one();
    return job;
}

void OrderedWorkQueue::Run() {
    std::size_t delivered = 0;
    for (;;) {
        std::unique_lock<std::mutex> lock(m_Mutex);
        // Never more workers than jobs known: a crawl from one seed starts
        // with one and gains more as deliveries add jobs.
        while (m_Threads.size() < std::min(m_WorkerCount, m_Added)) {
            const std::size_t worker = m_Threads.size();
            m_Threads.emplace_back([this, worker] { Worker(worker); });
        }
        if (delivered == m_Added)
            return;
        m_JobDone.wait(lock, [&] { return m_Done[delivered]; });
        lock.unlock();
        // Outside the lock: the delivery may add jobs.
        m_Deliver(delivered);
        ++delivered;
    }
}

void OrderedWorkQueue::Worker(std::size_t worker) {
    for (;;) {
        std::size_t job;
        {
            std::unique_lock<std::mutex> lock(m_Mutex);
            m_JobReady.wait(lock, [&] { return m_Stopping || m_Started < m_Added; });
            if (m_Started >= m_Added)
                return;
            job = m_Started++;
        }
        m_Work(worker, job);
        {
            std::lock_guard<std::mutex> lock(m_Mutex);
            m_Done[job] = true;
        }
        m_JobDone.notify_one();
    }
}
