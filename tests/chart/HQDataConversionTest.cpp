#include <gtest/gtest.h>

#include <cmath>

#include "ChartTestSupport.h"
#include "chart/HQCoordinateOfFenShiOutput.h"
#include "chart/HQCoordinateOfKDJOutput.h"
#include "chart/HQCoordinateOfKLineOutput.h"
#include "chart/HQCoordinateOfMACDOutput.h"
#include "chart/HQCoordinateOfPMAOutput.h"
#include "chart/HQDataOfFenShiConversion.h"
#include "chart/HQDataOfKDJConversion.h"
#include "chart/HQDataOfKLineConversion.h"
#include "chart/HQDataOfMACDConversion.h"

using namespace charttest;

namespace {

std::shared_ptr<HQCalculationResult> range(double lowest, double highest, double volumeLowest = 0,
                                           double volumeHighest = 0) {
    auto r = std::make_shared<HQCalculationResult>();
    r->lowest = lowest;
    r->highest = highest;
    r->xianShouLowest = volumeLowest;
    r->xianShouHighest = volumeHighest;
    return r;
}

std::shared_ptr<FenShiDataItem> minute(const std::string& time, double price, double average,
                                       int volume) {
    auto row = std::make_shared<FenShiDataItem>();
    row->fenShiTime = time;
    row->price = price;
    row->averagePrice = average;
    row->xianShou = volume;
    return row;
}

template <typename T>
std::vector<std::shared_ptr<T>> as(const ConversionOutput& output) {
    return std::get<std::vector<std::shared_ptr<T>>>(output);
}

std::shared_ptr<KLineDataItem> withIndicators(double dif, double dea, double macd, double k = 0,
                                              double d = 0, double j = 0) {
    auto item = bar(1, 1, 1, 1);
    item->MACDKDJ = std::make_shared<MACDKDJGroupItem>();
    *item->MACDKDJ = MACDKDJGroupItem{dif, dea, macd, k, d, j};
    return item;
}

}  // namespace

// Normal 3.5-inch time-sharing area: price area 15..154 (B = 15 + 8 x 17.375),
// volume area 154..198, chart x 38..318.
TEST(FenShiConversion, shouldPlaceMinutesByTimeSinceAnEveningStart) {
    setTradingStart("21:00");
    const auto device = layout(kFenShi, kNormal, false);
    const FenShiRows rows = {minute("2100", 10, 10, 0), minute("130", 11, 9.5, 50),
                             minute("1500", 9, 9, 100)};
    const auto points = as<FenShiDrawDataItem>(
        HQCoordinateOfFenShiOutput().factroyMothod()->dataConversionToCoordinateType(
            0, rows, range(9, 11, 0, 100), *device));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_FLOAT_EQ(points[0]->fenshiPoint->x, 38);
    EXPECT_FLOAT_EQ(points[1]->fenshiPoint->x, 38 + 280 * 270.f / 1440);
    EXPECT_FLOAT_EQ(points[2]->fenshiPoint->x, 38 + 280 * 1080.f / 1440);
    EXPECT_EQ(rows[1]->fenShiTime, "0130");
    EXPECT_FLOAT_EQ(points[0]->fenshiPoint->y, 154 - 139 * 0.5f);
    EXPECT_FLOAT_EQ(points[1]->fenshiPoint->y, 15);
    EXPECT_FLOAT_EQ(points[2]->fenshiPoint->y, 154);
    EXPECT_FLOAT_EQ(points[1]->junjiaPoint->y, 154 - 139 * 0.25f);
    EXPECT_EQ(points[1]->fenshiPoint->Value, 11);
    EXPECT_NEAR(points[1]->chengJiaoLiangPoint->y, 176, 0.001);
    EXPECT_FLOAT_EQ(points[1]->chengJiaoLiangPoint->bottomY, 198);
    EXPECT_NEAR(points[2]->chengJiaoLiangPoint->y, 154, 0.001);
    EXPECT_NEAR(points[0]->chengJiaoLiangPoint->y, 198, 0.001);
}

TEST(FenShiConversion, shouldDrawNegativePricesAsZeroAndAnEmptyRangeInTheMiddle) {
    setTradingStart("09:00");
    const auto device = layout(kFenShi, kNormal, false);
    const auto points =
        as<FenShiDrawDataItem>(HQDataOfFenShiConversion().dataConversionToCoordinateType(
            0, FenShiRows{minute("0930", -3, 10, 5)}, range(10, 10), *device));
    EXPECT_EQ(points[0]->fenshiPoint->Value, 0);
    EXPECT_FLOAT_EQ(points[0]->junjiaPoint->y, 154 - 139 / 2.f);
    EXPECT_FALSE(points[0]->chengJiaoLiangPoint);
}

