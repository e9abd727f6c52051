#include "platform/ui/View.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Application.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/KeptDrawing.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

struct View::Animation {
    Point fromCenter;
    Rect fromBounds;
    double fromAlpha = 1;
    AffineTransform fromTransform;
    double start = 0;
    double duration = 0;

    double progress() const {
        if (duration <= 0) {
            return 1;
        }
        double t = std::clamp((Timer::now() - start) / duration, 0.0, 1.0);
        return t * t * (3 - 2 * t);
    }
};

namespace {

struct PendingCapture {
    WeakLink<View> view;
    Point center;
    Rect bounds;
    double alpha;
    AffineTransform transform;
};

std::vector<std::vector<PendingCapture>>& recording() {
    static std::vector<std::vector<PendingCapture>> stack;
    return stack;
}

std::vector<std::unique_ptr<Timer>>& runningAnimations() {
    static std::vector<std::unique_ptr<Timer>> timers;
    return timers;
}

double& speedFactor() {
    static double speed = 1;
    return speed;
}

std::function<void()>& displayHandler() {
    static std::function<void()> handler;
    return handler;
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

// Keeps a detached view alive until the current event has been handled.
void releaseLater(std::shared_ptr<View> view) {
    MainQueue::post([keep = std::move(view)]() mutable { keep.reset(); });
}

}  // namespace

View::View() = default;

View::View(const Rect& frame) {
    setFrame(frame);
}

View::~View() {
    for (auto& child : m_subviews) {
        child->m_superview = nullptr;
    }
}

Rect View::frame() const {
    Rect local{-m_bounds.width / 2, -m_bounds.height / 2, m_bounds.width, m_bounds.height};
    Rect box = m_transform.isIdentity() ? local : m_transform.applyToRect(local);
    return box.offsetBy(m_center.x, m_center.y);
}

void View::setFrame(const Rect& frame) {
    captureForAnimation();
    Size size{frame.width, frame.height};
    if (!m_transform.isIdentity()) {
        // Solve for the bounds size whose transformed box has the frame's size.
        double a = std::fabs(m_transform.a), b = std::fabs(m_transform.b);
        double c = std::fabs(m_transform.c), d = std::fabs(m_transform.d);
        double det = a * d - b * c;
        if (std::fabs(det) > 1e-9) {
            size = {(d * frame.width - c * frame.height) / det,
                    (a * frame.height - b * frame.width) / det};
        }
    }
    bool resized = size.width != m_bounds.width || size.height != m_bounds.height;
    m_center = {frame.x + frame.width / 2, frame.y + frame.height / 2};
    m_bounds.width = size.width;
    m_bounds.height = size.height;
    if (resized) {
        setNeedsLayout();
    }
    displayChanged();
}

void View::setBounds(const Rect& bounds) {
    captureForAnimation();
    bool resized = bounds.width != m_bounds.width || bounds.height != m_bounds.height;
    m_bounds = bounds;
    if (resized) {
        setNeedsLayout();
    }
    displayChanged();
}

void View::setCenter(Point center) {
    captureForAnimation();
    m_center = center;
    displayChanged();
}

void View::setTransform(const AffineTransform& transform) {
    captureForAnimation();
    m_transform = transform;
    displayChanged();
}

void View::setAlpha(double alpha) {
    captureForAnimation();
    m_alpha = std::clamp(alpha, 0.0, 1.0);
    displayChanged();
}

void View::setHidden(bool hidden) {
    m_hidden = hidden;
    displayChanged();
}

void View::setBackgroundColor(const Color& color) {
    m_backgroundColor = color;
    displayChanged();
}

void View::setClipsToBounds(bool clips) {
    m_clipsToBounds = clips;
    displayChanged();
}

void View::setCornerRadius(double radius) {
    m_cornerRadius = radius;
    displayChanged();
}

void View::setBorderWidth(double width) {
    m_borderWidth = width;
    displayChanged();
}

void View::setBorderColor(const Color& color) {
    m_borderColor = color;
    displayChanged();
}

std::vector<View*> View::subviews() const {
    std::vector<View*> result;
    result.reserve(m_subviews.size());
    for (const auto& child : m_subviews) {
        result.push_back(child.get());
    }
    return result;
}

void View::insertSubview(std::shared_ptr<View> view, std::size_t index) {
    if (!view || view.get() == this) {
        return;
    }
    Window* oldWindow = view->window();
    if (view->m_superview) {
        View* old = view->m_superview;
        auto it = std::find(old->m_subviews.begin(), old->m_subviews.end(), view);
        if (it != old->m_subviews.end()) {
            if (old == this && static_cast<std::size_t>(it - m_subviews.begin()) < index) {
                --index;
            }
            old->willRemoveSubview(view.get());
            old->m_subviews.erase(it);
        }
    }
    index = std::min(index, m_subviews.size());
    view->m_superview = this;
    m_subviews.insert(m_subviews.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->didMoveToSuperview();
    didAddSubview(view.get());
    if (view->window() != oldWindow) {
        view->notifyMovedToWindow();
    }
    displayChanged();
}

void View::insertSubviewAbove(std::shared_ptr<View> view, View* sibling) {
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(),
                           [sibling](const auto& v) { return v.get() == sibling; });
    std::size_t index = it == m_subviews.end()
                            ? m_subviews.size()
                            : static_cast<std::size_t>(it - m_subviews.begin()) + 1;
    insertSubview(std::move(view), index);
}

void View::insertSubviewBelow(std::shared_ptr<View> view, View* sibling) {
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(),
                           [sibling](const auto& v) { return v.get() == sibling; });
    std::size_t index =
        it == m_subviews.end() ? 0 : static_cast<std::size_t>(it - m_subviews.begin());
    insertSubview(std::move(view), index);
}

