#include "shell/VKJYMainViewController.h"

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/View.h"
#include "shell/Factory/VKJYScreenFactory.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYGuideViewController.h"
#include "shell/VKJYTabBarController.h"
#include "shell/VKJYWelcomeViewController.h"

namespace {
std::string appName() {
    auto* app = VKJYAppDelegate::shared();
    return app ? app->vkAppName() : std::string();
}
}  // namespace

void VKJYMainViewController::viewDidLoad() {
    view()->setBackgroundColor(Color::blackColor());
    replaceScreen(VKJYScreenFactory::createWelcome(appName(), [this] {
        // Leaves the welcome screen on a later turn: the sequence that calls this belongs to it.
        MainQueue::post([this] { welcomeFinished(); });
    }));
}

void VKJYMainViewController::welcomeFinished() {
    if (UserDefaults::standardUserDefaults().boolForKey(
            VKJYGuideViewController::kHasShowGuidePageKey)) {
        showTabBar();
    } else {
        showGuide();
    }
}

void VKJYMainViewController::showGuide() {
    replaceScreen(VKJYScreenFactory::createGuide(
        appName(), [this] { MainQueue::post([this] { showTabBar(); }); }));
}

void VKJYMainViewController::showTabBar() {
    replaceScreen(VKJYScreenFactory::createTabBar(appName()));
}

ViewController* VKJYMainViewController::visibleChildForStatusBar() const {
    if (ViewController* presented = ViewController::visibleChildForStatusBar()) {
        return presented;
    }
    return m_current;
}

void VKJYMainViewController::replaceScreen(std::unique_ptr<ViewController> screen) {
    const bool shown = isAppeared();
    if (m_current) {
        if (shown) {
            m_current->beginAppearanceTransition(false, false);
        }
        m_current->view()->removeFromSuperview();
        if (shown) {
            m_current->endAppearanceTransition();
        }
        m_current->removeFromParentViewController();
    }
    m_current = addChildViewController(std::move(screen));
    m_current->view()->setFrame(view()->bounds());
    if (shown) {
        m_current->beginAppearanceTransition(true, false);
    }
    view()->addSubview(m_current->viewShared());
    if (shown) {
        m_current->endAppearanceTransition();
    }
}
