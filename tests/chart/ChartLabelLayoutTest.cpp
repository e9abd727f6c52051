#include <gtest/gtest.h>

#include <cmath>

#include "ChartTestSupport.h"
#include "chart/ChartStyle.h"

using namespace charttest;

namespace {

std::vector<std::string> titles(const VariableAboutDevice& device) {
    std::vector<std::string> result;
    for (const auto& info : device.TimeCoordinateDrawInfoArray()) {
        result.push_back(info->title);
    }
    return result;
}

}  // namespace

TEST(TimeAxisLayout, shouldLabelTwentyFourHoursFromANineInTheEveningStart) {
    setTradingStart("21:00");
    const auto device = layout(kFenShi, kNormal, false);
    EXPECT_EQ(titles(*device), (std::vector<std::string>{"21:00", "23:00", "03:00", "07:00",
                                                         "11:00", "15:00", "19:00", "21:00"}));
}

TEST(TimeAxisLayout, shouldPlaceTicksByMinutesAndTheLastAtTimeTitleLastOnTheNormalScreen) {
    setTradingStart("09:00");
    const auto device = layout(kFenShi, kNormal, false);
    const auto& labels = device->TimeCoordinateDrawInfoArray();
    ASSERT_EQ(labels.size(), 8u);
    EXPECT_FLOAT_EQ(labels[0]->pointX, 38);
    EXPECT_NEAR(labels[1]->pointX, 61.333, 0.001);
    EXPECT_FLOAT_EQ(labels[6]->pointX, 38 + 280.f * 1320 / 1440);
    EXPECT_FLOAT_EQ(labels[7]->pointX, 320);
    EXPECT_FLOAT_EQ(labels[0]->pointY, 200);
    EXPECT_FLOAT_EQ(labels[0]->LineHeight, 11);
    EXPECT_FLOAT_EQ(labels[0]->Wide, -25);
    EXPECT_EQ(labels[0]->titleFrame, Rect(13, 201, 25, 10));
    EXPECT_EQ(labels[7]->titleFrame, Rect(295, 201, 25, 10));
    EXPECT_EQ(*labels[0]->titleFont, Font::named("Arial", 9));
}

TEST(TimeAxisLayout, shouldEndTheWideAxisAtTheRightEdgeOfTheChartWithSidePanelSizes) {
    setTradingStart("09:00");
    const auto device = layout(kFenShi, kWide, true, 4);
    const auto& labels = device->TimeCoordinateDrawInfoArray();
    ASSERT_EQ(labels.size(), 8u);
    EXPECT_FLOAT_EQ(labels[7]->pointX, 0 + 440);
    EXPECT_FLOAT_EQ(labels[0]->pointY, 218);
    EXPECT_EQ(labels[3]->titleFrame.size(), Size(15, 8));
    EXPECT_EQ(labels[3]->titleFrame.y, 218 + 11 - 8);
    EXPECT_EQ(*labels[3]->titleFont, Font::named("Arial", 5));
}

// Without the start or without the exchange's zone the axis has no times; the layout made
// then takes them once both are known.
TEST(TimeAxisLayout, shouldLeaveTitlesEmptyUntilTheStartAndTheExchangesZoneAreKnown) {
    const std::vector<std::string> fromNine{"09:00", "11:00", "15:00", "19:00",
                                            "23:00", "03:00", "07:00", "09:00"};
    for (const bool zoneKnown : {false, true}) {
        auto quote = std::make_shared<VKJYHangQingDataClass>();
        VKJYHangQingDataClass::setCurrent(quote);
        if (zoneKnown) {
            quote->setExchangeUtcOffsetMinutes(kExchangeUtcOffsetMinutes);
        } else {
            quote->setTradingStart(exchangeTime("09:00"));
        }
        const auto device = layout(kFenShi, kNormal, true);
        EXPECT_EQ(titles(*device), std::vector<std::string>(8, "")) << zoneKnown;
        EXPECT_FALSE(device->retitleTimeLabels());
        quote->setExchangeUtcOffsetMinutes(kExchangeUtcOffsetMinutes);
        quote->setTradingStart(exchangeTime("09:00"));
        EXPECT_TRUE(device->retitleTimeLabels());
        EXPECT_EQ(titles(*device), fromNine) << zoneKnown;
        EXPECT_FALSE(device->retitleTimeLabels());
    }
}

