#include <gtest/gtest.h>

#include "QueryScreenTest.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYCommonViewUtil.h"
#include "sim/trade/SimTradeServer.h"
#include "trade/close/PXJYWeiTuoListView.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/query/PXJYChaXunViewController.h"
#include "trade/query/PXJYZJWeiTuoViewController.h"

namespace {
class OrderQueryTest : public QueryScreenTest {
protected:
    PXJYZJWeiTuoViewController* openOrders() {
        auto* menu = openMenu();
        auto* screen = menu ? openRowAs<PXJYZJWeiTuoViewController>(*menu, 2) : nullptr;
        EXPECT_TRUE(waitIdle());
        return screen;
    }

    // The row of the list whose status text is that one.
    int rowWithStatus(PXJYZJWeiTuoViewController& screen, const std::string& status) {
        const auto& list = screen.dataList();
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].value("STA", "") == status) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    bool panelShown(PXJYZJWeiTuoViewController& screen) {
        return screen.detailView()->frame().x == 0;
    }

    bool openRow(PXJYZJWeiTuoViewController& screen, int row) {
        if (row < 0 || !driver.tapRow(*screen.tableView(), IndexPath{0, row})) {
            return false;
        }
        driver.settle();
        return panelShown(screen);
    }
};

}  // namespace

TEST_F(OrderQueryTest, shouldWithdrawAnOpenOrderOnceAndQueryAgain) {
    const std::string code = quoteModeCommodity();
    placeOrder(code, 0.5);
    placeOrder(code, 1.5);
    // Dealt once the market rises to it.
    moveTheMarket(code, 2);
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    EXPECT_EQ(sent("my_order_query"), 1);
    ASSERT_EQ(screen->dataList().size(), 2u);
    snapshot("orders-list-568");

    // A filled order opens with the withdrawal disabled.
    ASSERT_TRUE(openRow(*screen, rowWithStatus(*screen, "已成交")));
    EXPECT_FALSE(screen->withdrawButton()->isEnabled());
    const auto& values = screen->showListView()->dataArray();
    ASSERT_EQ(values.size(), 13u);
    EXPECT_EQ(values[11], "当日有效");
    EXPECT_EQ(values[5], "--");
    screen->removeDetailView();
    driver.settle();

    const int open = rowWithStatus(*screen, "已委托");
    const std::string number = screen->dataList().at(size_t(open)).value("OR_N", "");
    ASSERT_TRUE(openRow(*screen, open));
    ASSERT_TRUE(screen->withdrawButton()->isEnabled());
    snapshot("orders-detail-568");
    driver.tap(screen->withdrawButton());
    driver.tap(screen->withdrawButton());
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "撤销成功");
    EXPECT_EQ(sent("order_wd"), 1);
    EXPECT_EQ(lastRequest("order_wd").value("ORDER_NO", ""), number);
    answerAlert();
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(panelShown(*screen));
    EXPECT_EQ(sent("my_order_query"), 2);
    EXPECT_EQ(screen->dataList().at(size_t(open)).value("STA", ""), "已撤单");
    EXPECT_EQ(rowWithStatus(*screen, "已委托"), -1);
}

// "当日有效" holds at the exchange: past its midnight (UTC+8, whatever the device's zone) the
// order is withdrawn and shows so.
TEST_F(OrderQueryTest, shouldShowADayOrderWithdrawnOnceTheExchangesDayEnded) {
    constexpr int64_t kDay = 86400000;
    placeOrder(quoteModeCommodity(), 0.5);
    tradeServer().ledger().setIdleLimitMs(2 * kDay);
    SimClock& clock = sim.clock();
    const int64_t now = clock.nowMs();
    clock.advance(SimClock::dayStart(now, sim.market().utcOffsetMinutes()) + kDay + 60000 - now);
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    ASSERT_EQ(screen->dataList().size(), 1u);
    ASSERT_TRUE(openRow(*screen, rowWithStatus(*screen, "已撤单")));
    EXPECT_FALSE(screen->withdrawButton()->isEnabled());
    EXPECT_EQ(screen->showListView()->dataArray().at(11), "当日有效");
}

TEST_F(OrderQueryTest, shouldKeepThePanelOnARefusedWithdrawalAndAllowAnother) {
    placeOrder(quoteModeCommodity(), 0.5);
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(openRow(*screen, 0));
    tradeServer().answerCodeNext(-1, "order_wd");
    driver.tap(screen->withdrawButton());
    ASSERT_TRUE(waitAlert());
    answerAlert();
    EXPECT_TRUE(panelShown(*screen));
    EXPECT_TRUE(screen->withdrawButton()->isEnabled());
    EXPECT_EQ(*screen->danHaoID(), screen->dataList().at(0).value("OR_N", ""));
}

