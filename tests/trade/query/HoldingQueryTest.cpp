#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "QueryScreenTest.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "sim/trade/SimTradeServer.h"
#include "support/session/OnBothScreens.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/close/PXJYHuiZongListView.h"
#include "trade/close/PXJYMingXiListView.h"
#include "trade/close/PXJYZhuanRangZYMSVC.h"
#include "trade/close/PXJYZhuanRangZYMSView.h"
#include "trade/close/PXTradeCloseScreens.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/query/PXJYChaXunViewController.h"
#include "trade/query/PXJYHuiZongViewController.h"
#include "trade/query/PXJYMingXiViewController.h"
#include "trade/query/PXJYQueryPanel.h"
#include "trade/quick/PXJYSimplePingCangZYMSVC.h"
#include "trade/quick/PXTradeQuickScreens.h"

namespace {
const char* const kCode = "AG";

// The seeded account holds bought lots of AG; the tests add sold ones and holdings of another
// commodity where they need them. Live prices are in the store before each test.
class HoldingQueryTest : public QueryScreenTest {
protected:
    explicit HoldingQueryTest(Size size = {320, 568}) : QueryScreenTest(size) {}

    void SetUp() override {
        registerPXTradeCloseScreens();
        QueryScreenTest::SetUp();
        SimQuoteLookup::fill(sim, *VKJYHangQingDataClass::current());
        ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count(kCode) > 0; }));
        tradeModule().setDefaultString("prompt", "2");
        tradeServer().clearReceived();
    }

    PXTradeData& store() const { return tradeModule().PXJYData(); }

    // The simulator's own view of the account's holdings, as (number, commodity, side).
    std::set<std::vector<std::string>> simTickets() {
        const SimJson reply =
            tradeServer().ledger().handle(SimTradeLink::Trade, "holding_detail_query",
                                          {{"USER_ID", loggedIn.account},
                                           {"COMMODITY_ID", ""},
                                           {"SESSION_ID", store().tradeSession()->JYsessionID}});
        std::set<std::vector<std::string>> tickets;
        for (const auto& row : reply["RESULTLIST"]["REC"]) {
            tickets.insert(std::vector<std::string>{row["H_ID"].get<std::string>(),
                                                    row["CO_I"].get<std::string>(),
                                                    row["TY"].get<std::string>()});
        }
        return tickets;
    }

    std::string ticketOf(const std::string& code, const std::string& side) {
        for (const auto& ticket : simTickets()) {
            if (ticket[1] == code && ticket[2] == side) {
                return ticket[0];
            }
        }
        ADD_FAILURE() << "no ticket of " << code << " " << side;
        return {};
    }

    void setStopLoss(const std::string& number) {
        const double price = SimQuoteLookup::prices(sim, kCode).sellPrice * 0.5;
        const SimJson reply =
            tradeServer().ledger().handle(SimTradeLink::Trade, "set_loss_profit",
                                          {{"USER_ID", loggedIn.account},
                                           {"H_ID", number},
                                           {"COMMODITY_ID", kCode},
                                           {"TY", "1"},
                                           {"STOP_LOSS", Text::format("%.0f", price)},
                                           {"STOP_PROFIT", "0"},
                                           {"SESSION_ID", store().tradeSession()->JYsessionID}});
        ASSERT_EQ(reply.value("retcode", -1), 0) << reply.dump();
    }

    PXJYMingXiViewController* openDetails() {
        auto* menu = openMenu();
        auto* screen = menu ? openRowAs<PXJYMingXiViewController>(*menu, 3) : nullptr;
        EXPECT_TRUE(waitIdle());
        return screen;
    }

    PXJYHuiZongViewController* openSummaries() {
        auto* menu = openMenu();
        auto* screen = menu ? openRowAs<PXJYHuiZongViewController>(*menu, 4) : nullptr;
        EXPECT_TRUE(waitIdle());
        return screen;
    }

    bool chooseTicket(PXJYMingXiViewController& screen, const std::string& number) {
        const auto& numbers = screen.chiCangDanHaoListView()->allChiCangDanHaoID();
        const auto found = std::find(numbers.begin(), numbers.end(), number);
        if (found == numbers.end() ||
            !driver.tapRow(*screen.chiCangDanHaoListView()->tableView(),
                           IndexPath{0, static_cast<int>(found - numbers.begin())})) {
            return false;
        }
        driver.settle();
        return PXJYQueryPanel::isShown(*screen.mingXiDetailView());
    }

    // The summaries screen with the transfer panel of that summary open.
    PXJYHuiZongViewController* openSummaryTransfer(const std::string& code,
                                                   const std::string& side) {
        auto* screen = openSummaries();
        if (!screen || !chooseSummary(*screen, code, side)) {
            ADD_FAILURE() << "no summary " << code << " " << side;
            return nullptr;
        }
        driver.tap(screen->HZSJPingCangButton());
        driver.settle();
        return screen;
    }

    bool chooseSummary(PXJYHuiZongViewController& screen, const std::string& code,
                       const std::string& side) {
        const auto& rows = screen.chiCangShangPinListView()->allChiCangShangPinCommodity();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i]->commodityCode == code && rows[i]->buySellSign == side) {
                driver.tapRow(*screen.chiCangShangPinListView()->tableView(),
                              IndexPath{0, static_cast<int>(i)});
                driver.settle();
                return PXJYQueryPanel::isShown(*screen.huiZongDetailView());
            }
        }
        return false;
    }

    void typeQuantity(PXJYShiJiaZhuanRangView& form, const std::string& digits) {
        typeOnKeypad(form.shuLiang(), digits);
    }

    std::string commodityName(const std::string& code) {
        return store().shangPinXinXi().at(code)->commodityName;
    }

    // A device other than this one closes a sold lot of AG by its number.
    void closeSoldLotElsewhere(const std::string& number) {
        ASSERT_TRUE(orderAtTheExchange(kCode, "1", "1", number));
    }

    void refresh() {
        NotificationCenter::defaultCenter().post("JYRefreshTimer");
        driver.settle();
    }

    bool waitMessage(const std::string& message) {
        return driver.runUntil([&] { return alertMessage() == message; }, 10);
    }
};

