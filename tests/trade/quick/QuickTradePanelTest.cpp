#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "market/VKJYCommodityCell.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketScreens.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYFastTradeViewControllerFactory.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"
#include "sim/trade/SimTradeLedger.h"
#include "sim/trade/SimTradeServer.h"
#include "support/session/TradeSessionFixture.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/quick/PXFastTradeRules.h"
#include "trade/quick/PXFastTradeVCZYMS.h"
#include "trade/quick/PXTradeQuickPanels.h"

namespace {

// The shell logged in to exchange 01, environment 01 (AG quote mode, zn order-book mode), with
// the quote screen opened from the market list the way a person does.
class QuickTradePanelTest : public TradeSessionFixture {
protected:
    explicit QuickTradePanelTest(Size size = {320, 568}) : TradeSessionFixture(size) {
        VKJYMarketUIViewController::registerAsMarketRoot();
        registerVKJYMarketScreens();
        registerPXTradeQuickPanels();
        UserDefaults::standardUserDefaults().setBool(false,
                                                     VKJYMarketUIViewController::kShowHelpKey);
    }
    ~QuickTradePanelTest() override {
        VKJYTabRootFactory::setMarketRootMaker(nullptr);
        VKJYFastTradeViewControllerFactory::registerPanels({}, {});
    }

    void TearDown() override {
        if (chart && chart->navigationController()) {
            chart->navigationController()->popToRootViewController(false);
        }
        driver.runFor(0.3);
    }

    PXTradeData& store() const { return tradeModule().PXJYData(); }

    VKJYMarketUIViewController* market() const {
        auto* tabs = delegate->tabBarHelper().tabBarController();
        auto* stack = dynamic_cast<NavigationController*>(tabs->viewControllers().front());
        return dynamic_cast<VKJYMarketUIViewController*>(stack->viewControllers().front());
    }

    // Taps the commodity's row of a panel (section 1 the first, 2 the second...) and waits for
    // its live quote.
    VKJYMarketChartController* openChart(const std::string& name, int section = 1) {
        delegate->tabBarHelper().tabBarController()->setSelectedIndex(0);
        VKJYMarketUIViewController* list = market();
        if (!driver.runUntil([&] { return list->dataRoad().isTimeEnd(); }, 15)) {
            return nullptr;
        }
        TableView& table = *list->CommodityInfoListTableView();
        for (int row = 0; row < table.numberOfRows(section); ++row) {
            table.scrollToRow({section, row}, TableViewScrollPosition::Middle, false);
            auto* cell = dynamic_cast<VKJYCommodityCell*>(table.cellForRow({section, row}));
            if (!cell || cell->commodityNameLabel()->text() != name) {
                continue;
            }
            if (!driver.tapRow(table, {section, row})) {
                return nullptr;
            }
            auto* nav = list->navigationController();
            chart = dynamic_cast<VKJYMarketChartController*>(nav->topViewController());
            const bool shows = chart && driver.runUntil([&] {
                return chart->isAppeared() && chart->yikoujiaLabel()->text() != "--";
            });
            return shows ? chart : nullptr;
        }
        return nullptr;
    }

    template <typename T = PXFastTradeViewController>
    T* openPanel(View* entry) {
        if (!driver.tap(entry)) {
            return nullptr;
        }
        auto* panel = dynamic_cast<T*>(chart->tradeVC());
        // A refused panel closes (and goes) while it is awaited.
        const bool shown = panel && driver.runUntil([&] {
            return chart->tradeVC() == panel && panel->isShown() &&
                   panel->view()->frame().y == 20 && VKJYCommonViewUtil::activityCount() == 0;
        });
        return shown ? panel : nullptr;
    }

    void typeQuantity(PXFastTradeViewController& panel, const std::string& digits) {
        ASSERT_TRUE(driver.tap(panel.shuLiangTextField()));
        while (!panel.shuLiangTextField()->text().empty()) {
            ASSERT_TRUE(driver.tap(panel.key("X")));
        }
        for (char digit : digits) {
            ASSERT_TRUE(driver.tap(panel.key(std::string(1, digit))));
        }
    }

