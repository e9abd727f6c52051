#pragma once

// One finger on the screen, from touch-down to lift-off. The window that tracks it owns it;
// views and gesture recognizers see it during dispatch only. Locations are in window points.
// Main thread only.

#include <vector>

#include "platform/foundation/WeakLink.h"
#include "platform/graphics/Geometry.h"

class GestureRecognizer;
class View;
class Window;

enum class TouchPhase { Began, Moved, Stationary, Ended, Cancelled };

class Touch {
public:
    Touch(int id, Window* window, Point location, double timestamp, int tapCount);

    int id() const { return m_id; }
    TouchPhase phase() const { return m_phase; }
    double timestamp() const { return m_timestamp; }
    int tapCount() const { return m_tapCount; }
    View* view() const { return m_view.get(); }
    Window* window() const { return m_window; }

    // In the coordinates of `view` (the window's when null).
    Point locationInView(const View* view) const;
    Point previousLocationInView(const View* view) const;
    Point locationInWindow() const { return m_location; }

    // Set by the window while dispatching.
    void update(TouchPhase phase, Point location, double timestamp);
    void setView(View* view);
    std::vector<WeakLink<GestureRecognizer>>& recognizers() { return m_recognizers; }
    bool deliversToView() const { return m_deliversToView; }
    void stopDeliveringToView() { m_deliversToView = false; }

private:
    int m_id;
    Window* m_window;
    TouchPhase m_phase = TouchPhase::Began;
    Point m_location;
    Point m_previous;
    double m_timestamp;
    int m_tapCount;
    WeakLink<View> m_view;
    std::vector<WeakLink<GestureRecognizer>> m_recognizers;
    bool m_deliversToView = true;
};
