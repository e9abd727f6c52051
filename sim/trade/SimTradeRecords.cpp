#include "sim/trade/SimTradeRecords.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "sim/core/SimClock.h"

namespace {
constexpr int64_t kRateScale = 10000;

int64_t powerOfTen(int exponent) {
    int64_t value = 1;
    for (int i = 0; i < exponent; ++i) {
        value *= 10;
    }
    return value;
}
}  // namespace

int64_t SimTradeCommodity::centsPerUnit() const {
    return unit * 100 / powerOfTen(def->decimals);
}

SimCents SimTradeCommodity::fee(SimUnits price, int64_t lots) const {
    return simRoundDiv(value(price, lots) * feeBp, kRateScale);
}

SimCents SimTradeCommodity::marginPerLot(SimUnits price) const {
    return simRoundDiv(value(price, 1) * marginBp, kRateScale);
}

const SimTradeCommodity* SimTradeState::commodity(const std::string& code) const {
    for (const auto& item : commodities) {
        if (item.code() == code) {
            return &item;
        }
    }
    return nullptr;
}

std::optional<SimTradePrices> SimTradeState::prices(const SimTradeCommodity& item) const {
    if (withoutPrice.contains(item.code())) {
        return std::nullopt;
    }
    auto quote = market->quote(env->quoteServer, item.def->id);
    if (!quote) {
        return std::nullopt;
    }
    return SimTradePrices{quote->newPrice, quote->buyPrice, quote->sellPrice,
                          quote->yesterdayClose};
}

