#include "platform/ui/LongPressGestureRecognizer.h"

#include <cmath>

#include "platform/foundation/Timer.h"
#include "platform/ui/Touch.h"

LongPressGestureRecognizer::LongPressGestureRecognizer(Action action)
    : GestureRecognizer(std::move(action)) {}

LongPressGestureRecognizer::~LongPressGestureRecognizer() = default;

void LongPressGestureRecognizer::touchesBegan(const TouchSet& touches, const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (numberOfTouches() > 1) {
        m_timer.reset();
        setState(State::Failed);
        return;
    }
    m_start = touches.front()->locationInWindow();
    m_timer = Timer::scheduledTimer(m_minimumDuration, false, [this]() {
        if (state() == State::Possible && numberOfTouches() > 0) {
            setState(mayBegin() ? State::Began : State::Failed);
        }
    });
}

void LongPressGestureRecognizer::touchesMoved(const TouchSet& touches, const Event&) {
    if (isActive()) {
        setState(State::Changed);
        return;
    }
    Point p = touches.front()->locationInWindow();
    if (state() == State::Possible &&
        std::hypot(p.x - m_start.x, p.y - m_start.y) > m_allowableMovement) {
        m_timer.reset();
        setState(State::Failed);
    }
}

void LongPressGestureRecognizer::touchesEnded(const TouchSet&, const Event&) {
    m_timer.reset();
    if (isActive()) {
        setState(State::Ended);
    } else if (state() == State::Possible) {
        setState(State::Failed);
    }
}

void LongPressGestureRecognizer::touchesCancelled(const TouchSet& touches, const Event& event) {
    m_timer.reset();
    GestureRecognizer::touchesCancelled(touches, event);
}

void LongPressGestureRecognizer::reset() {
    m_timer.reset();
    GestureRecognizer::reset();
}
