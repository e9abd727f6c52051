#include "trade/account/PXJYBankListView.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Label.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"

namespace {
const std::vector<JYDict>& banks() {
    return PXTradeModule::shared().PXJYData().yinHangXinXi();
}
}  // namespace

PXJYBankListView::PXJYBankListView(const Rect& frame, ChooseAction onChoose)
    : TableView(frame), m_onChoose(std::move(onChoose)) {
    setDataSource(this);
    setDelegate(this);
    setShowsVerticalScrollIndicator(false);
    setBackgroundColor(Color::rgb(41, 41, 51));
    setSeparatorStyle(SeparatorStyle::SingleLine);
    setSeparatorColor(Color::rgb(52, 53, 61));
    setAlpha(0);
}

void PXJYBankListView::show() {
    reloadData();
    setAlpha(1);
}

int PXJYBankListView::numberOfRows(TableView&, int) {
    return static_cast<int>(banks().size());
}

std::shared_ptr<TableViewCell> PXJYBankListView::cellForRow(TableView& table, IndexPath indexPath) {
    auto cell = table.dequeueReusableCell("Cell");
    if (!cell) {
        cell = std::make_shared<TableViewCell>(TableViewCell::Style::Default, "Cell");
    }
    cell->setSelectionStyle(TableViewCell::SelectionStyle::None);
    cell->setAccessoryType(TableViewCell::AccessoryType::None);
    cell->setBackgroundColor(Color::rgb(19, 21, 26));
    Label* text = cell->textLabel();
    const auto& list = banks();
    const auto row = static_cast<std::size_t>(indexPath.row);
    text->setText(row < list.size() ? TradeText::textAt(list[row], "BANK_NAME") : "");
    text->setTextAlignment(TextAlignment::Center);
    text->setTextColor(Color::white(0.8));
    text->setFont(Font::named("Helvetica-Bold", 16));
    return cell;
}

void PXJYBankListView::didSelectRow(TableView&, IndexPath indexPath) {
    hide();
    const auto& list = banks();
    const auto row = static_cast<std::size_t>(indexPath.row);
    if (row < list.size() && m_onChoose) {
        // A copy: the choice may replace the store's list.
        const JYDict bank = list[row];
        m_onChoose(bank);
    }
}
