#include "UiFixture.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"

namespace {

// Logs its life cycle as "<name> <call>".
class LoggingController : public ViewController {
public:
    LoggingController(std::string name, CallLog& log) : m_name(std::move(name)), m_log(log) {}
    void viewDidLoad() override { m_log.add(m_name + " didLoad"); }
    void viewWillAppear(bool) override { m_log.add(m_name + " willAppear"); }
    void viewDidAppear(bool) override { m_log.add(m_name + " didAppear"); }
    void viewWillDisappear(bool) override { m_log.add(m_name + " willDisappear"); }
    void viewDidDisappear(bool) override { m_log.add(m_name + " didDisappear"); }

private:
    std::string m_name;
    CallLog& m_log;
};

}  // namespace

class Controllers : public UiTest {
protected:
    std::unique_ptr<LoggingController> make(const std::string& name) {
        return std::make_unique<LoggingController>(name, log);
    }
    NavigationController* installNavigation() {
        auto nav = std::make_unique<NavigationController>(make("root"));
        NavigationController* raw = nav.get();
        window->setRootViewController(std::move(nav));
        log.calls.clear();
        return raw;
    }
    CallLog log;
};

TEST_F(Controllers, shouldLoadViewOnceOnFirstUse) {
    auto controller = make("a");
    EXPECT_FALSE(controller->isViewLoaded());
    View* view = controller->view();
    EXPECT_EQ(controller->view(), view);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"a didLoad"}));
}

TEST_F(Controllers, shouldShowRootWhenSetOnKeyWindow) {
    window->setRootViewController(make("root"));
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"root didLoad", "root willAppear", "root didAppear"}));
    EXPECT_EQ(window->rootViewController()->view()->superview(), window.get());
}

TEST_F(Controllers, shouldCallLifecycleInOrderOnPushAndPop) {
    NavigationController* nav = installNavigation();
    nav->pushViewController(make("detail"), false);
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"detail didLoad", "root willDisappear", "detail willAppear",
                                        "root didDisappear", "detail didAppear"}));
    log.calls.clear();
    nav->popViewController(false);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"detail willDisappear", "root willAppear",
                                                   "detail didDisappear", "root didAppear"}));
    EXPECT_EQ(nav->viewControllers().size(), 1u);
}

TEST_F(Controllers, shouldFinishAnimatedPushAfterTheSlide) {
    View::setAnimationSpeed(1);
    NavigationController* nav = installNavigation();
    auto* detail = nav->pushViewController(make("detail"), true);
    EXPECT_EQ(log.calls.back(), "detail willAppear");
    ASSERT_TRUE(driver.runUntil([&] { return log.calls.back() == "detail didAppear"; }));
    EXPECT_EQ(detail->view()->frame().x, 0);
    EXPECT_EQ(nav->topViewController(), detail);
}

TEST_F(Controllers, shouldPopBackFromHandlerOfThePoppedScreen) {
    NavigationController* nav = installNavigation();
    auto* detail = nav->pushViewController(make("detail"), false);
    auto* back =
        detail->view()->addSubview(Button::create(Button::Type::Custom, {0, 100, 100, 44}));
    back->addTarget(TouchUpInside, [detail](Control&) {
        detail->navigationController()->popViewController(true);
    });
    ASSERT_TRUE(driver.tap(back));
    driver.settle();
    EXPECT_EQ(nav->viewControllers().size(), 1u);
    EXPECT_EQ(log.calls.back(), "root didAppear");
}

TEST_F(Controllers, shouldPopToRootThroughEveryScreen) {
    NavigationController* nav = installNavigation();
    nav->pushViewController(make("b"), false);
    nav->pushViewController(make("c"), false);
    log.calls.clear();
    nav->popToRootViewController(false);
    EXPECT_EQ(nav->viewControllers().size(), 1u);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"c willDisappear", "root willAppear",
                                                   "c didDisappear", "root didAppear"}));
}

TEST_F(Controllers, shouldSwitchTabsWithAppearanceCalls) {
    auto tabs = std::make_unique<TabBarController>();
    std::vector<std::unique_ptr<ViewController>> list;
    list.push_back(make("market"));
    list.push_back(make("trade"));
    list[0]->tabBarItem().title = "行情";
    list[1]->tabBarItem().title = "交易";
    tabs->setViewControllers(std::move(list));
    TabBarController* raw = tabs.get();
    window->setRootViewController(std::move(tabs));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"market didLoad", "market willAppear",
                                                   "market didAppear"}));
    log.calls.clear();
    Rect item = raw->tabBar()->itemFrame(1);
    driver.tapAt(raw->tabBar()->convertPoint(item.center(), nullptr));
    EXPECT_EQ(raw->selectedIndex(), 1);
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"trade didLoad", "market willDisappear", "trade willAppear",
                                        "market didDisappear", "trade didAppear"}));
}

