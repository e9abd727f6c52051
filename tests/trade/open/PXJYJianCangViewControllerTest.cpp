#include <gtest/gtest.h>

#include <functional>

#include "OpenScreenTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYTabBarHelper.h"
#include "support/session/SimQuoteLookup.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYSwitchingAccountView.h"

namespace {

using QuoteModeOpening = OpenScreenTest;

TEST_F(QuoteModeOpening, opensFromTheFactoryWithAnEmptyBoardAndUnfilledForms) {
    ASSERT_NE(openScreen(), nullptr);
    EXPECT_EQ(driver.viewsWithText("--").size(), 10u);
    EXPECT_EQ(screen->shiJianView()->commodityNameButton()->currentTitle(), "");
    EXPECT_EQ(screen->shiJianView()->fanWei()->text(), "");
    EXPECT_EQ(screen->shiJianView()->jiaGeZ()->text(), "");
    EXPECT_TRUE(driver.isVisible(screen->shiJianView()->jianCangButton()));
    EXPECT_FALSE(driver.isVisible(screen->zhiJianView()->jianCangButton()));
    snapshot("opened");
}

TEST_F(QuoteModeOpening, marketOrderInEachDirectionSendsTheQuotePriceAndOpensAHolding) {
    setDefault("prompt", "1");
    const int buyBefore = heldLots("AG", "1");
    const int sellBefore = heldLots("AG", "2");
    for (const int side : {1, 2}) {
        ASSERT_NE(openScreen(), nullptr);
        PXJYShiJiaJianCangView& form = *screen->shiJianView();
        pick(form, "AG");
        if (side == 2) {
            ASSERT_TRUE(driver.tap(form.sellButton()));
        }
        const auto quote = SimQuoteLookup::prices(sim, "AG");
        const std::string price =
            PXTradeFormat::priceText(side == 1 ? quote.buyPrice : quote.sellPrice, "1");
        EXPECT_EQ(form.jiaGeZ()->text(), price);
        typeQuantity(form, "2");
        ASSERT_TRUE(driver.tap(form.jianCangButton()));
        EXPECT_EQ(alertMessage(),
                  "   商品:白银\n   商品价格:" + price +
                      "\n   商品数量:2\n   方式:" + (side == 1 ? "摘牌购入" : "摘牌售出"));
        if (side == 1) {
            snapshot("confirmation");
        }
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
            << alertMessage();
        EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
        EXPECT_NE(tradeNavigation()->topViewController(), screen);
        ASSERT_TRUE(driver.tapAlertButton("确定"));

        const auto orders = received("order_s");
        ASSERT_EQ(orders.size(), static_cast<size_t>(side));
        const auto& order = orders.back();
        EXPECT_EQ(reqValue(order, "BUY_SELL"), std::to_string(side));
        EXPECT_EQ(reqValue(order, "COMMODITY_ID"), "AG");
        EXPECT_EQ(reqValue(order, "PRICE"), price);
        EXPECT_EQ(reqValue(order, "QTY"), "2");
        EXPECT_EQ(reqValue(order, "SETTLE_BASIS"), "1");
        EXPECT_EQ(reqValue(order, "DOT_DIFF"), "10");
        EXPECT_EQ(reqValue(order, "OTHER_ID"), "F001");
        EXPECT_EQ(reqValue(order, "USER_ID"), loggedIn.account);
        EXPECT_FALSE(reqValue(order, "SESSION_ID").empty());
    }
    // The next heartbeat reports the deals and the store re-reads the holdings.
    EXPECT_TRUE(driver.runUntil(
        [&] {
            return heldLots("AG", "1") == buyBefore + 2 && heldLots("AG", "2") == sellBefore + 2;
        },
        10))
        << heldLots("AG", "1") << " " << heldLots("AG", "2");
}

TEST_F(QuoteModeOpening, cancellingTheConfirmationSendsNothingAndKeepsTheInput) {
    setDefault("prompt", "1");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "3");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
    EXPECT_EQ(form.shuLiang()->text(), "3");
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
}

