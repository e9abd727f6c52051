#include "support/TestClock.h"

#include "platform/foundation/Timer.h"

// Timer's scale is the paced clock's, which the simulator's clock reads too.
TestClock::TestClock(double scale) {
    Timer::setTimeScale(scale);
}

TestClock::~TestClock() {
    Timer::setTimeScale(1);
}
