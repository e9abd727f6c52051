#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "sim/trade/SimTradeServer.h"
#include "support/session/SimQuoteLookup.h"
#include "support/session/TradeSessionFixture.h"
#include "trade/close/PXJYHuiZongListView.h"
#include "trade/close/PXJYPingCangViewController.h"
#include "trade/close/PXJYZhuanRangZYMSVC.h"
#include "trade/close/PXTradeCloseScreens.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYSavedAccounts.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/open/PXTradeOpenScreens.h"

namespace {

// The seeded account holds 2 bought lots of the first quote-mode commodity.
class QuoteModeTransfer : public TradeSessionFixture {
public:
    // The exchange takes the logon, and the login then fails: half-way (its firm_info refused),
    // or at the logon itself, whose answer comes after the time-out.
    enum class LoginFailure { HalfWay, AnsweredAfterTimeOut };

protected:
    explicit QuoteModeTransfer(Size size = {320, 568}) : TradeSessionFixture(size) {}

    void SetUp() override {
        registerPXTradeOpenScreens();
        registerPXTradeCloseScreens();
        ASSERT_TRUE(launchAndLogIn());
        SimQuoteLookup::fill(sim, *VKJYHangQingDataClass::current());
        ASSERT_TRUE(driver.runUntil([&] { return store().zuiXinYiKouJia().count("AG") > 0; }, 5));
        ASSERT_TRUE(
            driver.runUntil([&] { return !tradeModule().PXJYPeiZhi().shiFoGangDengLu(); }, 5));
        ASSERT_GE(heldLots("AG", "1"), 2);
        tradeServer().clearReceived();
    }

    PXTradeData& store() const { return tradeModule().PXJYData(); }

    PXJYPingCangViewController* openScreen() {
        auto made = PXTradeScreenFactory::create("PXJYPingCangViewController");
        auto* typed = dynamic_cast<PXJYPingCangViewController*>(made.get());
        if (!typed) {
            return nullptr;
        }
        made.release();
        screen = pushOnTradeTab(std::unique_ptr<PXJYPingCangViewController>(typed));
        return screen;
    }

    // On this screen's form, or on the order-book screen's when given.
    void pickSummary(const std::string& code, const std::string& side,
                     PXJYZhuanRangZYMSVC* orderBook = nullptr) {
        PXZhuanRangFormView& form = orderBook
                                        ? static_cast<PXZhuanRangFormView&>(*orderBook->SJPCView())
                                        : *screen->SJPCView();
        PXJYChiCangShangPinListView& picker =
            orderBook ? *orderBook->chiCangShangPinListView() : *screen->chiCangShangPinListView();
        ASSERT_TRUE(driver.tap(form.commodityNameButton()));
        driver.settle();
        // The picker lists what the summary query it sent answers.
        int row = -1;
        driver.runUntil([&] {
            const auto& rows = picker.allChiCangShangPinCommodity();
            for (size_t i = 0; i < rows.size(); ++i) {
                if (rows[i]->commodityCode == code && rows[i]->buySellSign == side) {
                    row = static_cast<int>(i);
                }
            }
            return row >= 0;
        });
        ASSERT_GE(row, 0) << "no summary " << code << " " << side;
        ASSERT_TRUE(driver.tapRow(*picker.tableView(), IndexPath{0, row}));
        driver.settle();
    }

    // An order of the account that this screen did not send (another device, a stop): opens
    // a lot, or closes the whole of a holding.
    void orderElsewhere(const std::string& code, const std::string& holding = "") {
        std::string side = "1";
        std::string qty = "1";
        if (!holding.empty()) {
            side = "2";
            qty = store().chiCangMingXiXinXi().at(holding)->dangQianChiCangLiang;
        }
        ASSERT_TRUE(orderAtTheExchange(code, side, qty, holding));
    }

    void refresh() {
        NotificationCenter::defaultCenter().post("JYRefreshTimer");
        driver.settle();
    }

    // The holdings as the exchange has them now, asked again.
    void requeryHoldings() {
        PXTradeNetworkManger::create()->getJYChiCangMingXi("");
        PXTradeNetworkManger::create()->getJYChiCangHuiZong("");
    }

    // Every bought lot of the commodity closed from elsewhere.
    void closeBoughtElsewhere(const std::string& code) {
        requeryHoldings();
        ASSERT_TRUE(driver.runUntil([&] { return !heldNumber(code).empty(); }));
        for (std::string number = heldNumber(code); !number.empty(); number = heldNumber(code)) {
            ASSERT_TRUE(
                tradeServer().ledger().closeElsewhere(loggedIn.account, std::stoll(number)));
            requeryHoldings();
            ASSERT_TRUE(
                driver.runUntil([&] { return !store().chiCangMingXiXinXi().count(number); }));
        }
        ASSERT_TRUE(driver.runUntil([&] { return heldLots(code, "1") == 0; }));
    }

    // To the saved second account from that switcher, typed on the switch screen; back on the
    // transfer screen once its login chain has run.
    void switchToSecondAccount(PXJYSwitchingAccountView& switcher) {
        ASSERT_TRUE(switchToSavedAccount(switcher, screen));
    }

