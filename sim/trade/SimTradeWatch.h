#pragma once

// The price levels at which open conditional orders fill and holdings' stop-loss and take-profit
// fire, sorted per commodity and quote price, so that finding what the live prices reach looks
// at the nearest level of each list instead of at every order and holding. Owned by
// SimTradeState; it has a lock of its own because requests of different accounts change it at
// once.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

enum class SimTradeWatchKind { Order, StopLoss, StopProfit };

struct SimTradeWatchEntry {
    std::string commodity;
    int quote = 1;      // the quote price it watches: 0 last, 1 buy, 2 sell
    bool below = true;  // fires when that price is at or below the level, else at or above
    int64_t level = 0;
    std::string account;
    int64_t id = 0;  // the order's number or the holding's id
    SimTradeWatchKind kind = SimTradeWatchKind::Order;
};

class SimTradeWatch {
public:
    // The last, buy and sell prices of a commodity, or none without a live quote.
    using Prices = std::function<std::optional<std::array<int64_t, 3>>(const std::string&)>;

    void add(const SimTradeWatchEntry& entry);
    void remove(const SimTradeWatchEntry& entry);
    // Every entry the prices reach; costs one price lookup per watched commodity plus the
    // entries returned.
    std::vector<SimTradeWatchEntry> reached(const Prices& prices) const;

private:
    using Bucket = std::tuple<std::string, int, bool>;
    using Target = std::tuple<int64_t, std::string, int64_t, SimTradeWatchKind>;

    mutable std::mutex m_mutex;
    std::map<Bucket, std::set<Target>> m_levels;
};
