#pragma once

// The look of a brand variant: its name as shown, colours and image names. Plain record;
// forAppName() gives the record of "VKDZ", "VKDZ_STORE" or "RWDZ" (VKDZ for any other name).

#include <string>

#include "platform/graphics/Color.h"

struct VKJYBrandStyle {
    std::string appName;      // "VKDZ", "VKDZ_STORE" or "RWDZ"
    std::string imagePrefix;  // "vkdz" or "rwdz"
    std::string displayName;
    Color background;
    Color barColor;
    Color accent;

    static VKJYBrandStyle forAppName(const std::string& vkAppName);
    bool isRWDZ() const { return imagePrefix == "rwdz"; }
    std::string image(const std::string& name) const { return imagePrefix + "_" + name + ".png"; }
};
