#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/MainQueue.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/SystemKeyboard.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/ViewController.h"

namespace {
constexpr double kMultiTapInterval = 0.35;
constexpr double kMultiTapDistance = 20;
constexpr double kSystemKeyboardHeight = 216;

// Views and recognizers take touches through the same four calls.
template <typename Receiver>
void deliver(Receiver& receiver, TouchPhase phase, const TouchSet& touches, const Event& event) {
    switch (phase) {
        case TouchPhase::Began:
            receiver.touchesBegan(touches, event);
            break;
        case TouchPhase::Moved:
        case TouchPhase::Stationary:
            receiver.touchesMoved(touches, event);
            break;
        case TouchPhase::Ended:
            receiver.touchesEnded(touches, event);
            break;
        case TouchPhase::Cancelled:
            receiver.touchesCancelled(touches, event);
            break;
    }
}
}  // namespace

Window::Window(const Rect& frame) : View(frame) {
    if (Application* app = Application::shared()) {
        app->addWindow(this);
    }
}

Window::~Window() {
    m_touches.clear();
    if (m_root) {
        m_root->setParentViewController(nullptr);
    }
    if (Application* app = Application::shared()) {
        app->removeWindow(this);
    }
}

void Window::setRootViewController(std::unique_ptr<ViewController> controller) {
    if (m_root) {
        m_root->beginAppearanceTransition(false, false);
        m_root->view()->removeFromSuperview();
        m_root->endAppearanceTransition();
        // The old root may be replacing itself from one of its own handlers.
        MainQueue::post([old = std::move(m_root)]() {});
    }
    m_root = std::move(controller);
    if (!m_root) {
        return;
    }
    View* view = m_root->view();
    view->setFrame(bounds());
    bool visible = isKeyWindow();
    if (visible) {
        m_root->beginAppearanceTransition(true, false);
    }
    insertSubview(m_root->viewShared(), 0);
    if (visible) {
        m_root->endAppearanceTransition();
    }
}

void Window::makeKeyAndVisible() {
    setHidden(false);
    Application* app = Application::shared();
    bool wasKey = isKeyWindow();
    if (app) {
        app->setKeyWindow(this);
    }
    if (!wasKey && m_root) {
        m_root->beginAppearanceTransition(true, false);
        m_root->endAppearanceTransition();
    }
}

bool Window::isKeyWindow() const {
    Application* app = Application::shared();
    return app && app->keyWindow() == this;
}

// The keyboard stays above everything added to the window after it.
void Window::didAddSubview(View* view) {
    if (m_keyboardHost && view != m_keyboardHost) {
        bringSubviewToFront(m_keyboardHost);
    }
}

int Window::tapCountFor(Point location, double timestamp) const {
    if (m_lastTapTime < 0 || timestamp - m_lastTapTime > kMultiTapInterval) {
        return 1;
    }
    double distance =
        std::hypot(location.x - m_lastTapLocation.x, location.y - m_lastTapLocation.y);
    return distance <= kMultiTapDistance ? m_lastTapCount + 1 : 1;
}

void Window::handleTouches(const std::vector<TouchInput>& inputs, double timestamp) {
    TouchSet touches;
    for (const TouchInput& input : inputs) {
        auto it = m_touches.find(input.id);
        if (input.phase == TouchPhase::Began) {
            if (it != m_touches.end()) {
                continue;
            }
            auto touch = std::make_unique<Touch>(input.id, this, input.location, timestamp,
                                                 tapCountFor(input.location, timestamp));
            touches.push_back(touch.get());
            m_touches[input.id] = std::move(touch);
            continue;
        }
        if (it == m_touches.end()) {
            continue;
        }
        it->second->update(input.phase, input.location, timestamp);
        touches.push_back(it->second.get());
    }
    if (touches.empty()) {
        return;
    }
    Event event = Event::touches(this, touches, timestamp);
    WeakLink<Window> self(this);
    if (Application* app = Application::shared()) {
        app->sendEvent(event);
    } else {
        sendEvent(event);
    }
    if (!self) {
        return;
    }
    for (Touch* touch : touches) {
        if (touch->phase() == TouchPhase::Ended || touch->phase() == TouchPhase::Cancelled) {
            if (touch->phase() == TouchPhase::Ended) {
                m_lastTapTime = touch->timestamp();
                m_lastTapLocation = touch->locationInWindow();
                m_lastTapCount = touch->tapCount();
            }
            m_touches.erase(touch->id());
        }
    }
    endSequenceIfIdle();
}