    // Names of the requests since the last clear, in order.
    std::vector<std::string> receivedNames() {
        std::vector<std::string> names;
        for (const auto& request : tradeServer().received()) {
            names.push_back(request.name);
        }
        return names;
    }
    std::string alertMessage() const {
        AlertView* alert = driver.visibleAlert();
        return alert ? alert->message() : std::string();
    }
    // Sends the order and waits for its answer; the holdings are asked for again after success.
    bool sendAndAwait(PXFastTradeViewController& panel, const std::string& name) {
        tradeServer().clearReceived();
        return driver.tap(panel.xiaDan()) &&
               driver.runUntil([&] { return !received(name).empty(); }, 10) &&
               driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10);
    }
    // A holdings refresh of the heartbeat may come before the order: wait for one after it.
    bool holdingsAskedAfter(const std::string& order) {
        return driver.runUntil([&] {
            const auto names = receivedNames();
            const auto sent = std::find(names.begin(), names.end(), order);
            return sent != names.end() &&
                   std::find(sent, names.end(), "holding_query") != names.end();
        });
    }
    // The heartbeat finds the order's deal and refreshes the account (holdings, their details,
    // the firm) besides the order's own holdings refresh; a hold or refusal set after this
    // meets only what the next step sends.
    bool accountRefreshedAfter(const std::string& order) {
        return driver.runUntil([&] {
            const auto names = receivedNames();
            const auto sent = std::find(names.begin(), names.end(), order);
            return sent != names.end() && std::count(sent, names.end(), "holding_query") >= 2 &&
                   std::find(sent, names.end(), "holding_detail_query") != names.end() &&
                   std::find(sent, names.end(), "firm_info") != names.end() &&
                   HttpClient::exchangesInFlight() == 0;
        });
    }
    // An order of this account sent straight to the simulated server, as another device of
    // the customer would: a buy of zn at a price no listing meets, so its lots wait on the book.
    nlohmann::json ownRequest(nlohmann::json fields) {
        fields["USER_ID"] = loggedIn.account;
        fields["SESSION_ID"] = store().tradeSession()->JYsessionID;
        return fields;
    }
    std::string placeWaitingBuy(int qty) {
        tradeServer().ledger().handle(SimTradeLink::Trade, "order_mp",
                                      ownRequest({{"COMMODITY_ID", "zn"},
                                                  {"BUY_SELL", "1"},
                                                  {"PRICE", "2000"},
                                                  {"QTY", std::to_string(qty)},
                                                  {"SETTLE_BASIS", "1"},
                                                  {"ISLIST", "1"},
                                                  {"CLOSEMODE", "1"},
                                                  {"HOLDING_ID", ""}}));
        const auto reply = tradeServer().ledger().handle(SimTradeLink::Trade, "my_order_query",
                                                         ownRequest({{"COMMODITY_ID", "zn"}}));
        std::string number;
        findOrder(reply, std::to_string(qty), number);
        return number;
    }
    static void findOrder(const nlohmann::json& node, const std::string& qty, std::string& out) {
        if (node.is_object() && node.value("QTY", "") == qty && node.contains("OR_N")) {
            out = node["OR_N"].get<std::string>();
        }
        if (node.is_structured()) {
            for (const auto& child : node) {
                findOrder(child, qty, out);
            }
        }
    }

    // Taps "速摘" while logged out; the trading login it pushes over the quote screen.
    PXJYTradeLoginVC* loginFromEntry() {
        NavigationController* nav = chart->navigationController();
        if (!driver.tap(chart->buyButton()) || !driver.runUntil([&] {
                return dynamic_cast<PXJYTradeLoginVC*>(nav->topViewController()) != nullptr;
            })) {
            return nullptr;
        }
        auto* login = dynamic_cast<PXJYTradeLoginVC*>(nav->topViewController());
        driver.runUntil(
            [&] { return login->isAppeared() && VKJYCommonViewUtil::activityCount() == 0; });
        return login;
    }
    void typePrice(PXFastTradeVCZYMS& panel, const std::vector<std::string>& keys) {
        ASSERT_TRUE(driver.tap(panel.jiaGeTextField()));
        for (const auto& key : keys) {
            ASSERT_TRUE(driver.tap(panel.key(key)));
        }
    }

    // The quote-mode panel over 白银, with a second account saved beside the logged-in one.
    PXFastTradeViewController* openPanelWithSavedAccount(const PXJYSavedAccount& account) {
        if (!PXJYSavedAccounts(delegate->accountInfoFilePath()).addAccount(account) ||
            !openChart("白银") ||
            !driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 10)) {
            return nullptr;
        }
        return openPanel(chart->buyButton());
    }
    // Picks the saved account of that row (a section per environment) in the panel's switcher;
    // the switch screen it pushes.
    PXJYSimpleLoginVC* switchScreenOf(PXFastTradeViewController& panel, IndexPath row) {
        PXJYSwitchingAccountView& switcher = *panel.switchingAccountView();
        if (!driver.tap(switcher.accountButton()) ||
            !driver.tapRow(*switcher.environmentListView(), row)) {
            return nullptr;
        }
        NavigationController* nav = chart->navigationController();
        PXJYSimpleLoginVC* login = nullptr;
        driver.runUntil([&] {
            login = dynamic_cast<PXJYSimpleLoginVC*>(nav->topViewController());
            return login && login->isAppeared() && VKJYCommonViewUtil::activityCount() == 0;
        });
        return login;
    }
    // Logs the chosen account in there (its environment asking for a captcha or not) and
    // confirms the switch; true once the quote screen is back with a login in force.
    bool switchOn(PXJYSimpleLoginVC& login, const std::string& environment, bool captcha) {
        PXJYCaptchaButton& code = *login.captchaButton();
        if ((captcha && !driver.runUntil([&] { return !code.validString().empty(); })) ||
            !driver.tap(login.passwordTextField())) {
            return false;
        }
        driver.typeText("111111");
        if (captcha) {
            typeOnKeypad(login.captchaTextField(),
                         captchaCode(code.validString(), "01", environment));
        }
        const bool back =
            driver.tapText("登录") && driver.tapAlertButton("确定") &&
            driver.runUntil(
                [&] {
                    return chart->navigationController()->topViewController() == chart &&
                           tradeModule().tradeLogin() && VKJYCommonViewUtil::activityCount() == 0;
                },
                10);
        driver.settle();
        return back;
    }

    void snapshot(const std::string& name) {
        driver.settle();
        EXPECT_TRUE(driver.saveSnapshot(snapshotPath("quick-" + name)));
    }

    VKJYMarketChartController* chart = nullptr;
};

