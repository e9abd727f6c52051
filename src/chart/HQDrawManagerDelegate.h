#pragma once

#include "platform/ui/Responder.h"

class Event;

// What a chart view tells its chart manager. Every operation is optional, so
// the defaults do nothing. Main thread only.
class HQDrawManagerDelegate {
public:
    virtual ~HQDrawManagerDelegate() = default;
    // The cross-hair went away: the manager may take its swipe gestures back.
    virtual void addGestureRecognizerWhenHidIndicatorCross() {}
    // The cross-hair is shown or moved: swipes would fight with it.
    virtual void removeGestureRecognizerWhenShowIndicatorCross() {}
    // A drag left bars hidden at the right (true) or came back to the newest bar.
    virtual void stopKLineAutoRefresh(bool stop) { (void)stop; }
    // A finger came down on the chart view.
    virtual void drawViewTouchesBegin(const TouchSet& touches, const Event& event) {
        (void)touches;
        (void)event;
    }
};
