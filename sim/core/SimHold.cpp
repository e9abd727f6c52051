#include "sim/core/SimHold.h"

#include <algorithm>
#include <chrono>

#include "platform/pace/PacedTime.h"
#include "sim/core/SimHttpLine.h"

namespace {
// How often a hold looks whether its client is still there; the wait itself ends when woken.
// Between a client giving up and the look that sees it, time runs though other requests of the
// client may be on their way: the look is kept short.
constexpr double kLookSeconds = 0.01;
}  // namespace

bool SimHold::wait(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   const std::function<bool()>& done, double ms) {
    if (done()) {
        return true;
    }
    // Neither worked on nor on its way while held.
    const bool working = SimHttpLine::working();
    SimHttpLine::setWorking(false);
    PacedTime::Hold hold;
    const double end = PacedTime::seconds() + ms / 1000;
    // Found once, outside the lock: the search reads every descriptor of the process.
    lock.unlock();
    const int connection = SimHttpLine::thisConnection();
    lock.lock();
    bool clientWaits = true;
    while (!done()) {
        const double ahead = end - PacedTime::seconds();
        if (ahead <= 0) {
            break;
        }
        const double look = std::min(ahead / PacedTime::scale(), kLookSeconds);
        wake.wait_for(lock, std::chrono::duration<double>(look));
        clientWaits = clientWaits && SimHttpLine::clientStillWaiting(connection);
        if (!clientWaits) {
            // Nobody waits for this answer any more: what else is on its way stops time again.
            hold.end();
        }
    }
    SimHttpLine::setWorking(working);
    return done();
}
