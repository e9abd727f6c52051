#include <gtest/gtest.h>

#include "AccountScreenTest.h"
#include "platform/foundation/SystemInfo.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Window.h"
#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/account/PXJYChangeThePasswordVC.h"
#include "trade/account/PXJYGongGaoViewController.h"
#include "trade/account/PXJYSetUpVC.h"
#include "trade/account/PXJYTradeOthersController.h"

namespace {
// The same screens on the 3.5-inch phone: the shell's window takes the small screen's size.
class SmallScreenTest : public AccountScreenTest {
protected:
    SmallScreenTest() {
        SystemInfo::setScreenMode(SystemInfo::kThreeAndAHalfInchScreen);
        snapshotDriver = &small;
        snapshotSuffix = "-480";
    }

    // The lowest edge of the view, in window points.
    static double bottomOf(View* view) {
        const Rect frame = view->superview()->convertRect(view->frame(), nullptr);
        return frame.y + frame.height;
    }

    Screen smallScreen{{320, 480}, 1};
    ScreenDriver small{smallScreen};
};
}  // namespace

TEST_F(SmallScreenTest, shouldKeepEveryControlOnTheSmallScreen) {
    ASSERT_EQ(delegate->window()->bounds().height, 480);
    auto* menu = open<PXJYTradeOthersController>("PXJYTradeOthersController");
    ASSERT_TRUE(menu);
    EXPECT_LE(bottomOf(driver.viewWithText("    退出登录")), 480);
    snapshot("more-menu");
    ASSERT_TRUE(driver.tapText("    修改密码"));
    driver.settle();
    EXPECT_LE(bottomOf(driver.viewWithText("确  定")), 480);
    snapshot("password-panel");
    menu->modifyTradePasswordVC()->VKJYNavBackAction();
    driver.settle();

    ASSERT_TRUE(driver.tapText("    切换链路"));
    driver.settle();
    EXPECT_LE(bottomOf(driver.viewWithText("测速")), 480);
    snapshot("link-switch");
    tradeNavigation()->popViewController(false);
    driver.settle();
    ASSERT_TRUE(driver.tapText("    当前状态"));
    driver.settle();
    snapshot("current-status");
    tradeNavigation()->popViewController(false);
    driver.settle();
    ASSERT_TRUE(driver.tapText("    设置"));
    driver.settle();
    auto* settings = dynamic_cast<PXJYSetUpVC*>(topScreen());
    ASSERT_TRUE(settings);
    settings->toggleList(5);
    EXPECT_LE(bottomOf(settings->optionsListView()), 480);
    snapshot("settings-list");
    tradeNavigation()->popToRootViewController(false);
    driver.settle();

    auto* notices = open<PXJYGongGaoViewController>("PXJYGongGaoViewController");
    ASSERT_TRUE(notices);
    ASSERT_TRUE(driver.tapText("过期公告"));
    EXPECT_LE(bottomOf(driver.viewWithText("确  定")), 480);
    notices->openDatePanel(PXJYGongGaoViewController::kExpiredTo);
    driver.settle();
    EXPECT_LE(bottomOf(notices->datePicker()), 480);
    EXPECT_TRUE(driver.isVisible(notices->datePicker()));
    snapshot("announcement-date-panel");
    tradeNavigation()->popToRootViewController(false);
    driver.settle();

    auto* accounts = open<PXJYAccountInfoViewController>("PXJYAccountInfoViewController");
    ASSERT_TRUE(accounts);
    snapshot("accounts");
    ASSERT_TRUE(driver.tapRow(*accounts->tableView(), IndexPath{0, 0}));
    ASSERT_TRUE(driver.runUntil([&] { return driver.viewWithText("张三") != nullptr; }, 10));
    snapshot("account-detail");
}

TEST_F(SmallScreenTest, shouldShowTheServersWordOnARefusedLogoffOverTheTradeRoot) {
    ASSERT_TRUE(open<PXJYTradeOthersController>("PXJYTradeOthersController"));
    tradeServer().answerCodeNext(-3, "logoff");
    ASSERT_TRUE(driver.tapText("    退出登录"));
    answerAlert("退出登录");
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "模拟错误");
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u)
        << typeid(*tradeNavigation()->topViewController()).name();
    AlertView* alert = driver.visibleAlert();
    ASSERT_TRUE(alert);
    EXPECT_LE(bottomOf(alert), 480);
    snapshot("logoff-refused");
}
