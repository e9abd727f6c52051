#pragma once

// What a controller shows in the tab bar: title, image, selected image, tag.
// Plain record held by its controller.

#include <string>

#include "platform/graphics/Image.h"

struct TabBarItem {
    std::string title;
    Image image;
    Image selectedImage;
    int tag = 0;
};
