#include "UiFixture.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"

namespace {

class AlertRecorder : public AlertViewDelegate {
public:
    void alertViewClickedButtonAtIndex(AlertView& alert, int index) override {
        log.add("clicked " + std::to_string(index) + " tag " + std::to_string(alert.tag()));
    }
    void alertViewWillDismiss(AlertView&, int index) override {
        log.add("willDismiss " + std::to_string(index));
    }
    void alertViewDidDismiss(AlertView&, int index) override {
        log.add("didDismiss " + std::to_string(index));
    }
    CallLog log;
};

}  // namespace

class Alerts : public UiTest {
protected:
    AlertRecorder recorder;
};

TEST_F(Alerts, shouldTellDelegateTheIndexOfTheTappedButton) {
    auto alert = std::make_unique<AlertView>("获取失败", "请检查网络", &recorder, "重试",
                                             std::vector<std::string>{"退出"});
    alert->setTag(1105);
    AlertView::show(std::move(alert));
    ASSERT_NE(driver.visibleAlert(), nullptr);
    EXPECT_EQ(driver.visibleAlert()->cancelButtonIndex(), 0);
    ASSERT_TRUE(driver.tapAlertButton("退出"));
    EXPECT_EQ(recorder.log.calls,
              (std::vector<std::string>{"clicked 1 tag 1105", "willDismiss 1", "didDismiss 1"}));
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

TEST_F(Alerts, shouldGiveCancelButtonIndexZero) {
    AlertView::show(std::make_unique<AlertView>("提示", "确定要退出吗?", &recorder, "取消",
                                                std::vector<std::string>{"确定", "稍后"}));
    AlertView* alert = driver.visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->numberOfButtons(), 3);
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "取消");
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_EQ(recorder.log.calls.front(), "clicked 0 tag 0");
}

TEST_F(Alerts, shouldNumberButtonsFromZeroWithoutCancel) {
    AlertView::show(std::make_unique<AlertView>("提示", "成功", &recorder, "",
                                                std::vector<std::string>{"确定"}));
    EXPECT_EQ(driver.visibleAlert()->cancelButtonIndex(), -1);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(recorder.log.calls.front(), "clicked 0 tag 0");
}

TEST_F(Alerts, shouldBlockTouchesToTheScreenUnderneath) {
    int presses = 0;
    auto* button = add(Button::create(Button::Type::Custom, {0, 0, 320, 568}));
    button->addTarget(TouchUpInside, [&](Control&) { ++presses; });
    AlertView::show(std::make_unique<AlertView>("提示", "", nullptr, "确定"));
    driver.tapAt({10, 550});
    EXPECT_EQ(presses, 0);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.tapAt({10, 550});
    EXPECT_EQ(presses, 1);
}

TEST_F(Alerts, shouldShowTitleAndMessageTexts) {
    AlertView::show(std::make_unique<AlertView>("提示", "用户名不能为空", nullptr, "确定"));
    auto texts = driver.visibleTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "提示"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "用户名不能为空"), texts.end());
}

TEST_F(Alerts, shouldLeaveTheWindowUntappedWhenItsDelegateIsDestroyed) {
    auto gone = std::make_unique<AlertRecorder>();
    std::vector<std::string>* calls = &gone->log.calls;
    AlertView::show(std::make_unique<AlertView>("提示", "确定要退出登录吗？", gone.get(), "取消",
                                                std::vector<std::string>{"退出登录"}));
    ASSERT_NE(driver.visibleAlert(), nullptr);
    gone.reset();
    calls = nullptr;
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    EXPECT_FALSE(driver.tapAlertButton("退出登录"));
    EXPECT_EQ(calls, nullptr);
}

TEST_F(Alerts, shouldKeepTellingALiveDelegateAfterAnotherAlertsDelegateWent) {
    auto gone = std::make_unique<AlertRecorder>();
    AlertView::show(std::make_unique<AlertView>("提示", "一", gone.get(), "确定"));
    AlertView::show(std::make_unique<AlertView>("提示", "二", &recorder, "好"));
    gone.reset();
    ASSERT_TRUE(driver.tapAlertButton("好"));
    EXPECT_EQ(recorder.log.calls.front(), "clicked 0 tag 0");
}

TEST(AlertsWithoutWindow, shouldShowNothingAndReturnNullWhenThereIsNoKeyWindow) {
    Application app;
    AlertRecorder recorder;
    AlertView* shown = AlertView::show(
        std::make_unique<AlertView>("提示", "无窗口", &recorder, "确定"));
    EXPECT_EQ(shown, nullptr);
    EXPECT_TRUE(recorder.log.calls.empty());
}
