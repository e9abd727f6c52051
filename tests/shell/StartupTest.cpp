#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/session/ShellFixture.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/Window.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/RWDZ/RWDZGuideViewController.h"
#include "shell/RWDZ/RWDZTabBarController.h"
#include "shell/RWDZ/RWDZWelcomeViewController.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYDirectoryUrlHelper.h"
#include "shell/VKJYHangQingUrlHelper.h"
#include "shell/VKJYMainViewController.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"
#include "shell/VKJYStartupAnalytics.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYWelcomeViewController.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeModule.h"

namespace {
bool alertShowing(ScreenDriver& driver, const std::string& title) {
    AlertView* alert = driver.visibleAlert();
    return alert && alert->title() == title;
}
}  // namespace

TEST_F(ShellTest, shouldStartAgainstTheSimulatorUntilTheTabBarShows) {
    setGuideShown();
    launch();
    ASSERT_NE(driver.viewWithText(VKJYWelcomeViewController::kLoadingText), nullptr);
    ASSERT_TRUE(runUntilTabBar());
    std::vector<std::string> titles;
    for (const auto& item : delegate->tabBarHelper().tabBarController()->tabBar()->items()) {
        titles.push_back(item.title);
        EXPECT_FALSE(item.image.isEmpty()) << item.title;
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"行情", "交易", "社区", "服务"}));
    EXPECT_NE(driver.viewWithText("行情列表正在准备中"), nullptr);
    EXPECT_EQ(delegate->directoryUrlHelper().availableUrl(), sim.directoryUrls()[0]);
    const auto& ywsys = *delegate->directoryServerModel()->ywsys();
    EXPECT_EQ(ywsys.allJysCodeWithEnvAndLL(), (std::vector<std::string>{"01", "02"}));
    auto lines = delegate->hqDataClass()->linesForServer(0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "http://127.0.0.1:1/quote");
    EXPECT_EQ(lines[1], sim.quoteLineUrls(0)[0]);
    EXPECT_EQ(delegate->hqDataClass()->linesForServer(1), sim.quoteLineUrls(1));
    EXPECT_EQ(delegate->normalAppPropertyModel().iOSPlatform(), "1");
    EXPECT_EQ(delegate->normalAppPropertyModel().cuoHeCodeArray(),
              (std::vector<std::string>{"NI", "XAG"}));
    EXPECT_EQ(delegate->userManageUrl(), sim.directoryUrls()[0].substr(0, 22) + "/user");
    EXPECT_TRUE(delegate->tradeModuleStarted());
    EXPECT_TRUE(PXTradeModule::hasShared());
    EXPECT_TRUE(UserDefaults::standardUserDefaults().contains("RefreshTrade"));
    EXPECT_TRUE(std::filesystem::exists(delegate->accountInfoFilePath()));
    EXPECT_FALSE(delegate->tradeLogin());
    EXPECT_TRUE(app.isIdleTimerDisabled());
    EXPECT_EQ(delegate->accountInfoFilePath(), home.path() + "/Library/AccountsMessage.plist");
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("tabbar")));
}

TEST_F(ShellTest, shouldSelectTabsThroughTheTabBarHelper) {
    setGuideShown();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    VKJYTabBarHelper& tabs = delegate->tabBarHelper();
    EXPECT_FALSE(tabs.hasSelectedTradeTab());
    TabBar* bar = tabs.tabBarController()->tabBar();
    const Rect trade = bar->itemFrame(1);
    driver.tapAt(
        bar->convertPointToWindow({trade.x + trade.width / 2, trade.y + trade.height / 2}));
    EXPECT_TRUE(tabs.hasSelectedTradeTab());
    tabs.selectHangQingTab();
    EXPECT_EQ(tabs.tabBarController()->selectedIndex(), 0);
    tabs.selectTradeTab();
    EXPECT_EQ(tabs.selectedViewController(), tabs.tabBarController()->viewControllers()[1]);
}

TEST_F(ShellTest, shouldFailOverFromTheFirstDirectoryUrlToTheSecond) {
    setGuideShown();
    sim.directory().line(0).refuse();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    EXPECT_EQ(delegate->directoryUrlHelper().availableUrl(), sim.directoryUrls()[1]);
}

