#include "taskqueue.h"

namespace vk::server {

ElasticTaskQueue::ElasticTaskQueue(size_t maxThreads)
    : m_maxThreads(maxThreads > 0 ? maxThreads : 1) {}

ElasticTaskQueue::~ElasticTaskQueue() {
    shutdown();
}

void ElasticTaskQueue::enqueue(std::function<void()> fn) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_shutdown)
        return;
    m_jobs.push_back(std::move(fn));
    // Count the queued jobs against idle workers so a burst of connections gets a worker each.
    if (m_jobs.size() > m_idle && m_threads.size() < m_maxThreads)
        m_threads.emplace_back([this] { work(); });
    else
        m_ready.notify_one();
}

void ElasticTaskQueue::shutdown() {
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_shutdown && m_threads.empty())
            return;
        m_shutdown = true;
        threads.swap(m_threads);
    }
    m_ready.notify_all();
    for (std::thread& t : threads)
        t.join();
}

size_t ElasticTaskQueue::threadCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_threads.size();
}

void ElasticTaskQueue::work() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            ++m_idle;
            m_ready.wait(lock, [this] { return m_shutdown || !m_jobs.empty(); });
            --m_idle;
            if (m_jobs.empty())
                return; // shut down and nothing left
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}

} // namespace vk::server
