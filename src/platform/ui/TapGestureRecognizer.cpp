#include "platform/ui/TapGestureRecognizer.h"

#include <cmath>

#include "platform/ui/Touch.h"

namespace {
constexpr double kSlop = 10;
}

void TapGestureRecognizer::touchesBegan(const TouchSet& touches, const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (numberOfTouches() > 1) {
        setState(State::Failed);
        return;
    }
    m_start = touches.front()->locationInWindow();
}

void TapGestureRecognizer::touchesMoved(const TouchSet& touches, const Event&) {
    if (state() != State::Possible) {
        return;
    }
    Point p = touches.front()->locationInWindow();
    if (std::hypot(p.x - m_start.x, p.y - m_start.y) > kSlop) {
        setState(State::Failed);
    }
}

void TapGestureRecognizer::touchesEnded(const TouchSet& touches, const Event&) {
    if (state() != State::Possible) {
        return;
    }
    if (touches.front()->tapCount() == m_taps) {
        if (!mayBegin()) {
            setState(State::Failed);
            return;
        }
        setState(State::Ended);
    }
}
