#pragma once

// Recognizes a tap (or a double tap and so on) that stays within 10 points. Owned by its view.
// Main thread only.

#include "platform/ui/GestureRecognizer.h"

class TapGestureRecognizer : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;

    int numberOfTapsRequired() const { return m_taps; }
    void setNumberOfTapsRequired(int taps) { m_taps = taps; }

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;

private:
    int m_taps = 1;
    Point m_start;
};
