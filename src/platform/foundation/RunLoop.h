#pragma once

#include <functional>

// The main run loop: run()/quit() for the application's main, runUntil() and runFor() for tests
// and for code that must wait for the loop without blocking it. Main thread only; the
// application object is created by main before any of these is called.
// Timers, posted work and network replies are all delivered while either spins.
class RunLoop {
public:
    // Spins the main loop until predicate() holds; returns whether it did. The deadline only
    // guards against a hang: it is deadlineSeconds of wall time, leaving out the spans in which
    // paced time stood still (PacedTime), so neither a busy machine nor a test clock running
    // faster than the wall clock ends the wait before what is coming.
    static bool runUntil(const std::function<bool()>& predicate, double deadlineSeconds);
    // Spins the main loop for `seconds` on the timers' clock (Timer::now()), or until
    // predicate() holds; returns whether it held. For a span in which nothing is to happen, or
    // in which time is to pass.
    static bool runFor(double seconds, const std::function<bool()>& predicate = {});
    // Runs the main loop until quit(); returns the exit code passed to quit.
    static int run();
    static void quit(int exitCode = 0);
};
