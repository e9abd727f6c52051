#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ExerciseRandom;
class ScreenDriver;
class SimProcess;
class Timer;

// The exerciser event of a loaded machine: for a stretch of the events after it, every line of
// the exchange works on each request 0.3-3 s of real time before it routes it (a new span each
// event, half of them longer than the client's 10-s quote time-out over the test clock's scale,
// so that on a clock that ran meanwhile the client would time out); then the exchange is quick
// again. Meanwhile only the customer's own events run, no fault of the exchange. Its rule: an
// exchange that is only slow makes the client tell of no failed or timed-out request (looked for
// every quarter second, so a toast or an alert gone by the end of an event counts too), and once
// it is quick again the line goes quiet and no busy overlay stays. Test time (TestClock) stands
// still while a request is worked on, so neither may depend on how fast the machine is. One
// owner (the exerciser); main thread.
class SlowExchange {
public:
    struct Hooks {
        // A fault of the exchange is in force (a stalled line, a quote line down, held requests
        // still on their way).
        std::function<bool()> faultInForce;
        std::function<size_t()> eventNumber;
        std::function<void(const std::string&)> journal;
        std::function<void(const std::string&)> violation;
    };

    SlowExchange(ScreenDriver& driver, SimProcess& exchange, Hooks hooks);
    ~SlowExchange();

    // 0 while the exchange is slow already, a fault is in force or set at the exchange and not
    // yet met, or a failure is on show.
    int weight() const;
    void act(ExerciseRandom& random);
    // The stretch goes on: the events that follow are the customer's own.
    bool slow() const { return m_eventsLeft > 0; }
    // Before every event: a new span of work, or the exchange quick again after the stretch.
    void beforeEvent(ExerciseRandom& random);
    // Ends the stretch now; nothing when there is none.
    void finish();
    // After every event.
    void check();

private:
    void work(ExerciseRandom& random);
    void post(const std::string& path);
    // Keeps the failures on show not kept yet.
    void note();
    // A violation for each failure kept.
    void tellWhatWasTold();
    // What the screen tells of a failed request: its texts, and alerts offering to try again.
    std::vector<std::string> failuresOnShow() const;
    std::string stretch() const;

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hooks m_hooks;
    size_t m_eventsLeft = 0;  // this one included
    size_t m_since = 0;       // the event that made it slow
    int m_workMs = 0;         // the latest span
    std::unique_ptr<Timer> m_look;
    std::vector<std::string> m_told;
};
