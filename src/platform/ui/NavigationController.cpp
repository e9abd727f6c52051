#include "platform/ui/NavigationController.h"

#include "platform/ui/Application.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/View.h"

namespace {
constexpr double kStatusBarHeight = 20;
}

NavigationController::NavigationController(std::unique_ptr<ViewController> root) {
    if (root) {
        addChildViewController(std::move(root));
    }
}

void NavigationController::loadView() {
    ViewController::loadView();
    View* container = view();
    container->setBackgroundColor(Color::blackColor());
    container->setClipsToBounds(true);
    Rect b = container->bounds();
    auto bar =
        std::make_unique<NavigationBar>(Rect{0, kStatusBarHeight, b.width, NavigationBar::kHeight});
    bar->setBackAction([this]() { popViewController(true); });
    bar->setHidden(m_barHidden);
    m_bar = container->addSubview(std::move(bar));
    if (ViewController* root = topViewController()) {
        root->view()->setFrame(b);
        container->insertSubview(root->viewShared(), 0);
    }
    updateBar();
}

ViewController* NavigationController::topViewController() const {
    auto stack = childViewControllers();
    return stack.empty() ? nullptr : stack.back();
}

ViewController* NavigationController::visibleViewController() const {
    ViewController* top = topViewController();
    if (top && top->presentedViewController()) {
        return top->presentedViewController();
    }
    return top;
}

ViewController* NavigationController::visibleChildForStatusBar() const {
    if (ViewController* presented = ViewController::visibleChildForStatusBar()) {
        return presented;
    }
    return topViewController();
}

void NavigationController::setNavigationBarHidden(bool hidden, bool) {
    m_barHidden = hidden;
    if (m_bar) {
        m_bar->setHidden(hidden);
    }
}

void NavigationController::titleChanged(ViewController* controller) {
    if (controller == topViewController()) {
        updateBar();
    }
}

void NavigationController::updateBar() {
    if (!m_bar) {
        return;
    }
    ViewController* top = topViewController();
    m_bar->setTitle(top ? top->title() : "");
    m_bar->setBackButtonShown(childViewControllers().size() > 1);
    view()->bringSubviewToFront(m_bar);
    if (TabBarController* tabs = tabBarController()) {
        tabs->updateTabBarVisibility();
    }
}

void NavigationController::finishPendingTransition() {
    if (m_pending) {
        auto pending = std::move(m_pending);
        m_pending = nullptr;
        pending();
    }
}

void NavigationController::push(std::shared_ptr<ViewController> controller, bool animated) {
    if (!controller) {
        return;
    }
    finishPendingTransition();
    ViewController* from = topViewController();
    ViewController* to = controller.get();
    insertChild(std::move(controller), childViewControllers().size());
    if (!isViewLoaded()) {
        return;
    }
    transition(from, to, true, animated, {});
}

ViewController* NavigationController::popViewController(bool animated) {
    finishPendingTransition();
    auto stack = childViewControllers();
    if (stack.size() < 2) {
        return nullptr;
    }
    ViewController* from = stack.back();
    ViewController* to = stack[stack.size() - 2];
    std::shared_ptr<ViewController> keep = detachChild(from);
    if (isViewLoaded()) {
        transition(from, to, false, animated, [keep]() {});
    }
    return from;
}

void NavigationController::popToRootViewController(bool animated) {
    auto stack = childViewControllers();
    if (!stack.empty()) {
        popToViewController(stack.front(), animated);
    }
}

void NavigationController::popToViewController(ViewController* target, bool animated) {
    finishPendingTransition();
    auto stack = childViewControllers();
    auto it = std::find(stack.begin(), stack.end(), target);
    if (it == stack.end() || it + 1 == stack.end()) {
        return;
    }
    ViewController* from = stack.back();
    std::vector<std::shared_ptr<ViewController>> removed;
    for (auto r = stack.rbegin(); *r != target; ++r) {
        removed.push_back(detachChild(*r));
    }
    if (isViewLoaded()) {
        transition(from, target, false, animated, [removed]() {});
    }
}

void NavigationController::transition(ViewController* from, ViewController* to, bool forward,
                                      bool animated, std::function<void()> done) {
    View* container = view();
    Rect b = container->bounds();
    bool visible = isAppeared();
    View* toView = to->view();
    if (visible && from) {
        from->beginAppearanceTransition(false, animated);
    }
    if (visible) {
        to->beginAppearanceTransition(true, animated);
    }
    double width = b.width;
    toView->setFrame(animated ? b.offsetBy(forward ? width : -width * 0.3, 0) : b);
    if (forward || !from) {
        container->insertSubview(to->viewShared(), container->subviews().size());
    } else {
        container->insertSubviewBelow(to->viewShared(), from->view());
    }
    updateBar();
    WeakLink<ViewController> fromRef(from);
    WeakLink<ViewController> toRef(to);
    auto finish = [this, fromRef, toRef, visible, done]() {
        m_pending = nullptr;
        if (ViewController* f = fromRef.get()) {
            f->view()->removeFromSuperview();
            if (visible) {
                f->endAppearanceTransition();
            }
        }
        if (ViewController* t = toRef.get(); t && visible) {
            t->endAppearanceTransition();
        }
        if (done) {
            done();
        }
    };
    if (!animated || !from) {
        finish();
        return;
    }
    auto hold = std::make_shared<Application::TransitionHold>();
    m_pending = [finish, hold]() { finish(); };
    View* fromView = from->view();
    View::animate(
        kTransitionDuration,
        [=]() {
            toView->setFrame(b);
            fromView->setFrame(b.offsetBy(forward ? -width * 0.3 : width, 0));
        },
        [self = WeakLink<ViewController>(this), this](bool) {
            if (self && m_pending) {
                finishPendingTransition();
            }
        });
}
