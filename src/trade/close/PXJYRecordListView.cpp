#include "trade/close/PXJYRecordListView.h"

#include "base/UIColorJudgeDataColor.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "trade/common/PXTradeViewKit.h"

PXJYRecordListView::PXJYRecordListView(const Rect& frame, std::optional<int> colouredRow)
    : View(frame), m_colouredRow(colouredRow) {
    setBackgroundColor(PXTradeViewKit::background());
}

void PXJYRecordListView::creatListView() {
    if (m_listView) {
        return;
    }
    auto table = std::make_unique<TableView>(bounds());
    table->setShowsVerticalScrollIndicator(false);
    table->setBackgroundColor(PXTradeViewKit::background());
    table->setSeparatorStyle(TableView::SeparatorStyle::SingleLine);
    table->setSeparatorColor(PXTradeViewKit::separator());
    table->setRowHeight(kRowHeight);
    table->setDataSource(this);
    table->setDelegate(this);
    m_listView = addSubview(std::move(table));
}

int PXJYRecordListView::numberOfRows(TableView&, int) {
    return static_cast<int>(m_dataArray.size());
}

std::shared_ptr<TableViewCell> PXJYRecordListView::cellForRow(TableView& table,
                                                              IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setBackgroundColor(PXTradeViewKit::background());
    const auto row = static_cast<size_t>(indexPath.row);
    const std::string caption = row < m_explanationArray.size() ? m_explanationArray[row] : "";
    const std::string& value = m_dataArray.at(row);
    const bool coloured = m_colouredRow && *m_colouredRow == indexPath.row;
    // "--" and other texts that are no number stay white in the coloured row.
    const Color valueColor =
        coloured ? UIColorJudgeDataColor::getLableColorWithData(Text::doubleValue(value))
                 : PXTradeViewKit::valueGrey();
    cell->contentView()->addSubview(
        PXTradeViewKit::label({15, 0, 140, kRowHeight}, caption, 16, Color::whiteColor()));
    cell->contentView()->addSubview(
        PXTradeViewKit::label({160, 0, 160, kRowHeight}, value, 16, valueColor));
    return cell;
}
