#pragma once

// A screen's controller: makes its view on first use (loadView, then viewDidLoad), hears the
// appearance calls (will/did appear, will/did disappear) in the platform's order on push, pop,
// tab switch, present and dismiss, owns its child controllers and the controller it presents.
// Owned by its parent controller (or the window, as root). A removed controller lives until
// the next run-loop turn, so it may remove itself from one of its own handlers.
// Main thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/Responder.h"
#include "platform/ui/TabBarItem.h"

class NavigationController;
class TabBarController;
class View;

class ViewController : public Responder {
public:
    ViewController();
    ~ViewController() override;

    View* view();
    std::shared_ptr<View> viewShared();
    bool isViewLoaded() const { return m_view != nullptr; }
    void setView(std::shared_ptr<View> view);

    // Makes the view; the default is an empty view the size of the key window.
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}

    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title);
    TabBarItem& tabBarItem() { return m_tabBarItem; }
    bool hidesBottomBarWhenPushed() const { return m_hidesBottomBar; }
    void setHidesBottomBarWhenPushed(bool hides) { m_hidesBottomBar = hides; }
    virtual bool prefersStatusBarHidden() const { return false; }
    void setNeedsStatusBarAppearanceUpdate();

    ViewController* parentViewController() const { return m_parent; }
    NavigationController* navigationController() const;
    TabBarController* tabBarController() const;
    std::vector<ViewController*> childViewControllers() const;
    template <typename T>
    T* addChildViewController(std::unique_ptr<T> child) {
        T* raw = child.get();
        insertChild(std::shared_ptr<ViewController>(std::move(child)), m_children.size());
        return raw;
    }
    std::shared_ptr<ViewController> removeFromParentViewController();

    // Covers the window with the controller's view (sliding up when animated).
    void presentViewController(std::unique_ptr<ViewController> controller, bool animated,
                               std::function<void()> completion = {});
    // Dismisses what this controller presented, or this controller if it was presented.
    void dismissViewController(bool animated, std::function<void()> completion = {});
    ViewController* presentedViewController() const { return m_presented.get(); }
    ViewController* presentingViewController() const { return m_presenting; }

    // Appearance, driven by containers, the window and presentation; forwarded to the
    // children whose views are inside this controller's view.
    void beginAppearanceTransition(bool appearing, bool animated);
    void endAppearanceTransition();
    bool isAppeared() const { return m_appearance == Appearance::Appeared; }
    // Told it will appear and not yet that it did: sliding in, or under a screen sliding out.
    bool isAppearing() const { return m_appearance == Appearance::Appearing; }
    // The controller drawn on top of this one: presented, top of stack, selected tab.
    virtual ViewController* visibleChildForStatusBar() const;

    Responder* nextResponder() const override;
    void setParentViewController(ViewController* parent) { m_parent = parent; }

protected:
    void insertChild(std::shared_ptr<ViewController> child, std::size_t index);
    std::shared_ptr<ViewController> detachChild(ViewController* child);
    static constexpr double kTransitionDuration = 0.35;

private:
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };
    std::vector<ViewController*> appearanceChildren();

    std::shared_ptr<View> m_view;
    std::string m_title;
    TabBarItem m_tabBarItem;
    bool m_hidesBottomBar = false;
    ViewController* m_parent = nullptr;
    std::vector<std::shared_ptr<ViewController>> m_children;
    std::shared_ptr<ViewController> m_presented;
    ViewController* m_presenting = nullptr;
    Appearance m_appearance = Appearance::Disappeared;
    bool m_transitionAnimated = false;
    std::vector<WeakLink<ViewController>> m_transitionChildren;
};
