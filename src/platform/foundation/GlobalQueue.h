#pragma once

#include <functional>

// Runs work on one of a small pool of worker threads, in no particular order.
// post() may be called from any thread; the work must not touch main-thread objects directly
// and hands its results back with MainQueue::post.
class GlobalQueue {
public:
    static void post(std::function<void()> work);
};