class HoldingQueryShortScreenTest : public HoldingQueryTest {
protected:
    HoldingQueryShortScreenTest() : HoldingQueryTest({320, 480}) {}
};

const char* const kOrderBookScreen = "PXJYSimplePingCangZYMSVC";

// Stands in for the one-commodity order-book transfer screen: what it was handed.
PXTradeScreenArgs g_handed;
int g_made = 0;
void registerOrderBookProbe() {
    g_handed = {};
    g_made = 0;
    PXTradeScreenFactory::registerScreen(kOrderBookScreen, [](const PXTradeScreenArgs& args) {
        g_handed = args;
        ++g_made;
        return std::make_unique<ViewController>();
    });
}

void unregisterOrderBookScreen() {
    PXTradeScreenFactory::registerScreen(kOrderBookScreen, nullptr);
}
}  // namespace

TEST_F(HoldingQueryTest, shouldListEveryTicketOfTheSimulatorAndShowTheChosenOne) {
    makeDeals(kCode, 1, "2");
    const auto tickets = simTickets();
    ASSERT_GE(tickets.size(), 2u);
    auto* screen = openDetails();
    ASSERT_TRUE(screen);
    EXPECT_EQ(lastRequest("holding_detail_query").value("COMMODITY_ID", "?"), "");
    std::set<std::string> expected;
    for (const auto& ticket : tickets) {
        expected.insert(ticket[0]);
    }
    const auto& listed = screen->chiCangDanHaoListView()->allChiCangDanHaoID();
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), expected);
    snapshot("holdings-list-568");

    const std::string sold = ticketOf(kCode, "2");
    ASSERT_TRUE(chooseTicket(*screen, sold));
    const auto& values = screen->showListView()->dataArray();
    ASSERT_EQ(values.size(), 15u);
    EXPECT_EQ(values[0], sold);
    EXPECT_EQ(values[1], commodityName(kCode));
    EXPECT_EQ(values[2], "售出");
    EXPECT_EQ(values[4], "1");
    EXPECT_EQ(values[8], "--");
    EXPECT_EQ(values[13].size(), std::string("2026-12-04 14:30:00").size());
    EXPECT_FALSE(screen->CXZhiSunDan()->isEnabled());
    EXPECT_FALSE(screen->CXZhiYingDan()->isEnabled());
    EXPECT_EQ(screen->ZYMSView()->alpha(), 0);
    snapshot("holdings-detail-568");

    driver.tap(screen->ZJPingCangButton());
    driver.settle();
    EXPECT_EQ(screen->pingCangTitle()->text(), "条件转让");
    EXPECT_EQ(screen->ZJPCView()->maiMaiFangXiang()->text(), "购入");
    EXPECT_EQ(screen->ZJPCView()->commodityDanHaoLabel()->text(), sold);
    snapshot("holdings-stops-568");
}

