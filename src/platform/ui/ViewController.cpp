#include "platform/ui/ViewController.h"

#include <algorithm>

#include "platform/foundation/MainQueue.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

namespace {
constexpr Rect kDefaultScreen{0, 0, 320, 568};

void releaseLater(std::shared_ptr<ViewController> controller) {
    MainQueue::post([keep = std::move(controller)]() mutable { keep.reset(); });
}
}  // namespace

ViewController::ViewController() = default;

ViewController::~ViewController() {
    for (auto& child : m_children) {
        child->m_parent = nullptr;
    }
    if (m_presented) {
        m_presented->m_presenting = nullptr;
    }
    if (m_view) {
        m_view->setViewController(nullptr);
        m_view->removeFromSuperview();
    }
}

View* ViewController::view() {
    return viewShared().get();
}

std::shared_ptr<View> ViewController::viewShared() {
    if (!m_view) {
        loadView();
        if (!m_view) {
            setView(std::make_shared<View>(kDefaultScreen));
        }
        viewDidLoad();
    }
    return m_view;
}

void ViewController::setView(std::shared_ptr<View> view) {
    if (m_view) {
        m_view->setViewController(nullptr);
    }
    m_view = std::move(view);
    if (m_view) {
        m_view->setViewController(this);
    }
}

void ViewController::loadView() {
    Application* app = Application::shared();
    Window* window = app ? app->keyWindow() : nullptr;
    auto view = std::make_shared<View>(window ? window->bounds() : kDefaultScreen);
    view->setBackgroundColor(Color::whiteColor());
    setView(view);
}

void ViewController::setTitle(const std::string& title) {
    m_title = title;
    if (NavigationController* nav = navigationController()) {
        nav->titleChanged(this);
    }
}

void ViewController::setNeedsStatusBarAppearanceUpdate() {
    if (m_view) {
        m_view->setNeedsDisplay();
    }
}

NavigationController* ViewController::navigationController() const {
    for (ViewController* p = m_parent; p; p = p->m_parent) {
        if (auto* nav = dynamic_cast<NavigationController*>(p)) {
            return nav;
        }
    }
    return nullptr;
}

TabBarController* ViewController::tabBarController() const {
    for (ViewController* p = m_parent; p; p = p->m_parent) {
        if (auto* tabs = dynamic_cast<TabBarController*>(p)) {
            return tabs;
        }
    }
    return nullptr;
}

std::vector<ViewController*> ViewController::childViewControllers() const {
    std::vector<ViewController*> result;
    for (const auto& c : m_children) {
        result.push_back(c.get());
    }
    return result;
}

void ViewController::insertChild(std::shared_ptr<ViewController> child, std::size_t index) {
    if (!child) {
        return;
    }
    child->m_parent = this;
    index = std::min(index, m_children.size());
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(index), std::move(child));
}

std::shared_ptr<ViewController> ViewController::detachChild(ViewController* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [child](const auto& c) { return c.get() == child; });
    if (it == m_children.end()) {
        return {};
    }
    std::shared_ptr<ViewController> keep = *it;
    m_children.erase(it);
    keep->m_parent = nullptr;
    releaseLater(keep);
    return keep;
}

std::shared_ptr<ViewController> ViewController::removeFromParentViewController() {
    return m_parent ? m_parent->detachChild(this) : nullptr;
}

std::vector<ViewController*> ViewController::appearanceChildren() {
    std::vector<ViewController*> result;
    if (!m_view) {
        return result;
    }
    for (const auto& c : m_children) {
        if (c->isViewLoaded() && c->m_view->isDescendantOf(m_view.get())) {
            result.push_back(c.get());
        }
    }
    return result;
}