    // The second account, saved beside the first, holds three bought lots of silver.
    void secondAccountHoldsSilver() {
        ASSERT_EQ(
            tradeServer().ledger().orderElsewhere(kSecondAccount, "AG", 1, 3).value("retcode", -1),
            0);
        ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath())
                        .addAccount({"01", "01", kSecondAccount}));
    }
    static constexpr const char* kSecondAccount = "100000000000002";
    void loginFailing(const std::string& account, LoginFailure failure = LoginFailure::HalfWay);

    std::string heldNumber(const std::string& code) {
        for (const auto& [number, ticket] : store().chiCangMingXiXinXi()) {
            if (ticket->commodityCode == code && ticket->buySellSign == "1") {
                return number;
            }
        }
        return {};
    }

    void pickNumber(const std::string& number, PXJYChiCangDanHaoListView* in = nullptr) {
        PXJYChiCangDanHaoListView& picker = in ? *in : *screen->chiCangDanHaoListView();
        const auto& rows = picker.allChiCangDanHaoID();
        driver.runUntil([&] { return std::count(rows.begin(), rows.end(), number) > 0; });
        const auto found = std::find(rows.begin(), rows.end(), number);
        ASSERT_NE(found, rows.end());
        ASSERT_TRUE(driver.tapRow(*picker.tableView(),
                                  IndexPath{0, static_cast<int>(found - rows.begin())}));
        driver.settle();
    }

    std::vector<SimTradeReceived> received(const std::string& name) {
        std::vector<SimTradeReceived> found;
        for (const auto& request : tradeServer().received()) {
            if (request.name == name) {
                found.push_back(request);
            }
        }
        return found;
    }

    static std::string req(const SimTradeReceived& request, const std::string& key) {
        const auto body = nlohmann::json::parse(request.body, nullptr, false);
        const auto& fields = body["VUZI"]["REQ"];
        return fields.contains(key) && fields[key].is_string() ? fields[key].get<std::string>()
                                                               : "";
    }

    std::string alertMessage() const {
        AlertView* alert = driver.visibleAlert();
        return alert ? alert->message() : std::string();
    }

    int heldLots(const std::string& code, const std::string& side) {
        int lots = 0;
        for (const auto& summary : store().chiCangHuiZongXinXi()) {
            if (summary && summary->commodityCode == code && summary->buySellSign == side) {
                lots += Text::intValue(summary->shuLiang);
            }
        }
        return lots;
    }

    void snapshot(const std::string& name) {
        driver.settle();
        EXPECT_TRUE(driver.saveSnapshot(snapshotPath("close-" + name)));
    }

    std::string sellPrice() {
        return PXTradeFormat::priceText(SimQuoteLookup::prices(sim, "AG").sellPrice,
                                        store().shangPinXinXi().at("AG")->zuiXiaoBianDongJia);
    }

    PXJYPingCangViewController* screen = nullptr;
};

TEST_F(QuoteModeTransfer, aBoughtHoldingIsTransferredAtTheSellPriceByCommodityAndShrinks) {
    tradeModule().setDefaultString("prompt", "2");
    const int before = heldLots("AG", "1");
    ASSERT_NE(openScreen(), nullptr);
    snapshot("opened");
    pickSummary("AG", "1");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "售出");
    EXPECT_EQ(form.xiaDanFangXiang(), "2");
    EXPECT_EQ(form.zhuanRangJiaGe()->text(), sellPrice());
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-" + std::to_string(before) + ")");
    typeOnKeypad(form.shuLiang(), "1");
    snapshot("market-by-commodity");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功"; }, 10))
        << alertMessage();
    EXPECT_NE(tradeNavigation()->topViewController(), screen);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    const auto orders = received("order_s");
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(req(orders[0], "BUY_SELL"), "2");
    EXPECT_EQ(req(orders[0], "COMMODITY_ID"), "AG");
    EXPECT_EQ(req(orders[0], "QTY"), "1");
    EXPECT_EQ(req(orders[0], "SETTLE_BASIS"), "2");
    EXPECT_EQ(req(orders[0], "DOT_DIFF"), "10");
    EXPECT_EQ(req(orders[0], "CLOSEMODE"), "1");
    EXPECT_EQ(req(orders[0], "HOLDING_ID"), "");
    EXPECT_FALSE(req(orders[0], "PRICE").empty());
    EXPECT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == before - 1; }, 10))
        << heldLots("AG", "1");

    // The holding is now partly closed: the range offers only what is left.
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    EXPECT_EQ(screen->SJPCView()->shuLiangFanWei()->text(),
              "(数量范围:1-" + std::to_string(before - 1) + ")");
}

TEST_F(QuoteModeTransfer, byHoldingNumberTheOrderNamesTheHolding) {
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    const std::string number = heldNumber("AG");
    ASSERT_FALSE(number.empty());
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    ASSERT_TRUE(driver.tap(form.DHbutton()));
    // Back to by commodity while the keypad is up: once it goes, the commodity can be picked.
    ASSERT_TRUE(driver.tap(form.shuLiang()));
    ASSERT_TRUE(driver.tap(form.SPbutton()));
    driver.pressKey("完成");
    driver.settle();
    EXPECT_TRUE(form.commodityNameButton()->isEnabled());
    ASSERT_TRUE(driver.tap(form.DHbutton()));
    ASSERT_TRUE(driver.tap(form.danHaoButton()));
    driver.settle();
    EXPECT_TRUE(screen->chiCangDanHaoListView()->isShown());
    snapshot("number-picker");
    pickNumber(number);
    EXPECT_FALSE(screen->chiCangDanHaoListView()->isShown());
    EXPECT_EQ(form.danHaoButton()->currentTitle(), number);
    EXPECT_FALSE(form.commodityNameButton()->isEnabled());
    ASSERT_TRUE(driver.tap(form.shuLiang()));
    driver.settle();
    EXPECT_TRUE(form.isRaised());
    driver.pressKey("1");
    driver.pressKey("完成");
    driver.settle();
    // Lowered again, and the commodity still follows the number.
    EXPECT_FALSE(form.isRaised());
    EXPECT_FALSE(form.commodityNameButton()->isEnabled());
    EXPECT_TRUE(form.danHaoButton()->isEnabled());
    snapshot("market-by-number");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功"; }, 10))
        << alertMessage();
    const auto orders = received("order_s");
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(req(orders[0], "CLOSEMODE"), "2");
    EXPECT_EQ(req(orders[0], "HOLDING_ID"), number);
}

