#include "sim/trade/SimBeatSwap.h"

#include <chrono>
#include <thread>
#include <utility>

#include "platform/pace/PacedTime.h"
#include "sim/core/SimHold.h"

void SimBeatSwap::arm(std::function<void()> between) {
    std::lock_guard lock(m_mutex);
    m_stage = Stage::Armed;
    m_lapsesAt = PacedTime::seconds() + kWaitMs / 1000.0;
    m_between = std::move(between);
}

SimBeatSwap::Role SimBeatSwap::enter() {
    std::unique_lock lock(m_mutex);
    if (m_stage == Stage::FirstWaits) {
        return Role::Second;
    }
    if (m_stage != Stage::Armed || PacedTime::seconds() > m_lapsesAt) {
        return Role::None;
    }
    m_stage = Stage::FirstWaits;
    SimHold::wait(
        m_changed, lock, [this] { return m_stage != Stage::FirstWaits; }, kWaitMs);
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
    SimHold::wait(
        m_changed, lock, [this] { return m_stage != Stage::SecondActed; }, kWaitMs);
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

bool SimBeatSwap::busy() const {
    std::lock_guard lock(m_mutex);
    return m_stage != Stage::Idle;
}

bool SimBeatSwap::firstWaits() const {
    std::lock_guard lock(m_mutex);
    return m_stage == Stage::FirstWaits;
}