TEST_F(HoldingQueryTest, shouldKeepOneCommodityAndSideAndTheOtherHoldingsInTheStore) {
    makeDeals(kCode, 2, "2");
    const std::string other = quoteModeCommodity() == kCode ? "" : quoteModeCommodity();
    PXTradeScreenArgs args;
    args.commodityCode = kCode;
    args.buySellSign = "2";
    auto made = PXTradeScreenFactory::create(PXJYMingXiViewController::kClassName, args);
    auto* typed = dynamic_cast<PXJYMingXiViewController*>(made.get());
    ASSERT_TRUE(typed);
    made.release();
    const size_t storeBefore = store().chiCangMingXiXinXi().size();
    auto* screen = pushOnTradeTab(std::unique_ptr<PXJYMingXiViewController>(typed));
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(lastRequest("holding_detail_query").value("COMMODITY_ID", "?"), kCode);

    std::set<std::string> sold;
    for (const auto& ticket : simTickets()) {
        if (ticket[1] == kCode && ticket[2] == "2") {
            sold.insert(ticket[0]);
        }
    }
    const auto& listed = screen->chiCangDanHaoListView()->allChiCangDanHaoID();
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), sold);
    // The bought tickets are still known to every other screen.
    EXPECT_EQ(store().chiCangMingXiXinXi().size(), storeBefore + 2);
}

TEST_F(HoldingQueryTest, shouldWithdrawAStopLossOnceAndShowItGone) {
    const std::string number = ticketOf(kCode, "1");
    setStopLoss(number);
    auto* screen = openDetails();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(chooseTicket(*screen, number));
    EXPECT_NE(screen->showListView()->dataArray().at(8), "--");
    ASSERT_TRUE(screen->CXZhiSunDan()->isEnabled());
    EXPECT_FALSE(screen->CXZhiYingDan()->isEnabled());
    driver.tap(screen->CXZhiSunDan());
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "确定撤销止损单吗?");
    answerAlert("确定");
    EXPECT_FALSE(screen->CXZhiSunDan()->isEnabled());
    ASSERT_TRUE(waitMessage("撤销成功"));
    EXPECT_EQ(sent("withdraw_loss_profit"), 1);
    const JYDict withdrawal = lastRequest("withdraw_loss_profit");
    EXPECT_EQ(withdrawal.value("H_ID", ""), number);
    EXPECT_EQ(withdrawal.value("TYPE", ""), "1");
    EXPECT_EQ(withdrawal.value("COMMODITY_ID", ""), kCode);
    answerAlert();
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(PXJYQueryPanel::isShown(*screen->mingXiDetailView()));

    ASSERT_TRUE(chooseTicket(*screen, number));
    EXPECT_EQ(screen->showListView()->dataArray().at(8), "--");
    EXPECT_FALSE(screen->CXZhiSunDan()->isEnabled());
}

TEST_F(HoldingQueryTest, shouldKeepTheStopShownWhenTheWithdrawalIsRefused) {
    const std::string number = ticketOf(kCode, "1");
    setStopLoss(number);
    auto* screen = openDetails();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(chooseTicket(*screen, number));
    const auto shown = screen->showListView()->dataArray();
    driver.tap(screen->CXZhiSunDan());
    ASSERT_TRUE(waitAlert());
    tradeServer().answerCodeNext(-1, "withdraw_loss_profit");
    answerAlert("确定");
    ASSERT_TRUE(driver.runUntil([&] { return screen->CXZhiSunDan()->isEnabled(); }));
    EXPECT_TRUE(waitAlert());
    answerAlert();
    EXPECT_TRUE(PXJYQueryPanel::isShown(*screen->mingXiDetailView()));
    EXPECT_EQ(screen->showListView()->dataArray(), shown);
    EXPECT_EQ(sent("withdraw_loss_profit"), 1);
}

