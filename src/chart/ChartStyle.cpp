#include "chart/ChartStyle.h"

#include <ctime>

#include "platform/graphics/TextLayout.h"

namespace chartstyle {

double textWidth(const std::string& text, const Font& font, double height) {
    if (text == "  ") {
        return 0;
    }
    return TextLayout::measure(text, font, Size{0, height}, LineBreakMode::CharWrap).width;
}

std::string localTimeText(int64_t seconds, const char* pattern) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&time, &local)) {
        return {};
    }
    char text[64];
    const size_t length = std::strftime(text, sizeof text, pattern, &local);
    return std::string(text, length);
}

}  // namespace chartstyle
