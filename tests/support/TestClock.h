#pragma once

// Runs time under test faster than the wall clock, for as long as the object lives: the client's
// clock (Timer::now()), its timers, the spans RunLoop::runFor lets pass and the network's
// time-outs, and the simulator's time (its real-time clock, the lines' delays, held answers), in
// process and in the processes SimProcess starts, all on one paced clock (PacedTime).
// The rule that makes a verdict independent of the machine's speed: time stands still while a
// request of the client is on its way to the exchange or being worked on by it, and runs while
// nothing is, or while the exchange holds an answer on purpose (a held answer, a slow line's
// delay, two heartbeats swapped; a test's own server through LoopbackHttpServer::holdAnswer)
// until the client of that answer gives up. What a worker (GlobalQueue) does with an answer
// counts as the exchange until the main thread has its result, and so does a worker's work from
// its post until its request leaves. So a timer and an answer meet in the same order on a quiet
// machine and a loaded one, and a case that waits for the client's 1-s and 2-s timers waits a
// fraction of the time.
// What the rule does not cover, and so stays a matter of speed:
// - the client's own work on the main thread: time runs while it computes;
// - a test server's handler that blocks other than through holdAnswer keeps time still until
//   it answers (up to the longest still span below);
// - requests of processes that do not share the paced clock (the analytics helpers run in real
//   time), and a held answer of one of them lets time run while the client's own travel;
// - a request waiting on the device for one of the few connections Qt opens per host does not
//   count as on its way;
// - between a client giving up on a held answer and the simulator seeing it (a look every
//   10 ms) time runs, though a retry may be on its way;
// - the tests' own control requests (SimProcess, the control line) are not counted;
// - the simulator forgives a request that crossed the news of its session's end within 2 s of
//   real time in which time ran (it stands still while either travels, so that holds on any
//   machine), and gives the first of two swapped heartbeats a head start of 300 ms of real time:
//   on a slow machine the swap may not happen, and the case tests less, not wrongly;
// - time that stood still PacedTime::kLongestStillSeconds with no request leaving or answered,
//   or kLongestOverlapSeconds in all, runs again.
// A wait for a condition (RunLoop::runUntil) gives up after its deadline in real seconds in
// which time ran, so a slow exchange does not end it early. The pace before it again when the
// object goes: a case may run part of its span at another pace than its fixture's.
// Main thread; hold one for a whole case, so no timer straddles two paces.
class TestClock {
public:
    // How many times as fast as the wall clock the screen suites and the exerciser run.
    static constexpr double kScale = 4;

    explicit TestClock(double scale = kScale);
    ~TestClock();
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

private:
    double m_before;
};
