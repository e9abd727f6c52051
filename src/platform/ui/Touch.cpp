#include "platform/ui/Touch.h"

#include "platform/ui/View.h"

Touch::Touch(int id, Window* window, Point location, double timestamp, int tapCount)
    : m_id(id),
      m_window(window),
      m_location(location),
      m_previous(location),
      m_timestamp(timestamp),
      m_tapCount(tapCount) {}

Point Touch::locationInView(const View* view) const {
    if (!view) {
        return m_location;
    }
    return view->convertPointFromWindow(m_location);
}

Point Touch::previousLocationInView(const View* view) const {
    if (!view) {
        return m_previous;
    }
    return view->convertPointFromWindow(m_previous);
}

void Touch::update(TouchPhase phase, Point location, double timestamp) {
    m_previous = m_location;
    m_phase = phase;
    m_location = location;
    m_timestamp = timestamp;
}

void Touch::setView(View* view) {
    m_view = view;
}
