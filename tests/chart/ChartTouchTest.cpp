#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

constexpr double kAreaX = 34.9;
constexpr double kAreaWidth = 288;

std::vector<int> minutesFrom(int first, int count) {
    std::vector<int> minutes;
    for (int i = 0; i < count; ++i) {
        minutes.push_back(first + i);
    }
    return minutes;
}

// Where the chart puts the records of these minutes after the start of trading.
std::vector<double> pointsAt(const std::vector<int>& minutes, double areaX = kAreaX,
                             double areaWidth = kAreaWidth) {
    std::vector<double> xs;
    for (int m : minutes) {
        xs.push_back(static_cast<float>(areaX + areaWidth * m / 1440));
    }
    return xs;
}

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
    const auto day = pointsAt(minutesFrom(125, 200));
    EXPECT_EQ(charttouch::fenShiRecordAt(kAreaX + 25 + 10, day, kAreaX, kAreaWidth), 50);
    EXPECT_EQ(charttouch::fenShiRecordAt(20, day, kAreaX, kAreaWidth), 0);
    EXPECT_EQ(charttouch::fenShiRecordAt(kAreaX + 280, day, kAreaX, kAreaWidth), 199);
    EXPECT_EQ(charttouch::fenShiRecordAt(100, day, 34, 0), 0);
    EXPECT_EQ(charttouch::fenShiRecordAt(100, {}, kAreaX, kAreaWidth), 0);
    // A first record without a point: minutes count from the first that has one.
    auto unplaced = day;
    unplaced.front() = std::nan("");
    EXPECT_EQ(charttouch::fenShiRecordAt(kAreaX + 25 + 10, unplaced, kAreaX, kAreaWidth), 50);
    // The phone's area: the float point of 09:30 lies a hair left of its minute.
    const auto late = pointsAt(minutesFrom(30, 200), 38, 280);
    const double over80 = 38 + 280 * 80.25 / 1440;
    EXPECT_EQ(charttouch::fenShiRecordAt(over80, late, 38, 280), 50);
}

TEST(ChartTouch, shouldFindTheMinuteUnderTheFingerByItsTimeAcrossAMiddayBreak) {
    // From 09:00: 09:00-11:30 and 13:30-15:00, minutes 0-150 and 270-360 of the chart.
    auto minutes = minutesFrom(0, 151);
    const auto afternoon = minutesFrom(270, 91);
    minutes.insert(minutes.end(), afternoon.begin(), afternoon.end());
    const auto day = pointsAt(minutes);
    const struct {
        int over;
        int record;
    } cases[] = {
        {60, 60},    // 10:00, before the break
        {180, 150},  // 12:00: 11:30 is nearest
        {210, 150},  // 12:30, as near to both: the earlier
        {240, 151},  // 13:00: 13:30 is nearest
        {300, 181},  // 14:00, after the break
        {390, 241},  // past 15:00: the last
        {-60, 0},    // before 09:00: the first
    };
    for (const auto& c : cases) {
        const double x = kAreaX + kAreaWidth * (c.over + 0.25) / 1440;
        EXPECT_EQ(charttouch::fenShiRecordAt(x, day, kAreaX, kAreaWidth), c.record) << c.over;
    }
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
