#pragma once

#include <string>

// The clock that the client's timers and the simulator's time both read, and the rule that keeps
// what comes first the same on any machine while a test runs time faster than the wall clock:
// time stands still while a request of the client is on its way to the exchange or is being
// worked on by it, and runs only while nothing is, or while the exchange holds its answers on
// purpose (a held answer, a slow line's delay, a time-out scenario). A timer and an answer so
// meet in the same order whatever the machine's load.
// Outside tests the scale is 1: the clock is the steady clock, and nothing stands still.
// The state lives in memory that a simulator in another process can share (sharedPath, join),
// so that its requests, holds and time are the same as the test's. Any thread.
class PacedTime {
public:
    // Time that stood still this long with no request leaving or answered runs again, and so
    // does time that stood still this long in all, so that a count never given back (a process
    // killed mid-request) slows a test instead of hanging it; requests that overlap one another
    // keep it still up to the second bound.
    static constexpr double kLongestStillSeconds = 30;
    static constexpr double kLongestOverlapSeconds = 120;

    // Seconds on the paced clock from an arbitrary start; never goes back.
    static double seconds();
    // Real seconds in which time was not standing still, from an arbitrary start: the measure of
    // a guard against a hang, which must not run out while the exchange is slow to answer.
    static double runningSeconds();
    // How many times as fast as the wall clock time runs while it runs; 1 ends the pacing.
    // Between cases: the paced clock goes on from where it stands.
    static void setScale(double scale);
    static double scale();
    // Whether time stands still now.
    static bool still();

    // A path another process opens (join) to share this process's paced time; "" when time is
    // not paced.
    static std::string sharedPath();
    // Takes the paced time of the process that gave the path; false when it cannot be opened.
    // Call before any other thread starts.
    static bool join(const std::string& path);

    // A request of the client, from the moment it is made until its answer, failure or
    // cancellation has been handed over.
    class Travel {
    public:
        Travel();
        ~Travel();
        Travel(const Travel&) = delete;
        Travel& operator=(const Travel&) = delete;
    };

    // The exchange holding an answer on purpose; end() when the held request's client gave up
    // before the hold ends.
    class Hold {
    public:
        Hold();
        ~Hold();
        void end();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        bool m_holding = true;
    };
};
