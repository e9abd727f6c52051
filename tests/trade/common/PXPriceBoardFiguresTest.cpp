#include <gtest/gtest.h>

#include "trade/common/PXPriceBoardFigures.h"
#include "trade/core/PXTradeRecords.h"

namespace {

const Color kRed = Color::rgb(255, 0, 0);
const Color kGreen = Color::rgb(59, 210, 53);
const Color kWhite = Color::whiteColor();

PXTradeYiKouJia prices(double newPrice, double close) {
    PXTradeYiKouJia p;
    p.commodityNewPrice = newPrice;
    p.commodityBuyPrice = newPrice - 1;
    p.commoditySellPrice = newPrice + 1;
    p.commodityTopPrice = newPrice + 5;
    p.commodityLowerPrice = newPrice - 15;
    p.todayOpen = close;
    p.yesterdayClose = close;
    return p;
}

TEST(PXPriceBoardFigures, withoutPricesEveryLabelIsMissingInWhite) {
    const auto figures = PXPriceBoardFigures::make(nullptr, "1");
    for (const auto* cell : {&figures.dangQianJia, &figures.zhangFu, &figures.zhangFuBi,
                             &figures.buyl, &figures.sellL, &figures.zuiGaoL, &figures.zuiDiL,
                             &figures.kaiPanJ, &figures.zuoShouJ, &figures.zhengFuL}) {
        EXPECT_EQ(cell->text, "--");
        EXPECT_EQ(cell->color, kWhite);
    }
}

TEST(PXPriceBoardFigures, risingPriceIsRedWithPlusSigns) {
    const auto p = prices(1010, 1000);
    const auto f = PXPriceBoardFigures::make(&p, "1");
    EXPECT_EQ(f.dangQianJia.text, "1010");
    EXPECT_EQ(f.dangQianJia.color, kRed);
    EXPECT_EQ(f.zhangFu.text, "10");
    EXPECT_EQ(f.zhangFu.color, kRed);
    EXPECT_EQ(f.zhangFuBi.text, "+1.00%");
    EXPECT_EQ(f.zhangFuBi.color, kRed);
    EXPECT_EQ(f.buyl.text, "1009");
    EXPECT_EQ(f.sellL.text, "1011");
    EXPECT_EQ(f.zuiGaoL.text, "1015");
    EXPECT_EQ(f.zuiDiL.text, "995");
    EXPECT_EQ(f.zuiDiL.color, kGreen);
    EXPECT_EQ(f.kaiPanJ.text, "1000");
    EXPECT_EQ(f.kaiPanJ.color, kWhite);
    EXPECT_EQ(f.zuoShouJ.text, "1000");
    EXPECT_EQ(f.zhengFuL.text, "+2.00%");
    EXPECT_EQ(f.zhengFuL.color, kRed);
}

TEST(PXPriceBoardFigures, fallingPriceIsGreenWithTwoDecimals) {
    const auto p = prices(99.5, 100);
    const auto f = PXPriceBoardFigures::make(&p, "0.01");
    EXPECT_EQ(f.dangQianJia.text, "99.50");
    EXPECT_EQ(f.dangQianJia.color, kGreen);
    EXPECT_EQ(f.zhangFu.text, "-0.50");
    EXPECT_EQ(f.zhangFu.color, kGreen);
    EXPECT_EQ(f.zhangFuBi.text, "-0.50%");
    EXPECT_EQ(f.zhangFuBi.color, kGreen);
}

TEST(PXPriceBoardFigures, unchangedPriceShowsZeroChangeAndNoPercent) {
    auto p = prices(100, 100);
    p.commodityTopPrice = 100;
    p.commodityLowerPrice = 100;
    const auto f = PXPriceBoardFigures::make(&p, "0.01");
    EXPECT_EQ(f.zhangFu.text, "0.00");
    EXPECT_EQ(f.zhangFu.color, kWhite);
    EXPECT_EQ(f.zhangFuBi.text, "--");
    EXPECT_EQ(f.zhengFuL.text, "--");
}

TEST(PXPriceBoardFigures, aChangeTooSmallToShowIsMissingInWhite) {
    for (const double newPrice : {100.003, 99.997}) {
        const auto p = prices(newPrice, 100);
        const auto f = PXPriceBoardFigures::make(&p, "0.01");
        EXPECT_EQ(f.zhangFuBi.text, "--") << newPrice;
        EXPECT_EQ(f.zhangFuBi.color, kWhite) << newPrice;
    }
}

TEST(PXPriceBoardFigures, previousCloseOfZeroLeavesThePercentagesMissing) {
    const auto p = prices(100, 0);
    const auto f = PXPriceBoardFigures::make(&p, "0.01");
    EXPECT_EQ(f.dangQianJia.text, "100.00");
    EXPECT_EQ(f.zhangFuBi.text, "--");
    EXPECT_EQ(f.zhangFuBi.color, kWhite);
    EXPECT_EQ(f.zhengFuL.text, "--");
    EXPECT_EQ(f.zhengFuL.color, kWhite);
}

}  // namespace
