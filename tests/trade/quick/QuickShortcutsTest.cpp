#include <gtest/gtest.h>

#include "QuickScreenTest.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "quote/HQJYEntity.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "support/quickpanel/QuickPanelLogin.h"
#include "support/session/OnBothScreens.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/close/PXJYHuiZongXiangQingListView.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXTradeBusyOverlay.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/core/TradeText.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXTradeHomeView.h"
#include "trade/quick/PXJYSimpleJianCangVC.h"
#include "trade/quick/PXJYSimpleJianCangZYMSVC.h"
#include "trade/quick/PXJYSimplePingCangVC.h"
#include "trade/quick/PXJYSimplePingCangZYMSVC.h"
#include "trade/quick/PXJYXiangQingVC.h"
#include "trade/quick/PXJYXiangQingZYMSVC.h"

namespace {

class QuickShortcuts : public QuickScreenTest {
protected:
    explicit QuickShortcuts(Size size = {320, 568}) : QuickScreenTest(size) {}

    std::string nameOf(const std::string& code) {
        return store().shangPinXinXi().at(code)->commodityName;
    }
    void makeOrderBook(const std::string& code) {
        store().shangPinXinXi().at(code)->shangPinJiaoYiMoShi = "4";
    }
    // Closes the whole holding at the exchange, not through the screen under test.
    void closeElsewhere(const std::string& number) {
        const auto& ticket = *store().chiCangMingXiXinXi().at(number);
        ASSERT_TRUE(orderAtTheExchange(ticket.commodityCode, ticket.buySellSign == "1" ? "2" : "1",
                                       ticket.dangQianChiCangLiang, number));
    }
    void refresh() {
        NotificationCenter::defaultCenter().post("JYRefreshTimer");
        driver.settle();
    }
    static bool accountLocked(PXJYSwitchingAccountView* switcher) {
        return switcher && !switcher->accountButton()->isEnabled();
    }
    template <typename T>
    T* pushMade(const std::string& name, const PXTradeScreenArgs& args) {
        auto made = PXTradeScreenFactory::create(name, args);
        auto* typed = dynamic_cast<T*>(made.get());
        if (!typed) {
            return nullptr;
        }
        made.release();
        return pushOnTradeTab(std::unique_ptr<T>(typed));
    }
};

TEST_F(QuickShortcuts, eachQuoteModeShortcutOpensItsScreenForTheRowsHolding) {
    auto* market = openShortcutAs<PXJYSimpleJianCangVC>("AG", "1", 0);
    ASSERT_NE(market, nullptr);
    EXPECT_FALSE(tabBarVisible());
    EXPECT_EQ(market->navigationBarView()->title()->text(), " 摘牌");
    EXPECT_EQ(market->shiJianView()->alpha(), 1);
    EXPECT_EQ(market->zhiJianView()->alpha(), 0);
    EXPECT_EQ(market->shiJianView()->commodityNameLabel()->text(), nameOf("AG"));
    EXPECT_TRUE(driver.isVisible(market->shiJianView()->commodityNameLabel()));
    EXPECT_EQ(market->shiJianView()->XiaDan_FangXiang(), 1);
    EXPECT_EQ(market->shiJianView()->jiaGeZ()->text(), simPrice("AG", true));
    EXPECT_TRUE(accountLocked(market->shiJianView()->switchingAccountView()));
    snapshot("delisting-market");

    auto* conditional = openShortcutAs<PXJYSimpleJianCangVC>("AG", "1", 1);
    ASSERT_NE(conditional, nullptr);
    EXPECT_EQ(conditional->navigationBarView()->title()->text(), "条件摘牌");
    EXPECT_EQ(conditional->zhiJianView()->alpha(), 1);
    EXPECT_EQ(conditional->zhiJianView()->commodityNameLabel()->text(), nameOf("AG"));
    EXPECT_EQ(conditional->zhiJianView()->commodityCode(), "AG");
    snapshot("delisting-conditional");

    auto* transfer = openShortcutAs<PXJYSimplePingCangVC>("AG", "1", 2);
    ASSERT_NE(transfer, nullptr);
    EXPECT_FALSE(tabBarVisible());
    EXPECT_EQ(transfer->SJPCView()->commodityCode(), "AG");
    EXPECT_EQ(transfer->SJPCView()->maiMaiFangXiangL()->text(), "售出");
    EXPECT_FALSE(transfer->SJPCView()->commodityNameButton()->isEnabled());
    EXPECT_TRUE(accountLocked(transfer->ZJPCView()->switchingAccountView()));
    // The summary's details are asked for at once, for its commodity only.
    EXPECT_TRUE(driver.runUntil([&] {
        const auto queries = received("holding_detail_query");
        return std::any_of(queries.begin(), queries.end(), [](const SimTradeReceived& query) {
            return req(query, "COMMODITY_ID") == "AG";
        });
    }));
    EXPECT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    snapshot("transfer");

    auto* detail = openShortcutAs<PXJYXiangQingVC>("AG", "1", 3);
    ASSERT_NE(detail, nullptr);
    ASSERT_FALSE(detail->ListView()->dataArray().empty());
    EXPECT_EQ(detail->ListView()->dataArray().front(), nameOf("AG"));
    EXPECT_FALSE(detail->isPanelShown());
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    snapshot("summary-detail");
}

TEST_F(QuickShortcuts, eachOrderBookShortcutOpensItsScreenForTheRowsHolding) {
    makeOrderBook("AG");
    auto* delisting = openShortcutAs<PXJYSimpleJianCangZYMSVC>("AG", "1", 5);
    ASSERT_NE(delisting, nullptr);
    EXPECT_FALSE(tabBarVisible());
    EXPECT_EQ(delisting->nowCommodityCode(), "AG");
    EXPECT_EQ(delisting->zhaiPaiView()->commodityNameLabel()->text(), nameOf("AG"));
    EXPECT_TRUE(driver.isVisible(delisting->zhaiPaiView()->commodityNameLabel()));
    EXPECT_EQ(delisting->zhaiPaiView()->commodityNameButton()->alpha(), 0);
    EXPECT_TRUE(accountLocked(delisting->tiaoJianZhaiPaiView()->switchingAccountView()));
    EXPECT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    snapshot("order-book-delisting");

    auto* transfer = openShortcutAs<PXJYSimplePingCangZYMSVC>("AG", "1", 6);
    ASSERT_NE(transfer, nullptr);
    transfer->setPingCangValue();
    EXPECT_EQ(transfer->SJPCView()->commodityCode(), "AG");
    EXPECT_EQ(transfer->SJPCView()->maiMaiFangXiangL()->text(), "售出");
    EXPECT_FALSE(transfer->SJPCView()->commodityNameButton()->isEnabled());
    EXPECT_EQ(transfer->SJPCView()->shuLiangFanWei()->text(),
              "(数量范围:1-" + std::to_string(heldLots("AG", "1")) + ")");
    snapshot("order-book-transfer");

    auto* detail = openShortcutAs<PXJYXiangQingZYMSVC>("AG", "1", 7);
    ASSERT_NE(detail, nullptr);
    ASSERT_EQ(detail->ListView()->dataArray().size(), 8u);
    EXPECT_EQ(detail->ListView()->dataArray().front(), nameOf("AG"));
    snapshot("order-book-summary-detail");
}

TEST_F(QuickShortcuts, aMarketOrderFromTheDelistingShortcutAddsALotAtTheSimulator) {
    const int before = heldLots("AG", "1");
    auto* screen = openShortcutAs<PXJYSimpleJianCangVC>("AG", "1", 0);
    ASSERT_NE(screen, nullptr);
    typeOnKeypad(screen->shiJianView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(screen->shiJianView()->jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    const auto orders = received("order_s");
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(req(orders[0], "COMMODITY_ID"), "AG");
    EXPECT_EQ(req(orders[0], "BUY_SELL"), "1");
    EXPECT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == before + 1; }, 10));
}