TEST_F(Controllers, shouldHideTabBarWhilePushedScreenAsksForIt) {
    auto tabs = std::make_unique<TabBarController>();
    std::vector<std::unique_ptr<ViewController>> list;
    list.push_back(std::make_unique<NavigationController>(make("root")));
    tabs->setViewControllers(std::move(list));
    TabBarController* raw = tabs.get();
    window->setRootViewController(std::move(tabs));
    auto* nav = static_cast<NavigationController*>(raw->selectedViewController());
    EXPECT_FALSE(raw->tabBar()->isHidden());
    auto detail = make("detail");
    detail->setHidesBottomBarWhenPushed(true);
    nav->pushViewController(std::move(detail), false);
    EXPECT_TRUE(raw->tabBar()->isHidden());
    nav->popViewController(false);
    EXPECT_FALSE(raw->tabBar()->isHidden());
}

TEST_F(Controllers, shouldPresentAndDismissOverTheScreen) {
    window->setRootViewController(make("root"));
    ViewController* root = window->rootViewController();
    log.calls.clear();
    bool presented = false;
    root->presentViewController(make("modal"), false, [&] { presented = true; });
    EXPECT_TRUE(presented);
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"modal didLoad", "root willDisappear", "modal willAppear",
                                        "modal didAppear", "root didDisappear"}));
    EXPECT_EQ(window->topViewController(), root->presentedViewController());
    log.calls.clear();
    root->presentedViewController()->dismissViewController(false);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"modal willDisappear", "root willAppear",
                                                   "modal didDisappear", "root didAppear"}));
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

// A double tap: the first tap starts the transition, the second lands where the incoming
// screen's button already sits.
TEST_F(Controllers, shouldLetNoTouchMadeDuringATransitionReachTheIncomingScreen) {
    for (const std::string kind : {"push", "pop", "present", "dismiss"}) {
        NavigationController* nav = installNavigation();
        ViewController* root = nav->topViewController();
        std::unique_ptr<LoggingController> next = make("next");
        ViewController* other = next.get();
        if (kind == "pop") {
            nav->pushViewController(std::move(next), false);
        } else if (kind == "dismiss") {
            nav->presentViewController(std::move(next), false);
        }
        const bool forward = kind == "push" || kind == "present";
        auto* start = (forward ? root : other)
                          ->view()
                          ->addSubview(Button::create(Button::Type::Custom, {0, 100, 100, 44}));
        start->addTarget(TouchUpInside, [&](Control&) {
            if (kind == "push") {
                nav->pushViewController(std::move(next), true);
            } else if (kind == "pop") {
                nav->popViewController(true);
            } else if (kind == "present") {
                nav->presentViewController(std::move(next), true);
            } else {
                nav->dismissViewController(true);
            }
        });
        int taps = 0;
        auto* target = (forward ? other : root)
                           ->view()
                           ->addSubview(Button::create(Button::Type::Custom, {0, 100, 100, 44}));
        target->addTarget(TouchUpInside, [&taps](Control&) { ++taps; });
        driver.tapAt({50, 122}, 2);
        EXPECT_EQ(taps, 0) << kind;
        driver.settle();
        driver.tapAt({50, 122});
        EXPECT_EQ(taps, 1) << kind << " once the screen is in place";
    }
}

TEST_F(Controllers, shouldAskTopControllerWhetherStatusBarShows) {
    class Wide : public ViewController {
        bool prefersStatusBarHidden() const override { return true; }
    };
    NavigationController* nav = installNavigation();
    EXPECT_FALSE(screen.isStatusBarHidden());
    nav->pushViewController(std::make_unique<Wide>(), false);
    EXPECT_TRUE(screen.isStatusBarHidden());
}

TEST_F(Controllers, shouldReplaceRootFromTheOldRootsOwnHandler) {
    window->setRootViewController(make("welcome"));
    ViewController* welcome = window->rootViewController();
    auto* go = welcome->view()->addSubview(Button::create(Button::Type::Custom, {0, 100, 100, 44}));
    go->addTarget(TouchUpInside, [this](Control&) { window->setRootViewController(make("tabs")); });
    log.calls.clear();
    ASSERT_TRUE(driver.tap(go));
    driver.settle();
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"welcome willDisappear", "welcome didDisappear",
                                        "tabs didLoad", "tabs willAppear", "tabs didAppear"}));
}
