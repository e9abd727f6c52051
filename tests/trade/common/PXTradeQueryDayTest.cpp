#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/foundation/DateFormat.h"
#include "support/ScopedEnvironment.h"
#include "trade/common/PXTradeQueryDay.h"

namespace {
double day(const std::string& text) {
    return *DateFormat("yyyy-MM-dd HH:mm", DateFormat::Zone::gmt()).parse(text);
}

struct RangeCase {
    const char* start;
    const char* end;
    std::optional<std::string> message;
};
}  // namespace

TEST(PXTradeQueryDayTest, shouldAcceptUpToOneCalendarMonthAndRefuseReversedRanges) {
    const std::string tooLong = "查询日期间隔不能超过一个月";
    const std::string reversed = "开始日期不能在结束日期之后";
    const RangeCase cases[] = {
        {"2014-01-15 00:00", "2014-01-15 00:00", std::nullopt},
        {"2014-01-15 00:00", "2014-02-15 00:00", std::nullopt},
        {"2014-01-15 00:00", "2014-02-16 00:00", tooLong},
        {"2014-01-31 00:00", "2014-02-28 00:00", std::nullopt},
        {"2014-01-31 00:00", "2014-03-01 00:00", tooLong},
        {"2014-01-15 00:00", "2014-04-01 00:00", tooLong},
        {"2014-01-16 00:00", "2014-01-15 00:00", reversed},
        // Times of day never count, only the dates shown.
        {"2014-01-15 23:59", "2014-01-15 00:01", std::nullopt},
        {"2014-01-15 23:00", "2014-02-15 01:00", std::nullopt},
    };
    for (const RangeCase& c : cases) {
        EXPECT_EQ(PXTradeQueryDay::checkRange(day(c.start), day(c.end)), c.message)
            << c.start << " .. " << c.end;
    }
}

TEST(PXTradeQueryDayTest, shouldSendADayAsTheMillisecondsOfItsMidnightUtc) {
    EXPECT_EQ(PXTradeQueryDay::requestTime("2014-05-06"), "1399334400000");
    EXPECT_EQ(PXTradeQueryDay::requestTime("1970-01-01"), "0");
    EXPECT_EQ(PXTradeQueryDay::requestTime("not a day"), "0");
}

TEST(PXTradeQueryDayTest, shouldShowTheDateOfTheWallClockInstant) {
    EXPECT_EQ(PXTradeQueryDay::dayText(day("2014-05-06 23:59")), "2014-05-06");
    EXPECT_EQ(PXTradeQueryDay::dayText(day("2014-05-07 00:00")), "2014-05-07");
}

// The exchange's date, wherever the device is: its night session runs past the device's
// midnight to the west, and the exchange's new day starts before the device's to the east.
TEST(PXTradeQueryDayTest, shouldTakeDaysOnTheExchangesCalendarInEveryZone) {
    const double evening = day("2026-12-04 18:00");  // 02:00 on the 5th at UTC+8
    const double morning = day("2026-12-04 15:30");  // 23:30 on the 4th at UTC+8
    for (const char* zone : {"<+08>-8", "<+00>0", "<+09>-9", "<-05>5"}) {
        ScopedEnvironment tz("TZ", zone);
        EXPECT_EQ(PXTradeQueryDay::dayText(PXTradeQueryDay::dayAt(evening)), "2026-12-05") << zone;
        EXPECT_EQ(PXTradeQueryDay::dayText(PXTradeQueryDay::dayAt(morning)), "2026-12-04") << zone;
        EXPECT_EQ(
            PXTradeQueryDay::dayText(PXTradeQueryDay::today()),
            DateFormat("yyyy-MM-dd", DateFormat::Zone::fixed(8 * 3600)).format(DateFormat::now()))
            << zone;
        // A clearing day comes as the exchange's midnight: 2026-12-04 00:00 at UTC+8.
        EXPECT_EQ(PXTradeQueryDay::replyDayText("1796313600000"), "2026-12-04") << zone;
        EXPECT_EQ(PXTradeQueryDay::replyDayText(""), "") << zone;
        EXPECT_EQ(PXTradeQueryDay::replyDayText("0"), "") << zone;
    }
}

TEST(PXTradeQueryDayTest, shouldSendADayAsItsMidnightUtcInEveryZone) {
    struct Case {
        const char* zone;
        const char* day;
        const char* sent;
    };
    const Case cases[] = {
        {"<+08>-8", "2026-12-04", "1796342400000"},
        {"<+00>0", "2026-12-04", "1796342400000"},
        {"<+09>-9", "2026-12-04", "1796342400000"},
        {"<-05>5", "2026-12-04", "1796342400000"},
        // Past 2038: seconds that no longer fit 32 bits.
        {"<+09>-9", "2040-01-15", "2210198400000"},
        {"<-05>5", "2040-01-15", "2210198400000"},
        {"<+09>-9", "not a day", "0"},
    };
    for (const Case& c : cases) {
        ScopedEnvironment zone("TZ", c.zone);
        EXPECT_EQ(PXTradeQueryDay::requestTime(c.day), c.sent) << c.zone << " " << c.day;
    }
}
