#include <gtest/gtest.h>

#include "AccountScreenTest.h"
#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/account/PXJYChangeLinkVC.h"
#include "trade/account/PXJYCurrentStatusVC.h"
#include "trade/account/PXJYSetUpVC.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {
class MoreScreensTest : public AccountScreenTest {
protected:
    // The texts of a row of the line table: name, time.
    std::vector<std::string> rowTexts(TableView& table, int row) {
        std::vector<std::string> texts;
        TableViewCell* cell = table.cellForRow(IndexPath{0, row});
        if (!cell) {
            return texts;
        }
        for (View* view : cell->contentView()->subviews().front()->subviews()) {
            if (auto* label = dynamic_cast<Label*>(view)) {
                texts.push_back(label->text());
            }
        }
        return texts;
    }
    bool marked(TableView& table, int row) {
        TableViewCell* cell = table.cellForRow(IndexPath{0, row});
        auto* mark =
            dynamic_cast<ImageView*>(cell->contentView()->subviews().front()->subviews().back());
        return mark && mark->image().name() == "duihao.png";
    }
};

// Records the outcome of one request.
struct Outcome : PXTradeNetworkMangerDelegate {
    std::string kind;
    void requestFailed(PXTradeNetworkManger*, int) override { kind = "requestFailed"; }
    void dataAnalysisFinished(PXTradeNetworkManger*, const PXTradeResult*) override {
        kind = "finished";
    }
    void dataAnalysisFailed(PXTradeNetworkManger*, int) override { kind = "failed"; }
};
}  // namespace