TEST_F(QuoteModeTransfer, aReverseDelistingFollowsTheTransferAndOneMessageTellsBoth) {
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    // Unticked, the reverse quantity field waits on its box, below the fold.
    const Rect direction = driver.visibleRect(form.maiMaiFangXiangL());
    driver.drag({direction.midX(), direction.midY()}, {direction.midX(), direction.midY() - 150});
    driver.settle();
    const Rect reverse = driver.visibleRect(form.FXJCShuLiang());
    EXPECT_FALSE(driver.isVisible(form.FXJCShuLiang()));
    EXPECT_FALSE(driver.isVisible(form.FXJCShouShuFanWei()));
    EXPECT_EQ(driver.colorAt({reverse.midX(), reverse.midY()}), Color::rgb(59, 59, 71));
    snapshot("reverse-unticked");
    typeOnKeypad(form.shuLiang(), "1");
    form.fanXiangJianCangButtonAction();
    driver.settle();
    form.FXJCShuLiang()->setText("1");
    driver.pressKey("完成");
    driver.settle();
    snapshot("reverse");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功， 反向摘牌成功"; }, 10))
        << alertMessage();
    const auto orders = received("order_s");
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(req(orders[1], "SETTLE_BASIS"), "1");
    EXPECT_EQ(req(orders[1], "BUY_SELL"), "2");
    EXPECT_EQ(req(orders[1], "QTY"), "1");
    EXPECT_EQ(req(orders[1], "CLOSEMODE"), "1");
    EXPECT_EQ(req(orders[1], "PRICE"), req(orders[0], "PRICE"));
}

TEST_F(QuoteModeTransfer, aRefusedReverseDelistingStillSaysTheTransferWentThrough) {
    tradeModule().setDefaultString("prompt", "2");
    const int before = heldLots("AG", "1");
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
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
    // The stale form is gone with its screen, and nothing waits behind the overlay.
    EXPECT_NE(tradeNavigation()->topViewController(), screen);
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(received("order_s").size(), 2u);
    EXPECT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == before - 1; }, 10));
}

TEST_F(QuoteModeTransfer, aPickerQueryFailingWhileTheTransferTravelsLeavesTheSecondTapUnsent) {
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    tradeServer().holdReplies("holding_query");
    tradeServer().answerCodeNext(-1, "holding_query");
    pickSummary("AG", "1");
    ASSERT_TRUE(driver.runUntil([&] { return !received("holding_query").empty(); }, 5));
    typeOnKeypad(screen->SJPCView()->shuLiang(), "1");
    tradeServer().holdReplies("order_s");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return received("order_s").size() == 1; }, 5));

    tradeServer().releaseReplies("holding_query");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10));
    EXPECT_EQ(alertMessage(), "模拟错误");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the transfer is still on its way";
    driver.tap(screen->SJPCView()->zhuanRangButton());
    EXPECT_FALSE(driver.runFor(1, [&] { return received("order_s").size() > 1; }));

    tradeServer().releaseReplies("order_s");
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功"; }, 10))
        << alertMessage();
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
    EXPECT_EQ(received("order_s").size(), 1u);
}

// A double tap on the commodity button: the second tap lands on the third holding of the picker
// sliding in and reaches nothing, so nothing is picked and the picker stays open.
TEST_F(QuoteModeTransfer, theSecondTapOfADoubleTapThatOpensThePickerPicksNothing) {
    orderElsewhere("AU");
    orderElsewhere("CU");
    PXTradeNetworkManger::create()->getJYChiCangHuiZong("");
    ASSERT_TRUE(driver.runUntil([&] { return store().chiCangHuiZongXinXi().size() >= 3; }, 10));
    ASSERT_NE(openScreen(), nullptr);
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    driver.tapAt(driver.visibleRect(form.commodityNameButton()).center(), 2);
    driver.settle();
    EXPECT_EQ(screen->chiCangShangPinListView()->frame().x, 0);
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "");
}

TEST_F(QuoteModeTransfer, withoutTransferRightsNothingIsSent) {
    tradeModule().setDefaultString("prompt", "2");
    auto& commodity = *store().shangPinXinXi().at("AG");
    commodity.buyShiPingQuanXian = "0";
    commodity.sellShiPingQuanXian = "0";
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    typeOnKeypad(screen->SJPCView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "此商品当前用户没有该商品的转让权限");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
}

// A price refresh lands while the finger is on a holding of the picker: the pick is still made.
TEST_F(QuoteModeTransfer, aHoldingPressedAcrossAPriceRefreshIsPicked) {
    ASSERT_NE(openScreen(), nullptr);
    ASSERT_TRUE(driver.tap(screen->SJPCView()->commodityNameButton()));
    TableView& list = *screen->chiCangShangPinListView()->tableView();
    ASSERT_TRUE(driver.runUntil([&] { return list.numberOfRows(0) > 0; }, 10));
    const std::optional<Point> at = driver.rowPoint(list, {0, 0});
    ASSERT_TRUE(at);
    driver.longPress(*at, 0, [&] {
        NotificationCenter::defaultCenter().post("JYRefreshTimer");
        driver.settle();
    });
    driver.settle();
    EXPECT_FALSE(screen->SJPCView()->maiMaiFangXiangL()->text().empty());
}

// The picker shows the holdings the store has while its own query travels; the answer, without
// the bought holding listed above the pressed one, lands during the press: the pressed holding
// is picked, not the one that moved up under the finger.
TEST_F(QuoteModeTransfer, aHoldingPressedWhileTheOneAboveGoesIsPicked) {
    orderElsewhere("AU");
    orderElsewhere("CU");
    requeryHoldings();
    ASSERT_TRUE(driver.runUntil([&] { return store().chiCangHuiZongXinXi().size() >= 3; }, 10));
    ASSERT_NE(openScreen(), nullptr);
    const auto& rows = store().chiCangHuiZongXinXi();
    size_t row = 1;
    while (row < rows.size() && rows[row - 1]->buySellSign != "1") {
        ++row;
    }
    ASSERT_LT(row, rows.size());
    const std::string pressed = rows[row]->commodityCode;
    for (const auto& [number, ticket] : store().chiCangMingXiXinXi()) {
        if (ticket->commodityCode == rows[row - 1]->commodityCode && ticket->buySellSign == "1") {
            ASSERT_TRUE(
                tradeServer().ledger().closeElsewhere(loggedIn.account, std::stoll(number)));
        }
    }
    tradeServer().holdReplies("holding_query");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->commodityNameButton()));
    PXJYChiCangShangPinListView& picker = *screen->chiCangShangPinListView();
    const auto at = driver.rowPoint(*picker.tableView(), {0, static_cast<int>(row)});
    ASSERT_TRUE(at);
    driver.longPress(*at, 0, [&] {
        tradeServer().releaseReplies("holding_query");
        ASSERT_TRUE(driver.runUntil([&] {
            return picker.allChiCangShangPinCommodity()[row - 1]->commodityCode == pressed;
        }));
    });
    driver.settle();
    EXPECT_EQ(screen->SJPCView()->commodityNameButton()->currentTitle(),
              store().shangPinXinXi().at(pressed)->commodityName);
}

