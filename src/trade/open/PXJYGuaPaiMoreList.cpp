#include "trade/open/PXJYGuaPaiMoreList.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/open/PXJYGuaPaiList.h"

PXJYGuaPaiMoreList::PXJYGuaPaiMoreList(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::fractions(0.161, 0.161, 0.2));
    const Rect area = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(*this, area.y, "挂牌列表", this);
    const double headings = area.y + VKJYNavigationBarView::kHeight;
    PXJYGuaPaiList::addHeadings(*this, headings, kRowHeight, 14);
    const double top = headings + kRowHeight;
    auto table = std::make_unique<TableView>(Rect{0, top, frame.width, frame.height - top});
    table->setRowHeight(kRowHeight);
    table->setSeparatorStyle(TableView::SeparatorStyle::None);
    table->setBackgroundColor(Color::clearColor());
    table->setDataSource(this);
    table->setDelegate(this);
    m_listView = addSubview(std::move(table));
}

void PXJYGuaPaiMoreList::reloadTableView() {
    m_listView->reloadData();
}

void PXJYGuaPaiMoreList::VKJYNavBackAction() {
    removeFromSuperview();
}

int PXJYGuaPaiMoreList::numberOfRows(TableView&, int) {
    return static_cast<int>(m_dataArray.size());
}

std::shared_ptr<TableViewCell> PXJYGuaPaiMoreList::cellForRow(TableView& table,
                                                              IndexPath indexPath) {
    return PXJYGuaPaiList::makeRow(table, m_dataArray.at(static_cast<size_t>(indexPath.row)),
                                   indexPath.row, kRowHeight, "");
}

std::string PXJYGuaPaiMoreList::keyForRow(TableView&, IndexPath indexPath) {
    return PXJYGuaPaiList::listingAt(m_dataArray, indexPath.row);
}

void PXJYGuaPaiMoreList::didSelectRow(TableView&, IndexPath indexPath) {
    const JYDict listing = m_dataArray.at(static_cast<size_t>(indexPath.row));
    if (m_delegate) {
        m_delegate->selectedMoreGuaPaiList(listing);
    }
    VKJYNavBackAction();
}
