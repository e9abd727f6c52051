#include "sim/core/SimTaskQueue.h"

#include "sim/core/SimHttpLine.h"

SimTaskQueue::SimTaskQueue() {
    std::lock_guard lock(m_mutex);
    for (size_t i = 0; i < kInitialWorkers; ++i) {
        addWorker();
    }
}

SimTaskQueue::~SimTaskQueue() {
    shutdown();
}

void SimTaskQueue::addWorker() {
    m_workers.emplace_back([this] { work(); });
}

void SimTaskQueue::enqueue(std::function<void()> job) {
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
        if (!m_stopping && m_idle < m_jobs.size() && m_workers.size() < kMaxWorkers) {
            addWorker();
        }
    }
    m_wake.notify_one();
}

void SimTaskQueue::shutdown() {
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        workers.swap(m_workers);
    }
    m_wake.notify_all();
    for (auto& worker : workers) {
        worker.join();
    }
}

size_t SimTaskQueue::workerCount() const {
    std::lock_guard lock(m_mutex);
    return m_workers.size();
}

void SimTaskQueue::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        --m_idle;
        if (m_jobs.empty()) {
            return;
        }
        auto job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        job();
        // The connection is answered and closed, or was given up.
        SimHttpLine::setWorking(false);
        lock.lock();
    }
}
