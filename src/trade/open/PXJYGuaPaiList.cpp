#include "trade/open/PXJYGuaPaiList.h"

#include <algorithm>

#include "platform/graphics/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "trade/core/TradeText.h"

namespace {
const char* const kBoldFont = "Helvetica-Bold";
const Color kRowBackground = Color::fractions(0.161, 0.161, 0.2);

Label* addCentred(View& parent, const Rect& frame, const std::string& text, double fontSize) {
    auto label = std::make_unique<Label>(frame, text);
    label->setFont(Font::named(kBoldFont, fontSize));
    label->setTextColor(Color::whiteColor());
    label->setTextAlignment(TextAlignment::Center);
    return parent.addSubview(std::move(label));
}
}  // namespace

PXJYGuaPaiList::PXJYGuaPaiList(const Rect& frame) : View(frame) {
    setBackgroundColor(Color::clearColor());
    addHeadings(*this, 0, kRowHeight, 12);
    auto table =
        std::make_unique<TableView>(Rect{0, kRowHeight, frame.width, frame.height - kRowHeight});
    table->setScrollEnabled(false);
    table->setShowsVerticalScrollIndicator(false);
    table->setSeparatorStyle(TableView::SeparatorStyle::None);
    table->setRowHeight(kRowHeight);
    table->setBackgroundColor(Color::clearColor());
    table->setDataSource(this);
    table->setDelegate(this);
    m_table = addSubview(std::move(table));
}

void PXJYGuaPaiList::addHeadings(View& parent, double y, double height, double fontSize) {
    addCentred(parent, {70, y, 100, height}, "挂牌价", fontSize);
    addCentred(parent, {155, y, 100, height}, "已摘牌数", fontSize);
    addCentred(parent, {250, y, 70, height}, "挂牌数", fontSize);
}

std::shared_ptr<TableViewCell> PXJYGuaPaiList::makeRow(TableView& table, const JYDict& listing,
                                                       int index, double height,
                                                       const std::string& mark) {
    auto cell = table.dequeueReusableCell("Cell");
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "Cell");
        cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    }
    for (View* old : cell->contentView()->subviews()) {
        old->removeFromSuperview();
    }
    auto row = std::make_unique<View>(Rect{0, 0, 320, height});
    // Built anew on every book reload: a finger landing on it is the table's, which follows the
    // row's listing through the reload, so that listing is chosen when it lifts.
    row->setUserInteractionEnabled(false);
    row->setBackgroundColor(kRowBackground);
    if (!mark.empty()) {
        row->addSubview(std::make_unique<ImageView>(Rect{5, (height - 15) / 2, 15, 15},
                                                    Image::named(mark + ".png")));
    }
    const std::string side = TradeText::textAt(listing, "TYPE") == "1" ? "购入" : "售出";
    addCentred(*row, {5, 0, 80, height}, side + std::to_string(index + 1), 12);
    addCentred(*row, {70, 0, 100, height}, TradeText::textAt(listing, "PRI"), 12);
    addCentred(*row, {155, 0, 100, height}, TradeText::textAt(listing, "T_QTY"), 12);
    addCentred(*row, {250, 0, 70, height}, TradeText::textAt(listing, "UT_QTY"), 12);
    cell->contentView()->addSubview(std::move(row));
    return cell;
}

std::string PXJYGuaPaiList::listingAt(const std::vector<JYDict>& rows, int row) {
    return row >= 0 && static_cast<size_t>(row) < rows.size()
               ? TradeText::textAt(rows[static_cast<size_t>(row)], "OR_N")
               : std::string();
}

std::string PXJYGuaPaiList::keyForRow(TableView&, IndexPath indexPath) {
    return listingAt(m_dataArray, indexPath.row);
}

void PXJYGuaPaiList::refreshTableView(std::vector<JYDict> rows) {
    m_dataArray = std::move(rows);
    m_table->reloadData();
}

int PXJYGuaPaiList::numberOfRows(TableView&, int) {
    return std::min(kShownRows, static_cast<int>(m_dataArray.size()));
}

int PXJYGuaPaiList::selectedCellIndexPath() const {
    if (m_selectedListing.empty()) {
        return -1;
    }
    for (int row = 0; row < std::min(kShownRows, static_cast<int>(m_dataArray.size())); ++row) {
        if (TradeText::textAt(m_dataArray[static_cast<size_t>(row)], "OR_N") == m_selectedListing) {
            return row;
        }
    }
    return -1;
}

std::shared_ptr<TableViewCell> PXJYGuaPaiList::cellForRow(TableView& table, IndexPath indexPath) {
    const int row = indexPath.row;
    return makeRow(table, m_dataArray.at(static_cast<size_t>(row)), row, kRowHeight,
                   row == selectedCellIndexPath() ? "duihao" : "duihao2");
}

void PXJYGuaPaiList::didSelectRow(TableView& table, IndexPath indexPath) {
    const JYDict listing = m_dataArray.at(static_cast<size_t>(indexPath.row));
    m_selectedListing = TradeText::textAt(listing, "OR_N");
    if (m_delegate) {
        m_delegate->selectedGuaPaiList(listing);
    }
    table.reloadData();
}
