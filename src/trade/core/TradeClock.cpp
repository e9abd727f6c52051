#include "trade/core/TradeClock.h"

#include <chrono>

#include "platform/foundation/DateFormat.h"

int64_t TradeClock::nowMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string TradeClock::localTimeText(int64_t secondsSince1970) {
    return DateFormat::localString(static_cast<double>(secondsSince1970), "yyyy-MM-dd HH:mm:ss");
}
