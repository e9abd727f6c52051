#pragma once

#include <functional>

// Runs work on a later turn of the main run loop, in the order it was posted.
// post() may be called from any thread once the application object exists; the work always
// runs on the main thread.
class MainQueue {
public:
    static void post(std::function<void()> work);
    // Whether posted work has not run yet: a wait that ends must first let it run, as it may
    // start a request.
    static bool pending();
};
