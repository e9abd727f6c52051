#include "trade/account/PXJYSetUpVC.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "trade/account/PXJYTradeSettings.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"

namespace {
constexpr double kRowHeight = 50;
constexpr double kListRowHeight = 50;
constexpr double kListX = 150;
constexpr int kRefreshRow = 2;
const Color kListBackground = Color::rgb(59, 59, 71);
}  // namespace

void PXJYSetUpVC::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(root, app.y, "设置", this);
    PXTradeModule& module = PXTradeModule::shared();
    for (int sing = 1; sing <= 5; ++sing) {
        const auto& row = PXJYTradeSettings::row(sing);
        const double top = app.y + kRowHeight * sing;
        // The longest label shrinks to end before the value field.
        auto label = PXTradeViewKit::label(Rect(15, top, 132, kRowHeight), row.label, 16,
                                           Color::whiteColor());
        label->setAdjustsFontSizeToFitWidth(true);
        root.addSubview(std::move(label));
        PXTradeViewKit::addLine(root, top + kRowHeight);
        const Rect field(150, top + 5, 150, 40);
        root.addSubview(
            std::make_unique<ImageView>(field, PXTradeViewKit::stretchable("lashen_x.png")));
        auto button = std::make_unique<Button>(field);
        button->titleLabel()->setFont(Font::named("Helvetica-Bold", 14));
        button->setTitleColor(PXTradeViewKit::fieldText());
        button->setTitle(PXJYTradeSettings::buttonTitle(sing, module.defaultString(row.key)));
        button->addTarget(TouchUpInside, [this, sing](Control&) { toggleList(sing); });
        m_buttons[static_cast<size_t>(sing - 1)] = root.addSubview(std::move(button));
    }
    auto list = std::make_unique<TableView>(Rect(kListX, app.y, 150, 180));
    list->setDataSource(this);
    list->setDelegate(this);
    list->setRowHeight(kListRowHeight);
    list->setAlpha(0);
    list->setBackgroundColor(kListBackground);
    list->setSeparatorColor(PXTradeViewKit::separator());
    list->setShowsVerticalScrollIndicator(false);
    m_optionsListView = root.addSubview(std::move(list));
}

void PXJYSetUpVC::viewWillDisappear(bool) {
    m_optionsListView->setAlpha(0);
}

void PXJYSetUpVC::toggleList(int sing) {
    bool& closed = m_closed.at(static_cast<size_t>(sing - 1));
    if (!closed) {
        closeList();
        return;
    }
    closed = false;
    m_sing = sing;
    m_dataArray = PXJYTradeSettings::row(sing).choices;
    Rect frame = m_optionsListView->frame();
    // Just under the first row for row 1, one row lower for each row after it.
    frame.y = PXTradeViewKit::appViewRect().y + 80 + kRowHeight * (sing - 1);
    m_optionsListView->setFrame(frame);
    m_optionsListView->setAlpha(1);
    m_optionsListView->reloadData();
}

void PXJYSetUpVC::closeList() {
    m_closed.fill(true);
    m_optionsListView->setAlpha(0);
}

void PXJYSetUpVC::VKJYNavBackAction() {
    navigationController()->popViewController(true);
}

int PXJYSetUpVC::numberOfRows(TableView&, int) {
    return static_cast<int>(m_dataArray.size());
}

std::shared_ptr<TableViewCell> PXJYSetUpVC::cellForRow(TableView& table, IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setBackgroundColor(kListBackground);
    const std::string& value = m_dataArray.at(static_cast<size_t>(indexPath.row));
    cell->contentView()->addSubview(PXTradeViewKit::label(
        Rect(0, 0, 150, kListRowHeight), PXJYTradeSettings::listText(m_sing, value), 14,
        Color::white(0.8), TextAlignment::Center));
    return cell;
}

void PXJYSetUpVC::didSelectRow(TableView&, IndexPath indexPath) {
    closeList();
    const std::string value = m_dataArray.at(static_cast<size_t>(indexPath.row));
    PXTradeModule& module = PXTradeModule::shared();
    module.setDefaultString(PXJYTradeSettings::row(m_sing).key, value);
    valueButton(m_sing)->setTitle(PXJYTradeSettings::chosenTitle(m_sing, value));
    if (m_sing == kRefreshRow) {
        module.PXJYTimerManger().setJYRefreshTimer();
    }
    module.synchronizeDefaults();
}
