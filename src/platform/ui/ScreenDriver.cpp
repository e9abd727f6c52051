#include "platform/ui/ScreenDriver.h"

#include <algorithm>
#include <cmath>

#include "platform/foundation/MainQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Timer.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

namespace {

void collect(View* view, std::vector<View*>& out) {
    out.push_back(view);
    for (View* child : view->subviews()) {
        collect(child, out);
    }
}

constexpr double kStepSeconds = 0.016;
constexpr double kLongestTransition = 5;

// A touch made while a screen slides in or out reaches nothing: a gesture meant to land waits
// for the slide to end, as a person does.
void waitForTransition() {
    RunLoop::runUntil([] { return !Application::isInTransition(); }, kLongestTransition);
}

}  // namespace

ScreenDriver::ScreenDriver(Screen& screen) : m_screen(screen) {}

Window* ScreenDriver::window() const {
    Application* app = Application::shared();
    return app ? app->keyWindow() : nullptr;
}

std::vector<View*> ScreenDriver::allViews() const {
    std::vector<View*> result;
    if (Window* w = window()) {
        w->layoutIfNeeded();
        collect(w, result);
    }
    return result;
}

bool ScreenDriver::isVisible(const View* view) const {
    if (!view || view->window() != window()) {
        return false;
    }
    window()->layoutIfNeeded();
    for (const View* v = view; v; v = v->superview()) {
        if (v->isHidden() || v->alpha() < 0.01) {
            return false;
        }
    }
    return !visibleRect(view).isEmpty();
}

Rect ScreenDriver::visibleRect(const View* view) const {
    Rect shown = view->convertRect(view->bounds(), nullptr).intersected(m_screen.bounds());
    for (const View* v = view->superview(); v; v = v->superview()) {
        if (v->clipsToBounds()) {
            shown = shown.intersected(v->convertRect(v->bounds(), nullptr));
        }
    }
    return shown;
}

View* ScreenDriver::viewWithTag(int tag) const {
    Window* w = window();
    return w ? w->viewWithTag(tag) : nullptr;
}

std::string ScreenDriver::textOf(const View* view) {
    if (auto* label = dynamic_cast<const Label*>(view)) {
        return label->text();
    }
    if (auto* field = dynamic_cast<const TextField*>(view)) {
        return field->text().empty() ? field->placeholder() : field->text();
    }
    return {};
}

std::vector<View*> ScreenDriver::viewsWithText(const std::string& text) const {
    std::vector<View*> result;
    for (View* v : allViews()) {
        if (isVisible(v) && !dynamic_cast<Button*>(v) && textOf(v) == text) {
            // A button's title label stands for the button.
            View* owner = v;
            if (auto* button = dynamic_cast<Button*>(v->superview());
                button && button->titleLabel() == v) {
                owner = button;
            }
            result.push_back(owner);
        }
    }
    return result;
}

View* ScreenDriver::viewWithText(const std::string& text) const {
    auto all = viewsWithText(text);
    return all.empty() ? nullptr : all.back();
}

std::vector<std::string> ScreenDriver::visibleTexts() const {
    std::vector<std::string> result;
    for (View* v : allViews()) {
        std::string t = textOf(v);
        if (!t.empty() && isVisible(v)) {
            result.push_back(t);
        }
    }
    return result;
}

double ScreenDriver::nextTime(double gap) {
    m_clock = std::max(m_clock + gap, Timer::now());
    return m_clock;
}

bool ScreenDriver::reaches(const View* view) const {
    Window* w = window();
    View* hit = w && view && isVisible(view) ? w->hitTest(visibleRect(view).center()) : nullptr;
    return hit && (hit == view || hit->isDescendantOf(view));
}

bool ScreenDriver::tap(View* view) {
    Window* w = window();
    if (!view || !w || !isVisible(view)) {
        return false;
    }
    w->layoutIfNeeded();
    Point center = visibleRect(view).center();
    View* hit = w->hitTest(center);
    if (!hit || !(hit == view || hit->isDescendantOf(view) || view->isDescendantOf(hit))) {
        return false;
    }
    tapAt(center);
    return true;
}

bool ScreenDriver::tapText(const std::string& text) {
    return tap(viewWithText(text));
}

bool ScreenDriver::tapRow(TableView& table, IndexPath indexPath) {
    const std::optional<Point> at = rowPoint(table, indexPath);
    if (!at) {
        return false;
    }
    tapAt(*at);
    return true;
}

std::optional<Point> ScreenDriver::rowPoint(TableView& table, IndexPath indexPath) {
    Rect row = table.rectForRow(indexPath);
    if (row.isEmpty() || !isVisible(&table)) {
        return std::nullopt;
    }
    table.scrollToRow(indexPath, TableViewScrollPosition::None, false);
    Rect shown =
        table.convertRect(table.rectForRow(indexPath), nullptr).intersected(visibleRect(&table));
    if (shown.isEmpty()) {
        return std::nullopt;
    }
    return shown.center();
}