TEST_F(ShellTest, shouldFailOverWhenTheDirectoryAnswersACodeOtherThanZero) {
    setGuideShown();
    sim.directory().answerCodeNext(1, "9");
    launch();
    ASSERT_TRUE(runUntilTabBar());
    EXPECT_EQ(delegate->directoryUrlHelper().availableUrl(), sim.directoryUrls()[1]);
    EXPECT_EQ(sim.directory().requestCount(), 4);
}

TEST_F(ShellTest, shouldOfferRetryWhenBothUrlsFailAndStartAgainFromTheFirst) {
    setGuideShown();
    sim.directory().line(0).refuse();
    sim.directory().line(1).refuse();
    launch();
    ASSERT_TRUE(driver.runUntil([&] { return alertShowing(driver, "获取失败"); }, 10));
    EXPECT_NE(driver.viewWithText("退出"), nullptr);
    EXPECT_FALSE(tabBarVisible());
    ASSERT_TRUE(sim.directory().line(0).resume());
    ASSERT_TRUE(sim.directory().line(1).resume());
    ASSERT_TRUE(driver.tapAlertButton("重试"));
    ASSERT_TRUE(runUntilTabBar());
    EXPECT_EQ(delegate->directoryUrlHelper().availableUrl(), sim.directoryUrls()[0]);
    EXPECT_EQ(terminatedWith, -1);
}

TEST_F(ShellTest, shouldOfferRetryWhenALaterDirectoryRequestFailsEverywhere) {
    setGuideShown();
    launch();
    // The directory itself succeeds on URL 1; the app-key request then fails on both URLs.
    ASSERT_TRUE(driver.runUntil([&] { return delegate->directoryServerModel() != nullptr; }, 10));
    sim.directory().failNext(2);
    ASSERT_TRUE(driver.runUntil([&] { return alertShowing(driver, "获取失败"); }, 10));
    ASSERT_TRUE(driver.tapAlertButton("重试"));
    ASSERT_TRUE(runUntilTabBar());
}

TEST_F(ShellTest, shouldEndTheProcessWhenQuitIsTapped) {
    sim.directory().failNext(2);
    launch();
    ASSERT_TRUE(driver.runUntil([&] { return alertShowing(driver, "获取失败"); }, 10));
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("welcome-failed")));
    ASSERT_TRUE(driver.tapAlertButton("退出"));
    EXPECT_EQ(terminatedWith, 0);
}

TEST_F(ShellTest, shouldShowTheGuideOnFirstLaunchAndTheTabBarWhenItCloses) {
    int guidePosts = 0;
    NotificationCenter::defaultCenter().addObserver(
        this, "guide", nullptr,
        [&](const std::string&, const void*, const PropertyList&) { ++guidePosts; });
    launch();
    ASSERT_TRUE(
        driver.runUntil([&] { return !driver.viewsWithText("实时行情 随时掌握").empty(); }, 10));
    EXPECT_FALSE(tabBarVisible());
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("guide")));
    // Two swipes to the last page, where the start button is.
    for (int page = 0; page < 2; ++page) {
        driver.drag({280, 300}, {40, 300});
        driver.settle();
    }
    ASSERT_TRUE(driver.isVisible(driver.viewWithText("立即体验")));
    ASSERT_TRUE(driver.tapText("立即体验"));
    ASSERT_TRUE(runUntilTabBar());
    EXPECT_TRUE(UserDefaults::standardUserDefaults().boolForKey("hasShowGuidePage"));
    EXPECT_EQ(guidePosts, 1);
    NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(ShellTest, shouldGoStraightToTheTabBarOnceTheGuideWasShown) {
    setGuideShown();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    EXPECT_TRUE(driver.viewsWithText("立即体验").empty());
}

TEST_F(ShellTest, shouldShowTheWelcomeScreenWhileTheDirectoryIsAsked) {
    sim.directory().line(0).setDelayMs(3000);
    launch();
    driver.settle();
    EXPECT_NE(driver.viewWithText("澜石金银"), nullptr);
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("welcome")));
}

