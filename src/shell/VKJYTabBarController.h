#pragma once

// The main tab bar: market, trade, community and service tabs, each a navigation stack whose
// platform bar is hidden (the screens draw VKJYNavigationBarView). The variants give the tab
// pictures and the service page. Owned by the root controller; registers with the delegate's
// tab selector while it lives. Main thread.

#include <memory>

#include "platform/ui/TabBarController.h"
#include "shell/VKJYBrandStyle.h"

class VKJYTabBarController : public TabBarController {
public:
    static constexpr int kTabCount = 4;

    explicit VKJYTabBarController(VKJYBrandStyle style);
    ~VKJYTabBarController() override;

    // Builds the four tabs; called by the factory right after construction.
    void setupTabs();
    const VKJYBrandStyle& style() const { return m_style; }

protected:
    virtual std::unique_ptr<ViewController> createFuWuViewController() = 0;

private:
    std::unique_ptr<ViewController> tab(std::unique_ptr<ViewController> root,
                                        const std::string& title, const std::string& icon);

    VKJYBrandStyle m_style;
};
