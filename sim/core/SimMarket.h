#pragma once

// The shared, deterministic market model of the simulated exchange: for every commodity of the
// catalogue a price history (day bars for years, minute bars for the last days) made from the
// seed, and live trading while the clock runs: one trade a second, a five-level book renewed
// each second, the minute bar in progress; nothing within a commodity's midday break. Prices are
// whole units of 10^-decimals. Owned by SimExchange; every method locks, so the services' threads
// may call it at will.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "sim/core/SimCatalogue.h"
#include "sim/core/SimClock.h"
#include "sim/core/SimRandom.h"

struct SimBar {
    int64_t date = 0;  // start of the bar
    int64_t open = 0;
    int64_t close = 0;
    int64_t high = 0;
    int64_t low = 0;
    int64_t volume = 0;
    int64_t amount = 0;  // sum of price times volume, for the average price
};

struct SimTick {
    int32_t index = 0;
    int64_t time = 0;
    int64_t price = 0;
    int32_t volume = 0;
};

struct SimLevel {
    int64_t price = 0;  // 0: an empty level
    int32_t gpCount = 0;
    int32_t zpCount = 0;
};

struct SimBook {
    int32_t number = 0;
    std::vector<SimLevel> sell;
    std::vector<SimLevel> buy;
};

struct SimQuote {
    int64_t newPrice = 0;
    int64_t buyPrice = 0;   // what a customer buys at: the best offer, above the sell price
    int64_t sellPrice = 0;  // what a customer sells at: the best bid
    int64_t highest = 0;
    int64_t lowest = 0;
    int64_t todayOpen = 0;
    int64_t yesterdayClose = 0;
    int64_t highestTime = 0;
    int64_t lowestTime = 0;
    int32_t gpNum = 0;
    int32_t gpNumSell = 0;
    int64_t time = 0;
    int32_t bookSequence = 0;  // 0 for a commodity in quote mode
};

// K-line period identifiers of the simulated servers.
enum SimPeriod {
    kMinute1 = 1,
    kMinute5,
    kMinute15,
    kMinute30,
    kMinute60,
    kDay,
    kWeek,
    kMonth,
    kYear
};

class SimMarket {
public:
    SimMarket(const SimCatalogue& catalogue, uint64_t seed, const SimClock& clock,
              int utcOffsetMinutes);

    int utcOffsetMinutes() const { return m_utcOffsetMinutes; }
    int64_t nowMs() const { return m_clock.nowMs(); }
    const SimCatalogue& catalogue() const { return m_catalogue; }

    std::optional<SimQuote> quote(int server, int16_t commodity);
    std::optional<SimBook> book(int server, int16_t commodity);
    // Trades with an index above `after`, oldest first, at most the `limit` newest.
    std::vector<SimTick> ticksAfter(int server, int16_t commodity, int32_t after, size_t limit);
    // Every bar of the period, oldest first; the last one is in progress.
    std::vector<SimBar> bars(int server, int16_t commodity, int period);
    // Minute bars dated in [from, to), oldest first.
    std::vector<SimBar> minutes(int server, int16_t commodity, int64_t from, int64_t to);
    // Moves the live price by `delta` units at once (tests: reach an order's price); false for
    // an unknown commodity.
    bool movePrice(int server, int16_t commodity, int64_t delta);

    static bool isPeriod(int period) { return period >= kMinute1 && period <= kYear; }

private:
    struct Instrument {
        const SimCommodity* def = nullptr;
        SimRandom random{0};
        std::vector<SimBar> days;     // before the minute window
        std::vector<SimBar> minutes;  // the window and live trading; the last is in progress
        std::vector<SimTick> ticks;   // the latest trades
        SimBook book;
        int64_t price = 0;
        int32_t nextTickIndex = 1;
    };

    Instrument* instrument(int server, int16_t commodity);
    // In the commodity's midday break at `ms`: no trade, no minute record.
    bool resting(const SimCommodity& def, int64_t ms) const;
    void catchUp();
    // `lastOfCatchUp`: a book no one sees before the next second is only counted, not drawn.
    void stepSecond(Instrument& item, int64_t second, bool lastOfCatchUp);
    void renewBook(Instrument& item);
    // Counts a book renewal and passes over its draws, as renewBook would leave them.
    void passBook(Instrument& item);
    void seedHistory(Instrument& item, int64_t windowStart, int64_t liveStart);
    std::vector<SimBar> dayBars(const Instrument& item) const;
    SimQuote quoteOf(const Instrument& item) const;

    const SimCatalogue& m_catalogue;
    const SimClock& m_clock;
    int m_utcOffsetMinutes;
    std::mutex m_mutex;
    std::map<std::pair<int, int16_t>, Instrument> m_instruments;
    int64_t m_lastSecond = 0;
};
