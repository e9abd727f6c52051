#include <gtest/gtest.h>

#include "trade/common/PXTradeClosingRules.h"
#include "trade/core/PXTradeRecords.h"

namespace {

TEST(PXTradeClosingRules, aBoughtHoldingClosesBySellingAtTheSellPriceAndAnyOtherByBuying) {
    PXTradeYiKouJia prices;
    prices.commodityBuyPrice = 101.5;
    prices.commoditySellPrice = 100.25;
    EXPECT_EQ(PXTradeClosingRules::closingDirection("1").sign, "2");
    EXPECT_EQ(PXTradeClosingRules::closingDirection("1").text, "售出");
    EXPECT_EQ(PXTradeClosingRules::closingDirection("2").sign, "1");
    EXPECT_EQ(PXTradeClosingRules::closingDirection("").text, "购入");
    EXPECT_EQ(PXTradeClosingRules::closingPriceText("1", &prices, "0.01"), "100.25");
    EXPECT_EQ(PXTradeClosingRules::closingPriceText("2", &prices, "1"), "102");
}

TEST(PXTradeClosingRules, aMissingOrZeroPriceReadsAsMissingSoNoTransferGoesOutAtZero) {
    PXTradeYiKouJia zero;
    EXPECT_EQ(PXTradeClosingRules::closingPriceText("1", nullptr, "1"), "--");
    EXPECT_EQ(PXTradeClosingRules::closingPriceText("1", &zero, "1"), "--");
}

TEST(PXTradeClosingRules, rangesNeverShowAnUpperBoundBelowOne) {
    const std::pair<int, std::string> cases[] = {{5, "(数量范围:1-5)"},
                                                 {1, "(数量范围:1-1)"},
                                                 {0, "(数量范围:0-0)"},
                                                 {-3, "(数量范围:0-0)"}};
    for (const auto& [free, text] : cases) {
        EXPECT_EQ(PXTradeClosingRules::freeRangeText(free), text) << free;
    }
}

TEST(PXTradeClosingRules, aStopCountsWhenItReadsAboveZeroAsADecimal) {
    EXPECT_TRUE(PXTradeClosingRules::isPriceSet("0.5"));
    EXPECT_TRUE(PXTradeClosingRules::isPriceSet("99.50"));
    EXPECT_FALSE(PXTradeClosingRules::isPriceSet("0"));
    EXPECT_FALSE(PXTradeClosingRules::isPriceSet(""));
    EXPECT_FALSE(PXTradeClosingRules::isPriceSet("--"));
}

}  // namespace
