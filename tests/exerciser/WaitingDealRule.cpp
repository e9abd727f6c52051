#include "WaitingDealRule.h"

#include <nlohmann/json.hpp>

#include "sim/core/SimClock.h"
#include "support/SimProcess.h"

WaitingDealRule::WaitingDealRule(SimProcess& exchange,
                                 std::function<void(const std::string&)> violation)
    : m_exchange(exchange), m_violation(std::move(violation)) {}

int64_t WaitingDealRule::exchangeDay(int64_t ms) {
    // The exchange keeps UTC+8.
    return SimClock::dayStart(ms, 8 * 60);
}

void WaitingDealRule::check(const std::string& environment, const std::string& account) {
    const auto reply =
        m_exchange.get("/control/trade/books?" + environment + "&account=" + account);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !books.is_object()) {
        return;
    }
    for (const auto& deal : books.value("deals", nlohmann::json::array())) {
        const int64_t market = deal.value("market", int64_t{0});
        const std::string key = environment + "/" + account + "/" + deal["no"].dump();
        // Only deals of waiting orders and stops carry the market they were dealt against.
        if (market == 0 || !m_judged.insert(key).second) {
            continue;
        }
        const int64_t price = deal["price"].get<int64_t>();
        const bool buying = deal["side"].get<int>() == 1;
        if (buying ? price > market : price < market) {
            m_violation("deal " + key + " dealt at " + std::to_string(price) +
                        ", worse than the market's " + std::to_string(market) + ": " + deal.dump());
        }
        const int64_t placed = deal["placed"].get<int64_t>();
        if (exchangeDay(deal["time"].get<int64_t>()) != exchangeDay(placed)) {
            m_violation("deal " + key +
                        " dealt on an exchange day after the one its order or "
                        "stop was placed on: " +
                        deal.dump());
        }
    }
}
