#include <gtest/gtest.h>

#include "chart/ChartTouch.h"

using charttouch::Refresh;

namespace {

struct TapCase {
    int taps;
    double seconds;
    int movedX;
    bool tap;
};

struct ScrollCase {
    const char* what;
    int offset;
    int startX;
    int x;
    int bars;
    int perScreen;
    int expectedOffset;
    bool stepped;
    Refresh refresh;
};

}  // namespace

TEST(ChartTouch, shouldCountOnlyShortStillSingleTouchesAsTaps) {
    const TapCase cases[] = {
        {1, 0.3, 5, true},  {1, 0.3, -5, true},  {1, 0.31, 0, false},
        {1, 0.1, 6, false}, {1, 0.1, -6, false}, {2, 0.1, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(charttouch::isTap(c.taps, c.seconds, c.movedX), c.tap)
            << c.taps << " " << c.seconds << " " << c.movedX;
    }
}

TEST(ChartTouch, shouldFindTheBarAndMinuteUnderTheFinger) {
    EXPECT_EQ(charttouch::klineColumnAt(59 + 6 * 10 + 5, 59, 6), 10);
    EXPECT_EQ(charttouch::klineColumnAt(55, 59, 6), 0);   // a part column rounds to zero
    EXPECT_EQ(charttouch::klineColumnAt(40, 59, 6), -3);  // left of the first bar
    EXPECT_EQ(charttouch::clampIndex(-3, 84), 0);
    EXPECT_EQ(charttouch::clampIndex(90, 84), 83);
    EXPECT_EQ(charttouch::clampIndex(5, 0), 0);
    // 288 points for a day: five minutes a point; the data starts 25 points in (minute 125).
    EXPECT_EQ(charttouch::fenShiMinuteAt(34.9 + 25 + 10, 34.9 + 25, 34.9, 288), 50);
    EXPECT_EQ(charttouch::fenShiMinuteAt(20, 59.9, 34.9, 288), -199);
    EXPECT_EQ(charttouch::fenShiMinuteAt(100, 50, 34, 0), 0);
}

TEST(ChartTouch, shouldKeepEdgesOfThePlottingAreaInside) {
    EXPECT_TRUE(charttouch::isInside(10, 20, 10, 20, 100, 200));
    EXPECT_TRUE(charttouch::isInside(100, 200, 10, 20, 100, 200));
    EXPECT_FALSE(charttouch::isInside(100, 200.5, 10, 20, 100, 200));
    EXPECT_FALSE(charttouch::isInside(9.5, 30, 10, 20, 100, 200));
}

TEST(ChartTouch, shouldScrollByWholeColumnsWithinTheBars) {
    const ScrollCase cases[] = {
        {"right by 5 columns, lowered to 100 - 47", 50, 100, 150, 100, 47, 53, true, Refresh::Stop},
        {"right again at the oldest bar", 53, 100, 150, 100, 47, 53, false, Refresh::Keep},
        {"left by 3 columns from 2", 2, 100, 70, 100, 47, 0, true, Refresh::Resume},
        {"left at the newest bar", 0, 100, 70, 100, 47, 0, true, Refresh::Keep},
        {"one column is not enough", 10, 100, 110, 100, 47, 10, false, Refresh::Keep},
        {"just over one column", 10, 100, 111, 100, 47, 11, true, Refresh::Stop},
        {"left but still scrolled back", 10, 100, 75, 100, 47, 8, true, Refresh::Keep},
        {"fewer bars than a screen", 0, 100, 200, 30, 47, 0, false, Refresh::Keep},
    };
    for (const auto& c : cases) {
        const auto step = charttouch::scrollKLine(c.offset, c.startX, c.x, 10, c.bars, c.perScreen);
        EXPECT_EQ(step.offset, c.expectedOffset) << c.what;
        EXPECT_EQ(step.stepped, c.stepped) << c.what;
        EXPECT_EQ(step.refresh, c.refresh) << c.what;
    }
}
