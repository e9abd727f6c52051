#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class ExerciseRandom;
class SimProcess;
class WaitingDealRule;

// The exerciser event that carries the exchange's clock over its midnight with orders and stops
// waiting: the account logged in gets, as from another device, a holding of silver with a
// stop-loss and a take-profit and conditional orders above and below the market of either side;
// at 23:59 the price may reach some of them, then the clock passes midnight and the price swings
// through every level. The rule (WaitingDealRule) judges each deal as it comes. One owner (the
// exerciser); main thread.
class OrdersOverMidnight {
public:
    struct Hooks {
        // "jys=..&env=.." and the account logged in, when one is.
        std::function<std::optional<std::pair<std::string, std::string>>()> loggedIn;
        std::function<void(const std::string&)> journal;
    };

    OrdersOverMidnight(SimProcess& exchange, WaitingDealRule& rule, Hooks hooks);

    int weight() const;
    void act(ExerciseRandom& random);

private:
    // The silver price now, as the exchange's last price; none where silver does not trade.
    std::optional<int64_t> silver() const;
    void request(const std::string& name, const std::string& fields);
    void holdWithStops(int64_t price);
    // Moves silver by `delta` and lets the exchange deal what it reaches.
    void swing(int64_t delta);
    void advanceTo(int64_t offsetFromMidnightMs);

    SimProcess& m_exchange;
    WaitingDealRule& m_rule;
    Hooks m_hooks;
    std::string m_environment;
    std::string m_account;
};
