#pragma once

// The RWDZ variant's tab bar: its pictures and its service page. Owned by the root controller.
// Main thread.

#include "shell/VKJYTabBarController.h"

class RWDZTabBarController : public VKJYTabBarController {
public:
    explicit RWDZTabBarController(VKJYBrandStyle style) : VKJYTabBarController(std::move(style)) {}

protected:
    std::unique_ptr<ViewController> createFuWuViewController() override;
};
