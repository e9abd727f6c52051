#include "trade/open/PXJianCangRules.h"

#include <algorithm>
#include <vector>

#include "platform/foundation/Text.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/TradeText.h"

namespace {
const char* const kTitle = "提示";
const char* const kBadQuantity = "请输入正确的交易数量";
const char* const kBadQuote = "当前行情价格有误";
const char* const kEmptyLimit = "条件价格不能为空";
const char* const kBadPrice = "请输入正确的交易价格";
const char* const kBadStopLoss = "止损价格有误";
const char* const kBadTakeProfit = "止盈价格有误";
const char* const kRefusedCommodity = "该商品不允许此交易";

PXJianCangRefusal refuse(const char* message) {
    return {kTitle, message};
}

std::optional<PXJianCangRefusal> checkQuantity(const std::string& quantity,
                                               const std::string& rangeLabel) {
    const int q = Text::intValue(quantity);
    if (q < 1 || !PXTradeFormat::quantityInRange(q, rangeLabel)) {
        return refuse(kBadQuantity);
    }
    return std::nullopt;
}

// "(<=A,>=B)" read back into its two bounds; nothing when the label has another shape or
// either bound is missing.
std::optional<std::pair<double, double>> parseBand(const std::string& label) {
    if (label.size() < 2 || label.front() != '(' || label.back() != ')') {
        return std::nullopt;
    }
    const std::string inner = label.substr(1, label.size() - 2);
    const auto comma = inner.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const std::string low = inner.substr(0, comma);
    const std::string high = inner.substr(comma + 1);
    if (low.size() <= 2 || high.size() <= 2 || low.compare(0, 2, "<=") != 0 ||
        high.compare(0, 2, ">=") != 0) {
        return std::nullopt;
    }
    const std::string a = low.substr(2);
    const std::string b = high.substr(2);
    if (a == PXTradeFormat::kMissing || b == PXTradeFormat::kMissing) {
        return std::nullopt;
    }
    return std::make_pair(Text::doubleValue(a), Text::doubleValue(b));
}

// A typed price that would trade at nothing ("0", "0.") never goes out; whether it lies on the
// commodity's quote grid is the exchange's to judge.
bool isPriceSet(const std::string& price) {
    return Text::doubleValue(price) > 0;
}

// The bound of a stop range label ("<98.00" or ">98.00").
double stopBound(const std::string& label) {
    return label.size() > 1 ? Text::doubleValue(label.substr(1)) : 0;
}

// A ticked stop must hold a price, and lie on the allowed side of its bound (equal passes).
bool stopAllowed(const std::string& text, const std::string& label, bool mustBeBelow) {
    const double value = Text::doubleValue(text);
    if (text.empty() || value <= 0) {
        return false;
    }
    const double bound = stopBound(label);
    return mustBeBelow ? value <= bound : value >= bound;
}
}  // namespace

std::optional<PXJianCangRefusal> PXJianCangRules::checkMarketOrder(const MarketInput& input) {
    if (auto refusal = checkQuantity(input.quantity, input.rangeLabel)) {
        return refusal;
    }
    // A missing quote, or one without a price, must never send a price of 0.
    if (input.priceLabel == PXTradeFormat::kMissing || Text::doubleValue(input.priceLabel) <= 0) {
        return refuse(kBadQuote);
    }
    if (!input.spreadTicked) {
        return std::nullopt;
    }
    if (!PXTradeFormat::spreadInRange(input.spread, input.spreadMinimum, input.spreadMaximum)) {
        return PXJianCangRefusal{
            "点差输入有误",
            Text::format("点差范围(%@ ~ %@)", input.spreadMinimum, input.spreadMaximum)};
    }
    return std::nullopt;
}

std::optional<PXJianCangRefusal> PXJianCangRules::checkDelisting(bool refusedCommodity,
                                                                 const std::string& listingPrice,
                                                                 const std::string& quantity,
                                                                 const std::string& rangeLabel) {
    if (refusedCommodity) {
        return refuse(kRefusedCommodity);
    }
    if (listingPrice.empty()) {
        return refuse("摘牌价不能为空");
    }
    return checkQuantity(quantity, rangeLabel);
}

std::optional<PXJianCangRefusal> PXJianCangRules::checkConditionalDelisting(
    bool refusedCommodity, const std::string& quantity, const std::string& rangeLabel,
    const std::string& price) {
    if (refusedCommodity) {
        return refuse(kRefusedCommodity);
    }
    if (rangeLabel.empty()) {
        return refuse(kNoRange);
    }
    if (auto refusal = checkQuantity(quantity, rangeLabel)) {
        return refusal;
    }
    if (price.empty()) {
        return refuse("请输入交易价格");
    }
    if (!isPriceSet(price)) {
        return refuse(kBadPrice);
    }
    return std::nullopt;
}

std::optional<PXJianCangRefusal> PXJianCangRules::checkListing(bool commodityChosen,
                                                               const std::string& quantity,
                                                               const std::string& rangeLabel,
                                                               const std::string& price) {
    if (!commodityChosen) {
        return refuse("请选择商品");
    }
    if (rangeLabel.empty()) {
        return refuse(kNoRange);
    }
    if (auto refusal = checkQuantity(quantity, rangeLabel)) {
        return refusal;
    }
    if (price.empty()) {
        return refuse(kEmptyLimit);
    }
    if (!isPriceSet(price)) {
        return refuse(kBadPrice);
    }
    return std::nullopt;
}