std::shared_ptr<View> View::removeFromSuperview() {
    View* parent = m_superview;
    if (!parent) {
        return {};
    }
    auto it = std::find_if(parent->m_subviews.begin(), parent->m_subviews.end(),
                           [this](const auto& v) { return v.get() == this; });
    if (it == parent->m_subviews.end()) {
        return {};
    }
    std::shared_ptr<View> self = *it;
    bool hadWindow = window() != nullptr;
    parent->willRemoveSubview(this);
    parent->m_subviews.erase(it);
    m_superview = nullptr;
    if (hadWindow) {
        endEditing();
        notifyMovedToWindow();
    }
    didMoveToSuperview();
    releaseLater(self);
    displayChanged();
    return self;
}

void View::bringSubviewToFront(View* view) {
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(),
                           [view](const auto& v) { return v.get() == view; });
    if (it == m_subviews.end()) {
        return;
    }
    std::shared_ptr<View> keep = *it;
    m_subviews.erase(it);
    m_subviews.push_back(keep);
    displayChanged();
}

void View::sendSubviewToBack(View* view) {
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(),
                           [view](const auto& v) { return v.get() == view; });
    if (it == m_subviews.end()) {
        return;
    }
    std::shared_ptr<View> keep = *it;
    m_subviews.erase(it);
    m_subviews.insert(m_subviews.begin(), keep);
    displayChanged();
}

View* View::viewWithTag(int tag) {
    if (m_tag == tag) {
        return this;
    }
    for (const auto& child : m_subviews) {
        if (View* found = child->viewWithTag(tag)) {
            return found;
        }
    }
    return nullptr;
}

bool View::isDescendantOf(const View* view) const {
    for (const View* v = this; v; v = v->m_superview) {
        if (v == view) {
            return true;
        }
    }
    return false;
}

Window* View::window() const {
    const View* top = this;
    while (top->m_superview) {
        top = top->m_superview;
    }
    return const_cast<Window*>(dynamic_cast<const Window*>(top));
}

void View::notifyMovedToWindow() {
    didMoveToWindow();
    for (const auto& child : m_subviews) {
        child->notifyMovedToWindow();
    }
}

void View::setNeedsLayout() {
    m_needsLayout = true;
    displayChanged();
}

void View::layoutIfNeeded() {
    if (m_needsLayout) {
        m_needsLayout = false;
        layoutSubviews();
    }
    // Copy: layout may add or remove subviews.
    std::vector<std::shared_ptr<View>> children = m_subviews;
    for (const auto& child : children) {
        child->layoutIfNeeded();
    }
}

void View::setNeedsDisplay() {
    m_needsDisplay = true;
    displayChanged();
}

