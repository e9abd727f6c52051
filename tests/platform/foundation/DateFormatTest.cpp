#include <gtest/gtest.h>

#include <cmath>

#include "platform/foundation/DateFormat.h"
#include "support/ScopedEnvironment.h"

namespace {

const DateFormat::Zone kBeijing = DateFormat::Zone::fixed(8 * 3600);
// 2023-11-14 22:13:20.123 UTC, which is 2023-11-15 06:13:20.123 at UTC+8.
constexpr double kInstant = 1700000000.123;

double at(const char* pattern, const char* text, DateFormat::Zone zone = kBeijing) {
    return DateFormat(pattern, zone).parse(text).value_or(NAN);
}

}  // namespace

TEST(DateFormat, shouldWriteThePatternsTheScreensUse) {
    struct Row {
        const char* pattern;
        const char* text;
    };
    const Row rows[] = {
        {"yyyy-MM-dd", "2023-11-15"},
        {"yyyy-MM-dd HH:mm:ss", "2023-11-15 06:13:20"},
        {"HH:mm", "06:13"},
        {"HH:mm:ss", "06:13:20"},
        {"HH:mm:ss.SSS", "06:13:20.123"},
        {"HHmm", "0613"},
        {"yy/MM/dd", "23/11/15"},
        {"yy/MM/dd/ HH:mm", "23/11/15/ 06:13"},
        {"yyyyMMdd", "20231115"},
        {"yyyyMMddHHmm", "202311150613"},
        {"MM-dd HH:mm", "11-15 06:13"},
        {"yyyy-MM-dd HH:mm:ss Z", "2023-11-15 06:13:20 +0800"},
        {"d/M 'at' H", "15/11 at 6"},
        {"''yy''", "'23'"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DateFormat(row.pattern, kBeijing).format(kInstant), row.text) << row.pattern;
    }
    EXPECT_EQ(DateFormat("yyyy-MM-dd HH:mm:ss", DateFormat::Zone::gmt()).format(kInstant),
              "2023-11-14 22:13:20");
    EXPECT_EQ(DateFormat("yyyy-MM-dd HH:mm", DateFormat::Zone::fixed(-(3 * 3600 + 1800)))
                  .format(kInstant),
              "2023-11-14 18:43");
}

TEST(DateFormat, shouldReadBackWhatItWrites) {
    const char* patterns[] = {"yyyy-MM-dd HH:mm:ss", "yyyyMMddHHmm", "yy/MM/dd/ HH:mm",
                              "HH:mm:ss.SSS", "yyyy-MM-dd HH:mm:ss Z"};
    for (double instant : {kInstant, 0.0, 951782400.5, 4102444799.0}) {
        for (const char* pattern : patterns) {
            DateFormat format(pattern, kBeijing);
            std::optional<double> back = format.parse(format.format(instant));
            ASSERT_TRUE(back) << pattern;
            EXPECT_EQ(format.format(*back), format.format(instant)) << pattern;
        }
    }
    DateFormat full("yyyy-MM-dd HH:mm:ss.SSS", kBeijing);
    EXPECT_DOUBLE_EQ(*full.parse(full.format(kInstant)), kInstant);
}

TEST(DateFormat, shouldReadDaysAtAFixedOffsetAndDefaultMissingFields) {
    // Midnight at UTC+8 is 16:00 of the day before in UTC.
    EXPECT_EQ(at("yyyy-MM-dd", "2024-03-01"), 1709251200.0 - 28800);
    EXPECT_EQ(at("yyyyMMdd", "20240301"), 1709251200.0 - 28800);
    EXPECT_EQ(at("HHmm", "0930", DateFormat::Zone::gmt()), 9 * 3600 + 30 * 60);
    // Fixed width: "930" reads as hour 93, which is refused; callers pad to four digits first.
    EXPECT_TRUE(std::isnan(at("HHmm", "930", DateFormat::Zone::gmt())));
    EXPECT_EQ(at("HH:mm", "9:05", DateFormat::Zone::gmt()), 9 * 3600 + 5 * 60);
    EXPECT_EQ(at("yyyy-MM-dd HH:mm:ss Z", "2024-03-01 08:00:00 +0800", DateFormat::Zone::gmt()),
              1709251200.0);
    EXPECT_EQ(at("yy/MM/dd", "24/03/01", DateFormat::Zone::gmt()), 1709251200.0);
}