TEST_F(QuickShortcuts, aTransferFromTheTransferShortcutLeavesOnlyWhenItsMessageIsDismissed) {
    const int before = heldLots("AG", "1");
    auto* screen = openShortcutAs<PXJYSimplePingCangVC>("AG", "1", 2);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    // The picker lists the numbers of this commodity and side only.
    ASSERT_TRUE(driver.tap(screen->SJPCView()->DHbutton()));
    ASSERT_TRUE(driver.tap(screen->SJPCView()->danHaoButton()));
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    const auto numbers = screen->chiCangDanHaoListView()->allChiCangDanHaoID();
    ASSERT_FALSE(numbers.empty());
    for (const auto& number : numbers) {
        const auto& ticket = store().chiCangMingXiXinXi().at(number);
        EXPECT_EQ(ticket->commodityCode, "AG");
        EXPECT_EQ(ticket->buySellSign, "1");
    }
    snapshot("transfer-number-picker");
    screen->chiCangDanHaoListView()->VKJYNavBackAction();
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    // Back on screen it starts over on the market tab, by commodity.
    pushOnTradeTab(std::make_unique<ViewController>());
    tradeNavigation()->popViewController(false);
    driver.settle();
    EXPECT_EQ(screen->shiJia_ZhiJia(), 1);
    EXPECT_TRUE(screen->SJPCView()->danHaoOrShangPin());

    typeOnKeypad(screen->SJPCView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u);
    const auto orders = received("order_s");
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(req(orders[0], "BUY_SELL"), "2");
    EXPECT_EQ(req(orders[0], "CLOSEMODE"), "1");
    EXPECT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == before - 1; }, 10));
}

