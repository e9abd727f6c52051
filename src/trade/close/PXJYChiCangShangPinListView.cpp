#include "trade/close/PXJYChiCangShangPinListView.h"

#include "platform/foundation/Text.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

PXJYChiCangShangPinListView::PXJYChiCangShangPinListView(const Rect& frame)
    : PXChiCangPickerView(frame, "请选择持牌商品", kRowHeight, frame.height - 44) {}

void PXJYChiCangShangPinListView::chicangShangPinListViewreloadView() {
    tableView()->reloadData();
}

int PXJYChiCangShangPinListView::numberOfRows(TableView&, int) {
    return static_cast<int>(m_rows.size());
}

// A holding moves up when one above it goes: a press follows its commodity and side.
std::string PXJYChiCangShangPinListView::keyForRow(TableView&, IndexPath indexPath) {
    const auto row = static_cast<size_t>(indexPath.row);
    if (row >= m_rows.size() || !m_rows[row]) {
        return {};
    }
    return m_rows[row]->key();
}

void PXJYChiCangShangPinListView::didSelectRow(TableView&, IndexPath indexPath) {
    if (m_delegate && indexPath.row < static_cast<int>(m_rows.size())) {
        m_delegate->PXChangeAnCommodity(m_rows[static_cast<size_t>(indexPath.row)]);
    }
}

std::shared_ptr<View> PXJYChiCangShangPinListView::getCellJYView(int row) const {
    auto view = std::make_shared<View>(Rect{0, 0, 320, kRowHeight});
    const auto& summary = m_rows.at(static_cast<size_t>(row));
    if (!summary) {
        return view;
    }
    const PXTradeData& store = PXTradeModule::shared().PXJYData();
    const auto commodity = store.shangPinXinXi().find(summary->commodityCode);
    const PXTradeCommodity* record =
        commodity != store.shangPinXinXi().end() ? commodity->second.get() : nullptr;
    const auto prices = store.zuiXinYiKouJia().find(summary->commodityCode);
    const PXTradeYiKouJia* live =
        prices != store.zuiXinYiKouJia().end() ? prices->second.get() : nullptr;
    const std::string tick = record ? record->zuiXiaoBianDongJia : "";

    const JYDict floating = store.FuDongYingKui();
    std::string profit;
    if (floating.contains(summary->commodityCode) &&
        floating[summary->commodityCode].contains(summary->buySellSign)) {
        profit = floating[summary->commodityCode][summary->buySellSign].get<std::string>();
    }
    const auto [profitShown, profitColor] = profitText(profit);
    const std::string name = record ? record->commodityName : PXTradeFormat::kMissing;
    const std::string average =
        summary->pingJunChiCangJia.empty()
            ? PXTradeFormat::kMissing
            : PXTradeFormat::priceText(Text::doubleValue(summary->pingJunChiCangJia), tick);

    addPair(*view, 0, 15, "商品:", {55, 0, 115, 0}, name);
    addPair(*view, 0, 170, "当日盈亏:", {235, 0, 85, 0}, profitShown, profitColor);
    addPair(*view, 1, 15, "方式:", {80, 0, 85, 0},
            PXTradeClosingRules::holdingSideText(summary->buySellSign));
    addPair(*view, 1, 170, "持牌量:", {235, 0, 85, 0},
            summary->shuLiang.empty() ? PXTradeFormat::kMissing : summary->shuLiang);
    addPair(*view, 2, 15, "持牌均价:", {80, 0, 85, 0}, average);
    addPair(*view, 2, 170, "转让价:", {235, 0, 85, 0},
            PXTradeClosingRules::closingPriceText(summary->buySellSign, live, tick));
    return view;
}
