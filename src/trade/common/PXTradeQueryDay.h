#pragma once

// The days of the trading query screens. A chosen day is held as the device's wall-clock time
// written as a GMT instant, so its date read in GMT is the local date; it is shown as
// "yyyy-MM-dd" and sent as the milliseconds of 00:00 UTC of that date, which the server reads
// as that day of the exchange's zone (UTC+8) wherever the device is: every day the client sends
// (reports, funds history, announcements) is sent so. A range may span at most one calendar
// month.
// Class operations; any thread.

#include <optional>
#include <string>

class PXTradeQueryDay {
public:
    // Now, as the local wall-clock time written as a GMT instant.
    static double today();
    // "yyyy-MM-dd" of a day.
    static std::string dayText(double day);
    // The request time of a day text: 00:00 UTC of that date in milliseconds, in decimal; "0"
    // for a text that is no date.
    static std::string requestTime(const std::string& dayText);
    // Nothing when the range from start to end may be asked for, else the message to show.
    static std::optional<std::string> checkRange(double start, double end);
};