class QuickTradePanelShortScreen : public QuickTradePanelTest {
protected:
    QuickTradePanelShortScreen() : QuickTradePanelTest({320, 480}) {}
};

}  // namespace

// The order's line fails only after another account logged on: the failure of the ended
// session tells nothing, and the panel's overlay goes.
TEST_F(QuickTradePanelTest, aLineFailureOfAnOrderOfAnEndedSessionIsNotTold) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("fastPrompt", "2");
    ASSERT_NE(openChart("白银"), nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 10));
    auto* panel = openPanel(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    typeQuantity(*panel, "1");
    EXPECT_TRUE(lineFailureAfterAnotherLogonUntold(
        "order_s", [&] { driver.tap(panel->xiaDan()); },
        [] { return HttpClient::exchangesInFlight() == 0; },
        {"100000000000002", "111111", "01", "01"}));
}

TEST_F(QuickTradePanelTest, quoteModeDelistsAndTransfersAtTheLivePriceAndClosesByItsHandle) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("fastPrompt", "2");
    ASSERT_NE(openChart("白银"), nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 10));
    auto* panel = openPanel(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->commodityCode(), "AG");
    EXPECT_EQ(panel->xiaDan()->currentTitle(), "速摘");
    EXPECT_EQ(panel->more()->currentTitle(), "去速转");
    const auto& ag = *store().shangPinXinXi().at("AG");
    EXPECT_EQ(panel->fanWei()->text(),
              "(数量范围:" + ag.DBZuiXiaoKeWeiTuoLiang + "-" + ag.DBZuiDaKeWeiTuoLiang + ")");
    EXPECT_TRUE(driver.runUntil([&] { return chart->ykjIsFromJiaoYi(); }, 10));
    snapshot("quote-mode-568");

    // The keypad writes into the one field before any touch.
    ASSERT_TRUE(driver.tap(panel->key("5")));
    EXPECT_EQ(panel->shuLiangTextField()->text(), "15");

    // Quick delist, buying then selling, each at the live price of its side.
    typeQuantity(*panel, "2");
    ASSERT_TRUE(sendAndAwait(*panel, "order_s"));
    const auto bought = received("order_s").front();
    EXPECT_EQ(reqValue(bought, "BUY_SELL"), "1");
    EXPECT_EQ(reqValue(bought, "COMMODITY_ID"), "AG");
    EXPECT_EQ(reqValue(bought, "QTY"), "2");
    EXPECT_EQ(reqValue(bought, "SETTLE_BASIS"), "1");
    EXPECT_GT(std::stod(reqValue(bought, "PRICE")), 0);
    EXPECT_EQ(alertMessage(), "下单成功");
    EXPECT_TRUE(holdingsAskedAfter("order_s"));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.tap(panel->sellButton()));
    EXPECT_EQ(panel->price(),
              Text::format("%f", store().zuiXinYiKouJia().at("AG")->commoditySellPrice));
    typeQuantity(*panel, "1");
    ASSERT_TRUE(sendAndAwait(*panel, "order_s"));
    EXPECT_EQ(reqValue(received("order_s").front(), "BUY_SELL"), "2");
    EXPECT_EQ(alertMessage(), "下单成功");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] {
        const auto held = PXFastTradeRules::holdingsOf(store().chiCangHuiZongXinXi(), "AG");
        return held.buy && held.sell;
    }));

    // Quick transfer: both sides are held, so both directions stay open; buying closes the
    // sold lot.
    ASSERT_TRUE(driver.tap(panel->more()));
    ASSERT_TRUE(driver.runUntil([&] { return panel->XiaDanType() == 2 && panel->isShown(); }));
    EXPECT_EQ(panel->shuLiangTextField()->text(), "");
    EXPECT_EQ(panel->xiaDan()->currentTitle(), "速转");
    EXPECT_TRUE(panel->buyButton()->isEnabled());
    ASSERT_TRUE(driver.tap(panel->buyButton()));
    EXPECT_EQ(panel->fanWei()->text(), "(数量范围:1-1)");
    typeQuantity(*panel, "1");
    ASSERT_TRUE(sendAndAwait(*panel, "order_s"));
    const auto transfer = received("order_s").front();
    EXPECT_EQ(reqValue(transfer, "BUY_SELL"), "1");
    EXPECT_EQ(reqValue(transfer, "SETTLE_BASIS"), "2");
    EXPECT_EQ(alertMessage(), "下单成功");
    EXPECT_TRUE(holdingsAskedAfter("order_s"));
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    ASSERT_TRUE(driver.tap(panel->closeButton()));
    EXPECT_TRUE(driver.runUntil([&] { return chart->tradeVC() == nullptr; }));
    EXPECT_FALSE(chart->ykjIsFromJiaoYi());
}

