#pragma once

// Runs time under test faster than the wall clock, for as long as the object lives: the client's
// clock (Timer::now()), its timers, the spans RunLoop::runFor lets pass and the network's
// time-outs, and the simulator's time (its real-time clock, the lines' delays, held answers), in
// process and in the processes SimProcess starts, all on one paced clock (PacedTime).
// The rule that makes a verdict independent of the machine's speed: time stands still while a
// request of the client is on its way to the exchange or being worked on by it, and runs while
// nothing is, or while the exchange holds an answer on purpose (a held answer, a slow line's
// delay, two heartbeats swapped) until the client of that answer gives up. So a timer and an
// answer meet in the same order on a quiet machine and a loaded one, and a case that waits for
// the client's 1-s and 2-s timers waits a fraction of the time.
// What the rule does not cover, and so stays a matter of speed:
// - work the client does after an answer on its worker threads (GlobalQueue) before it posts
//   the result to the main thread;
// - requests of processes that do not share the paced clock (the analytics helpers run in real
//   time);
// - a request waiting on the device for one of the few connections Qt opens per host does not
//   count as on its way;
// - a still span longer than PacedTime::kLongestStillSeconds lets time run again.
// A wait for a condition (RunLoop::runUntil) gives up after its deadline in real seconds in
// which time ran, so a slow exchange does not end it early. Real time again when the object goes.
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
