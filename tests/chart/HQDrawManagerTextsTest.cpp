#include <gtest/gtest.h>

#include "ChartViewScene.h"

using namespace charttest;

namespace {

Color rgb(int r, int g, int b) {
    return Color::rgb(r, g, b);
}

std::vector<std::string> values(const std::vector<std::shared_ptr<CurrentDataItem>>& items) {
    std::vector<std::string> texts;
    for (const auto& item : items) {
        texts.push_back(item->dataString);
    }
    return texts;
}

const IndicatorCrossItem& boxItem(const ChartScene& scene, size_t i) {
    return *scene.layout->indicatorCrossData()->IndicatorCrossItemArray[i];
}

}  // namespace

struct ChangeCase {
    const char* name;
    float previousClose;
    float close;
    std::string change;
    Color changeColor;
    Color closeColor;
};

class KLineCrossTextTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(KLineCrossTextTest, shouldShowTheChangeAgainstThePreviousClose) {
    setTradingStart("00:00");
    const ChangeCase c = GetParam();
    auto scene = makeScene(kKLine, {.state = kWide});
    showBars(scene, {bar(c.previousClose, 110, 90, c.previousClose, kFirstBarDate),
                     bar(100, 110, 90, c.close, kFirstBarDate + kDayMs)});
    scene.view->setKLineCurrentShowData(1);
    const auto& bar = *scene.view->coordinateKLineData()[1]->klineData;
    EXPECT_EQ(bar.zhangfu, c.change);
    EXPECT_EQ(boxItem(scene, 5).data, c.change);
    EXPECT_EQ(boxItem(scene, 5).dataColor, c.changeColor);
    EXPECT_EQ(boxItem(scene, 4).data, bar.showClose);
    EXPECT_EQ(boxItem(scene, 4).dataColor, c.closeColor);
    // 2026-01-02 00:00 UTC at the exchange (UTC+8).
    EXPECT_EQ(boxItem(scene, 0).data, "26/01/02");
    EXPECT_EQ(boxItem(scene, 6).data, "08:00");
}

INSTANTIATE_TEST_SUITE_P(
    Changes, KLineCrossTextTest,
    ::testing::Values(
        ChangeCase{"up", 100, 102, "+2.00%", rgb(255, 0, 0), rgb(255, 0, 0)},
        ChangeCase{"down", 100, 99, "-1.00%", rgb(59, 210, 53), rgb(59, 210, 53)},
        ChangeCase{"level", 100, 100, "0.00%", rgb(255, 255, 255), rgb(255, 255, 255)},
        // Without a previous close there is no change to compute.
        ChangeCase{"zeroClose", 0, 100, "--", rgb(255, 255, 255), rgb(255, 255, 255)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KLineCrossText, shouldShowNoChangeForTheFirstBarOfTheData) {
    auto scene = makeScene(kKLine, {.state = kWide});
    showBars(scene, walkBars(10));
    scene.view->setKLineCurrentShowData(0);
    EXPECT_EQ(scene.view->coordinateKLineData()[0]->klineData->zhangfu, "0.00%");
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(boxItem(scene, i).dataColor, Color::whiteColor()) << i;
    }
}

TEST(KLineCrossText, shouldCompareTheOldestShownBarWithTheBarBeforeTheWindow) {
    auto scene = makeScene(kKLine, {.state = kWide});
    auto bars = walkBars(200);
    showBars(scene, bars);
    const auto& shown = scene.view->coordinateKLineData();
    ASSERT_LT(shown.size(), bars.size());
    scene.view->setKLineCurrentShowData(0);
    const auto it = std::find(bars.begin(), bars.end(), shown[0]->klineData);
    const double previous = (*(it - 1))->close;
    const double percent = (shown[0]->klineData->close - previous) * 100 / previous;
    char expected[32];
    std::snprintf(expected, sizeof expected, percent > 0 ? "+%.2lf%%" : "%.2lf%%", percent);
    EXPECT_EQ(shown[0]->klineData->zhangfu, expected);
}

TEST(KLineHeaderText, shouldShowTheAveragesOfTheNewestBarAndDashesForMissingOnes) {
    auto scene = makeScene(kKLine, {});
    auto bars = walkBars(12);
    showBars(scene, bars);
    const auto& averages = *bars.back()->PMAGroup;
    const auto& header = *scene.layout->currentShowDataLayerInfo();
    EXPECT_EQ(values(header.MainCurrentDataItemArray),
              (std::vector<std::string>{chartscale::priceText(averages.PMA5Data->value, 2),
                                        chartscale::priceText(averages.PMA10Data->value, 2), "--",
                                        "--"}));
    const auto& macd = *bars.back()->MACDKDJ;
    EXPECT_EQ(values(header.SecondaryOneCurrentDataItemArray),
              (std::vector<std::string>{"  ", chartscale::priceText(macd.dif, 2),
                                        chartscale::priceText(macd.dea, 2),
                                        chartscale::priceText(macd.macd, 2)}));
    EXPECT_EQ(values(header.SecondaryOneCurrentDataKDJItemArray)[1],
              chartscale::priceText(std::clamp(macd.KValue, 0.0, 100.0), 2));
}

TEST(KLineHeaderText, shouldLeadTheWideHeaderWithThePeriodName) {
    auto scene = makeScene(kKLine, {.state = kWide});
    showBars(scene, walkBars(40));
    const auto texts = values(scene.layout->currentShowDataLayerInfo()->MainCurrentDataItemArray);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], "日线");
    EXPECT_EQ(texts[1], "  ");
    EXPECT_NE(texts[5], "--");
}

