#include "trade/open/PXJianCangOpenOrders.h"

#include "trade/core/PXTradeNetworkManger.h"
#include "trade/open/PXJianCangRules.h"

void PXJianCangOpenOrders::began(const PXTradeNetworkManger& query) {
    m_query = query.weak_from_this();
    m_lots = 0;
}

bool PXJianCangOpenOrders::isLatest(const PXTradeNetworkManger& reply) const {
    return m_query.lock().get() == &reply;
}

bool PXJianCangOpenOrders::answered(const PXTradeNetworkManger& reply, const PXTradeResult* data) {
    if (!isLatest(reply)) {
        return false;
    }
    m_lots += PXJianCangRules::openOrderLots(PXJianCangRules::rowsOf(data));
    return true;
}