TEST(FenShiValueLabels, shouldColourAboveRedMiddleWhiteBelowGreen) {
    const auto device = layout(kFenShi, kNormal, false);
    const auto& left = device->VerticalAxisMainInfoArray();
    ASSERT_EQ(left.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        const Color expected = i < 4 ? Color::rgb(255, 0, 0)
                                     : (i == 4 ? Color::whiteColor() : Color::rgb(59, 210, 53));
        EXPECT_EQ(*left[i]->color, expected) << i;
        EXPECT_EQ(left[i]->textAlignment, 0);
    }
    EXPECT_EQ(left[0]->frame, Rect(0, 15, 36, 12));
    EXPECT_FLOAT_EQ(left[3]->frame.y, 15 + 3 * 17.375f);
    // Grid lines 17.375 apart: the bottom label rises only until it meets the one above.
    EXPECT_FLOAT_EQ(left[8]->frame.y, left[7]->frame.maxY());
    const auto& right = device->VerticalAxisMainRightInfoArray();
    EXPECT_EQ(right[0]->frame, Rect(270, 15, 36, 12));
    EXPECT_EQ(*right[0]->font, Font::named("Arial", 9));
}

TEST(FenShiValueLabels, shouldWidenNormalLabelsBeforeSystemSevenAndWideOnesAlways) {
    const auto widths = [](const std::string& version, uint32_t state) {
        DeviceFacts facts(true, version);
        VariableAboutDevice device(state, kFenShi, 0, std::make_shared<HQFSDrawPram>(4));
        return std::pair{device.VerticalAxisMainInfoArray()[0]->frame.width,
                         device.VerticalAxisMainRightInfoArray()[0]->frame.width};
    };
    EXPECT_EQ(widths("7.0", kNormal), std::pair(-2.0, -2.0));
    EXPECT_EQ(widths("6.1.3", kNormal), std::pair(48.0, 48.0));
    EXPECT_EQ(widths("7.0", kWide), std::pair(98.0, 98.0));
    EXPECT_EQ(widths("6.0", kWide), std::pair(98.0, 98.0));
}

TEST(FenShiValueLabels, shouldPlaceWideLabelsFromTheRightOfTheChartArea) {
    const auto device = layout(kFenShi, kWide, false);
    const auto& right = device->VerticalAxisMainRightInfoArray();
    ASSERT_EQ(right.size(), 9u);
    EXPECT_EQ(right[0]->frame, Rect(422 - 15, 0, 156, 10));
    EXPECT_FLOAT_EQ(right[8]->frame.y, right[7]->frame.y + 13);  // Arial 11 in a frame of 10
    EXPECT_EQ(*right[8]->font, Font::named("Arial", 11));
}

TEST(KLineValueLabels, shouldSitAboveTheirGridLinesExceptTheTopOne) {
    const auto device = layout(kKLine, kNormal, false);
    const auto& main = device->VerticalAxisMainInfoArray();
    ASSERT_EQ(main.size(), 7u);
    EXPECT_EQ(main[0]->frame, Rect(0, 15, 33, 10));
    EXPECT_FLOAT_EQ(main[2]->frame.y, 15 + 2 * 21.33f - 10);
    const auto& indicator = device->VerticalAxisSecondaryOneInfoArray();
    ASSERT_EQ(indicator.size(), 3u);
    EXPECT_FLOAT_EQ(indicator[0]->frame.y, 158);
    EXPECT_FLOAT_EQ(indicator[1]->frame.y, 158 + 16 - 10);
    EXPECT_FLOAT_EQ(indicator[2]->frame.y, 158 + 32 - 10);
    EXPECT_EQ(indicator[1]->title, "  ");
    EXPECT_EQ(indicator[1]->textAlignment, 2);
    EXPECT_EQ(*indicator[1]->color, Color::whiteColor());
}