TEST_F(QuoteModeOpening, aSideTheCommodityForbidsIsRefusedWithoutSending) {
    setDefault("prompt", "2");
    tradeModule().PXJYData().shangPinXinXi().at("AG")->buyShiJianQuanXian = "0";
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "1");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "此商品没有够入摘牌权限");
    snapshot("refusal");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);

    // The other side keeps its right.
    ASSERT_TRUE(driver.tap(form.sellButton()));
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(received("order_s").size(), 1u);
}

TEST_F(QuoteModeOpening, conditionalOrderIsCheckedAgainstTheBandsBeforeItGoesOut) {
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    PXJYZhiJiaJianCangView& form = *screen->zhiJianView();
    EXPECT_TRUE(driver.isVisible(form.jianCangButton()));
    pick(form, "AU");
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "黄金");
    EXPECT_EQ(screen->shiJianView()->commodityNameButton()->currentTitle(), "黄金");
    typeQuantity(form, "2");
    const auto quote = SimQuoteLookup::prices(sim, "AU");
    const auto& gold = *tradeModule().PXJYData().shangPinXinXi().at("AU");
    const double tick = Text::doubleValue(gold.zuiXiaoBianDongJia);
    const double low = quote.sellPrice - Text::doubleValue(gold.XJJianCangSellDianCha) * tick;
    EXPECT_EQ(
        form.ZJfanWei()->text(),
        "(<=" + PXTradeFormat::priceText(low, "0.01") + ",>=" +
            PXTradeFormat::priceText(
                quote.buyPrice + Text::doubleValue(gold.XJJianCangBuyDianCha) * tick, "0.01") +
            ")");
    // The band takes two lines at its full size.
    const Label& band = *form.ZJfanWei();
    EXPECT_EQ(band.fittedFont().size(), 12);
    EXPECT_NEAR(band.sizeThatFits(band.bounds().size()).height, 2 * band.font().lineHeight(), 1);

    // Inside the band: refused.
    typeInto(form.zhiJiaL(), PXTradeFormat::priceText(low + tick, "0.01"));
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易价格");
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    // At the band, with a stop-loss above its range: refused; inside it: sent.
    const std::string limit = PXTradeFormat::priceText(low - 1, "0.01");
    form.zhiJiaL()->setText("");
    const std::string rangeBefore = form.SfanWei()->text();
    typeInto(form.zhiJiaL(), limit);
    // The ranges follow the limit price at the next price refresh.
    ASSERT_TRUE(driver.runUntil([&] { return form.SfanWei()->text() != rangeBefore; }, 8));
    // Unticked, the stop-loss field waits on its frame.
    const Rect lossField = driver.visibleRect(form.zhiS());
    EXPECT_FALSE(driver.isVisible(form.zhiS()));
    EXPECT_EQ(driver.colorAt({lossField.midX(), lossField.midY()}), Color::whiteColor());
    snapshot("conditional-unticked");
    ASSERT_TRUE(driver.tap(form.zhiSunbutton()));
    ASSERT_TRUE(driver.tap(form.zhiYingButton()));
    snapshot("conditional");
    const double lossBound = Text::doubleValue(form.SfanWei()->text().substr(1));
    const double gainBound = Text::doubleValue(form.YfanWei()->text().substr(1));
    typeInto(form.zhiS(), PXTradeFormat::priceText(lossBound + 1, "0.01"));
    typeInto(form.zhiY(), PXTradeFormat::priceText(gainBound + 1, "0.01"));
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "止损价格有误");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    form.zhiS()->setText("");
    const std::string stopLoss = PXTradeFormat::priceText(lossBound - 1, "0.01");
    const std::string takeProfit = form.zhiY()->text();
    typeInto(form.zhiS(), stopLoss);
    // A quick success clears the form, so the expected texts are kept before the tap.
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_x").empty(); }, 5));
    const auto order = received("order_x").front();
    EXPECT_EQ(reqValue(order, "BUY_SELL"), "1");
    EXPECT_EQ(reqValue(order, "COMMODITY_ID"), "AU");
    EXPECT_EQ(reqValue(order, "PRICE"), limit);
    EXPECT_EQ(reqValue(order, "QTY"), "2");
    EXPECT_EQ(reqValue(order, "STOP_LOSS"), stopLoss);
    EXPECT_EQ(reqValue(order, "STOP_PROFIT"), takeProfit);
    EXPECT_EQ(reqValue(order, "VALIDITY_TYPE"), "0");
    EXPECT_EQ(reqValue(order, "OTHER_ID"), "F001");
}

