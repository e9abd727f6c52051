#include "sim/trade/SimBeatSwap.h"

#include <thread>
#include <utility>

#include "sim/core/SimClock.h"

std::chrono::steady_clock::time_point SimBeatSwap::deadline() const {
    const std::chrono::duration<double, std::milli> wait(kWaitMs / SimClock::timeScale());
    return std::chrono::steady_clock::now() +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(wait);
}

void SimBeatSwap::arm(std::function<void()> between) {
    std::lock_guard lock(m_mutex);
    m_stage = Stage::Armed;
    m_lapsesAt = deadline();
    m_between = std::move(between);
}

SimBeatSwap::Role SimBeatSwap::enter() {
    std::unique_lock lock(m_mutex);
    if (m_stage == Stage::FirstWaits) {
        return Role::Second;
    }
    if (m_stage != Stage::Armed || std::chrono::steady_clock::now() > m_lapsesAt) {
        return Role::None;
    }
    m_stage = Stage::FirstWaits;
    m_changed.wait_until(lock, deadline(), [this] { return m_stage != Stage::FirstWaits; });
    if (m_stage == Stage::FirstWaits) {
        m_stage = Stage::Idle;
    }
    return Role::First;
}

void SimBeatSwap::leave(Role role) {
    if (role == Role::First) {
        {
            std::lock_guard lock(m_mutex);
            if (m_stage == Stage::SecondActed) {
                m_stage = Stage::FirstLeft;
            }
        }
        m_changed.notify_all();
        return;
    }
    if (role != Role::Second) {
        return;
    }
    std::unique_lock lock(m_mutex);
    if (m_stage != Stage::FirstWaits) {
        return;
    }
    auto between = std::exchange(m_between, nullptr);
    lock.unlock();
    if (between) {
        between();
    }
    lock.lock();
    if (m_stage != Stage::FirstWaits) {
        return;
    }
    m_stage = Stage::SecondActed;
    m_changed.notify_all();
    m_changed.wait_until(lock, deadline(), [this] { return m_stage != Stage::SecondActed; });
    m_stage = Stage::Idle;
    lock.unlock();
    // The first answer is written once its request's thread returns; give it a head start.
    std::this_thread::sleep_for(std::chrono::milliseconds(kLeadMs));
}

void SimBeatSwap::release() {
    {
        std::lock_guard lock(m_mutex);
        m_stage = Stage::Idle;
        m_between = nullptr;
    }
    m_changed.notify_all();
}

bool SimBeatSwap::firstWaits() const {
    std::lock_guard lock(m_mutex);
    return m_stage == Stage::FirstWaits;
}
