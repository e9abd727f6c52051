#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

// Runs operations on worker threads of its own, at most `width` at a time, in the order they
// were added. Used for the uploads (width 1), the configuration and update requests (width 2)
// and the cache saves. Owned by the record cache for the life of the process; any thread.
class TLANOperationQueue {
public:
    explicit TLANOperationQueue(int width);
    TLANOperationQueue(const TLANOperationQueue&) = delete;
    TLANOperationQueue& operator=(const TLANOperationQueue&) = delete;
    // Waits for the operations that are running and drops those still queued.
    ~TLANOperationQueue();

    void addOperation(std::function<void()> operation);
    // Queued and running operations.
    size_t operationCount() const;
    // Blocks until the queue is empty; not from one of its own operations.
    void waitUntilAllOperationsAreFinished();

private:
    void drain();

    const int m_width;
    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_waiting;
    int m_running = 0;
    int m_threads = 0;
    bool m_stopping = false;
};
