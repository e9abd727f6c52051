#include <gtest/gtest.h>

#include "ChartTestSupport.h"
#include "chart/CurrentShowDataLayerInfo.h"
#include "chart/IndicatorCrossClass.h"
#include "platform/graphics/TextLayout.h"

using namespace charttest;

namespace {

std::shared_ptr<CurrentShowDataLayerInfo> timeSharingHeader() {
    return layout(kFenShi, kNormal, true)->currentShowDataLayerInfo();
}

}  // namespace

TEST(CurrentShowDataLayerInfo, shouldWriteMinuteTimesWithTwoDigitHours) {
    EXPECT_EQ(CurrentShowDataLayerInfo::minuteText("930"), "09:30");
    EXPECT_EQ(CurrentShowDataLayerInfo::minuteText("1305"), "13:05");
    EXPECT_EQ(CurrentShowDataLayerInfo::minuteText("905"), "09:05");
    EXPECT_EQ(CurrentShowDataLayerInfo::minuteText("0"), "00:00");
    EXPECT_EQ(CurrentShowDataLayerInfo::minuteText("2359"), "23:59");
    EXPECT_EQ(CurrentShowDataLayerInfo::numToString(5), "05");
    EXPECT_EQ(CurrentShowDataLayerInfo::numToString(10), "10");
}

TEST(CurrentShowDataLayerInfo, shouldFillTheMainEntriesFromAMinuteAndFollowTheirWidths) {
    const auto header = timeSharingHeader();
    FenShiDataItem minute;
    minute.fenShiTime = "930";
    minute.ShowPrice = "3450.00";
    minute.ShowAverage = "3449.50";
    minute.zhangfu = "+1.20%";
    minute.showXianshou = "  ";
    const std::vector<Color> colors(5, Color::rgb(255, 0, 0));
    header->setMainDataByItem(&minute, colors);
    const auto& items = header->MainCurrentDataItemArray;
    EXPECT_EQ(items[0]->dataString, "09:30");
    EXPECT_EQ(items[1]->dataString, "3450.00");
    EXPECT_EQ(*items[1]->dataColor, Color::rgb(255, 0, 0));
    const double priceWidth =
        TextLayout::measure("3450.00", Font::system(8), Size{0, 10}, LineBreakMode::CharWrap).width;
    ASSERT_GT(priceWidth, 0);
    EXPECT_EQ(items[1]->dataFrame, Rect(49, 1, priceWidth, 10));
    EXPECT_LT(items[0]->dataFrame.width, priceWidth);
    EXPECT_EQ(items[0]->dataFrame.x, 12);
    EXPECT_EQ(items[4]->dataFrame, Rect(205, 1, 0, 10));
}

TEST(CurrentShowDataLayerInfo, shouldIgnoreAValueListOfTheWrongLength) {
    const auto header = timeSharingHeader();
    header->setMainDataByDataArray({"a", "b", "c", "d"}, {});
    for (const auto& item : header->MainCurrentDataItemArray) {
        EXPECT_TRUE(item->dataString == "--" || item->dataString == "--:--");
    }
    EXPECT_EQ(header->MainCurrentDataItemArray[1]->dataFrame, Rect(49, 1, 45, 10));
}

TEST(CurrentShowDataLayerInfo, shouldFillIndicatorRowsWithoutMovingThem) {
    const auto header = layout(kKLine, kNormal, true)->currentShowDataLayerInfo();
    const Rect before = header->SecondaryOneCurrentDataItemArray[1]->dataFrame;
    header->setSecondaryOneDataByDataArray({"  ", "0.12", "0.08", "0.04"},
                                           {Color::whiteColor(), Color::whiteColor()});
    EXPECT_EQ(header->SecondaryOneCurrentDataItemArray[3]->dataString, "0.04");
    EXPECT_EQ(header->SecondaryOneCurrentDataItemArray[1]->dataFrame, before);
    EXPECT_EQ(*header->SecondaryOneCurrentDataItemArray[2]->dataColor, Color::rgb(185, 165, 30));
    header->setSecondaryOneKDJDataByDataArray({"  ", "80.00"});
    EXPECT_EQ(header->SecondaryOneCurrentDataKDJItemArray[1]->dataString, "80.00");
    EXPECT_EQ(header->SecondaryOneCurrentDataKDJItemArray[2]->dataString, "--");
}

