#include "sim/core/SimHold.h"

#include <algorithm>
#include <chrono>

#include "platform/pace/PacedTime.h"
#include "sim/core/SimHttpLine.h"

namespace {
// How often a hold looks whether its client is still there; the wait itself ends when woken.
constexpr double kLookSeconds = 0.1;
}  // namespace

bool SimHold::wait(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                   const std::function<bool()>& done, double ms) {
    if (done()) {
        return true;
    }
    PacedTime::Hold hold;
    const double end = PacedTime::seconds() + ms / 1000;
    bool clientWaits = true;
    while (!done()) {
        const double ahead = end - PacedTime::seconds();
        if (ahead <= 0) {
            return done();
        }
        const double look = std::min(ahead / PacedTime::scale(), kLookSeconds);
        wake.wait_for(lock, std::chrono::duration<double>(look));
        if (clientWaits) {
            lock.unlock();
            clientWaits = SimHttpLine::clientStillWaiting();
            lock.lock();
        }
        if (!clientWaits) {
            // Nobody waits for this answer any more: what else is on its way stops time again.
            hold.end();
        }
    }
    return true;
}