TEST(KLineHeaderText, shouldFollowTheCrossHairAndGoBackToTheNewestBar) {
    auto scene = makeScene(kKLine, {});
    auto bars = walkBars(40);
    showBars(scene, bars);
    scene.view->KLineSetCurrentShowLayerDataWithNum(20);
    const auto& header = *scene.layout->currentShowDataLayerInfo();
    EXPECT_EQ(header.MainCurrentDataItemArray[0]->dataString,
              chartscale::priceText(bars[20]->PMAGroup->PMA5Data->value, 2));
    scene.view->KLineSetCurrentShowLayerDataWithNum(-1);
    EXPECT_EQ(header.MainCurrentDataItemArray[0]->dataString,
              chartscale::priceText(bars.back()->PMAGroup->PMA5Data->value, 2));
}

struct FenShiChangeCase {
    const char* name;
    double yesterdayClose;
    double price;
    std::string change;
    Color priceColor;
    Color changeColor;
};

class FenShiHeaderTextTest : public ::testing::TestWithParam<FenShiChangeCase> {};

TEST_P(FenShiHeaderTextTest, shouldShowTheMinuteWithItsChangeAndColours) {
    setTradingStart("09:00");
    const FenShiChangeCase c = GetParam();
    auto scene = makeScene(kFenShi, {});
    auto minutes = walkMinutes(20, c.yesterdayClose);
    auto last = fenShiMinute(9 * 60 + 20, c.price, c.price, 33, c.yesterdayClose);
    minutes.push_back(last);
    showFenShi(scene, fenShiReply(scene, minutes, c.yesterdayClose, 4001));
    const auto& items = scene.layout->currentShowDataLayerInfo()->MainCurrentDataItemArray;
    EXPECT_EQ(values(items), (std::vector<std::string>{"09:20", last->ShowPrice, last->ShowAverage,
                                                       c.change, "33"}));
    EXPECT_EQ(items[1]->dataColor, c.priceColor);
    EXPECT_EQ(items[2]->dataColor, rgb(225, 176, 8));
    EXPECT_EQ(items[3]->dataColor, c.changeColor);
    EXPECT_EQ(items[4]->dataColor, rgb(255, 0, 0));
    EXPECT_EQ(last->ShowKaipan, "4001.00");
    EXPECT_EQ(last->ShowHighestPrice, "--");
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FenShiHeaderTextTest,
    ::testing::Values(
        FenShiChangeCase{"up", 4000, 4040, "+1.00%", rgb(255, 0, 0), rgb(255, 0, 0)},
        FenShiChangeCase{"down", 4000, 3980, "-0.50%", rgb(59, 210, 53), rgb(59, 210, 53)},
        FenShiChangeCase{"level", 4000, 4000, "0.00%", rgb(255, 255, 255), rgb(255, 255, 255)},
        FenShiChangeCase{"zeroClose", 0, 12, "--", rgb(255, 255, 255), rgb(255, 255, 255)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FenShiHeaderText, shouldFillTheCrossHairBoxInTheWideScreen) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {.state = kWide});
    showFenShi(scene, fenShiReply(scene, walkMinutes(30, 4000), 4000, 4000));
    EXPECT_FALSE(scene.layout->indicatorCrossData()->isTopNavigationBar);
    EXPECT_EQ(boxItem(scene, 0).data, "09:29");
    EXPECT_EQ(boxItem(scene, 4).data, scene.view->FenShiDataItemArray().back()->showXianshou);
}

TEST(FenShiHeaderText, shouldTakeHighAndLowFromTheLiveQuote) {
    setTradingStart("09:00");
    auto scene = makeScene(kFenShi, {});
    showFenShi(scene, fenShiReply(scene, walkMinutes(30, 4000), 4000, 4000));
    auto quote = std::make_shared<YiKouJia>();
    quote->heigthestPrice = 4050;
    quote->lowestPrice = 3950.5;
    quote->newPrice = 4010;
    quote->zhangfuStr = "+0.25%";
    scene.view->setFenShiYiKouJia(quote);
    const auto& last = *scene.view->FenShiDataItemArray().back();
    EXPECT_EQ(last.ShowHighestPrice, "4050.00");
    EXPECT_EQ(last.ShowLowestPrice, "3950.50");
    EXPECT_EQ(last.ShowPrice, "4010.00");
    EXPECT_EQ(last.zhangfu, "+0.25%");
}

TEST(ChartTexts, shouldColourValuesAgainstTheirReference) {
    EXPECT_EQ(HQDrawManager::judgeColorWithData(2, 1), rgb(255, 0, 0));
    EXPECT_EQ(HQDrawManager::judgeColorWithData(1, 2), rgb(59, 210, 53));
    EXPECT_EQ(HQDrawManager::judgeColorWithData(1, 1), Color::whiteColor());
    EXPECT_EQ(HQDrawManager::judgeColorWithData(0, 1), Color::whiteColor());
    EXPECT_EQ(HQDrawManager::judgeColorWithData(1, 0), Color::whiteColor());
    EXPECT_EQ(HQDrawManager::PointValue(nullptr, 2), "--");
    auto point = std::make_shared<HQPoint>();
    point->Value = 3.14159;
    EXPECT_EQ(HQDrawManager::PointValue(point, 3), "3.142");
}
