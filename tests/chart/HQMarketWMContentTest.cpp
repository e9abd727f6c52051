#include <gtest/gtest.h>

#include "chart/HQMarketWMContent.h"
#include "platform/foundation/DateFormat.h"
#include "quote/QuoteRecords.h"

namespace {

struct Level {
    double price;
    int32_t gp;
    int32_t zp;
};

std::shared_ptr<YiKouJia> quote(int16_t commodity, std::vector<Level> sells,
                                std::vector<Level> buys,
                                std::vector<std::pair<int, int64_t>> trades,
                                double yesterdayClose = 100) {
    auto q = std::make_shared<YiKouJia>();
    q->commodityNum = commodity;
    q->yesterdayClose = yesterdayClose;
    q->leastChPrice = 1;
    if (!sells.empty() || !buys.empty()) {
        q->wudang->WDNum = 7;
    }
    for (const Level& l : sells) {
        q->wudang->sellPriceAry.push_back(std::make_shared<wuDangSell>(l.price, l.gp, l.zp));
    }
    for (const Level& l : buys) {
        q->wudang->buyPriceAry.push_back(std::make_shared<wuDangBuy>(l.price, l.gp, l.zp));
    }
    for (const auto& [index, time] : trades) {
        q->fenbi.push_back(std::make_shared<fenbi>(index, time, 100.0 + index % 3 - 1, index));
    }
    q->fenbiNum = static_cast<int16_t>(q->fenbi.size());
    return q;
}

std::vector<std::string> column(const HQMarketWMContent& content, int rows,
                                HQWMRowTexts (HQMarketWMContent::*row)(int) const,
                                std::string HQWMRowTexts::*field) {
    std::vector<std::string> texts;
    for (int r = 0; r < rows; ++r) {
        texts.push_back((content.*row)(r).*field);
    }
    return texts;
}

std::vector<int> tradeIndexes(const HQMarketWMContent& content) {
    std::vector<int> indexes;
    for (const auto& trade : content.mingXiArray()) {
        indexes.push_back(trade->fbIndex);
    }
    return indexes;
}

}  // namespace

TEST(HQMarketWMContent, shouldPutThreeAsksAtTheBottomLowestLastAndDashTheRest) {
    HQMarketWMContent content;
    content.refreshAllTableView(quote(5, {{101, 9, 2}, {103, 5, 0}, {0, 4, 0}, {102, 8, 8}},
                                      {{99, 3, 1}, {98.5, 6, 0}}, {}));
    EXPECT_EQ(column(content, 5, &HQMarketWMContent::sellRow, &HQWMRowTexts::first),
              (std::vector<std::string>{"5", "4", "3", "2", "1"}));
    EXPECT_EQ(column(content, 5, &HQMarketWMContent::sellRow, &HQWMRowTexts::price),
              (std::vector<std::string>{"-", "-", "103.0", "102.0", "101.0"}));
    EXPECT_EQ(column(content, 5, &HQMarketWMContent::sellRow, &HQWMRowTexts::volume),
              (std::vector<std::string>{"-", "-", "5", "0", "7"}));
    EXPECT_EQ(column(content, 5, &HQMarketWMContent::buyRow, &HQWMRowTexts::first),
              (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(column(content, 5, &HQMarketWMContent::buyRow, &HQWMRowTexts::price),
              (std::vector<std::string>{"99.0", "98.5", "-", "-", "-"}));
    EXPECT_EQ(content.buyRow(0).volume, "2");
    EXPECT_EQ(content.wuDangData().sellPriceAry.size(), 3u);
}

TEST(HQMarketWMContent, shouldColourPricesAgainstYesterdaysClose) {
    HQMarketWMContent content;
    content.refreshAllTableView(quote(5, {{100, 1, 0}}, {{99, 1, 0}}, {{0, 1}, {1, 2}, {2, 3}}));
    EXPECT_EQ(content.sellRow(4).priceColor, Color::whiteColor());
    EXPECT_EQ(content.buyRow(0).priceColor, Color::greenColor());
    EXPECT_EQ(content.sellRow(0).priceColor, Color::whiteColor());  // an empty level
    // Trade prices 99, 100 and 101 against a close of 100.
    EXPECT_EQ(content.tradeRow(0).priceColor, Color::greenColor());
    EXPECT_EQ(content.tradeRow(1).priceColor, Color::whiteColor());
    EXPECT_EQ(content.tradeRow(2).priceColor, Color::redColor());
    EXPECT_FALSE(content.tradeRow(3).priceColor.has_value());  // an empty trade row
}

TEST(HQMarketWMContent, shouldListEachTradeOnceAndKeepTheTenNewestOldestFirst) {
    HQMarketWMContent content;
    std::vector<std::pair<int, int64_t>> first;
    for (int i = 1; i <= 7; ++i) {
        first.push_back({i, i * 60000});
    }
    content.refreshAllTableView(quote(5, {}, {}, first));
    // The next reply repeats trades 6 and 7 and brings five more, not in time order.
    const auto next = quote(5, {}, {},
                            {{6, 360000},
                             {7, 420000},
                             {12, 720000},
                             {8, 480000},
                             {9, 540000},
                             {10, 600000},
                             {11, 660000}});
    content.refreshAllTableView(next);
    EXPECT_EQ(tradeIndexes(content), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(next->fenbi.size(), 7u);  // the quote handed in stays as it came
    const DateFormat time("HH:mm");
    EXPECT_EQ(content.tradeRow(0).first, time.format(180));
    EXPECT_EQ(content.tradeRow(9).volume, "12");
}

TEST(HQMarketWMContent, shouldStartANewTradeListForAnotherCommodity) {
    HQMarketWMContent content;
    content.refreshAllTableView(quote(5, {{101, 1, 0}}, {}, {{1, 1000}, {2, 2000}}));
    content.refreshAllTableView(quote(6, {}, {}, {{40, 500}}));
    EXPECT_EQ(tradeIndexes(content), (std::vector<int>{40}));
    EXPECT_EQ(content.sellRow(4).price, "-");
    EXPECT_EQ(content.tradeRow(1).price, "-");
    EXPECT_EQ(content.tradeRow(1).first, "-");
}

TEST(HQMarketWMContent, shouldKeepTheHeldBookWhenAQuoteCarriesNone) {
    HQMarketWMContent content;
    const auto withBook = quote(5, {{102, 5, 1}, {101, 9, 2}}, {{99, 3, 1}}, {});
    content.refreshAllTableView(withBook);
    content.refreshAllTableView(quote(5, {}, {}, {{3, 3000}}));
    EXPECT_EQ(content.sellRow(4).price, "101.0");
    EXPECT_EQ(content.buyRow(0).price, "99.0");
    // The quote's own book is left in the order it came.
    EXPECT_DOUBLE_EQ(withBook->wudang->sellPriceAry.front()->wuDangSellPrice, 102);
    EXPECT_FALSE(content.yiKouJia()->fenbi.empty());
    content.refreshAllTableView(nullptr);
    EXPECT_EQ(content.yiKouJia()->fenbi.front()->fbIndex, 3);
}
