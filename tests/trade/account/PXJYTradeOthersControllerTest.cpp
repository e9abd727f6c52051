#include <gtest/gtest.h>

#include "AccountScreenTest.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/account/PXJYChangeLinkVC.h"
#include "trade/account/PXJYChangeThePasswordVC.h"
#include "trade/account/PXJYCurrentStatusVC.h"
#include "trade/account/PXJYSetUpVC.h"
#include "trade/account/PXJYTradeOthersController.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {
class MoreMenuTest : public AccountScreenTest {
protected:
    PXJYTradeOthersController* openMenu() {
        return open<PXJYTradeOthersController>("PXJYTradeOthersController");
    }
};
}  // namespace

TEST_F(MoreMenuTest, shouldOpenEachEntryAndComeBackToTheMenu) {
    PXJYTradeOthersController* menu = openMenu();
    ASSERT_TRUE(menu);
    snapshot("more-menu");
    struct Entry {
        const char* row;
        std::function<bool(ViewController*)> isScreen;
    };
    const Entry entries[] = {
        {"    设置", [](ViewController* c) { return dynamic_cast<PXJYSetUpVC*>(c) != nullptr; }},
        {"    切换链路",
         [](ViewController* c) { return dynamic_cast<PXJYChangeLinkVC*>(c) != nullptr; }},
        {"    当前状态",
         [](ViewController* c) { return dynamic_cast<PXJYCurrentStatusVC*>(c) != nullptr; }},
    };
    for (const Entry& entry : entries) {
        ASSERT_TRUE(driver.tapText(entry.row)) << entry.row;
        driver.settle();
        EXPECT_TRUE(entry.isScreen(topScreen())) << entry.row;
        ASSERT_TRUE(driver.tap(driver.viewsOfClass<VKJYNavigationBarView>().back()->backButton()));
        driver.settle();
        EXPECT_EQ(topScreen(), menu) << entry.row;
    }

    // The password panel slides in over the rows and out again.
    View* panel = menu->modifyTradePasswordVC()->view();
    EXPECT_EQ(panel->frame().x, 320);
    ASSERT_TRUE(driver.tapText("    修改密码"));
    driver.settle();
    EXPECT_EQ(panel->frame().x, 0);
    EXPECT_FALSE(driver.tapText("    设置")) << "the panel covers the rows";
    snapshot("password-panel");
    ASSERT_TRUE(driver.tap(driver.viewsOfClass<VKJYNavigationBarView>().back()->backButton()));
    driver.settle();
    EXPECT_EQ(panel->frame().x, 320);
    EXPECT_TRUE(driver.viewWithText("    设置"));
    EXPECT_TRUE(received("logoff").empty());
}

TEST_F(MoreMenuTest, shouldLogOffAfterConfirmingAndShowTheTradeRoot) {
    PXJYTradeOthersController* menu = openMenu();
    ASSERT_TRUE(menu);
    ASSERT_TRUE(driver.tapText("    退出登录"));
    EXPECT_EQ(alertMessage(), "确定要退出登录吗？");
    snapshot("logout-confirmation");
    answerAlert("取消");
    EXPECT_TRUE(received("logoff").empty());
    EXPECT_TRUE(tradeModule().tradeLogin());

    ASSERT_TRUE(driver.tapText("    退出登录"));
    answerAlert("退出登录");
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "注销成功");
    ASSERT_EQ(received("logoff").size(), 1u);
    EXPECT_EQ(reqValue(received("logoff")[0], "USER_ID"), loggedIn.account);
    EXPECT_FALSE(tradeModule().tradeLogin());
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u);
}

// A logoff the server refuses still logs out here and says why, as does one that left and got no
// answer (it may have ended the session): told once. One that never reached the server keeps the
// session, and the user may try again.
TEST_F(MoreMenuTest, shouldLogOutOnARefusalWithTheServersWordAndStayWhenTheLineIsDown) {
    enum Fault { LineDown, Refused, AnswerLost };
    struct Case {
        const char* what;
        Fault fault;
        const char* message;
        bool loggedIn;  // and the menu stays; else the trade tab shows its root
    };
    const Case cases[] = {
        {"the line is down", LineDown, "请求网络失败", true},
        {"the server refuses", Refused, "模拟错误", false},
        {"the answer is lost", AnswerLost, "请求网络失败", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!tradeModule().tradeLogin()) {
            ASSERT_TRUE(logIn(loggedIn));
        }
        ASSERT_TRUE(openMenu());
        const size_t screens = tradeNavigation()->viewControllers().size();
        if (c.fault == LineDown) {
            line(0).refuse();
            line(1).refuse();
        } else if (c.fault == Refused) {
            tradeServer().answerCodeNext(-3, "logoff");
        } else {
            tradeServer().dropReplies("logoff");
        }
        ASSERT_TRUE(driver.tapText("    退出登录"));
        answerAlert("退出登录");
        ASSERT_TRUE(waitForAlert());
        EXPECT_EQ(alertMessage(), c.message);
        EXPECT_EQ(tradeModule().tradeLogin(), c.loggedIn);
        EXPECT_EQ(tradeNavigation()->viewControllers().size(), c.loggedIn ? screens : 1u);
        if (c.fault == Refused) {
            snapshot("logoff-refused");
        }
        answerAlert("确定");
        driver.settle();
        EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
        line(0).resume();
        line(1).resume();
        tradeServer().releaseReplies("logoff");
    }
}
