#pragma once
// The logic of the quick-trade panels without views: which trading commodity the chart's
// commodity stands for, the holdings that decide the transfer's sides, the range of a quick
// transfer, the panel keypad's editing rule and the order-book confirmation text. Pure
// functions; main thread (they read the trading store handed in).

#include <memory>
#include <optional>
#include <string>

#include "shell/VKJYFastTradePanel.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeData;
struct commodityInfo;

class PXFastTradeRules {
public:
    static constexpr const char* kWrongQuantity = "请输入正确的交易数量";
    static constexpr const char* kWrongPrice = "请输入正确的交易价格";

    struct Holdings {
        std::shared_ptr<PXJYChiCangHuiZong> buy;
        std::shared_ptr<PXJYChiCangHuiZong> sell;
    };

    // The trading code of the chart's commodity, or nothing when the chart's market and disk are
    // not the logged-in platform and environment or no code of the store matches. Letter case
    // counts only when the quote says so; of several matches the last in the store wins.
    static std::optional<std::string> findTradeCommodity(
        const PXTradeData& store, const std::string& platformCode,
        const std::string& environmentCode, const commodityInfo& commodity,
        const VKJYFastTradePanel::MarketAndDisk& marketAndDisk);
    // The summaries of a code by side: "1" read as a number is the bought one; a later summary
    // of a side replaces an earlier one.
    static Holdings holdingsOf(const PXTradeSummaryList& summaries, const std::string& code);
    // The range of a quick transfer in a direction (1 buy, 2 sell): what the holding that
    // direction closes has free.
    static std::string transferRangeText(const Holdings& holdings, int side);
    // The text a panel field holds after a key of its keypad ("0".."9", "X" deletes, "."):
    // no digit after a lone "0"; a point only in a price field, never first, once at most.
    static std::string keyed(const std::string& text, const std::string& key, bool priceField);
    // The question an order-book panel asks before sending (kind 1 delisting, 2 transfer).
    static std::string confirmationText(const std::string& name, const std::string& price,
                                        const std::string& quantity, int kind, int side);
};