// A lost session closes an open panel, on show or behind the trade tab, and the header follows
// the quote screen's own live quotes again.
TEST_F(QuickTradePanelTest, aSessionEndClosesThePanelAndGivesTheHeaderBack) {
    ASSERT_TRUE(launchAndLogIn());
    for (const bool behindTradeTab : {false, true}) {
        ASSERT_TRUE(tradeModule().tradeLogin() || logIn());
        if (chart) {
            chart->navigationController()->popToRootViewController(false);
            driver.settle();
        }
        ASSERT_NE(openChart("白银"), nullptr);
        ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 10));
        ASSERT_NE(openPanel(chart->buyButton()), nullptr);
        ASSERT_TRUE(driver.runUntil([&] { return chart->ykjIsFromJiaoYi(); }, 10));
        if (behindTradeTab) {
            delegate->tabBarHelper().selectTradeTab();
            driver.settle();
        }
        tradeServer().answerCodeNext(1004, "SYS_TIME_QUERY");
        ASSERT_TRUE(driver.runUntil(
            [&] { return alertMessage() == "您的当前登录状态已失效,请重新登录!"; }, 10));
        ASSERT_TRUE(driver.tapAlertButton("取消"));
        EXPECT_TRUE(driver.runUntil([&] { return chart->isAppeared() && !chart->tradeVC(); }));
        EXPECT_FALSE(chart->ykjIsFromJiaoYi());
        const std::string shown = chart->yikoujiaLabel()->text();
        sim.clock().advance(120 * 1000);
        EXPECT_TRUE(driver.runUntil([&] { return chart->yikoujiaLabel()->text() != shown; }, 10))
            << (behindTradeTab ? "behind the trade tab" : "on show");
    }
}

// The idle logout comes while the panel's own account switch is on screen: the panel waits for
// it (the switch answers to the panel) and trades on for the account logged in there.
TEST_F(QuickTradePanelTest, aSessionEndUnderThePanelsOwnSwitchWaitsForIt) {
    ASSERT_TRUE(launchAndLogIn());
    auto* panel = openPanelWithSavedAccount({"01", "01", "100000000000002"});
    ASSERT_NE(panel, nullptr);
    PXJYSimpleLoginVC* login = switchScreenOf(*panel, {0, 1});
    ASSERT_NE(login, nullptr);
    tradeModule().PXJYTimerManger().loginAgain();
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    ASSERT_EQ(chart->tradeVC(), panel);
    ASSERT_TRUE(switchOn(*login, "01", true));
    EXPECT_EQ(chart->tradeVC(), panel);
    EXPECT_TRUE(panel->isShown());
}

// A switch in the panel to an account of another environment, which does not trade the chart's
// commodity: the panel says so and closes, and the header follows the quote screen again.
TEST_F(QuickTradePanelTest, aSwitchToAnAccountWithoutTheCommodityClosesThePanel) {
    ASSERT_TRUE(launchAndLogIn());
    auto* panel = openPanelWithSavedAccount({"01", "02", "200000000000001"});
    ASSERT_NE(panel, nullptr);
    PXJYSimpleLoginVC* login = switchScreenOf(*panel, {1, 0});
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(switchOn(*login, "02", false));
    EXPECT_EQ(alertMessage(), PXFastTradeViewController::kNotTradable);
    EXPECT_TRUE(driver.runUntil([&] { return !chart->tradeVC(); }));
    EXPECT_FALSE(chart->ykjIsFromJiaoYi());
}

// The simulated environment's panel lists 白银 under the live one's code: a quick entry judges
// the panel on show, so the live account is refused and the simulated one trades it.
TEST_F(QuickTradePanelTest, aLiveAccountIsRefusedTheSimulatedPanelsCommodityOfTheSameCode) {
    ASSERT_TRUE(launchAndLogIn());
    ASSERT_NE(openChart("白银", 2), nullptr);
    ASSERT_EQ(chart->SelectedCommodityInfo()->DiskID, 2);
    ASSERT_TRUE(driver.tap(chart->buyButton()));
    EXPECT_TRUE(driver.runUntil([&] { return !alertMessage().empty() && !chart->tradeVC(); }));
    EXPECT_EQ(alertMessage(), PXFastTradeViewController::kNotTradable);
}