TEST_F(QuickShortcuts, thePositionSummaryDetailShowsTheSimulatorsHoldingAndTransfersFromItsPanel) {
    auto* screen = openShortcutAs<PXJYXiangQingVC>("AG", "1", 3);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    // The figures of the holding tickets the simulator reported for this commodity and side.
    int lots = 0;
    double cost = 0;
    double floating = 0;
    for (const auto& [number, ticket] : store().chiCangMingXiXinXi()) {
        if (ticket->commodityCode == "AG" && ticket->buySellSign == "1") {
            lots += Text::intValue(ticket->dangQianChiCangLiang);
            cost += Text::intValue(ticket->dangQianChiCangLiang) *
                    Text::doubleValue(ticket->chiCangJia);
            floating += Text::doubleValue(ticket->fuDongYingKui);
        }
    }
    ASSERT_GT(lots, 0);
    screen->setHuiZongDetailValue();
    const auto rows = screen->ListView()->dataArray();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(screen->ListView()->explanationArray().at(5), "转 让 价:");
    EXPECT_EQ(rows[1], "购入");
    EXPECT_EQ(rows[2], std::to_string(lots));
    EXPECT_EQ(rows[4], Text::format("%.2f", cost / lots));
    EXPECT_EQ(rows[5], Text::format("%.2f", SimQuoteLookup::prices(sim, "AG").sellPrice));
    EXPECT_EQ(rows[6], Text::format("%.2f", floating));

    // "查看明细" hands the commodity and side to the holding detail query, without animation.
    PXTradeScreenArgs handed;
    PXTradeScreenFactory::registerScreen("PXJYMingXiViewController",
                                         [&handed](const PXTradeScreenArgs& args) {
                                             handed = args;
                                             return std::make_unique<ViewController>();
                                         });
    ASSERT_TRUE(driver.tap(screen->detailButton()));
    EXPECT_EQ(handed.commodityCode, "AG");
    EXPECT_EQ(handed.buySellSign, "1");
    EXPECT_NE(tradeNavigation()->topViewController(), screen);
    tradeNavigation()->popViewController(false);
    driver.settle();

    const int before = heldLots("AG", "1");
    ASSERT_TRUE(driver.tap(screen->transferButton()));
    driver.settle();
    EXPECT_TRUE(screen->isPanelShown());
    EXPECT_EQ(screen->SJPCView()->zhuanRangJiaGe()->text(), simPrice("AG", false));
    EXPECT_EQ(screen->chiCangDanHaoListView()->navigationBarView()->title()->text(), "持牌明细");
    typeOnKeypad(screen->SJPCView()->shuLiang(), "1");
    snapshot("summary-detail-transfer");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(tradeNavigation()->viewControllers().size(), 1u);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == before - 1; }, 10));
}

