#include "trade/account/PXJYAccountDetailView.h"

#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"

namespace {
constexpr double kRowHeight = 40;
}

PXJYAccountDetailView::PXJYAccountDetailView(const Rect& frame) : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    PXTradeViewKit::addNavigationBar(*this, 0, "详细", this);
    auto table = std::make_unique<TableView>(Rect(0, 44, 320, frame.height - 44));
    table->setDelegate(this);
    table->setDataSource(this);
    table->setRowHeight(kRowHeight);
    PXTradeViewKit::styleTable(*table);
    m_AItableView = addSubview(std::move(table));
}

void PXJYAccountDetailView::setCellLabel() {
    const PXTradeData& store = PXTradeModule::shared().PXJYData();
    m_rows = PXJYAccountDetailRows::rows(store.zhangHuXinXi(), store.computingFengXianLu());
}

void PXJYAccountDetailView::reloadDataView() {
    m_AItableView->reloadData();
}

void PXJYAccountDetailView::VKJYNavBackAction() {
    if (m_delegate) {
        m_delegate->PXJYAccountDetailViewBackAction();
    }
    PXTradeViewKit::slide(*this, 320);
}

int PXJYAccountDetailView::numberOfRows(TableView&, int) {
    return static_cast<int>(m_rows.size());
}

std::shared_ptr<TableViewCell> PXJYAccountDetailView::cellForRow(TableView& table,
                                                                 IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    const auto& row = m_rows.at(static_cast<size_t>(indexPath.row));
    cell->contentView()->addSubview(PXTradeViewKit::label(Rect(10, 0, 150, kRowHeight), row.label,
                                                          16, Color::white(132.0 / 255)));
    cell->contentView()->addSubview(PXTradeViewKit::label(
        Rect(160, 0, 160, kRowHeight), row.value, 16, row.color.value_or(Color::white(0.8))));
    return cell;
}
