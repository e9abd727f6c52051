#include "shell/VKJYTabBarHelper.h"

#include "platform/ui/TabBarController.h"

bool VKJYTabBarHelper::hasSelectedTradeTab() const {
    return m_tabBarController && m_tabBarController->selectedIndex() == kTradeTab;
}

void VKJYTabBarHelper::selectTradeTab() {
    if (m_tabBarController) {
        m_tabBarController->setSelectedIndex(kTradeTab);
    }
}

void VKJYTabBarHelper::selectHangQingTab() {
    if (m_tabBarController) {
        m_tabBarController->setSelectedIndex(kHangQingTab);
    }
}

ViewController* VKJYTabBarHelper::tradeViewController() const {
    if (!m_tabBarController) {
        return nullptr;
    }
    const auto tabs = m_tabBarController->viewControllers();
    return tabs.size() > static_cast<size_t>(kTradeTab) ? tabs[kTradeTab] : nullptr;
}

ViewController* VKJYTabBarHelper::selectedViewController() const {
    return m_tabBarController ? m_tabBarController->selectedViewController() : nullptr;
}
