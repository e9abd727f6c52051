#include "sim/trade/SimTradeRecords.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

const SimTradeCommodity* SimTradeState::commodity(const std::string& code) const {
    for (const auto& item : commodities) {
        if (item.code() == code) {
            return &item;
        }
    }
    return nullptr;
}

std::optional<SimTradePrices> SimTradeState::prices(const SimTradeCommodity& item) const {
    auto quote = market->quote(env->quoteServer, item.def->id);
    if (!quote) {
        return std::nullopt;
    }
    const double scale = std::pow(10.0, item.def->decimals);
    SimTradePrices out;
    out.last = static_cast<double>(quote->newPrice) / scale;
    out.bid = static_cast<double>(quote->buyPrice) / scale;
    out.ask = static_cast<double>(quote->sellPrice) / scale;
    out.yesterdayClose = static_cast<double>(quote->yesterdayClose) / scale;
    return out;
}

const SimTradeFirm* SimTradeState::firm(const std::string& id) const {
    for (const auto& item : env->firms) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

SimTradeHolding* SimTradeState::holding(int64_t id) {
    for (auto& item : holdings) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

SimTradeOrder* SimTradeState::order(int64_t no) {
    for (auto& item : orders) {
        if (item.no == no) {
            return &item;
        }
    }
    return nullptr;
}

double SimTradeState::floating(const SimTradeHolding& holding) const {
    const SimTradeCommodity* item = commodity(holding.commodity);
    auto live = item ? prices(*item) : std::nullopt;
    if (!live) {
        return 0;
    }
    double price = holding.side == 1 ? live->ask : live->bid;
    if (item->orderBook()) {
        price = live->last;
    }
    const double sign = holding.side == 1 ? 1 : -1;
    return (price - holding.price) * holding.qty * item->unit * sign;
}

double SimTradeState::frozenFunds(const std::string& account) const {
    double sum = 0;
    for (const auto& item : orders) {
        if (item.account == account && item.open()) {
            sum += item.frozenMargin + item.frozenFee;
        }
    }
    return sum;
}

double SimTradeState::margin(const std::string& account) const {
    double sum = 0;
    for (const auto& item : holdings) {
        if (item.account == account) {
            sum += item.marginPerLot * item.qty;
        }
    }
    return sum;
}

double SimTradeState::floatingSum(const std::string& account) const {
    double sum = 0;
    for (const auto& item : holdings) {
        if (item.account == account) {
            sum += floating(item);
        }
    }
    return sum;
}

double SimTradeState::available(const std::string& account) const {
    auto found = accounts.find(account);
    if (found == accounts.end()) {
        return 0;
    }
    return found->second.balance + floatingSum(account) - margin(account) - frozenFunds(account);
}

void SimTradeState::addFlow(const std::string& account, const std::string& kind, double amount,
                            const std::string& code) {
    auto& owner = accounts.at(account);
    owner.balance += amount;
    flows.push_back({number(), account, kind, now(), amount, owner.balance, code});
}

void SimTradeState::touchListings(int side) {
    (side == 1 ? buyListingTime : sellListingTime) = now();
}

std::string simMoney(double value) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.2f", std::abs(value) < 0.005 ? 0.0 : value);
    return text;
}

std::string simPrice(double value, const SimTradeCommodity& commodity) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", static_cast<int>(commodity.def->decimals), value);
    return text;
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
