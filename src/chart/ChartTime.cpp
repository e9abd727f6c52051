#include "chart/ChartTime.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

#include "quote/VKJYHangQingDataClass.h"

namespace charttime {

namespace {

std::optional<int> twoDigits(const std::string& text, size_t at) {
    if (at + 2 > text.size() || !std::isdigit(static_cast<unsigned char>(text[at])) ||
        !std::isdigit(static_cast<unsigned char>(text[at + 1]))) {
        return std::nullopt;
    }
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

std::optional<int> minutesOfDay(const std::string& text, bool withColon) {
    const size_t length = withColon ? 5 : 4;
    if (text.size() != length || (withColon && text[2] != ':')) {
        return std::nullopt;
    }
    const auto hours = twoDigits(text, 0);
    const auto minutes = twoDigits(text, withColon ? 3 : 2);
    if (!hours || !minutes || *hours > 23 || *minutes > 59) {
        return std::nullopt;
    }
    return *hours * 60 + *minutes;
}

int minutesSinceStart(const std::string& minuteText, int start) {
    constexpr size_t kLength = 4;
    std::string text = minuteText;
    if (!text.empty() && text.size() < kLength) {
        text.insert(0, kLength - text.size(), '0');
    }
    const std::optional<int> minute = minutesOfDay(text, false);
    if (!minute) {
        return 0;
    }
    int16_t m = static_cast<int16_t>(*minute - start);
    if (m > kMinutesPerDay) {
        m -= kMinutesPerDay;
    }
    if (m < 0) {
        m += kMinutesPerDay;
    }
    return m;
}

std::string hourMinuteText(int minutes) {
    const int wrapped = ((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", wrapped / 60, wrapped % 60);
    return text;
}

std::optional<int> tradingStartMinutes() {
    const auto quote = VKJYHangQingDataClass::current();
    return quote ? minutesOfDay(quote->startTime(), true) : std::nullopt;
}

std::optional<int> tradingStartMinutesOf(const commodityInfo& commodity) {
    const auto quote = VKJYHangQingDataClass::current();
    return quote ? minutesOfDay(quote->startTimeOf(commodity), true) : std::nullopt;
}

DateFormat::Zone exchangeZone() {
    const auto quote = VKJYHangQingDataClass::current();
    const auto minutes = quote ? quote->exchangeUtcOffsetMinutes() : std::nullopt;
    return minutes ? DateFormat::Zone::fixed(*minutes * 60) : DateFormat::Zone::localZone();
}

}  // namespace charttime
