#pragma once

// Worker threads for the HTTP servers. Every connection holds a worker for as long as it lives
// (keep-alive, and a waiting notification poll), so a fixed pool would let waiting clients
// starve ordinary calls: this queue starts another worker whenever none is idle, up to a
// ceiling, and keeps the workers it started.

#include <httplib.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vk::server {

class ElasticTaskQueue final : public httplib::TaskQueue {
public:
    explicit ElasticTaskQueue(size_t maxThreads);
    ~ElasticTaskQueue() override;

    void enqueue(std::function<void()> fn) override;
    void shutdown() override; // runs what is queued, then joins every worker

    size_t threadCount() const;

private:
    void work();

    const size_t m_maxThreads;
    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::function<void()>> m_jobs;
    std::vector<std::thread> m_threads;
    size_t m_idle = 0;
    bool m_shutdown = false;
};

} // namespace vk::server
