#include "sim/core/SimMarket.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <ranges>

namespace {
constexpr int64_t kMinuteMs = 60000;
constexpr int64_t kDayMs = 86400000;
constexpr int kHistoryDays = 4000;
constexpr int kMinuteWindowDays = 10;
constexpr size_t kTicksKept = 50;
constexpr int kBookLevels = 5;
constexpr int kOrderBookFilledLevels = 3;

int64_t floorDiv(int64_t a, int64_t b) {
    return SimClock::floorDiv(a, b);
}

void extend(SimBar& into, const SimBar& bar) {
    into.close = bar.close;
    into.high = std::max(into.high, bar.high);
    into.low = std::min(into.low, bar.low);
    into.volume += bar.volume;
    into.amount += bar.amount;
}

// Joins consecutive bars that map to the same start date.
template <typename DateOf>
std::vector<SimBar> aggregate(const std::vector<SimBar>& bars, DateOf dateOf) {
    std::vector<SimBar> out;
    for (const auto& bar : bars) {
        const int64_t date = dateOf(bar.date);
        if (!out.empty() && out.back().date == date) {
            extend(out.back(), bar);
            continue;
        }
        SimBar first = bar;
        first.date = date;
        out.push_back(first);
    }
    return out;
}

int64_t reverted(int64_t price, int64_t base, double strength, double move) {
    const double next =
        static_cast<double>(price) + move + strength * static_cast<double>(base - price);
    return std::max<int64_t>(std::llround(next), std::max<int64_t>(1, base / 4));
}
}  // namespace

SimMarket::SimMarket(const SimCatalogue& catalogue, uint64_t seed, const SimClock& clock,
                     int utcOffsetMinutes)
    : m_catalogue(catalogue), m_clock(clock), m_utcOffsetMinutes(utcOffsetMinutes) {
    const int64_t now = m_clock.nowMs();
    const int64_t liveStart = floorDiv(now, kMinuteMs) * kMinuteMs - kMinuteMs;
    const int64_t windowStart =
        SimClock::dayStart(now, m_utcOffsetMinutes) - kMinuteWindowDays * kDayMs;
    for (const auto& server : m_catalogue.servers) {
        for (const auto& def : server.commodities) {
            Instrument item;
            item.def = &def;
            item.random =
                SimRandom(seed * 0x100000001B3ull + static_cast<uint64_t>(server.index) * 65537u +
                          static_cast<uint64_t>(static_cast<uint16_t>(def.id)));
            seedHistory(item, windowStart, liveStart);
            m_instruments.emplace(std::make_pair(server.index, def.id), std::move(item));
        }
    }
    m_lastSecond = liveStart / 1000 - 1;
    catchUp();
}

void SimMarket::seedHistory(Instrument& item, int64_t windowStart, int64_t liveStart) {
    const SimCommodity& def = *item.def;
    SimRandom& random = item.random;
    const double daySigma = def.minuteSigma * 12.0;
    int64_t price = def.basePrice;
    for (int day = kHistoryDays; day > 0; --day) {
        SimBar bar;
        bar.date = windowStart - day * kDayMs;
        bar.open = price;
        bar.close = reverted(price, def.basePrice, 0.02, random.gauss(daySigma));
        bar.high =
            std::max(bar.open, bar.close) + std::llabs(std::llround(random.gauss(daySigma / 2)));
        bar.low = std::max<int64_t>(1, std::min(bar.open, bar.close) -
                                           std::llabs(std::llround(random.gauss(daySigma / 2))));
        bar.volume = random.between(1000, 50000);
        bar.amount = (bar.open + bar.close) / 2 * bar.volume;
        item.days.push_back(bar);
        price = bar.close;
    }
    for (int64_t minute = windowStart; minute < liveStart; minute += kMinuteMs) {
        if (resting(def, minute)) {
            continue;
        }
        SimBar bar;
        bar.date = minute;
        bar.open = price;
        bar.close = reverted(price, def.basePrice, 0.001, random.gauss(def.minuteSigma));
        bar.high = std::max(bar.open, bar.close) + random.between(0, def.minuteSigma);
        bar.low = std::max<int64_t>(
            1, std::min(bar.open, bar.close) - random.between(0, def.minuteSigma));
        bar.volume = random.between(10, 600);
        bar.amount = (bar.open + bar.close) / 2 * bar.volume;
        item.minutes.push_back(bar);
        price = bar.close;
    }
    item.price = price;
    if (!resting(def, liveStart)) {
        item.minutes.push_back({liveStart, price, price, price, price, 0, 0});
    }
    renewBook(item);
}

void SimMarket::catchUp() {
    const int64_t now = floorDiv(m_clock.nowMs(), 1000);
    for (int64_t second = m_lastSecond + 1; second <= now; ++second) {
        for (auto& [key, item] : m_instruments) {
            stepSecond(item, second, second == now);
        }
    }
    m_lastSecond = std::max(m_lastSecond, now);
}