void ScreenDriver::tapAt(Point point, int taps) {
    waitForTransition();
    for (int i = 0; i < taps; ++i) {
        double t = nextTime(i == 0 ? 0.5 : 0.1);
        m_screen.sendTouches({{1, TouchPhase::Began, point}}, t);
        m_clock = t + 0.05;
        m_screen.sendTouches({{1, TouchPhase::Ended, point}}, m_clock);
    }
}

void ScreenDriver::drag(Point from, Point to, int steps, double seconds) {
    strokeEnding(TouchPhase::Ended, from, to, steps, seconds);
}

void ScreenDriver::dragAndCancel(Point from, Point to, int steps, double seconds) {
    strokeEnding(TouchPhase::Cancelled, from, to, steps, seconds);
}

void ScreenDriver::strokeEnding(TouchPhase end, Point from, Point to, int steps, double seconds) {
    steps = std::max(1, steps);
    waitForTransition();
    double t = nextTime();
    m_screen.sendTouches({{1, TouchPhase::Began, from}}, t);
    for (int i = 1; i <= steps; ++i) {
        double f = static_cast<double>(i) / steps;
        Point p{from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f};
        m_screen.sendTouches({{1, TouchPhase::Moved, p}}, t + seconds * f);
    }
    m_clock = t + seconds;
    m_screen.sendTouches({{1, end, to}}, m_clock);
}

void ScreenDriver::swipe(Point from, Point to) {
    drag(from, to, 5, 0.15);
}

void ScreenDriver::longPress(Point point, double seconds,
                             const std::function<void()>& beforeLifting) {
    waitForTransition();
    double t = nextTime();
    m_screen.sendTouches({{1, TouchPhase::Began, point}}, t);
    RunLoop::runFor(seconds);
    if (beforeLifting) {
        beforeLifting();
    }
    m_clock = t + seconds;
    m_screen.sendTouches({{1, TouchPhase::Ended, point}}, m_clock);
}

void ScreenDriver::pinch(Point center, double startDistance, double endDistance, int steps) {
    steps = std::max(1, steps);
    auto fingers = [center](double d) {
        return std::pair<Point, Point>{{center.x - d / 2, center.y}, {center.x + d / 2, center.y}};
    };
    waitForTransition();
    double t = nextTime();
    auto [a0, b0] = fingers(startDistance);
    m_screen.sendTouches({{1, TouchPhase::Began, a0}, {2, TouchPhase::Began, b0}}, t);
    for (int i = 1; i <= steps; ++i) {
        double d = startDistance + (endDistance - startDistance) * i / steps;
        auto [a, b] = fingers(d);
        t += kStepSeconds;
        m_screen.sendTouches({{1, TouchPhase::Moved, a}, {2, TouchPhase::Moved, b}}, t);
    }
    auto [a1, b1] = fingers(endDistance);
    m_clock = t + kStepSeconds;
    m_screen.sendTouches({{1, TouchPhase::Ended, a1}, {2, TouchPhase::Ended, b1}}, m_clock);
}

void ScreenDriver::typeText(const std::string& text) {
    m_screen.sendKey(text, Key::None, nextTime(0.05));
}

void ScreenDriver::pressBackspace() {
    m_screen.sendKey("", Key::Backspace, nextTime(0.05));
}

void ScreenDriver::pressReturn() {
    m_screen.sendKey("", Key::Return, nextTime(0.05));
}

bool ScreenDriver::pressKey(const std::string& title) {
    Window* w = window();
    View* keyboard = w ? w->keyboardView() : nullptr;
    if (!keyboard) {
        return false;
    }
    std::vector<View*> keys;
    collect(keyboard, keys);
    for (View* v : keys) {
        auto* button = dynamic_cast<Button*>(v);
        if (button && button->currentTitle() == title && isVisible(button)) {
            return tap(button);
        }
    }
    return false;
}

AlertView* ScreenDriver::visibleAlert() const {
    auto alerts = viewsOfClass<AlertView>();
    for (auto it = alerts.rbegin(); it != alerts.rend(); ++it) {
        if ((*it)->isVisible()) {
            return *it;
        }
    }
    return nullptr;
}

bool ScreenDriver::tapAlertButton(const std::string& title) {
    AlertView* alert = visibleAlert();
    if (!alert) {
        return false;
    }
    for (int i = 0; i < alert->numberOfButtons(); ++i) {
        if (alert->buttonTitleAtIndex(i) == title) {
            return tap(alert->buttonAtIndex(i));
        }
    }
    return false;
}

bool ScreenDriver::runUntil(const std::function<bool()>& condition, double seconds) {
    return RunLoop::runUntil(condition, seconds);
}

bool ScreenDriver::runFor(double seconds, const std::function<bool()>& condition) {
    return RunLoop::runFor(seconds, condition);
}

void ScreenDriver::settle() {
    RunLoop::runUntil([]() { return !View::hasRunningAnimations(); }, 5);
    // Everything posted before the marker (completion handlers, releases) runs first.
    bool reached = false;
    MainQueue::post([&reached]() { reached = true; });
    RunLoop::runUntil([&reached]() { return reached; }, 5);
}

bool ScreenDriver::saveSnapshot(const std::string& path) const {
    return m_screen.saveSnapshot(path);
}

Color ScreenDriver::colorAt(Point point) const {
    return m_screen.colorAt(point);
}
