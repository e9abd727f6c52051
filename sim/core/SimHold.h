#pragma once

// The simulator's waits that hold an answer on purpose (a held answer, a slow line's delay, two
// heartbeats answered in the other order): paced time runs while they last, though the held
// request is still on its way for its client, until that client gives up and closes its
// connection. Called from a route handler's thread, under the lock that `wake` waits with.

#include <condition_variable>
#include <functional>
#include <limits>
#include <mutex>

class SimHold {
public:
    // Waits until done() holds, or `ms` pass on the simulator's time; returns done().
    static bool wait(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                     const std::function<bool()>& done,
                     double ms = std::numeric_limits<double>::infinity());
};
