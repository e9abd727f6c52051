#include "trade/quick/PXJYCommodityDetailView.h"

#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/quick/PXCommodityRuleRows.h"

PXJYCommodityDetailView::PXJYCommodityDetailView(const Rect& frame) : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*this, 0, "详细", this);
    const double top = VKJYNavigationBarView::kHeight;
    auto table = std::make_unique<TableView>(Rect{0, top, 320, frame.height - top});
    PXTradeViewKit::styleTable(*table);
    table->setRowHeight(kRowHeight);
    table->setDataSource(this);
    table->setDelegate(this);
    m_table = addSubview(std::move(table));
}

void PXJYCommodityDetailView::setCellLabel() {
    const auto& commodities = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = commodities.find(m_commodityCode);
    if (found == commodities.end() || !found->second) {
        m_titles.clear();
        m_values.clear();
        return;
    }
    auto rows = PXCommodityRuleRows::make(*found->second);
    m_titles = std::move(rows.titles);
    m_values = std::move(rows.values);
}

void PXJYCommodityDetailView::reloadDataView() {
    m_table->reloadData();
}

bool PXJYCommodityDetailView::isShown() const {
    return frame().x < frame().width;
}

void PXJYCommodityDetailView::VKJYNavBackAction() {
    PXTradeViewKit::slide(*this, 320);
}

int PXJYCommodityDetailView::numberOfRows(TableView&, int) {
    return static_cast<int>(m_titles.size());
}

std::shared_ptr<TableViewCell> PXJYCommodityDetailView::cellForRow(TableView& table,
                                                                   IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    const auto row = static_cast<size_t>(indexPath.row);
    if (row >= m_titles.size()) {
        return cell;
    }
    cell->contentView()->addSubview(PXTradeViewKit::label({10, 0, 150, kRowHeight}, m_titles[row],
                                                          16, Color::rgb(132, 132, 132)));
    cell->contentView()->addSubview(PXTradeViewKit::label({160, 0, 160, kRowHeight}, m_values[row],
                                                          16, PXTradeViewKit::valueGrey()));
    return cell;
}
