#include "UiFixture.h"
#include "platform/foundation/Timer.h"

class Animations : public UiTest {};

TEST_F(Animations, shouldSetFinalValuesAtOnceAndCompleteAfterDuration) {
    View::setAnimationSpeed(1);
    auto* panel = add(std::make_unique<View>(Rect{0, 568, 320, 200}));
    bool done = false;
    double started = Timer::now();
    View::animate(
        0.6,
        [&] {
            panel->setFrame({0, 368, 320, 200});
            panel->setAlpha(0.5);
        },
        [&](bool finished) { done = finished; });
    EXPECT_EQ(panel->frame().y, 368);
    EXPECT_EQ(panel->alpha(), 0.5);
    EXPECT_FALSE(done);
    EXPECT_GT(panel->presentationCenter().y, 468);
    ASSERT_TRUE(driver.runUntil([&] { return done; }));
    EXPECT_GE(Timer::now() - started, 0.59);
    EXPECT_EQ(panel->presentationCenter().y, 468);
    EXPECT_EQ(panel->presentationAlpha(), 0.5);
}

TEST_F(Animations, shouldDrawInBetweenValuesWhileRunning) {
    View::setAnimationSpeed(1);
    auto* panel = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    panel->setBackgroundColor(Color::redColor());
    window->setBackgroundColor(Color::whiteColor());
    View::animate(1, [&] { panel->setFrame({200, 100, 100, 100}); });
    // At the start the panel is still drawn where it was.
    EXPECT_TRUE(near(screen.colorAt({50, 150}), 255, 0, 0));
    EXPECT_TRUE(View::hasRunningAnimations());
}

TEST_F(Animations, shouldFinishAtOnceAtSpeedZero) {
    View::setAnimationSpeed(0);
    auto* panel = add(std::make_unique<View>(Rect{0, 100, 100, 100}));
    bool done = false;
    View::animate(
        10,
        [&] {
            panel->setCenter({300, 300});
        },
        [&](bool) { done = true; });
    EXPECT_EQ(panel->presentationCenter(), (Point{300, 300}));
    driver.settle();
    EXPECT_TRUE(done);
}