TEST_F(QuoteModeTransfer, cancellingTheConfirmationSendsNothing) {
    tradeModule().setDefaultString("prompt", "1");
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    typeOnKeypad(screen->SJPCView()->shuLiang(), "1");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    EXPECT_NE(alertMessage().find("转让售出"), std::string::npos) << alertMessage();
    snapshot("confirmation");
    ASSERT_TRUE(driver.tapAlertButton("取消"));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_s").empty(); }));
    EXPECT_EQ(screen->SJPCView()->shuLiang()->text(), "1");
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
}

TEST_F(QuoteModeTransfer, aQuantityOutsideTheFreeRangeIsRefusedWithoutSending) {
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    typeOnKeypad(screen->SJPCView()->shuLiang(), "99");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易数量");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_s").empty());
}

TEST_F(QuoteModeTransfer, stopLossAloneIsSetWithTakeProfitOffAsZero) {
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    const std::string number = heldNumber("AG");
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    PXJYZhiJiaPingCangView& form = *screen->ZJPCView();
    ASSERT_TRUE(driver.tap(form.commodityDanHao()));
    driver.settle();
    pickNumber(number);
    EXPECT_EQ(form.maiMaiFangXiang()->text(), "售出");
    ASSERT_EQ(form.ZSFanWei()->text().substr(0, 1), "<");
    // Off, the stop-loss price waits on its grey box.
    const Rect lossField = driver.visibleRect(form.zhiSunJia());
    EXPECT_FALSE(driver.isVisible(form.zhiSunJia()));
    EXPECT_EQ(driver.colorAt({lossField.midX(), lossField.midY()}), Color::rgb(59, 59, 71));
    // Well inside the allowed side of the bound, where the exchange accepts it too.
    const std::string bound =
        PXTradeFormat::priceText(Text::doubleValue(form.ZSFanWei()->text().substr(1)) - 5,
                                 store().shangPinXinXi().at("AG")->zuiXiaoBianDongJia);

    // Neither level switched on: nothing to set, even with hidden text.
    ASSERT_TRUE(driver.tap(form.pingCangButton()));
    EXPECT_EQ(alertMessage(), "请设置止损止盈");
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    // Switched on but both prices empty: still nothing to set.
    ASSERT_TRUE(driver.tap(form.zhiSunButton()));
    driver.settle();
    driver.pressReturn();
    ASSERT_TRUE(driver.tap(form.pingCangButton()));
    EXPECT_EQ(alertMessage(), "请设置止损止盈");
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    ASSERT_TRUE(driver.tap(form.zhiSunJia()));
    driver.settle();
    driver.typeText(bound);
    driver.pressReturn();
    snapshot("stops");
    const Label* validity = nullptr;
    for (const Label* label : driver.viewsOfClass<Label>()) {
        validity = label->text() == "有效期：当日有效" ? label : validity;
    }
    EXPECT_EQ(validity->frame().x, 210);
    EXPECT_EQ(validity->frame().y, 380);
    ASSERT_TRUE(driver.tap(form.pingCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    const auto orders = received("set_loss_profit");
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(req(orders[0], "H_ID"), number);
    EXPECT_EQ(req(orders[0], "STOP_LOSS"), bound);
    EXPECT_EQ(req(orders[0], "STOP_PROFIT"), "0");
    EXPECT_EQ(req(orders[0], "TY"), "2");
}

// Each step reopens the form on the same holding; a level left off goes out as "0".
TEST_F(QuoteModeTransfer, stopsAreChangedAndSwitchedOffOnTheSameHolding) {
    tradeModule().setDefaultString("prompt", "2");
    const std::string number = heldNumber("AG");
    const std::string tick = store().shangPinXinXi().at("AG")->zuiXiaoBianDongJia;
    struct Step {
        bool loss;
        bool profit;
        double offset;  // into the allowed side of each bound
    };
    const Step steps[] = {{true, true, 5}, {true, true, 8}, {false, true, 3}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.offset);
        tradeServer().clearReceived();
        ASSERT_NE(openScreen(), nullptr);
        ASSERT_TRUE(driver.tap(screen->ZJbutton()));
        PXJYZhiJiaPingCangView& form = *screen->ZJPCView();
        ASSERT_TRUE(driver.tap(form.commodityDanHao()));
        driver.settle();
        pickNumber(number);
        auto level = [&](Button* box, Label* range, double sign) {
            const double bound = Text::doubleValue(range->text().substr(1));
            const std::string price = PXTradeFormat::priceText(bound + sign * step.offset, tick);
            if (!driver.isVisible(box)) {
                driver.drag({160, 450}, {160, 250});  // the take-profit row sits below the fold
                driver.settle();
            }
            EXPECT_TRUE(driver.tap(box));
            driver.settle();
            driver.typeText(price);
            driver.pressReturn();
            return price;
        };
        const std::string loss = step.loss ? level(form.zhiSunButton(), form.ZSFanWei(), -1) : "0";
        const std::string profit =
            step.profit ? level(form.zhiYingButton(), form.ZYFanWei(), 1) : "0";
        ASSERT_TRUE(driver.tap(form.pingCangButton()));
        ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
            << alertMessage();
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        const auto orders = received("set_loss_profit");
        ASSERT_EQ(orders.size(), 1u);
        EXPECT_EQ(req(orders[0], "H_ID"), number);
        EXPECT_EQ(req(orders[0], "STOP_LOSS"), loss);
        EXPECT_EQ(req(orders[0], "STOP_PROFIT"), profit);
    }
}

TEST_F(QuoteModeTransfer, anOrderBookHoldingIsListedForTransferAndAQuoteModeChoiceGoesBack) {
    tradeModule().setDefaultString("prompt", "2");
    auto& commodity = *store().shangPinXinXi().at("AG");
    const std::string mode = commodity.shangPinJiaoYiMoShi;
    commodity.shangPinJiaoYiMoShi = "4";
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(orderBook, nullptr);
    PXJYZhuanRangZYMSView& form = *orderBook->SJPCView();
    EXPECT_TRUE(form.danHaoOrShangPin());
    EXPECT_EQ(form.maiMaiFangXiangL()->text(), "售出");
    EXPECT_EQ(form.shuLiangFanWei()->text(),
              "(数量范围:1-" + std::to_string(heldLots("AG", "1")) + ")");
    snapshot("order-book-form");

    // Back in quote mode, a choice in its picker returns to the screen below.
    commodity.shangPinJiaoYiMoShi = mode;
    ASSERT_TRUE(driver.tap(form.commodityNameButton()));
    driver.settle();
    EXPECT_TRUE(orderBook->chiCangShangPinListView()->isShown());
    snapshot("order-book-picker");
    const auto& rows = orderBook->chiCangShangPinListView()->allChiCangShangPinCommodity();
    const auto found = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
        return row->commodityCode == "AG" && row->buySellSign == "1";
    });
    ASSERT_NE(found, rows.end());
    ASSERT_TRUE(driver.tapRow(*orderBook->chiCangShangPinListView()->tableView(),
                              IndexPath{0, static_cast<int>(found - rows.begin())}));
    driver.settle();
    EXPECT_EQ(tradeNavigation()->topViewController(), screen);
    EXPECT_EQ(screen->SJPCView()->commodityCode(), "AG");
    EXPECT_EQ(screen->SJPCView()->zhuanRangJiaGe()->text(), sellPrice());
}