TEST(DateFormat, shouldRefuseTextThatDoesNotMatch) {
    const std::pair<const char*, const char*> rows[] = {
        {"yyyy-MM-dd", ""},
        {"yyyy-MM-dd", "abc"},
        {"yyyy-MM-dd", "2023-13-01"},
        {"yyyy-MM-dd", "2023-02-29"},
        {"yyyy-MM-dd", "2023-11-15x"},
        {"yyyy-MM-dd", "2023/11/15"},
        {"HH:mm", "24:00"},
        {"HH:mm", "12:60"},
        {"yyyyMMdd", "202311"},
        {"yyyy-MM-dd HH:mm:ss Z", "2023-11-15 06:13:20 0800"},
    };
    for (const auto& [pattern, text] : rows) {
        EXPECT_FALSE(DateFormat(pattern, kBeijing).parse(text)) << pattern << " " << text;
    }
    EXPECT_TRUE(DateFormat("yyyy-MM-dd", kBeijing).parse("2024-02-29"));
}

TEST(DateFormat, shouldUseTheDevicesLocalZone) {
    ScopedEnvironment zone("TZ", "CST-8");
    EXPECT_EQ(DateFormat("yyyy-MM-dd HH:mm").format(0), "1970-01-01 08:00");
    EXPECT_EQ(DateFormat::secondsFromGmt(kInstant), 28800);
    EXPECT_EQ(DateFormat("yyyy-MM-dd").parse("2024-03-01"), 1709251200.0 - 28800);
    ScopedEnvironment west("TZ", "XYZ3:30");
    EXPECT_EQ(DateFormat("HH:mm").format(0), "20:30");
    EXPECT_EQ(DateFormat::secondsFromGmt(0), -12600);
    EXPECT_EQ(DateFormat::secondsFromGmt(0, kBeijing), 28800);
}

TEST(DateFormat, shouldCountWholeCalendarMonths) {
    DateFormat::Zone zone = DateFormat::Zone::gmt();
    auto day = [&](const char* text) { return at("yyyy-MM-dd", text, zone); };
    struct Row {
        const char* from;
        const char* to;
        int months;
    };
    const Row rows[] = {
        {"2024-01-15", "2024-02-14", 0},  {"2024-01-15", "2024-02-15", 1},
        {"2024-01-31", "2024-02-29", 1},  {"2023-01-31", "2023-02-27", 0},
        {"2024-01-15", "2024-01-15", 0},  {"2023-11-20", "2024-03-21", 4},
        {"2024-03-15", "2024-01-15", -2}, {"2024-03-15", "2024-01-16", -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DateFormat::monthsBetween(day(row.from), day(row.to), zone), row.months)
            << row.from << " " << row.to;
    }
    EXPECT_EQ(
        DateFormat("yyyy-MM-dd", zone).format(DateFormat::addingMonths(day("2024-01-31"), 1, zone)),
        "2024-02-29");
    EXPECT_EQ(
        DateFormat("yyyy-MM-dd", zone).format(DateFormat::addingMonths(day("2024-12-31"), 2, zone)),
        "2025-02-28");
    EXPECT_EQ(
        DateFormat("yyyy-MM-dd", zone).format(DateFormat::addingDays(day("2024-03-01"), -1, zone)),
        "2024-02-29");
}

TEST(DateFormat, shouldCountWholeDaysAcrossDaylightSaving) {
    ScopedEnvironment zone("TZ", "EST5EDT,M3.2.0,M11.1.0");
    DateFormat format("yyyy-MM-dd HH:mm");
    double before = *format.parse("2024-03-09 12:00");
    double after = *format.parse("2024-03-10 12:00");
    EXPECT_EQ(after - before, 23 * 3600);
    EXPECT_EQ(DateFormat::daysBetween(before, after), 1);
    EXPECT_EQ(DateFormat::daysBetween(after, before), -1);
    EXPECT_EQ(DateFormat::daysBetween(before, after - 60), 0);
    EXPECT_EQ(DateFormat::daysBetween(before, *format.parse("2024-04-09 11:59")), 30);
    EXPECT_EQ(format.format(DateFormat::addingDays(before, 1)), "2024-03-10 12:00");
}

TEST(DateFormat, shouldGiveMillisecondsSince1970) {
    EXPECT_EQ(DateFormat::milliseconds(1.9991), 1999);
    EXPECT_EQ(DateFormat::milliseconds(kInstant), 1700000000123LL);
    std::int64_t before = DateFormat::nowMilliseconds();
    double now = DateFormat::now();
    std::int64_t after = DateFormat::nowMilliseconds();
    EXPECT_LE(before, DateFormat::milliseconds(now) + 1);
    EXPECT_GE(after + 1, DateFormat::milliseconds(now));
    EXPECT_GT(before, 1700000000000LL);
}
