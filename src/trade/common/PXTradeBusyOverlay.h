#pragma once
// The busy overlay of a screen with several requests at once: up from the first request that
// asks for it until the last of them is answered, so one reply does not uncover another request
// still on its way. Owned by its screen; a screen that goes away with requests outstanding
// takes the overlay with it. Main thread.

#include <set>

#include "shell/VKJYActivityHold.h"

class PXTradeNetworkManger;

class PXTradeBusyOverlay {
public:
    PXTradeBusyOverlay() = default;
    PXTradeBusyOverlay(const PXTradeBusyOverlay&) = delete;
    PXTradeBusyOverlay& operator=(const PXTradeBusyOverlay&) = delete;

    void began(const PXTradeNetworkManger* request);
    // The request's reply or failure is in; unknown requests change nothing.
    void ended(const PXTradeNetworkManger* request);
    bool isBusy() const { return !m_outstanding.empty(); }

private:
    std::set<const PXTradeNetworkManger*> m_outstanding;
    VKJYActivityHold m_overlay;
};
