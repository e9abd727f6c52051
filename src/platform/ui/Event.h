#pragma once

// An input event as the application dispatches it: touches (with their phases) or a key press
// for the first responder. Built by the Screen or the test driver. Main thread only.

#include <string>

#include "platform/ui/Responder.h"

class Window;

enum class Key { None, Backspace, Return, Escape };

class Event {
public:
    enum class Type { Touches, Key };

    static Event touches(Window* window, TouchSet touches, double timestamp);
    // Text typed (an input method may deliver several characters at once) or a special key.
    static Event keyPress(const std::string& text, Key key, double timestamp);

    Type type() const { return m_type; }
    double timestamp() const { return m_timestamp; }
    Window* window() const { return m_window; }
    const TouchSet& allTouches() const { return m_touches; }
    TouchSet touchesForView(const View* view) const;
    const std::string& text() const { return m_text; }
    Key key() const { return m_key; }

private:
    Type m_type = Type::Touches;
    double m_timestamp = 0;
    Window* m_window = nullptr;
    TouchSet m_touches;
    std::string m_text;
    Key m_key = Key::None;
};
