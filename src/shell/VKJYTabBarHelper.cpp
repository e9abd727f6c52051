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

ViewController* VKJYTabBarHelper::selectedViewController() const {
    return m_tabBarController ? m_tabBarController->selectedViewController() : nullptr;
}
