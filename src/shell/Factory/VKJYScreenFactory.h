#pragma once

// Chooses the brand variant's screens by "VKAppName": "RWDZ" gets the RWDZ welcome, guide, tab
// bar and service page, "VKDZ", "VKDZ_STORE" and any other name the VKDZ ones. Class
// operations; main thread.

#include <functional>
#include <memory>
#include <string>

class VKJYGuideViewController;
class VKJYTabBarController;
class VKJYWelcomeViewController;

class VKJYScreenFactory {
public:
    static std::unique_ptr<VKJYWelcomeViewController> createWelcome(const std::string& vkAppName,
                                                                    std::function<void()> finished);
    static std::unique_ptr<VKJYGuideViewController> createGuide(const std::string& vkAppName,
                                                                std::function<void()> closed);
    static std::unique_ptr<VKJYTabBarController> createTabBar(const std::string& vkAppName);
};
