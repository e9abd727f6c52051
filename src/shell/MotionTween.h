#pragma once

// A small tween engine: a period moves a value (a float or a point) from a start to an end over
// a duration under a timing function; the engine calls each running operation's action with its
// period on every frame of its main-run-loop timer until the duration has passed (the last call
// has the end value). One shared instance; main thread.

#include <functional>
#include <memory>
#include <vector>

#include "platform/graphics/Geometry.h"

class Timer;

// Maps the elapsed fraction (0..1) to the progress fraction.
using MotionTweenTimingFunction = std::function<double(double)>;
double MotionTweenTimingFunctionLinear(double t);
double MotionTweenTimingFunctionBounceOut(double t);

class MotionTweenPeriod {
public:
    static std::shared_ptr<MotionTweenPeriod> periodWithStartValue(double startValue,
                                                                   double endValue,
                                                                   double duration);
    MotionTweenPeriod(double startValue, double endValue, double duration);
    virtual ~MotionTweenPeriod() = default;

    double startValue() const { return m_start; }
    double endValue() const { return m_end; }
    double duration() const { return m_duration; }
    double tweenedValue() const { return m_value; }
    // Sets the current value for this progress fraction.
    virtual void setProgress(double progress);

private:
    double m_start;
    double m_end;
    double m_duration;
    double m_value;
};

class MotionTweenCGPointLerpPeriod : public MotionTweenPeriod {
public:
    static std::shared_ptr<MotionTweenCGPointLerpPeriod> periodWithStartPoint(Point start,
                                                                              Point end,
                                                                              double duration);
    MotionTweenCGPointLerpPeriod(Point start, Point end, double duration);

    Point tweenedCGPoint() const { return m_point; }
    void setProgress(double progress) override;

private:
    Point m_startPoint;
    Point m_endPoint;
    Point m_point;
};

class MotionTweenOperation {
public:
    using Action = std::function<void(MotionTweenPeriod& period)>;

    MotionTweenOperation(std::shared_ptr<MotionTweenPeriod> period, Action action,
                         MotionTweenTimingFunction timing, double startTime);

    MotionTweenPeriod& period() const { return *m_period; }
    // Moves the period to `now` and calls the action; false once the period is over.
    bool step(double now);

private:
    std::shared_ptr<MotionTweenPeriod> m_period;
    Action m_action;
    MotionTweenTimingFunction m_timing;
    double m_startTime;
};

class MotionTween {
public:
    static constexpr double kFrameSeconds = 1.0 / 60;

    static MotionTween& sharedInstance();

    // The action runs on every frame; the target of the design is whatever the action captures.
    std::shared_ptr<MotionTweenOperation> addTweenPeriod(
        std::shared_ptr<MotionTweenPeriod> period, MotionTweenOperation::Action action,
        MotionTweenTimingFunction timing = MotionTweenTimingFunctionLinear);
    // Stops the operation; nothing or an unknown one is ignored.
    void removeTweenOperation(const std::shared_ptr<MotionTweenOperation>& operation);
    size_t runningCount() const { return m_operations.size(); }

private:
    void tick();

    std::vector<std::shared_ptr<MotionTweenOperation>> m_operations;
    std::unique_ptr<Timer> m_timer;
};