JYDict PXJianCangRules::openOrdersQuery(const std::string& requestId, const std::string& user,
                                        const std::string& session, const std::string& code) {
    return {{"id", requestId},
            {"userid", user},
            {"sign", ""},
            {"commodityid", code},
            {"session_id", session},
            {"start_num", ""},
            {"time", "0"},
            {"ortp", ""},
            {"orst", ""},
            {"oroc", ""}};
}

int PXJianCangRules::heldLots(const PXTradeSummaryList& summaries, const std::string& code) {
    int held = 0;
    for (const auto& summary : summaries) {
        if (summary && summary->commodityCode == code) {
            held += Text::intValue(summary->shuLiang);
        }
    }
    return held;
}

std::vector<JYDict> PXJianCangRules::rowsOf(const PXTradeResult* data) {
    std::vector<JYDict> rows;
    for (const auto& element : data ? *data : PXTradeResult()) {
        if (const auto* row = std::get_if<JYDict>(&element)) {
            rows.push_back(*row);
        }
    }
    return rows;
}

int PXJianCangRules::openOrderLots(const std::vector<JYDict>& rows) {
    int lots = 0;
    for (const JYDict& row : rows) {
        const std::string status = TradeText::textAt(row, "STA_NUM");
        if (status == "1" || status == "4") {
            lots += Text::intValue(TradeText::textAt(row, "QTY")) -
                    Text::intValue(TradeText::textAt(row, "T_QTY"));
        }
    }
    return lots;
}

std::string PXJianCangRules::orderBookRangeText(const PXTradeCommodity& commodity, int held,
                                                int openOrders) {
    // Nothing left reads as 0, never as a minus sign inside the range.
    const int maximum =
        std::max(0, Text::intValue(commodity.ZuiDaChiCangLiang) - held - openOrders);
    return "(摘牌范围:" + commodity.DBZuiXiaoKeWeiTuoLiang + "-" + std::to_string(maximum) + ")";
}

std::optional<PXJianCangRefusal> PXJianCangRules::checkConditionalOrder(
    const ConditionalInput& input) {
    if (auto refusal = checkQuantity(input.quantity, input.rangeLabel)) {
        return refusal;
    }
    if (input.limitPrice.empty()) {
        return refuse(kEmptyLimit);
    }
    const auto band = parseBand(input.bandLabel);
    if (!band || band->first <= 0 || band->second <= 0) {
        return refuse(kBadQuote);
    }
    const double price = Text::doubleValue(input.limitPrice);
    if (price <= 0 || (band->first < price && price < band->second)) {
        return refuse(kBadPrice);
    }
    const bool buy = input.side == 1;
    if (input.stopLossTicked && !stopAllowed(input.stopLoss, input.stopLossLabel, buy)) {
        return refuse(kBadStopLoss);
    }
    if (input.takeProfitTicked && !stopAllowed(input.takeProfit, input.takeProfitLabel, !buy)) {
        return refuse(kBadTakeProfit);
    }
    return std::nullopt;
}

std::string PXJianCangRules::depositText(const std::string& quantity, double price,
                                         const PXTradeCommodity* commodity,
                                         const std::string& orderWord) {
    const double unit = commodity ? Text::doubleValue(commodity->tradeUnit) : 0;
    const double rate = commodity ? Text::doubleValue(commodity->baoZhengJinXIShu) : 0;
    const double deposit = Text::intValue(quantity) * price * unit * rate;
    return "当前" + orderWord + Text::format("所需订金为%.2f元", deposit);
}

std::string PXJianCangRules::emptyDepositText(const std::string& orderWord) {
    return "当前" + orderWord + "所需订金为--元";
}

PXJianCangRules::ConditionalLabels PXJianCangRules::conditionalLabels(
    const PXTradeCommodity& commodity, int side, const std::string& limitPrice, bool hasQuote,
    double buy, double sell) {
    const std::string& step = commodity.zuiXiaoBianDongJia;
    const double tick = Text::doubleValue(step);
    auto price = [&step](double value) { return PXTradeFormat::priceText(value, step); };
    ConditionalLabels labels;
    if (hasQuote) {
        labels.band =
            "(<=" + price(sell - Text::doubleValue(commodity.XJJianCangSellDianCha) * tick) +
            ",>=" + price(buy + Text::doubleValue(commodity.XJJianCangBuyDianCha) * tick) + ")";
    } else {
        labels.band = "(<=--,>=--)";
    }
    const double p = Text::doubleValue(limitPrice);
    const double spread = buy - sell;
    const double loss = Text::doubleValue(commodity.zhiSunXiaDanDianCha) * tick;
    const double gain = Text::doubleValue(commodity.zhiYingXiaDanDianCha) * tick;
    if (side == 1) {
        labels.takeProfit = ">" + price(p - spread + gain);
        labels.stopLoss = "<" + price(p - spread - loss);
    } else {
        labels.takeProfit = "<" + price(p + spread - gain);
        labels.stopLoss = ">" + price(p + spread + loss);
    }
    return labels;
}