TEST_F(QuoteModeOpening, aDoubleTapSendsOneOrder) {
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "1");
    snapshot("market");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_TRUE(screen->isOrderOutstanding());
    EXPECT_GE(VKJYCommonViewUtil::activityCount(), 1);
    driver.tap(form.jianCangButton());
    screen->PXShiJiaJianCangClick({{"commodityid", "AG"}, {"sign", "1"}});
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    EXPECT_FALSE(driver.runFor(0.5, [&] { return received("order_s").size() > 1; }));
    EXPECT_EQ(received("order_s").size(), 1u);
}

TEST_F(QuoteModeOpening, aCommodityWithoutQuoteCannotBeOrdered) {
    setDefault("prompt", "2");
    // CU trades here, but the quote side has no price for it.
    SimQuoteLookup::fill(sim, *VKJYHangQingDataClass::current(), 0, {"CU"});
    ASSERT_TRUE(driver.runUntil(
        [&] { return tradeModule().PXJYData().zuiXinYiKouJia().count("CU") == 0; }, 5));
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& market = *screen->shiJianView();
    pick(market, "CU");
    typeQuantity(market, "1");
    EXPECT_EQ(market.commodityNameButton()->currentTitle(), "铜");
    EXPECT_EQ(market.jiaGeZ()->text(), "--");
    EXPECT_EQ(driver.viewsWithText("--").size(), 11u);
    ASSERT_TRUE(driver.tap(market.jianCangButton()));
    EXPECT_EQ(alertMessage(), "当前行情价格有误");
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    PXJYZhiJiaJianCangView& conditional = *screen->zhiJianView();
    EXPECT_EQ(conditional.ZJfanWei()->text(), "(<=--,>=--)");
    typeQuantity(conditional, "1");
    typeInto(conditional.zhiJiaL(), "51000");
    ASSERT_TRUE(driver.tap(conditional.jianCangButton()));
    EXPECT_EQ(alertMessage(), "当前行情价格有误");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(driver.runFor(
        0.5, [&] { return !received("order_s").empty() || !received("order_x").empty(); }));
}

TEST_F(QuoteModeOpening, aRefusedOrderShowsTheServersMessageAndKeepsTheInput) {
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "4");
    // No deviation allowed, and the market moves one tick after the price was shown.
    ASSERT_TRUE(driver.tap(form.changebutton()));
    form.zuiDaDianCha()->setText("");
    ASSERT_TRUE(driver.pressKey("0"));
    driver.pressKey("完成");
    ASSERT_TRUE(sim.market().movePrice(0, 1, 1));
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return !alertMessage().empty(); }, 10));
    EXPECT_EQ(alertMessage(), "价格已变动,超出可接受点差");
    EXPECT_EQ(reqValue(received("order_s").at(0), "DOT_DIFF"), "0");
    EXPECT_EQ(form.shuLiang()->text(), "4");
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_FALSE(screen->isOrderOutstanding());
}

using QuoteModeOpeningOnBothScreens = OnBothScreens<OpenScreenTest>;

TEST_P(QuoteModeOpeningOnBothScreens, anEmptiedDeviationIsRefusedLikeOneOutOfRange) {
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "1");
    reveal(form.changebutton());
    ASSERT_TRUE(driver.tap(form.changebutton()));
    ASSERT_EQ(form.zuiDaDianCha()->text(), "50");
    // The keypad's backspace key shows an icon and has no title.
    ASSERT_TRUE(driver.pressKey(""));
    ASSERT_TRUE(driver.pressKey(""));
    ASSERT_TRUE(driver.pressKey("完成"));
    ASSERT_EQ(form.zuiDaDianCha()->text(), "");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_NE(driver.visibleAlert(), nullptr);
    EXPECT_EQ(driver.visibleAlert()->title(), "点差输入有误");
    EXPECT_EQ(alertMessage(), "点差范围(0 ~ 50)");
    snapshot("empty-deviation-" + std::to_string(GetParam()));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
    EXPECT_EQ(form.shuLiang()->text(), "1");
}

