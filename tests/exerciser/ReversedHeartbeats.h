#pragma once

#include <functional>
#include <string>

class ExerciseRandom;
class ScreenDriver;
class SimProcess;

// An exerciser fault of a slow exchange: the next two heartbeats answered in the other order,
// the later one served before a deal made on another device and the earlier one after it, so
// that the older answer reaches the client last. FastFingerSlowLine's deal rule (no deal
// announced more than once) judges what follows. Owned by the exerciser; main thread.
class ReversedHeartbeats {
public:
    ReversedHeartbeats(ScreenDriver& driver, SimProcess& exchange,
                       std::function<void(const std::string&)> journal);

    // Logged in: the fault can be thrown.
    int weight() const;
    // Arms the swap and lets the beats after it be answered and heard.
    void act(ExerciseRandom& random);

private:
    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    std::function<void(const std::string&)> m_journal;
};
