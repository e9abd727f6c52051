#include <gtest/gtest.h>

#include "market/VKJYQuoteHeaderTexts.h"
#include "quote/QuoteRecords.h"

namespace {
const Color kRed = Color::rgb(255, 0, 0);
const Color kGreen = Color::rgb(59, 210, 53);

YiKouJia quote(double price, double close) {
    YiKouJia q;
    q.pkLegth = 40;
    q.newPrice = price;
    q.buyPrice = price - 0.5;
    q.sellPrice = price + 0.5;
    q.heigthestPrice = 11;
    q.lowestPrice = 9.5;
    q.todayOpen = 10;
    q.yesterdayClose = close;
    q.addPrice = price - close;
    q.zhangfuStr = "+5.00%";
    return q;
}
}  // namespace

TEST(VKJYQuoteHeaderTextsTest, shouldFormatPricesWithTheCommoditysDecimals) {
    struct Case {
        int32_t leastPrice;
        const char* expected;
    };
    for (const Case& c : {Case{0, "11"}, Case{1, "10.60"}, Case{2, "10.60"}, Case{3, "10.600"}}) {
        commodityInfo commodity;
        commodity.leastPrice = c.leastPrice;
        const auto q = quote(10.6, 10);
        EXPECT_EQ(VKJYQuoteHeaderTexts::of(commodity, &q).price.text, c.expected) << c.leastPrice;
    }
}

TEST(VKJYQuoteHeaderTextsTest, shouldColourAgainstYesterdaysCloseAndShowTheAmplitudeInRed) {
    commodityInfo commodity;
    commodity.leastPrice = 2;
    const auto q = quote(10.5, 10);
    const auto texts = VKJYQuoteHeaderTexts::of(commodity, &q);
    EXPECT_EQ(texts.amplitude.text, "+15.00%");
    EXPECT_EQ(texts.amplitude.color, kRed);
    EXPECT_EQ(texts.price.color, kRed);
    EXPECT_EQ(texts.change.text, "0.50 +5.00%");
    EXPECT_EQ(texts.change.color, kRed);
    EXPECT_EQ(texts.lowest.color, kGreen);
    EXPECT_EQ(texts.open.color, Color::whiteColor());
    EXPECT_EQ(texts.yesterdayClose.text, "10.00");
    EXPECT_EQ(texts.yesterdayClose.color, Color::whiteColor());
}

TEST(VKJYQuoteHeaderTextsTest, shouldShowWhiteFiguresAndDashesWithoutYesterdaysClose) {
    commodityInfo commodity;
    commodity.leastPrice = 2;
    const auto q = quote(10.5, 0);
    const auto texts = VKJYQuoteHeaderTexts::of(commodity, &q);
    EXPECT_EQ(texts.price.text, "10.50");
    EXPECT_EQ(texts.price.color, Color::whiteColor());
    EXPECT_EQ(texts.highest.color, Color::whiteColor());
    EXPECT_EQ(texts.change.text, "-- --");
    EXPECT_EQ(texts.amplitude.text, "--");
    EXPECT_EQ(texts.amplitude.color, Color::whiteColor());
}

TEST(VKJYQuoteHeaderTextsTest, shouldResetEveryFigureWithoutAQuoteBody) {
    commodityInfo commodity;
    auto q = quote(10.5, 10);
    q.pkLegth = 0;
    for (const YiKouJia* shown : std::vector<const YiKouJia*>{nullptr, &q}) {
        const auto texts = VKJYQuoteHeaderTexts::of(commodity, shown);
        EXPECT_EQ(texts.price.text, "--");
        EXPECT_EQ(texts.change.text, "-- --");
        EXPECT_EQ(texts.buy.text, "--");
        EXPECT_EQ(texts.amplitude.text, "--");
    }
}
