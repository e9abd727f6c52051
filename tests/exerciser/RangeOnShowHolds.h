#pragma once

#include <deque>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ReceivedRequests.h"
#include "platform/foundation/WeakLink.h"

class AlertView;
class ScreenDriver;
class SimProcess;
class View;

// The exchange never refuses as out of range a quantity that the range on show allowed when its
// sending button was tapped: after every event, a refusal on show, "委托数量超出范围" or, from a
// form whose range is the largest holding less what is held and waits in open orders ("摘牌范围"),
// "超出最大持仓量", of the latest order the exchange received is judged against the form's range
// and lots read at the latest tap that sent them. An order-book range leaves out the exchange's
// largest lots per order, so only lots within the commodity's per-order bounds are judged. One
// owner (the exerciser); main thread.
class RangeOnShowHolds {
public:
    RangeOnShowHolds(const ScreenDriver& driver, SimProcess& exchange);

    // Before a tap that reaches `hit`: a tap on an opening form's or a quick panel's sending
    // button keeps its commodity, lots and range.
    void beforeTap(const View* hit);
    void exchangeRestarted();
    // One line for a refusal on show of lots that the range on show allowed.
    std::vector<std::string> check();

private:
    struct Reading {
        std::string code;
        std::string quantity;
        std::string range;
    };

    std::optional<Reading> readForm(const View* hit) const;
    void readOrders();
    std::string judge(const std::string& refusal) const;

    const ScreenDriver& m_driver;
    std::deque<Reading> m_readings;
    ReceivedRequests m_received;
    std::set<std::string> m_environments;
    nlohmann::json m_lastOrder;
    std::vector<WeakLink<AlertView>> m_judged;
};
