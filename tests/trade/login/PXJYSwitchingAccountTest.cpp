#include <gtest/gtest.h>

#include <functional>

#include "TradeLoginScreenTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "sim/core/SimHttpLine.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYLoginForm.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSimpleLoginVCDelegate.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYSwitchingAccountViewDelegate.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/login/PXJYTradeLoginVCDelegate.h"
#include "trade/login/PXTradeHomeView.h"

namespace {
constexpr const char* kFirst = "100000000000001";
constexpr const char* kSecond = "100000000000002";
constexpr const char* kPassword = "111111";

// An order screen as the later folders build them: the switcher at its top, the login screens
// pushed when it asks, their answers handed back to it.
class SwitcherHostScreen : public ViewController,
                           public PXJYSwitchingAccountViewDelegate,
                           public PXJYTradeLoginVCDelegate,
                           public PXJYSimpleLoginVCDelegate {
public:
    PXJYSwitchingAccountView* switcher = nullptr;

    void loadView() override {
        auto root = std::make_shared<View>(Rect(0, 0, 320, 568));
        root->setBackgroundColor(Color::rgb(41, 41, 51));
        auto panel = std::make_unique<PXJYSwitchingAccountView>();
        const Rect bar(0, 64, 320, PXJYSwitchingAccountView::kClosedHeight);
        panel->setFrame(bar);
        panel->initSwitchingAccountView(bar);
        panel->setDelegate(this);
        switcher = root->addSubview(std::move(panel));
        setView(root);
    }
    void PXPushLoginVC() override {
        auto login = std::make_unique<PXJYTradeLoginVC>();
        login->setDelegate(this);
        login->pauseTimersWhileShown();
        navigationController()->pushViewController(std::move(login), true);
    }
    void PXPushSimpleLoginVC(const PXJYSavedAccount& account) override {
        auto screen = std::make_unique<PXJYSimpleLoginVC>();
        screen->setDelegate(this);
        screen->setSelectedAccount(account);
        screen->pauseTimersWhileShown();
        navigationController()->pushViewController(std::move(screen), true);
    }
    void PXJYLoginSuccess() override { switcher->LoginSuccess(); }
    void PXJYSimpleLoginSuccess() override { switcher->simpleLoginSuccess(); }
};
}  // namespace

class PXJYSwitchingAccountTest : public TradeLoginScreenTest {
protected:
    // The first account logged in through the fixture, the second saved beside it.
    bool logInWithTwoSavedAccounts() {
        if (!launchAndLogIn({kFirst, kPassword, "01", "01"})) {
            return false;
        }
        return PXJYSavedAccounts(delegate->accountInfoFilePath()).addAccount({"01", "01", kSecond});
    }
    bool timersRunning() {
        PXTradeTimerManger& timers = tradeModule().PXJYTimerManger();
        return timers.heartTimer() && timers.JY_Timer();
    }
    // Fills the switch screen, taps "登录" and confirms.
    void switchOn(PXJYSimpleLoginVC* screen, const std::string& password) {
        ASSERT_TRUE(driver.runUntil([&] {
            return !screen->captchaButton()->isLoading() &&
                   !screen->captchaButton()->validString().empty();
        }));
        typeText(screen->passwordTextField(), password);
        typeOnKeypad(screen->captchaTextField(), captchaOnDisplay(screen->captchaButton()));
        ASSERT_TRUE(driver.pressKey("完成"));
        ASSERT_TRUE(driver.tapText("登录"));
    }
    // Logs the first account in and opens the switch screen of the second from the home.
    PXJYSimpleLoginVC* openSwitchToSecond() {
        auto* root = logInWithTwoSavedAccounts() ? top<PXJYRootViewController>() : nullptr;
        if (!root) {
            return nullptr;
        }
        root->tradeHomeView()->headerButtonClick(1);
        PXJYSimpleLoginVC* screen = nullptr;
        driver.runUntil([&] { return (screen = top<PXJYSimpleLoginVC>()) != nullptr; });
        return screen;
    }
    int countOf(const std::string& name) {
        const auto names = receivedNames();
        return static_cast<int>(std::count(names.begin(), names.end(), name));
    }
    // A switch to the second account whose logon fails while the first's logoff is held.
    void failASwitchWhileTheLogoffIsHeld(PXJYSimpleLoginVC*& screen) {
        screen = openSwitchToSecond();
        ASSERT_TRUE(screen);
        tradeServer().holdReplies("logoff");
        switchOn(screen, "999999");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(driver.runUntil([&] { return alertTexts().rfind("登录失败", 0) == 0; }, 10))
            << alertTexts();
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        // The logoff and the logon travel side by side: the logon's failure can come first.
        ASSERT_TRUE(driver.runUntil([&] { return countOf("logoff") == 1; }, 10));
    }
};

