#include "trade/common/PXTradeBusyOverlay.h"

#include "shell/VKJYCommonViewUtil.h"

PXTradeBusyOverlay::~PXTradeBusyOverlay() {
    if (isBusy()) {
        VKJYCommonViewUtil::hideActivity();
    }
}

void PXTradeBusyOverlay::began(const PXTradeNetworkManger* request) {
    if (!isBusy()) {
        VKJYCommonViewUtil::showActivity();
    }
    m_outstanding.insert(request);
}

void PXTradeBusyOverlay::ended(const PXTradeNetworkManger* request) {
    if (m_outstanding.erase(request) > 0 && m_outstanding.empty()) {
        VKJYCommonViewUtil::hideActivity();
    }
}
