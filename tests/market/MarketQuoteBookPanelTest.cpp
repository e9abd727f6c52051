#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "MarketFixture.h"
#include "chart/ActivityView.h"
#include "chart/HQMarketChartManager.h"
#include "chart/HQMarketWMManager.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/DateFormat.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "quote/QuoteRecords.h"

namespace {

constexpr int kOrderBookRow = 5;  // "zn" of the first panel trades in order-book mode

struct Case {
    const char* name;
    double height;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

std::string simPrice(int64_t price, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, price / std::pow(10.0, decimals));
    return text;
}

}  // namespace

// The book and trade panel of the quote screen, fed by the simulator's live quotes.
class QuoteBookPanelTest : public MarketTest, public ::testing::WithParamInterface<Case> {
protected:
    QuoteBookPanelTest() : MarketTest({320, GetParam().height}) {}

    void TearDown() override {
        if (auto* list = market(); list && list->navigationController()) {
            list->navigationController()->popToRootViewController(false);
        }
        driver.runFor(0.5);
    }

    std::vector<std::string> row(TableView* table, int r) {
        driver.settle();
        TableViewCell* cell = table->cellForRow(IndexPath{0, r});
        std::vector<std::string> texts;
        for (int tag = 1; cell && tag <= 3; ++tag) {
            texts.push_back(ScreenDriver::textOf(cell->contentView()->viewWithTag(tag)));
        }
        return texts;
    }

    std::string exchangeTime(int64_t ms) {
        const auto zone = DateFormat::Zone::fixed(sim.market().utcOffsetMinutes() * 60);
        return DateFormat("HH:mm", zone).format(static_cast<double>(ms / 1000));
    }

    std::string snapshot(const std::string& what) const {
        return snapshotPath("quote-book-" + what + "-" +
                            std::to_string(static_cast<int>(GetParam().height)));
    }
};

TEST_P(QuoteBookPanelTest, shouldListTheNewestTradesAndTheBookOfTheLiveQuotes) {
    launchToList();
    auto* screen = openQuoteScreen(1, kOrderBookRow);
    ASSERT_NE(screen, nullptr);
    HQMarketWMManager* panel = screen->chartManager()->WMManager();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(driver.isVisible(panel));
    EXPECT_DOUBLE_EQ(panel->frame().width, 100);
    EXPECT_TRUE(driver.isVisible(panel->mingXiUIView()));
    const int16_t id = 5;
    // Fifteen trades come over several replies; the panel keeps the ten newest, oldest first.
    for (int second = 0; second < 15; ++second) {
        advanceSimulator(1);
        const int32_t last = sim.market().ticksAfter(0, id, 0, 100000).back().index;
        ASSERT_TRUE(driver.runUntil(
            [&] {
                const auto& trades = panel->content().mingXiArray();
                return !trades.empty() && trades.back()->fbIndex == last;
            },
            10));
    }
    const auto ticks = sim.market().ticksAfter(0, id, 0, 100000);
    ASSERT_GE(ticks.size(), 10u);
    const auto& shown = panel->content().mingXiArray();
    ASSERT_EQ(shown.size(), 10u);
    const int decimals = panel->content().yiKouJia()->leastChPrice;
    for (int r = 0; r < 10; ++r) {
        const SimTick& tick = ticks[ticks.size() - 10 + static_cast<size_t>(r)];
        EXPECT_EQ(shown[static_cast<size_t>(r)]->fbIndex, tick.index) << r;
        const auto texts = row(panel->mingXiTableView(), r);
        ASSERT_EQ(texts.size(), 3u) << r;
        EXPECT_EQ(texts[0], exchangeTime(tick.time)) << r;
        EXPECT_EQ(texts[1], simPrice(tick.price, decimals)) << r;
        EXPECT_EQ(texts[2], std::to_string(tick.volume)) << r;
    }
    EXPECT_TRUE(driver.saveSnapshot(snapshot("trades")));

    ASSERT_TRUE(driver.tap(panel->wuDangButton()));
    EXPECT_TRUE(driver.isVisible(panel->wuDangSellTableView()));
    const SimBook book = *sim.market().book(0, id);
    // Two empty ask levels of the order book: dashes at the top of the sell side.
    EXPECT_EQ(row(panel->wuDangSellTableView(), 0), (std::vector<std::string>{"5", "-", "-"}));
    EXPECT_EQ(row(panel->wuDangSellTableView(), 1), (std::vector<std::string>{"4", "-", "-"}));
    for (int level = 1; level <= 3; ++level) {
        const SimLevel& ask = book.sell[static_cast<size_t>(level - 1)];
        EXPECT_EQ(row(panel->wuDangSellTableView(), 5 - level),
                  (std::vector<std::string>{std::to_string(level), simPrice(ask.price, decimals),
                                            std::to_string(ask.gpCount - ask.zpCount)}));
    }
    for (int level = 1; level <= 5; ++level) {
        const SimLevel& bid = book.buy[static_cast<size_t>(level - 1)];
        EXPECT_EQ(row(panel->wuDangBuyTableView(), level - 1),
                  (std::vector<std::string>{std::to_string(level), simPrice(bid.price, decimals),
                                            std::to_string(bid.gpCount - bid.zpCount)}));
    }
    // Replies that bring no new book leave the held one on show.
    const int32_t last = ticks.back().index;
    driver.runFor(2.5);
    EXPECT_EQ(panel->content().mingXiArray().back()->fbIndex, last);
    EXPECT_EQ(row(panel->wuDangBuyTableView(), 0)[1], simPrice(book.buy[0].price, decimals));
    EXPECT_TRUE(driver.saveSnapshot(snapshot("book")));
}

TEST_P(QuoteBookPanelTest, shouldShowOnlyTradesForAQuoteModeCommodity) {
    launchToList();
    auto* screen = openQuoteScreen(1, 0);
    ASSERT_NE(screen, nullptr);
    HQMarketWMManager* panel = screen->chartManager()->WMManager();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->wuDangButton(), nullptr);
    EXPECT_TRUE(driver.isVisible(panel->mingXiButton()));
    EXPECT_TRUE(driver.runUntil([&] { return !panel->content().mingXiArray().empty(); }, 10));
}

TEST_P(QuoteBookPanelTest, shouldCentreTheLoadingIndicatorOnTheChart) {
    launchToList();
    auto* screen = openQuoteScreen(1, 0);
    ASSERT_NE(screen, nullptr);
    HQMarketChartManager* chart = screen->chartManager();
    driver.settle();
    const Rect bounds = chart->bounds();
    EXPECT_GT(bounds.height, 0);
    EXPECT_EQ(chart->MyActivity()->center(), (Point{bounds.width / 2, bounds.height / 2}));
}

INSTANTIATE_TEST_SUITE_P(Screens, QuoteBookPanelTest,
                         ::testing::Values(Case{"screen568", 568}, Case{"screen480", 480}),
                         [](const auto& info) { return std::string(info.param.name); });