TEST_F(PXJYSwitchingAccountTest, shouldSwitchToTheSecondSavedAccountAndBackFromTheHome) {
    ASSERT_TRUE(logInWithTwoSavedAccounts());
    auto* root = top<PXJYRootViewController>();
    ASSERT_TRUE(root);
    PXTradeHomeView* home = root->tradeHomeView();
    ASSERT_EQ(home->allAccountArray().size(), 2u);
    EXPECT_EQ(home->chiCangListView()->rectForHeader(0).height, 55);
    EXPECT_EQ(home->chiCangListView()->rectForHeader(1).height, 30);
    EXPECT_EQ(home->chiCangListView()->numberOfRows(1), 0);
    const std::string held = tradeModule().PXJYData().chiCangHuiZongXinXi().at(0)->commodityCode;

    for (const auto& [account, section] : {std::pair{kSecond, 1}, std::pair{kFirst, 0}}) {
        if (section == 0) {
            // Another device of the second account buys: a holding row to leave open.
            tradeServer().ledger().handle(
                SimTradeLink::Trade, "order_s",
                {{"USER_ID", kSecond},
                 {"SESSION_ID", tradeModule().PXJYData().tradeSession()->JYsessionID},
                 {"COMMODITY_ID", held},
                 {"BUY_SELL", "1"},
                 {"QTY", "1"},
                 {"SETTLE_BASIS", "1"}});
            ASSERT_TRUE(
                driver.runUntil([&] { return home->chiCangListView()->numberOfRows(1) > 2; }));
            ASSERT_TRUE(driver.tapRow(*home->chiCangListView(), {1, 2}));
            ASSERT_TRUE(home->selectedCellIndexPath());
        }
        home->headerButtonClick(section);
        EXPECT_FALSE(timersRunning());
        PXJYSimpleLoginVC* screen = nullptr;
        ASSERT_TRUE(
            driver.runUntil([&] { return (screen = top<PXJYSimpleLoginVC>()) != nullptr; }));
        EXPECT_EQ(screen->userNameTextField()->text(),
                  PXJYLoginForm::stringByReplacingOccurrencesOfSpace(account));
        if (section == 1) {
            snapshot("switch-screen");
        }
        const int logoffs = countOf("logoff");
        switchOn(screen, kPassword);
        EXPECT_EQ(alertTexts(), "提示|切换账号将会注销已登录账号!");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(runUntilHome()) << alertTexts();
        EXPECT_TRUE(driver.runUntil([&] { return countOf("logoff") == logoffs + 1; }, 10));
        EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("JYUserName"), account);
        EXPECT_EQ(home->loggedInSection(), section);
        EXPECT_FALSE(home->selectedCellIndexPath()) << "a switch closes the open row";
        EXPECT_TRUE(timersRunning());
    }
}

