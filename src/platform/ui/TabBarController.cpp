#include "platform/ui/TabBarController.h"

#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/View.h"

TabBarController::TabBarController() = default;

void TabBarController::loadView() {
    ViewController::loadView();
    View* container = view();
    container->setBackgroundColor(Color::blackColor());
    Rect b = container->bounds();
    auto bar =
        std::make_unique<TabBar>(Rect{0, b.height - TabBar::kHeight, b.width, TabBar::kHeight});
    bar->setTapHandler([this](int index) { tapped(index); });
    m_tabBar = container->addSubview(std::move(bar));
    refreshItems();
    if (ViewController* selected = selectedViewController()) {
        selected->view()->setFrame(b);
        container->insertSubview(selected->viewShared(), 0);
    }
    updateTabBarVisibility();
}

TabBar* TabBarController::tabBar() {
    view();
    return m_tabBar;
}

void TabBarController::refreshItems() {
    if (!m_tabBar) {
        return;
    }
    std::vector<TabBarItem> items;
    for (ViewController* c : childViewControllers()) {
        items.push_back(c->tabBarItem());
    }
    m_tabBar->setItems(std::move(items));
    m_tabBar->setSelectedIndex(m_selected);
}

void TabBarController::setViewControllers(
    std::vector<std::unique_ptr<ViewController>> controllers) {
    for (ViewController* old : childViewControllers()) {
        if (old->isViewLoaded()) {
            old->view()->removeFromSuperview();
        }
        old->removeFromParentViewController();
    }
    for (auto& c : controllers) {
        addChildViewController(std::move(c));
    }
    m_selected = 0;
    refreshItems();
    if (isViewLoaded()) {
        if (ViewController* selected = selectedViewController()) {
            selected->view()->setFrame(view()->bounds());
            view()->insertSubview(selected->viewShared(), 0);
        }
        updateTabBarVisibility();
    }
}

ViewController* TabBarController::selectedViewController() const {
    auto tabs = childViewControllers();
    if (m_selected < 0 || m_selected >= static_cast<int>(tabs.size())) {
        return nullptr;
    }
    return tabs[static_cast<std::size_t>(m_selected)];
}

void TabBarController::setSelectedIndex(int index) {
    auto tabs = childViewControllers();
    if (index < 0 || index >= static_cast<int>(tabs.size()) || index == m_selected) {
        return;
    }
    ViewController* from = selectedViewController();
    ViewController* to = tabs[static_cast<std::size_t>(index)];
    m_selected = index;
    if (m_tabBar) {
        m_tabBar->setSelectedIndex(index);
    }
    if (!isViewLoaded()) {
        return;
    }
    to->view();
    bool visible = isAppeared();
    if (visible && from) {
        from->beginAppearanceTransition(false, false);
    }
    if (visible) {
        to->beginAppearanceTransition(true, false);
    }
    to->view()->setFrame(view()->bounds());
    view()->insertSubview(to->viewShared(), 0);
    if (from) {
        from->view()->removeFromSuperview();
    }
    if (visible && from) {
        from->endAppearanceTransition();
    }
    if (visible) {
        to->endAppearanceTransition();
    }
    updateTabBarVisibility();
}

void TabBarController::tapped(int index) {
    auto tabs = childViewControllers();
    if (index < 0 || index >= static_cast<int>(tabs.size())) {
        return;
    }
    ViewController* target = tabs[static_cast<std::size_t>(index)];
    if (m_delegate && !m_delegate->shouldSelectViewController(*this, target)) {
        return;
    }
    setSelectedIndex(index);
    if (m_delegate) {
        m_delegate->didSelectViewController(*this, target);
    }
}

void TabBarController::setTabBarHidden(bool hidden) {
    m_tabBarHidden = hidden;
    updateTabBarVisibility();
}

void TabBarController::updateTabBarVisibility() {
    if (!m_tabBar) {
        return;
    }
    bool hidden = m_tabBarHidden;
    if (auto* nav = dynamic_cast<NavigationController*>(selectedViewController())) {
        auto stack = nav->viewControllers();
        for (std::size_t i = 1; i < stack.size(); ++i) {
            hidden = hidden || stack[i]->hidesBottomBarWhenPushed();
        }
    }
    m_tabBar->setHidden(hidden);
    view()->bringSubviewToFront(m_tabBar);
}

ViewController* TabBarController::visibleChildForStatusBar() const {
    if (ViewController* presented = ViewController::visibleChildForStatusBar()) {
        return presented;
    }
    return selectedViewController();
}
