#pragma once

// Recognizes a finger held still (within the allowable movement) for the minimum duration;
// then reports its moves and its lift-off. Owned by its view. Main thread only.

#include <memory>

#include "platform/ui/GestureRecognizer.h"

class Timer;

class LongPressGestureRecognizer : public GestureRecognizer {
public:
    explicit LongPressGestureRecognizer(Action action = {});
    ~LongPressGestureRecognizer() override;

    double minimumPressDuration() const { return m_minimumDuration; }
    void setMinimumPressDuration(double seconds) { m_minimumDuration = seconds; }
    double allowableMovement() const { return m_allowableMovement; }
    void setAllowableMovement(double points) { m_allowableMovement = points; }

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;
    void reset() override;

private:
    double m_minimumDuration = 0.5;
    double m_allowableMovement = 10;
    Point m_start;
    std::unique_ptr<Timer> m_timer;
};