// The position summary detail of the first account waits on the trade tab while another
// account logs in from the quick panel of 白银 on 行情: back, none of that summary shows, and its
// transfer sends nothing.
class QuickShortcutsAfterLoginElsewhere : public QuickShortcuts {
protected:
    QuickPanelLogin quickPanels{driver,
                                [this](const std::string& uuid) { return captchaCode(uuid); }};
};

TEST_F(QuickShortcutsAfterLoginElsewhere, thePositionSummaryDetailShowsNoneOfTheAccountBefore) {
    const std::string other = "100000000000003";
    ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath()).addAccount({"01", "01", other}));
    auto* screen = openShortcutAs<PXJYXiangQingVC>("AG", "1", 3);
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->ListView()->dataArray().size(), 8u);
    ASSERT_TRUE(quickPanels.logIn(*delegate, "白银", other));
    tradeServer().clearReceived();
    ASSERT_EQ(tradeNavigation()->topViewController(), screen);
    EXPECT_TRUE(screen->ListView()->dataArray().empty());
    ASSERT_TRUE(driver.tap(screen->transferButton()));
    driver.settle();
    typeOnKeypad(screen->SJPCView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
}

// The transfer tab keeps what was typed on it while a holding is picked on the conditional tab.
TEST_F(QuickShortcuts, aPickOnTheConditionalTabLeavesTheOneCommodityTransferAsTyped) {
    auto* screen = openShortcutAs<PXJYSimplePingCangVC>("AG", "1", 2);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    typeOnKeypad(form.shuLiang(), "1");
    const std::string range = form.shuLiangFanWei()->text();
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    ASSERT_TRUE(driver.tap(screen->ZJPCView()->commodityDanHao()));
    driver.settle();
    ASSERT_TRUE(driver.tapRow(*screen->chiCangDanHaoListView()->tableView(), IndexPath{0, 0}));
    refresh();
    ASSERT_TRUE(driver.tap(screen->SJbutton()));
    refresh();
    EXPECT_EQ(form.shuLiang()->text(), "1");
    EXPECT_EQ(form.shuLiangFanWei()->text(), range);
    EXPECT_FALSE(form.danHaoID());
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(req(received("order_s").at(0), "CLOSEMODE"), "1");
}

// Before a holding number is picked, by number and on the conditional tab alike, the price
// board keeps showing the summary's commodity through the refreshes.
TEST_F(QuickShortcuts, theOneCommodityBoardShowsTheSummaryBeforeANumberIsPicked) {
    auto* screen = openShortcutAs<PXJYSimplePingCangVC>("AG", "1", 2);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    const Label& sell = *screen->commodityInformationView()->sellL();
    ASSERT_TRUE(driver.tap(screen->SJPCView()->DHbutton()));
    refresh();
    EXPECT_EQ(sell.text(), simPrice("AG", false));
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    refresh();
    EXPECT_EQ(sell.text(), simPrice("AG", false));
}

// A holding number closed meanwhile is gone from the panel once the holdings are asked again.
TEST_F(QuickShortcuts, aHoldingNumberClosedMeanwhileLeavesTheDetailsPanelNothingToSend) {
    auto* screen = openShortcutAs<PXJYXiangQingVC>("AG", "1", 3);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    ASSERT_TRUE(driver.tap(screen->transferButton()));
    driver.settle();
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    ASSERT_TRUE(driver.tap(form.DHbutton()));
    ASSERT_TRUE(driver.tap(form.danHaoButton()));
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    PXJYChiCangDanHaoListView& picker = *screen->chiCangDanHaoListView();
    const std::string number = picker.allChiCangDanHaoID().at(0);
    ASSERT_TRUE(driver.tapRow(*picker.tableView(), IndexPath{0, 0}));
    driver.settle();
    EXPECT_EQ(form.danHaoButton()->currentTitle(), number);

    closeElsewhere(number);
    ASSERT_TRUE(driver.tap(form.danHaoButton()));
    ASSERT_TRUE(driver.runUntil([&] { return !store().chiCangMingXiXinXi().count(number); }));
    picker.VKJYNavBackAction();
    refresh();
    EXPECT_EQ(form.danHaoButton()->currentTitle(), "");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "请选择单号");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_s").empty());
}