void View::setKeepsDrawing(bool keeps) {
    m_keepsDrawing = keeps;
    if (!keeps) {
        m_kept.reset();
    }
}

void View::keepDrawing(std::unique_ptr<KeptDrawing> kept) {
    m_kept = std::move(kept);
    m_needsDisplay = false;
}

void View::draw(GraphicsContext&, const Rect&) {}

Size View::sizeThatFits(Size) const {
    return {m_bounds.width, m_bounds.height};
}

void View::sizeToFit() {
    Size size = sizeThatFits({0, 0});
    Rect f = frame();
    setFrame({f.x, f.y, size.width, size.height});
}

AffineTransform View::toSuperview() const {
    // Bounds point -> relative to the centre -> transformed -> placed at the centre.
    return AffineTransform::translation(-m_bounds.x - m_bounds.width / 2,
                                        -m_bounds.y - m_bounds.height / 2)
        .concat(m_transform)
        .concat(AffineTransform::translation(m_center.x, m_center.y));
}

Point View::pointToSuperview(Point p) const {
    return toSuperview().apply(p);
}

Point View::pointFromSuperview(Point p) const {
    return toSuperview().inverted().apply(p);
}

// The top of the tree (normally the window) defines the window coordinates.
Point View::convertPointToWindow(Point p) const {
    for (const View* v = this; v->m_superview; v = v->m_superview) {
        p = v->pointToSuperview(p);
    }
    return p;
}

Point View::convertPointFromWindow(Point p) const {
    std::vector<const View*> chain;
    for (const View* v = this; v->m_superview; v = v->m_superview) {
        chain.push_back(v);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        p = (*it)->pointFromSuperview(p);
    }
    return p;
}

Point View::convertPoint(Point p, const View* to) const {
    Point inWindow = convertPointToWindow(p);
    return to ? to->convertPointFromWindow(inWindow) : inWindow;
}

Point View::convertPointFrom(Point p, const View* from) const {
    Point inWindow = from ? from->convertPointToWindow(p) : p;
    return convertPointFromWindow(inWindow);
}

Rect View::convertRect(const Rect& r, const View* to) const {
    return boundingRect(
        {convertPoint({r.minX(), r.minY()}, to), convertPoint({r.maxX(), r.minY()}, to),
         convertPoint({r.minX(), r.maxY()}, to), convertPoint({r.maxX(), r.maxY()}, to)});
}

bool View::takesTouches() const {
    return !m_hidden && m_userInteractionEnabled && m_alpha >= 0.01;
}

bool View::pointInside(Point p) const {
    return m_bounds.contains(p);
}

View* View::hitTest(Point p) {
    if (!takesTouches() || !pointInside(p)) {
        return nullptr;
    }
    for (auto it = m_subviews.rbegin(); it != m_subviews.rend(); ++it) {
        View* child = it->get();
        if (View* hit = child->hitTest(child->pointFromSuperview(p))) {
            return hit;
        }
    }
    return this;
}

GestureRecognizer* View::addGestureRecognizer(std::unique_ptr<GestureRecognizer> recognizer) {
    GestureRecognizer* raw = recognizer.get();
    if (!raw) {
        return nullptr;
    }
    raw->setView(this);
    m_recognizers.push_back(std::move(recognizer));
    return raw;
}

void View::removeGestureRecognizer(GestureRecognizer* recognizer) {
    auto it = std::find_if(m_recognizers.begin(), m_recognizers.end(),
                           [recognizer](const auto& r) { return r.get() == recognizer; });
    if (it == m_recognizers.end()) {
        return;
    }
    std::shared_ptr<GestureRecognizer> keep(std::move(*it));
    m_recognizers.erase(it);
    keep->setView(nullptr);
    // A recognizer may remove itself from inside its own action.
    MainQueue::post([keep]() {});
}

std::vector<GestureRecognizer*> View::gestureRecognizers() const {
    std::vector<GestureRecognizer*> result;
    for (const auto& r : m_recognizers) {
        result.push_back(r.get());
    }
    return result;
}

Responder* View::nextResponder() const {
    if (m_viewController) {
        return m_viewController;
    }
    return m_superview;
}

bool View::endEditing() {
    Application* app = Application::shared();
    if (!app) {
        return true;
    }
    Responder* first = app->firstResponder();
    auto* firstView = dynamic_cast<View*>(first);
    if (firstView && firstView->isDescendantOf(this)) {
        return firstView->resignFirstResponder();
    }
    return true;
}

