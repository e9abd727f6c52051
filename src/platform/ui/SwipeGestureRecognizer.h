#pragma once

// Recognizes a quick straight stroke in one of the allowed directions. Owned by its view.
// Main thread only.

#include "platform/ui/GestureRecognizer.h"

class SwipeGestureRecognizer : public GestureRecognizer {
public:
    enum Direction { Right = 1, Left = 2, Up = 4, Down = 8 };

    using GestureRecognizer::GestureRecognizer;

    int direction() const { return m_direction; }
    void setDirection(int directions) { m_direction = directions; }

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;

private:
    void evaluate(Point now, double timestamp);
    int m_direction = Right;
    Point m_start;
    double m_startTime = 0;
};
