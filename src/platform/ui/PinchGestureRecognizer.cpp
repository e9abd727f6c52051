#include "platform/ui/PinchGestureRecognizer.h"

#include <cmath>

#include "platform/ui/Touch.h"

namespace {
// A change of distance this small is still a resting pair of fingers.
constexpr double kStartThreshold = 0.02;
}  // namespace

double PinchGestureRecognizer::distance() const {
    if (numberOfTouches() < 2) {
        return 0;
    }
    Point a = locationOfTouch(0, nullptr);
    Point b = locationOfTouch(1, nullptr);
    return std::hypot(a.x - b.x, a.y - b.y);
}

void PinchGestureRecognizer::setScale(double scale) {
    double d = distance();
    m_scale = scale;
    if (scale > 0 && d > 0) {
        m_startDistance = d / scale;
    }
}

void PinchGestureRecognizer::touchesBegan(const TouchSet& touches, const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (numberOfTouches() == 2 && state() == State::Possible) {
        m_startDistance = distance();
        m_scale = 1;
    } else if (numberOfTouches() > 2 && state() == State::Possible) {
        setState(State::Failed);
    }
}

void PinchGestureRecognizer::touchesMoved(const TouchSet&, const Event&) {
    if (numberOfTouches() < 2 || m_startDistance <= 0) {
        return;
    }
    m_scale = distance() / m_startDistance;
    if (isActive()) {
        setState(State::Changed);
    } else if (state() == State::Possible && std::fabs(m_scale - 1) > kStartThreshold) {
        setState(mayBegin() ? State::Began : State::Failed);
    }
}

void PinchGestureRecognizer::touchesEnded(const TouchSet& touches, const Event&) {
    if (isActive()) {
        setState(State::Ended);
    } else if (state() == State::Possible) {
        setState(State::Failed);
    }
    for (Touch* t : touches) {
        forgetTouch(t);
    }
}

void PinchGestureRecognizer::reset() {
    GestureRecognizer::reset();
    m_startDistance = 0;
    m_scale = 1;
}