// 2023-11-14 22:13 UTC is the next morning at the exchange (UTC+8), wherever the device is.
TEST(CurrentShowDataLayerInfo, shouldWriteBarDatesInTheExchangesZone) {
    setTradingStart("00:00");
    const auto header = layout(kKLine, kNormal, true)->currentShowDataLayerInfo();
    header->setSecondaryOneTimeDataByDataArray({1700000000000LL, 1700003600999LL});
    const auto& labels = header->SecondaryOneCurrentDataTimeItemArray;
    EXPECT_EQ(labels[0]->title, "23/11/15/ 06:13");
    EXPECT_EQ(labels[1]->title, "23/11/15/ 07:13");
}

TEST(CurrentShowDataLayerInfo, shouldLineUpSecondRowEntriesAfterThePreviousUnit) {
    CurrentShowDataLayerInfo header;
    for (double x : {0.0, 0.0}) {
        auto item = std::make_shared<CurrentDataItem>();
        item->titleFrame = Rect(x, 5, 20, 12);
        item->unitFrame = Rect(0, 0, 7, 12);
        item->font = Font::system(10);
        header.SecondaryTwoCurrentDataItemArray.push_back(item);
    }
    header.setSecondaryTwoDataByDataArray({"  ", "  "}, {});
    const auto& items = header.SecondaryTwoCurrentDataItemArray;
    EXPECT_EQ(items[0]->dataFrame, Rect(20, 5, 0, 12));
    EXPECT_EQ(items[0]->unitFrame, Rect(20, 5, 7, 12));
    EXPECT_EQ(items[1]->titleFrame, Rect(27, 5, 20, 12));
    EXPECT_EQ(items[1]->unitFrame, Rect(47, 5, 7, 12));
}

TEST(IndicatorCrossClass, shouldShowTheTimeOfDayOnlyForRealBarDates) {
    setTradingStart("00:00");
    const auto device = layout(kKLine, kNormal, true);
    auto& cross = *device->indicatorCrossData();
    auto early = bar(1, 2, 0.5f, 1.5f, 99999999);
    early->showOpen = "1.00";
    const std::vector<Color> six(6, Color::rgb(255, 0, 0));
    cross.setDataToIndicatorCrossItemArrayFromItem(early.get(), six);
    EXPECT_EQ(cross.IndicatorCrossItemArray[6]->data, " ");
    EXPECT_EQ(cross.IndicatorCrossItemArray[1]->data, "1.00");
    EXPECT_EQ(*cross.IndicatorCrossItemArray[0]->font, Font::named("Arial", 9));
    EXPECT_EQ(*cross.IndicatorCrossItemArray[6]->dataColor, Color::whiteColor());
    EXPECT_EQ(*cross.IndicatorCrossItemArray[5]->dataColor, Color::rgb(255, 0, 0));

    const auto real = bar(1, 2, 0.5f, 1.5f, 1700000000000LL);
    cross.setDataToIndicatorCrossItemArrayFromItem(real.get(), {});
    EXPECT_EQ(cross.IndicatorCrossItemArray[0]->data, "23/11/15");
    EXPECT_EQ(cross.IndicatorCrossItemArray[6]->data, "06:13");
    EXPECT_EQ(*cross.IndicatorCrossItemArray[0]->font, Font::named("Arial", 7));
}

TEST(IndicatorCrossClass, shouldContinueALineWhereThePreviousValueEnds) {
    IndicatorCrossClass cross;
    cross.font = Font::named("Arial", 9);
    for (double y : {10.0, 10.0, 28.0, 28.0, 28.0}) {
        auto item = std::make_shared<IndicatorCrossItem>();
        item->titleFrame = Rect(2, y, 14, 18);
        item->dataFrame = Rect(0, y, 56, 18);
        cross.IndicatorCrossItemArray.push_back(item);
    }
    FenShiDataItem minute;
    minute.fenShiTime = "1305";
    minute.ShowPrice = "  ";
    minute.ShowAverage = "12.5";
    minute.zhangfu = "+1.00%";
    cross.setDataToIndicatorCrossItemArrayFromItem(&minute, {});
    const auto& items = cross.IndicatorCrossItemArray;
    EXPECT_EQ(items[0]->data, "13:05");
    EXPECT_EQ(items[1]->titleFrame, Rect(56, 10, 14, 18));
    EXPECT_EQ(items[1]->dataFrame, Rect(70, 10, 0, 18));
    EXPECT_EQ(items[2]->titleFrame, Rect(2, 28, 14, 18));
    EXPECT_EQ(items[2]->dataFrame, Rect(0, 28, 56, 18));
    EXPECT_EQ(items[3]->titleFrame.x, 56);
    EXPECT_GT(items[3]->dataFrame.width, 0);
}
