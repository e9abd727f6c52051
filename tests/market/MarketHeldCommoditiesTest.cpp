#include <gtest/gtest.h>

#include "market/VKJYMarketUIViewController.h"
#include "market/VKJYWatchList.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertView.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"
#include "support/session/TradeSessionFixture.h"

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
