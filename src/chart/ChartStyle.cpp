#include "chart/ChartStyle.h"

#include "platform/graphics/TextLayout.h"

namespace chartstyle {

double textWidth(const std::string& text, const Font& font, double height) {
    if (text == "  ") {
        return 0;
    }
    return TextLayout::measure(text, font, Size{0, height}, LineBreakMode::CharWrap).width;
}

}  // namespace chartstyle
