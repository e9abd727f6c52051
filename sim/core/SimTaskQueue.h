#pragma once

// The connection workers of one simulated line: a pool that starts with a few threads and adds
// one whenever a connection arrives while every worker is busy, up to a ceiling. A client that
// opens a connection and sends nothing ties up one worker until the read time-out, never the
// line. Made by the line's HTTP server, which calls enqueue() from its accept thread and
// shutdown() once when it stops; the workers end only then.

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class SimTaskQueue : public httplib::TaskQueue {
public:
    static constexpr size_t kInitialWorkers = 2;
    static constexpr size_t kMaxWorkers = 512;

    SimTaskQueue();
    ~SimTaskQueue() override;

    void enqueue(std::function<void()> job) override;
    void shutdown() override;

    size_t workerCount() const;

private:
    void addWorker();
    void work();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::vector<std::thread> m_workers;
    size_t m_idle = 0;
    bool m_stopping = false;
};
