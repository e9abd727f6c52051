#include <gtest/gtest.h>

#include <functional>

#include "AccountScreenTest.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/TableView.h"
#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"

// A confirmation left open on a trading screen when the trade tab is popped under it (the idle
// log-out, or the re-login the session-lost dialog offers) goes with its screen: no button of it
// is left to tap into the destroyed screen, and nothing more is sent for it.
namespace {

class AlertsLeaveTest;
using Raise = std::function<void(AlertsLeaveTest&)>;
using Pop = std::function<void(AlertsLeaveTest&)>;

struct Confirmation {
    const char* screen;
    Raise raise;
    const char* message;
    const char* confirm;
};

struct TabPop {
    const char* name;
    Pop pop;
};

class AlertsLeaveTest : public AccountScreenTest,
                        public ::testing::WithParamInterface<std::tuple<Confirmation, TabPop>> {
public:
    void openMoreMenuLogout() {
        ASSERT_TRUE(openByName("PXJYTradeOthersController"));
        ASSERT_TRUE(driver.tapText("    退出登录"));
    }
    void openAccountSwitch() {
        const std::string path = delegate->accountInfoFilePath();
        auto file = *PropertyList::readFile(path);
        file.find("01")->find("01")->set("100000000000002", "0");
        ASSERT_TRUE(file.writeFile(path));
        auto* screen = open<PXJYAccountInfoViewController>("PXJYAccountInfoViewController");
        ASSERT_TRUE(screen);
        ASSERT_TRUE(driver.tapRow(*screen->tableView(), IndexPath{0, 1}));
    }
    void idleLogOut() {
        Timer* idle = tradeModule().PXJYTimerManger().timeoutTimer();
        ASSERT_TRUE(idle) << "a touch arms the idle timer";
        idle->fire();
        ASSERT_TRUE(waitForAlert());
        ASSERT_EQ(alertMessage(), "您长时间未操作,已自动退出交易系统!");
        answerAlert("确定");
    }
    void sessionLostReLogin() {
        ASSERT_TRUE(tradeServer().ledger().expireSessions(loggedIn.account));
        ASSERT_TRUE(driver.runUntil(
            [&] {
                AlertView* alert = driver.visibleAlert();
                return alert && alert->buttonTitleAtIndex(0) == "重新登录";
            },
            10));
        answerAlert("重新登录");
    }
    bool confirmationShown(const std::string& message) {
        return driver.viewWithText(message) != nullptr;
    }
};

TEST_P(AlertsLeaveTest, shouldTakeTheScreensConfirmationAwayWhenTheTradeTabIsPopped) {
    const auto& [confirmation, tabPop] = GetParam();
    confirmation.raise(*this);
    ASSERT_EQ(alertMessage(), confirmation.message);
    WeakLink<ViewController> raisedBy(topScreen());
    ASSERT_TRUE(raisedBy);
    tradeServer().clearReceived();

    tabPop.pop(*this);
    driver.settle();
    EXPECT_FALSE(raisedBy) << "the trade tab kept the screen";
    EXPECT_FALSE(confirmationShown(confirmation.message));
    EXPECT_FALSE(driver.tapAlertButton(confirmation.confirm));
    driver.settle();
    EXPECT_LE(received("logoff").size(), 1u) << "only the pop itself may log off";
}

const Confirmation kConfirmations[] = {
    {"more menu", &AlertsLeaveTest::openMoreMenuLogout, "确定要退出登录吗？", "退出登录"},
    {"account screen", &AlertsLeaveTest::openAccountSwitch,
     "查看非登录账号信息需先切换账户，确认切换账户？", "确定"},
};

const TabPop kTabPops[] = {
    {"idleLogOut", &AlertsLeaveTest::idleLogOut},
    {"sessionLostReLogin", &AlertsLeaveTest::sessionLostReLogin},
};

INSTANTIATE_TEST_SUITE_P(Screens, AlertsLeaveTest,
                         ::testing::Combine(::testing::ValuesIn(kConfirmations),
                                            ::testing::ValuesIn(kTabPops)),
                         [](const auto& info) {
                             std::string name = std::string(std::get<0>(info.param).screen) + "_" +
                                                std::get<1>(info.param).name;
                             for (char& c : name) {
                                 c = c == ' ' ? '_' : c;
                             }
                             return name;
                         });

}  // namespace