TEST(ChartHeaders, shouldLayTheTimeSharingHeaderAtFixedPositions) {
    const auto device = layout(kFenShi, kNormal, true);
    const auto& items = device->currentShowDataLayerInfo()->MainCurrentDataItemArray;
    ASSERT_EQ(items.size(), 5u);
    const double titleX[] = {2, 39, 96, 153, 195};
    const double dataX[] = {12, 49, 106, 163, 205};
    const double dataWidth[] = {20, 45, 45, 45, 20};
    const char* names[] = {"时:", "价:", "均:", "幅:", "量:"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i]->titleFrame, Rect(titleX[i], 1, 10, 10)) << i;
        EXPECT_EQ(items[i]->dataFrame, Rect(dataX[i], 1, dataWidth[i], 10)) << i;
        EXPECT_EQ(items[i]->titleName, names[i]);
        EXPECT_EQ(items[i]->dataString, i == 0 ? "--:--" : "--");
        EXPECT_EQ(*items[i]->font, Font::system(8));
    }
}

TEST(ChartHeaders, shouldLayTheNormalKLineRowsBetweenTheTwoAreas) {
    const auto device = layout(kKLine, kNormal, false);
    const auto& header = *device->currentShowDataLayerInfo();
    const auto& main = header.MainCurrentDataItemArray;
    ASSERT_EQ(main.size(), 4u);
    const double titleX[] = {-1, 76, 153, 230};
    const double dataX[] = {32, 109, 186, 263};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(main[i]->titleFrame, Rect(titleX[i], 0, 33, 14)) << i;
        EXPECT_EQ(main[i]->dataFrame, Rect(dataX[i], 0, 42, 14)) << i;
    }
    EXPECT_EQ(*main[1]->titleColor, Color::rgb(185, 165, 30));
    EXPECT_EQ(*main[1]->dataColor, Color::rgb(185, 165, 30));
    const auto& macd = header.SecondaryOneCurrentDataItemArray;
    ASSERT_EQ(macd.size(), 4u);
    EXPECT_EQ(macd[0]->titleName, "MACD(12,26,9)");
    EXPECT_EQ(macd[0]->titleFrame, Rect(2, 144, 75, 14));
    EXPECT_EQ(macd[0]->dataFrame, Rect(77, 144, 0, 14));
    EXPECT_EQ(macd[0]->dataString, "  ");
    EXPECT_EQ(macd[1]->titleFrame, Rect(79, 144, 34, 14));
    EXPECT_EQ(*macd[3]->titleColor, Color::rgb(37, 157, 133));
    const auto& kdj = header.SecondaryOneCurrentDataKDJItemArray;
    EXPECT_EQ(kdj[0]->titleFrame, Rect(2, 143, 60, 14));
    EXPECT_EQ(kdj[1]->titleFrame, Rect(64, 143, 16, 14));
    EXPECT_EQ(kdj[3]->titleName, "J:");
}

TEST(ChartHeaders, shouldStartTheWideKLineRowWithARedTitlelessItem) {
    const auto device = layout(kKLine, kWide, true);
    const auto& header = *device->currentShowDataLayerInfo();
    const auto& main = header.MainCurrentDataItemArray;
    ASSERT_EQ(main.size(), 6u);
    EXPECT_EQ(main[0]->titleName, "  ");
    EXPECT_EQ(main[0]->dataString, "--");
    EXPECT_EQ(*main[0]->titleColor, Color::rgb(255, 0, 0));
    EXPECT_EQ(main[0]->titleFrame, Rect(5, 4, 20, 18));
    EXPECT_EQ(main[0]->dataFrame, Rect(25, 4, 20, 14));
    EXPECT_EQ(main[1]->titleFrame, Rect(49, 4, 78, 18));
    EXPECT_EQ(main[1]->dataString, "  ");
    EXPECT_EQ(main[2]->titleFrame, Rect(135, 4, 35, 18));
    EXPECT_EQ(*main[2]->font, Font::system(11));
    const auto& macd = header.SecondaryOneCurrentDataItemArray;
    EXPECT_EQ(macd[0]->titleFrame, Rect(110, 221, 78, 18));
    EXPECT_EQ(macd[1]->titleFrame, Rect(190, 221, 38, 18));
    EXPECT_EQ(macd[1]->dataFrame, Rect(228, 221, 43, 18));
    EXPECT_EQ(header.SecondaryOneCurrentDataKDJItemArray[1]->titleFrame, Rect(177, 221, 18, 18));
}

