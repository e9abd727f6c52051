#include "trade/common/PXTradeShownAccount.h"

#include "trade/common/PXTradeMessage.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeNetworkManger.h"

namespace {
uint64_t epochInForce() {
    return PXTradeModule::hasShared() ? PXTradeModule::shared().PXJYData().sessions().epoch() : 0;
}

bool loggedIn() {
    return PXTradeModule::hasShared() && PXTradeModule::shared().tradeLogin();
}
}  // namespace

PXTradeShownAccount::PXTradeShownAccount(std::function<void()> forget, std::function<void()> refill,
                                         std::function<void()> show)
    : m_forget(std::move(forget)),
      m_refill(std::move(refill)),
      m_show(std::move(show)),
      m_epoch(epochInForce()) {}

bool PXTradeShownAccount::follow() {
    const bool changed = keepUp();
    if (m_show) {
        m_show();
    }
    return changed;
}

bool PXTradeShownAccount::keepUp() {
    const bool changed = forgetIfAnotherLogon();
    // Logged out (or a login chain still running), a query would only be refused: the refill
    // waits for a showing with the login in force.
    if (!m_refilled && loggedIn()) {
        m_refilled = true;
        if (m_refill) {
            m_refill();
        }
    }
    return changed;
}

void PXTradeShownAccount::filling() {
    forgetIfAnotherLogon();
}

bool PXTradeShownAccount::refusesTap() {
    // Only a refused tap shows again: a tap that goes meets the form as it was on show.
    if (!keepUp()) {
        return false;
    }
    if (m_show) {
        m_show();
    }
    PXTradeMessage::show(kAccountChanged);
    return true;
}

bool PXTradeShownAccount::ofAnotherLogon() const {
    return m_epoch != epochInForce();
}

bool PXTradeShownAccount::forgetIfAnotherLogon() {
    if (!ofAnotherLogon()) {
        return false;
    }
    // Marked first: a refill that sends its query is of the logon in force.
    m_epoch = epochInForce();
    m_refilled = false;
    m_forget();
    return true;
}

bool PXTradeShownAccount::takes(const PXTradeNetworkManger& reply) {
    return !reply.ofEndedSession();
}
