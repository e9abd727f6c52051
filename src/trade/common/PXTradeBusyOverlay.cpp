#include "trade/common/PXTradeBusyOverlay.h"

void PXTradeBusyOverlay::began(const PXTradeNetworkManger* request) {
    if (!isBusy()) {
        m_overlay = VKJYActivityHold::raise();
    }
    m_outstanding.insert(request);
}

void PXTradeBusyOverlay::ended(const PXTradeNetworkManger* request) {
    if (m_outstanding.erase(request) > 0 && m_outstanding.empty()) {
        m_overlay.release();
    }
}
