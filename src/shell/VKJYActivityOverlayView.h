#pragma once

// The busy overlay of VKJYCommonViewUtil: covers its frame in black at 50 % alpha, takes every
// touch, and shows a 125 x 125 box with a large white spinner turning while it is on screen.
// Owned by the window it covers. Main thread.

#include <memory>

#include "platform/ui/View.h"

class Timer;

class VKJYActivityOverlayView : public View {
public:
    static constexpr double kBoxSize = 125;

    explicit VKJYActivityOverlayView(const Rect& frame);
    ~VKJYActivityOverlayView() override;

    void draw(GraphicsContext& context, const Rect& rect) override;
    int spinnerStep() const { return m_step; }

    // Swallows the touches so nothing under the overlay sees them.
    void touchesBegan(const TouchSet&, const Event&) override {}
    void touchesMoved(const TouchSet&, const Event&) override {}
    void touchesEnded(const TouchSet&, const Event&) override {}

protected:
    void didMoveToWindow() override;

private:
    std::unique_ptr<Timer> m_timer;
    int m_step = 0;
};