TEST_F(QuickTradePanelTest, aSimulatedAccountTradesTheSimulatedPanelsCommodity) {
    ASSERT_TRUE(launchAndLogIn({"200000000000001", "111111", "01", "02"}));
    ASSERT_NE(openChart("白银", 2), nullptr);
    ASSERT_EQ(chart->SelectedCommodityInfo()->DiskID, 2);
    auto* panel = openPanel(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(alertMessage(), "");
    EXPECT_EQ(panel->commodityCode(), "AG");
}

// In 速转 a switch in the panel prepares the sides again for the holdings of the account now in
// force: one holding nothing closes the panel as opening it would, one holding the other side
// leaves only that side to close.
TEST_F(QuickTradePanelTest, aTransferFollowsTheHoldingsOfTheAccountSwitchedTo) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("fastPrompt", "2");
    ASSERT_NE(openPanelWithSavedAccount({"01", "01", "100000000000002"}), nullptr);
    // Each round: sell (buy) 1 AG, go to 速转, switch to the other account of environment 01.
    for (const int side : {1, 2}) {
        ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 10));
        auto* panel = side == 1 ? dynamic_cast<PXFastTradeViewController*>(chart->tradeVC())
                                : openPanel(chart->buyButton());
        ASSERT_NE(panel, nullptr);
        if (side == 2) {
            ASSERT_TRUE(driver.tap(panel->sellButton()));
        }
        typeQuantity(*panel, "1");
        ASSERT_TRUE(sendAndAwait(*panel, "order_s"));
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(driver.runUntil([&] {
            const auto held = PXFastTradeRules::holdingsOf(store().chiCangHuiZongXinXi(), "AG");
            return static_cast<bool>(side == 1 ? held.buy : held.sell);
        }));
        ASSERT_TRUE(driver.tap(panel->more()));
        ASSERT_TRUE(driver.runUntil([&] { return panel->XiaDanType() == 2 && panel->isShown(); }));
        ASSERT_EQ(panel->XiaDan_FangXiang(), side == 1 ? 2 : 1);
        PXJYSimpleLoginVC* login = switchScreenOf(*panel, {0, side == 1 ? 1 : 0});
        ASSERT_NE(login, nullptr);
        ASSERT_TRUE(switchOn(*login, "01", true));
        if (side == 1) {
            EXPECT_EQ(alertMessage(), PXFastTradeViewController::kNothingHeld);
            ASSERT_TRUE(driver.tapAlertButton("确定"));
            EXPECT_TRUE(driver.runUntil([&] { return !chart->tradeVC(); }));
            continue;
        }
        ASSERT_EQ(chart->tradeVC(), panel);
        EXPECT_TRUE(panel->isShown());
        EXPECT_EQ(panel->XiaDan_FangXiang(), 2);
        EXPECT_FALSE(panel->buyButton()->isEnabled());
        EXPECT_FALSE(panel->sellButton()->isEnabled());
        EXPECT_EQ(panel->fanWei()->text(),
                  PXFastTradeRules::transferRangeText(
                      PXFastTradeRules::holdingsOf(store().chiCangHuiZongXinXi(), "AG"), 2));
        EXPECT_NE(panel->fanWei()->text(), "(数量范围:0-0)");
    }
}

// The side chosen in 速转 stays when the chart shows again after another device closed the lots
// it closes: it shows nothing left to close and sends nothing, never the other side.
TEST_F(QuickTradePanelTest, aTransferSideChosenStaysWhenTheChartShowsAgain) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("fastPrompt", "2");
    ASSERT_TRUE(orderAtTheExchange("AG", "2", "1"));
    const auto requery = [] {
        PXTradeNetworkManger::create()->getJYChiCangMingXi("");
        PXTradeNetworkManger::create()->getJYChiCangHuiZong("");
    };
    requery();
    ASSERT_NE(openChart("白银"), nullptr);
    ASSERT_TRUE(driver.runUntil([&] {
        const auto held = PXFastTradeRules::holdingsOf(store().chiCangHuiZongXinXi(), "AG");
        return held.buy && held.sell && store().zuiXinYiKouJia().count("AG") > 0;
    }));
    auto* panel = openPanel(chart->sellButton());
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(driver.tap(panel->sellButton()));
    typeQuantity(*panel, "1");
    delegate->tabBarHelper().selectTradeTab();
    for (const auto& [number, ticket] : store().chiCangMingXiXinXi()) {
        if (ticket->commodityCode == "AG" && ticket->buySellSign == "1") {
            tradeServer().ledger().closeElsewhere(loggedIn.account, std::stoll(number));
        }
    }
    requery();
    ASSERT_TRUE(driver.runUntil(
        [&] { return !PXFastTradeRules::holdingsOf(store().chiCangHuiZongXinXi(), "AG").buy; }));
    delegate->tabBarHelper().tabBarController()->setSelectedIndex(0);
    ASSERT_TRUE(driver.runUntil([&] { return chart->isAppeared(); }));
    EXPECT_EQ(panel->XiaDan_FangXiang(), 2);
    EXPECT_EQ(panel->fanWei()->text(), "(数量范围:0-0)");
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    EXPECT_EQ(alertMessage(), PXFastTradeRules::kWrongQuantity);
}

