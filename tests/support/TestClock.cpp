#include "support/TestClock.h"

#include "platform/foundation/Timer.h"

// Timer's scale is the paced clock's, which the simulator's clock reads too.
TestClock::TestClock(double scale) : m_before(Timer::timeScale()) {
    Timer::setTimeScale(scale);
}

TestClock::~TestClock() {
    Timer::setTimeScale(m_before);
}
