#include "shell/Factory/VKJYScreenFactory.h"

#include "shell/RWDZ/RWDZGuideViewController.h"
#include "shell/RWDZ/RWDZTabBarController.h"
#include "shell/RWDZ/RWDZWelcomeViewController.h"
#include "shell/VKDZ/VKDZGuideViewController.h"
#include "shell/VKDZ/VKDZTabBarController.h"
#include "shell/VKDZ/VKDZWelcomeViewController.h"

std::unique_ptr<VKJYWelcomeViewController> VKJYScreenFactory::createWelcome(
    const std::string& vkAppName, std::function<void()> finished) {
    auto style = VKJYBrandStyle::forAppName(vkAppName);
    if (style.isRWDZ()) {
        return std::make_unique<RWDZWelcomeViewController>(style, std::move(finished));
    }
    return std::make_unique<VKDZWelcomeViewController>(style, std::move(finished));
}

std::unique_ptr<VKJYGuideViewController> VKJYScreenFactory::createGuide(
    const std::string& vkAppName, std::function<void()> closed) {
    auto style = VKJYBrandStyle::forAppName(vkAppName);
    if (style.isRWDZ()) {
        return std::make_unique<RWDZGuideViewController>(style, std::move(closed));
    }
    return std::make_unique<VKDZGuideViewController>(style, std::move(closed));
}

std::unique_ptr<VKJYTabBarController> VKJYScreenFactory::createTabBar(
    const std::string& vkAppName) {
    auto style = VKJYBrandStyle::forAppName(vkAppName);
    std::unique_ptr<VKJYTabBarController> tabBar;
    if (style.isRWDZ()) {
        tabBar = std::make_unique<RWDZTabBarController>(style);
    } else {
        tabBar = std::make_unique<VKDZTabBarController>(style);
    }
    tabBar->setupTabs();
    return tabBar;
}