INSTANTIATE_TEST_SUITE_P(Heights, QuoteModeOpeningOnBothScreens, ::testing::Values(568, 480));

// A session-lost answer to an order, or its line failing: the re-login dialog where the facade
// shows one (the session the order went under is still in force, or its loss is on show
// already), nothing where the order's session has ended otherwise (a newer login replaced it, or
// its loss was told and answered); at most one alert, a dialog that tells the order's failure
// staying for a newer login, and the order's gate and overlay gone either way. The events, in
// order: L a heartbeat hears the session is lost; N a newer login; M a newer login answered three
// seconds late, past a heartbeat's turn, under which nothing beats; R the order's answer;
// F the order's line fails; Q the quotes tab chosen; C the dialog's 取消 tapped.
struct SessionLostAnswer {
    const char* name;
    int code;
    const char* events;
    const char* message;  // none: no alert
    const char* button;
};

class QuoteModeOpeningSessionLost : public OpenScreenTest,
                                    public ::testing::WithParamInterface<SessionLostAnswer> {};

TEST_P(QuoteModeOpeningSessionLost, aFailedOrderIsToldAtMostOnce) {
    const SessionLostAnswer& answer = GetParam();
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "1");
    tradeServer().holdReplies("order_s");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return received("order_s").size() == 1; }, 5));
    const auto alertUp = [&] { return driver.visibleAlert() != nullptr; };
    for (const char event : std::string(answer.events)) {
        if (event == 'L') {
            tradeServer().answerCodeNext(1004, "SYS_TIME_QUERY");
            ASSERT_TRUE(driver.runUntil(alertUp, 10));
        } else if (event == 'Q') {
            delegate->tabBarHelper().selectHangQingTab();
            driver.settle();
        } else if (event == 'C') {
            ASSERT_TRUE(driver.tapAlertButton("取消"));
        } else if (event == 'N' || event == 'M') {
            // Three seconds on the test's clock, whatever the load: wall time would pass partly
            // while time stands still for the requests on their way.
            const double held = Timer::now();
            ASSERT_TRUE(event == 'N' ? logIn()
                                     : logInAnsweredWhen([&] { return Timer::now() - held > 3; }));
        } else {
            if (event == 'F') {
                tradeServer().dropReplies("order_s");
            } else {
                tradeServer().answerCodeNext(answer.code, "order_s");
                tradeServer().releaseReplies("order_s");
            }
            ASSERT_TRUE(driver.runUntil([&] { return !screen->isOrderOutstanding(); }, 10));
        }
    }
    driver.settle();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    if (!answer.message) {
        EXPECT_EQ(alertsOnShow(), 0) << alertMessage();
        return;
    }
    ASSERT_EQ(alertsOnShow(), 1) << alertMessage();
    EXPECT_EQ(alertMessage(), answer.message);
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(0), answer.button);
}

constexpr const char* kLost = "您的当前登录状态已失效,请重新登录!";
constexpr const char* kIdle = "长时间未操作登录状态已失效,请重新登录!";

