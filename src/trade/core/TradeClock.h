#pragma once
// The trading side's clock: the current time in whole milliseconds since 1970 (logon time,
// request ids) and local-time texts "yyyy-MM-dd HH:mm:ss" of a time in seconds. Any thread.

#include <cstdint>
#include <string>

class TradeClock {
public:
    static int64_t nowMilliseconds();
    static std::string localTimeText(int64_t secondsSince1970);
};
