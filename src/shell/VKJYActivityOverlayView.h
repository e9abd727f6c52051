#pragma once

// The busy overlay of VKJYCommonViewUtil: covers its frame in black at 50 % alpha, takes every
// touch, and shows a 125 x 125 box with a large white spinner turning. Owned by the window it
// covers. Main thread.

#include "platform/ui/View.h"

class ActivityIndicator;

class VKJYActivityOverlayView : public View {
public:
    static constexpr double kBoxSize = 125;

    explicit VKJYActivityOverlayView(const Rect& frame);

    ActivityIndicator* spinner() const { return m_spinner; }

    // Swallows the touches so nothing under the overlay sees them.
    void touchesBegan(const TouchSet&, const Event&) override {}
    void touchesMoved(const TouchSet&, const Event&) override {}
    void touchesEnded(const TouchSet&, const Event&) override {}

private:
    ActivityIndicator* m_spinner = nullptr;
};
