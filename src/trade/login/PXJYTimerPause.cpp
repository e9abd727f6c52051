#include "trade/login/PXJYTimerPause.h"

#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"

PXJYTimerPause::~PXJYTimerPause() {
    // The module may already be gone when the last screen is torn down with the application.
    if (PXTradeModule::hasShared()) {
        screenLeaves();
    }
}

void PXJYTimerPause::screenAppears() {
    if (!m_on || m_holding) {
        return;
    }
    m_holding = true;
    PXTradeTimerManger& timers = PXTradeModule::shared().PXJYTimerManger();
    timers.stopJYRefreshTimer();
    timers.stopJYHeartTimer();
}

void PXJYTimerPause::screenLeaves() {
    if (!m_holding) {
        return;
    }
    m_holding = false;
    PXTradeTimerManger& timers = PXTradeModule::shared().PXJYTimerManger();
    timers.setJYHeartTimer();
    timers.setJYRefreshTimer();
}
