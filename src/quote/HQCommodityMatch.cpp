#include "quote/HQCommodityMatch.h"

#include <algorithm>
#include <cctype>

#include "quote/QuoteRecords.h"

namespace {
bool sameLetters(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}
}  // namespace

bool HQCommodityMatch::sameCommodity(const commodityInfo& a, const commodityInfo& b) {
    return a.panindex == b.panindex && a.MarketID == b.MarketID && a.DiskID == b.DiskID &&
           a.CommodityID == b.CommodityID;
}

bool HQCommodityMatch::isQuoteOf(const YiKouJia& quote, const commodityInfo& commodity) {
    return quote.hpIndex == commodity.panindex && quote.MarketID == commodity.MarketID &&
           quote.DiskID == commodity.DiskID && quote.commodityNum == commodity.CommodityID;
}

bool HQCommodityMatch::sameCommodity(const YiKouJia& a, const YiKouJia& b) {
    return a.hpIndex == b.hpIndex && a.MarketID == b.MarketID && a.DiskID == b.DiskID &&
           a.commodityNum == b.commodityNum;
}

bool HQCommodityMatch::namesTradeCode(const commodityInfo& commodity,
                                      const std::string& tradeCode) {
    if (commodity.CommodityCodeLetterCase == 1) {
        return commodity.CommodityCode == tradeCode;
    }
    return sameLetters(commodity.CommodityCode, tradeCode);
}
