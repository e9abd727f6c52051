#include <gtest/gtest.h>

#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketHeaderView.h"
#include "market/VKJYMarketUIViewController.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "quote/VKJYHangQingDataClass.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"
#include "support/session/TradeSessionFixture.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

// The market list with a trading account logged in.
class MarketHeldTest : public TradeSessionFixture {
protected:
    MarketHeldTest() { VKJYMarketUIViewController::registerAsMarketRoot(); }
    ~MarketHeldTest() override { VKJYTabRootFactory::setMarketRootMaker(nullptr); }

    // The market list appears again, as after a visit to the trade tab.
    void showMarketTabAgain() {
        delegate->tabBarHelper().selectTradeTab();
        driver.settle();
        delegate->tabBarHelper().selectHangQingTab();
        driver.settle();
    }

    VKJYMarketUIViewController* market() const {
        auto* tabs = delegate->tabBarHelper().tabBarController();
        auto* stack = dynamic_cast<NavigationController*>(tabs->viewControllers().front());
        return dynamic_cast<VKJYMarketUIViewController*>(stack->viewControllers().front());
    }

    // The trading store's latest price of silver moves with the simulated market.
    bool tradingPriceMoves() {
        const auto price = [&]() -> double {
            const auto& prices = tradeModule().PXJYData().zuiXinYiKouJia();
            const auto found = prices.find("AG");
            return found == prices.end() ? 0 : found->second->commodityNewPrice;
        };
        if (!driver.runUntil([&] { return price() != 0; }, 10)) {
            return false;
        }
        const double before = price();
        sim.clock().advance(120 * 1000);
        return driver.runUntil([&] { return price() != before; }, 10);
    }
};

TEST_F(MarketHeldTest, shouldAddAHeldCommodityToTheWatchListWithANoticeOnce) {
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(false, VKJYMarketUIViewController::kShowHelpKey);
    defaults.setBool(true, VKJYMarketUIViewController::kEverLaunchedKey);
    ASSERT_TRUE(launchAndLogIn());
    EXPECT_TRUE(VKJYWatchList::readFile().empty());
    showMarketTabAgain();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 5));
    EXPECT_EQ(driver.visibleAlert()->message(), "持牌商品加入行情中心");
    EXPECT_TRUE(driver.tapAlertButton("确定"));
    const auto keys = VKJYWatchList::readFile();
    EXPECT_EQ(keys, (std::vector<std::string>{"1_0"}));
    // Nothing new held: no notice the next time.
    showMarketTabAgain();
    EXPECT_EQ(driver.visibleAlert(), nullptr);
    EXPECT_EQ(VKJYWatchList::readFile(), keys);
}

TEST_F(MarketHeldTest, shouldAddAHeldCommodityPastTheLimitWithTheNotice) {
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(false, VKJYMarketUIViewController::kShowHelpKey);
    defaults.setBool(true, VKJYMarketUIViewController::kEverLaunchedKey);
    std::vector<std::string> full = {"2_0", "300_0", "4_0", "5_0", "6_0", "7_0", "8_1", "9_1"};
    PropertyList list = PropertyList::array();
    for (const auto& key : full) {
        list.append(key);
    }
    ASSERT_TRUE(list.writeFile(VKJYWatchList::filePath()));
    ASSERT_TRUE(launchAndLogIn());
    showMarketTabAgain();
    ASSERT_TRUE(driver.runUntil([&] { return driver.visibleAlert() != nullptr; }, 5));
    EXPECT_EQ(driver.visibleAlert()->message(), "持牌商品加入行情中心");
    EXPECT_TRUE(driver.tapAlertButton("确定"));
    auto withHeld = full;
    withHeld.push_back("1_0");
    EXPECT_EQ(VKJYWatchList::readFile(), withHeld);
}

// The swipe button pauses the list's redraw only: the trading side keeps its prices, and the
// pause ends when the list leaves the screen.
TEST_F(MarketHeldTest, shouldKeepTheTradingPricesMovingWhileASwipeButtonIsLeftOpen) {
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(false, VKJYMarketUIViewController::kShowHelpKey);
    defaults.setBool(true, VKJYMarketUIViewController::kEverLaunchedKey);
    ASSERT_TRUE(launchAndLogIn());
    showMarketTabAgain();
    if (driver.visibleAlert()) {
        ASSERT_TRUE(driver.tapAlertButton("确定"));
    }
    TableView& table = *market()->CommodityInfoListTableView();
    ASSERT_TRUE(driver.runUntil([&] { return table.numberOfSections() > 1; }, 15));
    table.scrollToRow({1, 0}, TableViewScrollPosition::Middle, false);
    const Rect row = table.convertRect(table.rectForRow({1, 0}), nullptr);
    driver.swipe({280, row.midY()}, {100, row.midY()});
    ASSERT_NE(table.cellForRow({1, 0})->deleteButton(), nullptr);
    EXPECT_TRUE(tradingPriceMoves());

    delegate->tabBarHelper().selectTradeTab();
    driver.settle();
    EXPECT_FALSE(table.editingRow().has_value());
    EXPECT_TRUE(VKJYHangQingDataClass::current()->canRefreshYiKouJia());
    EXPECT_TRUE(tradingPriceMoves());
}

// Delete mode is of the list on show: a held commodity that joins the grid meanwhile does not
// come back marked in its place.
TEST_F(MarketHeldTest, shouldEndDeleteModeWhenTheListLeavesTheScreen) {
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(false, VKJYMarketUIViewController::kShowHelpKey);
    defaults.setBool(true, VKJYMarketUIViewController::kEverLaunchedKey);
    PropertyList list = PropertyList::array();
    list.append(std::string("2_0"));
    list.append(std::string("6_0"));
    ASSERT_TRUE(list.writeFile(VKJYWatchList::filePath()));
    ASSERT_TRUE(launchShell());
    ASSERT_TRUE(driver.runUntil(
        [&] { return market() && market()->headView() && market()->headView()->tile(1); }, 15));
    driver.longPress(market()->headView()->tile(0)->convertPointToWindow({50, 50}), 1.3);
    ASSERT_TRUE(market()->headView()->tile(0)->showsDeleteMark());
    ASSERT_TRUE(logIn());
    showMarketTabAgain();
    if (driver.visibleAlert()) {
        ASSERT_TRUE(driver.tapAlertButton("确定"));
    }
    VKJYMarketHeaderView* header = market()->headView();
    ASSERT_NE(header->tile(2), nullptr);
    for (std::size_t i = 0; header->tile(i); ++i) {
        EXPECT_FALSE(header->tile(i)->showsDeleteMark()) << "tile " << i;
    }
    EXPECT_EQ(VKJYHangQingDataClass::current()->delectedCommodityButton(), nullptr);
}
