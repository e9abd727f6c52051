#include "chart/HQRefreshControl.h"

#include "chart/RefreshControlDelegate.h"

void HQRefreshControl::setRefreshTime(int seconds, uint32_t type) {
    m_typeOfRefresh = type;
    stopRefresh();
    m_timer =
        Timer::scheduledTimer(static_cast<double>(seconds), true, [this] { refreshNotify(); });
}

void HQRefreshControl::stopRefresh() {
    if (m_timer) {
        m_timer->invalidate();
    }
}

void HQRefreshControl::refreshNotify() {
    if (m_delegate) {
        m_delegate->RefreshUIWithType(static_cast<int>(m_typeOfRefresh));
    }
}
