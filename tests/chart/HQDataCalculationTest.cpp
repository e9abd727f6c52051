#include <gtest/gtest.h>

#include "ChartTestSupport.h"
#include "chart/ChartScale.h"
#include "chart/HQDataCalculation.h"
#include "chart/HQDataConversion.h"

using namespace charttest;

namespace {

std::shared_ptr<KLineDataItem> withMACD(double dif, double dea, double macd) {
    auto item = bar(1, 1, 1, 1);
    item->MACDKDJ = std::make_shared<MACDKDJGroupItem>();
    item->MACDKDJ->dif = dif;
    item->MACDKDJ->dea = dea;
    item->MACDKDJ->macd = macd;
    return item;
}

std::pair<double, double> mainRange(const KLineBars& bars) {
    HQDataCalculation calculation(bars, nullptr, HQDataCalculation::kMainPriceChart);
    const auto result = calculation.getCalculationResult();
    return {result->lowest, result->highest};
}

}  // namespace

TEST(HQDataCalculation, shouldSpanTheLowestLowToTheHighestHigh) {
    KLineBars bars = {bar(10, 12, 9, 11), bar(11, 15, 10, 14), bar(14, 14.5f, 8.5f, 9)};
    bars[1]->PMAGroup = std::make_shared<PMAGroupItem>();
    bars[1]->PMAGroup->PMA5Data = average(11);
    EXPECT_EQ(mainRange(bars), std::pair(8.5, 15.0));
}

TEST(HQDataCalculation, shouldReachDownToAnAverageBelowEveryLowButNotBelowZero) {
    KLineBars bars = {bar(10, 12, 9, 11), bar(11, 15, 10, 14)};
    bars[1]->PMAGroup = std::make_shared<PMAGroupItem>();
    bars[1]->PMAGroup->PMA30Data = average(7.25);
    EXPECT_EQ(mainRange(bars), std::pair(7.25, 15.0));
    bars[1]->PMAGroup->PMA30Data = average(-3);
    EXPECT_EQ(mainRange(bars), std::pair(0.0, 15.0));
}

TEST(HQDataCalculation, shouldGiveDegenerateRangesForEmptyFlatAndSingleWindows) {
    EXPECT_EQ(mainRange({}), std::pair(0.0, 0.0));
    EXPECT_EQ(mainRange({bar(5, 5, 5, 5), bar(5, 5, 5, 5)}), std::pair(5.0, 5.0));
    EXPECT_EQ(mainRange({bar(5, 7, 4, 6)}), std::pair(4.0, 7.0));
}

TEST(HQDataCalculation, shouldAlwaysIncludeZeroInTheMACDRange) {
    HQDataCalculation positive({withMACD(0.5, 0.2, 0.8), withMACD(0.3, 0.4, 0.6)}, nullptr,
                               HQDataCalculation::kMACDChart);
    const auto up = positive.getCalculationResult();
    EXPECT_EQ(up->lowest, 0);
    EXPECT_EQ(up->highest, 0.8);
    HQDataCalculation negative({withMACD(-0.5, -0.2, -0.8)}, nullptr,
                               HQDataCalculation::kMACDChart);
    const auto down = negative.getCalculationResult();
    EXPECT_EQ(down->lowest, -0.8);
    EXPECT_EQ(down->highest, 0);
    EXPECT_EQ(negative.getCalculationResult(), down);
}

TEST(HQDataCalculation, shouldLeaveTheRangeAloneForAnUnknownDataType) {
    HQDataCalculation calculation({bar(5, 7, 4, 6)}, nullptr, 2);
    const auto result = calculation.getCalculationResult();
    EXPECT_EQ(result->lowest, 0);
    EXPECT_EQ(result->highest, 0);
}

TEST(ChartScale, shouldWidenWholeNumberPricesSoEveryLabelIsWhole) {
    HQCalculationResult range;
    range.lowest = 1000;
    range.highest = 1017;
    chartscale::widenToWholeNumbers(range, 4);
    EXPECT_EQ(range.lowest, 999);
    EXPECT_EQ(range.highest, 1019);
    EXPECT_EQ(chartscale::priceLabelTexts(range, 4, 0),
              (std::vector<std::string>{"1019", "1014", "1009", "1004", "999"}));
    chartscale::widenToWholeNumbers(range, 4);
    EXPECT_EQ(range.highest, 1019);
    chartscale::widenToWholeNumbers(range, 0);
    EXPECT_EQ(range.highest, 1019);
}