TEST_F(QuickShortcuts, anOrderBookSummaryClosedMeanwhileLeavesTheTransferNothingToList) {
    makeOrderBook("AG");
    auto* transfer = openShortcutAs<PXJYSimplePingCangZYMSVC>("AG", "1", 6);
    ASSERT_NE(transfer, nullptr);
    transfer->setPingCangValue();
    PXJYZhuanRangZYMSView& form = *transfer->SJPCView();
    ASSERT_EQ(form.maiMaiFangXiangL()->text(), "售出");

    std::vector<std::string> bought;
    for (const auto& [number, ticket] : store().chiCangMingXiXinXi()) {
        if (ticket->commodityCode == "AG" && ticket->buySellSign == "1") {
            bought.push_back(number);
        }
    }
    for (const auto& number : bought) {
        closeElsewhere(number);
    }
    // As the heartbeat does on a new deal of the account.
    tradeModule().PXJYTimerManger().getChiCangHuiZong();
    ASSERT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == 0; }));
    refresh();
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
    typeOnKeypad(form.shuLiang(), "1");
    typeText(form.zhuanRangJiaGe(), "2300");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "请选择商品");
    EXPECT_TRUE(received("order_list").empty());
}

TEST_F(QuickShortcuts, aRefusedReverseDelistingKeepsTheDetailAndItsPanelAndSaysTheTransferWent) {
    auto* screen = openShortcutAs<PXJYXiangQingVC>("AG", "1", 3);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    const int before = heldLots("AG", "1");
    ASSERT_TRUE(driver.tap(screen->transferButton()));
    driver.settle();
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    typeOnKeypad(form.shuLiang(), "1");
    form.fanXiangJianCangButtonAction();
    driver.settle();
    form.FXJCShuLiang()->setText("1");
    driver.pressKey("完成");
    driver.settle();
    tradeServer().answerCodeNext(-1, "order_s", 2);
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10));
    EXPECT_EQ(alertMessage(), "转让成功， 反向摘牌失败 模拟错误");
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
    EXPECT_TRUE(screen->isPanelShown());
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    const auto orders = received("order_s");
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(req(orders[1], "BUY_SELL"), req(orders[0], "BUY_SELL"));
    EXPECT_EQ(req(orders[1], "CLOSEMODE"), "1");
    EXPECT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == before - 1; }, 10));
}