TEST_F(QuoteModeTransfer, theOrderBookFormSendsATransferListingOfTheTypedPrice) {
    tradeModule().setDefaultString("prompt", "2");
    store().shangPinXinXi().at("AG")->shangPinJiaoYiMoShi = "4";
    ASSERT_NE(openScreen(), nullptr);
    const std::string number = heldNumber("AG");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->DHbutton()));
    ASSERT_TRUE(driver.tap(screen->SJPCView()->danHaoButton()));
    driver.settle();
    pickNumber(number);
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(orderBook, nullptr);
    PXJYZhuanRangZYMSView& form = *orderBook->SJPCView();
    EXPECT_FALSE(form.danHaoOrShangPin());
    EXPECT_EQ(form.danHaoButton()->currentTitle(), number);
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangJiaGe()));
    driver.settle();
    driver.typeText("1abc");
    EXPECT_EQ(form.zhuanRangJiaGe()->text(), "");
    driver.typeText("5300");
    driver.pressReturn();
    driver.settle();
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_list").empty(); }, 10));
    const auto listing = received("order_list").front();
    EXPECT_EQ(req(listing, "SETTLE_BASIS"), "2");
    EXPECT_EQ(req(listing, "BUY_SELL"), "2");
    EXPECT_EQ(req(listing, "PRICE"), "5300");
    EXPECT_EQ(req(listing, "QTY"), "1");
    EXPECT_EQ(req(listing, "CLOSEMODE"), "2");
    EXPECT_EQ(req(listing, "HOLDING_ID"), number);
    EXPECT_EQ(req(listing, "LIST_PICK"), "1");
    EXPECT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 0);
}

TEST_F(QuoteModeTransfer, theOrderBookConfirmationLeavesWithItsScreenOnIdleLogOut) {
    tradeModule().setDefaultString("prompt", "1");
    store().shangPinXinXi().at("AG")->shangPinJiaoYiMoShi = "4";
    ASSERT_NE(openScreen(), nullptr);
    ASSERT_TRUE(driver.tap(screen->SJPCView()->DHbutton()));
    ASSERT_TRUE(driver.tap(screen->SJPCView()->danHaoButton()));
    driver.settle();
    pickNumber(heldNumber("AG"));
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(orderBook, nullptr);
    WeakLink<ViewController> gone(orderBook);
    PXJYZhuanRangZYMSView& form = *orderBook->SJPCView();
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangJiaGe()));
    driver.typeText("5300");
    driver.pressReturn();
    driver.settle();
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_NE(driver.visibleAlert(), nullptr);
    ASSERT_EQ(driver.visibleAlert()->buttonTitleAtIndex(0), "确定");

    Timer* idle = tradeModule().PXJYTimerManger().timeoutTimer();
    ASSERT_TRUE(idle);
    idle->fire();
    ASSERT_EQ(alertMessage(), "您长时间未操作,已自动退出交易系统!");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    driver.settle();
    EXPECT_FALSE(gone);
    EXPECT_EQ(driver.visibleAlert(), nullptr) << alertMessage();
    EXPECT_FALSE(driver.tapAlertButton("确定"));
    EXPECT_FALSE(driver.runFor(1, [&] { return !received("order_list").empty(); }));
}

// A pick on the conditional tab, and refreshes while it shows, leave the market form as its
// user filled it.
TEST_F(QuoteModeTransfer, aPickOnTheConditionalTabLeavesTheMarketFormAsChosen) {
    tradeModule().setDefaultString("prompt", "2");
    orderElsewhere("AU");
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AU", "1");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    ASSERT_TRUE(driver.tap(screen->ZJPCView()->commodityDanHao()));
    driver.settle();
    pickNumber(heldNumber("AG"));
    refresh();
    EXPECT_EQ(screen->ZJPCView()->commodity()->text(), "白银");
    ASSERT_TRUE(driver.tap(screen->SJbutton()));
    refresh();
    EXPECT_TRUE(form.danHaoOrShangPin());
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "黄金");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-1)");
    EXPECT_EQ(form.shuLiang()->text(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "转让成功"; }, 10))
        << alertMessage();
    const auto orders = received("order_s");
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(req(orders[0], "COMMODITY_ID"), "AU");
    EXPECT_EQ(req(orders[0], "CLOSEMODE"), "1");
}

