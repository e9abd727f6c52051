#include "platform/ui/Control.h"

#include "platform/foundation/WeakLink.h"
#include "platform/ui/Touch.h"

namespace {
constexpr double kTrackingMargin = 70;
}

void Control::addTarget(unsigned events, Action action) {
    m_targets.push_back({events, std::move(action)});
}

void Control::removeTargets(unsigned events) {
    for (Target& t : m_targets) {
        t.events &= ~events;
    }
    std::erase_if(m_targets, [](const Target& t) { return t.events == 0; });
}

void Control::sendActions(unsigned events) {
    // Copy: an action may add or remove targets, or remove the control.
    std::vector<Target> targets = m_targets;
    WeakLink<Control> self(this);
    for (const Target& t : targets) {
        if (!self) {
            return;
        }
        if (t.events & events) {
            t.action(*this);
        }
    }
}

void Control::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled && m_tracking) {
        // Disabled under a finger (a refresh turned it off): the lifting finger does nothing.
        m_tracking = false;
        setHighlighted(false);
    }
    setNeedsDisplay();
}

void Control::setSelected(bool selected) {
    m_selected = selected;
    setNeedsDisplay();
}

void Control::setHighlighted(bool highlighted) {
    m_highlighted = highlighted;
    setNeedsDisplay();
}

unsigned Control::state() const {
    unsigned s = StateNormal;
    if (m_highlighted) {
        s |= StateHighlighted;
    }
    if (!m_enabled) {
        s |= StateDisabled;
    }
    if (m_selected) {
        s |= StateSelected;
    }
    return s;
}

View* Control::hitTest(Point p) {
    if (!m_enabled && pointInside(p) && takesTouches()) {
        // A disabled control swallows the touch without acting on it.
        return this;
    }
    return View::hitTest(p);
}

bool Control::isTouchInside(Point p) const {
    return bounds().insetBy(-kTrackingMargin, -kTrackingMargin).contains(p);
}

void Control::touchesBegan(const TouchSet& touches, const Event&) {
    if (!m_enabled) {
        return;
    }
    m_tracking = true;
    setHighlighted(true);
    WeakLink<Control> self(this);
    if (touches.front()->tapCount() > 1) {
        sendActions(TouchDownRepeat);
    }
    if (self) {
        sendActions(TouchDown);
    }
}

void Control::touchesMoved(const TouchSet& touches, const Event&) {
    if (!m_tracking) {
        return;
    }
    bool inside = isTouchInside(touches.front()->locationInView(this));
    if (inside != m_highlighted) {
        setHighlighted(inside);
    }
    if (inside) {
        sendActions(TouchDragInside);
    }
}

void Control::touchesEnded(const TouchSet& touches, const Event&) {
    if (!m_tracking) {
        return;
    }
    m_tracking = false;
    setHighlighted(false);
    bool inside = isTouchInside(touches.front()->locationInView(this));
    sendActions(inside ? TouchUpInside : TouchUpOutside);
}

void Control::touchesCancelled(const TouchSet&, const Event&) {
    if (!m_tracking) {
        return;
    }
    m_tracking = false;
    setHighlighted(false);
    sendActions(TouchCancel);
}
