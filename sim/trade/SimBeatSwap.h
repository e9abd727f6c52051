#pragma once

// Two heartbeats answered in the other order, as a slow exchange may: once armed, the next
// heartbeat to arrive waits, not yet acted on, until the one after it has been acted on and
// something chosen (a deal booked elsewhere) has happened; the second's answer then waits until
// the first's has left, and a little longer so that it reaches the client last. A swap that finds
// no heartbeat within kWaitMs lapses. The requests' threads call enter() before acting and
// leave() after; arm() and release() come from any thread.

#include <condition_variable>
#include <functional>
#include <mutex>

class SimBeatSwap {
public:
    enum class Role { None, First, Second };
    static constexpr int kWaitMs = 10000;
    static constexpr int kLeadMs = 300;

    // The next two heartbeats go in the other order; `between` runs once the second has been
    // acted on, before the first is.
    void arm(std::function<void()> between);
    Role enter();
    void leave(Role role);
    // Lets every waiting request go on, disarmed (the server stops).
    void release();
    // The first heartbeat is waiting for the second.
    bool firstWaits() const;
    // Armed, or a swap under way.
    bool busy() const;

private:
    enum class Stage { Idle, Armed, FirstWaits, SecondActed, FirstLeft };

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    Stage m_stage = Stage::Idle;
    double m_lapsesAt = 0;  // on the paced clock
    std::function<void()> m_between;
};
