#include "platform/ui/SwipeGestureRecognizer.h"

#include <cmath>

#include "platform/ui/Event.h"
#include "platform/ui/Touch.h"

namespace {
constexpr double kMinimumDistance = 30;
constexpr double kMaximumDuration = 0.8;
// The stroke may drift sideways by at most this share of its length.
constexpr double kMaximumDrift = 0.6;
}  // namespace

void SwipeGestureRecognizer::touchesBegan(const TouchSet& touches, const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (numberOfTouches() > 1) {
        setState(State::Failed);
        return;
    }
    m_start = touches.front()->locationInWindow();
    m_startTime = event.timestamp();
}

void SwipeGestureRecognizer::touchesMoved(const TouchSet& touches, const Event& event) {
    evaluate(touches.front()->locationInWindow(), event.timestamp());
}

void SwipeGestureRecognizer::touchesEnded(const TouchSet& touches, const Event& event) {
    evaluate(touches.front()->locationInWindow(), event.timestamp());
    if (state() == State::Possible) {
        setState(State::Failed);
    }
}

void SwipeGestureRecognizer::evaluate(Point now, double timestamp) {
    if (state() != State::Possible) {
        return;
    }
    double dx = now.x - m_start.x;
    double dy = now.y - m_start.y;
    bool horizontal = std::fabs(dx) >= std::fabs(dy);
    double along = horizontal ? std::fabs(dx) : std::fabs(dy);
    double across = horizontal ? std::fabs(dy) : std::fabs(dx);
    if (timestamp - m_startTime > kMaximumDuration) {
        setState(State::Failed);
        return;
    }
    if (along < kMinimumDistance) {
        return;
    }
    int direction = horizontal ? (dx > 0 ? Right : Left) : (dy > 0 ? Down : Up);
    if (!(m_direction & direction) || across > along * kMaximumDrift) {
        setState(State::Failed);
        return;
    }
    setState(mayBegin() ? State::Ended : State::Failed);
}
