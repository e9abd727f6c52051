#pragma once

// The days of the trading screens, which are days of the exchange's zone (UTC+8) wherever the
// device is. A chosen day is held as the exchange's wall-clock time written as a GMT instant,
// so its date read in GMT is the exchange's date; it is shown as "yyyy-MM-dd" and sent as the
// milliseconds of 00:00 UTC of that date, which the server reads as that day of its zone: every
// day the client sends (reports, funds history, announcements) is sent so. A range may span at
// most one calendar month.
// Class operations; any thread.

#include <optional>
#include <string>

class PXTradeQueryDay {
public:
    // The exchange's date at an instant, held as a chosen day is.
    static double dayAt(double instant);
    // The exchange's date now: the latest day a screen may ask for.
    static double today();
    // "yyyy-MM-dd" of a day.
    static std::string dayText(double day);
    // A date-only reply value (milliseconds since 1970 of a moment of that exchange day, its
    // midnight as a clearing day is sent) as "yyyy-MM-dd"; empty for a missing or non-positive one.
    static std::string replyDayText(const std::string& milliseconds);
    // A record's time (milliseconds since 1970, in decimal) as the exchange's clock read it,
    // "yyyy-MM-dd HH:mm:ss" (or the given pattern); "--" for a missing or non-positive one. The
    // records of a screen that asks for exchange days are written so: the days and the times
    // then read alike wherever the device is.
    static std::string replyTimeText(const std::string& milliseconds,
                                     const char* pattern = "yyyy-MM-dd HH:mm:ss");
    // The request time of a day text: 00:00 UTC of that date in milliseconds, in decimal; "0"
    // for a text that is no date.
    static std::string requestTime(const std::string& dayText);
    // Nothing when the range from start to end may be asked for, else the message to show.
    static std::optional<std::string> checkRange(double start, double end);
};
