#include "UiFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/ScrollView.h"

namespace {

class ScrollLog : public ScrollViewDelegate {
public:
    void scrollViewDidScroll(ScrollView&) override { ++scrolls; }
    void scrollViewWillBeginDragging(ScrollView&) override { log.add("begin"); }
    void scrollViewDidEndDragging(ScrollView& s, bool decelerate) override {
        log.add(decelerate ? "end springing" : "end");
        endOffset = s.contentOffset().y;
    }
    void scrollViewDidEndDecelerating(ScrollView&) override { log.add("rest"); }
    int scrolls = 0;
    double endOffset = 0;
    CallLog log;
};

// The top limit follows the content down to 40, as a table whose headers must not float sets it.
class FollowingInset : public ScrollViewDelegate {
    void scrollViewDidScroll(ScrollView& s) override {
        if (s.contentOffset().y >= 0) {
            s.setContentInset({-std::min(s.contentOffset().y, 40.0), 0, 0, 0});
        }
    }
};

}  // namespace

class Scrolling : public UiTest {
protected:
    Scrolling() {
        scroll = add(std::make_unique<ScrollView>(Rect{0, 100, 320, 255}));
        scroll->setContentSize({320, 450});
        scroll->setDelegate(&log);
    }
    ScrollView* scroll;
    ScrollLog log;
};

TEST_F(Scrolling, shouldReportDraggingAndEveryScroll) {
    driver.drag({160, 300}, {160, 200}, 10);
    EXPECT_EQ(log.log.calls, (std::vector<std::string>{"begin", "end"}));
    EXPECT_GE(log.scrolls, 5);
    EXPECT_NEAR(scroll->contentOffset().y, 100, 1);
}

TEST_F(Scrolling, shouldStopAtTheEndWithoutBounce) {
    scroll->setBounces(false);
    driver.drag({160, 340}, {160, 110}, 10);
    EXPECT_EQ(scroll->contentOffset().y, 450 - 255);
    EXPECT_EQ(log.log.calls, (std::vector<std::string>{"begin", "end"}));
}

TEST_F(Scrolling, shouldSpringBackFromPastTheEndAndSettle) {
    driver.drag({160, 340}, {160, 110}, 10);
    EXPECT_GT(log.endOffset, 450 - 255);
    EXPECT_EQ(log.log.calls, (std::vector<std::string>{"begin", "end springing", "rest"}));
    EXPECT_EQ(scroll->contentOffset().y, 450 - 255);
}

TEST_F(Scrolling, shouldRestWithinNegativeTopInset) {
    scroll->setContentInset({-40, 0, 0, 0});
    EXPECT_EQ(scroll->minimumContentOffset().y, 40);
    scroll->setContentOffset({0, 40});
    driver.drag({160, 200}, {160, 300});
    EXPECT_EQ(scroll->contentOffset().y, 40);
}

TEST_F(Scrolling, shouldFollowATopLimitThatMovesWithTheContentBackToTheTop) {
    FollowingInset following;
    scroll->setDelegate(&following);
    scroll->setContentOffset({0, 100});
    driver.drag({160, 200}, {160, 300});
    EXPECT_EQ(scroll->contentOffset().y, 0);
    scroll->setContentOffset({0, 100});
    screen.scrollWheel({160, 200}, 0, -70);
    screen.scrollWheel({160, 200}, 0, -70);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    EXPECT_EQ(scroll->contentInset().top, 0);
}

TEST_F(Scrolling, shouldFollowAMovingTopLimitBackToTheTopUnderAFastPull) {
    FollowingInset following;
    scroll->setDelegate(&following);
    for (int moves : {2, 3, 5}) {
        scroll->setContentOffset({0, 100});
        driver.drag({160, 150}, {160, 330}, moves, 0.05);
        EXPECT_EQ(scroll->contentOffset().y, 0) << moves << " moves";
        EXPECT_EQ(scroll->contentInset().top, 0) << moves << " moves";
    }
}

TEST_F(Scrolling, shouldIgnoreDragsWhenScrollingIsOff) {
    scroll->setScrollEnabled(false);
    driver.drag({160, 300}, {160, 150});
    EXPECT_EQ(scroll->contentOffset().y, 0);
    EXPECT_TRUE(log.log.calls.empty());
}

TEST_F(Scrolling, shouldCancelButtonPressWhenTheFingerScrolls) {
    int presses = 0;
    auto* button = scroll->addSubview(Button::create(Button::Type::Custom, {0, 100, 320, 44}));
    button->addTarget(TouchUpInside, [&](Control&) { ++presses; });
    driver.drag({160, 222}, {160, 160});
    EXPECT_EQ(presses, 0);
    EXPECT_FALSE(button->isHighlighted());
    ASSERT_TRUE(driver.tap(button));
    EXPECT_EQ(presses, 1);
}

TEST_F(Scrolling, shouldMoveContentOnScreenWithTheOffset) {
    window->setBackgroundColor(Color::whiteColor());
    scroll->addSubview(std::make_unique<View>(Rect{0, 300, 320, 50}))
        ->setBackgroundColor(Color::redColor());
    EXPECT_TRUE(near(screen.colorAt({10, 110}), 255, 255, 255));
    scroll->setContentOffset({0, 300});
    EXPECT_TRUE(near(screen.colorAt({10, 110}), 255, 0, 0));
    EXPECT_TRUE(near(screen.colorAt({10, 160}), 255, 255, 255));
}
