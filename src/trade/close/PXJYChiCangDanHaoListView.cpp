#include "trade/close/PXJYChiCangDanHaoListView.h"

#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

PXJYChiCangDanHaoListView::PXJYChiCangDanHaoListView(const Rect& frame)
    : PXChiCangPickerView(frame, "请选择持牌单号", kRowHeight,
                          PXTradeViewKit::appViewRect().height - 44) {}

void PXJYChiCangDanHaoListView::chicangDanHaoListViewreloadView() {
    tableView()->reloadData();
}

int PXJYChiCangDanHaoListView::numberOfRows(TableView&, int) {
    return static_cast<int>(m_numbers.size());
}

std::string PXJYChiCangDanHaoListView::keyForRow(TableView&, IndexPath indexPath) {
    const auto row = static_cast<size_t>(indexPath.row);
    return row < m_numbers.size() ? m_numbers[row] : std::string();
}

void PXJYChiCangDanHaoListView::didSelectRow(TableView&, IndexPath indexPath) {
    if (m_delegate && indexPath.row < static_cast<int>(m_numbers.size())) {
        m_delegate->PXChangeAnDanHao(m_numbers[static_cast<size_t>(indexPath.row)]);
    }
}

std::string PXJYChiCangDanHaoListView::openingTimeText(const std::string& milliseconds) {
    return PXTradeFormat::timeText(milliseconds);
}

std::shared_ptr<View> PXJYChiCangDanHaoListView::getCellJYView(int row) const {
    auto view = std::make_shared<View>(Rect{0, 0, 320, kRowHeight});
    view->setBackgroundColor(PXTradeViewKit::background());
    const std::string& number = m_numbers.at(static_cast<size_t>(row));
    const PXTradeData& store = PXTradeModule::shared().PXJYData();
    const auto ticketFound = store.chiCangMingXiXinXi().find(number);
    const PXJYChiCangMingXi* ticket =
        ticketFound != store.chiCangMingXiXinXi().end() ? ticketFound->second.get() : nullptr;
    const std::string code = ticket ? ticket->commodityCode : "";
    const auto commodity = store.shangPinXinXi().find(code);
    const PXTradeCommodity* record =
        commodity != store.shangPinXinXi().end() ? commodity->second.get() : nullptr;
    const auto prices = store.zuiXinYiKouJia().find(code);
    const PXTradeYiKouJia* live =
        prices != store.zuiXinYiKouJia().end() ? prices->second.get() : nullptr;
    const std::string tick = record ? record->zuiXiaoBianDongJia : "";

    const JYDict floating = store.FuDongYingKui();
    const std::string profit =
        ticket && floating.contains(number) ? floating[number].get<std::string>() : "";
    const auto [profitShown, profitColor] = profitText(profit);
    const std::string missing = PXTradeFormat::kMissing;

    addPair(*view, 0, 15, "单 号:", {55, 0, 115, 0}, number);
    addPair(*view, 0, 170, "当日盈亏:", {235, 0, 85, 0}, profitShown, profitColor);
    addPair(*view, 1, 15, "商 品:", {55, 0, 115, 0}, record ? record->commodityName : missing);
    addPair(
        *view, 1, 170, "持 牌 量:", {235, 0, 85, 0},
        ticket && !ticket->dangQianChiCangLiang.empty() ? ticket->dangQianChiCangLiang : missing);
    addPair(*view, 2, 15, "方式:", {80, 0, 85, 0},
            ticket ? PXTradeClosingRules::holdingSideText(ticket->buySellSign) : missing);
    addPair(
        *view, 2, 170, "转 让 价:", {235, 0, 85, 0},
        ticket ? PXTradeClosingRules::closingPriceText(ticket->buySellSign, live, tick) : missing);
    addPair(*view, 3, 15, "摘牌时间:", {80, 0, 200, 0},
            ticket ? openingTimeText(ticket->jianCangShiJian) : missing);
    return view;
}
