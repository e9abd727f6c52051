#include "trade/close/PXShiJiaZhuanRangFill.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "trade/close/PXHoldingChoice.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/core/PXTradeData.h"

namespace {
template <typename Map>
auto* findIn(const Map& map, const std::string& key) {
    const auto found = map.find(key);
    return found != map.end() ? found->second.get() : nullptr;
}

// What both modes write the same way once the commodity, the side and the average are known.
void writeCommon(PXJYShiJiaZhuanRangView& form, const PXTradeData& store, const std::string& code,
                 const std::string& buySellSign, const std::string& averagePrice) {
    const PXTradeCommodity* commodity = findIn(store.shangPinXinXi(), code);
    const PXTradeYiKouJia* prices = findIn(store.zuiXinYiKouJia(), code);
    const std::string tick = commodity ? commodity->zuiXiaoBianDongJia : "";
    form.setCommodityCode(code);
    form.commodityNameButton()->setTitle(commodity ? commodity->commodityName
                                                   : PXTradeFormat::kMissing);
    form.ChiPaiJunJia()->setText(PXTradeFormat::priceText(Text::doubleValue(averagePrice), tick));
    const auto direction = PXTradeClosingRules::closingDirection(buySellSign);
    form.setXiaDanFangXiang(direction.sign);
    form.maiMaiFangXiangL()->setText(direction.text);
    form.zhuanRangJiaGe()->setText(
        PXTradeClosingRules::closingPriceText(buySellSign, prices, tick));
    form.FXJCShouShuFanWei()->setText(
        commodity ? PXTradeFormat::quantityRangeText(commodity->DBZuiXiaoKeWeiTuoLiang,
                                                     commodity->DBZuiDaKeWeiTuoLiang)
                  : std::string());
}
}  // namespace

void PXShiJiaZhuanRangFill::byCommodity(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                                        const PXJYChiCangHuiZong& summary) {
    // Lots come from the store as it is now, not from the record picked earlier.
    const auto current = PXTradeClosingRules::currentSummary(store, summary);
    // Closed meanwhile: the holding chosen has gone, so the form shows none and sends nothing.
    if (!current) {
        form.forgetNumber();
        return;
    }
    form.setDanHaoID(std::nullopt);
    form.danHaoButton()->setTitle(" ");
    writeCommon(form, store, summary.commodityCode, current->buySellSign,
                current->pingJunChiCangJia);
    const bool known = findIn(store.shangPinXinXi(), summary.commodityCode) != nullptr;
    // Nothing of a commodity the store does not know may be transferred.
    form.shuLiangFanWei()->setText(PXTradeClosingRules::freeRangeText(
        known ? PXTradeClosingRules::freeQuantity(*current) : 0));
}

void PXShiJiaZhuanRangFill::byNumber(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                                     const std::string& number, const PXJYChiCangMingXi& ticket) {
    form.setDanHaoID(number);
    form.danHaoButton()->setTitle(number);
    writeCommon(form, store, ticket.commodityCode, ticket.buySellSign, ticket.chiCangJia);
    const bool known = findIn(store.shangPinXinXi(), ticket.commodityCode) != nullptr;
    form.shuLiangFanWei()->setText(known ? PXTradeClosingRules::ticketRangeText(store, ticket)
                                         : PXTradeClosingRules::freeRangeText(0));
}

void PXShiJiaZhuanRangFill::byNumber(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                                     const std::string& number) {
    if (const PXJYChiCangMingXi* ticket = findIn(store.chiCangMingXiXinXi(), number)) {
        byNumber(form, store, number, *ticket);
        return;
    }
    // A number no longer held is a choice that has gone: shown as none, nothing of it sendable.
    if (!number.empty()) {
        form.forgetNumber();
        return;
    }
    form.setDanHaoID(std::nullopt);
    form.danHaoButton()->setTitle("");
    form.shuLiangFanWei()->setText(PXTradeClosingRules::freeRangeText(0));
    form.ChiPaiJunJia()->setText(PXTradeFormat::kMissing);
    form.zhuanRangJiaGe()->setText(PXTradeFormat::kMissing);
}

std::string PXShiJiaZhuanRangFill::refresh(PXJYShiJiaZhuanRangView& form, const PXTradeData& store,
                                           PXHoldingChoice& summary, std::string& number) {
    const auto unchosen = [&form] {
        form.clearChoice();
        return std::string();
    };
    // Looked at in either mode, so a holding that went while the other mode showed stays gone.
    const bool summaryWent = summary.forgetIfGone(store);
    if (form.danHaoOrShangPin()) {
        const auto current = summary.current(store);
        if (current) {
            byCommodity(form, store, *current);
            return current->commodityCode;
        }
        // Closed or of another account: shown as none, nothing of it sendable.
        if (summaryWent) {
            form.forgetNumber();
            return {};
        }
        return unchosen();
    }
    if (number.empty()) {
        return unchosen();
    }
    const PXJYChiCangMingXi* ticket = findIn(store.chiCangMingXiXinXi(), number);
    if (!ticket) {
        number.clear();
        form.forgetNumber();
        return {};
    }
    byNumber(form, store, number, *ticket);
    return ticket->commodityCode;
}

JYDict PXShiJiaZhuanRangFill::reverseDelistingOrder(const JYDict& transfer,
                                                    const std::string& requestId) {
    JYDict order = JYDict::object();
    order["id"] = requestId;
    for (const char* key : {"userid", "sign", "commodityid", "price"}) {
        order[key] = transfer.value(key, "");
    }
    order["number"] = transfer.value("fanShouJianCangNum", "");
    order["tradeType"] = "1";
    order["diff"] = transfer.value("diff", "");
    order["closeMode"] = "1";
    order["holdId"] = "";
    order["firmid"] = transfer.value("firmid", "");
    order["session_id"] = transfer.value("session_id", "");
    return order;
}