TEST(ChartHeaders, shouldNarrowTheWideMACDTitlesOnTheSmallerScreen) {
    const auto device = layout(kKLine, kWide, false);
    const auto& macd = device->currentShowDataLayerInfo()->SecondaryOneCurrentDataItemArray;
    const double titleX[] = {85, 165, 242, 315};
    const double titleWidth[] = {78, 32, 28, 38};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(macd[i]->titleFrame, Rect(titleX[i], 221, titleWidth[i], 18)) << i;
    }
}

TEST(ChartHeaders, shouldPutTheDateLabelsUnderTheIndicatorArea) {
    struct Case {
        uint32_t state;
        bool fourInch;
        Rect left;
        Rect right;
        double fontSize;
    };
    for (const Case& c : {Case{kNormal, false, {0, 190, 95, 18}, {225, 190, 95, 18}, 10},
                          Case{kNormal, true, {0, 278, 95, 18}, {225, 278, 95, 18}, 10},
                          Case{kWide, false, {2, 221, 80, 18}, {400, 221, 80, 18}, 11},
                          Case{kWide, true, {2, 221, 80, 18}, {488, 221, 80, 18}, 11}}) {
        const auto device = layout(kKLine, c.state, c.fourInch);
        const auto& labels =
            device->currentShowDataLayerInfo()->SecondaryOneCurrentDataTimeItemArray;
        ASSERT_EQ(labels.size(), 2u);
        EXPECT_EQ(labels[0]->frame, c.left);
        EXPECT_EQ(labels[0]->textAlignment, 0);
        EXPECT_EQ(labels[1]->frame, c.right);
        EXPECT_EQ(labels[1]->textAlignment, 2);
        EXPECT_EQ(*labels[1]->font, Font::system(c.fontSize));
        EXPECT_EQ(labels[1]->title, "");
    }
}

TEST(CrossHairLayout, shouldSendNormalTimeSharingRowsToTheHeader) {
    const auto device = layout(kFenShi, kNormal, false);
    const auto& cross = *device->indicatorCrossData();
    EXPECT_TRUE(cross.isTopNavigationBar);
    EXPECT_TRUE(cross.IndicatorCrossItemArray.empty());
    EXPECT_EQ(cross.frame, Rect());
    EXPECT_EQ(cross.IndicatorCrossLineSet, (EdgeInsets{15, 38, 198, 318}));
}

TEST(CrossHairLayout, shouldStackFiveEntriesInTheWideTimeSharingBox) {
    const auto device = layout(kFenShi, kWide, true);
    const auto& cross = *device->indicatorCrossData();
    EXPECT_FALSE(cross.isTopNavigationBar);
    EXPECT_EQ(cross.frame, Rect(0, 1, 58, 128));
    EXPECT_EQ(cross.IndicatorCrossLineSet, (EdgeInsets{0, 58, 216, 568}));
    ASSERT_EQ(cross.IndicatorCrossItemArray.size(), 5u);
    const auto& last = *cross.IndicatorCrossItemArray[4];
    EXPECT_EQ(last.title, "量");
    EXPECT_EQ(last.titleFrame, Rect(2, 3 + 4 * 18, 14, 18));
    EXPECT_EQ(last.dataFrame, Rect(0, 3 + 4 * 18, 56, 18));
    EXPECT_EQ(last.dataTextAlignment, 2);
    EXPECT_EQ(*last.font, Font::named("Arial", 9));
}