void View::captureForAnimation() {
    if (recording().empty()) {
        return;
    }
    auto& pending = recording().back();
    for (const PendingCapture& c : pending) {
        if (c.view.get() == this) {
            return;
        }
    }
    pending.push_back({this, presentationCenter(), presentationBounds(), presentationAlpha(),
                       presentationTransform()});
}

void View::animate(double duration, const std::function<void()>& changes,
                   std::function<void(bool)> completion) {
    animate(duration, 0, changes, std::move(completion));
}

void View::animate(double duration, double delay, const std::function<void()>& changes,
                   std::function<void(bool)> completion) {
    recording().emplace_back();
    if (changes) {
        changes();
    }
    std::vector<PendingCapture> captured = std::move(recording().back());
    recording().pop_back();
    double speed = speedFactor();
    bool instant = speed <= 0 || duration + delay <= 0;
    double now = Timer::now();
    for (const PendingCapture& c : captured) {
        View* v = c.view.get();
        if (!v) {
            continue;
        }
        if (instant) {
            v->m_animation.reset();
            continue;
        }
        auto animation = std::make_unique<Animation>();
        animation->fromCenter = c.center;
        animation->fromBounds = c.bounds;
        animation->fromAlpha = c.alpha;
        animation->fromTransform = c.transform;
        animation->start = now + delay / speed;
        animation->duration = duration / speed;
        v->m_animation = std::move(animation);
    }
    if (instant) {
        if (completion) {
            MainQueue::post([completion]() { completion(true); });
        }
        return;
    }
    std::vector<WeakLink<View>> views;
    for (const PendingCapture& c : captured) {
        views.push_back(c.view);
    }
    auto self = std::make_shared<Timer*>(nullptr);
    auto timer =
        Timer::scheduledTimer((duration + delay) / speed, false, [views, completion, self]() {
            for (const WeakLink<View>& ref : views) {
                if (View* v = ref.get()) {
                    v->m_animation.reset();
                }
            }
            displayChanged();
            // A finished animation lets go of its timer (dropping it here is allowed).
            std::erase_if(runningAnimations(), [&self](const auto& t) { return t.get() == *self; });
            if (completion) {
                completion(true);
            }
        });
    *self = timer.get();
    runningAnimations().push_back(std::move(timer));
}

void View::setAnimationSpeed(double speed) {
    speedFactor() = speed;
}

double View::animationSpeed() {
    return speedFactor();
}

bool View::hasRunningAnimations() {
    auto& timers = runningAnimations();
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [](const auto& t) { return !t->isValid(); }),
        timers.end());
    return !timers.empty();
}

Point View::presentationCenter() const {
    if (!m_animation) {
        return m_center;
    }
    double t = m_animation->progress();
    return {lerp(m_animation->fromCenter.x, m_center.x, t),
            lerp(m_animation->fromCenter.y, m_center.y, t)};
}

Rect View::presentationBounds() const {
    if (!m_animation) {
        return m_bounds;
    }
    double t = m_animation->progress();
    const Rect& f = m_animation->fromBounds;
    return {lerp(f.x, m_bounds.x, t), lerp(f.y, m_bounds.y, t), lerp(f.width, m_bounds.width, t),
            lerp(f.height, m_bounds.height, t)};
}

double View::presentationAlpha() const {
    if (!m_animation) {
        return m_alpha;
    }
    return lerp(m_animation->fromAlpha, m_alpha, m_animation->progress());
}

AffineTransform View::presentationTransform() const {
    if (!m_animation) {
        return m_transform;
    }
    return m_animation->fromTransform.interpolated(m_transform, m_animation->progress());
}

AffineTransform View::presentationToSuperview() const {
    Rect b = presentationBounds();
    Point c = presentationCenter();
    return AffineTransform::translation(-b.x - b.width / 2, -b.y - b.height / 2)
        .concat(presentationTransform())
        .concat(AffineTransform::translation(c.x, c.y));
}

void View::setDisplayChangedHandler(std::function<void()> handler) {
    displayHandler() = std::move(handler);
}

void View::displayChanged() {
    if (displayHandler()) {
        displayHandler()();
    }
}