const Touch* Window::touchInFlight(int id) const {
    auto it = m_touches.find(id);
    return it == m_touches.end() ? nullptr : it->second.get();
}

void Window::endSequenceIfIdle() {
    if (!m_touches.empty()) {
        return;
    }
    for (const WeakLink<GestureRecognizer>& ref : m_sequenceRecognizers) {
        if (GestureRecognizer* r = ref.get()) {
            r->reset();
        }
    }
    m_sequenceRecognizers.clear();
}

void Window::collectRecognizers(Touch* touch) {
    View* hit = touch->view();
    bool onControl = dynamic_cast<Control*>(hit) != nullptr;
    for (View* v = hit; v; v = v->superview()) {
        for (GestureRecognizer* r : v->gestureRecognizers()) {
            if (!r->isEnabled()) {
                continue;
            }
            // A tap meant for a button is the button's, not its container's.
            if (onControl && v != hit && dynamic_cast<TapGestureRecognizer*>(r)) {
                continue;
            }
            touch->recognizers().push_back(r);
            bool known = std::any_of(m_sequenceRecognizers.begin(), m_sequenceRecognizers.end(),
                                     [r](const auto& ref) { return ref.get() == r; });
            if (!known) {
                m_sequenceRecognizers.push_back(r);
            }
        }
    }
}

void Window::sendEvent(Event& event) {
    if (event.type() != Event::Type::Touches) {
        return;
    }
    layoutIfNeeded();
    TouchSet began;
    for (Touch* t : event.allTouches()) {
        if (t->phase() == TouchPhase::Began) {
            // A screen still sliding in may already sit where the finger lands.
            View* hit = Application::isInTransition() ? nullptr : hitTest(t->locationInWindow());
            t->setView(hit);
            if (hit) {
                collectRecognizers(t);
            }
            // A view without multiple touch hears only its first finger.
            bool busy = hit && !hit->isMultipleTouchEnabled() &&
                        std::any_of(m_touches.begin(), m_touches.end(), [t, hit](const auto& e) {
                            Touch* other = e.second.get();
                            return other != t && other->view() == hit && other->deliversToView();
                        });
            if (!hit || busy) {
                t->stopDeliveringToView();
            }
            began.push_back(t);
        }
    }
    TouchSet moved, ended, cancelled;
    for (Touch* t : event.allTouches()) {
        if (t->phase() == TouchPhase::Moved || t->phase() == TouchPhase::Stationary) {
            moved.push_back(t);
        } else if (t->phase() == TouchPhase::Ended) {
            ended.push_back(t);
        } else if (t->phase() == TouchPhase::Cancelled) {
            cancelled.push_back(t);
        }
    }
    WeakLink<Window> self(this);
    dispatchPhase(began, TouchPhase::Began, event);
    if (self) {
        dispatchPhase(moved, TouchPhase::Moved, event);
    }
    if (self) {
        dispatchPhase(ended, TouchPhase::Ended, event);
    }
    if (self) {
        dispatchPhase(cancelled, TouchPhase::Cancelled, event);
    }
}