INSTANTIATE_TEST_SUITE_P(
    Answers, QuoteModeOpeningSessionLost,
    ::testing::Values(
        SessionLostAnswer{"lostUnderItsSession", 1004, "R", kLost, "重新登录"},
        SessionLostAnswer{"idleUnderItsSession", 10001, "R", kIdle, "重新登录"},
        SessionLostAnswer{"lostAfterANewerLogin", 1004, "NR", nullptr, nullptr},
        SessionLostAnswer{"idleAfterANewerLogin", 10001, "NR", nullptr, nullptr},
        SessionLostAnswer{"idleAfterANewerLoginAnsweredLate", 10001, "MR", nullptr, nullptr},
        SessionLostAnswer{"lostAfterItsSessionsLoss", 1004, "LR", kLost, "重新登录"},
        SessionLostAnswer{"lostUnderItsSessionBeforeANewerLogin", 1004, "RN", kLost, "重新登录"},
        SessionLostAnswer{"lostAfterItsSessionsLossWasAnswered", 1004, "QLCR", nullptr, nullptr},
        SessionLostAnswer{"lineFailsAfterANewerLogin", 0, "NF", nullptr, nullptr},
        SessionLostAnswer{"lineFailsAfterItsSessionsLoss", 0, "LF", kLost, "重新登录"},
        SessionLostAnswer{"idleAfterItsSessionsLossBeforeANewerLogin", 10001, "LRN", kLost,
                          "重新登录"}),
    [](const auto& info) { return std::string(info.param.name); });

// The session ends while an order waits for its confirmation, by the idle log-out or by a lost
// session (1004 on the heartbeat): the confirmation goes with it and the order never leaves.
TEST_F(QuoteModeOpening, aConfirmationLeavesWithItsSession) {
    setDefault("prompt", "1");
    struct Ending {
        std::function<void()> end;
        std::string message;
        std::string button;
    };
    const Ending endings[] = {{[&] { tradeModule().PXJYTimerManger().loginAgain(); },
                               "您长时间未操作,已自动退出交易系统!", "确定"},
                              {[&] { tradeServer().answerCodeNext(1004, "SYS_TIME_QUERY"); },
                               "您的当前登录状态已失效,请重新登录!", "取消"}};
    for (const Ending& ending : endings) {
        ASSERT_TRUE(tradeModule().tradeLogin() || logIn());
        ASSERT_TRUE(waitForPrice("AG"));
        ASSERT_NE(openScreen(), nullptr);
        PXJYShiJiaJianCangView& form = *screen->shiJianView();
        pick(form, "AG");
        typeQuantity(form, "1");
        ASSERT_TRUE(driver.tap(form.jianCangButton()));
        ASSERT_TRUE(driver.visibleAlert() && driver.visibleAlert()->tag() == 5556);
        ending.end();
        ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == ending.message; }, 10))
            << alertMessage();
        ASSERT_TRUE(driver.tapAlertButton(ending.button));
        driver.settle();
        EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
        // Whatever is still up gets the tap a person would give it.
        driver.tapAlertButton("确定");
        EXPECT_FALSE(driver.runFor(1, [&] { return !received("order_s").empty(); }));
    }
}

TEST_F(QuoteModeOpening, aDeadLineShowsTheNetworkFailure) {
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "1");
    tradeServer().stop();
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "请求网络失败"; }, 25))
        << alertMessage();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(form.shuLiang()->text(), "1");
}

TEST_F(QuoteModeOpening, aReplyAfterTheScreenLeftDoesNothing) {
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "AG");
    typeQuantity(form, "1");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    screen->VKJYNavBackAction();
    screen = nullptr;
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_s").empty(); }, 5));
    EXPECT_FALSE(driver.runFor(1.5, [&] { return driver.visibleAlert() != nullptr; }))
        << alertMessage();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
}

TEST_F(QuoteModeOpening, aNewCommodityClearsThePricesTypedForTheOldOne) {
    ASSERT_NE(openScreen(), nullptr);
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    PXJYZhiJiaJianCangView& conditional = *screen->zhiJianView();
    pick(conditional, "AU");
    typeInto(conditional.zhiJiaL(), "300.5");
    ASSERT_TRUE(driver.tap(screen->SJbutton()));
    pick(*screen->shiJianView(), "PT");
    EXPECT_EQ(conditional.commodityNameButton()->currentTitle(), "铂金");
    EXPECT_EQ(conditional.zhiJiaL()->text(), "");
    // Flipping the side keeps the commodity and refills the market price.
    const auto quote = SimQuoteLookup::prices(sim, "PT");
    ASSERT_TRUE(driver.tap(screen->shiJianView()->sellButton()));
    EXPECT_EQ(screen->shiJianView()->jiaGeZ()->text(),
              PXTradeFormat::priceText(quote.sellPrice, "0.01"));
    EXPECT_EQ(screen->nowCommodityCode(), "PT");
}

