#include <QImage>

#include "UiFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"

class ButtonTaps : public UiTest {
protected:
    Button* makeButton(const Rect& frame, const std::string& title) {
        auto button = Button::create(Button::Type::Custom, frame);
        button->setTitle(title);
        button->addTarget(TouchUpInside, [this, title](Control&) { log.add(title + " up"); });
        button->addTarget(TouchDown, [this, title](Control&) { log.add(title + " down"); });
        return add(std::move(button));
    }
    CallLog log;
};

TEST_F(ButtonTaps, shouldSendTouchDownThenTouchUpInsideOnTap) {
    Button* ok = makeButton({20, 100, 100, 44}, "确定");
    ASSERT_TRUE(driver.tap(ok));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"确定 down", "确定 up"}));
}

TEST_F(ButtonTaps, shouldFindButtonByItsTitle) {
    makeButton({20, 100, 100, 44}, "取消");
    makeButton({20, 200, 100, 44}, "确定");
    ASSERT_TRUE(driver.tapText("确定"));
    EXPECT_EQ(log.calls.back(), "确定 up");
}

TEST_F(ButtonTaps, shouldIgnoreHiddenDisabledAndCoveredButtons) {
    Button* hidden = makeButton({20, 100, 100, 44}, "hidden");
    hidden->setHidden(true);
    driver.tapAt({70, 122});
    Button* disabled = makeButton({20, 200, 100, 44}, "disabled");
    disabled->setEnabled(false);
    driver.tapAt({70, 222});
    makeButton({20, 300, 100, 44}, "covered");
    add(std::make_unique<View>(Rect{0, 290, 320, 60}));
    driver.tapAt({70, 322});
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(ButtonTaps, shouldNotActWhenTurnedOffUnderTheFinger) {
    Button* button = makeButton({20, 100, 100, 44}, "off");
    driver.longPress({70, 122}, 0, [button] { button->setEnabled(false); });
    EXPECT_EQ(log.calls, (std::vector<std::string>{"off down"}));
    EXPECT_FALSE(button->isHighlighted());
}

TEST_F(ButtonTaps, shouldSendTouchUpOutsideWhenFingerLeavesFarAway) {
    Button* button = makeButton({20, 100, 100, 44}, "b");
    unsigned outside = 0;
    button->addTarget(TouchUpOutside, [&outside](Control&) { ++outside; });
    driver.drag({70, 122}, {300, 500});
    EXPECT_EQ(outside, 1u);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"b down"}));
}

TEST_F(ButtonTaps, shouldPassTapOnLabelToTheViewUnderneath) {
    Button* button = makeButton({20, 100, 200, 44}, "under");
    add(std::make_unique<Label>(Rect{20, 100, 200, 44}, "标签"));
    driver.tapAt({100, 122});
    EXPECT_EQ(log.calls.back(), "under up");
    (void)button;
}

TEST_F(ButtonTaps, shouldFinishActionsSafelyWhenOneRemovesTheButton) {
    Button* button = makeButton({20, 100, 100, 44}, "x");
    button->addTarget(TouchUpInside, [](Control& c) { c.removeFromSuperview(); });
    button->addTarget(TouchUpInside, [this](Control&) { log.add("after removal"); });
    ASSERT_TRUE(driver.tap(button));
    driver.settle();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"x down", "x up", "after removal"}));
    EXPECT_EQ(window->subviews().size(), 0u);
}

TEST(ButtonStates, shouldFallBackToNormalStateValues) {
    Button button;
    button.setTitle("自选");
    button.setTitleColor(Color::whiteColor());
    button.setTitleColor(Color::redColor(), StateSelected);
    button.setImage(Image::fromQImage(QImage(4, 4, QImage::Format_ARGB32)), StateNormal);
    EXPECT_EQ(button.title(StateHighlighted), "自选");
    EXPECT_EQ(button.titleColor(StateSelected), Color::redColor());
    button.setSelected(true);
    EXPECT_EQ(button.currentTitleColor(), Color::redColor());
    EXPECT_EQ(button.titleLabel()->textColor(), Color::redColor());
    button.setSelected(false);
    EXPECT_EQ(button.currentTitleColor(), Color::whiteColor());
    EXPECT_FALSE(button.currentImage().isEmpty());
}

TEST_F(ButtonTaps, shouldNotSeeButtonsClippedAwayByTheirParent) {
    auto* strip = add(std::make_unique<View>(Rect{0, 100, 100, 44}));
    strip->setClipsToBounds(true);
    auto* inside = strip->addSubview(Button::create(Button::Type::Custom, {0, 0, 100, 44}));
    inside->setTitle("可见");
    auto* outside = strip->addSubview(Button::create(Button::Type::Custom, {120, 0, 100, 44}));
    outside->setTitle("隐藏");
    EXPECT_TRUE(driver.isVisible(inside));
    EXPECT_FALSE(driver.isVisible(outside));
    EXPECT_EQ(driver.viewWithText("隐藏"), nullptr);
    EXPECT_FALSE(driver.tap(outside));
}

TEST(ButtonLayout, shouldRefitTitleWhenItsFontChangesAfterTheTitle) {
    Button button({0, 0, 200, 44});
    button.setTitle("速摘");
    button.layoutIfNeeded();
    double small = button.titleLabel()->frame().width;
    button.titleLabel()->setFont(Font::named("Helvetica-Bold", 24));
    button.layoutIfNeeded();
    EXPECT_GT(button.titleLabel()->frame().width, small * 1.4);
    EXPECT_NEAR(button.titleLabel()->frame().midX(), 100, 1);
}