TEST_F(QuickShortcuts, anOrderBookDelistingKeepsItsCommodityAndTheTransferListingFreezesLots) {
    ASSERT_TRUE(listingsHeard([&] {
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2150 + i, 7));
        }
    }));
    PXTradeScreenArgs args;
    args.commodityCode = "zn";
    auto* screen = pushMade<PXJYSimpleJianCangZYMSVC>("PXJYSimpleJianCangZYMSVC", args);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return screen->guaPaiInfoArray().size() == 2; }, 5));
    EXPECT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));

    // Back from a screen pushed over it, the heartbeat still follows this commodity.
    pushOnTradeTab(std::make_unique<ViewController>());
    EXPECT_EQ(store().currentCommodityCode(), "");
    tradeNavigation()->popViewController(false);
    driver.settle();
    EXPECT_EQ(store().currentCommodityCode(), "zn");
    // Shown again, it asks for its book again.
    EXPECT_TRUE(driver.runUntil([] {
        return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
    }));

    const int before = heldLots("zn", "1");
    PXJYZhaiPaiViewZYMS& form = *screen->zhaiPaiView();
    // Pressed while the heartbeat asks for the book again, answered after the finger lifts.
    const size_t asked = received("faes_sellingbuying_query").size();
    tradeServer().holdReplies("faes_sellingbuying_query");
    driver.longPress(*driver.rowPoint(*form.guaPaiListView()->tableView(), {0, 0}), 0, [&] {
        NotificationCenter::defaultCenter().post("REFRESH_C_LIST_SELL");
        ASSERT_TRUE(
            driver.runUntil([&] { return received("faes_sellingbuying_query").size() > asked; }));
    });
    tradeServer().releaseReplies("faes_sellingbuying_query");
    EXPECT_TRUE(driver.runUntil([&] { return HttpClient::exchangesInFlight() == 0; }));
    EXPECT_EQ(form.jiaGeZ()->text(), "2150.0");
    ASSERT_TRUE(driver.tapRow(*form.guaPaiListView()->tableView(), IndexPath{0, 0}));
    typeOnKeypad(form.shuLiang(), "3");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(req(received("order_mp").at(0), "COMMODITY_ID"), "zn");
    ASSERT_TRUE(driver.runUntil([&] { return heldLots("zn", "1") == before + 3; }, 10));

    auto* transfer = openShortcutAs<PXJYSimplePingCangZYMSVC>("zn", "1", 6);
    ASSERT_NE(transfer, nullptr);
    transfer->setPingCangValue();
    typeOnKeypad(transfer->SJPCView()->shuLiang(), "2");
    typeText(transfer->SJPCView()->zhuanRangJiaGe(), "2300");
    const int frozen = frozenLots("zn", "1");
    ASSERT_TRUE(driver.tap(transfer->SJPCView()->zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    const auto listing = received("order_list").at(0);
    EXPECT_EQ(req(listing, "COMMODITY_ID"), "zn");
    EXPECT_EQ(req(listing, "BUY_SELL"), "2");
    EXPECT_EQ(req(listing, "QTY"), "2");
    EXPECT_TRUE(driver.runUntil([&] { return frozenLots("zn", "1") == frozen + 2; }, 10))
        << frozenLots("zn", "1");
}

// An open-orders query that failed leaves the conditional range unknown, never taken as none:
// it is asked again when the screen shows again, and at the tap refused for want of it.
TEST_F(QuickShortcuts, theOpenOrdersOfAFailedQueryAreAskedAgainOnShowingAndAtTheRefusedTap) {
    const auto failed = [&] {
        return driver.runUntil([&] { return alertMessage() == "模拟错误"; }, 10) &&
               driver.tapAlertButton("确定");
    };
    tradeServer().answerCodeNext(-1, "my_order_query");
    PXTradeScreenArgs args;
    args.commodityCode = "zn";
    auto* screen = pushMade<PXJYSimpleJianCangZYMSVC>("PXJYSimpleJianCangZYMSVC", args);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(failed());
    tradeServer().answerCodeNext(-1, "my_order_query");
    pushOnTradeTab(std::make_unique<ViewController>());
    tradeNavigation()->popViewController(false);
    EXPECT_TRUE(failed());
    EXPECT_EQ(received("my_order_query").size(), 2u);

    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    PXJYTiaoJianZhaiPaiViewZYMS& form = *screen->tiaoJianZhaiPaiView();
    typeOnKeypad(form.shuLiang(), "1");
    typeText(form.jiaGeZ(), "2150");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "获取数据失败");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(driver.runUntil([&] { return !form.fanWei()->text().empty(); }, 10));
    EXPECT_EQ(received("my_order_query").size(), 3u);
    EXPECT_TRUE(received("order_mp").empty());
}