TEST(CrossHairLayout, shouldAddASmallTimeLineUnderTheFirstKLineValue) {
    const auto device = layout(kKLine, kNormal, true);
    const auto& cross = *device->indicatorCrossData();
    EXPECT_EQ(cross.frame, Rect(0, 15, 58, 108));
    EXPECT_EQ(cross.IndicatorCrossLineSet, (EdgeInsets{15, 34, 278, 320}));
    ASSERT_EQ(cross.IndicatorCrossItemArray.size(), 7u);
    EXPECT_EQ(cross.IndicatorCrossItemArray[5]->title, "幅");
    EXPECT_EQ(cross.IndicatorCrossItemArray[5]->titleFrame, Rect(2, 17 + 5 * 18, 14, 18));
    const auto& time = *cross.IndicatorCrossItemArray[6];
    EXPECT_EQ(time.title, "  ");
    EXPECT_EQ(time.titleFrame, Rect(2, 17, 14, 18));
    EXPECT_EQ(time.dataFrame, Rect(0, 26, 56, 10));
    EXPECT_EQ(*time.font, Font::named("Arial", 7));
}

TEST(TimeAxisLayout, shouldEndTheFullWidthWideAxisAtTheChartsRightEdge) {
    setTradingStart("09:00");
    const auto device = layout(kFenShi, kWide, true);
    const auto& labels = device->TimeCoordinateDrawInfoArray();
    ASSERT_EQ(labels.size(), 8u);
    EXPECT_FLOAT_EQ(labels[7]->pointX, 58 + 510);
    EXPECT_FLOAT_EQ(labels[2]->pointX, 58 + 510 * 360.f / 1440);
    EXPECT_FLOAT_EQ(labels[0]->Wide, -25);
    EXPECT_EQ(labels[0]->titleFrame, Rect(33, 219, 25, 10));
    EXPECT_EQ(labels[7]->title, "09:00");
    EXPECT_EQ(labels[2]->title, "15:00");
}

TEST(FenShiValueLabels, shouldStackTheWideLeftLabelsWithTheLastRaisedClearOfTheOneAbove) {
    const auto device = layout(kFenShi, kWide, true);
    const auto& left = device->VerticalAxisMainInfoArray();
    ASSERT_EQ(left.size(), 9u);
    EXPECT_EQ(left[0]->frame, Rect(0, 0, 156, 10));
    EXPECT_FLOAT_EQ(left[5]->frame.y, 5 * 18.875f);
    EXPECT_FLOAT_EQ(left[8]->frame.y, left[7]->frame.y + 13);
    EXPECT_EQ(*left[3]->color, Color::rgb(255, 0, 0));
    EXPECT_EQ(*left[4]->color, Color::whiteColor());
    EXPECT_EQ(*left[5]->color, Color::rgb(59, 210, 53));
    EXPECT_EQ(*left[0]->font, Font::named("Arial", 11));
    const auto& right = device->VerticalAxisMainRightInfoArray();
    EXPECT_EQ(right[4]->frame, Rect(510 - 15, 4 * 18.875f, 156, 10));
}

TEST(FenShiValueLabels, shouldPlaceNormalFourInchLabelsOnItsGrid) {
    const auto device = layout(kFenShi, kNormal, true);
    const auto& left = device->VerticalAxisMainInfoArray();
    ASSERT_EQ(left.size(), 9u);
    EXPECT_FLOAT_EQ(left[8]->frame.y, 15 + 8 * 25.625f - 12);
    EXPECT_EQ(device->VerticalAxisMainRightInfoArray()[1]->frame,
              Rect(280 - 10, 15 + 25.625f, 36, 12));
}

