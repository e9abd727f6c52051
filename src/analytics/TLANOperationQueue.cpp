#include "analytics/TLANOperationQueue.h"

#include <thread>

#include "analytics/TLANWorkGate.h"

TLANOperationQueue::TLANOperationQueue(int width) : m_width(width < 1 ? 1 : width) {}

TLANOperationQueue::~TLANOperationQueue() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_stopping = true;
    m_waiting.clear();
    m_idle.wait(lock, [this] { return m_threads == 0; });
}

void TLANOperationQueue::addOperation(std::function<void()> operation) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_stopping) {
        return;
    }
    m_waiting.push_back(std::move(operation));
    if (m_threads < m_width) {
        ++m_threads;
        std::thread([this] { drain(); }).detach();
    }
}

size_t TLANOperationQueue::operationCount() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_waiting.size() + static_cast<size_t>(m_running);
}

void TLANOperationQueue::waitUntilAllOperationsAreFinished() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_waiting.empty() && m_running == 0; });
}

void TLANOperationQueue::drain() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_waiting.empty()) {
        std::function<void()> operation = std::move(m_waiting.front());
        m_waiting.pop_front();
        ++m_running;
        lock.unlock();
        TLANWorkGate::runInside(operation);
        lock.lock();
        --m_running;
    }
    --m_threads;
    m_idle.notify_all();
}