TEST_F(QuickTradePanelTest, fastPromptAsksFirstAndCancelSendsNothing) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("fastPrompt", "1");
    ASSERT_NE(openChart("白银"), nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 10));
    auto* panel = openPanel(chart->sellButton());
    ASSERT_NE(panel, nullptr);
    // The seeded account holds bought lots only: selling is the one way to close them.
    EXPECT_EQ(panel->XiaDan_FangXiang(), 2);
    EXPECT_FALSE(panel->buyButton()->isEnabled());
    tradeServer().clearReceived();
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    ASSERT_NE(driver.visibleAlert(), nullptr);
    EXPECT_NE(alertMessage().find("方式:转让售出"), std::string::npos);
    EXPECT_NE(alertMessage().find("商品数量:1"), std::string::npos);
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_s").empty(); }, 10));
    EXPECT_EQ(reqValue(received("order_s").front(), "BUY_SELL"), "2");
}

// A double tap on 买入: the second tap lands on 去速转 of the panel sliding up; it reaches
// nothing, so the panel stays on quick delisting with its quantity.
TEST_F(QuickTradePanelTest, theSecondTapOfADoubleTapThatOpensThePanelReachesNothing) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("fastPrompt", "2");
    ASSERT_NE(openChart("白银"), nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 10));
    driver.tapAt(driver.visibleRect(chart->buyButton()).center(), 2);
    auto* panel = dynamic_cast<PXFastTradeViewController*>(chart->tradeVC());
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(
        driver.runUntil([&] { return panel->isShown() && panel->view()->frame().y == 20; }));
    driver.settle();
    EXPECT_EQ(panel->xiaDan()->currentTitle(), "速摘");
    EXPECT_EQ(panel->shuLiangTextField()->text(), "1");
}

TEST_F(QuickTradePanelTest, withoutALivePriceNothingIsSent) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("fastPrompt", "2");
    ASSERT_NE(openChart("白银"), nullptr);
    tradeModule().PXJYTimerManger().stopJYRefreshTimer();
    auto prices = store().zuiXinYiKouJia();
    prices.erase("AG");
    store().setZuiXinYiKouJia(prices);
    auto* panel = openPanel(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->price(), "0.000000");
    tradeServer().clearReceived();
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易价格");
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
}

TEST_F(QuickTradePanelTest, loggedOutTheEntryLeadsToTheLoginAndALoginOpensThePanel) {
    ASSERT_TRUE(launchShell());
    ASSERT_NE(openChart("白银"), nullptr);
    PXJYTradeLoginVC* login = loginFromEntry();
    ASSERT_NE(login, nullptr);
    ASSERT_NE(login->delegate(), nullptr);

    // The login screen logs in, goes and tells the panel, which then slides in.
    ASSERT_TRUE(logIn());
    PXJYTradeLoginVCDelegate* panel = login->delegate();
    chart->navigationController()->popToViewController(chart, false);
    driver.settle();
    panel->PXJYLoginSuccess();
    auto* shown = dynamic_cast<PXFastTradeViewController*>(chart->tradeVC());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(driver.runUntil([&] { return shown->isShown(); }));
    EXPECT_EQ(shown->commodityCode(), "AG");
}

TEST_F(QuickTradePanelTest, leavingTheLoginEndsThePanelSoTheNextTapMakesANewOne) {
    ASSERT_TRUE(launchShell());
    ASSERT_NE(openChart("白银"), nullptr);
    PXJYTradeLoginVC* login = loginFromEntry();
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return chart->isAppeared() && !chart->tradeVC(); }));
    EXPECT_NE(loginFromEntry(), nullptr);
}

