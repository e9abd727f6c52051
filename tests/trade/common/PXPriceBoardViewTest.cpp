#include <filesystem>

#include "platform/graphics/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/UiFixture.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXPriceBoardFigures.h"
#include "trade/core/PXTradeRecords.h"

namespace {

class PriceBoard : public UiTest {
protected:
    PriceBoard() { Image::setResourceDirectory(std::string(VKJY_SOURCE_RESOURCES) + "/images"); }

    std::string snapshot(const std::string& name) {
        std::filesystem::create_directories(VKJY_SNAPSHOT_DIR);
        const std::string path = std::string(VKJY_SNAPSHOT_DIR) + "/" + name + ".png";
        EXPECT_TRUE(driver.saveSnapshot(path));
        return path;
    }
};

TEST_F(PriceBoard, quoteBoardStartsWithTenMissingValuesAndItsCaptions) {
    auto* board = add(std::make_unique<PXCommodityInformationView>(Rect{0, 64, 320, 110}));
    driver.settle();
    EXPECT_EQ(driver.viewsWithText("--").size(), 10u);
    for (const char* caption :
         {"售出价", "购入价", "最高价", "最低价", "开盘:", "昨收:", "涨幅:"}) {
        EXPECT_NE(driver.viewWithText(caption), nullptr) << caption;
    }
    ASSERT_NE(board->buyl(), nullptr);
    ASSERT_NE(board->sellL(), nullptr);
}

TEST_F(PriceBoard, orderBookBoardHasNoDealingPrices) {
    auto* board = add(std::make_unique<PXCommodityInformationViewZYMS>(Rect{0, 64, 320, 110}));
    driver.settle();
    EXPECT_EQ(board->buyl(), nullptr);
    EXPECT_EQ(board->sellL(), nullptr);
    EXPECT_EQ(driver.viewsWithText("--").size(), 8u);
    EXPECT_EQ(driver.viewWithText("售出价"), nullptr);
}

TEST_F(PriceBoard, fillWritesEveryLabelAndMissingPricesClearThemAgain) {
    auto* board = add(std::make_unique<PXCommodityInformationView>(Rect{0, 64, 320, 110}));
    PXTradeYiKouJia prices;
    prices.commodityNewPrice = 4021.5;
    prices.commodityBuyPrice = 4021;
    prices.commoditySellPrice = 4022;
    prices.commodityTopPrice = 4050;
    prices.commodityLowerPrice = 3990.25;
    prices.todayOpen = 4000;
    prices.yesterdayClose = 4010;
    board->fill(PXPriceBoardFigures::make(&prices, "0.01"));
    driver.settle();
    EXPECT_EQ(board->dangQianJia()->text(), "4021.50");
    EXPECT_EQ(board->zhangFu()->text(), "11.50");
    EXPECT_EQ(board->zhangFuBi()->text(), "+0.29%");
    EXPECT_EQ(board->buyl()->text(), "4021.00");
    EXPECT_EQ(board->sellL()->text(), "4022.00");
    EXPECT_EQ(board->zuiGaoL()->text(), "4050.00");
    EXPECT_EQ(board->zuiDiL()->text(), "3990.25");
    EXPECT_EQ(board->kaiPanJ()->text(), "4000.00");
    EXPECT_EQ(board->kaiPanJ()->textColor(), Color::rgb(59, 210, 53));
    EXPECT_EQ(board->zuoShouJ()->text(), "4010.00");
    EXPECT_EQ(board->zhengFuL()->text(), "+1.49%");
    for (Label* label : {board->dangQianJia(), board->zhangFuBi(), board->zhengFuL()}) {
        EXPECT_TRUE(driver.isVisible(label));
        EXPECT_GE(driver.visibleRect(label).width, label->frame().width - 0.5);
    }
    snapshot("price-board-filled");

    board->fill(PXPriceBoardFigures::make(nullptr, "0.01"));
    EXPECT_EQ(driver.viewsWithText("--").size(), 10u);
    EXPECT_EQ(board->dangQianJia()->textColor(), Color::whiteColor());
}

}  // namespace
