#include "trade/core/TradeClock.h"

#include <chrono>
#include <ctime>

int64_t TradeClock::nowMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string TradeClock::localTimeText(int64_t secondsSince1970) {
    const std::time_t time = static_cast<std::time_t>(secondsSince1970);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}
