#pragma once

// The tab selector the other subsystems use: tab 0 the market, tab 1 trade. Holds the tab bar
// controller once the main screen shows it (not owned: the root controller owns it). Owned by
// the application delegate. Main thread.

class TabBarController;
class ViewController;

class VKJYTabBarHelper {
public:
    static constexpr int kHangQingTab = 0;
    static constexpr int kTradeTab = 1;

    TabBarController* tabBarController() const { return m_tabBarController; }
    void setTabBarController(TabBarController* controller) { m_tabBarController = controller; }

    bool hasSelectedTradeTab() const;
    void selectTradeTab();
    void selectHangQingTab();
    // The selected tab's navigation stack; null before the tab bar shows.
    ViewController* selectedViewController() const;

private:
    TabBarController* m_tabBarController = nullptr;
};