TEST(KLineValueLabels, shouldUseTheWideAreasOriginForWidthAndPlace) {
    const auto device = layout(kKLine, kWide, false);
    const auto& main = device->VerticalAxisMainInfoArray();
    ASSERT_EQ(main.size(), 7u);
    EXPECT_EQ(main[0]->frame, Rect(0, 25, 57, 10));
    EXPECT_FLOAT_EQ(main[6]->frame.y, 25 + 6 * 24.33f - 10);
    EXPECT_EQ(*main[6]->font, Font::named("Arial", 9));
    EXPECT_EQ(main[6]->textAlignment, 2);
    const auto& indicator = device->VerticalAxisSecondaryOneInfoArray();
    ASSERT_EQ(indicator.size(), 3u);
    EXPECT_EQ(indicator[0]->frame, Rect(0, 171, 57, 10));
    EXPECT_FLOAT_EQ(indicator[1]->frame.y, 184);
    EXPECT_FLOAT_EQ(indicator[2]->frame.y, 207);
}

TEST(ChartHeaders, shouldPutTheFourInchNormalIndicatorRowsUnderTheMainArea) {
    const auto device = layout(kKLine, kNormal, true);
    const auto& header = *device->currentShowDataLayerInfo();
    EXPECT_EQ(header.SecondaryOneCurrentDataItemArray[2]->titleFrame, Rect(155, 214, 34, 14));
    EXPECT_EQ(header.SecondaryOneCurrentDataItemArray[2]->dataFrame, Rect(189, 214, 40, 14));
    EXPECT_EQ(header.SecondaryOneCurrentDataKDJItemArray[3]->titleFrame, Rect(180, 213, 16, 14));
    EXPECT_EQ(*header.SecondaryOneCurrentDataKDJItemArray[3]->titleColor, Color::rgb(200, 30, 94));
    EXPECT_EQ(*header.MainCurrentDataItemArray[3]->titleColor, Color::rgb(0, 153, 189));
    EXPECT_EQ(*header.MainCurrentDataItemArray[0]->font, Font::system(10));
}

TEST(ChartHeaders, shouldStartTheWideKDJRowAtEightyFiveOnTheSmallerScreen) {
    const auto device = layout(kKLine, kWide, false);
    const auto& kdj = device->currentShowDataLayerInfo()->SecondaryOneCurrentDataKDJItemArray;
    ASSERT_EQ(kdj.size(), 4u);
    const double titleX[] = {85, 152, 215, 278};
    const double titleWidth[] = {65, 18, 18, 18};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(kdj[i]->titleFrame, Rect(titleX[i], 221, titleWidth[i], 18)) << i;
    }
    EXPECT_EQ(kdj[1]->dataFrame, Rect(170, 221, 43, 18));
    EXPECT_EQ(kdj[0]->dataString, "  ");
    EXPECT_EQ(kdj[2]->dataString, "--");
    const auto& main = device->currentShowDataLayerInfo()->MainCurrentDataItemArray;
    EXPECT_EQ(main[5]->titleFrame, Rect(357, 4, 35, 18));
    EXPECT_EQ(*main[5]->dataColor, Color::rgb(0, 153, 189));
}

TEST(CrossHairLayout, shouldReachFromTheMainTopToTheIndicatorBottomOnTheWideKLine) {
    const auto device = layout(kKLine, kWide, false);
    const auto& cross = *device->indicatorCrossData();
    EXPECT_FALSE(cross.isTopNavigationBar);
    EXPECT_EQ(cross.frame, Rect(0, 25, 58, 108));
    EXPECT_EQ(cross.IndicatorCrossLineSet, (EdgeInsets{25, 58, 217, 480}));
    ASSERT_EQ(cross.IndicatorCrossItemArray.size(), 7u);
    EXPECT_EQ(cross.IndicatorCrossItemArray[0]->titleFrame, Rect(2, 27, 14, 18));
    EXPECT_EQ(cross.IndicatorCrossItemArray[6]->dataFrame, Rect(0, 36, 56, 10));
}
