#include "support/TestClock.h"

#include "platform/foundation/Timer.h"
#include "sim/core/SimClock.h"

TestClock::TestClock(double scale) {
    Timer::setTimeScale(scale);
    SimClock::setTimeScale(scale);
}

TestClock::~TestClock() {
    Timer::setTimeScale(1);
    SimClock::setTimeScale(1);
}