void Window::dispatchPhase(const TouchSet& touches, TouchPhase phase, const Event& event) {
    if (touches.empty()) {
        return;
    }
    // Recognizers first, each with the touches it watches.
    std::vector<WeakLink<GestureRecognizer>> recognizers;
    for (Touch* t : touches) {
        for (const WeakLink<GestureRecognizer>& ref : t->recognizers()) {
            GestureRecognizer* r = ref.get();
            if (r && std::none_of(recognizers.begin(), recognizers.end(),
                                  [r](const auto& x) { return x.get() == r; })) {
                recognizers.push_back(ref);
            }
        }
    }
    for (const WeakLink<GestureRecognizer>& ref : recognizers) {
        GestureRecognizer* r = ref.get();
        if (!r || !r->view()) {
            continue;
        }
        auto state = r->state();
        bool done = state == GestureRecognizer::State::Failed ||
                    state == GestureRecognizer::State::Cancelled ||
                    (state == GestureRecognizer::State::Ended);
        if (done) {
            continue;
        }
        TouchSet mine;
        for (Touch* t : touches) {
            bool watches = std::any_of(t->recognizers().begin(), t->recognizers().end(),
                                       [r](const auto& x) { return x.get() == r; });
            if (watches) {
                mine.push_back(t);
            }
        }
        deliver(*r, phase, mine, event);
    }
    // Then the views, each with its own touches.
    std::vector<WeakLink<View>> views;
    for (Touch* t : touches) {
        View* v = t->view();
        if (v && t->deliversToView() &&
            std::none_of(views.begin(), views.end(), [v](const auto& x) { return x.get() == v; })) {
            views.push_back(v);
        }
    }
    for (const WeakLink<View>& ref : views) {
        View* v = ref.get();
        if (!v) {
            continue;
        }
        TouchSet mine;
        for (Touch* t : touches) {
            if (t->view() == v && t->deliversToView()) {
                mine.push_back(t);
            }
        }
        if (mine.empty()) {
            continue;
        }
        deliver(*v, phase, mine, event);
    }
}

void Window::recognizerClaimedTouches(GestureRecognizer* recognizer) {
    std::vector<Touch*> claimed;
    for (auto& [id, touch] : m_touches) {
        if (recognizer->tracks(touch.get())) {
            claimed.push_back(touch.get());
        }
    }
    for (Touch* t : claimed) {
        for (const WeakLink<GestureRecognizer>& ref : t->recognizers()) {
            GestureRecognizer* other = ref.get();
            if (other && other != recognizer) {
                other->fail();
            }
        }
    }
    if (!recognizer->cancelsTouchesInView()) {
        return;
    }
    for (Touch* t : claimed) {
        if (!t->deliversToView()) {
            continue;
        }
        t->stopDeliveringToView();
        if (View* v = t->view()) {
            Event cancel = Event::touches(this, {t}, t->timestamp());
            v->touchesCancelled({t}, cancel);
        }
    }
}

void Window::showKeyboard(std::shared_ptr<View> inputView) {
    if (!inputView) {
        if (!m_systemKeyboard) {
            m_systemKeyboard =
                std::make_shared<SystemKeyboard>(Rect{0, 0, bounds().width, kSystemKeyboardHeight});
        }
        inputView = m_systemKeyboard;
    }
    if (!m_keyboardHost) {
        m_keyboardHost = addSubview(std::make_unique<View>());
    }
    for (View* old : m_keyboardHost->subviews()) {
        if (old != inputView.get()) {
            old->removeFromSuperview();
        }
    }
    double height = inputView->frame().height;
    m_keyboardHost->setFrame({0, bounds().height - height, bounds().width, height});
    inputView->setFrame({0, 0, bounds().width, height});
    if (inputView->superview() != m_keyboardHost) {
        m_keyboardHost->addSubview(inputView);
    }
    bringSubviewToFront(m_keyboardHost);
}

void Window::hideKeyboard() {
    if (!m_keyboardHost) {
        return;
    }
    m_keyboardHost->removeFromSuperview();
    m_keyboardHost = nullptr;
}

View* Window::keyboardView() const {
    if (!m_keyboardHost || m_keyboardHost->subviews().empty()) {
        return nullptr;
    }
    return m_keyboardHost->subviews().front();
}

Rect Window::keyboardFrame() const {
    return m_keyboardHost ? m_keyboardHost->frame() : Rect{};
}

ViewController* Window::topViewController() const {
    ViewController* top = m_root.get();
    while (top) {
        ViewController* next = top->visibleChildForStatusBar();
        if (!next) {
            break;
        }
        top = next;
    }
    return top;
}
