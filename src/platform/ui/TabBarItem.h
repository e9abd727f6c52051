#pragma once

// What a controller shows in the tab bar: title, image, selected image, badge, tag.
// Plain record held by its controller.

#include <string>

#include "platform/graphics/Image.h"

struct TabBarItem {
    std::string title;
    Image image;
    Image selectedImage;
    std::string badgeValue;
    int tag = 0;
};
