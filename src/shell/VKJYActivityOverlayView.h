#pragma once

// The busy overlay of VKJYCommonViewUtil: covers its frame in black at 50 % alpha, takes every
// touch, and shows a 125 x 125 box with a large white spinner turning. Owned by the window it
// covers; one overlay serves every request holding it, so two requests at once do not darken
// the window twice. Main thread.

#include "platform/ui/View.h"

class ActivityIndicator;

class VKJYActivityOverlayView : public View {
public:
    static constexpr double kBoxSize = 125;

    explicit VKJYActivityOverlayView(const Rect& frame);

    ActivityIndicator* spinner() const { return m_spinner; }

    int holds() const { return m_holds; }
    void addHold() { ++m_holds; }
    // True when this was the last hold.
    bool dropHold() { return --m_holds <= 0; }

    // Swallows the touches so nothing under the overlay sees them.
    void touchesBegan(const TouchSet&, const Event&) override {}
    void touchesMoved(const TouchSet&, const Event&) override {}
    void touchesEnded(const TouchSet&, const Event&) override {}

private:
    ActivityIndicator* m_spinner = nullptr;
    int m_holds = 0;
};
