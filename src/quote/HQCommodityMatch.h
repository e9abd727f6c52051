#pragma once

// When two records name the same commodity. The numbers of a commodity are unique only within
// one panel of one market of one quote server, so every lookup compares all four; a quote code
// names a trading code as its letter-case flag says. Pure functions, any thread.

#include <string>

struct YiKouJia;
struct commodityInfo;

class HQCommodityMatch {
public:
    // Same quote server, market, panel and number.
    static bool sameCommodity(const commodityInfo& a, const commodityInfo& b);
    // The quote was sent for that commodity.
    static bool isQuoteOf(const YiKouJia& quote, const commodityInfo& commodity);
    // Two quotes of one commodity.
    static bool sameCommodity(const YiKouJia& a, const YiKouJia& b);
    // The commodity's quote code names the trading code: exactly when its flag is 1, without
    // regard to letter case otherwise.
    static bool namesTradeCode(const commodityInfo& commodity, const std::string& tradeCode);
};
