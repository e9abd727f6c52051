#pragma once
// The lots waiting in the account's open orders of the commodity an order-book screen shows;
// they bound the quantity it may still order. Only the latest query's reply counts: a new query
// (another commodity, or the same again) starts from nothing and makes the replies of earlier
// ones void. A count asked under an earlier logon is another account's. Owned by its screen;
// main thread.

#include <functional>
#include <memory>

#include "trade/common/PXTradeShownAccount.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeNetworkManger;

class PXJianCangOpenOrders {
public:
    int lots() const { return m_lots; }
    // A query left: nothing is counted until its reply.
    void began(const PXTradeNetworkManger& query);
    bool isLatest(const PXTradeNetworkManger& reply) const;
    // Counts the rows of the latest query's reply; an earlier query's reply counts nothing and
    // gives false.
    bool answered(const PXTradeNetworkManger& reply, const PXTradeResult* data);
    // The latest query has been answered, under the logon in force.
    bool known() const;
    // A query was made under a logon that another has replaced since (an account switch): its
    // count, and the range drawn from it, are not this account's.
    bool askedUnderAnotherLogon() const;
    // Keeps a form on the account in force: asks again when the count is another account's,
    // redraws the range when the count is known.
    void follow(const std::function<void()>& askAgain, const std::function<void()>& redraw) const;

private:
    std::weak_ptr<const PXTradeNetworkManger> m_query;
    int m_lots = 0;
    bool m_answered = false;
    bool m_asked = false;
    // The logon of the latest query; a query starts its count afresh, so there is nothing to
    // forget.
    PXTradeShownAccount m_logon{[] {}};
};
