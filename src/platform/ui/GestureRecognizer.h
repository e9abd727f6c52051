#pragma once

// Base of the gesture recognizers: watches the touches that start on its view or inside it,
// decides whether its gesture happened and then calls its action. Once one recognizer has
// recognized, the others watching the same touches fail, and the views get their touches
// cancelled (unless cancelsTouchesInView is off). Owned by its view. Main thread only.

#include <functional>
#include <memory>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/Responder.h"

class Event;
class Touch;
class View;

class GestureRecognizer : public virtual LinkTarget {
public:
    enum class State { Possible, Began, Changed, Ended, Cancelled, Failed };
    using Action = std::function<void(GestureRecognizer&)>;

    explicit GestureRecognizer(Action action = {});
    virtual ~GestureRecognizer();
    GestureRecognizer(const GestureRecognizer&) = delete;
    GestureRecognizer& operator=(const GestureRecognizer&) = delete;

    void setAction(Action action) { m_action = std::move(action); }
    State state() const { return m_state; }
    View* view() const { return m_view; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool cancelsTouchesInView() const { return m_cancelsTouchesInView; }
    void setCancelsTouchesInView(bool cancels) { m_cancelsTouchesInView = cancels; }
    // Asked before the gesture begins; refusing makes it fail.
    void setShouldBegin(std::function<bool(GestureRecognizer&)> predicate);

    // Centroid of the tracked touches.
    Point locationInView(const View* view) const;
    int numberOfTouches() const { return static_cast<int>(m_touches.size()); }
    Point locationOfTouch(int index, const View* view) const;

    // Fed by the window.
    virtual void touchesBegan(const TouchSet& touches, const Event& event);
    virtual void touchesMoved(const TouchSet& touches, const Event& event);
    virtual void touchesEnded(const TouchSet& touches, const Event& event);
    virtual void touchesCancelled(const TouchSet& touches, const Event& event);
    // Back to Possible once every touch of the sequence has lifted.
    virtual void reset();
    // Another recognizer took the touches.
    void fail();
    bool tracks(const Touch* touch) const;

    void setView(View* view) { m_view = view; }

protected:
    // Discrete gestures (tap, swipe) go straight from Possible to Ended.
    void setState(State state);
    bool isActive() const { return m_state == State::Began || m_state == State::Changed; }
    bool isFinished() const {
        return m_state == State::Ended || m_state == State::Cancelled || m_state == State::Failed;
    }
    bool mayBegin();
    const std::vector<Touch*>& touches() const { return m_touches; }
    void forgetTouch(Touch* touch);

private:
    Action m_action;
    State m_state = State::Possible;
    View* m_view = nullptr;
    bool m_enabled = true;
    bool m_cancelsTouchesInView = true;
    std::function<bool(GestureRecognizer&)> m_shouldBegin;
    std::vector<Touch*> m_touches;
};
