#pragma once

#include <functional>
#include <memory>

// A run-loop timer, repeating or one-shot, firing on the main thread. It is not tied to any
// event mode, so it keeps firing while a touch is being tracked.
// Owned by its creator through the unique_ptr that scheduledTimer returns: dropping it stops the
// timer, and doing so from inside its own action is safe. Main thread only.
// Dates are seconds since 1970; distantFuture() pauses a timer, now() or later resumes it.
// now() is the wall clock unless a test runs time faster (setTimeScale): then now() and every
// timer follow the paced clock (PacedTime), which also stands still while a request is on its way
// to the exchange; the spans RunLoop::runFor lets pass and the network's time-outs keep to it too.
class Timer {
public:
    using Action = std::function<void()>;

    // Schedules a timer whose first firing is intervalSeconds from now.
    static std::unique_ptr<Timer> scheduledTimer(double intervalSeconds, bool repeats,
                                                 Action action);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Stops the timer for good; a later fire() or setFireDate() does nothing.
    void invalidate();
    bool isValid() const;
    // Runs the action now. A repeating timer keeps its schedule; a one-shot one is then invalid.
    void fire();
    // Moves the next firing; a repeating timer continues at its interval from there.
    void setFireDate(double secondsSince1970);
    double fireDate() const;
    double timeInterval() const;
    bool repeats() const;

    static double now();
    static double distantFuture();

    // From now on the clock runs `scale` times as fast as the wall clock while it runs, starting
    // from the wall clock's present; 1 is real time. For tests, between cases: a timer already
    // scheduled fires when the paced clock reaches its date. Any thread.
    static void setTimeScale(double scale);
    static double timeScale();

private:
    struct Impl;
    explicit Timer(std::shared_ptr<Impl> impl);
    std::shared_ptr<Impl> m_impl;
};