TEST_F(QuickTradePanelTest, orderBookDelistsAtTheTypedPriceThenListsTheHoldingForTransfer) {
    ASSERT_TRUE(launchAndLogIn());
    ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2150, 5));
    // One order of 3 lots withdrawn, one of 2 still waiting: only the waiting one holds lots.
    const std::string withdrawn = placeWaitingBuy(3);
    ASSERT_FALSE(withdrawn.empty());
    tradeServer().ledger().handle(SimTradeLink::Trade, "order_list_wd",
                                  ownRequest({{"ORDER_NO", withdrawn}}));
    ASSERT_FALSE(placeWaitingBuy(2).empty());
    tradeModule().setDefaultString("prompt", "1");
    ASSERT_NE(openChart("锌"), nullptr);
    tradeServer().clearReceived();
    auto* panel = openPanel<PXFastTradeVCZYMS>(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(received("my_order_query").size(), 1u);
    EXPECT_EQ(reqValue(received("my_order_query").front(), "COMMODITY_ID"), "zn");
    EXPECT_EQ(panel->weiTuoDan(), 2);
    const auto& zn = *store().shangPinXinXi().at("zn");
    EXPECT_EQ(panel->fanWei()->text(),
              "(摘牌范围:" + zn.DBZuiXiaoKeWeiTuoLiang + "-" +
                  std::to_string(Text::intValue(zn.ZuiDaChiCangLiang) - 2) + ")");
    EXPECT_EQ(panel->xiaDan()->currentTitle(), "条件摘牌");
    EXPECT_EQ(panel->more()->currentTitle(), "去速转");
    EXPECT_FALSE(chart->ykjIsFromJiaoYi());

    // Two fields: keys before a touch write nowhere.
    ASSERT_TRUE(driver.tap(panel->key("5")));
    EXPECT_EQ(panel->jiaGeTextField()->text(), "");
    EXPECT_EQ(panel->shuLiangTextField()->text(), "1");

    // No price typed: refused; "0" is no price either.
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易价格");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    typePrice(*panel, {".", "0", "5", ".", "X"});
    EXPECT_EQ(panel->jiaGeTextField()->text(), "0");
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易价格");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    typePrice(*panel, {"X", "2", "1", "5", "0"});
    // The board follows the price refresh.
    EXPECT_TRUE(driver.runUntil(
        [&] { return panel->commodityInformationView()->dangQianJia()->text() != "--"; }, 10));
    EXPECT_EQ(panel->xiaDan()->superview()->frame(), Rect(10, 320, 300, 175)) << "the keypad";
    snapshot("order-book-568");
    typeQuantity(*panel, "2");

    // "prompt" 1: the panel asks itself; "取消" sends nothing.
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    EXPECT_NE(alertMessage().find("方式:摘牌购入"), std::string::npos);
    EXPECT_NE(alertMessage().find("商品价格:2150"), std::string::npos);
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_mp").empty(); }));
    tradeServer().clearReceived();
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_mp").empty(); }, 10));
    const auto delisting = received("order_mp").front();
    EXPECT_EQ(reqValue(delisting, "BUY_SELL"), "1");
    EXPECT_EQ(reqValue(delisting, "COMMODITY_ID"), "zn");
    EXPECT_EQ(reqValue(delisting, "PRICE"), "2150");
    EXPECT_EQ(reqValue(delisting, "QTY"), "2");
    EXPECT_EQ(reqValue(delisting, "SETTLE_BASIS"), "1");
    EXPECT_EQ(reqValue(delisting, "ISLIST"), "0");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10));
    EXPECT_EQ(alertMessage(), "下单成功");
    EXPECT_TRUE(holdingsAskedAfter("order_mp"));
    ASSERT_TRUE(accountRefreshedAfter("order_mp"));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] {
        return PXFastTradeRules::holdingsOf(store().chiCangHuiZongXinXi(), "zn").buy != nullptr;
    }));

    // Transfer: only a bought holding, so selling it is the one way; listed at the typed price.
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_TRUE(driver.tap(panel->more()));
    ASSERT_TRUE(driver.runUntil([&] { return panel->XiaDanType() == 2 && panel->isShown(); }));
    EXPECT_EQ(panel->xiaDan()->currentTitle(), "速转");
    EXPECT_EQ(panel->more()->currentTitle(), "去条件摘牌");
    EXPECT_EQ(panel->XiaDan_FangXiang(), 2);
    EXPECT_FALSE(panel->sellButton()->isEnabled());
    EXPECT_EQ(panel->fanWei()->text(), "(数量范围:1-2)");
    typeQuantity(*panel, "1");
    tradeServer().holdReplies("holding_query");
    tradeServer().answerCodeNext(-1, "holding_query");
    ASSERT_TRUE(sendAndAwait(*panel, "order_list"));
    const auto listing = received("order_list").front();
    EXPECT_EQ(reqValue(listing, "BUY_SELL"), "2");
    EXPECT_EQ(reqValue(listing, "PRICE"), "2150");
    EXPECT_EQ(reqValue(listing, "QTY"), "1");
    EXPECT_EQ(reqValue(listing, "SETTLE_BASIS"), "2");
    EXPECT_EQ(reqValue(listing, "CLOSEMODE"), "1");
    EXPECT_EQ(reqValue(listing, "LIST_PICK"), "1");
    EXPECT_EQ(reqValue(listing, "P_F"), "2");
    EXPECT_EQ(alertMessage(), "下单成功");
    EXPECT_TRUE(holdingsAskedAfter("order_list"));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    // The refused holdings refresh says so, as every request of this panel does.
    tradeServer().releaseReplies("holding_query");
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "模拟错误"; }, 10));
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    // The idle logout closes it.
    tradeModule().post("cancellationNotification");
    EXPECT_TRUE(driver.runUntil([&] { return chart->tradeVC() == nullptr; }));
}

// Open orders that failed to come leave the delisting range unknown, never taken as none: the
// panel refuses, says why and asks again at that tap, and delists once the range has come.
TEST_F(QuickTradePanelTest, anOrderBookPanelWhoseOpenOrdersFailedRefusesAndAsksAgain) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2150, 5));
    ASSERT_NE(openChart("锌"), nullptr);
    tradeServer().clearReceived();
    tradeServer().answerCodeNext(-1, "my_order_query");
    auto* panel = openPanel<PXFastTradeVCZYMS>(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "模拟错误"; }, 10));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(panel->fanWei()->text(), "");
    typePrice(*panel, {"2", "1", "5", "0"});
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    EXPECT_EQ(alertMessage(), "获取数据失败");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return !panel->fanWei()->text().empty(); }, 10));
    EXPECT_EQ(received("my_order_query").size(), 2u);
    EXPECT_TRUE(received("order_mp").empty());
    ASSERT_TRUE(sendAndAwait(*panel, "order_mp"));
    EXPECT_EQ(alertMessage(), "下单成功");
}

