#include "trade/quick/PXHuiZongXiangQingRows.h"

#include <optional>

#include "platform/foundation/Text.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/TradeText.h"

namespace {
std::optional<std::string> twoDecimals(const std::string& value) {
    if (value.empty()) {
        return std::nullopt;
    }
    return Text::format("%.2f", Text::doubleValue(value));
}

std::string transferPrice(const PXJYChiCangHuiZong& summary, const PXTradeData& store) {
    const auto found = store.zuiXinYiKouJia().find(summary.commodityCode);
    if (found == store.zuiXinYiKouJia().end() || !found->second) {
        return PXTradeFormat::kMissing;
    }
    const PXTradeYiKouJia& prices = *found->second;
    const bool bought = Text::intValue(summary.buySellSign) == 1;
    const double price = bought ? prices.commoditySellPrice : prices.commodityBuyPrice;
    // A price of zero is no price: a transfer there is never what the user gets.
    return price > 0 ? Text::format("%.2f", price) : PXTradeFormat::kMissing;
}

std::string profitOrLoss(const PXJYChiCangHuiZong& summary, const PXTradeData& store) {
    const JYDict all = store.FuDongYingKui();
    const auto commodity = all.find(summary.commodityCode);
    if (commodity == all.end() || !commodity->is_object()) {
        return "0.00";
    }
    const std::string value = TradeText::textAt(*commodity, summary.buySellSign);
    if (value == PXTradeFormat::kMissing) {
        return value;
    }
    return Text::format("%.2f", Text::doubleValue(value));
}
}  // namespace

const std::vector<std::string>& PXHuiZongXiangQingRows::captions() {
    static const std::vector<std::string> kCaptions = {
        "商 品:",    "方式:",     "持牌量:",   "摘牌均价:",
        "持牌均价:", "转 让 价:", "实时盈亏:", "已交订金"};
    return kCaptions;
}

std::vector<std::string> PXHuiZongXiangQingRows::values(const PXJYChiCangHuiZong& summary,
                                                        const PXTradeData& store) {
    const auto commodity = store.shangPinXinXi().find(summary.commodityCode);
    const std::optional<std::string> all[] = {
        commodity != store.shangPinXinXi().end() && commodity->second
            ? std::optional<std::string>(commodity->second->commodityName)
            : std::nullopt,
        PXTradeClosingRules::holdingSideText(summary.buySellSign),
        summary.shuLiang.empty() ? std::nullopt : std::optional<std::string>(summary.shuLiang),
        twoDecimals(summary.jianCangJunJia),
        twoDecimals(summary.pingJunChiCangJia),
        transferPrice(summary, store),
        profitOrLoss(summary, store),
        twoDecimals(summary.chiCangBaoZhengJin),
    };
    std::vector<std::string> shown;
    for (const auto& value : all) {
        if (!value) {
            break;
        }
        shown.push_back(*value);
    }
    return shown;
}
