#include <gtest/gtest.h>

#include "MarketFixture.h"
#include "market/VKJYMarketDataRoad.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/ui/TableView.h"

TEST_F(MarketTest, shouldShowOneSectionPerPanelWithPricesThatMoveWithTheMarket) {
    launchToList();
    EXPECT_EQ(sectionTitles(),
              (std::vector<std::string>{"华东现货|实盘", "华东现货|", "西部商品|实盘", "|", "|"}));
    EXPECT_EQ(rowNames(1), (std::vector<std::string>{"白银", "黄金", "铂金"}));
    EXPECT_TRUE(driver.saveSnapshot(snapshotPath("list-568")));
    advanceSimulator(120);
    EXPECT_TRUE(runUntilPricesMove(1, 0));
}
