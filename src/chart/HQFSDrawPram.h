#pragma once

#include <cstdint>
#include <optional>

#include "chart/HQValueClass.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

// Time-sharing geometry that depends on whether the book-and-ticks side panel
// shares the screen with the chart. Made by the chart manager and kept by the
// layout object; main thread only. "IP4" is the 3.5-inch, "IP5" the 4-inch
// screen.
struct HQFSDrawPram : HQValueClass {
    Rect drawRectNormalIP4;
    Rect drawRectNormalIP5;
    Rect drawRectWideIP4;
    Rect drawRectWideIP5;
    Point originalPointNormalIP4;
    Point originalPointNormalIP5;
    Point originalPointWideIP4;
    Point originalPointWideIP5;
    // Frames of the chart drawing view per case, whatever the names say.
    Rect dottedLineIntervalNormalIP4;
    Rect dottedLineIntervalNormalIP5;
    Rect dottedLineIntervalWideIP4;
    Rect dottedLineIntervalWideIP5;
    std::optional<Font> TimeTitleFont;
    int32_t TimeTitleLast = 0;
    Size TimeTitleSize;
    int32_t TimeTitleWidthNormal = 0;
    int32_t TimeTitleWidthWide = 0;

    HQFSDrawPram() = default;
    // Draw types 2, 4 and 5 leave room for the side panel; any other is full width.
    explicit HQFSDrawPram(uint32_t fsDrawType);
};
