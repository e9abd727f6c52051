#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Timer.h"
#include "support/TestClock.h"

namespace {

// Spins the loop through five firings of a 10 ms witness timer: long enough for any timer of
// that interval that should not fire to have shown itself.
void letTimePass() {
    int ticks = 0;
    auto witness = Timer::scheduledTimer(0.01, true, [&] { ++ticks; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return ticks == 5; }, 5));
}

}  // namespace

TEST(Timer, shouldFireTimersInTheOrderOfTheirFireDates) {
    std::vector<std::string> order;
    auto slow = Timer::scheduledTimer(0.06, false, [&] { order.push_back("slow"); });
    auto fast = Timer::scheduledTimer(0.02, false, [&] { order.push_back("fast"); });
    auto middle = Timer::scheduledTimer(0.04, false, [&] { order.push_back("middle"); });
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 3; }, 5));
    EXPECT_EQ(order, (std::vector<std::string>{"fast", "middle", "slow"}));
}

TEST(Timer, shouldFireAOneShotTimerOnceAndThenBeInvalid) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, false, [&] { ++count; });
    EXPECT_TRUE(timer->isValid());
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 1; }, 5));
    EXPECT_FALSE(timer->isValid());
    letTimePass();
    EXPECT_EQ(count, 1);
}

TEST(Timer, shouldKeepFiringARepeatingTimerUntilInvalidated) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, true, [&] { ++count; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 3; }, 5));
    EXPECT_TRUE(timer->isValid());
    timer->invalidate();
    EXPECT_FALSE(timer->isValid());
    letTimePass();
    EXPECT_EQ(count, 3);
}

TEST(Timer, shouldStopWhenItsOwnerDropsIt) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, true, [&] { ++count; });
    timer.reset();
    letTimePass();
    EXPECT_EQ(count, 0);
}

TEST(Timer, shouldSurviveBeingDroppedFromItsOwnAction) {
    int count = 0;
    std::unique_ptr<Timer> timer;
    std::string captured = "kept alive while the action runs";
    std::string seen;
    timer = Timer::scheduledTimer(0.01, true, [&, captured] {
        ++count;
        timer.reset();
        seen = captured;
    });
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 1; }, 5));
    EXPECT_EQ(seen, captured);
    letTimePass();
    EXPECT_EQ(count, 1);
}

TEST(Timer, shouldRunTheActionNowOnFireAndKeepARepeatingScheduled) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, true, [&] { ++count; });
    timer->fire();
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(timer->isValid());
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 3; }, 5));
}

TEST(Timer, shouldInvalidateAOneShotTimerFiredByHand) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, false, [&] { ++count; });
    timer->fire();
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(timer->isValid());
    timer->fire();
    EXPECT_EQ(count, 1);
    letTimePass();
    EXPECT_EQ(count, 1);
}

TEST(Timer, shouldPauseInTheDistantFutureAndResumeNow) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, true, [&] { ++count; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 2; }, 5));
    timer->setFireDate(Timer::distantFuture());
    EXPECT_DOUBLE_EQ(timer->fireDate(), Timer::distantFuture());
    EXPECT_TRUE(timer->isValid());
    int paused = count;
    letTimePass();
    EXPECT_EQ(count, paused);
    timer->setFireDate(Timer::now());
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == paused + 3; }, 5));
}

TEST(Timer, shouldResumeAtALaterFireDateAndNotBefore) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, true, [&] { ++count; });
    timer->setFireDate(Timer::distantFuture());
    timer->setFireDate(Timer::now() + 0.4);
    EXPECT_NEAR(timer->fireDate(), Timer::now() + 0.4, 0.1);
    int ticks = 0;
    auto witness = Timer::scheduledTimer(0.02, false, [&] { ++ticks; });
    ASSERT_TRUE(RunLoop::runUntil([&] { return ticks == 1; }, 5));
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 2; }, 5));
}

TEST(Timer, shouldIgnoreFireDateOnAnInvalidatedTimer) {
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, true, [&] { ++count; });
    timer->invalidate();
    timer->setFireDate(Timer::now());
    letTimePass();
    EXPECT_EQ(count, 0);
}