TEST_F(PXJYSwitchingAccountTest, shouldKeepTheFirstAccountLoggedInWhenTheSwitchHasABadPassword) {
    PXJYSimpleLoginVC* screen = openSwitchToSecond();
    ASSERT_TRUE(screen);
    switchOn(screen, "123");
    EXPECT_EQ(alertTexts(), "提示|密码的长度不能小于6位");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_EQ(countOf("logoff"), 0);
    EXPECT_TRUE(tradeModule().tradeLogin());

    // Declining the confirmation changes nothing either.
    screen->passwordTextField()->setText(kPassword);
    ASSERT_TRUE(driver.tapText("登录"));
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_EQ(countOf("logoff"), 0);

    ASSERT_TRUE(driver.tapText("取消"));
    ASSERT_TRUE(driver.runUntil([&] { return top<PXJYRootViewController>() != nullptr; }));
    EXPECT_TRUE(tradeModule().tradeLogin());
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("JYUserName"), kFirst);
    EXPECT_EQ(top<PXJYRootViewController>()->tradeHomeView()->loggedInSection(), 0);
    EXPECT_TRUE(timersRunning());
}

TEST_F(PXJYSwitchingAccountTest, shouldSwitchFromThePanelOfAnOrderScreen) {
    ASSERT_TRUE(logInWithTwoSavedAccounts());
    auto* host = pushOnTradeTab(std::make_unique<SwitcherHostScreen>());
    ASSERT_TRUE(host);
    PXJYSwitchingAccountView* panel = host->switcher;
    EXPECT_EQ(driver.textOf(panel->zhangHu()), kFirst);
    EXPECT_EQ(driver.textOf(panel->panFu()), "实盘");
    ASSERT_TRUE(driver.tap(panel->accountButton()));
    EXPECT_EQ(panel->frame().height, PXJYSwitchingAccountView::kOpenHeight);
    EXPECT_TRUE(driver.viewWithText("已登录"));
    EXPECT_TRUE(driver.viewWithText("添加账号"));
    snapshot("switch-panel");

    // The account in use only restarts the timers.
    ASSERT_TRUE(driver.tapRow(*panel->environmentListView(), {0, 0}));
    EXPECT_EQ(top<SwitcherHostScreen>(), host);
    EXPECT_TRUE(timersRunning());

    ASSERT_TRUE(driver.tap(panel->accountButton()));
    ASSERT_TRUE(driver.tapRow(*panel->environmentListView(), {0, 1}));
    EXPECT_FALSE(timersRunning());
    PXJYSimpleLoginVC* screen = nullptr;
    ASSERT_TRUE(driver.runUntil([&] { return (screen = top<PXJYSimpleLoginVC>()) != nullptr; }));
    switchOn(screen, kPassword);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil(
        [&] { return top<SwitcherHostScreen>() && tradeModule().tradeLogin(); }, 10));
    EXPECT_EQ(driver.textOf(panel->zhangHu()), kSecond);
    EXPECT_TRUE(timersRunning());

    // "添加账号" pushes the full login screen; backing out restarts the timers.
    ASSERT_TRUE(driver.tap(panel->accountButton()));
    ASSERT_TRUE(driver.tapText("添加账号"));
    EXPECT_FALSE(timersRunning());
    PXJYTradeLoginVC* login = nullptr;
    ASSERT_TRUE(driver.runUntil([&] { return (login = top<PXJYTradeLoginVC>()) != nullptr; }));
    ASSERT_TRUE(driver.runUntil([&] { return loginScreenReady(login); }));
    ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return top<SwitcherHostScreen>() != nullptr; }));
    EXPECT_TRUE(timersRunning());
}

