#include "OrdersOverMidnight.h"

#include <nlohmann/json.hpp>

#include "ExerciseRandom.h"
#include "QuoteScreenRules.h"
#include "WaitingDealRule.h"
#include "support/SimProcess.h"

// Far enough from the market that the minutes the clock moves leave the levels waiting.
constexpr int64_t kMidnightBeyond = 40;
constexpr const char* kMidnightSilver = "AG";

OrdersOverMidnight::OrdersOverMidnight(SimProcess& exchange, WaitingDealRule& rule, Hooks hooks)
    : m_exchange(exchange), m_rule(rule), m_hooks(std::move(hooks)) {}

int OrdersOverMidnight::weight() const {
    return m_hooks.loggedIn() ? 2 : 0;
}

std::optional<int64_t> OrdersOverMidnight::silver() const {
    const auto reply = m_exchange.get("/control/trade/prices?" + m_environment);
    const auto prices = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !prices.is_object() || !prices.contains(kMidnightSilver)) {
        return std::nullopt;
    }
    return std::stoll(prices[kMidnightSilver].get<std::string>());
}

void OrdersOverMidnight::request(const std::string& name, const std::string& fields) {
    const auto reply = m_exchange.post("/control/trade/request?" + m_environment +
                                       "&account=" + m_account + "&name=" + name + "&" + fields);
    m_hooks.journal("  " + name + " " + fields + (reply.status == 200 ? "" : ": " + reply.body));
}

void OrdersOverMidnight::holdWithStops(int64_t price) {
    m_exchange.post("/control/trade/holding?" + m_environment + "&account=" + m_account +
                    "&commodity=" + kMidnightSilver + "&side=1&qty=1");
    const auto reply =
        m_exchange.get("/control/trade/books?" + m_environment + "&account=" + m_account);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !books.is_object() || books["holdings"].empty()) {
        return;
    }
    const auto& newest = books["holdings"].back();
    request("set_loss_profit", "H_ID=" + newest["id"].dump() + "&COMMODITY_ID=" + kMidnightSilver +
                                   "&STOP_LOSS=" + std::to_string(price - kMidnightBeyond) +
                                   "&STOP_PROFIT=" + std::to_string(price + kMidnightBeyond));
}

void OrdersOverMidnight::swing(int64_t delta) {
    m_hooks.journal("  silver moves " + std::to_string(delta));
    m_exchange.post("/control/trade/price?" + m_environment + "&commodity=" + kMidnightSilver +
                    "&delta=" + std::to_string(delta));
    // The books' reading lets the exchange deal what the price reached.
    m_rule.check(m_environment, m_account);
}

void OrdersOverMidnight::advanceTo(int64_t offsetFromMidnightMs) {
    int64_t step = QuoteScreenRules::untilMidnight(m_exchange.nowMs()) + offsetFromMidnightMs;
    step += step < 0 ? QuoteScreenRules::kDayMs : 0;
    m_hooks.journal("  the exchange's clock moves " + std::to_string(step) + " ms");
    m_exchange.advance(step);
}

void OrdersOverMidnight::act(ExerciseRandom& random) {
    const auto who = m_hooks.loggedIn();
    if (!who) {
        return;
    }
    m_environment = who->first;
    m_account = who->second;
    m_hooks.journal("orders and stops of " + m_account + " wait over the exchange's midnight");
    advanceTo(-2 * QuoteScreenRules::kMinuteMs);
    const auto price = silver();
    if (!price) {
        return m_hooks.journal("  no silver here");
    }
    holdWithStops(*price);
    for (const char* side : {"1", "2"}) {
        for (int64_t level : {*price - kMidnightBeyond, *price + kMidnightBeyond}) {
            request("order_x", std::string("COMMODITY_ID=") + kMidnightSilver +
                                   "&BUY_SELL=" + side + "&QTY=1&PRICE=" + std::to_string(level) +
                                   "&STOP_LOSS=0&STOP_PROFIT=0&VALIDITY_TYPE=0");
        }
    }
    m_rule.check(m_environment, m_account);
    advanceTo(-QuoteScreenRules::kMinuteMs);
    if (random.chance(0.5)) {
        // Some are dealt on their own day.
        swing(random.chance(0.5) ? 2 * kMidnightBeyond : -2 * kMidnightBeyond);
    }
    advanceTo(QuoteScreenRules::kMinuteMs);
    swing(-3 * kMidnightBeyond);
    swing(6 * kMidnightBeyond);
    swing(-3 * kMidnightBeyond);
}