TEST(ChartScale, shouldStretchTheTimeSharingRangeAndLabelItInPercent) {
    HQCalculationResult status;
    status.lowest = 98;
    status.highest = 103;
    status.xianShouHighest = 9;
    const HQCalculationResult scale = chartscale::stretchedAboutClose(status, 100);
    EXPECT_NEAR(scale.highest, 103.3, 1e-9);
    EXPECT_NEAR(scale.lowest, 97.8, 1e-9);
    EXPECT_EQ(scale.xianShouHighest, 9);
    const auto labels = chartscale::percentLabelTexts(scale, 8, 100);
    ASSERT_EQ(labels.size(), 9u);
    EXPECT_EQ(labels.front(), "3.30%");
    EXPECT_EQ(labels.back(), "-2.20%");
    EXPECT_EQ(chartscale::priceLabelTexts(scale, 8, 2).front(), "103.30");
}

TEST(ChartScale, shouldLabelYesterdaysCloseLineZeroWithoutASign) {
    HQCalculationResult status;
    status.lowest = 7433;
    status.highest = 7803;
    chartscale::makeSymmetricAboutClose(status, 7801);
    const auto scale = chartscale::stretchedAboutClose(status, 7801);
    const auto labels = chartscale::percentLabelTexts(scale, 4, 7801);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels[2], "0.00%");
    HQCalculationResult macd;
    macd.highest = 0.1;
    macd.lowest = -0.2;
    EXPECT_EQ(chartscale::priceLabelTexts(macd, 3, 2)[1], "0.00");
}

TEST(ChartScale, shouldShowDashesForPercentLabelsWithoutAPreviousClose) {
    HQCalculationResult scale;
    scale.highest = 10;
    EXPECT_EQ(chartscale::percentLabelTexts(scale, 2, 0),
              (std::vector<std::string>{"--", "--", "--"}));
    EXPECT_EQ(chartscale::percentLabelTexts(scale, 0, 5), (std::vector<std::string>{"100.00%"}));
    EXPECT_EQ(chartscale::priceLabelTexts(scale, 0, 1), (std::vector<std::string>{"10.0"}));
}

TEST(ChartScale, shouldCentreYesterdaysCloseInTheTimeSharingRange) {
    HQCalculationResult up;
    up.lowest = 9.8;
    up.highest = 10.5;
    chartscale::makeSymmetricAboutClose(up, 10);
    EXPECT_NEAR(up.lowest, 9.5, 1e-9);
    EXPECT_EQ(up.highest, 10.5);
    HQCalculationResult down;
    down.lowest = 9.4;
    down.highest = 10.2;
    chartscale::makeSymmetricAboutClose(down, 10);
    EXPECT_EQ(down.lowest, 9.4);
    EXPECT_NEAR(down.highest, 10.6, 1e-9);
}

TEST(ChartScale, shouldWindowTheNewestBarsMinusTheOffset) {
    auto w = chartscale::klineWindow(100, 0, 47);
    EXPECT_EQ(w.start, 53);
    EXPECT_EQ(w.count, 47);
    EXPECT_EQ(w.newestShown, 99);
    w = chartscale::klineWindow(100, 10, 47);
    EXPECT_EQ(w.start, 43);
    EXPECT_EQ(w.newestShown, 89);
    w = chartscale::klineWindow(30, 0, 47);
    EXPECT_EQ(w.start, 0);
    EXPECT_EQ(w.count, 30);
}

TEST(ChartScale, shouldKeepANewestBarWhenTheOffsetReachesPastTheBars) {
    auto w = chartscale::klineWindow(10, 15, 47);
    EXPECT_EQ(w.start, 0);
    EXPECT_EQ(w.count, 10);
    EXPECT_EQ(w.newestShown, 9);
    w = chartscale::klineWindow(100, 80, 71);
    EXPECT_EQ(w.count, 71);
    EXPECT_EQ(w.newestShown, 70);
    w = chartscale::klineWindow(10, -4, 5);
    EXPECT_EQ(w.start, 5);
    EXPECT_EQ(w.newestShown, 9);
    EXPECT_EQ(chartscale::klineWindow(0, 3, 47).count, 0);
    EXPECT_EQ(chartscale::klineWindow(10, 0, 0).count, 0);
}