TEST_F(PXJYSwitchingAccountTest, shouldKeepTheSavedUserNameWhenAnAddedAccountFailsToLogIn) {
    ASSERT_TRUE(logInWithTwoSavedAccounts());
    auto* host = pushOnTradeTab(std::make_unique<SwitcherHostScreen>());
    ASSERT_TRUE(host);
    ASSERT_TRUE(driver.tap(host->switcher->accountButton()));
    ASSERT_TRUE(driver.tapText("添加账号"));
    PXJYTradeLoginVC* login = nullptr;
    ASSERT_TRUE(driver.runUntil(
        [&] { return (login = top<PXJYTradeLoginVC>()) && loginScreenReady(login); }));
    logInOnScreen(login, "100000000000003", "999999");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }));
    EXPECT_EQ(driver.visibleAlert()->title(), "登录失败");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("JYUserName"), kFirst);
}

// The old account's logoff is still on its way when the failed switch is cancelled: the old
// session is over all the same, so the tab shows the login screen rather than a home the
// logoff's answer would empty a moment later; that answer then ends nothing of the next login.
TEST_F(PXJYSwitchingAccountTest,
       shouldShowTheLoginScreenWhenAFailedSwitchIsCancelledBeforeTheLogoffAnswers) {
    PXJYSimpleLoginVC* screen = nullptr;
    ASSERT_NO_FATAL_FAILURE(failASwitchWhileTheLogoffIsHeld(screen));
    ASSERT_TRUE(driver.tapText("取消"));

    PXJYTradeLoginVC* login = nullptr;
    EXPECT_TRUE(driver.runUntil(
        [&] { return (login = top<PXJYTradeLoginVC>()) && loginScreenReady(login); }, 10))
        << "the home of the account being logged off came back";
    EXPECT_FALSE(tradeModule().tradeLogin());
    ASSERT_TRUE(login);

    logInOnScreen(login, kFirst, kPassword);
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    tradeServer().releaseReplies("logoff");
    ASSERT_TRUE(driver.runUntil([&] { return tradeServer().requestCount("logoff") == 1; }));
    EXPECT_FALSE(driver.runFor(1.5, [&] { return !tradeModule().tradeLogin(); }))
        << "the old session's logoff ended the new login";
    EXPECT_TRUE(timersRunning());
    EXPECT_EQ(top<PXJYRootViewController>()->tradeHomeView()->loggedInSection(), 0);
}

// The logon fails while the old account's logoff is still on its way: the next confirmation
// logs the old session off again, or that session would stay open were the first logoff lost.
TEST_F(PXJYSwitchingAccountTest, shouldLogTheOldSessionOffAgainWhileItsFirstLogoffTravels) {
    PXJYSimpleLoginVC* screen = nullptr;
    ASSERT_NO_FATAL_FAILURE(failASwitchWhileTheLogoffIsHeld(screen));

    switchOn(screen, kPassword);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(driver.runUntil([&] { return countOf("logoff") == 2; }, 10));
    tradeServer().releaseReplies("logoff");
    ASSERT_TRUE(driver.runUntil([&] { return top<PXJYRootViewController>() != nullptr; }, 10))
        << alertTexts();
    EXPECT_TRUE(tradeModule().tradeLogin());
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("JYUserName"), kSecond);
}

