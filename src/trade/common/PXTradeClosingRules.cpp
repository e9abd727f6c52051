#include "trade/common/PXTradeClosingRules.h"

#include <algorithm>

#include "platform/foundation/Text.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeRecords.h"

PXTradeClosingRules::Direction PXTradeClosingRules::closingDirection(
    const std::string& buySellSign) {
    if (Text::intValue(buySellSign) == 1) {
        return {"2", "售出"};
    }
    return {"1", "购入"};
}

std::string PXTradeClosingRules::holdingSideText(const std::string& buySellSign) {
    return Text::intValue(buySellSign) == 1 ? "购入" : "售出";
}

std::string PXTradeClosingRules::closingPriceText(const std::string& buySellSign,
                                                  const PXTradeYiKouJia* prices,
                                                  const std::string& zuiXiaoBianDongJia) {
    if (!prices) {
        return PXTradeFormat::kMissing;
    }
    const double price =
        Text::intValue(buySellSign) == 1 ? prices->commoditySellPrice : prices->commodityBuyPrice;
    if (!(price > 0)) {
        return PXTradeFormat::kMissing;
    }
    return PXTradeFormat::priceText(price, zuiXiaoBianDongJia);
}

std::string PXTradeClosingRules::freeRangeText(int freeQuantity) {
    if (freeQuantity < 1) {
        return "(数量范围:0-0)";
    }
    return "(数量范围:1-" + std::to_string(freeQuantity) + ")";
}

int PXTradeClosingRules::freeQuantity(const PXJYChiCangHuiZong& summary) {
    return Text::intValue(summary.shuLiang) - Text::intValue(summary.dongJieShuLiang);
}

int PXTradeClosingRules::freeQuantity(const PXJYChiCangMingXi& ticket) {
    return Text::intValue(ticket.dangQianChiCangLiang) - Text::intValue(ticket.dongJieShuLiang);
}

namespace {
std::shared_ptr<PXJYChiCangHuiZong> lastSummary(const PXTradeData& store, const std::string& code,
                                                const std::string& side) {
    std::shared_ptr<PXJYChiCangHuiZong> found;
    for (const auto& summary : store.chiCangHuiZongXinXi()) {
        if (summary && summary->commodityCode == code && summary->buySellSign == side) {
            found = summary;
        }
    }
    return found;
}
}  // namespace

std::shared_ptr<PXJYChiCangHuiZong> PXTradeClosingRules::summaryOf(
    const PXTradeData& store, const PXJYChiCangMingXi& ticket) {
    return lastSummary(store, ticket.commodityCode, ticket.buySellSign);
}

std::shared_ptr<PXJYChiCangHuiZong> PXTradeClosingRules::currentSummary(
    const PXTradeData& store, const PXJYChiCangHuiZong& summary) {
    return lastSummary(store, summary.commodityCode, summary.buySellSign);
}

std::string PXTradeClosingRules::ticketRangeText(const PXTradeData& store,
                                                 const PXJYChiCangMingXi& ticket) {
    const auto summary = summaryOf(store, ticket);
    const int fromSummary = summary ? freeQuantity(*summary) : 0;
    return freeRangeText(std::min(fromSummary, freeQuantity(ticket)));
}

bool PXTradeClosingRules::isPriceSet(const std::string& text) {
    return Text::doubleValue(text) > 0;
}