TEST_F(HoldingQueryTest, shouldTransferTheChosenTicketByItsNumberAndQueryAgain) {
    const std::string number = ticketOf(kCode, "1");
    auto* screen = openDetails();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(chooseTicket(*screen, number));
    driver.tap(screen->SJPingCangButton());
    driver.settle();
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    EXPECT_FALSE(form.danHaoOrShangPin());
    EXPECT_FALSE(form.danHaoButton()->isEnabled());
    EXPECT_EQ(form.danHaoButton()->currentTitle(), number);
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "售出");
    typeQuantity(form, "1");
    snapshot("holdings-transfer-568");
    driver.tap(form.zhuanRangButton());
    ASSERT_TRUE(waitMessage("转让成功"));
    const JYDict order = lastRequest("order_s");
    EXPECT_EQ(order.value("HOLDING_ID", ""), number);
    EXPECT_EQ(order.value("CLOSEMODE", ""), "2");
    EXPECT_EQ(order.value("BUY_SELL", ""), "2");
    answerAlert();
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(PXJYQueryPanel::isShown(*screen->pingCangView()));
    EXPECT_FALSE(PXJYQueryPanel::isShown(*screen->mingXiDetailView()));
    EXPECT_GE(sent("holding_detail_query"), 2);
}

// On a slow line a ticket query is overtaken by a later one: its answer, from before a deal,
// does not list the tickets without the deal's.
TEST_F(HoldingQueryTest, shouldListOnlyTheLatestQuerysTickets) {
    auto* screen = openDetails();
    ASSERT_TRUE(screen);
    const auto& listed = screen->chiCangDanHaoListView()->allChiCangDanHaoID();
    const size_t before = listed.size();
    tradeServer().holdNextAnswer("holding_detail_query");
    screen->getChiCangMingXi();
    ASSERT_TRUE(
        driver.runUntil([&] { return tradeServer().nextAnswerHeld("holding_detail_query"); }));
    makeDeals(kCode, 1);
    screen->getChiCangMingXi();
    ASSERT_TRUE(driver.runUntil([&] { return listed.size() == before + 1; }));
    tradeServer().releaseReplies("holding_detail_query");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(listed.size(), before + 1);
}

// The screen's answer comes last, after a later query for all tickets (the heartbeat's after a
// deal) was answered: the screen lists the tickets stored, not its older answer's.
TEST_F(HoldingQueryTest, shouldListTheStoredTicketsWhenItsAnswerWasOvertaken) {
    auto* screen = openDetails();
    ASSERT_TRUE(screen);
    const auto& listed = screen->chiCangDanHaoListView()->allChiCangDanHaoID();
    const size_t before = listed.size();
    const size_t stored = store().chiCangMingXiXinXi().size();
    tradeServer().holdNextAnswer("holding_detail_query");
    screen->getChiCangMingXi();
    ASSERT_TRUE(
        driver.runUntil([&] { return tradeServer().nextAnswerHeld("holding_detail_query"); }));
    makeDeals(kCode, 1);
    PXTradeNetworkManger::create()->getJYChiCangMingXi("");
    ASSERT_TRUE(driver.runUntil([&] { return store().chiCangMingXiXinXi().size() == stored + 1; }));
    tradeServer().releaseReplies("holding_detail_query");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(listed.size(), before + 1);
}

// The same for the tickets: asked for again on a dead line, they are told lost once.
TEST_F(HoldingQueryTest, shouldTellOnceWhenATicketQueryAndTheOneReplacingItReachNoLine) {
    auto* screen = openDetails();
    ASSERT_TRUE(screen);
    refuseEveryLine();
    screen->getChiCangMingXi();
    screen->getChiCangMingXi();
    expectNetworkFailureToldOnce();
}

