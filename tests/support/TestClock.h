#pragma once

// Runs time under test faster than the wall clock, for as long as the object lives: the client's
// clock (Timer::now()), its timers, the spans RunLoop::runFor lets pass and the network's
// time-outs, and the simulator's time (its real-time clock, the lines' delays, how long a new
// connection may wait for its request), in process and in the processes SimProcess starts.
// A case that waits for the client's 1-s and 2-s timers so waits a fraction of the time, and
// every span it names (a pause, a held answer, a slide) is on that same clock, so what happens in
// which order does not change. What only the machine's speed decides stays in real time: the way
// of a request to the exchange, and so the span in which the exchange forgives one that crossed
// the news of its session's end, and how long a wait for a condition (RunLoop::runUntil) may take
// before it gives up. Real time again when the object goes.
// Main thread; hold one for a whole case, so no timer straddles two paces.
class TestClock {
public:
    // How many times as fast as the wall clock the screen suites and the exerciser run.
    static constexpr double kScale = 4;

    explicit TestClock(double scale = kScale);
    ~TestClock();
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;
};