// A commodity picked here and handed to the order-book screen is that screen's choice: back
// here, by commodity shows nothing, and the conditional tab has no holding either.
TEST_F(QuoteModeTransfer, aChoiceHandedToTheOrderBookScreenIsNotKeptByTheQuoteModeForms) {
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_TRUE(holdOrderBookLots("zn", "2150", 1));
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("zn", "1");
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(orderBook, nullptr);
    ASSERT_TRUE(driver.tap(orderBook->SJPCView()->DHbutton()));
    ASSERT_TRUE(driver.tap(orderBook->SJPCView()->danHaoButton()));
    driver.settle();
    const std::string number = heldNumber("AG");
    pickNumber(number, orderBook->chiCangDanHaoListView());
    ASSERT_EQ(tradeNavigation()->topViewController(), screen);
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    EXPECT_EQ(form.danHaoButton()->currentTitle(), number);

    ASSERT_TRUE(driver.tap(form.SPbutton()));
    refresh();
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "");
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "请选择商品");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    refresh();
    EXPECT_EQ(screen->ZJPCView()->commodityDanHao()->currentTitle(), "");
    EXPECT_TRUE(received("order_s").empty());
}

// The holdings asked again no longer hold the chosen number: both forms forget it.
TEST_F(QuoteModeTransfer, aHoldingClosedMeanwhileIsForgottenAndNothingOfItIsSent) {
    tradeModule().setDefaultString("prompt", "2");
    ASSERT_NE(openScreen(), nullptr);
    const std::string number = heldNumber("AG");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    ASSERT_TRUE(driver.tap(form.DHbutton()));
    ASSERT_TRUE(driver.tap(form.danHaoButton()));
    pickNumber(number);
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    PXJYZhiJiaPingCangView& stops = *screen->ZJPCView();
    ASSERT_TRUE(driver.tap(stops.commodityDanHao()));
    pickNumber(number);
    EXPECT_EQ(stops.commodityDanHao()->currentTitle(), number);

    orderElsewhere("AG", number);
    ASSERT_TRUE(driver.tap(stops.commodityDanHao()));
    ASSERT_TRUE(driver.runUntil([&] { return !store().chiCangMingXiXinXi().count(number); }));
    screen->chiCangDanHaoListView()->VKJYNavBackAction();
    refresh();
    EXPECT_EQ(stops.commodityDanHao()->currentTitle(), "");
    ASSERT_TRUE(driver.tap(stops.pingCangButton()));
    EXPECT_EQ(alertMessage(), "请选择单号");
    ASSERT_TRUE(driver.tapAlertButton("确定"));

    ASSERT_TRUE(driver.tap(screen->SJbutton()));
    refresh();
    EXPECT_EQ(form.danHaoButton()->currentTitle(), "");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
    snapshot("forgotten-number");
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "请选择单号");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_s").empty());
    EXPECT_TRUE(received("set_loss_profit").empty());
}

// A holding picked by commodity that closes is forgotten for good: one opened later under the
// same commodity and side is not taken for it, in the quote-mode and the order-book form alike.
TEST_F(QuoteModeTransfer, aHoldingPickedByCommodityThatClosedStaysForgottenWhenOneOpensAgain) {
    tradeModule().setDefaultString("prompt", "2");
    struct Case {
        const char* code;
        bool orderBook;
    };
    for (const Case& held : {Case{"AG", false}, Case{"zn", true}}) {
        SCOPED_TRACE(held.code);
        const auto open = [&] {
            return held.orderBook ? holdOrderBookLots(held.code, "2150", 1)
                                  : orderAtTheExchange(held.code, "1", "1");
        };
        if (held.orderBook) {
            ASSERT_TRUE(open());
        }
        tradeServer().clearReceived();
        ASSERT_NE(openScreen(), nullptr);
        pickSummary(held.code, "1");
        auto* orderBook =
            dynamic_cast<PXJYZhuanRangZYMSVC*>(tradeNavigation()->topViewController());
        ASSERT_EQ(orderBook != nullptr, held.orderBook);
        PXZhuanRangFormView& form = orderBook
                                        ? static_cast<PXZhuanRangFormView&>(*orderBook->SJPCView())
                                        : *screen->SJPCView();
        ASSERT_EQ(form.commodityCode(), held.code);

        closeBoughtElsewhere(held.code);
        refresh();
        EXPECT_EQ(form.commodityNameButton()->currentTitle(), PXTradeFormat::kMissing);
        ASSERT_TRUE(open());
        requeryHoldings();
        ASSERT_TRUE(driver.runUntil([&] { return heldLots(held.code, "1") > 0; }));
        refresh();
        EXPECT_EQ(form.commodityCode(), "");
        EXPECT_EQ(form.commodityNameButton()->currentTitle(), PXTradeFormat::kMissing);
        EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:0-0)");
        snapshot(std::string("forgotten-summary-") + held.code);
        typeOnKeypad(form.shuLiang(), "1");
        ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
        EXPECT_EQ(alertMessage(), "请选择商品");
        ASSERT_TRUE(driver.tapAlertButton("确定"));
        EXPECT_TRUE(received("order_s").empty());
        EXPECT_TRUE(received("order_list").empty());
        tradeNavigation()->popToRootViewController(false);
        driver.settle();
    }
}

// The holding picked is the first account's: under the second account, which holds the same
// commodity and side, the form shows none and sends nothing.
TEST_F(QuoteModeTransfer, aHoldingPickedByCommodityIsForgottenByAnAccountSwitch) {
    tradeModule().setDefaultString("prompt", "2");
    secondAccountHoldsSilver();
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    ASSERT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-2)");
    switchToSecondAccount(*form.switchingAccountView());
    ASSERT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == 3; }));
    refresh();
    EXPECT_EQ(form.commodityCode(), "");
    EXPECT_NE(form.commodityNameButton()->currentTitle(), "白银");
    EXPECT_NE(form.shuLiangFanWei()->text(), "(数量范围:1-3)");
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "请选择商品");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_s").empty());
}

