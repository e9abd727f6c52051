#pragma once

#include <cstdint>
#include <string>

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"

// Colours and fonts of the chart tables, named once so the tables read as data.
namespace chartstyle {

inline Color rgb(int r, int g, int b) { return Color::fromRgb(r, g, b); }
inline Color white() { return Color::white(); }
inline Color clear() { return Color::clear(); }
inline Color red() { return rgb(255, 0, 0); }
inline Color fallGreen() { return rgb(59, 210, 53); }
inline Font arial(float size) { return Font::named("Arial", size); }
inline Font system(float size) { return Font::systemFont(size); }

// Width of a text drawn in one line of the given height, breaking by
// characters; the two-blank placeholder counts as empty.
float textWidth(const std::string& text, const Font& font, float height);

// Seconds since 1970 in the device's time zone, strftime pattern.
std::string localTimeText(int64_t seconds, const char* pattern);

}  // namespace chartstyle
