#pragma once

// Tabs of controllers with a tab bar at the bottom: selection by index or by tapping the bar,
// the bar hidden on request or while a pushed controller asks for it. Owns its tabs' controllers.
// Main thread only.

#include <memory>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/ViewController.h"

class TabBar;
class TabBarController;

class TabBarControllerDelegate : public virtual LinkTarget {
public:
    virtual ~TabBarControllerDelegate() = default;
    virtual bool shouldSelectViewController(TabBarController&, ViewController*) { return true; }
    virtual void didSelectViewController(TabBarController&, ViewController*) {}
};

class TabBarController : public ViewController {
public:
    TabBarController();

    void setViewControllers(std::vector<std::unique_ptr<ViewController>> controllers);
    std::vector<ViewController*> viewControllers() const { return childViewControllers(); }
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);
    ViewController* selectedViewController() const;
    TabBar* tabBar();
    bool isTabBarHidden() const { return m_tabBarHidden; }
    void setTabBarHidden(bool hidden);
    // Not owned.
    void setDelegate(TabBarControllerDelegate* delegate) { m_delegate = delegate; }

    void loadView() override;
    ViewController* visibleChildForStatusBar() const override;
    // Re-reads whether the selected navigation stack wants the bar hidden.
    void updateTabBarVisibility();

private:
    void tapped(int index);
    void refreshItems();

    TabBar* m_tabBar = nullptr;
    int m_selected = 0;
    bool m_tabBarHidden = false;
    WeakLink<TabBarControllerDelegate> m_delegate;
};
