#pragma once

#include <optional>
#include <string>

#include "platform/foundation/DateFormat.h"

struct commodityInfo;

// Times of day as the charts write them: "HH:mm" for the start of trading and
// the time axis, "HHmm" for a minute of the time-sharing series. Every one is a time of the
// exchange's zone, wherever the device is.
namespace charttime {

constexpr int kMinutesPerDay = 1440;

// Minutes after midnight of "HH:mm" (withColon) or "HHmm"; empty when the text
// is not a time of day.
std::optional<int> minutesOfDay(const std::string& text, bool withColon);
// Minutes from the start of trading (minutes after midnight) to the minute "HHmm" (leading
// zeros may be missing), wrapped so that trading hours crossing midnight keep counting. A
// minute that does not read counts as the start.
int minutesSinceStart(const std::string& minuteText, int start);
// "HH:mm" of a minute count, wrapped into one day.
std::string hourMinuteText(int minutes);
// Minutes after the exchange's midnight of the start of trading (the shared quote state's
// startTime); empty while it is not known.
std::optional<int> tradingStartMinutes();
// The same for the commodity's own panel, which need not be the panel shown.
std::optional<int> tradingStartMinutesOf(const commodityInfo& commodity);
// The zone bar dates are shown in: the exchange's, or the device's until a quote server has
// told the exchange's (a K-line reply does not carry it).
DateFormat::Zone exchangeZone();

}  // namespace charttime
