#include "chart/ChartStyle.h"

#include <ctime>
#include <limits>

namespace chartstyle {

float textWidth(const std::string& text, const Font& font, float height) {
    if (text == "  ") {
        return 0;
    }
    return font.sizeOfText(text, Size{std::numeric_limits<float>::max(), height}).width;
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