TEST_F(QuickTradePanelTest, aReplyAfterThePanelClosedShowsNothing) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "zn", 2, 2150, 5));
    ASSERT_NE(openChart("锌"), nullptr);
    auto* panel = openPanel<PXFastTradeVCZYMS>(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    typePrice(*panel, {"2", "1", "5", "0"});
    tradeServer().clearReceived();
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    tradeModule().post("cancellationNotification");
    ASSERT_TRUE(driver.runUntil([&] { return chart->tradeVC() == nullptr; }));
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_mp").empty(); }, 10));
    driver.runFor(1);
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
}

TEST_F(QuickTradePanelShortScreen, bothPanelsFitTheShortScreen) {
    ASSERT_TRUE(launchAndLogIn());
    ASSERT_NE(openChart("白银"), nullptr);
    auto* quoteMode = openPanel(chart->buyButton());
    ASSERT_NE(quoteMode, nullptr);
    EXPECT_LE(quoteMode->xiaDan()->convertRect(quoteMode->xiaDan()->bounds(), nullptr).maxY(), 480);
    snapshot("quote-mode-480");
    ASSERT_TRUE(driver.tap(quoteMode->closeButton()));
    ASSERT_TRUE(driver.runUntil([&] { return chart->tradeVC() == nullptr; }));
    chart->navigationController()->popToRootViewController(false);
    driver.settle();

    ASSERT_NE(openChart("锌"), nullptr);
    auto* orderBook = openPanel<PXFastTradeVCZYMS>(chart->buyButton());
    ASSERT_NE(orderBook, nullptr);
    EXPECT_EQ(orderBook->xiaDan()->superview()->frame(), Rect(10, 265, 300, 175)) << "the keypad";
    // So placed, the order button's last point lies below the edge; its title is on screen.
    Button* order = orderBook->xiaDan();
    EXPECT_EQ(order->convertRect(order->bounds(), nullptr).maxY(), 481);
    EXPECT_LE(order->titleLabel()->convertRect(order->titleLabel()->bounds(), nullptr).maxY(), 480);
    driver.runUntil(
        [&] { return orderBook->commodityInformationView()->dangQianJia()->text() != "--"; }, 10);
    snapshot("order-book-480");
}

TEST_F(QuickTradePanelTest, aMatchingCommodityIsNotDelistedAndItsTransferDelistsAutomatically) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("prompt", "2");
    // A holding of NI, bought from another firm's listing on another device.
    ASSERT_TRUE(tradeServer().ledger().listForFirm("F002", "NI", 2, 98000, 3));
    tradeServer().ledger().handle(SimTradeLink::Trade, "order_mp",
                                  ownRequest({{"COMMODITY_ID", "NI"},
                                              {"BUY_SELL", "1"},
                                              {"PRICE", "98000"},
                                              {"QTY", "2"},
                                              {"SETTLE_BASIS", "1"},
                                              {"ISLIST", "0"},
                                              {"CLOSEMODE", "1"},
                                              {"HOLDING_ID", ""}}));
    PXTradeNetworkManger::create()->getJYChiCangHuiZong("");
    ASSERT_TRUE(driver.runUntil([&] {
        return PXFastTradeRules::holdingsOf(store().chiCangHuiZongXinXi(), "NI").buy != nullptr;
    }));
    ASSERT_NE(openChart("镍"), nullptr);

    ASSERT_TRUE(driver.tap(chart->buyButton()));
    EXPECT_TRUE(driver.runUntil([&] { return alertMessage() == "该商品不允许此交易"; }));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(driver.runUntil([&] { return chart->tradeVC() == nullptr; }));

    auto* panel = openPanel<PXFastTradeVCZYMS>(chart->sellButton());
    ASSERT_NE(panel, nullptr);
    typePrice(*panel, {"9", "8", "0", "0", "0"});
    typeQuantity(*panel, "1");
    ASSERT_TRUE(sendAndAwait(*panel, "order_list"));
    EXPECT_EQ(reqValue(received("order_list").front(), "P_F"), "1");
    EXPECT_EQ(reqValue(received("order_list").front(), "BUY_SELL"), "2");
}

TEST_F(QuickTradePanelTest, aRefusedOrderSaysWhyAndLeavesThePanelOpen) {
    ASSERT_TRUE(launchAndLogIn());
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_NE(openChart("锌"), nullptr);
    auto* panel = openPanel<PXFastTradeVCZYMS>(chart->buyButton());
    ASSERT_NE(panel, nullptr);
    typePrice(*panel, {"2", "1", "5", "0"});
    // Nothing is listed, so there is nothing to delist.
    ASSERT_TRUE(sendAndAwait(*panel, "order_mp"));
    EXPECT_EQ(alertMessage(), "没有可摘的挂牌");
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_TRUE(received("holding_query").empty());
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(panel->isShown());
    ASSERT_TRUE(driver.tap(panel->xiaDan()));
    EXPECT_TRUE(driver.runUntil([&] { return received("order_mp").size() == 2; }, 10));
}