TEST(FenShiConversion, shouldKeepFlatVolumeBarsFiniteAtTheBottomOfTheVolumeArea) {
    setTradingStart("09:00");
    const auto device = layout(kFenShi, kNormal, false);
    const auto points =
        as<FenShiDrawDataItem>(HQDataOfFenShiConversion().dataConversionToCoordinateType(
            0, FenShiRows{minute("0930", 10, 10, 40), minute("0931", 10, 10, 40)},
            range(9, 11, 40, 40), *device));
    for (const auto& point : points) {
        ASSERT_TRUE(point->chengJiaoLiangPoint);
        EXPECT_TRUE(std::isfinite(point->chengJiaoLiangPoint->y));
        EXPECT_FLOAT_EQ(point->chengJiaoLiangPoint->y, 198);
    }
}

TEST(FenShiConversion, shouldCountAnUnreadableMinuteAsTheStartOfTrading) {
    setTradingStart("09:00");
    const auto device = layout(kFenShi, kNormal, false);
    const auto points =
        as<FenShiDrawDataItem>(HQDataOfFenShiConversion().dataConversionToCoordinateType(
            0, FenShiRows{minute("2561", 10, 10, 0), minute("", 10, 10, 0)}, range(9, 11),
            *device));
    EXPECT_FLOAT_EQ(points[0]->fenshiPoint->x, 38);
    EXPECT_FLOAT_EQ(points[1]->fenshiPoint->x, 38);
}

// Normal 3.5-inch K-line area: origin y 143, top 15, so 128 points of height.
TEST(KLineConversion, shouldPlaceACandleInItsColumn) {
    auto device = layout(kKLine, kNormal, false);
    auto columns = std::make_shared<AboutDrawInfo>();
    columns->ColumnInterval = 6;
    columns->firstPointX = 2;
    device->setDrawInfoOfMain(columns);
    KLineBars bars(3, bar(12, 14, 11, 13));
    bars.push_back(bar(15, 20, 10, 12.5f));
    bars[3]->PMAGroup = std::make_shared<PMAGroupItem>();
    bars[3]->PMAGroup->PMA5Data = average(17.5);
    bars[3]->PMAGroup->PMA30Data = average(-1);
    auto converter = HQCoordinateOfKLineOutput().factroyMothod();
    const auto candles = as<KLineDrawDataItem>(
        converter->dataConversionToCoordinateType(0, bars, range(10, 20), *device));
    ASSERT_EQ(candles.size(), 4u);
    const auto& c = *candles[3];
    EXPECT_EQ(c.openPiont, (Point{20, 143 - 128 * 0.5}));
    EXPECT_EQ(c.highestPiont, (Point{22.25, 15}));
    EXPECT_EQ(c.lowestPiont, (Point{22.25, 143}));
    EXPECT_EQ(c.closePiont, (Point{25, 143 - 128 * 0.25}));
    EXPECT_FLOAT_EQ(c.PMA5Point->y, 143 - 128 * 0.75f);
    EXPECT_FLOAT_EQ(c.PMA5Point->x, 22.25f);
    EXPECT_FALSE(c.PMA10Point);
    EXPECT_FLOAT_EQ(c.PMA30Point->y, 143);
    EXPECT_EQ(c.klineData, bars[3]);
    EXPECT_EQ(
        std::get<std::vector<std::shared_ptr<KLineDrawDataItem>>>(converter->coordinateArray())
            .size(),
        4u);
}

TEST(KLineConversion, shouldPutAFlatSeriesInTheMiddleAndRefuseOtherKinds) {
    const auto device = layout(kKLine, kNormal, false);
    HQDataOfKLineConversion converter;
    const auto flat = as<KLineDrawDataItem>(converter.dataConversionToCoordinateType(
        0, KLineBars{bar(5, 5, 5, 5)}, range(5, 5), *device));
    EXPECT_FLOAT_EQ(flat[0]->openPiont.y, 143 - 64);
    EXPECT_FLOAT_EQ(flat[0]->closePiont.y, 143 - 64);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(converter.dataConversionToCoordinateType(
        1, KLineBars{bar(5, 5, 5, 5)}, range(5, 5), *device)));
    EXPECT_TRUE(as<KLineDrawDataItem>(
                    converter.dataConversionToCoordinateType(0, KLineBars{}, range(5, 5), *device))
                    .empty());
}

// Normal 3.5-inch indicator area: origin y 190, 32 points high from y 158.
TEST(MACDConversion, shouldPutTheZeroLineInTheMiddleOfASymmetricRange) {
    const auto device = layout(kKLine, kNormal, false);
    const auto items = as<MACDDrawDataItem>(
        HQCoordinateOfMACDOutput().factroyMothod()->dataConversionToCoordinateType(
            0, KLineBars{withIndicators(-2, 1, 2)}, range(-2, 2), *device));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_FLOAT_EQ(items[0]->ZeroPoint->y, 174);
    EXPECT_FLOAT_EQ(items[0]->MACDPoint->y, 158);
    EXPECT_FLOAT_EQ(items[0]->DifPoint->y, 190);
    EXPECT_FLOAT_EQ(items[0]->DeaPoint->y, 166);
    EXPECT_EQ(items[0]->DeaPoint->Value, 1);
    EXPECT_EQ(items[0]->DeaPoint->x, 0);
}

