#pragma once

#include <string>

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"

// Colours and fonts of the chart tables, named once so the tables read as data.
namespace chartstyle {

inline Color rgb(int r, int g, int b) {
    return Color::rgb(r, g, b);
}
inline Color white() {
    return Color::whiteColor();
}
inline Color clear() {
    return Color::clearColor();
}
inline Color red() {
    return Color::redColor();
}
inline Color fallGreen() {
    return rgb(59, 210, 53);
}
inline Font arial(double size) {
    return Font::named("Arial", size);
}
inline Font system(double size) {
    return Font::system(size);
}

// Width of a text drawn in one line of the given height, breaking by
// characters; the two-blank placeholder counts as empty.
double textWidth(const std::string& text, const Font& font, double height);

}  // namespace chartstyle
