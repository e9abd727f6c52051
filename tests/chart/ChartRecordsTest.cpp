#include <gtest/gtest.h>

#include "ChartTestSupport.h"
#include "chart/ChartLayoutRecords.h"
#include "chart/ChartStateRecords.h"

using namespace charttest;

TEST(ChartRecords, shouldStartEmpty) {
    const FenShiDataItem minute;
    EXPECT_EQ(minute.price, 0);
    EXPECT_EQ(minute.fenShiTime, "");
    const KLineDrawDataItem candle;
    EXPECT_FALSE(candle.klineData);
    EXPECT_FALSE(candle.PMA5Point);
    EXPECT_EQ(candle.openPiont, Point());
    const TimeCoordinateDrawInfo tick;
    EXPECT_FALSE(tick.titleFont);
    EXPECT_EQ(tick.titleFrame, Rect());
    const CurrentDataItem entry;
    EXPECT_FALSE(entry.dataColor);
    const StatusSaveClass status;
    EXPECT_FALSE(status.FenShiButtonSelected);
    EXPECT_FALSE(status.iphoneKLineZhiBiaoMACDButtonSelected);
    const HQPoint point;
    EXPECT_EQ(point.Value, 0);
    EXPECT_EQ(point.bottomY, 0);
}

TEST(ChartRecords, shouldReadBackADrawRectMadeFromARect) {
    const auto area = DrawRect::drawRectWithCGRect(Rect(10, 20, 300, 150));
    EXPECT_EQ(area->x, 10);
    EXPECT_EQ(area->y, 20);
    EXPECT_EQ(area->width, 300);
    EXPECT_EQ(area->height, 150);
}

TEST(ChartRecords, shouldSpaceGridLinesByTheInterval) {
    CoordinateSystemInfo grid;
    grid.dottedLineNumber = 5;
    grid.firstDottedLineY = 10;
    grid.dottedLineInterval = 30;
    EXPECT_EQ(grid.lineY(0), 10);
    EXPECT_EQ(grid.lineY(2), 70);
    EXPECT_EQ(grid.lineY(4), 130);
}

TEST(ChartRecords, shouldStartANewPeriodAtGradeOneWithNoBars) {
    const PeriodStatusInfo period;
    EXPECT_EQ(period.grade, 1u);
    EXPECT_EQ(period.offset, 0);
    EXPECT_TRUE(period.KLineDataArray.empty());
    EXPECT_FALSE(period.KLineRequesting);
}

TEST(ChartRecords, shouldGiveANewBottomBarTwoSeparateEmptyArrays) {
    BottomRectInfo bar;
    EXPECT_TRUE(bar.periodButtonArray.empty());
    EXPECT_TRUE(bar.quotaButtonArray.empty());
    bar.periodButtonArray.push_back(std::make_shared<ButtonInfo>());
    EXPECT_TRUE(bar.quotaButtonArray.empty());
    EXPECT_EQ(bar.periodScrollFrame, Rect());
}

TEST(ButtonInfo, shouldCopyWhatAButtonIsMadeFromButKeepItsTitleImage) {
    ButtonInfo source;
    source.frame = Rect(1, 2, 3, 4);
    source.title = "日线";
    source.titleImage = "other.png";
    source.selectState = true;
    source.tag = 10003;
    source.font = Font::system(15);
    source.titleNormalColor = Color::rgb(102, 102, 102);
    ButtonInfo target;
    target.titleImage = "mine.png";
    target.setButtonInfo(&source);
    EXPECT_EQ(target.frame, source.frame);
    EXPECT_EQ(target.title, "日线");
    EXPECT_TRUE(target.selectState);
    EXPECT_EQ(target.tag, 10003);
    EXPECT_EQ(target.font, source.font);
    EXPECT_EQ(target.titleNormalColor, source.titleNormalColor);
    EXPECT_EQ(target.titleImage, "mine.png");
    target.setButtonInfo(nullptr);
    EXPECT_EQ(target.frame, Rect());
    EXPECT_EQ(target.title, "");
    EXPECT_FALSE(target.selectState);
    EXPECT_EQ(target.tag, 0);
    EXPECT_FALSE(target.font);
    EXPECT_EQ(target.titleImage, "mine.png");
}

TEST(HQFSDrawPram, shouldLeaveRoomForTheSidePanelOnlyForDrawTypesTwoFourAndFive) {
    for (uint32_t type : {2u, 4u, 5u}) {
        const HQFSDrawPram pram(type);
        EXPECT_EQ(pram.drawRectNormalIP4, Rect(0, 15, 200, 165)) << type;
        EXPECT_EQ(pram.drawRectWideIP5, Rect(0, 0, 440, 222));
        EXPECT_EQ(pram.originalPointNormalIP5, (Point{0, 284}));
        EXPECT_EQ(pram.TimeTitleLast, 200);
        EXPECT_EQ(pram.TimeTitleWidthNormal, 0);
        EXPECT_EQ(pram.TimeTitleSize, Size(15, 8));
        EXPECT_EQ(*pram.TimeTitleFont, Font::named("Arial", 5));
    }
    for (uint32_t type : {0u, 1u, 3u, 6u, 7u, 100u}) {
        const HQFSDrawPram pram(type);
        EXPECT_EQ(pram.drawRectNormalIP4, Rect(38, 15, 280, 209)) << type;
        EXPECT_EQ(pram.drawRectNormalIP5, Rect(38, 15, 280, 297));
        EXPECT_EQ(pram.drawRectWideIP4, Rect(58, 0, 422, 272));
        EXPECT_EQ(pram.originalPointWideIP4, (Point{58, 216}));
        EXPECT_EQ(pram.TimeTitleLast, 320);
        EXPECT_EQ(pram.TimeTitleWidthNormal, -25);
        EXPECT_EQ(pram.TimeTitleSize, Size(25, 10));
    }
}

TEST(HQFSDrawPram, shouldGiveBothVariantsTheSameDrawingViewFrames) {
    const HQFSDrawPram full(0);
    const HQFSDrawPram side(4);
    EXPECT_EQ(full.dottedLineIntervalNormalIP4, Rect(0, 33, 320, 224));
    EXPECT_EQ(full.dottedLineIntervalNormalIP5, Rect(0, 33, 320, 312));
    EXPECT_EQ(full.dottedLineIntervalWideIP4, Rect(0, 77, 480, 243));
    EXPECT_EQ(full.dottedLineIntervalWideIP5, Rect(0, 77, 568, 243));
    EXPECT_EQ(side.dottedLineIntervalWideIP5, full.dottedLineIntervalWideIP5);
    EXPECT_EQ(side.TimeTitleWidthWide, 3);
    EXPECT_EQ(full.TimeTitleWidthWide, 3);
}
