#pragma once

#include <functional>

// The main run loop: run()/quit() for the application's main, runUntil() for tests and for code
// that must wait for the loop without blocking it. Main thread only; the application object is
// created by main before any of these is called.
class RunLoop {
public:
    // Spins the main loop until predicate() holds or deadlineSeconds have passed on the timers'
    // clock (Timer::now()).
    // Returns whether the predicate became true. Timers, posted work and network replies are
    // all delivered while it spins.
    static bool runUntil(const std::function<bool()>& predicate, double deadlineSeconds);
    // Runs the main loop until quit(); returns the exit code passed to quit.
    static int run();
    static void quit(int exitCode = 0);
};