void SimMarket::stepSecond(Instrument& item, int64_t second, bool lastOfCatchUp) {
    const SimCommodity& def = *item.def;
    const int64_t time = second * 1000;
    // The book stands as the last trade left it until trading resumes.
    if (resting(def, time)) {
        return;
    }
    const int64_t minute = floorDiv(time, kMinuteMs) * kMinuteMs;
    if (item.minutes.back().date != minute) {
        item.minutes.push_back({minute, item.price, item.price, item.price, item.price, 0, 0});
    }
    const int64_t unit = std::max(1, def.minuteSigma / 4);
    item.price = reverted(item.price, def.basePrice, 0.0002,
                          static_cast<double>(item.random.between(-1, 1) * unit));
    SimTick tick{item.nextTickIndex++, time, item.price,
                 static_cast<int32_t>(item.random.between(1, 20))};
    item.ticks.push_back(tick);
    // Only the latest are kept; within a catch-up they are cut in batches.
    if (item.ticks.size() > (lastOfCatchUp ? kTicksKept : 2 * kTicksKept)) {
        item.ticks.erase(item.ticks.begin(), item.ticks.end() - kTicksKept);
    }
    SimBar& bar = item.minutes.back();
    bar.close = item.price;
    bar.high = std::max(bar.high, item.price);
    bar.low = std::min(bar.low, item.price);
    bar.volume += tick.volume;
    bar.amount += tick.price * tick.volume;
    // A clock moved by a day would otherwise draw some 86,400 books per commodity while every
    // reply waits.
    if (lastOfCatchUp) {
        renewBook(item);
    } else {
        passBook(item);
    }
}

void SimMarket::passBook(Instrument& item) {
    const int sellLevels = item.def->productJYtype == 4 ? kOrderBookFilledLevels : kBookLevels;
    // Two draws per level filled: its count of listings and of those taken.
    item.random.skip(2 * static_cast<uint64_t>(sellLevels + kBookLevels));
    ++item.book.number;
}

void SimMarket::renewBook(Instrument& item) {
    const SimCommodity& def = *item.def;
    const int64_t unit = std::max(1, def.minuteSigma / 2);
    const bool orderBook = def.productJYtype == 4;
    SimBook& book = item.book;
    ++book.number;
    book.sell.clear();
    book.buy.clear();
    for (int level = 1; level <= kBookLevels; ++level) {
        SimLevel sell;
        if (!orderBook || level <= kOrderBookFilledLevels) {
            sell.price = item.price + level * unit;
            sell.gpCount = static_cast<int32_t>(item.random.between(1, 50));
            sell.zpCount = static_cast<int32_t>(item.random.between(0, sell.gpCount / 2));
        }
        book.sell.push_back(sell);
        SimLevel buy;
        buy.price = std::max<int64_t>(1, item.price - level * unit);
        buy.gpCount = static_cast<int32_t>(item.random.between(1, 50));
        buy.zpCount = static_cast<int32_t>(item.random.between(0, buy.gpCount / 2));
        book.buy.push_back(buy);
    }
}

bool SimMarket::resting(const SimCommodity& def, int64_t ms) const {
    const int64_t local = ms + static_cast<int64_t>(m_utcOffsetMinutes) * kMinuteMs;
    const int64_t minute = floorDiv(local - floorDiv(local, kDayMs) * kDayMs, kMinuteMs);
    return minute >= def.breakFromMinute && minute < def.breakToMinute;
}

SimMarket::Instrument* SimMarket::instrument(int server, int16_t commodity) {
    auto found = m_instruments.find({server, commodity});
    return found == m_instruments.end() ? nullptr : &found->second;
}

SimQuote SimMarket::quoteOf(const Instrument& item) const {
    const int64_t todayStart = SimClock::dayStart(m_clock.nowMs(), m_utcOffsetMinutes);
    SimQuote quote;
    quote.newPrice = item.price;
    quote.yesterdayClose = item.days.empty() ? item.price : item.days.back().close;
    quote.todayOpen = item.price;
    quote.highest = item.price;
    quote.lowest = item.price;
    bool seenToday = false;
    // Bars are in time order: only today's need a look, and the one before them closed yesterday.
    auto today = std::ranges::lower_bound(item.minutes, todayStart, {}, &SimBar::date);
    if (today != item.minutes.begin()) {
        quote.yesterdayClose = std::prev(today)->close;
    }
    for (const auto& bar : std::ranges::subrange(today, item.minutes.end())) {
        if (!seenToday || bar.high > quote.highest) {
            quote.highest = bar.high;
            quote.highestTime = bar.date;
        }
        if (!seenToday || bar.low < quote.lowest) {
            quote.lowest = bar.low;
            quote.lowestTime = bar.date;
        }
        if (!seenToday) {
            quote.todayOpen = bar.open;
            seenToday = true;
        }
    }
    // The customer's two prices: a customer buys at the best offer and sells at the best bid, so
    // a round trip at a still quote pays the spread.
    quote.buyPrice = item.book.sell.front().price;
    quote.sellPrice = item.book.buy.front().price;
    quote.time = item.ticks.empty() ? m_clock.nowMs() : item.ticks.back().time;
    if (item.def->productJYtype == 4) {
        for (const auto& level : item.book.buy) {
            quote.gpNum += level.gpCount - level.zpCount;
        }
        for (const auto& level : item.book.sell) {
            quote.gpNumSell += level.gpCount - level.zpCount;
        }
        quote.bookSequence = item.book.number;
    }
    return quote;
}