TEST(MACDConversion, shouldGiveNothingWhenTheFirstBarHasNoIndicators) {
    const auto device = layout(kKLine, kNormal, false);
    const auto items = as<MACDDrawDataItem>(HQDataOfMACDConversion().dataConversionToCoordinateType(
        0, KLineBars{bar(1, 1, 1, 1), withIndicators(1, 1, 1)}, range(-2, 2), *device));
    EXPECT_TRUE(items.empty());
    const auto flat = as<MACDDrawDataItem>(HQDataOfMACDConversion().dataConversionToCoordinateType(
        0, KLineBars{withIndicators(0, 0, 0)}, range(0, 0), *device));
    EXPECT_FLOAT_EQ(flat[0]->ZeroPoint->y, 174);
}

TEST(KDJConversion, shouldClampValuesToTheFixedScale) {
    const auto device = layout(kKLine, kNormal, false);
    const auto items = as<KDJDrawDataItem>(
        HQCoordinateOfKDJOutput().factroyMothod()->dataConversionToCoordinateType(
            0, KLineBars{withIndicators(0, 0, 0, 120, 50, -5)}, nullptr, *device));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->KPoint->Value, 100);
    EXPECT_FLOAT_EQ(items[0]->KPoint->y, 158);
    EXPECT_FLOAT_EQ(items[0]->DPoint->y, 174);
    EXPECT_EQ(items[0]->JPoint->Value, 0);
    EXPECT_FLOAT_EQ(items[0]->JPoint->y, 190);
    EXPECT_EQ(HQDataOfKDJConversion::changeValue(42.5), 42.5);
}

TEST(PMAConversion, shouldPlotOnlyBarsThatHaveTheChosenAverage) {
    const auto device = layout(kKLine, kNormal, false);
    KLineBars bars = {bar(1, 1, 1, 1), bar(1, 1, 1, 1)};
    bars[1]->PMAGroup = std::make_shared<PMAGroupItem>();
    bars[1]->PMAGroup->PMA10Data = average(15);
    auto converter = HQCoordinateOfPMAOutput().factroyMothod();
    const auto points =
        as<HQPoint>(converter->dataConversionToCoordinateType(10, bars, range(10, 20), *device));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_FLOAT_EQ(points[0]->y, 143 - 32 * 0.5f);
    EXPECT_EQ(converter->type(), 10);
    EXPECT_TRUE(
        as<HQPoint>(converter->dataConversionToCoordinateType(7, bars, range(10, 20), *device))
            .empty());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(
        converter->dataConversionToCoordinateType(10, KLineBars{}, range(10, 20), *device)));
}

TEST(HQDataConversion, shouldGiveNoResultFromTheBaseClassOrForDataOfTheWrongKind) {
    const auto device = layout(kKLine, kNormal, false);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(
        HQDataConversion().dataConversionToCoordinateType(0, KLineBars{}, range(0, 1), *device)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(
        HQDataOfKLineConversion().dataConversionToCoordinateType(0, FenShiRows{}, range(0, 1),
                                                                 *device)));
}

TEST(KLineConversion, shouldPutEveryValueOfAnEmptyRangeInTheMiddleNegativeOnesToo) {
    const auto device = layout(kKLine, kNormal, false);
    KLineBars bars = {bar(-1, 2, -3, 1)};
    bars[0]->PMAGroup = std::make_shared<PMAGroupItem>();
    bars[0]->PMAGroup->PMA10Data = average(-2);
    const auto candles = as<KLineDrawDataItem>(
        HQDataOfKLineConversion().dataConversionToCoordinateType(0, bars, range(0, 0), *device));
    ASSERT_EQ(candles.size(), 1u);
    const float middle = 143 - 64;
    EXPECT_FLOAT_EQ(candles[0]->openPiont.y, middle);
    EXPECT_FLOAT_EQ(candles[0]->lowestPiont.y, middle);
    EXPECT_FLOAT_EQ(candles[0]->PMA10Point->y, candles[0]->closePiont.y);
    const auto spread = as<KLineDrawDataItem>(
        HQDataOfKLineConversion().dataConversionToCoordinateType(0, bars, range(0, 4), *device));
    EXPECT_FLOAT_EQ(spread[0]->openPiont.y, 143);
    EXPECT_FLOAT_EQ(spread[0]->highestPiont.y, 143 - 64);
}
