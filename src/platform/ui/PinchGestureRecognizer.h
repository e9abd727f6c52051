#pragma once

// Recognizes two fingers moving apart or together; scale is the distance between them over the
// distance at the start. Owned by its view. Main thread only.

#include "platform/ui/GestureRecognizer.h"

class PinchGestureRecognizer : public GestureRecognizer {
public:
    using GestureRecognizer::GestureRecognizer;

    double scale() const { return m_scale; }
    void setScale(double scale);

    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void reset() override;

private:
    double distance() const;
    double m_startDistance = 0;
    double m_scale = 1;
};