TEST_F(OrderQueryTest, shouldSayWhenThereIsNoOrder) {
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), PXJYZJWeiTuoViewController::kNoOrders);
    EXPECT_TRUE(screen->dataList().empty());
}

TEST_F(OrderQueryTest, shouldTakeItsBusyOverlayAlongWhenItLeavesWhileTheQueryTravels) {
    auto* menu = openMenu();
    ASSERT_TRUE(menu);
    tradeServer().holdReplies("my_order_query");
    ASSERT_TRUE(openRowAs<PXJYZJWeiTuoViewController>(*menu, 2));
    ASSERT_TRUE(driver.runUntil([&] { return sent("my_order_query") == 1; }));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
    // As the idle log-out and a lost session do: the trade tab goes back to its first screen.
    tradeNavigation()->popToRootViewController(false);
    EXPECT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }, 2));
    tradeServer().releaseReplies("my_order_query");
    driver.settle();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

// Asked again while the last query's answer is still on its way back: that answer, older than
// the list shown, comes last and changes nothing.
TEST_F(OrderQueryTest, shouldListTheLatestQueryWhenAnOlderAnswerArrivesLast) {
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(waitAlert());
    answerAlert();
    tradeServer().holdNextAnswer("my_order_query");
    screen->zhiJiaCheck();
    ASSERT_TRUE(driver.runUntil([&] { return tradeServer().nextAnswerHeld("my_order_query"); }));
    placeOrder(quoteModeCommodity(), 0.5);
    screen->zhiJiaCheck();
    ASSERT_TRUE(driver.runUntil([&] { return screen->dataList().size() == 1; }));
    driver.settle();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0) << "the answer of the latest query is in";

    tradeServer().releaseReplies("my_order_query");
    ASSERT_TRUE(driver.runUntil([] { return HttpClient::exchangesInFlight() == 0; }));
    driver.settle();
    EXPECT_EQ(screen->dataList().size(), 1u);
    EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
}

TEST_F(OrderQueryTest, shouldTellNothingOfAnOlderQueryRefusedAfterTheLatestAnswered) {
    placeOrder(quoteModeCommodity(), 0.5);
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    tradeServer().answerCodeNext(-1, "my_order_query");
    tradeServer().holdNextAnswer("my_order_query");
    screen->zhiJiaCheck();
    ASSERT_TRUE(driver.runUntil([&] { return tradeServer().nextAnswerHeld("my_order_query"); }));
    screen->zhiJiaCheck();
    // The latest query reached the exchange and is answered; the older one's answer waits.
    ASSERT_TRUE(driver.runUntil(
        [&] { return sent("my_order_query") == 3 && HttpClient::exchangesInFlight() == 1; }));
    tradeServer().releaseReplies("my_order_query");
    ASSERT_TRUE(driver.runUntil([] { return HttpClient::exchangesInFlight() == 0; }));
    driver.settle();
    EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(screen->dataList().size(), 1u);
}

// On a dead line the orders are asked for again before the first query failed: that query is
// void, and its failure tells nothing beside the latest one's.
TEST_F(OrderQueryTest, shouldTellOnceWhenAnOrderQueryAndTheOneReplacingItReachNoLine) {
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(waitAlert());
    answerAlert();
    refuseEveryLine();
    screen->zhiJiaCheck();
    screen->zhiJiaCheck();
    expectNetworkFailureToldOnce();
}

TEST(OrderWithdrawRuleTest, shouldAllowOnlyPlacedAndPartlyFilledOrders) {
    const std::pair<const char*, bool> cases[] = {{"1", true},  {"4", true},  {"2", false},
                                                  {"3", false}, {"5", false}, {"9", false},
                                                  {"", false}};
    for (const auto& [status, allowed] : cases) {
        EXPECT_EQ(PXJYZJWeiTuoViewController::canWithdraw({{"STA_NUM", status}}), allowed)
            << status;
    }
    EXPECT_FALSE(PXJYZJWeiTuoViewController::canWithdraw(JYDict::object()));
}

TEST_F(OrderQueryTest, theWithdrawalMessageLeavesWithItsScreenOnIdleLogOut) {
    placeOrder(quoteModeCommodity(), 0.5);
    auto* screen = openOrders();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(openRow(*screen, 0));
    driver.tap(screen->withdrawButton());
    ASSERT_TRUE(waitAlert());
    ASSERT_EQ(alertMessage(), "撤销成功");
    WeakLink<ViewController> raisedBy(screen);

    Timer* idle = tradeModule().PXJYTimerManger().timeoutTimer();
    ASSERT_TRUE(idle);
    idle->fire();
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() != "撤销成功"; }, 5));
    answerAlert();
    driver.settle();
    EXPECT_FALSE(raisedBy);
    EXPECT_EQ(driver.viewWithText("撤销成功"), nullptr) << "the message outlived its screen";
}
