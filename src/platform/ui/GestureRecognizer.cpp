#include "platform/ui/GestureRecognizer.h"

#include <algorithm>

#include "platform/foundation/WeakLink.h"
#include "platform/ui/Touch.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

GestureRecognizer::GestureRecognizer(Action action) : m_action(std::move(action)) {}

GestureRecognizer::~GestureRecognizer() = default;

void GestureRecognizer::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled && isActive()) {
        setState(State::Cancelled);
    }
}

void GestureRecognizer::setShouldBegin(std::function<bool(GestureRecognizer&)> predicate) {
    m_shouldBegin = std::move(predicate);
}

Point GestureRecognizer::locationInView(const View* view) const {
    if (m_touches.empty()) {
        return {};
    }
    Point sum;
    for (const Touch* t : m_touches) {
        Point p = t->locationInView(view);
        sum.x += p.x;
        sum.y += p.y;
    }
    double n = static_cast<double>(m_touches.size());
    return {sum.x / n, sum.y / n};
}

Point GestureRecognizer::locationOfTouch(int index, const View* view) const {
    if (index < 0 || index >= numberOfTouches()) {
        return {};
    }
    return m_touches[static_cast<std::size_t>(index)]->locationInView(view);
}

void GestureRecognizer::touchesBegan(const TouchSet& touches, const Event&) {
    for (Touch* t : touches) {
        if (!tracks(t)) {
            m_touches.push_back(t);
        }
    }
}

void GestureRecognizer::touchesMoved(const TouchSet&, const Event&) {}

void GestureRecognizer::touchesEnded(const TouchSet&, const Event&) {}

void GestureRecognizer::touchesCancelled(const TouchSet& touches, const Event&) {
    for (Touch* t : touches) {
        forgetTouch(t);
    }
    if (isActive()) {
        setState(State::Cancelled);
    } else if (m_state == State::Possible) {
        setState(State::Failed);
    }
}

void GestureRecognizer::reset() {
    m_state = State::Possible;
    m_touches.clear();
}

void GestureRecognizer::fail() {
    if (m_state == State::Possible) {
        m_state = State::Failed;
    }
}

bool GestureRecognizer::tracks(const Touch* touch) const {
    return std::find(m_touches.begin(), m_touches.end(), touch) != m_touches.end();
}

void GestureRecognizer::forgetTouch(Touch* touch) {
    m_touches.erase(std::remove(m_touches.begin(), m_touches.end(), touch), m_touches.end());
}

bool GestureRecognizer::mayBegin() {
    return !m_shouldBegin || m_shouldBegin(*this);
}

void GestureRecognizer::setState(State state) {
    State old = m_state;
    m_state = state;
    bool claims = old == State::Possible && (state == State::Began || state == State::Ended);
    WeakLink<GestureRecognizer> self(this);
    if (claims && m_view) {
        if (Window* window = m_view->window()) {
            window->recognizerClaimedTouches(this);
        }
    }
    if (!self || state == State::Failed || state == State::Possible) {
        return;
    }
    if (m_action) {
        Action action = m_action;
        action(*this);
    }
}
