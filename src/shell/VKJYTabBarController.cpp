#include "shell/VKJYTabBarController.h"

#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYSheQuViewController.h"
#include "shell/VKJYTabBarHelper.h"
#include "shell/VKJYTabRootFactory.h"

VKJYTabBarController::VKJYTabBarController(VKJYBrandStyle style) : m_style(std::move(style)) {}

VKJYTabBarController::~VKJYTabBarController() {
    auto* app = VKJYAppDelegate::shared();
    if (app && app->tabBarHelper().tabBarController() == this) {
        app->tabBarHelper().setTabBarController(nullptr);
    }
}

void VKJYTabBarController::setupTabs() {
    std::vector<std::unique_ptr<ViewController>> tabs;
    tabs.push_back(tab(VKJYTabRootFactory::createMarketRoot(), "行情", "hangqing"));
    tabs.push_back(tab(VKJYTabRootFactory::createTradeRoot(), "交易", "jiaoyi"));
    tabs.push_back(tab(std::make_unique<VKJYSheQuViewController>(), "社区", "shequ"));
    tabs.push_back(tab(createFuWuViewController(), "服务", "fuwu"));
    setViewControllers(std::move(tabs));
    TabBar* bar = tabBar();
    bar->setBackgroundColor(m_style.barColor);
    bar->setTitleColor(Color::rgb(150, 150, 160));
    bar->setSelectedTitleColor(m_style.accent);
    if (auto* app = VKJYAppDelegate::shared()) {
        app->tabBarHelper().setTabBarController(this);
    }
}

std::unique_ptr<ViewController> VKJYTabBarController::tab(std::unique_ptr<ViewController> root,
                                                          const std::string& title,
                                                          const std::string& icon) {
    auto navigation = std::make_unique<NavigationController>(std::move(root));
    navigation->setNavigationBarHidden(true);
    TabBarItem& item = navigation->tabBarItem();
    item.title = title;
    item.image = Image::named(m_style.image("tab_" + icon));
    item.selectedImage = Image::named(m_style.image("tab_" + icon + "_sel"));
    return navigation;
}