TEST_F(QuickShortcuts, aHeldCommodityWhoseQuoteCodeDiffersInCaseShowsOneRowOnTheHome) {
    ASSERT_TRUE(holdOrderBookLots("zn", "2150", 2));
    // The quote side names zinc "ZN" and matches codes without regard to case; the user
    // watches it.
    auto quotes = VKJYHangQingDataClass::current();
    ASSERT_TRUE(quotes && quotes->hqjyEntity());
    bool renamed = false;
    for (const auto& item : quotes->hqjyEntity()->commodityInfoArray()) {
        for (const auto& market : item->MarketInfoArray) {
            for (const auto& disk : market->diskInfoArray) {
                for (const auto& info : disk->commodityInfoArray) {
                    if (info->CommodityCode == "zn" && info->CommodityCodeLetterCase == 0) {
                        info->CommodityCode = "ZN";
                        quotes->HQChooseCommodityIDArray().push_back(
                            Text::format("%d_%d", info->CommodityID, info->panindex));
                        renamed = true;
                    }
                }
            }
        }
    }
    ASSERT_TRUE(renamed);

    PXJYRootViewController* root = home();
    ASSERT_NE(root, nullptr);
    PXTradeHomeView& view = *root->tradeHomeView();
    auto zincRows = [&] {
        int count = 0;
        for (const auto& row : view.commodityAllKeys()) {
            count += row && row->commodityCode == "zn" ? 1 : 0;
        }
        return count;
    };
    ASSERT_TRUE(driver.runUntil([&] {
        view.reloadTableView();
        return heldLots("zn", "1") == 2 && zincRows() > 0;
    }));
    driver.settle();
    EXPECT_EQ(zincRows(), 1);
    EXPECT_EQ(driver.viewsWithText("锌").size(), 1u);
    snapshot("home-held-quote-code-case");
}

using QuickShortcutsOnBothScreens = OnBothScreens<QuickShortcuts>;

TEST_P(QuickShortcutsOnBothScreens,
       aHoldingNumbersQueryFailingWhileTheTransferTravelsLeavesNoOverlayBehind) {
    auto* screen = openShortcutAs<PXJYSimplePingCangVC>("AG", "1", 2);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    typeOnKeypad(screen->SJPCView()->shuLiang(), "1");
    tradeServer().holdReplies("order_s");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return received("order_s").size() == 1; }, 5));

    // The holding numbers are asked for again while the transfer travels, and refused.
    tradeServer().answerCodeNext(-1, "holding_detail_query");
    screen->getChiCangMingXi();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10));
    EXPECT_EQ(alertMessage(), "模拟错误");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the transfer is still on its way";
    snapshot("transfer-travelling-" + std::to_string(GetParam()));
    EXPECT_TRUE(
        secondTapUnsentUntilAnswered(screen->SJPCView()->zhuanRangButton(), "order_s", "转让成功"));
}

INSTANTIATE_TEST_SUITE_P(Heights, QuickShortcutsOnBothScreens, ::testing::Values(568, 480));

TEST_F(QuickShortcuts, theBusyOverlayStaysUntilTheLastOfItsRequestsIsAnswered) {
    auto first = PXTradeNetworkManger::create();
    auto second = PXTradeNetworkManger::create();
    {
        PXTradeBusyOverlay busy;
        busy.began(first.get());
        busy.began(second.get());
        EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
        busy.ended(first.get());
        busy.ended(first.get());
        EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1);
        busy.ended(second.get());
        EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
        busy.began(first.get());
    }
    // A screen that leaves takes its overlay with it.
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
}

