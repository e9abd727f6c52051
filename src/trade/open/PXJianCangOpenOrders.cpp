#include "trade/open/PXJianCangOpenOrders.h"

#include "trade/core/PXTradeNetworkManger.h"
#include "trade/open/PXJianCangRules.h"

void PXJianCangOpenOrders::began(const PXTradeNetworkManger& query) {
    m_logon.filling();
    m_query = query.weak_from_this();
    m_lots = 0;
    m_answered = false;
    m_failed = false;
    m_asked = true;
}

bool PXJianCangOpenOrders::isLatest(const PXTradeNetworkManger& reply) const {
    return m_query.lock().get() == &reply;
}

bool PXJianCangOpenOrders::answered(const PXTradeNetworkManger& reply, const PXTradeResult* data) {
    if (!isLatest(reply)) {
        return false;
    }
    m_lots += PXJianCangRules::openOrderLots(PXJianCangRules::rowsOf(data));
    m_answered = true;
    return true;
}

void PXJianCangOpenOrders::failed(const PXTradeNetworkManger& reply) {
    if (isLatest(reply)) {
        m_failed = true;
    }
}

bool PXJianCangOpenOrders::known() const {
    return m_answered && !askedUnderAnotherLogon();
}

bool PXJianCangOpenOrders::askedUnderAnotherLogon() const {
    return m_asked && m_logon.ofAnotherLogon();
}

void PXJianCangOpenOrders::follow(const std::function<void()>& askAgain,
                                  const std::function<void()>& redraw) const {
    if (askedUnderAnotherLogon()) {
        askAgain();
    } else if (known()) {
        redraw();
    }
}

void PXJianCangOpenOrders::show(const std::function<void()>& askAgain,
                                const std::function<void()>& redraw) const {
    if (m_failed) {
        askAgain();
        return;
    }
    follow(askAgain, redraw);
}

void PXJianCangOpenOrders::wanted(const std::function<void()>& askAgain) const {
    if (!m_asked || m_failed || askedUnderAnotherLogon()) {
        askAgain();
    }
}
