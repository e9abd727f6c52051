#include "platform/ui/PanGestureRecognizer.h"

#include <cmath>

#include "platform/ui/Event.h"
#include "platform/ui/Touch.h"
#include "platform/ui/View.h"

namespace {
constexpr double kHysteresis = 10;
}

// After the last finger lifts, the gesture ends where it was last seen.
Point PanGestureRecognizer::current() const {
    return numberOfTouches() > 0 ? locationInView(nullptr) : m_last;
}

Point PanGestureRecognizer::translationInView(const View* view) const {
    Point now = current();
    if (!view) {
        return {now.x - m_start.x, now.y - m_start.y};
    }
    Point a = view->convertPointFromWindow(m_start);
    Point b = view->convertPointFromWindow(now);
    return {b.x - a.x, b.y - a.y};
}

void PanGestureRecognizer::setTranslation(Point translation) {
    Point now = current();
    m_start = {now.x - translation.x, now.y - translation.y};
}

void PanGestureRecognizer::touchesBegan(const TouchSet& touches, const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (numberOfTouches() == static_cast<int>(touches.size())) {
        m_start = current();
        m_last = m_start;
        m_lastTime = event.timestamp();
        m_velocity = {};
    }
}

void PanGestureRecognizer::touchesMoved(const TouchSet&, const Event& event) {
    Point now = current();
    double dt = event.timestamp() - m_lastTime;
    if (dt > 0) {
        m_velocity = {(now.x - m_last.x) / dt, (now.y - m_last.y) / dt};
    }
    m_last = now;
    m_lastTime = event.timestamp();
    if (isActive()) {
        setState(State::Changed);
        return;
    }
    if (state() == State::Possible &&
        std::hypot(now.x - m_start.x, now.y - m_start.y) > kHysteresis) {
        setState(mayBegin() ? State::Began : State::Failed);
    }
}

void PanGestureRecognizer::touchesEnded(const TouchSet& touches, const Event&) {
    m_last = current();
    for (Touch* t : touches) {
        forgetTouch(t);
    }
    if (numberOfTouches() > 0) {
        return;
    }
    if (isActive()) {
        setState(State::Ended);
    } else if (state() == State::Possible) {
        setState(State::Failed);
    }
}