TEST_F(QuickShortcuts, anUnknownCommodityOrHoldingShowsDashesAndSendsNothing) {
    PXTradeScreenArgs args;
    args.commodityCode = "NOPE";
    args.shiJiaZhiJia = 1;
    auto* market = pushMade<PXJYSimpleJianCangVC>("PXJYSimpleJianCangVC", args);
    ASSERT_NE(market, nullptr);
    EXPECT_EQ(market->shiJianView()->commodityNameLabel()->text(), "--");
    EXPECT_EQ(market->shiJianView()->jiaGeZ()->text(), "--");
    typeOnKeypad(market->shiJianView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(market->shiJianView()->jianCangButton()));
    EXPECT_NE(driver.visibleAlert(), nullptr);
    driver.tapAlertButton("确定");
    snapshot("unknown-delisting");

    auto* orderBook = pushMade<PXJYSimpleJianCangZYMSVC>("PXJYSimpleJianCangZYMSVC", args);
    ASSERT_NE(orderBook, nullptr);
    EXPECT_EQ(orderBook->zhaiPaiView()->commodityNameLabel()->text(), "--");
    ASSERT_TRUE(driver.tap(orderBook->ZJbutton()));
    typeOnKeypad(orderBook->tiaoJianZhaiPaiView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(orderBook->tiaoJianZhaiPaiView()->jianCangButton()));
    EXPECT_NE(driver.visibleAlert(), nullptr);
    driver.tapAlertButton("确定");

    PXTradeScreenArgs byNumber;
    byNumber.holdingNumber = "999999";
    auto* transfer = pushMade<PXJYSimplePingCangZYMSVC>("PXJYSimplePingCangZYMSVC", byNumber);
    ASSERT_NE(transfer, nullptr);
    transfer->setPingCangValue();
    EXPECT_EQ(transfer->SJPCView()->commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(transfer->SJPCView()->danHaoButton()->currentTitle(), "");
    EXPECT_EQ(transfer->SJPCView()->shuLiangFanWei()->text(), "(数量范围:0-0)");
    EXPECT_FALSE(transfer->SJPCView()->DHbutton()->isEnabled());
    typeOnKeypad(transfer->SJPCView()->shuLiang(), "1");
    typeText(transfer->SJPCView()->zhuanRangJiaGe(), "2300");
    ASSERT_TRUE(driver.tap(transfer->SJPCView()->zhuanRangButton()));
    EXPECT_NE(driver.visibleAlert(), nullptr);
    driver.tapAlertButton("确定");
    snapshot("unknown-order-book-transfer");

    driver.settle();
    for (const char* name : {"order_s", "order_x", "order_mp", "order_list",
                             "faes_sellingbuying_query", "my_order_query"}) {
        EXPECT_TRUE(received(name).empty()) << name;
    }
}

class QuickShortcutsShortScreen : public QuickScreenTest {
protected:
    QuickShortcutsShortScreen() : QuickScreenTest({320, 480}) {}
};

TEST_F(QuickShortcutsShortScreen, everyScreenKeepsItsButtonsOnTheShortScreen) {
    auto* market = openShortcutAs<PXJYSimpleJianCangVC>("AG", "1", 0);
    ASSERT_NE(market, nullptr);
    EXPECT_TRUE(driver.isVisible(market->shiJianView()->jianCangButton()));
    EXPECT_TRUE(driver.isVisible(market->shiJianView()->shuLiang()));
    snapshot("short-delisting-market");
    auto* conditional = openShortcutAs<PXJYSimpleJianCangVC>("AG", "1", 1);
    ASSERT_NE(conditional, nullptr);
    snapshot("short-delisting-conditional");
    auto* transfer = openShortcutAs<PXJYSimplePingCangVC>("AG", "1", 2);
    ASSERT_NE(transfer, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    EXPECT_TRUE(driver.isVisible(transfer->SJPCView()->zhuanRangButton()));
    snapshot("short-transfer");
    auto* detail = openShortcutAs<PXJYXiangQingVC>("AG", "1", 3);
    ASSERT_NE(detail, nullptr);
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    EXPECT_TRUE(driver.isVisible(detail->transferButton()));
    EXPECT_TRUE(driver.isVisible(detail->detailButton()));
    snapshot("short-summary-detail");
    ASSERT_TRUE(driver.tap(detail->transferButton()));
    driver.settle();
    EXPECT_TRUE(driver.isVisible(detail->SJPCView()->zhuanRangButton()));
    snapshot("short-summary-detail-panel");

    store().shangPinXinXi().at("AG")->shangPinJiaoYiMoShi = "4";
    auto* delisting = openShortcutAs<PXJYSimpleJianCangZYMSVC>("AG", "1", 5);
    ASSERT_NE(delisting, nullptr);
    driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; });
    snapshot("short-order-book-delisting");
    auto* orderBookTransfer = openShortcutAs<PXJYSimplePingCangZYMSVC>("AG", "1", 6);
    ASSERT_NE(orderBookTransfer, nullptr);
    orderBookTransfer->setPingCangValue();
    snapshot("short-order-book-transfer");
    auto* orderBookDetail = openShortcutAs<PXJYXiangQingZYMSVC>("AG", "1", 7);
    ASSERT_NE(orderBookDetail, nullptr);
    EXPECT_TRUE(driver.isVisible(orderBookDetail->detailButton()));
    snapshot("short-order-book-summary-detail");
}

}  // namespace
