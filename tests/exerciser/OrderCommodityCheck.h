#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ReceivedRequests.h"

class SimProcess;

// No order ("order_s", "order_x", "order_mp", "order_list", "set_loss_profit") reaches the
// exchange without a commodity, or with one the client's trading list never held while it was
// logged in to that exchange and environment. The list is learnt before every tap and at every
// check, as a log-out empties it before an order sent just before it is read. One owner (the
// exerciser); main thread.
class OrderCommodityCheck {
public:
    explicit OrderCommodityCheck(SimProcess& exchange);

    // Keeps the commodities the client lists now, under the environment it is logged in to.
    void learn();
    void exchangeRestarted();
    // One line for every order the exchange received since the last call whose commodity is
    // empty or was never listed.
    std::vector<std::string> check();

private:
    SimProcess& m_exchange;
    // By "jys=..&env=..": every commodity code listed there.
    std::map<std::string, std::set<std::string>> m_listed;
    ReceivedRequests m_received;
};