TEST_F(QuoteModeOpening, aCommodityTheStoreNoLongerKnowsIsForgottenAndNothingOfItIsSent) {
    setDefault("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& market = *screen->shiJianView();
    pick(market, "AG");
    typeQuantity(market, "1");
    ASSERT_NE(market.jiaGeZ()->text(), "--");
    // The commodities asked again (a new trading day, another environment) lack it.
    PXTradeData& store = tradeModule().PXJYData();
    auto commodities = store.shangPinXinXi();
    commodities.erase("AG");
    store.setShangPinXinXi(std::move(commodities));
    NotificationCenter::defaultCenter().post("JYRefreshTimer");
    driver.settle();
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(&market),
                                     static_cast<PXJianCangFormView*>(screen->zhiJianView())}) {
        EXPECT_EQ(form->commodityNameButton()->currentTitle(), "--");
        EXPECT_EQ(form->fanWei()->text(), "(数量范围:0-0)");
    }
    EXPECT_EQ(market.jiaGeZ()->text(), "--");
    EXPECT_EQ(market.dingJin()->text(), "当前摘牌所需订金为--元");
    EXPECT_EQ(screen->zhiJianView()->ZJfanWei()->text(), "(<=--,>=--)");
    // The board's ten values, the name and the price.
    EXPECT_EQ(driver.viewsWithText("--").size(), 12u);
    snapshot("forgotten-commodity");
    ASSERT_TRUE(driver.tap(market.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易数量");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
}

// After a switch in the form to an account of another environment, the drop-down lists what
// that account trades: a commodity only the first one traded is gone, its own can be picked.
TEST_F(QuoteModeOpening, theDropDownListsTheCommoditiesOfTheAccountSwitchedTo) {
    ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath())
                    .addAccount({"01", "02", "200000000000001"}));
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    ASSERT_TRUE(switchInForm(form, {1, 0}));
    std::vector<std::string> traded;
    for (const auto& [code, commodity] : tradeModule().PXJYData().shangPinXinXi()) {
        traded.push_back(commodity->commodityName);
    }
    ASSERT_TRUE(driver.tap(form.commodityNameButton()));
    driver.settle();
    TableView& list = *form.commodityListView();
    std::vector<std::string> listed;
    for (int row = 0; row < list.numberOfRows(0); ++row) {
        list.scrollToRow({0, row}, TableViewScrollPosition::Middle, false);
        TableViewCell* cell = list.cellForRow({0, row});
        ASSERT_NE(cell, nullptr);
        listed.push_back(cell->textLabel()->text());
    }
    EXPECT_EQ(listed, traded);
    ASSERT_TRUE(driver.tap(form.commodityNameButton()));
    driver.settle();
    pick(form, "SN");
    EXPECT_EQ(form.commodityNameButton()->currentTitle(),
              tradeModule().PXJYData().shangPinXinXi().at("SN")->commodityName);
    EXPECT_NE(form.fanWei()->text(), "(数量范围:0-0)");
}

// A switch in the form to an account of another environment, which does not trade the
// commodity on show: back on the screen before any price refresh, nothing of it shows.
TEST_F(QuoteModeOpening, aCommodityTheAccountSwitchedToDoesNotTradeIsForgottenOnReturn) {
    setDefault("RefreshTrade", "30");
    ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath())
                    .addAccount({"01", "02", "200000000000001"}));
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaJianCangView& form = *screen->shiJianView();
    pick(form, "PT");
    ASSERT_EQ(form.commodityNameButton()->currentTitle(), "铂金");
    ASSERT_TRUE(switchInForm(form, {1, 0}));
    ASSERT_EQ(tradeModule().PXJYData().shangPinXinXi().count("PT"), 0u);
    EXPECT_EQ(screen->nowCommodityCode(), "");
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(form.jiaGeZ()->text(), "--");
    EXPECT_EQ(screen->zhiJianView()->commodityNameButton()->currentTitle(), "--");
}

}  // namespace
