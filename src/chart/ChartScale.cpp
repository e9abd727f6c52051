#include "chart/ChartScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace chartscale {

namespace {

constexpr double kFenShiStretch = 1.1;

// Distance between two labels; a grid without lines has a single label.
double labelStep(const HQCalculationResult& range, int lineCount) {
    return lineCount > 0 ? (range.highest - range.lowest) / lineCount : 0;
}

}  // namespace

KLineWindow klineWindow(int barCount, int offset, int perScreen) {
    KLineWindow window;
    if (barCount <= 0 || perScreen <= 0) {
        return window;
    }
    // An offset at or past the bar count would leave no newest bar to show.
    const int hidden = std::clamp(offset, 0, barCount - 1);
    window.start = std::max(barCount - hidden - perScreen, 0);
    window.count = std::min(perScreen, barCount - window.start);
    // The date label names the newest bar drawn, also when the offset no longer fits the bars.
    window.newestShown = window.start + window.count - 1;
    return window;
}

int reachableOffset(int barCount, int offset, int perScreen) {
    return std::clamp(offset, 0, std::max(barCount - perScreen, 0));
}

void widenToWholeNumbers(HQCalculationResult& range, int lineCount) {
    if (lineCount <= 0) {
        return;
    }
    // Fractional ends (a moving average at the top or bottom) would carry their fraction into
    // every label.
    range.lowest = std::floor(range.lowest);
    range.highest = std::ceil(range.highest);
    const int64_t span = static_cast<int64_t>(range.highest - range.lowest);
    const int64_t remainder = span % lineCount;
    if (remainder == 0) {
        return;
    }
    const int64_t missing = lineCount - remainder;
    const int64_t below = missing / 2;
    range.lowest -= below;
    range.highest += missing - below;
}

std::optional<double> labelBesideLine(double lineY, double height, double above, double below) {
    const double minTop = std::max(above, lineY - height);
    const double maxTop = std::min(below - height, lineY);
    if (minTop > maxTop) {
        return std::nullopt;
    }
    return std::clamp(lineY - height / 2, minTop, maxTop);
}

void makeSymmetricAboutClose(HQCalculationResult& range, double yesterdayClose) {
    const double c = yesterdayClose;
    if (c > range.highest || c - range.lowest >= range.highest - c) {
        range.highest = 2 * c - range.lowest;
    } else {
        range.lowest = 2 * c - range.highest;
    }
}

HQCalculationResult stretchedAboutClose(const HQCalculationResult& range, double yesterdayClose) {
    HQCalculationResult stretched = range;
    stretched.highest = (range.highest - yesterdayClose) * kFenShiStretch + yesterdayClose;
    stretched.lowest = yesterdayClose - (yesterdayClose - range.lowest) * kFenShiStretch;
    return stretched;
}

std::string axisText(double value, int decimals, const char* unit) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*lf%s", std::max(decimals, 0), value, unit);
    std::string shown = text;
    if (shown.front() == '-' && shown.find_first_of("123456789") == std::string::npos) {
        shown.erase(0, 1);
    }
    return shown;
}

std::string priceText(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*lf", std::max(decimals, 0), value);
    return text;
}

std::vector<std::string> priceLabelTexts(const HQCalculationResult& range, int lineCount,
                                         int decimals) {
    const double step = labelStep(range, lineCount);
    std::vector<std::string> texts;
    for (int i = 0; i <= std::max(lineCount, 0); ++i) {
        texts.push_back(axisText(range.highest - i * step, decimals));
    }
    return texts;
}

std::vector<std::string> percentLabelTexts(const HQCalculationResult& range, int lineCount,
                                           double yesterdayClose) {
    const double y = yesterdayClose;
    std::vector<std::string> texts;
    for (int i = 0; i <= std::max(lineCount, 0); ++i) {
        if (y == 0) {
            texts.emplace_back("--");
            continue;
        }
        const double percent =
            ((range.highest - y) / y - i * labelStep(range, lineCount) / y) * 100;
        texts.push_back(axisText(percent, 2, "%"));
    }
    return texts;
}

}  // namespace chartscale
