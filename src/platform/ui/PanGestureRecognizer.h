#pragma once

// Recognizes a finger dragged more than 10 points; reports the translation from the start and
// the velocity. Owned by its view. Main thread only.

#include "platform/ui/GestureRecognizer.h"

class PanGestureRecognizer : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;

    // In window points; transformed views get the vector mapped into their own axes.
    Point translationInView(const View* view) const;
    void setTranslation(Point translation);
    // Points per second over the last move.
    Point velocity() const { return m_velocity; }

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;

private:
    Point current() const;
    Point m_start;
    Point m_last;
    double m_lastTime = 0;
    Point m_velocity;
};
