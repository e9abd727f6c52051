#include "trade/quick/PXFastTradeRules.h"

#include "platform/foundation/Text.h"
#include "quote/QuoteRecords.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeRecords.h"

namespace {
// Codes of one exchange or environment may be written "01" on one side and 1 on the other.
bool sameCode(const VKJYFastTradePanel::MarketAndDisk& marketAndDisk, const char* key,
              const std::string& code) {
    const auto found = marketAndDisk->find(key);
    return found != marketAndDisk->end() && !code.empty() && Text::intValue(code) == found->second;
}
}  // namespace

std::optional<std::string> PXFastTradeRules::findTradeCommodity(
    const PXTradeData& store, const std::string& platformCode, const std::string& environmentCode,
    const commodityInfo& commodity, const VKJYFastTradePanel::MarketAndDisk& marketAndDisk) {
    if (!marketAndDisk || !sameCode(marketAndDisk, "MARKETID", platformCode) ||
        !sameCode(marketAndDisk, "DISKID", environmentCode)) {
        return std::nullopt;
    }
    const auto codes = store.tradeCodesOf(commodity);
    if (codes.empty()) {
        return std::nullopt;
    }
    return codes.back();
}

PXFastTradeRules::Holdings PXFastTradeRules::holdingsOf(const PXTradeSummaryList& summaries,
                                                        const std::string& code) {
    Holdings holdings;
    for (const auto& summary : summaries) {
        if (!summary || summary->commodityCode != code) {
            continue;
        }
        (Text::intValue(summary->buySellSign) == 1 ? holdings.buy : holdings.sell) = summary;
    }
    return holdings;
}

std::string PXFastTradeRules::transferRangeText(const Holdings& holdings, int side) {
    const auto& closed = side == 1 ? holdings.sell : holdings.buy;
    return PXTradeClosingRules::freeRangeText(closed ? PXTradeClosingRules::freeQuantity(*closed)
                                                     : 0);
}

std::string PXFastTradeRules::keyed(const std::string& text, const std::string& key,
                                    bool priceField) {
    if (key == "X") {
        return text.empty() ? text : text.substr(0, text.size() - 1);
    }
    if (priceField) {
        return PXTradeFormat::acceptsPriceInput(text, key) ? text + key : text;
    }
    if (key == "." || text == "0") {
        return text;
    }
    return text + key;
}

std::string PXFastTradeRules::confirmationText(const std::string& name, const std::string& price,
                                               const std::string& quantity, int kind, int side) {
    const std::string way =
        std::string(kind == 1 ? "摘牌" : "转让") + (side == 1 ? "购入" : "售出");
    return "   商品:" + name + "\n   商品价格:" + price + "\n   商品数量:" + quantity +
           "\n   方式:" + way;
}