TEST_F(HoldingQueryTest, shouldHandAnOrderBookTicketAndSummaryToTheOrderBookTransfer) {
    registerOrderBookProbe();
    store().shangPinXinXi().at(kCode)->shangPinJiaoYiMoShi = "4";
    const std::string number = ticketOf(kCode, "1");
    auto* details = openDetails();
    ASSERT_TRUE(details);
    ASSERT_TRUE(chooseTicket(*details, number));
    EXPECT_EQ(details->ZYMSView()->alpha(), 1);
    snapshot("holdings-order-book-568");
    driver.tap(details->guaPingButton());
    driver.settle();
    EXPECT_EQ(g_made, 1);
    EXPECT_EQ(g_handed.holdingNumber, number);
    EXPECT_NE(topScreen(), details);
    tradeNavigation()->popToRootViewController(false);
    driver.settle();

    auto* summaries = openSummaries();
    ASSERT_TRUE(summaries);
    ASSERT_TRUE(chooseSummary(*summaries, kCode, "1"));
    driver.tap(summaries->guaPingButton());
    driver.settle();
    EXPECT_EQ(g_made, 2);
    ASSERT_TRUE(g_handed.summary);
    EXPECT_EQ(g_handed.summary->commodityCode, kCode);
    EXPECT_EQ(g_handed.summary->buySellSign, "1");
    unregisterOrderBookScreen();
}

TEST_F(HoldingQueryTest, shouldFallBackToTheOrderBookTransferScreenLockedToTheTicket) {
    unregisterOrderBookScreen();
    store().shangPinXinXi().at(kCode)->shangPinJiaoYiMoShi = "4";
    const std::string number = ticketOf(kCode, "1");
    auto* details = openDetails();
    ASSERT_TRUE(details);
    ASSERT_TRUE(chooseTicket(*details, number));
    driver.tap(details->guaPingButton());
    driver.settle();
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(topScreen());
    ASSERT_TRUE(orderBook);
    PXJYZhuanRangZYMSView& form = *orderBook->SJPCView();
    EXPECT_FALSE(form.danHaoOrShangPin());
    EXPECT_FALSE(form.SPbutton()->isEnabled());
    EXPECT_FALSE(form.danHaoButton()->isEnabled());
    EXPECT_EQ(form.danHaoButton()->currentTitle(), number);
}

// The one-commodity order-book transfer screen, opened from either holding query for a real
// order-book holding, goes back to that query on back and after its order.
class OrderBookTransferFromQueryTest : public HoldingQueryTest,
                                       public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        HoldingQueryTest::SetUp();
        registerPXTradeQuickScreens();
        ASSERT_TRUE(holdOrderBookLots("zn", "2150", 3));
    }
    void TearDown() override {
        unregisterOrderBookScreen();
        HoldingQueryTest::TearDown();
    }

    // The query screen of the parameter with the zn holding chosen and its transfer opened.
    ViewController* openTransfer(PXJYZhuanRangZYMSVC** transfer) {
        ViewController* query = nullptr;
        Button* handOff = nullptr;
        if (GetParam()) {
            auto* details = openDetails();
            if (!details || !chooseTicket(*details, ticketOf("zn", "1"))) {
                return nullptr;
            }
            query = details;
            handOff = details->guaPingButton();
        } else {
            auto* summaries = openSummaries();
            if (!summaries || !chooseSummary(*summaries, "zn", "1")) {
                return nullptr;
            }
            query = summaries;
            handOff = summaries->guaPingButton();
        }
        driver.tap(handOff);
        driver.settle();
        *transfer = dynamic_cast<PXJYSimplePingCangZYMSVC*>(topScreen());
        return *transfer ? query : nullptr;
    }
};

TEST_P(OrderBookTransferFromQueryTest, shouldReturnToTheQueryOnBackAndAfterItsOrder) {
    PXJYZhuanRangZYMSVC* transfer = nullptr;
    ViewController* query = openTransfer(&transfer);
    ASSERT_TRUE(query);
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(driver.tap(transfer->navigationBarView()->backButton()));
    driver.settle();
    EXPECT_EQ(topScreen(), query);

    tradeNavigation()->popToRootViewController(false);
    driver.settle();
    query = openTransfer(&transfer);
    ASSERT_TRUE(query);
    ASSERT_TRUE(waitIdle());
    transfer->setPingCangValue();
    typeOnKeypad(transfer->SJPCView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(transfer->SJPCView()->zhuanRangJiaGe()));
    driver.typeText("2300");
    driver.pressReturn();
    driver.settle();
    ASSERT_TRUE(driver.tap(transfer->SJPCView()->zhuanRangButton()));
    ASSERT_TRUE(waitMessage("下单成功")) << alertMessage();
    EXPECT_EQ(topScreen(), query);
    EXPECT_EQ(lastRequest("order_list").value("COMMODITY_ID", ""), "zn");
    answerAlert();
    EXPECT_EQ(topScreen(), query);
}

