#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/UiFixture.h"
#include "widgets/GlossAlertView.h"

namespace {

class AlertScreen : public AlertViewDelegate {
public:
    void alertViewClickedButtonAtIndex(AlertView& alert, int index) override {
        log.add("tag " + std::to_string(alert.tag()) + " index " + std::to_string(index));
    }
    CallLog log;
};

class GlossAlerts : public UiTest {
protected:
    GlossAlertView* show(AlertViewDelegate* delegate, const std::string& cancel,
                         const std::vector<std::string>& others, int style = 1) {
        auto alert = std::make_unique<GlossAlertView>("提示", "确定要撤销该委托吗?", delegate,
                                                      cancel, others);
        alert->setStyle(style);
        alert->setTag(5556);
        GlossAlertView* shown = AlertView::show(std::move(alert));
        driver.settle();
        return shown;
    }

    Rect boxOnScreen() const {
        const auto alert = driver.visibleAlert();
        const Button* first = alert->buttonAtIndex(0);
        return first->superview()->convertRect(first->superview()->bounds(), nullptr);
    }

    AlertScreen screenDelegate;
};

TEST_F(GlossAlerts, shouldReportTheCancelButtonAsZeroAndTheOthersFromOne) {
    show(&screenDelegate, "取消", {"确定", "稍后"});
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(driver.visibleAlert(), nullptr) << "a tap closes the alert";
    show(&screenDelegate, "取消", {"确定", "稍后"});
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    show(&screenDelegate, "取消", {"确定", "稍后"});
    ASSERT_TRUE(driver.tapAlertButton("稍后"));
    EXPECT_EQ(
        screenDelegate.log.calls,
        (std::vector<std::string>{"tag 5556 index 1", "tag 5556 index 0", "tag 5556 index 2"}));
}

TEST_F(GlossAlerts, shouldOnlyCloseWhenItHasNoDelegate) {
    show(nullptr, "确定", {});
    ASSERT_NE(driver.visibleAlert(), nullptr);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    EXPECT_TRUE(screenDelegate.log.calls.empty());
}

TEST_F(GlossAlerts, shouldShowTitleMessageAndButtonsOfTheAllWhiteLook) {
    show(&screenDelegate, "取消", {"确定"});
    const auto texts = driver.visibleTexts();
    for (const char* text : {"提示", "确定要撤销该委托吗?", "取消", "确定"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    }
    const Rect box = boxOnScreen();
    EXPECT_TRUE(near(driver.colorAt({box.x + 3, box.y + 3}), 255, 255, 255));
    EXPECT_TRUE(near(driver.colorAt({box.x + 3, box.maxY() - 3}), 232, 232, 236))
        << "the white face darkens slightly towards the bottom";
    ASSERT_TRUE(driver.saveSnapshot(std::string(VKJY_TEST_OUTPUT_DIR) + "/alert-white.png"));
}

TEST_F(GlossAlerts, shouldDrawTheDefaultLookDarkWithWhiteText) {
    GlossAlertView* alert = show(&screenDelegate, "确定", {}, GlossAlertView::kStyleGloss);
    EXPECT_EQ(alert->style(), GlossAlertView::kStyleGloss);
    const Rect box = boxOnScreen();
    const Color bottom = driver.colorAt({box.x + 3, box.maxY() - 3});
    EXPECT_LT(bottom.red255(), 60);
    EXPECT_EQ(alert->buttonAtIndex(0)->currentTitleColor(), Color::whiteColor());
    ASSERT_TRUE(driver.saveSnapshot(std::string(VKJY_TEST_OUTPUT_DIR) + "/alert-gloss.png"));
}

}  // namespace
