#include <gtest/gtest.h>

#include "market/VKJYQuoteTexts.h"
#include "quote/QuoteRecords.h"

namespace {
struct PriceCase {
    int decimals;
    double price;
    const char* text;
};
}  // namespace

// One decimal is shown as two on the market screens; the chart keeps its own rule.
TEST(VKJYQuoteTextsTest, shouldShowPricesWithTheCommoditysOwnDecimals) {
    const PriceCase cases[] = {
        {0, 5188, "5188"}, {1, 2150.4, "2150.40"}, {2, 379.891, "379.89"}, {3, 1.5, "1.500"}};
    for (const auto& c : cases) {
        commodityInfo commodity;
        commodity.leastPrice = c.decimals;
        YiKouJia quote;
        quote.pkLegth = 49;
        quote.newPrice = c.price;
        quote.yesterdayClose = c.price;
        EXPECT_EQ(VKJYQuoteTexts::of(commodity, &quote).price, c.text) << c.decimals;
    }
}

TEST(VKJYQuoteTextsTest, shouldShowDashesInWhiteWithoutPricesOrYesterdaysClose) {
    commodityInfo commodity;
    commodity.leastPrice = 2;
    EXPECT_EQ(VKJYQuoteTexts::of(commodity, nullptr).price, "--");
    YiKouJia quote;
    quote.newPrice = 12;
    quote.zhangfuStr = "+1.00%";
    quote.textColor = Color::redColor();
    EXPECT_EQ(VKJYQuoteTexts::of(commodity, &quote).price, "--");
    quote.pkLegth = 49;
    const auto noClose = VKJYQuoteTexts::of(commodity, &quote);
    EXPECT_EQ(noClose.price, "12.00");
    EXPECT_EQ(noClose.change, "--");
    EXPECT_EQ(noClose.color, Color::whiteColor());
    quote.yesterdayClose = 11.88;
    const auto live = VKJYQuoteTexts::of(commodity, &quote);
    EXPECT_EQ(live.change, "+1.00%");
    EXPECT_EQ(live.color, Color::redColor());
}