// The old account's logoff is lost on the way (its line down) and the logon fails: the old
// session goes on, so the next confirmed switch logs it off again before the logon.
TEST_F(PXJYSwitchingAccountTest, shouldLogTheOldSessionOffAgainAfterItsLogoffWasLost) {
    const PXJYSavedAccount demo{"01", "02", "200000000000001"};
    ASSERT_TRUE(launchAndLogIn({kFirst, kPassword, "01", "01"}));
    ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath()).addAccount(demo));
    auto* root = top<PXJYRootViewController>();
    ASSERT_TRUE(root);
    root->tradeHomeView()->headerButtonClick(1);
    PXJYSimpleLoginVC* screen = nullptr;
    ASSERT_TRUE(driver.runUntil([&] { return (screen = top<PXJYSimpleLoginVC>()) != nullptr; }));
    SimTradeServer& old = tradeServer("01", "01");
    SimTradeServer& next = tradeServer("01", "02");
    for (size_t i = 0; i < old.lineCount(); ++i) {
        old.line(i).refuse();
    }
    next.holdReplies("logon");
    const auto confirm = [&](const std::string& password) {
        typeText(screen->passwordTextField(), password);
        ASSERT_TRUE(driver.tapText("登录"));
        ASSERT_TRUE(driver.tapAlertButton("确定"));
    };
    confirm("999999");
    ASSERT_TRUE(driver.runUntil(
        [&] {
            const auto names = receivedNames("01", "02");
            return tradeModule().tradeLogin() && std::count(names.begin(), names.end(), "logon");
        },
        10))
        << "the lost logoff did not hand the session back";
    next.releaseReplies("logon");
    ASSERT_TRUE(driver.runUntil([&] { return alertTexts().rfind("登录失败", 0) == 0; }, 10))
        << alertTexts();
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(tradeModule().tradeLogin());
    for (size_t i = 0; i < old.lineCount(); ++i) {
        ASSERT_TRUE(old.line(i).resume());
    }

    confirm(kPassword);
    ASSERT_TRUE(runUntilHome()) << alertTexts();
    EXPECT_TRUE(driver.runUntil([&] { return old.requestCount("logoff") == 1; }, 10));
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("JYUserName"), demo.userName);
}

// However the switch screen is left without a new login (a failed switch cancelled, the idle
// log-out while it shows), the next login on the login screen brings back the heartbeat and the
// price refresh it stopped.
class SwitchLeftTest;

struct SwitchLeftWithoutLogin {
    const char* name;
    std::function<void(SwitchLeftTest&, PXJYSimpleLoginVC*)> leave;
};

class SwitchLeftTest : public PXJYSwitchingAccountTest,
                       public ::testing::WithParamInterface<SwitchLeftWithoutLogin> {
public:
    void failAndCancel(PXJYSimpleLoginVC* screen) {
        switchOn(screen, "999999");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(driver.runUntil([&] { return alertTexts().rfind("登录失败", 0) == 0; }, 10))
            << alertTexts();
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        // The old account's logoff answers on its own time; cancel once it has.
        ASSERT_TRUE(driver.runUntil([&] { return !tradeModule().tradeLogin(); }, 10));
        ASSERT_TRUE(driver.tapText("取消"));
    }
    void idleLogOut(PXJYSimpleLoginVC* screen) {
        ASSERT_TRUE(driver.tap(screen->passwordTextField()));
        Timer* idle = tradeModule().PXJYTimerManger().timeoutTimer();
        ASSERT_TRUE(idle);
        idle->fire();
        ASSERT_EQ(alertTexts(), "提示|您长时间未操作,已自动退出交易系统!");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
    }
    int refreshes = 0;
};

TEST_P(SwitchLeftTest, shouldBeatAndRefreshPricesAfterTheNextLogin) {
    PXJYSimpleLoginVC* screen = openSwitchToSecond();
    ASSERT_TRUE(screen);
    GetParam().leave(*this, screen);
    EXPECT_FALSE(tradeModule().tradeLogin());

    PXJYTradeLoginVC* login = nullptr;
    ASSERT_TRUE(driver.runUntil(
        [&] { return (login = top<PXJYTradeLoginVC>()) && loginScreenReady(login); }, 10));
    logInOnScreen(login, kFirst, kPassword);
    ASSERT_TRUE(runUntilHome()) << alertTexts();

    NotificationCenter::defaultCenter().addObserver(
        this, "JYRefreshTimer", nullptr,
        [this](const std::string&, const void*, const PropertyList&) { ++refreshes; });
    const int beats = countOf("SYS_TIME_QUERY");
    EXPECT_TRUE(driver.runUntil([&] { return countOf("SYS_TIME_QUERY") >= beats + 2; }, 8))
        << "no heartbeat reached the exchange";
    EXPECT_TRUE(driver.runUntil([&] { return refreshes >= 2; }, 8)) << "prices do not refresh";
    NotificationCenter::defaultCenter().removeObserver(this);
}

