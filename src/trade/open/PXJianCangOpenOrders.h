#pragma once
// The lots waiting in the account's open orders of the commodity an order-book screen shows;
// they bound the quantity it may still order. Only the latest query's reply counts: a new query
// (another commodity, or the same again) starts from nothing and makes the replies of earlier
// ones void. A count asked under an earlier logon is another account's. A count whose query
// failed stays unknown, never taken as none, and is asked again when the screen shows again or
// a tap finds the range missing. Owned by its screen; main thread.

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
    // The latest query got no count (the line, the server's refusal).
    void failed(const PXTradeNetworkManger& reply);
    // The latest query has been answered, under the logon in force.
    bool known() const;
    // A query was made under a logon that another has replaced since (an account switch): its
    // count, and the range drawn from it, are not this account's.
    bool askedUnderAnotherLogon() const;
    // At a refresh: asks again when the count is another account's, redraws the range when the
    // count is known. A failed query waits for a showing or a tap, so that a dead line is not
    // asked, and told, at every refresh.
    void follow(const std::function<void()>& askAgain, const std::function<void()>& redraw) const;
    // At a showing: as follow, and a failed query is asked again.
    void show(const std::function<void()>& askAgain, const std::function<void()>& redraw) const;
    // At a tap that finds no range: asked when a query failed, was of another account or never
    // went.
    void wanted(const std::function<void()>& askAgain) const;

private:
    std::weak_ptr<const PXTradeNetworkManger> m_query;
    int m_lots = 0;
    bool m_answered = false;
    bool m_asked = false;
    bool m_failed = false;
    // The logon of the latest query; a query starts its count afresh, so there is nothing to
    // forget.
    PXTradeShownAccount m_logon{[] {}};
};
