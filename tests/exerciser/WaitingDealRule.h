#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>

class SimProcess;

// The exerciser's rule of waiting orders and stops: no deal of a conditional order or a stop is
// dealt at a price worse for the customer than the market's price of its side at that moment
// (as the exchange booked it), nor on an exchange day (UTC+8) after the one the order was placed
// or the stop set on. Reads an account's books from the exchange; main thread.
class WaitingDealRule {
public:
    WaitingDealRule(SimProcess& exchange, std::function<void(const std::string&)> violation);

    // `environment`: "jys=..&env=..". Each deal is judged once.
    void check(const std::string& environment, const std::string& account);
    // The exchange day (its midnight, ms) holding `ms`.
    static int64_t exchangeDay(int64_t ms);

private:
    SimProcess& m_exchange;
    std::function<void(const std::string&)> m_violation;
    std::set<std::string> m_judged;
};
