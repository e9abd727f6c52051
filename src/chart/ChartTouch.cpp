#include "chart/ChartTouch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace charttouch {

namespace {
constexpr double kTapSeconds = 0.3;
// Time stamps are sums of doubles: 1.8 - 1.5 is a hair above 0.3.
constexpr double kTimeSlack = 1e-9;
constexpr int kTapSlop = 6;
constexpr double kMinutesOfDay = 1440;
constexpr double kMinuteSlack = 1e-3;

int truncated(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(std::trunc(value), -1e9, 1e9));
}

// Points are stored as floats, a hair either side of their minute: a count that close to a whole
// minute is that minute, or a point just short of it would count the minute before.
int wholeMinutes(double minutes) {
    const double nearest = std::round(minutes);
    return truncated(std::fabs(minutes - nearest) < kMinuteSlack ? nearest : minutes);
}
}  // namespace

bool isTap(int tapCount, double seconds, int movedX) {
    return tapCount == 1 && seconds <= kTapSeconds + kTimeSlack && std::abs(movedX) < kTapSlop;
}

bool isInside(double x, double y, double left, double top, double right, double bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

int klineColumnAt(double x, double firstPointX, double columnInterval) {
    if (columnInterval <= 0) {
        return 0;
    }
    return truncated((x - firstPointX) / columnInterval);
}

int fenShiRecordAt(double x, const std::vector<double>& pointXs, double areaX, double areaWidth) {
    if (pointXs.empty() || areaWidth <= 0) {
        return 0;
    }
    const auto firstFinite =
        std::find_if(pointXs.begin(), pointXs.end(), [](double at) { return std::isfinite(at); });
    if (firstFinite == pointXs.end()) {
        return 0;
    }
    const double left = truncated(areaX);
    const auto minutes = [&](double at) { return (at - left) / areaWidth * kMinutesOfDay; };
    // Minutes are counted from the first record that has a point.
    const double first = *firstFinite;
    const int finger = wholeMinutes(minutes(x)) - wholeMinutes(minutes(first));
    int nearest = 0;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < pointXs.size(); ++i) {
        // Points are stored as floats: a whole minute apart, give or take a hair.
        const double distance =
            std::fabs(std::round(minutes(pointXs[i]) - minutes(first)) - finger);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

int clampIndex(int index, int count) {
    return count <= 0 ? 0 : std::clamp(index, 0, count - 1);
}

KLineScroll scrollKLine(int offset, int startX, int x, double columnInterval, int barCount,
                        int perScreen) {
    KLineScroll result{offset, false, Refresh::Keep};
    if (columnInterval <= 0 || std::abs(x - startX) <= columnInterval) {
        return result;
    }
    if (x <= startX) {
        if (offset >= 1) {
            result.offset = std::max(offset - truncated((startX - x) / columnInterval), 0);
            // Only the step that reaches the newest bar asks for fresh bars.
            if (result.offset <= 0) {
                result.refresh = Refresh::Resume;
            }
        }
        result.stepped = true;
        return result;
    }
    const int hidden = barCount - perScreen;
    if (offset >= hidden) {
        return result;
    }
    result.offset = std::min(offset + truncated((x - startX) / columnInterval), hidden);
    result.stepped = true;
    if (result.offset >= 1) {
        result.refresh = Refresh::Stop;
    }
    return result;
}

}  // namespace charttouch