TEST_F(MoreScreensTest, shouldTimeEveryLineAndSendTheNextRequestToTheChosenOne) {
    auto* screen = openFromMenu<PXJYChangeLinkVC>("    切换链路");
    ASSERT_TRUE(screen);
    TableView& table = *screen->tableView();
    ASSERT_EQ(screen->tradeLinkArray().size(), 2u);
    for (int row : {0, 1}) {
        ASSERT_EQ(rowTexts(table, row).size(), 2u);
        EXPECT_EQ(rowTexts(table, row)[1], "") << "no time before a test";
    }
    snapshot("link-switch");

    ASSERT_TRUE(driver.tapText("测速"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    ASSERT_TRUE(driver.runUntil([&] { return !rowTexts(table, 1)[1].empty(); }, 12));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    for (int row : {0, 1}) {
        const std::string time = rowTexts(table, row)[1];
        EXPECT_EQ(time.substr(time.size() - 3), "秒") << time;
        EXPECT_EQ(time.find('.'), time.size() - 6) << "two decimals: " << time;
    }
    snapshot("link-switch-timed");

    // Choose the line not in use, then take the other one down: the next request still works.
    const std::string inUse = tradeModule().PXJYData().tradeLinkType();
    const int other = screen->tradeLinkArray()[0].code == inUse ? 1 : 0;
    EXPECT_TRUE(marked(table, 1 - other));
    ASSERT_TRUE(driver.tapRow(table, IndexPath{0, other}));
    driver.settle();
    EXPECT_EQ(tradeModule().PXJYData().tradeLinkType(), screen->tradeLinkArray()[other].code);
    EXPECT_TRUE(marked(table, other));
    EXPECT_FALSE(marked(table, 1 - other));
    line(static_cast<size_t>(1 - other)).refuse();
    auto outcome = std::make_shared<Outcome>();
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(outcome);
    manager->getAccountInformation();
    ASSERT_TRUE(driver.runUntil([&] { return !outcome->kind.empty(); }, 10));
    EXPECT_EQ(outcome->kind, "finished");
    line(static_cast<size_t>(1 - other)).resume();

    // Opening the screen again shows no times until a new test.
    driver.tap(driver.viewsOfClass<VKJYNavigationBarView>().back()->backButton());
    driver.settle();
    auto* again = openFromMenu<PXJYChangeLinkVC>("    切换链路");
    EXPECT_EQ(rowTexts(*again->tableView(), 0)[1], "");
}

TEST_F(MoreScreensTest, shouldStartNoTestWithoutLines) {
    tradeModule().PXJYPeiZhi().setEnvironmentCODE("99");
    auto* screen = openFromMenu<PXJYChangeLinkVC>("    切换链路");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->tableView()->numberOfRows(0), 0);
    ASSERT_TRUE(driver.tapText("测速"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(alertMessage(), "没有可测速的交易链路");
    tradeModule().PXJYPeiZhi().setEnvironmentCODE(loggedIn.environment);
}

TEST_F(MoreScreensTest, shouldShowTheAccountStateAndAClockTickingBySeconds) {
    ASSERT_TRUE(driver.runUntil(
        [&] { return tradeModule().PXJYTimerManger().transactionReporting().is_object(); }, 10));
    auto* screen = openFromMenu<PXJYCurrentStatusVC>("    当前状态");
    ASSERT_TRUE(screen);
    EXPECT_TRUE(driver.viewWithText(loggedIn.account));
    EXPECT_TRUE(driver.viewWithText("实盘"));
    // The simulator reports state 1, which leaves the label as it was: empty.
    EXPECT_FALSE(driver.viewWithText("初始化完成"));
    JYDict report = tradeModule().PXJYTimerManger().transactionReporting();
    report["S_Type"] = "5";
    tradeModule().PXJYTimerManger().setTransactionReporting(report);
    tradeModule().post("Heartbeat");
    EXPECT_TRUE(driver.viewWithText("交易中"));

    const Rect app = PXTradeViewKit::appViewRect();
    EXPECT_EQ(screen->currentTime()->frame(), Rect(130, app.y + 54 + 5 + 50 * 3, 175, 50));

    const std::string shown = screen->currentTime()->text();
    const DateFormat format("yyyy-MM-dd HH:mm:ss");
    ASSERT_TRUE(format.parse(shown)) << shown;
    screen->timer()->fire();
    const double base = *format.parse(screen->currentTime()->text());
    EXPECT_EQ(base, *format.parse(shown) + 1) << "the first tick takes the heartbeat's time + 1 s";
    for (int tick = 1; tick <= 3; ++tick) {
        screen->timer()->fire();
        EXPECT_EQ(*format.parse(screen->currentTime()->text()), base + tick);
    }
    snapshot("current-status");
    WeakLink<ViewController> alive(screen);
    driver.tap(driver.viewsOfClass<VKJYNavigationBarView>().back()->backButton());
    driver.settle();
    EXPECT_FALSE(alive.get()) << "the screen and its clock are gone";
}

TEST_F(MoreScreensTest, shouldStoreSettingsAndApplyTheRefreshIntervalAndIdleTimeout) {
    auto* screen = openFromMenu<PXJYSetUpVC>("    设置");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->valueButton(1)->currentTitle(), "弹出窗口，并响铃");
    EXPECT_EQ(screen->valueButton(2)->currentTitle(), "1秒");
    EXPECT_EQ(screen->valueButton(3)->currentTitle(), "10分钟");
    EXPECT_EQ(screen->valueButton(4)->currentTitle(), "是");
    EXPECT_EQ(screen->valueButton(5)->currentTitle(), "否");
    snapshot("settings");

    // Row 1's list, then row 3's takes its place; a second tap closes it.
    ASSERT_TRUE(driver.tap(screen->valueButton(1)));
    EXPECT_EQ(screen->optionsListView()->numberOfRows(0), 3);
    // Row 1's list covers row 3's button, so the re-targeting comes from code.
    screen->toggleList(3);
    EXPECT_EQ(screen->sing(), 3);
    EXPECT_EQ(screen->optionsListView()->numberOfRows(0), 6);
    EXPECT_EQ(screen->optionsListView()->frame().y, 200);
    snapshot("settings-list");
    screen->toggleList(3);
    EXPECT_EQ(screen->optionsListView()->alpha(), 0);

    ASSERT_TRUE(driver.tap(screen->valueButton(2)));
    driver.settle();
    ASSERT_TRUE(driver.tapRow(*screen->optionsListView(), IndexPath{0, 2}));
    driver.settle();
    EXPECT_EQ(screen->valueButton(2)->currentTitle(), "5 秒");
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("RefreshTrade"), "5");
    ASSERT_TRUE(tradeModule().PXJYTimerManger().JY_Timer());
    EXPECT_EQ(tradeModule().PXJYTimerManger().JY_Timer()->timeInterval(), 5);

    ASSERT_TRUE(driver.tap(screen->valueButton(3)));
    driver.settle();
    ASSERT_TRUE(driver.tapRow(*screen->optionsListView(), IndexPath{0, 0}));
    driver.settle();
    EXPECT_EQ(screen->valueButton(3)->currentTitle(), "1 分钟");
    EXPECT_EQ(UserDefaults::standardUserDefaults().stringForKey("timeoutTime"), "1");
    // The touch that chose it re-armed the idle timer with the new minute; when it runs out the
    // user is logged off.
    Timer* idle = tradeModule().PXJYTimerManger().timeoutTimer();
    ASSERT_TRUE(idle);
    EXPECT_EQ(idle->timeInterval(), 60);
    idle->fire();
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(alertMessage(), "您长时间未操作,已自动退出交易系统!");
    EXPECT_FALSE(tradeModule().tradeLogin());
    ASSERT_TRUE(driver.runUntil([&] { return !received("logoff").empty(); }, 10));
}
