#include <gtest/gtest.h>

#include "OpenScreenTest.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"
#include "trade/open/PXJYGuaPaiViewController.h"
#include "trade/open/PXJYJianCangZYMSVC.h"
#include "trade/open/PXJianCangRules.h"

namespace {

class Listing : public OpenScreenTest {
protected:
    explicit Listing(Size screenSize = {320, 568}) : OpenScreenTest(screenSize) {}

    PXJYGuaPaiViewController* openListing(const std::string& code = "") {
        PXTradeScreenArgs args;
        args.commodityCode = code;
        auto made = PXTradeScreenFactory::create("PXJYGuaPaiViewController", args);
        auto* typed = dynamic_cast<PXJYGuaPaiViewController*>(made.get());
        if (!typed) {
            return nullptr;
        }
        made.release();
        listing = pushOnTradeTab(std::unique_ptr<PXJYGuaPaiViewController>(typed));
        driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; });
        return listing;
    }

    // One lot of zn at 2160, once its range has come.
    void fillOneLotOfZinc(PXJYGuaPaiView& form) {
        pick(form, "zn");
        ASSERT_TRUE(driver.runUntil([&] {
            return VKJYCommonViewUtil::activityCount() == 0 && !form.fanWei()->text().empty();
        }));
        typeInto(form.zhiJiaL(), "2160");
        typeQuantity(form, "1");
    }

    PXJYGuaPaiViewController* listing = nullptr;
};

TEST_F(Listing, aListingFromTheOpenChoiceGoesOutAndShowsInTheBook) {
    setDefault("prompt", "1");
    ASSERT_NE(openListing(), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    EXPECT_EQ(form.commodityCodeArray(), (std::vector<std::string>{"NI", "zn"}));
    pick(form, "zn");
    ASSERT_TRUE(driver.runUntil([&] { return !form.fanWei()->text().empty(); }));
    EXPECT_EQ(received("my_order_query").size(), 1u);
    EXPECT_EQ(form.zuiXiaoDanWei()->text(), "当前最小报价单位是0.1元，请输入整数倍价格");
    ASSERT_TRUE(driver.tap(form.sellButton()));
    // Off the 0.1 grid: the exchange judges it and the screen shows its answer.
    typeInto(form.zhiJiaL(), "2160.05");
    typeQuantity(form, "2");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return !alertMessage().empty(); }, 10));
    EXPECT_EQ(alertMessage(), "价格不是最小报价单位的整数倍");
    ASSERT_EQ(received("order_list").size(), 1u);
    EXPECT_EQ(reqValue(received("order_list").at(0), "PRICE"), "2160.05");
    snapshot("listing-off-grid-refused");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(tradeNavigation()->topViewController(), listing);
    EXPECT_EQ(form.shuLiang()->text(), "2");
    form.zhiJiaL()->setText("");
    typeInto(form.zhiJiaL(), "2160.5");
    // The deposit follows the typed price too.
    const double unit =
        Text::doubleValue(tradeModule().PXJYData().shangPinXinXi().at("zn")->tradeUnit);
    const double rate =
        Text::doubleValue(tradeModule().PXJYData().shangPinXinXi().at("zn")->baoZhengJinXIShu);
    EXPECT_EQ(form.dingJin()->text(),
              Text::format("当前挂牌所需订金为%.2f元", 2 * 2160.5 * unit * rate));
    snapshot("listing");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "   商品:锌\n   商品价格:2160.5\n   商品数量:2\n   方式:挂牌售出");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    ASSERT_TRUE(driver.runUntil([&] { return alertMessage() == "下单成功"; }, 10))
        << alertMessage();
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    const auto sent = received("order_list").at(1);
    EXPECT_EQ(reqValue(sent, "BUY_SELL"), "2");
    EXPECT_EQ(reqValue(sent, "COMMODITY_ID"), "zn");
    EXPECT_EQ(reqValue(sent, "PRICE"), "2160.5");
    EXPECT_EQ(reqValue(sent, "QTY"), "2");
    EXPECT_EQ(reqValue(sent, "LIST_PICK"), "1");
    EXPECT_EQ(reqValue(sent, "P_F"), "2");
    EXPECT_EQ(reqValue(sent, "SETTLE_BASIS"), "1");

    // The sell book of the order-book screen now holds it.
    ASSERT_NE(openScreen(), nullptr);
    pick(*screen->shiJianView(), "zn");
    auto* book = dynamic_cast<PXJYJianCangZYMSVC*>(tradeNavigation()->topViewController());
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(driver.runUntil([&] {
        for (const auto& row : book->guaPaiInfoArray()) {
            if (Text::doubleValue(TradeText::textAt(row, "PRI")) == 2160.5) {
                return true;
            }
        }
        return false;
    }));
}

