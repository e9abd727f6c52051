#include "UiFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/LongPressGestureRecognizer.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/PinchGestureRecognizer.h"
#include "platform/ui/SwipeGestureRecognizer.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/Touch.h"

namespace {

// Records its touches, as a chart view does.
class TouchView : public View {
public:
    using View::View;
    void touchesBegan(const TouchSet& t, const Event&) override {
        log.push_back("began");
        tapCount = t.front()->tapCount();
        timestamps.push_back(t.front()->timestamp());
    }
    void touchesMoved(const TouchSet&, const Event&) override { log.push_back("moved"); }
    void touchesEnded(const TouchSet& t, const Event&) override {
        log.push_back("ended");
        timestamps.push_back(t.front()->timestamp());
    }
    void touchesCancelled(const TouchSet&, const Event&) override { log.push_back("cancelled"); }
    std::vector<std::string> log;
    std::vector<double> timestamps;
    int tapCount = 0;
};

}  // namespace

class Gestures : public UiTest {
protected:
    TouchView* area = add(std::make_unique<TouchView>(Rect{0, 100, 320, 300}));
};

TEST_F(Gestures, shouldDeliverTouchPhasesWithTapCountAndTimestamps) {
    driver.tapAt({100, 200});
    EXPECT_EQ(area->log, (std::vector<std::string>{"began", "ended"}));
    EXPECT_EQ(area->tapCount, 1);
    ASSERT_EQ(area->timestamps.size(), 2u);
    EXPECT_GT(area->timestamps[1], area->timestamps[0]);
    driver.tapAt({100, 200}, 2);
    EXPECT_EQ(area->tapCount, 2);
}

TEST_F(Gestures, shouldRecognizeTapAndDoubleTap) {
    int singles = 0, doubles = 0;
    area->addGestureRecognizer(
        std::make_unique<TapGestureRecognizer>([&](GestureRecognizer&) { ++singles; }));
    auto dbl = std::make_unique<TapGestureRecognizer>([&](GestureRecognizer&) { ++doubles; });
    dbl->setNumberOfTapsRequired(2);
    area->addGestureRecognizer(std::move(dbl));
    driver.tapAt({100, 200});
    EXPECT_EQ(singles, 1);
    EXPECT_EQ(doubles, 0);
    driver.tapAt({100, 200}, 2);
    EXPECT_EQ(doubles, 1);
}

TEST_F(Gestures, shouldCancelViewTouchesWhenTapIsRecognized) {
    area->addGestureRecognizer(std::make_unique<TapGestureRecognizer>());
    driver.tapAt({100, 200});
    EXPECT_EQ(area->log, (std::vector<std::string>{"began", "cancelled"}));
}

TEST_F(Gestures, shouldLeaveButtonTapsToTheButtonInsideTappableView) {
    int taps = 0, presses = 0;
    area->addGestureRecognizer(
        std::make_unique<TapGestureRecognizer>([&](GestureRecognizer&) { ++taps; }));
    auto* button = area->addSubview(Button::create(Button::Type::Custom, {10, 10, 80, 40}));
    button->addTarget(TouchUpInside, [&](Control&) { ++presses; });
    ASSERT_TRUE(driver.tap(button));
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(taps, 0);
}

TEST_F(Gestures, shouldRecognizeSwipeOnlyInItsDirection) {
    int lefts = 0;
    auto swipe = std::make_unique<SwipeGestureRecognizer>([&](GestureRecognizer&) { ++lefts; });
    swipe->setDirection(SwipeGestureRecognizer::Left);
    area->addGestureRecognizer(std::move(swipe));
    driver.swipe({250, 200}, {100, 205});
    EXPECT_EQ(lefts, 1);
    driver.swipe({100, 200}, {250, 200});
    driver.swipe({160, 150}, {160, 350});
    EXPECT_EQ(lefts, 1);
}

TEST_F(Gestures, shouldEndADragTheSystemTakesAwayAsCancelled) {
    driver.dragAndCancel({100, 200}, {160, 200}, 3);
    EXPECT_EQ(area->log,
              (std::vector<std::string>{"began", "moved", "moved", "moved", "cancelled"}));
    driver.tapAt({100, 200});
    EXPECT_EQ(area->log.back(), "ended");
}

TEST_F(Gestures, shouldRemoveRecognizerAtRunTime) {
    int lefts = 0;
    auto swipe = std::make_unique<SwipeGestureRecognizer>([&](GestureRecognizer&) { ++lefts; });
    swipe->setDirection(SwipeGestureRecognizer::Left);
    GestureRecognizer* raw = area->addGestureRecognizer(std::move(swipe));
    area->removeGestureRecognizer(raw);
    driver.swipe({250, 200}, {100, 200});
    EXPECT_EQ(lefts, 0);
    EXPECT_TRUE(area->gestureRecognizers().empty());
}

TEST_F(Gestures, shouldReportPinchScale) {
    std::vector<double> scales;
    area->addGestureRecognizer(std::make_unique<PinchGestureRecognizer>([&](GestureRecognizer& g) {
        scales.push_back(static_cast<PinchGestureRecognizer&>(g).scale());
    }));
    driver.pinch({160, 250}, 100, 200);
    ASSERT_FALSE(scales.empty());
    EXPECT_NEAR(scales.back(), 2.0, 0.01);
}

TEST_F(Gestures, shouldReportPanTranslation) {
    Point last;
    GestureRecognizer::State finalState = GestureRecognizer::State::Possible;
    area->addGestureRecognizer(std::make_unique<PanGestureRecognizer>([&](GestureRecognizer& g) {
        last = static_cast<PanGestureRecognizer&>(g).translationInView(area);
        finalState = g.state();
    }));
    driver.drag({100, 200}, {160, 240});
    EXPECT_NEAR(last.x, 60, 0.01);
    EXPECT_NEAR(last.y, 40, 0.01);
    EXPECT_EQ(finalState, GestureRecognizer::State::Ended);
}

TEST_F(Gestures, shouldRecognizeLongPressAfterMinimumDuration) {
    std::vector<GestureRecognizer::State> states;
    auto press = std::make_unique<LongPressGestureRecognizer>(
        [&](GestureRecognizer& g) { states.push_back(g.state()); });
    press->setMinimumPressDuration(0.2);
    area->addGestureRecognizer(std::move(press));
    driver.longPress({100, 200}, 0.4);
    EXPECT_EQ(states, (std::vector<GestureRecognizer::State>{GestureRecognizer::State::Began,
                                                             GestureRecognizer::State::Ended}));
    states.clear();
    driver.tapAt({100, 200});
    EXPECT_TRUE(states.empty());
}

TEST_F(Gestures, shouldGiveSecondFingerOnlyToMultipleTouchViews) {
    screen.sendTouches({{1, TouchPhase::Began, {100, 200}}, {2, TouchPhase::Began, {200, 200}}}, 1);
    screen.sendTouches({{1, TouchPhase::Ended, {100, 200}}, {2, TouchPhase::Ended, {200, 200}}},
                       1.1);
    EXPECT_EQ(area->log, (std::vector<std::string>{"began", "ended"}));
    area->log.clear();
    area->setMultipleTouchEnabled(true);
    screen.sendTouches({{1, TouchPhase::Began, {100, 200}}}, 2);
    screen.sendTouches({{2, TouchPhase::Began, {200, 200}}}, 2.05);
    screen.sendTouches({{1, TouchPhase::Ended, {100, 200}}, {2, TouchPhase::Ended, {200, 200}}},
                       2.1);
    EXPECT_EQ(area->log, (std::vector<std::string>{"began", "began", "ended"}));
}
