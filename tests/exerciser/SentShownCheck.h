#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ReceivedRequests.h"

class ScreenDriver;
class SimProcess;
class View;

// Holds every order that leaves ("order_s", "order_x", "order_mp", "order_list",
// "set_loss_profit") to what its form showed when its sending button was tapped: commodity, side,
// lots, price, holding number and stops, read from the form's labels, fields and button
// pictures as a person reads them. The exchange's copy of each order is fetched from the
// simulator after every event and must match one of the readings of the latest taps. One
// owner (the exerciser); main thread.
class SentShownCheck {
public:
    // What a form showed at a tap on its sending button; an empty field was not on show.
    struct Reading {
        std::string form;
        std::set<std::string> names;  // the requests the form sends
        std::optional<std::string> settle;
        std::optional<std::string> commodity;  // the commodity's name
        std::optional<std::string> side;       // "1" 购入, "2" 售出
        std::optional<std::string> quantity;
        std::optional<std::string> price;
        std::optional<std::string> holding;  // "" by commodity
        std::optional<std::string> stopLoss;
        std::optional<std::string> stopProfit;
        // A holding number the client's own holdings no longer have: a vanished choice.
        bool holdingGone = false;
        size_t tap = 0;
        std::string describe() const;
    };

    SentShownCheck(const ScreenDriver& driver, SimProcess& exchange);

    // Before a tap that reaches `hit`: a tap on a sending button keeps what its form shows.
    void beforeTap(const View* hit);
    void exchangeRestarted();
    // One line for every order the exchange received since the last call that no reading
    // shows.
    std::vector<std::string> check();

    // Why `fields` of request `name` differ from the reading; empty when they agree.
    // `names` gives a commodity code's name; a commodity of `orderBook` goes in no quote-mode
    // order.
    static std::string mismatch(const Reading& shown, const std::string& name,
                                const nlohmann::json& fields,
                                const std::map<std::string, std::string>& names,
                                const std::set<std::string>& orderBook = {});

    // What the form whose sending button `hit` is shows now; empty for any other view.
    std::vector<Reading> readForms(const View* hit) const;

private:
    // Keeps the names of the store's commodities: a log-out empties the store before an order
    // sent just before it is read.
    void learnCommodityNames();

    const ScreenDriver& m_driver;
    SimProcess& m_exchange;
    std::vector<Reading> m_readings;
    std::map<std::string, std::string> m_names;
    std::set<std::string> m_orderBook;
    size_t m_taps = 0;
    ReceivedRequests m_received;
};