TEST_F(ShellTest, shouldPostWidescreenWhenComingBackToTheForeground) {
    setGuideShown();
    launch();
    int posts = 0;
    NotificationCenter::defaultCenter().addObserver(
        this, "widescreen", nullptr,
        [&](const std::string&, const void* object, const PropertyList& userInfo) {
            EXPECT_EQ(object, nullptr);
            EXPECT_TRUE(userInfo.isNull());
            ++posts;
        });
    app.becomeActive();
    EXPECT_EQ(posts, 0);
    app.resignActive();
    app.becomeActive();
    EXPECT_EQ(posts, 1);
    NotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(ShellTest, shouldHandTheTradingSideTheDirectoryThroughItsHost) {
    setGuideShown();
    launch();
    ASSERT_TRUE(runUntilTabBar());
    PXTradeHost& host = PXTradeModule::shared().host();
    EXPECT_EQ(host.allEnvCodeWithLL("01"), (std::vector<std::string>{"01", "02"}));
    auto lines = host.llArray("01", "02", "3");
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[1].code, "32");
    EXPECT_FALSE(host.llArray("01", "09", "1"));
    EXPECT_EQ(host.directoryAvailableUrl(), sim.directoryUrls()[0]);
    EXPECT_NE(host.serviceFirstZuLLUrl("2").find("/sms"), std::string::npos);
    host.saveTokenB("token-b");
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("TKNB"), "token-b");
    host.selectTradeTab();
    EXPECT_TRUE(host.hasSelectedTradeTab());
    int tapped = -1;
    host.showAlert({"提示", "您的当前登录状态已失效,请重新登录!", {"重新登录", "取消"}, 3},
                   [&](int index) { tapped = index; });
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_EQ(tapped, 1);
}

TEST_F(ShellTest, shouldStartTheRWDZVariantWithItsOwnScreens) {
    launch("RWDZ");
    auto* root = dynamic_cast<VKJYMainViewController*>(delegate->window()->rootViewController());
    ASSERT_NE(root, nullptr);
    EXPECT_NE(dynamic_cast<RWDZWelcomeViewController*>(root->currentScreen()), nullptr);
    ASSERT_TRUE(driver.runUntil(
        [&] { return dynamic_cast<RWDZGuideViewController*>(root->currentScreen()) != nullptr; },
        10));
    driver.settle();
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("rwdz-guide")));
    root->showTabBar();
    ASSERT_TRUE(runUntilTabBar());
    EXPECT_NE(dynamic_cast<RWDZTabBarController*>(root->currentScreen()), nullptr);
    TabBar* bar = delegate->tabBarHelper().tabBarController()->tabBar();
    const Rect service = bar->itemFrame(3);
    driver.tapAt(bar->convertPointToWindow({service.x + service.width / 2, service.y + 20}));
    driver.settle();
    EXPECT_NE(driver.viewWithText("当前版本"), nullptr);
    EXPECT_NE(driver.viewWithText("2.3.0"), nullptr);
    EXPECT_NE(driver.viewWithText(delegate->userManageUrl()), nullptr);
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("rwdz-service")));
}

namespace {
struct RecordingAnalytics : VKJYStartupAnalytics {
    std::vector<std::string> calls;
    void setAppVersion(const std::string& version) override {
        calls.push_back("version " + version);
    }
    void startWithAppkey(const std::string& appKey, int reportPolicy,
                         const std::string& channelId) override {
        calls.push_back("start " + appKey + " " + std::to_string(reportPolicy) + " " + channelId);
    }
    void checkUpdate(const std::string& title, const std::string& cancelButtonTitle,
                     const std::string& otherButtonTitle) override {
        calls.push_back("update " + title + " " + cancelButtonTitle + " " + otherButtonTitle);
    }
};
}  // namespace

TEST_F(ShellTest, shouldStartAnalyticsAndAskForTheUpdateCheckWhenMade) {
    launch();  // writes the test's Info.plist
    auto analytics = std::make_shared<RecordingAnalytics>();
    VKJYAppDelegate other(analytics);
    EXPECT_EQ(analytics->calls,
              (std::vector<std::string>{"version 2.3.0", "start 5f2c9a7e01d34b8c 1 vkjy-sim",
                                        "update 澜石金银 忽略 更新"}));
}

TEST_F(ShellTest, shouldDeleteExpiredLogsWhenLaunching) {
    const std::string logs = home.path() + "/Documents/Logs";
    std::filesystem::create_directories(logs);
    std::ofstream(logs + "/2000-01-01JYLog.txt") << "old";
    launch();
    EXPECT_FALSE(std::filesystem::exists(logs + "/2000-01-01JYLog.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(logs));
}