INSTANTIATE_TEST_SUITE_P(FromDetailsAndSummaries, OrderBookTransferFromQueryTest,
                         ::testing::Bool());

TEST_F(HoldingQueryTest, shouldListTheSimulatorsSummariesAndTransferOneByCommodity) {
    makeDeals(kCode, 1, "2");
    auto* screen = openSummaries();
    ASSERT_TRUE(screen);
    EXPECT_EQ(lastRequest("holding_query").value("COMMODITY_ID", "?"), "");
    const SimJson reply =
        tradeServer().ledger().handle(SimTradeLink::Trade, "holding_query",
                                      {{"USER_ID", loggedIn.account},
                                       {"COMMODITY_ID", ""},
                                       {"SESSION_ID", store().tradeSession()->JYsessionID}});
    std::set<std::pair<std::string, std::string>> expected;
    for (const auto& row : reply["RESULTLIST"]["REC"]) {
        expected.insert({row["CO_I"].get<std::string>(), row["TY"].get<std::string>()});
    }
    std::set<std::pair<std::string, std::string>> listed;
    for (const auto& summary : screen->chiCangShangPinListView()->allChiCangShangPinCommodity()) {
        listed.insert({summary->commodityCode, summary->buySellSign});
    }
    EXPECT_EQ(listed, expected);
    snapshot("summaries-list-568");

    ASSERT_TRUE(chooseSummary(*screen, kCode, "2"));
    const auto& values = screen->showView()->dataArray();
    ASSERT_EQ(values.size(), 8u);
    EXPECT_EQ(values[0], commodityName(kCode));
    EXPECT_EQ(values[1], "售出");
    EXPECT_EQ(values[2], "1");
    snapshot("summaries-detail-568");

    driver.tap(screen->HZSJPingCangButton());
    driver.settle();
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    EXPECT_TRUE(form.danHaoOrShangPin());
    EXPECT_FALSE(form.commodityNameButton()->isEnabled());
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "购入");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-1)");
    typeQuantity(form, "1");
    snapshot("summaries-transfer-568");
    driver.tap(form.zhuanRangButton());
    ASSERT_TRUE(waitMessage("转让成功"));
    const JYDict order = lastRequest("order_s");
    EXPECT_EQ(order.value("CLOSEMODE", ""), "1");
    EXPECT_EQ(order.value("BUY_SELL", ""), "1");
    EXPECT_EQ(order.value("COMMODITY_ID", ""), kCode);
    answerAlert();
    EXPECT_FALSE(PXJYQueryPanel::isShown(*screen->huiZongDetailView()));
}

TEST_F(HoldingQueryTest, shouldPickOnlyTheSummarysSideByNumberAndStartTheNextSummaryAfresh) {
    makeDeals(kCode, 2, "2");
    auto* screen = openSummaryTransfer(kCode, "2");
    ASSERT_TRUE(screen);
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    driver.tap(form.DHbutton());
    driver.settle();
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
    driver.tap(form.danHaoButton());
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(lastRequest("holding_detail_query").value("COMMODITY_ID", "?"), kCode);
    PXJYChiCangDanHaoListView& picker = *screen->chiCangDanHaoListView();
    EXPECT_TRUE(picker.isShown());
    std::set<std::string> sold;
    for (const auto& ticket : simTickets()) {
        if (ticket[1] == kCode && ticket[2] == "2") {
            sold.insert(ticket[0]);
        }
    }
    const auto& listed = picker.allChiCangDanHaoID();
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), sold);
    snapshot("summaries-picker-568");
    ASSERT_TRUE(driver.tapRow(*picker.tableView(), IndexPath{0, 0}));
    driver.settle();
    EXPECT_FALSE(picker.isShown());
    EXPECT_EQ(form.danHaoButton()->currentTitle(), listed.at(0));
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-1)");

    // Out of both panels to the bought summary: its form starts afresh, by commodity.
    const Point back{30, PXTradeViewKit::appViewRect().y + 22};
    for (View* panel : {screen->pingCangView(), screen->huiZongDetailView()}) {
        driver.tapAt(back);
        driver.settle();
        ASSERT_FALSE(PXJYQueryPanel::isShown(*panel));
    }
    ASSERT_TRUE(chooseSummary(*screen, kCode, "1"));
    driver.tap(screen->HZSJPingCangButton());
    driver.settle();
    EXPECT_TRUE(form.danHaoOrShangPin());
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "售出");
    EXPECT_NE(form.danHaoButton()->currentTitle(), listed.at(0));
    typeQuantity(form, "1");
    driver.tap(form.zhuanRangButton());
    ASSERT_TRUE(waitMessage("转让成功"));
    const JYDict order = lastRequest("order_s");
    EXPECT_EQ(order.value("BUY_SELL", ""), "2");
    EXPECT_EQ(order.value("CLOSEMODE", ""), "1");
    EXPECT_EQ(order.value("HOLDING_ID", "?"), "");
}