INSTANTIATE_TEST_SUITE_P(Ways, SwitchLeftTest,
                         ::testing::Values(SwitchLeftWithoutLogin{"failedSwitchCancelled",
                                                                  &SwitchLeftTest::failAndCancel},
                                           SwitchLeftWithoutLogin{"idleLogOutOnTheSwitchScreen",
                                                                  &SwitchLeftTest::idleLogOut}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PXJYSwitchingAccountTest, shouldTakeTheSwitchConfirmationAwayWithTheScreenOnIdleLogOut) {
    PXJYSimpleLoginVC* screen = openSwitchToSecond();
    ASSERT_TRUE(screen);
    switchOn(screen, kPassword);
    ASSERT_EQ(alertTexts(), "提示|切换账号将会注销已登录账号!");
    Timer* idle = tradeModule().PXJYTimerManger().timeoutTimer();
    ASSERT_TRUE(idle);
    idle->fire();
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_EQ(alertTexts(), "");
    EXPECT_FALSE(driver.tapAlertButton("确定"));
    driver.settle();
    ASSERT_TRUE(driver.runUntil([&] { return countOf("logoff") == 1; }, 5));
    EXPECT_FALSE(driver.runFor(1.5, [&] { return countOf("logoff") > 1 || countOf("logon") > 1; }))
        << "the gone screen logged off or on again";
}

// A login screen the panel pushed pauses the heartbeat and the price refresh only while it is on
// show: however it leaves view with the old session going on, they run again.
class SwitcherLeftTest;

struct SwitcherLeft {
    const char* name;
    bool addAccount;
    std::function<void(SwitcherLeftTest&)> leave;
};

class SwitcherLeftTest : public PXJYSwitchingAccountTest,
                         public ::testing::WithParamInterface<SwitcherLeft> {
public:
    void toTheQuoteTabAndBack() {
        delegate->tabBarHelper().selectHangQingTab();
        driver.settle();
        EXPECT_TRUE(timersRunning()) << "paused under another tab";
        delegate->tabBarHelper().selectTradeTab();
        driver.settle();
        EXPECT_FALSE(timersRunning());
        delegate->tabBarHelper().selectHangQingTab();
    }
    void popToRoot() { tradeNavigation()->popToRootViewController(false); }
};

TEST_P(SwitcherLeftTest, shouldRunTheTimersOnceTheLoginScreenLeavesView) {
    ASSERT_TRUE(logInWithTwoSavedAccounts());
    auto* host = pushOnTradeTab(std::make_unique<SwitcherHostScreen>());
    ASSERT_TRUE(host);
    ASSERT_TRUE(driver.tap(host->switcher->accountButton()));
    ASSERT_TRUE(GetParam().addAccount
                    ? driver.tapText("添加账号")
                    : driver.tapRow(*host->switcher->environmentListView(), {0, 1}));
    ASSERT_TRUE(driver.runUntil([&] { return top<SwitcherHostScreen>() == nullptr; }));
    driver.settle();
    EXPECT_FALSE(timersRunning());
    GetParam().leave(*this);
    driver.settle();
    EXPECT_TRUE(tradeModule().tradeLogin());
    EXPECT_TRUE(timersRunning());
}

INSTANTIATE_TEST_SUITE_P(Ways, SwitcherLeftTest,
                         ::testing::Values(SwitcherLeft{"savedAccountAnotherTab", false,
                                                        &SwitcherLeftTest::toTheQuoteTabAndBack},
                                           SwitcherLeft{"addedAccountAnotherTab", true,
                                                        &SwitcherLeftTest::toTheQuoteTabAndBack},
                                           SwitcherLeft{"savedAccountPoppedToRoot", false,
                                                        &SwitcherLeftTest::popToRoot}),
                         [](const auto& info) { return std::string(info.param.name); });
