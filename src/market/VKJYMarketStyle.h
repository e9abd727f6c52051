#pragma once

// Colours shared by the market screens.

#include "platform/graphics/Color.h"

struct VKJYMarketStyle {
    static Color listColor() { return Color::rgb(41, 41, 51); }
};