void ViewController::beginAppearanceTransition(bool appearing, bool animated) {
    bool shown = m_appearance == Appearance::Appeared || m_appearance == Appearance::Appearing;
    if (appearing == shown) {
        return;
    }
    view();
    m_transitionAnimated = animated;
    m_appearance = appearing ? Appearance::Appearing : Appearance::Disappearing;
    WeakLink<ViewController> self(this);
    if (appearing) {
        viewWillAppear(animated);
    } else {
        viewWillDisappear(animated);
    }
    if (!self) {
        return;
    }
    m_transitionChildren.clear();
    for (ViewController* child : appearanceChildren()) {
        m_transitionChildren.push_back(child);
        child->beginAppearanceTransition(appearing, animated);
    }
}

void ViewController::endAppearanceTransition() {
    if (m_appearance != Appearance::Appearing && m_appearance != Appearance::Disappearing) {
        return;
    }
    bool appearing = m_appearance == Appearance::Appearing;
    m_appearance = appearing ? Appearance::Appeared : Appearance::Disappeared;
    WeakLink<ViewController> self(this);
    if (appearing) {
        viewDidAppear(m_transitionAnimated);
    } else {
        viewDidDisappear(m_transitionAnimated);
    }
    if (!self) {
        return;
    }
    std::vector<WeakLink<ViewController>> children = std::move(m_transitionChildren);
    for (const WeakLink<ViewController>& ref : children) {
        if (ViewController* child = ref.get()) {
            child->endAppearanceTransition();
        }
    }
}

ViewController* ViewController::visibleChildForStatusBar() const {
    return m_presented.get();
}

Responder* ViewController::nextResponder() const {
    if (m_view && m_view->superview()) {
        return m_view->superview();
    }
    return m_parent;
}

void ViewController::presentViewController(std::unique_ptr<ViewController> controller,
                                           bool animated, std::function<void()> completion) {
    if (!controller || m_presented) {
        return;
    }
    Application* app = Application::shared();
    Window* window =
        isViewLoaded() && m_view->window() ? m_view->window() : (app ? app->keyWindow() : nullptr);
    if (!window) {
        return;
    }
    m_presented = std::move(controller);
    ViewController* presented = m_presented.get();
    presented->m_presenting = this;
    Rect b = window->bounds();
    presented->view()->setFrame(animated ? b.offsetBy(0, b.height) : b);
    beginAppearanceTransition(false, animated);
    presented->beginAppearanceTransition(true, animated);
    window->addSubview(presented->viewShared());
    WeakLink<ViewController> self(this);
    WeakLink<ViewController> shown(presented);
    auto finish = [self, shown, completion]() {
        if (ViewController* p = shown.get()) {
            p->endAppearanceTransition();
        }
        if (ViewController* s = self.get()) {
            s->endAppearanceTransition();
        }
        if (completion) {
            completion();
        }
    };
    if (!animated) {
        finish();
        return;
    }
    View::animate(
        kTransitionDuration, [presented, b]() { presented->view()->setFrame(b); },
        [finish, hold = std::make_shared<Application::TransitionHold>()](bool) { finish(); });
}

void ViewController::dismissViewController(bool animated, std::function<void()> completion) {
    ViewController* presenter = m_presented ? this : m_presenting;
    if (!presenter || !presenter->m_presented) {
        return;
    }
    std::shared_ptr<ViewController> presented = presenter->m_presented;
    presented->beginAppearanceTransition(false, animated);
    presenter->beginAppearanceTransition(true, animated);
    WeakLink<ViewController> owner(presenter);
    auto finish = [owner, presented, completion]() {
        presented->view()->removeFromSuperview();
        presented->endAppearanceTransition();
        if (ViewController* p = owner.get()) {
            p->endAppearanceTransition();
            if (p->m_presented == presented) {
                presented->m_presenting = nullptr;
                p->m_presented.reset();
                releaseLater(presented);
            }
        }
        if (completion) {
            completion();
        }
    };
    if (!animated) {
        finish();
        return;
    }
    View* v = presented->view();
    Rect target = v->frame().offsetBy(0, v->frame().height);
    View::animate(
        kTransitionDuration, [v, target]() { v->setFrame(target); },
        [finish, hold = std::make_shared<Application::TransitionHold>()](bool) { finish(); });
}
