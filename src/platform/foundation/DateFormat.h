#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Dates as seconds since 1970-01-01 UTC (a double, as the platform's dates are), written and
// read with the platform's date patterns in the device's local zone or at a fixed offset from
// GMT, plus Gregorian calendar arithmetic. Pattern letters: yyyy or yy (year), MM or M (month),
// dd or d (day), HH or H (hour 0-23), mm or m (minute), ss or s (second), S... (fraction),
// Z (+0800); text in single quotes and any other character stand for themselves. Reading is
// strict: the whole text must match; fields the pattern lacks default to 1970-01-01 00:00:00.
// A value object; any thread.
class DateFormat {
public:
    // The device's local zone, or a fixed number of seconds east of GMT.
    struct Zone {
        bool local = true;
        int offsetSeconds = 0;

        static Zone localZone() { return {}; }
        static Zone fixed(int secondsEastOfGmt) { return {false, secondsEastOfGmt}; }
        static Zone gmt() { return fixed(0); }
    };

    explicit DateFormat(std::string pattern, Zone zone = Zone::localZone());

    std::string format(double secondsSince1970) const;
    std::optional<double> parse(std::string_view text) const;

    static double now();
    // Whole milliseconds since 1970, the fraction cut off.
    static std::int64_t milliseconds(double secondsSince1970);
    static std::int64_t nowMilliseconds();
    // The zone's offset from GMT at that instant, in seconds (daylight saving included).
    static int secondsFromGmt(double secondsSince1970, Zone zone = Zone::localZone());

    // Calendar addition; a day past the end of the month becomes its last day (Jan 31 + 1
    // month is Feb 28 or 29).
    static double addingMonths(double secondsSince1970, int months, Zone zone = Zone::localZone());
    static double addingDays(double secondsSince1970, int days, Zone zone = Zone::localZone());
    // Whole calendar months / days from one instant to another, negative when `to` is earlier.
    static int monthsBetween(double from, double to, Zone zone = Zone::localZone());
    static int daysBetween(double from, double to, Zone zone = Zone::localZone());

private:
    std::string m_pattern;
    Zone m_zone;
};
