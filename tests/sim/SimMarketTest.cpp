#include <gtest/gtest.h>

#include "sim/core/SimExchange.h"

namespace {
constexpr int64_t kDayMs = 86400000;
constexpr int64_t kOffsetMs = 480 * 60000;
}  // namespace

TEST(SimMarket, shouldGiveTheSameMarketForTheSameSeed) {
    SimExchange a(SimExchange::testOptions());
    SimExchange b(SimExchange::testOptions());
    SimOptions other = SimExchange::testOptions();
    other.seed = 2;
    SimExchange c(other);
    const auto barsA = a.market().bars(0, 2, kMinute5);
    const auto barsB = b.market().bars(0, 2, kMinute5);
    ASSERT_EQ(barsA.size(), barsB.size());
    for (size_t i = 0; i < barsA.size(); ++i) {
        ASSERT_EQ(barsA[i].close, barsB[i].close) << i;
    }
    a.clock().advance(90000);
    b.clock().advance(90000);
    EXPECT_EQ(a.market().quote(0, 300)->newPrice, b.market().quote(0, 300)->newPrice);
    EXPECT_NE(a.market().bars(0, 2, kDay).front().close, c.market().bars(0, 2, kDay).front().close);
}

TEST(SimMarket, shouldTradeOnceASecondWhileTheClockRuns) {
    SimExchange exchange(SimExchange::testOptions());
    const auto before = exchange.market().ticksAfter(0, 1, 0, 100);
    exchange.clock().advance(61000);
    const auto after = exchange.market().ticksAfter(0, 1, before.back().index, 100);
    ASSERT_EQ(after.size(), 50u);  // only the latest trades are kept
    EXPECT_EQ(after.back().index, before.back().index + 61);
    EXPECT_EQ(after.back().time, before.back().time + 61000);
    const auto minutes = exchange.market().bars(0, 1, kMinute1);
    EXPECT_EQ(minutes.back().date, exchange.clock().nowMs() / 60000 * 60000);
    EXPECT_EQ(minutes.back().close, after.back().price);
}

TEST(SimMarket, shouldDateBarsByLocalPeriodStarts) {
    SimExchange exchange(SimExchange::testOptions());
    for (const auto& bar : exchange.market().bars(0, 2, kWeek)) {
        const int64_t localDay = (bar.date + kOffsetMs) / kDayMs;
        ASSERT_EQ((bar.date + kOffsetMs) % kDayMs, 0);
        ASSERT_EQ((localDay + 3) % 7, 0) << "a week starts on Monday";
    }
    const auto months = exchange.market().bars(0, 2, kMonth);
    EXPECT_EQ(months.back().date, SimClock::civilToMs(2026, 12, 1) - kOffsetMs);
    const auto years = exchange.market().bars(0, 2, kYear);
    EXPECT_EQ(years.back().date, SimClock::civilToMs(2026, 1, 1) - kOffsetMs);
    const auto hours = exchange.market().bars(0, 2, kMinute60);
    EXPECT_EQ(hours.back().date, SimClock::civilToMs(2026, 12, 4, 6, 0));
    const auto days = exchange.market().bars(0, 2, kDay);
    EXPECT_GT(days.size(), 4000u);
    for (const auto& day : days) {
        ASSERT_LE(day.low, std::min(day.open, day.close));
        ASSERT_GE(day.high, std::max(day.open, day.close));
    }
}

TEST(SimMarket, shouldKeepAFiveLevelBookWithEmptyLevelsInOrderBookMode) {
    SimExchange exchange(SimExchange::testOptions());
    const SimBook quoteMode = *exchange.market().book(0, 2);
    const SimBook orderBook = *exchange.market().book(0, 4);
    ASSERT_EQ(quoteMode.sell.size(), 5u);
    EXPECT_GT(quoteMode.sell[4].price, quoteMode.sell[0].price);
    EXPECT_LT(quoteMode.buy[4].price, quoteMode.buy[0].price);
    EXPECT_EQ(orderBook.sell[3].price, 0);
    EXPECT_EQ(exchange.market().quote(0, 2)->bookSequence, 0);
    EXPECT_EQ(exchange.market().quote(0, 4)->bookSequence, orderBook.number);
    EXPECT_FALSE(exchange.market().quote(0, 99));
}

// A clock moved far in one step catches up to the market that was watched second by second.
TEST(SimMarket, shouldCatchUpALongStepToWhatItWouldHaveBeenSecondBySecond) {
    SimExchange leap(SimExchange::testOptions());
    SimExchange watched(SimExchange::testOptions());
    leap.clock().advance(3600000);
    for (int step = 0; step < 3600 / 7; ++step) {
        watched.clock().advance(7000);
        watched.market().book(0, 4);
    }
    watched.clock().advance(3600000 - 3600 / 7 * 7000);
    for (const int16_t commodity : {2, 4}) {
        const SimBook a = *leap.market().book(0, commodity);
        const SimBook b = *watched.market().book(0, commodity);
        EXPECT_EQ(a.number, b.number);
        for (size_t level = 0; level < a.sell.size(); ++level) {
            EXPECT_EQ(a.sell[level].gpCount, b.sell[level].gpCount) << commodity << " " << level;
            EXPECT_EQ(a.buy[level].zpCount, b.buy[level].zpCount) << commodity << " " << level;
        }
        EXPECT_EQ(leap.market().quote(0, commodity)->newPrice,
                  watched.market().quote(0, commodity)->newPrice);
    }
}

// 红木 rests from 11:30 to 13:30 of the exchange's day, in its history and live: no trade, no
// minute record; 银币 beside it trades on.
TEST(SimMarket, shouldRestThroughTheMiddayBreakOfTheCommodityThatHasOne) {
    const auto at = [](int day, int hour, int minute) {
        return SimClock::civilToMs(2026, 12, day, hour, minute) - kOffsetMs;
    };
    SimOptions options = SimExchange::testOptions();
    options.startMs = at(4, 11, 0);
    SimExchange exchange(options);
    SimMarket& market = exchange.market();
    const auto yesterday = market.minutes(1, 9, at(3, 11, 29), at(3, 13, 31));
    ASSERT_EQ(yesterday.size(), 2u);
    EXPECT_EQ(yesterday.back().date, at(3, 13, 30));

    exchange.clock().advance(3600000);
    const SimQuote resting = *market.quote(1, 9);
    EXPECT_EQ(resting.time, at(4, 11, 30) - 1000);
    EXPECT_TRUE(market.minutes(1, 9, at(4, 11, 30), at(4, 12, 1)).empty());
    EXPECT_EQ(market.minutes(1, 8, at(4, 11, 30), at(4, 12, 1)).size(), 31u);
    exchange.clock().advance(91 * 60000);
    const auto resumed = market.minutes(1, 9, at(4, 11, 29), at(4, 13, 32));
    ASSERT_EQ(resumed.size(), 3u);
    EXPECT_EQ(resumed[1].date, at(4, 13, 30));
    EXPECT_EQ(resumed[1].open, resting.newPrice);
    EXPECT_EQ(market.quote(1, 9)->time, at(4, 13, 31));
}