std::optional<SimQuote> SimMarket::quote(int server, int16_t commodity) {
    std::lock_guard lock(m_mutex);
    catchUp();
    const Instrument* item = instrument(server, commodity);
    if (!item) {
        return std::nullopt;
    }
    return quoteOf(*item);
}

std::optional<SimBook> SimMarket::book(int server, int16_t commodity) {
    std::lock_guard lock(m_mutex);
    catchUp();
    const Instrument* item = instrument(server, commodity);
    if (!item) {
        return std::nullopt;
    }
    return item->book;
}

std::vector<SimTick> SimMarket::ticksAfter(int server, int16_t commodity, int32_t after,
                                           size_t limit) {
    std::lock_guard lock(m_mutex);
    catchUp();
    const Instrument* item = instrument(server, commodity);
    std::vector<SimTick> out;
    if (!item) {
        return out;
    }
    for (const auto& tick : item->ticks) {
        if (tick.index > after) {
            out.push_back(tick);
        }
    }
    if (out.size() > limit) {
        out.erase(out.begin(), out.end() - static_cast<std::ptrdiff_t>(limit));
    }
    return out;
}

std::vector<SimBar> SimMarket::dayBars(const Instrument& item) const {
    const int offset = m_utcOffsetMinutes;
    std::vector<SimBar> days = item.days;
    auto live =
        aggregate(item.minutes, [offset](int64_t d) { return SimClock::dayStart(d, offset); });
    days.insert(days.end(), live.begin(), live.end());
    return days;
}

std::vector<SimBar> SimMarket::bars(int server, int16_t commodity, int period) {
    std::lock_guard lock(m_mutex);
    catchUp();
    const Instrument* item = instrument(server, commodity);
    if (!item || !isPeriod(period)) {
        return {};
    }
    const int64_t offsetMs = static_cast<int64_t>(m_utcOffsetMinutes) * kMinuteMs;
    if (period <= kMinute60) {
        static const int kMinutes[] = {1, 5, 15, 30, 60};
        const int64_t span = kMinutes[period - kMinute1] * kMinuteMs;
        return aggregate(item->minutes, [span, offsetMs](int64_t d) {
            return floorDiv(d + offsetMs, span) * span - offsetMs;
        });
    }
    std::vector<SimBar> days = dayBars(*item);
    auto localDay = [offsetMs](int64_t d) { return floorDiv(d + offsetMs, kDayMs); };
    switch (period) {
        case kWeek:
            return aggregate(days, [&](int64_t d) {
                return (floorDiv(localDay(d) + 3, 7) * 7 - 3) * kDayMs - offsetMs;
            });
        case kMonth:
            return aggregate(days, [&](int64_t d) {
                int y, m, day;
                SimClock::daysToCivil(localDay(d), y, m, day);
                return SimClock::civilToMs(y, m, 1) - offsetMs;
            });
        case kYear:
            return aggregate(days, [&](int64_t d) {
                int y, m, day;
                SimClock::daysToCivil(localDay(d), y, m, day);
                return SimClock::civilToMs(y, 1, 1) - offsetMs;
            });
        default:
            return days;
    }
}

std::vector<SimBar> SimMarket::minutes(int server, int16_t commodity, int64_t from, int64_t to) {
    std::lock_guard lock(m_mutex);
    catchUp();
    const Instrument* item = instrument(server, commodity);
    std::vector<SimBar> out;
    if (!item) {
        return out;
    }
    for (const auto& bar : item->minutes) {
        if (bar.date >= from && bar.date < to) {
            out.push_back(bar);
        }
    }
    return out;
}

bool SimMarket::movePrice(int server, int16_t commodity, int64_t delta) {
    std::lock_guard lock(m_mutex);
    catchUp();
    Instrument* item = instrument(server, commodity);
    if (!item) {
        return false;
    }
    item->price = std::max<int64_t>(1, item->price + delta);
    SimBar& bar = item->minutes.back();
    bar.close = item->price;
    bar.high = std::max(bar.high, item->price);
    bar.low = std::min(bar.low, item->price);
    renewBook(*item);
    return true;
}
