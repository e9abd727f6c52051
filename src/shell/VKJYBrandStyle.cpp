#include "shell/VKJYBrandStyle.h"

VKJYBrandStyle VKJYBrandStyle::forAppName(const std::string& vkAppName) {
    if (vkAppName == "RWDZ") {
        return {vkAppName,
                "rwdz",
                "澜石金银",
                Color::rgb(20, 24, 40),
                Color::rgb(16, 40, 84),
                Color::rgb(220, 170, 60)};
    }
    return {vkAppName.empty() ? "VKDZ" : vkAppName,
            "vkdz",
            "澜石金银",
            Color::rgb(41, 41, 51),
            Color::rgb(28, 28, 36),
            Color::rgb(230, 60, 60)};
}