// Another account logs on while the form is on show, and a price refresh meets its holdings,
// which lack the one picked: the tap says the account changed, not what the form now lacks, and
// sends nothing; a holding picked again goes out for the account logged in now.
TEST_F(QuoteModeTransfer, aTapAfterALogonMadeWhileOnShowSaysTheAccountChanged) {
    tradeModule().setDefaultString("prompt", "2");
    secondAccountHoldsSilver();
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    typeOnKeypad(form.shuLiang(), "1");
    TradeSessionAccount second;
    second.account = kSecondAccount;
    ASSERT_TRUE(logIn(second));
    requeryHoldings();
    ASSERT_TRUE(driver.runUntil([&] { return heldLots("AG", "1") == 3; }));
    refresh();
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "账户已切换，请重新操作");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    EXPECT_TRUE(received("order_s").empty());

    pickSummary("AG", "1");
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_s").empty(); }));
    EXPECT_EQ(req(received("order_s")[0], "USER_ID"), kSecondAccount);
}

// A switch made from the order-book form's own switcher: back on the form before any price
// refresh, nothing of the first account's holding shows, and a transfer lists nothing.
TEST_F(QuoteModeTransfer, anOrderBookHoldingIsForgottenByASwitchFromItsOwnForm) {
    tradeModule().setDefaultString("prompt", "2");
    tradeModule().setDefaultString("RefreshTrade", "30");
    ASSERT_TRUE(holdOrderBookLots("zn", "2150", 3));
    ASSERT_TRUE(PXJYSavedAccounts(delegate->accountInfoFilePath())
                    .addAccount({"01", "01", kSecondAccount}));
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("zn", "1");
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(orderBook, nullptr);
    PXJYZhuanRangZYMSView& form = *orderBook->SJPCView();
    ASSERT_EQ(form.commodityNameButton()->currentTitle(), "锌");
    ASSERT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-3)");
    ASSERT_TRUE(switchToSavedAccount(*form.switchingAccountView(), orderBook));
    EXPECT_NE(form.commodityNameButton()->currentTitle(), "锌");
    EXPECT_NE(form.shuLiangFanWei()->text(), "(数量范围:1-3)");
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(form.zhuanRangJiaGe()));
    driver.typeText("2160");
    driver.pressReturn();
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_FALSE(driver.runFor(0.5, [&] { return !received("order_list").empty(); }));
}

// A switch made on the order-book form, then a quote-mode holding picked there: the form below
// takes it under the account now logged in and shows it, by commodity and by number alike.
class HandBackAfterASwitch : public QuoteModeTransfer,
                             public ::testing::WithParamInterface<bool> {};

TEST_P(HandBackAfterASwitch, theHoldingPickedIsShownOnTheFormBelow) {
    const bool byCommodity = GetParam();
    tradeModule().setDefaultString("RefreshTrade", "30");
    ASSERT_TRUE(holdOrderBookLots("zn", "2150", 1));
    secondAccountHoldsSilver();
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("zn", "1");
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(orderBook, nullptr);
    ASSERT_TRUE(switchToSavedAccount(*orderBook->SJPCView()->switchingAccountView(), orderBook));
    const std::string number = heldNumber("AG");
    if (byCommodity) {
        pickSummary("AG", "1", orderBook);
    } else {
        ASSERT_TRUE(driver.tap(orderBook->SJPCView()->DHbutton()));
        ASSERT_TRUE(driver.tap(orderBook->SJPCView()->danHaoButton()));
        pickNumber(number, orderBook->chiCangDanHaoListView());
    }
    ASSERT_EQ(tradeNavigation()->topViewController(), screen);
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "白银");
    EXPECT_EQ(form.shuLiangFanWei()->text(), "(数量范围:1-3)");
    if (!byCommodity) {
        EXPECT_EQ(form.danHaoButton()->currentTitle(), number);
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, HandBackAfterASwitch, ::testing::Values(true, false),
                         [](const auto& info) {
                             return std::string(info.param ? "byCommodity" : "byNumber");
                         });

// Shown again after an account switch made on the conditional tab, the screen is back on
// " 转让", whose holding picked under the first account is shown as none and sends nothing.
TEST_F(QuoteModeTransfer, reEnteringTheScreenShowsTheMarketTabWithWhatItSends) {
    tradeModule().setDefaultString("prompt", "2");
    secondAccountHoldsSilver();
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    typeOnKeypad(form.shuLiang(), "1");
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    switchToSecondAccount(*screen->ZJPCView()->switchingAccountView());
    EXPECT_EQ(screen->shiJia_ZhiJia(), 1);
    EXPECT_EQ(form.alpha(), 1);
    EXPECT_EQ(screen->ZJPCView()->alpha(), 0);
    EXPECT_NE(form.commodityNameButton()->currentTitle(), "白银");
    ASSERT_TRUE(driver.tap(form.zhuanRangButton()));
    EXPECT_EQ(alertMessage(), "请选择商品");
}

// A login from the form's switcher ("添加账号") of that account: accepted by the exchange, then
// refused at its last step; the failure told and taken away.
void QuoteModeTransfer::loginFailing(const std::string& account, LoginFailure failure) {
    ASSERT_TRUE(driver.tap(screen->SJPCView()->switchingAccountView()->accountButton()));
    ASSERT_TRUE(driver.tapText("添加账号"));
    PXJYTradeLoginVC* login = nullptr;
    ASSERT_TRUE(driver.runUntil([&] {
        login = dynamic_cast<PXJYTradeLoginVC*>(tradeNavigation()->topViewController());
        return login && login->isAppeared() && VKJYCommonViewUtil::activityCount() == 0 &&
               !login->captchaButton()->validString().empty();
    }));
    const bool halfWay = failure == LoginFailure::HalfWay;
    if (halfWay) {
        tradeServer().answerCodeNext(-1, "firm_info");
    } else {
        tradeServer().holdAnswers("logon");
    }
    ASSERT_TRUE(driver.tap(login->userNameTextField()));
    // The pre-filled account out, by the backspace key (an icon, no title).
    while (!login->userNameTextField()->text().empty()) {
        ASSERT_TRUE(driver.pressKey(""));
    }
    typeOnKeypad(login->userNameTextField(), account);
    ASSERT_TRUE(driver.tap(login->passWordTextField()));
    driver.typeText("111111");
    typeOnKeypad(login->captchaTextField(), captchaCode(login->captchaButton()->validString()));
    ASSERT_TRUE(driver.tap(login->loginButton()));
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 30));
    if (halfWay) {
        EXPECT_EQ(driver.visibleAlert()->title(), "登录失败");
        ASSERT_EQ(received("firm_info").size(), 1u) << "the logon was not accepted";
    } else {
        EXPECT_EQ(alertMessage(), "请求网络失败");
        tradeServer().releaseReplies("logon");
    }
    ASSERT_TRUE(driver.tapAlertButton("确定"));
}

