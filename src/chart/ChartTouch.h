#pragma once

#include <vector>

// The arithmetic of a chart view's touches: what counts as a tap, which bar or
// minute lies under the finger, and how far a drag scrolls the K-line window.
// Pure functions; every result is finite for any input.
namespace charttouch {

// A single tap of at most 0.3 s that moved less than 6 points sideways.
bool isTap(int tapCount, double seconds, int movedX);

// Edges count as inside.
bool isInside(double x, double y, double left, double top, double right, double bottom);

// The K-line column under x, counted from the first drawn bar (may be out of range).
int klineColumnAt(double x, double firstPointX, double columnInterval);

// The time-sharing record under x, given the x of each record's point in order, for a chart
// area starting at areaX that spans one day of 1440 minutes over areaWidth. Points stand at
// their time of day, so a day may have gaps (a midday break): the record is found by its time,
// the nearest one where the finger is over no record (the earlier of two as near). Without gaps
// this is the finger's minute counted from the first record. A point that is not finite (a
// record without one) is never chosen; 0 when there is nothing.
int fenShiRecordAt(double x, const std::vector<double>& pointXs, double areaX, double areaWidth);

// i limited to 0 .. count - 1 (0 when there is nothing).
int clampIndex(int index, int count);

enum class Refresh { Keep, Stop, Resume };

struct KLineScroll {
    int offset = 0;
    // The drag went far enough for a step: the next step is measured from here.
    bool stepped = false;
    Refresh refresh = Refresh::Keep;
};

// One move of a drag on the K-line chart: the finger is at x, the last step at startX; the
// window holds perScreen of barCount bars, `offset` of them hidden at the right. Moving left
// brings newer bars in; coming back to the newest bar resumes the refresh, leaving it stops it.
KLineScroll scrollKLine(int offset, int startX, int x, double columnInterval, int barCount,
                        int perScreen);

}  // namespace charttouch