const SimTradeFirm* SimTradeState::firm(const std::string& id) const {
    for (const auto& item : env->firms) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

SimTradeAccount& SimTradeState::owner(const std::string& account) {
    return account.empty() ? otherFirms : accounts.at(account);
}

SimTradeOrder* SimTradeAccount::order(int64_t no) {
    auto found = orderAt.find(no);
    return found == orderAt.end() ? nullptr : &orders[found->second];
}

SimTradeHolding* SimTradeAccount::holding(int64_t id) {
    for (auto& item : holdings) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

std::string SimTradeAccount::dealKey(int side, int settle, const std::string& commodity) {
    return std::to_string(side) + std::to_string(settle) + commodity;
}

std::string SimTradeAccount::orderKey(const SimTradeOrder& order, int status) {
    return std::to_string(order.side) + std::to_string(order.settle) + std::to_string(order.kind) +
           std::to_string(status) + order.commodity;
}

SimUnits SimTradeState::orderPrice(const SimTradePrices& live, int side) {
    return side == 1 ? live.buy : live.sell;
}

SimUnits SimTradeState::closePrice(const SimTradePrices& live, const SimTradeCommodity& commodity,
                                   int holdingSide) {
    if (commodity.orderBook()) {
        return live.last;
    }
    return orderPrice(live, 3 - holdingSide);
}

SimCents SimTradeState::profitAt(const SimTradeHolding& holding, SimUnits price, int qty) const {
    const SimTradeCommodity* item = commodity(holding.commodity);
    const int64_t sign = holding.side == 1 ? 1 : -1;
    return sign * (price - holding.price) * qty * item->centsPerUnit();
}

SimCents SimTradeState::floating(const SimTradeHolding& holding) const {
    const SimTradeCommodity* item = commodity(holding.commodity);
    auto live = item ? prices(*item) : std::nullopt;
    if (!live) {
        return 0;
    }
    return profitAt(holding, closePrice(*live, *item, holding.side), holding.qty);
}

SimCents SimTradeState::frozenFunds(const std::string& account) const {
    const SimTradeAccount& owner = accounts.at(account);
    SimCents sum = 0;
    for (size_t at : owner.openOrders) {
        sum += owner.orders[at].frozenMargin + owner.orders[at].frozenFee;
    }
    return sum;
}

SimCents SimTradeState::margin(const std::string& account) const {
    SimCents sum = 0;
    for (const auto& item : accounts.at(account).holdings) {
        sum += item.marginPerLot * item.qty;
    }
    return sum;
}

SimCents SimTradeState::floatingSum(const std::string& account) const {
    SimCents sum = 0;
    for (const auto& item : accounts.at(account).holdings) {
        sum += floating(item);
    }
    return sum;
}

SimCents SimTradeState::available(const std::string& account) const {
    auto found = accounts.find(account);
    if (found == accounts.end()) {
        return 0;
    }
    return found->second.balance + floatingSum(account) - margin(account) - frozenFunds(account);
}

SimCents SimTradeState::flowsToday(const std::string& account, const std::string& code) const {
    const SimTradeDay day = bookedToday(account);
    auto found = day.flowsByCode.find(code);
    return found == day.flowsByCode.end() ? 0 : found->second;
}

SimCents SimTradeState::openingBalance(const std::string& account) const {
    return accounts.at(account).balance - bookedToday(account).flows;
}

SimTradeDay SimTradeState::bookedToday(const std::string& account) const {
    const auto& days = accounts.at(account).days;
    SimTradeDay sum;
    for (auto day = days.lower_bound(today()); day != days.end(); ++day) {
        sum.deals += day->second.deals;
        sum.lastDeal = std::max(sum.lastDeal, day->second.lastDeal);
        sum.dealFees += day->second.dealFees;
        sum.dealProfit += day->second.dealProfit;
        sum.flows += day->second.flows;
        for (const auto& [code, amount] : day->second.flowsByCode) {
            sum.flowsByCode[code] += amount;
        }
    }
    return sum;
}

int64_t SimTradeState::today() const {
    return dayOf(now());
}

int64_t SimTradeState::dayOf(int64_t ms) const {
    return SimClock::dayStart(ms, market->utcOffsetMinutes());
}

void SimTradeState::noteWaiting(int64_t time) {
    const int64_t day = dayOf(time);
    int64_t oldest = oldestWaitingDay.load();
    while (day < oldest && !oldestWaitingDay.compare_exchange_weak(oldest, day)) {
    }
}

void SimTradeState::addFlow(const std::string& account, const std::string& kind, SimCents amount,
                            const std::string& code) {
    addFlow(account, kind, amount, code, now());
}

void SimTradeState::addFlow(const std::string& account, const std::string& kind, SimCents amount,
                            const std::string& code, int64_t time) {
    auto& owner = accounts.at(account);
    owner.balance += amount;
    owner.flows.push_back({number(), account, kind, time, amount, owner.balance, code});
    SimTradeDay& day = owner.days[dayOf(time)];
    day.flows += amount;
    day.flowsByCode[code] += amount;
}

void SimTradeState::addDeal(const SimTradeDeal& deal) {
    auto& owner = accounts.at(deal.account);
    owner.dealsByKey[SimTradeAccount::dealKey(deal.side, deal.settle, deal.commodity)].push_back(
        owner.deals.size());
    owner.deals.push_back(deal);
    SimTradeDay& day = owner.days[dayOf(deal.time)];
    ++day.deals;
    day.lastDeal = std::max(day.lastDeal, deal.no);
    day.dealFees += deal.fee;
    day.dealProfit += deal.profit;
}

SimTradeOrder& SimTradeState::addOrder(const SimTradeOrder& order) {
    SimTradeAccount& book = owner(order.account);
    const size_t at = book.orders.size();
    book.orders.push_back(order);
    book.orderAt[order.no] = at;
    book.ordersByKey[SimTradeAccount::orderKey(order, order.status)].push_back(at);
    if (order.open()) {
        book.openOrders.insert(at);
        if (order.kind == 2) {
            openListings[order.no] = order.account;
        }
        if (!order.account.empty()) {
            noteWaiting(order.time);
        }
        watchOrder(order, true);
    }
    return book.orders[at];
}

void SimTradeState::addTransfer(const SimTradeTransfer& transfer) {
    accounts.at(transfer.account).transfers.push_back(transfer);
}

void SimTradeState::addHolding(const SimTradeHolding& holding) {
    accounts.at(holding.account).holdings.push_back(holding);
    if (holding.stopLoss > 0 || holding.stopProfit > 0) {
        noteWaiting(holding.stopsTime);
    }
    watchStops(holding, true);
}

void SimTradeState::orderChanged(const SimTradeOrder& order) {
    SimTradeAccount& book = owner(order.account);
    auto found = book.orderAt.find(order.no);
    if (found == book.orderAt.end()) {
        return;
    }
    const size_t at = found->second;
    // Only the open statuses (1 ordered, 4 partly done) ever change.
    for (int was : {1, 4}) {
        auto list = book.ordersByKey.find(SimTradeAccount::orderKey(order, was));
        if (was == order.status || list == book.ordersByKey.end()) {
            continue;
        }
        auto position = std::lower_bound(list->second.begin(), list->second.end(), at);
        if (position != list->second.end() && *position == at) {
            list->second.erase(position);
        }
    }
    auto& list = book.ordersByKey[SimTradeAccount::orderKey(order, order.status)];
    auto position = std::lower_bound(list.begin(), list.end(), at);
    if (position == list.end() || *position != at) {
        list.insert(position, at);
    }
    if (order.open() || !book.openOrders.erase(at)) {
        return;
    }
    openListings.erase(order.no);
    watchOrder(order, false);
}

void SimTradeState::setStops(SimTradeHolding& holding, SimUnits stopLoss, SimUnits stopProfit) {
    watchStops(holding, false);
    holding.stopLoss = stopLoss;
    holding.stopProfit = stopProfit;
    if (stopLoss > 0 || stopProfit > 0) {
        holding.stopsTime = now();
        noteWaiting(holding.stopsTime);
    }
    watchStops(holding, true);
}

void SimTradeState::removeEmptyHoldings(SimTradeAccount& account) {
    auto& list = account.holdings;
    auto empty = std::remove_if(list.begin(), list.end(), [](const auto& h) { return h.qty <= 0; });
    for (auto at = empty; at != list.end(); ++at) {
        watchStops(*at, false);
    }
    list.erase(empty, list.end());
}

// Conditional orders only: each watches the market price of its side (a buy the buy price, a sell
// the sell price) come to its price from the side it was placed on.
void SimTradeState::watchOrder(const SimTradeOrder& order, bool on) {
    if (order.kind != 1) {
        return;
    }
    const SimTradeWatchEntry entry = {
        order.commodity, order.side, !order.rising,           order.price,
        order.account,   order.no,   SimTradeWatchKind::Order};
    on ? watch.add(entry) : watch.remove(entry);
}

// A bought holding's stop-loss fires when its close price falls to it and its take-profit when
// it rises to it; the other way round for a sold one.
void SimTradeState::watchStops(const SimTradeHolding& holding, bool on) {
    const SimTradeCommodity* item = commodity(holding.commodity);
    if (!item) {
        return;
    }
    const int quote = item->orderBook() ? 0 : 3 - holding.side;
    const bool bought = holding.side == 1;
    const std::pair<SimUnits, SimTradeWatchKind> stops[] = {
        {holding.stopLoss, SimTradeWatchKind::StopLoss},
        {holding.stopProfit, SimTradeWatchKind::StopProfit}};
    for (const auto& [level, kind] : stops) {
        if (level <= 0) {
            continue;
        }
        const bool below = (kind == SimTradeWatchKind::StopLoss) == bought;
        const SimTradeWatchEntry entry = {holding.commodity, quote,      below, level,
                                          holding.account,   holding.id, kind};
        on ? watch.add(entry) : watch.remove(entry);
    }
}

std::vector<SimTradeWatchEntry> SimTradeState::reached() const {
    return watch.reached([this](const std::string& code) -> std::optional<std::array<int64_t, 3>> {
        const SimTradeCommodity* item = commodity(code);
        auto live = item ? prices(*item) : std::nullopt;
        if (!live) {
            return std::nullopt;
        }
        return std::array<int64_t, 3>{live->last, live->buy, live->sell};
    });
}

// Later than the last change even while the clock stands still (a test's clock moves by hand), so
// that a client comparing times sees every change.
void SimTradeState::touchListings(int side) {
    int64_t& time = side == 1 ? buyListingTime : sellListingTime;
    time = std::max(now(), time + 1);
}

int64_t simRoundDiv(int64_t a, int64_t b) {
    const int64_t half = b / 2;
    return a >= 0 ? (a + half) / b : -((-a + half) / b);
}

std::string simMoney(SimCents cents) {
    const int64_t whole = std::llabs(cents);
    char text[64];
    std::snprintf(text, sizeof(text), "%s%lld.%02lld", cents < 0 ? "-" : "",
                  static_cast<long long>(whole / 100), static_cast<long long>(whole % 100));
    return text;
}

std::string simPrice(SimUnits price, const SimTradeCommodity& commodity) {
    const int decimals = commodity.def->decimals;
    if (decimals == 0) {
        return std::to_string(price);
    }
    const int64_t scale = powerOfTen(decimals);
    const int64_t whole = std::llabs(price);
    std::string fraction = std::to_string(whole % scale);
    fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
    return (price < 0 ? "-" : "") + std::to_string(whole / scale) + "." + fraction;
}

std::optional<SimUnits> simUnits(const std::string& text, const SimTradeCommodity& commodity) {
    auto value = simNumber(text);
    if (!value || *value <= 0 || *value > 1e12) {
        return std::nullopt;
    }
    const double units = *value * static_cast<double>(powerOfTen(commodity.def->decimals));
    const double rounded = std::round(units);
    if (std::abs(units - rounded) > 1e-6) {
        return std::nullopt;
    }
    return static_cast<SimUnits>(rounded);
}

std::optional<SimCents> simCents(const std::string& text) {
    auto value = simNumber(text);
    if (!value || std::abs(*value) > 1e12) {
        return std::nullopt;
    }
    const double cents = *value * 100;
    const double rounded = std::round(cents);
    if (std::abs(cents - rounded) > 1e-6) {
        return std::nullopt;
    }
    return static_cast<SimCents>(rounded);
}

std::string simText(const SimJson& request, const char* key) {
    auto found = request.find(key);
    if (found == request.end()) {
        return {};
    }
    if (found->is_string()) {
        return found->get<std::string>();
    }
    if (found->is_number() || found->is_boolean()) {
        return found->dump();
    }
    return {};
}

std::optional<double> simNumber(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int64_t> simInteger(const std::string& text) {
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end != text.c_str() + text.size()) {
        return std::nullopt;
    }
    return value;
}

SimJson simReply(int code, const std::string& message) {
    SimJson rep = SimJson::object();
    rep["retcode"] = code;
    rep["message"] = message;
    return rep;
}