TEST_F(HoldingQueryTest, shouldForgetAChosenNumberClosedMeanwhileAndSendNothingOfIt) {
    makeDeals(kCode, 2, "2");
    auto* screen = openSummaryTransfer(kCode, "2");
    ASSERT_TRUE(screen);
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    driver.tap(form.DHbutton());
    driver.tap(form.danHaoButton());
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(driver.tapRow(*screen->chiCangDanHaoListView()->tableView(), IndexPath{0, 0}));
    driver.settle();
    const std::string number = form.danHaoButton()->currentTitle();
    ASSERT_FALSE(number.empty());

    // Closed by another device; the holdings asked again no longer list it.
    closeSoldLotElsewhere(number);
    driver.tap(form.danHaoButton());
    ASSERT_TRUE(driver.runUntil([&] { return !store().chiCangMingXiXinXi().count(number); }));
    screen->chiCangDanHaoListView()->VKJYNavBackAction();
    refresh();
    EXPECT_EQ(form.danHaoButton()->currentTitle(), "");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
    typeQuantity(form, "1");
    driver.tap(form.zhuanRangButton());
    EXPECT_EQ(alertMessage(), "请选择单号");
    EXPECT_EQ(sent("order_s"), 0);
}

TEST_F(HoldingQueryTest, shouldForgetASummaryClosedMeanwhileAndSendNothingOfIt) {
    makeDeals(kCode, 1, "2");
    auto* screen = openSummaryTransfer(kCode, "2");
    ASSERT_TRUE(screen);
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    ASSERT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-1)");

    closeSoldLotElsewhere(ticketOf(kCode, "2"));
    // As the heartbeat does on a new deal of the account.
    tradeModule().PXJYTimerManger().getChiCangHuiZong();
    const auto& summaries = store().chiCangHuiZongXinXi();
    ASSERT_TRUE(driver.runUntil([&] {
        return std::none_of(summaries.begin(), summaries.end(), [](const auto& summary) {
            return summary->commodityCode == kCode && summary->buySellSign == "2";
        });
    }));
    refresh();
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
    // The detail under the form shows no closed lots either.
    EXPECT_EQ(screen->showView()->dataArray(), std::vector<std::string>{});
    snapshot("summaries-transfer-forgotten-568");

    // A new lot of the same commodity and side is not the holding that was picked.
    makeDeals(kCode, 1, "2");
    tradeModule().PXJYTimerManger().getChiCangHuiZong();
    ASSERT_TRUE(driver.runUntil([&] {
        return std::any_of(summaries.begin(), summaries.end(), [](const auto& summary) {
            return summary->commodityCode == kCode && summary->buySellSign == "2";
        });
    }));
    refresh();
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
    EXPECT_EQ(screen->showView()->dataArray(), std::vector<std::string>{});
    typeQuantity(form, "1");
    driver.tap(form.zhuanRangButton());
    EXPECT_EQ(alertMessage(), "请选择商品");
    EXPECT_EQ(sent("order_s"), 0);
}

