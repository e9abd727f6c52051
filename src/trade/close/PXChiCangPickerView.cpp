#include "trade/close/PXChiCangPickerView.h"

#include "base/UIColorJudgeDataColor.h"
#include "platform/foundation/Text.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeViewKit.h"

namespace {
const double kLineHeight = 30;
const Color kCaptionGrey = Color::rgb(132, 132, 132);
}  // namespace

PXChiCangPickerView::PXChiCangPickerView(const Rect& frame, const std::string& title,
                                         double rowHeight, double tableHeight)
    : View(frame) {
    setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*this, 0, title, this);
    const Rect area = PXTradeViewKit::appViewRect();
    auto table = std::make_unique<TableView>(
        Rect{area.x, VKJYNavigationBarView::kHeight, area.width, tableHeight});
    table->setShowsVerticalScrollIndicator(false);
    table->setBackgroundColor(PXTradeViewKit::background());
    table->setSeparatorStyle(TableView::SeparatorStyle::SingleLine);
    table->setSeparatorColor(PXTradeViewKit::separator());
    table->setRowHeight(rowHeight);
    table->setDataSource(this);
    table->setDelegate(this);
    m_table = addSubview(std::move(table));
}

bool PXChiCangPickerView::isShown() const {
    return frame().x < PXTradeViewKit::appViewRect().width;
}

void PXChiCangPickerView::slideIn() {
    PXTradeViewKit::slide(*this, PXTradeViewKit::appViewRect().x);
}

void PXChiCangPickerView::VKJYNavBackAction() {
    PXTradeViewKit::slide(*this, PXTradeViewKit::appViewRect().width);
}

void PXChiCangPickerView::forgetRows() {
    emptyRows();
    m_table->reloadData();
    VKJYNavBackAction();
}

std::shared_ptr<TableViewCell> PXChiCangPickerView::cellForRow(TableView& table,
                                                               IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setAccessoryType(TableViewCell::AccessoryType::DisclosureIndicator);
    // The row's texts are built anew on every refresh: a finger landing on them is the table's,
    // which follows the row's holding through the reload, so it is picked when the finger lifts.
    std::shared_ptr<View> row = getCellJYView(indexPath.row);
    row->setUserInteractionEnabled(false);
    cell->contentView()->addSubview(row);
    return cell;
}

void PXChiCangPickerView::addPair(View& row, int line, double captionX, const std::string& caption,
                                  const Rect& valueFrame, const std::string& value,
                                  const Color& valueColor) {
    const double y = 5 + line * kLineHeight;
    row.addSubview(
        PXTradeViewKit::label({captionX, y, 65, kLineHeight}, caption, 14, kCaptionGrey));
    row.addSubview(PXTradeViewKit::label({valueFrame.x, y, valueFrame.width, kLineHeight}, value,
                                         14, valueColor));
}

std::pair<std::string, Color> PXChiCangPickerView::profitText(const std::string& value) {
    if (value.empty() || value == PXTradeFormat::kMissing) {
        return {PXTradeFormat::kMissing, Color::whiteColor()};
    }
    const double number = Text::doubleValue(value);
    return {Text::format("%.2f", number), UIColorJudgeDataColor::getLableColorWithData(number)};
}
