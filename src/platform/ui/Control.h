#pragma once

// Base of the controls: enabled, selected and highlighted states, touch tracking and
// target-action. An action runs for each of the events it was added for, in the order added.
// Owned by its superview. Main thread only.

#include <functional>
#include <vector>

#include "platform/ui/View.h"

enum ControlEvent : unsigned {
    TouchDown = 1u << 0,
    TouchDownRepeat = 1u << 1,
    TouchDragInside = 1u << 2,
    TouchUpInside = 1u << 6,
    TouchUpOutside = 1u << 7,
    TouchCancel = 1u << 8,
    ValueChanged = 1u << 12,
    EditingDidBegin = 1u << 16,
    EditingChanged = 1u << 17,
    EditingDidEnd = 1u << 18,
    EditingDidEndOnExit = 1u << 19,
};

enum ControlState : unsigned {
    StateNormal = 0,
    StateHighlighted = 1u << 0,
    StateDisabled = 1u << 1,
    StateSelected = 1u << 2,
};

class Control : public View {
public:
    using Action = std::function<void(Control&)>;

    using View::View;

    void addTarget(unsigned events, Action action);
    void removeTargets(unsigned events);
    // Runs the actions registered for any of `events`.
    void sendActions(unsigned events);

    bool isEnabled() const { return m_enabled; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return m_highlighted; }
    virtual void setHighlighted(bool highlighted);
    unsigned state() const;
    bool isTracking() const { return m_tracking; }

    View* hitTest(Point p) override;
    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesMoved(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;

protected:
    // Where a lifted finger still counts as inside: the bounds grown by 70 points, as on the
    // phone, so a slightly slipping finger still presses.
    bool isTouchInside(Point p) const;

private:
    struct Target {
        unsigned events;
        Action action;
    };
    std::vector<Target> m_targets;
    bool m_enabled = true;
    bool m_selected = false;
    bool m_highlighted = false;
    bool m_tracking = false;
};
