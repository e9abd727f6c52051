#pragma once

// The VKDZ variant's tab bar: its pictures and its service page. Owned by the root controller.
// Main thread.

#include "shell/VKJYTabBarController.h"

class VKDZTabBarController : public VKJYTabBarController {
public:
    explicit VKDZTabBarController(VKJYBrandStyle style) : VKJYTabBarController(std::move(style)) {}

protected:
    std::unique_ptr<ViewController> createFuWuViewController() override;
};
