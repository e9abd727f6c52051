#include "shell/MotionTween.h"

#include <algorithm>

#include "platform/foundation/Timer.h"

double MotionTweenTimingFunctionLinear(double t) {
    return t;
}

double MotionTweenTimingFunctionBounceOut(double t) {
    constexpr double n = 7.5625;
    constexpr double d = 2.75;
    if (t < 1 / d) {
        return n * t * t;
    }
    if (t < 2 / d) {
        t -= 1.5 / d;
        return n * t * t + 0.75;
    }
    if (t < 2.5 / d) {
        t -= 2.25 / d;
        return n * t * t + 0.9375;
    }
    t -= 2.625 / d;
    return n * t * t + 0.984375;
}

std::shared_ptr<MotionTweenPeriod> MotionTweenPeriod::periodWithStartValue(double startValue,
                                                                           double endValue,
                                                                           double duration) {
    return std::make_shared<MotionTweenPeriod>(startValue, endValue, duration);
}

MotionTweenPeriod::MotionTweenPeriod(double startValue, double endValue, double duration)
    : m_start(startValue), m_end(endValue), m_duration(duration), m_value(startValue) {}

void MotionTweenPeriod::setProgress(double progress) {
    m_value = m_start + (m_end - m_start) * progress;
}

std::shared_ptr<MotionTweenCGPointLerpPeriod> MotionTweenCGPointLerpPeriod::periodWithStartPoint(
    Point start, Point end, double duration) {
    return std::make_shared<MotionTweenCGPointLerpPeriod>(start, end, duration);
}

MotionTweenCGPointLerpPeriod::MotionTweenCGPointLerpPeriod(Point start, Point end, double duration)
    : MotionTweenPeriod(0, 1, duration), m_startPoint(start), m_endPoint(end), m_point(start) {}

void MotionTweenCGPointLerpPeriod::setProgress(double progress) {
    MotionTweenPeriod::setProgress(progress);
    m_point = {m_startPoint.x + (m_endPoint.x - m_startPoint.x) * progress,
               m_startPoint.y + (m_endPoint.y - m_startPoint.y) * progress};
}

MotionTweenOperation::MotionTweenOperation(std::shared_ptr<MotionTweenPeriod> period, Action action,
                                           MotionTweenTimingFunction timing, double startTime)
    : m_period(std::move(period)),
      m_action(std::move(action)),
      m_timing(std::move(timing)),
      m_startTime(startTime) {}

bool MotionTweenOperation::step(double now) {
    const double duration = m_period->duration();
    const double elapsed =
        duration > 0 ? std::clamp((now - m_startTime) / duration, 0.0, 1.0) : 1.0;
    m_period->setProgress(elapsed >= 1 ? 1.0 : m_timing(elapsed));
    if (m_action) {
        m_action(*m_period);
    }
    return elapsed < 1;
}

MotionTween& MotionTween::sharedInstance() {
    // Never destroyed: its timer must not outlive the run loop at exit.
    static auto* instance = new MotionTween;
    return *instance;
}

std::shared_ptr<MotionTweenOperation> MotionTween::addTweenPeriod(
    std::shared_ptr<MotionTweenPeriod> period, MotionTweenOperation::Action action,
    MotionTweenTimingFunction timing) {
    auto operation = std::make_shared<MotionTweenOperation>(
        std::move(period), std::move(action),
        timing ? std::move(timing) : MotionTweenTimingFunctionLinear, Timer::now());
    m_operations.push_back(operation);
    if (!m_timer) {
        m_timer = Timer::scheduledTimer(kFrameSeconds, true, [this] { tick(); });
    }
    return operation;
}

void MotionTween::removeTweenOperation(const std::shared_ptr<MotionTweenOperation>& operation) {
    std::erase(m_operations, operation);
    if (m_operations.empty()) {
        m_timer.reset();
    }
}

void MotionTween::tick() {
    const double now = Timer::now();
    // An action may add or remove operations; step a copy.
    auto running = m_operations;
    for (const auto& operation : running) {
        if (!operation->step(now)) {
            std::erase(m_operations, operation);
        }
    }
    if (m_operations.empty()) {
        m_timer.reset();
    }
}
