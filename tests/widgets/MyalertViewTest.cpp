#include "platform/ui/UiFixture.h"
#include "widgets/GlossAlertView.h"
#include "widgets/MyalertView.h"

namespace {

class Manager : public MyalertViewDelegate {
public:
    void doneButtonClick() override { log.add("done " + std::to_string(alert->tag())); }
    void cancelButtonClick() override { log.add("cancel " + std::to_string(alert->tag())); }

    std::shared_ptr<MyalertView> alert;
    CallLog log;
};

class MyAlerts : public UiTest {
protected:
    std::shared_ptr<Manager> showFor(bool reports) {
        auto manager = std::make_shared<Manager>();
        manager->alert = MyalertView::create();
        manager->alert->initMyAlertTitle("提示", "您的当前登录状态已失效,请重新登录!", reports,
                                         "重新登录", "取消");
        manager->alert->setTag(5554);
        manager->alert->setDelegate(manager);
        driver.settle();
        return manager;
    }
};

TEST_F(MyAlerts, shouldShowAtOnceWhenBuilt) {
    auto manager = showFor(true);
    AlertView* shown = driver.visibleAlert();
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(dynamic_cast<GlossAlertView*>(shown), nullptr);
    EXPECT_EQ(shown->buttonTitleAtIndex(0), "重新登录");
    EXPECT_EQ(shown->buttonTitleAtIndex(1), "取消");
    EXPECT_EQ(shown->tag(), 5554);
    manager->alert.reset();
}

TEST_F(MyAlerts, shouldReportTheFirstButtonAsDone) {
    auto manager = showFor(true);
    ASSERT_TRUE(driver.tapAlertButton("重新登录"));
    EXPECT_EQ(manager->log.calls, std::vector<std::string>{"done 5554"});
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    manager->alert.reset();
}

TEST_F(MyAlerts, shouldReportTheSecondButtonAsCancel) {
    auto manager = showFor(true);
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_EQ(manager->log.calls, std::vector<std::string>{"cancel 5554"});
    manager->alert.reset();
}

TEST_F(MyAlerts, shouldStaySilentWhenTheFlagIsOff) {
    auto manager = showFor(false);
    ASSERT_TRUE(driver.tapAlertButton("重新登录"));
    EXPECT_TRUE(manager->log.calls.empty());
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    manager->alert.reset();
}

TEST_F(MyAlerts, shouldKeepItsDelegateUntilTheDialogClosesAndThenLetGo) {
    std::weak_ptr<Manager> watched;
    {
        auto manager = showFor(true);
        watched = manager;
    }
    ASSERT_FALSE(watched.expired()) << "held strongly while the dialog is up";
    std::weak_ptr<MyalertView> adapter = watched.lock()->alert;
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    driver.settle();
    EXPECT_TRUE(watched.expired()) << "the manager-adapter cycle is broken once it closes";
    EXPECT_TRUE(adapter.expired());
}

TEST_F(MyAlerts, shouldLetGoOfItsDelegateWhenTheDialogIsTornDownUnanswered) {
    std::weak_ptr<Manager> watched = showFor(true);
    ASSERT_FALSE(watched.expired());
    driver.visibleAlert()->removeFromSuperview();
    driver.settle();
    EXPECT_TRUE(watched.expired());
}

TEST_F(MyAlerts, shouldCloseItsOldDialogWhenBuiltAgain) {
    auto manager = showFor(true);
    manager->alert->initMyAlertTitle("提示", "委托成功", true, "确定");
    driver.settle();
    EXPECT_EQ(driver.viewsOfClass<AlertView>().size(), 1u);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(manager->log.calls, std::vector<std::string>{"done 5554"});
    manager->alert.reset();
}

TEST_F(MyAlerts, shouldLiveWithoutAnOwnerWhileShown) {
    {
        auto alert = MyalertView::create();
        alert->initMyAlertTitle("提示", "请输入委托数量", false, "确定");
    }
    ASSERT_NE(driver.visibleAlert(), nullptr);
    EXPECT_EQ(driver.visibleAlert()->numberOfButtons(), 1);
    EXPECT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

}  // namespace
