#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chart/HQCalculationResult.h"

// Axis arithmetic the chart views apply around the range search: the visible
// window of K-line bars, range adjustments and axis label texts. Pure
// functions; every result is finite for any input.
namespace chartscale {

struct KLineWindow {
    int start = 0;         // first bar of the window
    int count = 0;         // bars in the window
    int newestShown = -1;  // the newest bar drawn; -1 without bars
};

// Bars C, scroll offset O (bars hidden at the right), P bars per screen.
KLineWindow klineWindow(int barCount, int offset, int perScreen);

// The offset kept within what a drag can reach: at most the bars beyond one screen, so 0 once
// every bar fits.
int reachableOffset(int barCount, int offset, int perScreen);

// Widens a whole-number price range to whole ends, so that each of the lineCount steps is a
// whole number.
void widenToWholeNumbers(HQCalculationResult& range, int lineCount);

// The top of a label of `height` that names the line at lineY, kept between `above` and `below`
// (the neighbouring labels): centred on the line where it fits, else moved until it meets the
// neighbour while still beside its line; none when even that would overlap.
std::optional<double> labelBesideLine(double lineY, double height, double above, double below);

// Widens the time-sharing price range so that yesterday's close lies in its
// middle, on the side of the larger distance.
void makeSymmetricAboutClose(HQCalculationResult& range, double yesterdayClose);

// The time-sharing scale: the range stretched by 10 % about yesterday's close.
HQCalculationResult stretchedAboutClose(const HQCalculationResult& range, double yesterdayClose);

// lineCount + 1 labels from the top of the range to its bottom.
std::vector<std::string> priceLabelTexts(const HQCalculationResult& range, int lineCount,
                                         int decimals);
// Change against yesterday's close at each label; "--" when the close is 0.
std::vector<std::string> percentLabelTexts(const HQCalculationResult& range, int lineCount,
                                           double yesterdayClose);

std::string priceText(double value, int decimals);
// An axis label: the value with `decimals` decimals and the unit. A label computed as a
// difference can land a hair below zero; it reads as zero, without a sign.
std::string axisText(double value, int decimals, const char* unit = "");

}  // namespace chartscale
