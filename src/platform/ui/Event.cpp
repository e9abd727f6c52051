#include "platform/ui/Event.h"

#include <utility>

#include "platform/ui/Touch.h"

Event Event::touches(Window* window, TouchSet touches, double timestamp) {
    Event e;
    e.m_type = Type::Touches;
    e.m_window = window;
    e.m_touches = std::move(touches);
    e.m_timestamp = timestamp;
    return e;
}

Event Event::keyPress(const std::string& text, Key key, double timestamp) {
    Event e;
    e.m_type = Type::Key;
    e.m_text = text;
    e.m_key = key;
    e.m_timestamp = timestamp;
    return e;
}

TouchSet Event::touchesForView(const View* view) const {
    TouchSet result;
    for (Touch* t : m_touches) {
        if (t->view() == view) {
            result.push_back(t);
        }
    }
    return result;
}
