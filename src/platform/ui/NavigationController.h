#pragma once

// A stack of controllers: push and pop (animated or not), pop to root, the bar with title and
// back button (hidden on request). Owns the controllers of its stack. Main thread only.

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/ViewController.h"

class NavigationBar;

class NavigationController : public ViewController {
public:
    explicit NavigationController(std::unique_ptr<ViewController> root);

    template <typename T>
    T* pushViewController(std::unique_ptr<T> controller, bool animated) {
        T* raw = controller.get();
        push(std::shared_ptr<ViewController>(std::move(controller)), animated);
        return raw;
    }
    // Returns the popped controller (alive until the next run-loop turn); null at the root.
    ViewController* popViewController(bool animated);
    void popToRootViewController(bool animated);
    void popToViewController(ViewController* controller, bool animated);

    std::vector<ViewController*> viewControllers() const { return childViewControllers(); }
    ViewController* topViewController() const;
    ViewController* visibleViewController() const;

    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden, bool animated = false);
    NavigationBar* navigationBar() const { return m_bar; }

    void loadView() override;
    ViewController* visibleChildForStatusBar() const override;
    // Called when a controller of the stack changes its title.
    void titleChanged(ViewController* controller);

private:
    void push(std::shared_ptr<ViewController> controller, bool animated);
    void transition(ViewController* from, ViewController* to, bool forward, bool animated,
                    std::function<void()> done);
    void finishPendingTransition();
    void updateBar();

    NavigationBar* m_bar = nullptr;
    bool m_barHidden = false;
    std::function<void()> m_pending;
};