TEST_F(HoldingQueryTest, shouldKeepTheSummariesWhenTheQueryIsRefused) {
    auto* screen = openSummaries();
    ASSERT_TRUE(screen);
    const size_t shown = screen->chiCangShangPinListView()->allChiCangShangPinCommodity().size();
    ASSERT_GT(shown, 0u);
    tradeServer().answerCodeNext(-1, "holding_query");
    screen->getChiCangHuiZong();
    ASSERT_TRUE(waitAlert());
    answerAlert();
    EXPECT_TRUE(waitIdle());
    EXPECT_EQ(screen->chiCangShangPinListView()->allChiCangShangPinCommodity().size(), shown);
}

// A summary query that reaches no line is told as a refused one is: the list left on show is the
// one read before, not the server's answer.
TEST_F(HoldingQueryTest, shouldTellASummaryQueryThatReachedNoLine) {
    auto* screen = openSummaries();
    ASSERT_TRUE(screen);
    refuseEveryLine();
    screen->getChiCangHuiZong();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(alertMessage(), "请求网络失败");
}

// On a dead line the summaries are asked for again before the first query failed: that query is
// void, and its failure tells nothing beside the latest one's.
TEST_F(HoldingQueryTest, shouldTellOnceWhenASummaryQueryAndTheOneReplacingItReachNoLine) {
    auto* screen = openSummaries();
    ASSERT_TRUE(screen);
    refuseEveryLine();
    screen->getChiCangHuiZong();
    screen->getChiCangHuiZong();
    expectNetworkFailureToldOnce();
}

// Its line fails only after another account logged on: a failure of an ended session tells
// nothing.
TEST_F(HoldingQueryTest, shouldTellNothingOfASummaryQueryWhoseLineFailsAfterAnotherLogon) {
    auto* screen = openSummaries();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(lineFailureAfterAnotherLogonUntold(
        "holding_query", [&] { screen->getChiCangHuiZong(); },
        [] { return HttpClient::exchangesInFlight() == 0; }));
}

using HoldingQueryOnBothScreens = OnBothScreens<HoldingQueryTest>;

TEST_P(HoldingQueryOnBothScreens,
       shouldKeepTheTransferBusyAndUnsentTwiceWhenASummaryQueryFailsMeanwhile) {
    makeDeals(kCode, 1, "2");
    auto* screen = openSummaryTransfer(kCode, "2");
    ASSERT_TRUE(screen);
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    typeQuantity(form, "1");
    tradeServer().holdReplies("order_s");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return sent("order_s") == 1; }, 5));

    // The summaries are asked for again while the transfer travels, and refused.
    tradeServer().answerCodeNext(-1, "holding_query");
    screen->getChiCangHuiZong();
    ASSERT_TRUE(waitAlert());
    EXPECT_EQ(alertMessage(), "模拟错误");
    answerAlert();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the transfer is still on its way";
    snapshot("summaries-transfer-travelling-" + std::to_string(GetParam()));
    EXPECT_TRUE(secondTapUnsentUntilAnswered(form.zhuanRangButton(), "order_s", "转让成功"));
}

INSTANTIATE_TEST_SUITE_P(Heights, HoldingQueryOnBothScreens, ::testing::Values(568, 480));

TEST_F(HoldingQueryShortScreenTest, shouldKeepTheActionsOnTheShortScreen) {
    const std::string number = ticketOf(kCode, "1");
    setStopLoss(number);
    auto* details = openDetails();
    ASSERT_TRUE(details);
    snapshot("holdings-list-480");
    ASSERT_TRUE(chooseTicket(*details, number));
    for (Button* button : {details->SJPingCangButton(), details->CXZhiYingDan()}) {
        EXPECT_TRUE(driver.isVisible(button));
    }
    snapshot("holdings-detail-480");
    driver.tap(details->SJPingCangButton());
    driver.settle();
    EXPECT_TRUE(driver.isVisible(details->SJPCView()->zhuanRangButton()));
    snapshot("holdings-transfer-480");
    tradeNavigation()->popToRootViewController(false);
    driver.settle();

    auto* summaries = openSummaries();
    ASSERT_TRUE(summaries);
    snapshot("summaries-list-480");
    ASSERT_TRUE(chooseSummary(*summaries, kCode, "1"));
    EXPECT_TRUE(driver.isVisible(summaries->HZSJPingCangButton()));
    snapshot("summaries-detail-480");
}