TEST_F(Listing, aListingNeedsACommodityAndALotCountWithinTheRange) {
    ASSERT_NE(openListing(), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请选择商品");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    pick(form, "zn");
    ASSERT_TRUE(driver.runUntil([&] { return !form.fanWei()->text().empty(); }));
    const auto range = PXTradeFormat::parseQuantityRange(form.fanWei()->text());
    typeQuantity(form, std::to_string(range.maximum + 1));
    typeInto(form.zhiJiaL(), "2160");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请输入正确的交易数量");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_list").empty());
}

TEST_F(Listing, anEarlierCommoditysOpenOrdersDoNotBoundTheNext) {
    // Three lots of zinc wait in a listing of the account.
    const SimJson listed = tradeServer().ledger().handle(
        SimTradeLink::Trade, "order_list",
        {{"USER_ID", loggedIn.account},
         {"BUY_SELL", "2"},
         {"COMMODITY_ID", "zn"},
         {"PRICE", "2160"},
         {"QTY", "3"},
         {"SETTLE_BASIS", "1"},
         {"LIST_ID", ""},
         {"CLOSEMODE", "1"},
         {"HOLDING_ID", ""},
         {"SESSION_ID", tradeModule().PXJYData().tradeSession()->JYsessionID},
         {"A_N", ""},
         {"P_P", ""},
         {"LIST_PICK", "1"},
         {"P_F", "2"}});
    ASSERT_EQ(listed.value("retcode", -1), 0) << listed.dump();
    ASSERT_NE(openListing(), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    tradeServer().holdReplies("my_order_query");
    listing->PXChangeCommodity("zn");
    listing->PXChangeCommodity("NI");
    ASSERT_TRUE(driver.runUntil([&] { return received("my_order_query").size() == 2; }));
    EXPECT_EQ(form.fanWei()->text(), "");
    tradeServer().releaseReplies("my_order_query");
    ASSERT_TRUE(driver.runUntil([&] {
        return VKJYCommonViewUtil::activityCount() == 0 && !form.fanWei()->text().empty();
    }));
    const PXTradeData& store = tradeModule().PXJYData();
    EXPECT_EQ(listing->weiTuoDan(), 0);
    EXPECT_EQ(form.fanWei()->text(),
              PXJianCangRules::orderBookRangeText(
                  *store.shangPinXinXi().at("NI"),
                  PXJianCangRules::heldLots(store.chiCangHuiZongXinXi(), "NI"), 0));
}

TEST_F(Listing, aListingAnsweredThatItsSessionIsLostEndsInTheReLoginDialogAlone) {
    setDefault("prompt", "2");
    ASSERT_NE(openListing(), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    ASSERT_NO_FATAL_FAILURE(fillOneLotOfZinc(form));
    tradeServer().answerCodeNext(1004, "order_list");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil(
        [&] { return VKJYCommonViewUtil::activityCount() == 0 && driver.visibleAlert(); }, 10));
    driver.settle();
    EXPECT_EQ(alertsOnShow(), 1) << alertMessage();
    EXPECT_EQ(driver.visibleAlert()->buttonTitleAtIndex(0), "重新登录");
}

TEST_F(Listing, aCommodityThatAlwaysDelistsHidesTheChoiceAndSendsIt) {
    setDefault("prompt", "2");
    ASSERT_NE(openListing("NI"), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    EXPECT_FALSE(form.commodityNameButton()->isEnabled());
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "镍");
    EXPECT_FALSE(driver.isVisible(form.ziDongZhaiPaiB()));
    EXPECT_TRUE(form.ziDongZhaiPai());
    ASSERT_TRUE(driver.runUntil([&] { return !form.fanWei()->text().empty(); }));
    typeInto(form.zhiJiaL(), "99000");
    typeQuantity(form, "1");
    // The keypad gone, the commodity is still the one this screen was opened for.
    EXPECT_FALSE(form.commodityNameButton()->isEnabled());
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    driver.tap(form.jianCangButton());
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_list").empty(); }, 10));
    ASSERT_TRUE(driver.runUntil([&] { return !alertMessage().empty(); }, 10));
    EXPECT_EQ(received("order_list").size(), 1u);
    EXPECT_EQ(reqValue(received("order_list").at(0), "P_F"), "1");
}

using ListingOnBothScreens = OnBothScreens<Listing>;

TEST_P(ListingOnBothScreens, theForcedDelistChoiceOfOneCommodityIsNotCarriedToTheNext) {
    setDefault("prompt", "2");
    ASSERT_NE(openListing(), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    pick(form, "NI");
    ASSERT_TRUE(driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }));
    reveal(form.lagelSY());
    EXPECT_FALSE(driver.isVisible(form.ziDongZhaiPaiB()));
    pick(form, "zn");
    ASSERT_TRUE(driver.runUntil([&] {
        return VKJYCommonViewUtil::activityCount() == 0 && !form.fanWei()->text().empty();
    }));
    reveal(form.lagelSY());
    EXPECT_TRUE(driver.isVisible(form.ziDongZhaiPaiB()));
    EXPECT_TRUE(driver.isVisible(form.lagelSY()));
    EXPECT_FALSE(form.ziDongZhaiPai());
    snapshot("listing-after-forced-commodity-" + std::to_string(GetParam()));
    typeInto(form.zhiJiaL(), "2160");
    typeQuantity(form, "1");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return !received("order_list").empty(); }, 10));
    EXPECT_EQ(reqValue(received("order_list").at(0), "COMMODITY_ID"), "zn");
    EXPECT_EQ(reqValue(received("order_list").at(0), "P_F"), "2");
}

