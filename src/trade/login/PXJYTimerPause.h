#pragma once

// The heartbeat and the price refresh held back while a login screen an account switcher asked
// for is on show, and running again as soon as it leaves view, whatever way: popped, covered,
// another tab chosen, its stack dropped or the screen gone. Owned by the login screen, which
// tells it when it appears and leaves; off until the screen's pusher turns it on. Main thread.

class PXJYTimerPause {
public:
    PXJYTimerPause() = default;
    ~PXJYTimerPause();
    PXJYTimerPause(const PXJYTimerPause&) = delete;
    PXJYTimerPause& operator=(const PXJYTimerPause&) = delete;

    void turnOn() { m_on = true; }
    void screenAppears();
    void screenLeaves();

private:
    bool m_on = false;
    bool m_holding = false;
};
