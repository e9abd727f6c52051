#include "trade/common/PXTradeQueryDay.h"

#include "platform/foundation/DateFormat.h"
#include "platform/foundation/Text.h"
#include "trade/common/PXTradeFormat.h"

namespace {
constexpr int kExchangeSecondsEastOfGmt = 8 * 3600;

const DateFormat& dayFormat() {
    static const DateFormat format("yyyy-MM-dd", DateFormat::Zone::gmt());
    return format;
}
}  // namespace

double PXTradeQueryDay::dayAt(double instant) {
    return instant + kExchangeSecondsEastOfGmt;
}

double PXTradeQueryDay::today() {
    return dayAt(DateFormat::now());
}

std::string PXTradeQueryDay::dayText(double day) {
    return dayFormat().format(day);
}

std::string PXTradeQueryDay::replyDayText(const std::string& milliseconds) {
    const long long value = Text::longLongValue(milliseconds);
    if (value <= 0) {
        return "";
    }
    return dayText(dayAt(static_cast<double>(value) / 1000.0));
}

std::string PXTradeQueryDay::replyTimeText(const std::string& milliseconds, const char* pattern) {
    const long long value = Text::longLongValue(milliseconds);
    if (value <= 0) {
        return PXTradeFormat::kMissing;
    }
    return DateFormat(pattern, DateFormat::Zone::fixed(kExchangeSecondsEastOfGmt))
        .format(static_cast<double>(value) / 1000.0);
}

std::string PXTradeQueryDay::requestTime(const std::string& dayText) {
    const auto day = dayFormat().parse(dayText);
    if (!day) {
        return "0";
    }
    return std::to_string(static_cast<long long>(*day) * 1000);
}

std::optional<std::string> PXTradeQueryDay::checkRange(double start, double end) {
    // Compared by the shown dates, so the times of day of the two instants never matter.
    const double startDay = *dayFormat().parse(dayText(start));
    const double endDay = *dayFormat().parse(dayText(end));
    if (startDay > endDay) {
        return "开始日期不能在结束日期之后";
    }
    const auto gmt = DateFormat::Zone::gmt();
    const int months = DateFormat::monthsBetween(startDay, endDay, gmt);
    const int daysPastMonth =
        DateFormat::daysBetween(DateFormat::addingMonths(startDay, 1, gmt), endDay, gmt);
    if (months >= 2 || (months == 1 && daysPastMonth >= 1)) {
        return "查询日期间隔不能超过一个月";
    }
    return std::nullopt;
}
