#include "trade/close/PXJYChiCangRecordRows.h"

#include "platform/foundation/Text.h"
#include "trade/close/PXJYChiCangDanHaoListView.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/TradeText.h"

namespace {
std::string orMissing(const std::string& value) {
    return value.empty() ? PXTradeFormat::kMissing : value;
}

// A floating profit or loss of the store's figures: "--" as it stands, else two decimals.
std::string floating(const JYDict& figure) {
    if (!figure.is_string()) {
        return PXTradeFormat::kMissing;
    }
    return PXJYChiCangRecordRows::money(figure.get<std::string>());
}

const JYDict& at(const JYDict& table, const std::string& key) {
    static const JYDict none;
    return table.is_object() && table.contains(key) ? table[key] : none;
}
}  // namespace

const std::vector<std::string>& PXJYChiCangRecordRows::mingXiTitles() {
    static const std::vector<std::string> titles = {
        "单 号:",    "商 品:",        "方式:",     "摘牌量:",   "持牌量:",
        "摘牌价:",   "持牌价:",       "转让价:",   "止损价:",   "止盈价:",
        "实时盈亏:", "持牌订金比例:", "已交订金:", "摘牌时间:", "电话交易员:"};
    return titles;
}

const std::vector<std::string>& PXJYChiCangRecordRows::huiZongTitles() {
    static const std::vector<std::string> titles = {
        "商 品:",    "方 式:",    "持牌量:",   "摘牌均价:",
        "持牌均价:", "转 让 价:", "实时盈亏:", "已交订金"};
    return titles;
}

std::string PXJYChiCangRecordRows::money(const std::string& value) {
    if (value.empty() || value == PXTradeFormat::kMissing) {
        return PXTradeFormat::kMissing;
    }
    return PXTradeFormat::priceText(Text::doubleValue(value), "");
}

std::string PXJYChiCangRecordRows::stopLevel(const std::string& value) {
    const std::string shown = money(value);
    return shown == "0.00" ? PXTradeFormat::kMissing : shown;
}

std::vector<std::string> PXJYChiCangRecordRows::mingXiValues(const PXTradeData& store,
                                                             const std::string& number) {
    const PXJYChiCangMingXi* ticket = PXTradeData::find(store.chiCangMingXiXinXi(), number);
    if (!ticket) {
        return {number};
    }
    const PXTradeCommodity* commodity =
        PXTradeData::find(store.shangPinXinXi(), ticket->commodityCode);
    const PXTradeYiKouJia* prices =
        PXTradeData::find(store.zuiXinYiKouJia(), ticket->commodityCode);
    const std::string tick = commodity ? commodity->zuiXiaoBianDongJia : "";
    return {number,
            commodity ? orMissing(commodity->commodityName) : PXTradeFormat::kMissing,
            PXTradeClosingRules::holdingSideText(ticket->buySellSign),
            orMissing(ticket->kaiCangShuLiang),
            orMissing(ticket->dangQianChiCangLiang),
            money(ticket->jianCangJia),
            money(ticket->chiCangJia),
            prices ? PXTradeFormat::priceText(prices->commodityNewPrice, tick)
                   : PXTradeFormat::kMissing,
            stopLevel(ticket->zhiSun),
            stopLevel(ticket->zhiYing),
            floating(at(store.FuDongYingKui(), number)),
            money(ticket->chiCangBaoZhengJinBiLi),
            money(ticket->baoZhengJin),
            PXJYChiCangDanHaoListView::openingTimeText(ticket->jianCangShiJian),
            orMissing(ticket->weiTuoYuanDaiMa)};
}

std::vector<std::string> PXJYChiCangRecordRows::huiZongValues(const PXTradeData& store,
                                                              const PXJYChiCangHuiZong& summary) {
    const std::string& code = summary.commodityCode;
    const PXTradeCommodity* commodity = PXTradeData::find(store.shangPinXinXi(), code);
    const PXTradeYiKouJia* prices = PXTradeData::find(store.zuiXinYiKouJia(), code);
    const std::string tick = commodity ? commodity->zuiXiaoBianDongJia : "";
    const JYDict figures = store.FuDongYingKui();
    return {commodity ? orMissing(commodity->commodityName) : PXTradeFormat::kMissing,
            PXTradeClosingRules::holdingSideText(summary.buySellSign),
            orMissing(summary.shuLiang),
            money(summary.jianCangJunJia),
            money(summary.pingJunChiCangJia),
            PXTradeClosingRules::closingPriceText(summary.buySellSign, prices, tick),
            floating(at(at(figures, code), summary.buySellSign)),
            money(summary.chiCangBaoZhengJin)};
}
