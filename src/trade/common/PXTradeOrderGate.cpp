#include "trade/common/PXTradeOrderGate.h"

#include "trade/core/PXTradeNetworkManger.h"

PXTradeOrderGate::~PXTradeOrderGate() {
    ended();
}

void PXTradeOrderGate::began(const PXTradeNetworkManger& request, Control* trigger) {
    if (!m_outstanding) {
        m_overlay = VKJYActivityHold::raise();
    }
    m_outstanding = true;
    m_request = request.weak_from_this();
    m_trigger = trigger;
    if (trigger) {
        trigger->setEnabled(false);
    }
}

bool PXTradeOrderGate::endedBy(const PXTradeNetworkManger& reply) {
    if (!m_outstanding || m_request.lock().get() != &reply) {
        return false;
    }
    ended();
    return true;
}

void PXTradeOrderGate::ended() {
    m_overlay.release();
    m_outstanding = false;
    m_request.reset();
    if (Control* trigger = m_trigger.get()) {
        trigger->setEnabled(true);
    }
    m_trigger.reset();
}