TEST(Timer, shouldKeepFiringWhileTheLoopIsSpunFromInsideOtherWork) {
    // A nested spin stands in for a touch being tracked: timers must not wait for it to end.
    int count = 0;
    bool nestedSawTicks = false;
    auto timer = Timer::scheduledTimer(0.01, true, [&] { ++count; });
    bool done = false;
    MainQueue::post([&] {
        nestedSawTicks = RunLoop::runUntil([&] { return count >= 3; }, 5);
        done = true;
    });
    ASSERT_TRUE(RunLoop::runUntil([&] { return done; }, 5));
    EXPECT_TRUE(nestedSawTicks);
}

TEST(Timer, shouldNotFireAgainInsideItsOwnAction) {
    int depth = 0;
    int deepest = 0;
    int count = 0;
    auto timer = Timer::scheduledTimer(0.01, true, [&] {
        ++count;
        deepest = std::max(deepest, ++depth);
        if (count == 1) {
            letTimePass();
        }
        --depth;
    });
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 3; }, 5));
    EXPECT_EQ(deepest, 1);
}

TEST(Timer, shouldKeepAFireDateThatItsOwnActionSets) {
    int count = 0;
    std::unique_ptr<Timer> timer;
    timer = Timer::scheduledTimer(0.01, true, [&] {
        ++count;
        timer->setFireDate(Timer::distantFuture());
    });
    ASSERT_TRUE(RunLoop::runUntil([&] { return count == 1; }, 5));
    letTimePass();
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(timer->isValid());
}

TEST(Timer, shouldRunTheClockAndNewTimersAtTheTestsPace) {
    std::vector<std::string> order;
    // Scheduled in real time: due in 2 s of the wall clock, far enough that a loaded machine
    // cannot stall the test past it between the two timers.
    auto wallClock = Timer::scheduledTimer(2, false, [&] { order.push_back("wall clock"); });
    TestClock clock(4);
    const double started = Timer::now();
    double firedAt = 0;
    // 0.4 s on a clock four times as fast: 0.1 s of the wall clock.
    auto paced = Timer::scheduledTimer(0.4, false, [&] {
        order.push_back("paced");
        firedAt = Timer::now();
    });
    EXPECT_NEAR(paced->fireDate(), started + 0.4, 0.1);
    ASSERT_TRUE(RunLoop::runUntil([&] { return order.size() == 2; }, 20));
    EXPECT_EQ(order, (std::vector<std::string>{"paced", "wall clock"}));
    EXPECT_GE(firedAt - started, 0.4);
}

// A span of 30 s on the test's clock passes in 0.3 s: a wait cut short that way ends before the
// condition holds, one given the whole span ends with it long before a busy machine could matter.
TEST(Timer, shouldLetAWaitForAConditionRunItsWholeSpanOfWallTimeOnAFasterClock) {
    TestClock clock(100);
    const auto due = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    EXPECT_TRUE(RunLoop::runUntil([&] { return std::chrono::steady_clock::now() >= due; }, 30));
}

TEST(Timer, shouldLetASpanPassOnTheTestsClock) {
    TestClock clock(4);
    bool later = false;
    auto timer = Timer::scheduledTimer(3, false, [&] { later = true; });
    const double started = Timer::now();
    EXPECT_FALSE(RunLoop::runFor(1));
    EXPECT_GE(Timer::now() - started, 1);
    EXPECT_FALSE(later) << "the span ran on the wall clock";
    EXPECT_TRUE(RunLoop::runFor(60, [] { return true; }));
}

// A busy machine stalls the loop past the span's end: a timer due within the span has fired when
// the span returns.
TEST(Timer, shouldFireWhatFellDueWithinASpanThatAStallOutlasted) {
    TestClock clock(4);
    bool fired = false;
    auto timer = Timer::scheduledTimer(1, false, [&] { fired = true; });
    MainQueue::post([] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
        while (std::chrono::steady_clock::now() < until) {
        }
    });
    RunLoop::runFor(1.2);
    EXPECT_TRUE(fired);
}