// Another account's login that fails half-way leaves the account logged in before in force, and
// the form with it, with the holding picked and the quantity typed.
TEST_F(QuoteModeTransfer, aLoginThatFailsHalfWayLeavesTheFormAsItWas) {
    secondAccountHoldsSilver();
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    PXJYShiJiaZhuanRangView& form = *screen->SJPCView();
    typeOnKeypad(form.shuLiang(), "1");
    loginFailing(kSecondAccount);
    ASSERT_EQ(reqValue(received("logon").back(), "USER_ID"), kSecondAccount);
    // Its holdings, asked again, are answered under the session put back.
    ASSERT_TRUE(driver.runUntil([&] { return received("firm_info").size() == 2; }));
    ASSERT_TRUE(driver.runUntil([&] { return VKJYCommonViewUtil::activityCount() == 0; }));
    auto* login = dynamic_cast<PXJYTradeLoginVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
    ASSERT_TRUE(driver.runUntil([&] { return screen->isAppeared(); }));
    EXPECT_TRUE(tradeModule().tradeLogin());
    EXPECT_EQ(store().tradeSession()->userID, loggedIn.account);
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "白银");
    EXPECT_EQ(form.shuLiang()->text(), "1");
    EXPECT_EQ(driver.visibleAlert(), nullptr);
}

class QuoteModeTransferLoginAgain
    : public QuoteModeTransfer,
      public ::testing::WithParamInterface<QuoteModeTransfer::LoginFailure> {};

// The same account's logon ended its earlier session at the exchange the moment it was taken:
// nothing is left to put back, so the user is logged out, told once, and neither session is
// asked anything again.
TEST_P(QuoteModeTransferLoginAgain, ofTheAccountInUseThatFailsLogsOut) {
    ASSERT_NE(openScreen(), nullptr);
    loginFailing(loggedIn.account, GetParam());
    EXPECT_FALSE(tradeModule().tradeLogin());
    size_t failedAt = 0;
    tradeServer().receivedFrom(0, failedAt);
    // Long enough for a heartbeat and the holdings asked again.
    driver.runFor(3, [&] { return driver.visibleAlert() != nullptr; });
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    size_t total = 0;
    for (const auto& request : tradeServer().receivedFrom(failedAt, total)) {
        // The login screen's new captcha is no request of a session.
        EXPECT_TRUE(request.name.empty()) << "asked after the failed login: " << request.name;
    }
    EXPECT_EQ(tradeServer().ledger().endedSessionRequests(), 0);

    // Leaving the login screen leads to no form of the session that ended: back to the tab's
    // root, which asks for a login.
    auto* login = dynamic_cast<PXJYTradeLoginVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(driver.tap(login->navigationBarView()->backButton()));
    EXPECT_TRUE(driver.runUntil([&] { return tradeNavigation()->viewControllers().size() == 1; }))
        << "back on a form of the session that ended";
    EXPECT_FALSE(tradeModule().tradeLogin());
}

INSTANTIATE_TEST_SUITE_P(Failures, QuoteModeTransferLoginAgain,
                         ::testing::Values(QuoteModeTransfer::LoginFailure::HalfWay,
                                           QuoteModeTransfer::LoginFailure::AnsweredAfterTimeOut),
                         [](const auto& info) {
                             return info.param == QuoteModeTransfer::LoginFailure::HalfWay
                                        ? "halfWay"
                                        : "answeredAfterTimeOut";
                         });

class QuoteModeTransferShortScreen : public QuoteModeTransfer {
protected:
    QuoteModeTransferShortScreen() : QuoteModeTransfer({320, 480}) {}
};

TEST_F(QuoteModeTransferShortScreen, formsAndPickersStayUsableOnTheShortScreen) {
    ASSERT_NE(openScreen(), nullptr);
    pickSummary("AG", "1");
    EXPECT_TRUE(driver.isVisible(screen->SJPCView()->zhuanRangButton()));
    EXPECT_TRUE(driver.isVisible(screen->SJPCView()->shuLiang()));
    snapshot("short-market");
    ASSERT_TRUE(driver.tap(screen->SJPCView()->commodityNameButton()));
    driver.settle();
    snapshot("short-commodity-picker");
    screen->chiCangShangPinListView()->VKJYNavBackAction();
    ASSERT_TRUE(driver.tap(screen->ZJbutton()));
    EXPECT_TRUE(driver.isVisible(screen->ZJPCView()->pingCangButton()));
    snapshot("short-stops");
}

TEST_F(QuoteModeTransfer, aRecordListShowsCaptionsAndValuesReadably) {
    ASSERT_NE(openScreen(), nullptr);
    const Rect area = screen->view()->bounds();
    auto* list = screen->view()->addSubview(
        std::make_unique<PXJYHuiZongListView>(Rect{0, 64, area.width, area.height - 64}));
    list->setExplanationArray({"商 品:", "方 式:", "持牌量:", "持牌均价:", "转让价:", "冻结量:",
                               "实时盈亏:", "已交订金"});
    list->setDataArray({"白银", "购入", "2", "5189", "5187", "--", "-4.00", "1037.80"});
    list->creatListView();
    EXPECT_FALSE(driver.viewsWithText("实时盈亏:").empty());
    EXPECT_FALSE(driver.viewsWithText("-4.00").empty());
    snapshot("record-list");
}

TEST_F(QuoteModeTransfer, theTradeHomeMenuOpensTheTransferScreen) {
    EXPECT_TRUE(PXTradeScreenFactory::isRegistered("PXJYPingCangViewController"));
    EXPECT_TRUE(PXTradeScreenFactory::isRegistered("PXJYZhuanRangZYMSVC"));
}

}  // namespace