TEST_P(ListingOnBothScreens,
       anOpenOrdersQueryFailingWhileTheListingTravelsLeavesTheSecondTapUnsent) {
    setDefault("prompt", "2");
    ASSERT_NE(openListing(), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    ASSERT_NO_FATAL_FAILURE(fillOneLotOfZinc(form));
    tradeServer().holdReplies("order_list");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    ASSERT_TRUE(driver.runUntil([&] { return received("order_list").size() == 1; }, 5));

    // The form asks for the commodity's open orders again while the listing travels.
    tradeServer().answerCodeNext(-1, "my_order_query");
    listing->PXChangeCommodity("zn");
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 10));
    EXPECT_EQ(alertMessage(), "模拟错误");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_EQ(VKJYCommonViewUtil::activityCount(), 1) << "the listing is still on its way";
    snapshot("listing-travelling-" + std::to_string(GetParam()));
    EXPECT_TRUE(secondTapUnsentUntilAnswered(form.jianCangButton(), "order_list", "下单成功"));
}

INSTANTIATE_TEST_SUITE_P(Heights, ListingOnBothScreens, ::testing::Values(568, 480));

TEST_F(Listing, aCommodityTheStoreNoLongerKnowsIsForgotten) {
    ASSERT_NE(openListing(), nullptr);
    PXJYGuaPaiView& form = *listing->guaPaiView();
    pick(form, "zn");
    ASSERT_TRUE(driver.runUntil([&] { return !form.fanWei()->text().empty(); }));
    typeQuantity(form, "1");
    typeInto(form.zhiJiaL(), "2160");
    // The commodities asked again (a new trading day, another environment) lack it.
    PXTradeData& store = tradeModule().PXJYData();
    auto commodities = store.shangPinXinXi();
    commodities.erase("zn");
    store.setShangPinXinXi(std::move(commodities));
    NotificationCenter::defaultCenter().post("JYRefreshTimer");
    driver.settle();
    EXPECT_EQ(form.commodityNameButton()->currentTitle(), "--");
    EXPECT_EQ(form.fanWei()->text(), "(摘牌范围:0-0)");
    EXPECT_EQ(form.zuiXiaoDanWei()->text(), "当前最小报价单位是--元，请输入整数倍价格");
    ASSERT_TRUE(driver.tap(form.jianCangButton()));
    EXPECT_EQ(alertMessage(), "请选择商品");
    ASSERT_TRUE(driver.tapAlertButton("确定"));
    EXPECT_TRUE(received("order_list").empty());
}

}  // namespace
