#include <gtest/gtest.h>

#include "quote/HQKLineIndicators.h"

namespace {

std::vector<std::shared_ptr<KLineDataItem>> bars(std::initializer_list<float> closes) {
    std::vector<std::shared_ptr<KLineDataItem>> out;
    int64_t date = 0;
    for (float close : closes) {
        auto bar = std::make_shared<KLineDataItem>();
        bar->date = date++;
        bar->open = close;
        bar->close = close;
        bar->highest = close + 1;
        bar->lowest = close - 1;
        out.push_back(bar);
    }
    return out;
}

}  // namespace

TEST(HQKLineIndicators, shouldAverageLastNClosesFromTheNthBarOn) {
    auto series = bars({10, 11, 12, 13, 14, 15});
    HQKLineIndicators::compute(series);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(series[i]->PMAGroup);
        EXPECT_FALSE(series[i]->PMAGroup->PMA5Data) << i;
    }
    EXPECT_DOUBLE_EQ(series[4]->PMAGroup->PMA5Data->value, 12.0);
    EXPECT_DOUBLE_EQ(series[5]->PMAGroup->PMA5Data->value, 13.0);
    EXPECT_FALSE(series[5]->PMAGroup->PMA10Data);

    std::vector<std::shared_ptr<KLineDataItem>> thirty;
    for (int i = 1; i <= 30; ++i) {
        auto bar = std::make_shared<KLineDataItem>();
        bar->close = static_cast<float>(i);
        thirty.push_back(bar);
    }
    HQKLineIndicators::compute(thirty);
    EXPECT_FALSE(thirty[28]->PMAGroup->PMA30Data);
    EXPECT_DOUBLE_EQ(thirty[29]->PMAGroup->PMA30Data->value, 15.5);
    EXPECT_DOUBLE_EQ(thirty[29]->PMAGroup->PMA20Data->value, 20.5);
    EXPECT_DOUBLE_EQ(thirty[29]->PMAGroup->PMA10Data->value, 25.5);
}

TEST(HQKLineIndicators, shouldComputeMacdFromEmasSeededWithFirstClose) {
    auto series = bars({10, 11});
    HQKLineIndicators::compute(series);
    const MACDKDJGroupItem& first = *series[0]->MACDKDJ;
    EXPECT_DOUBLE_EQ(first.dif, 0);
    EXPECT_DOUBLE_EQ(first.dea, 0);
    EXPECT_DOUBLE_EQ(first.macd, 0);
    // EMA12 = 132/13, EMA26 = 272/27, so DIF = 28/351; DEA = 0.2 DIF; MACD = 1.6 DIF.
    const MACDKDJGroupItem& second = *series[1]->MACDKDJ;
    EXPECT_NEAR(second.dif, 28.0 / 351, 1e-12);
    EXPECT_NEAR(second.dea, 5.6 / 351, 1e-12);
    EXPECT_NEAR(second.macd, 44.8 / 351, 1e-12);
}

TEST(HQKLineIndicators, shouldComputeKdjFromRsvSeededWith50) {
    auto series = bars({10, 11});
    HQKLineIndicators::compute(series);
    // Bar 0: RSV (10-9)/(11-9) = 50, so K = D = J = 50.
    EXPECT_DOUBLE_EQ(series[0]->MACDKDJ->KValue, 50);
    EXPECT_DOUBLE_EQ(series[0]->MACDKDJ->DValue, 50);
    EXPECT_DOUBLE_EQ(series[0]->MACDKDJ->JValue, 50);
    // Bar 1: RSV (11-9)/(12-9) = 200/3; K = (100 + 200/3)/3 = 500/9; D = (100 + 500/9)/3 = 1400/27.
    EXPECT_NEAR(series[1]->MACDKDJ->KValue, 500.0 / 9, 1e-12);
    EXPECT_NEAR(series[1]->MACDKDJ->DValue, 1400.0 / 27, 1e-12);
    EXPECT_NEAR(series[1]->MACDKDJ->JValue, 1500.0 / 9 - 2800.0 / 27, 1e-12);
}

TEST(HQKLineIndicators, shouldTakeRsv50WhenHighEqualsLow) {
    auto series = bars({7, 7, 7});
    for (auto& bar : series) {
        bar->highest = 7;
        bar->lowest = 7;
    }
    HQKLineIndicators::compute(series);
    EXPECT_DOUBLE_EQ(series[2]->MACDKDJ->KValue, 50);
    EXPECT_DOUBLE_EQ(series[2]->MACDKDJ->JValue, 50);
}

TEST(HQKLineIndicators, shouldLookBackNineBarsForRsv) {
    auto series = bars({10, 10, 10, 10, 10, 10, 10, 10, 10, 10});
    series[0]->highest = 100;
    HQKLineIndicators::compute(series);
    auto rsvAt = [&](size_t i) {
        return 3 * series[i]->MACDKDJ->KValue - 2 * series[i - 1]->MACDKDJ->KValue;
    };
    // Bar 8 still sees the high of bar 0: (10-9)/(100-9); bar 9 does not: (10-9)/(11-9).
    EXPECT_NEAR(rsvAt(8), 100.0 / 91, 1e-9);
    EXPECT_NEAR(rsvAt(9), 50.0, 1e-9);
}

TEST(HQKLineIndicators, shouldReuseRecordsAndOverwriteStaleValues) {
    auto series = bars({1, 2, 3, 4, 5});
    auto stale = std::make_shared<MACDKDJGroupItem>(MACDKDJGroupItem{9, 9, 9, 9, 9, 9});
    series[0]->MACDKDJ = stale;
    HQKLineIndicators::compute(series);
    EXPECT_EQ(series[0]->MACDKDJ, stale);
    EXPECT_DOUBLE_EQ(stale->dif, 0);
    EXPECT_DOUBLE_EQ(series[4]->PMAGroup->PMA5Data->value, 3);
}
