#include "trade/account/PXJYChuRuJinChaXunVC.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/TextLayout.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"
#include "trade/account/PXJYFundsLook.h"
#include "trade/account/PXJYFundsWire.h"
#include "trade/common/PXTradeDatePanel.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/TradeText.h"

namespace {
constexpr double kRowHeight = 50;
constexpr double kTotalHeight = 45;

struct Line {
    const char* title;
    const char* key;
    bool isTime = false;  // milliseconds since 1970, shown on the exchange's clock
};

constexpr Line kTotals[] = {{"成功入金合计:", "IMS"}, {"成功出金合计:", "OMS"}};
constexpr Line kRecordLines[] = {
    {"流水号:", "MID"}, {"银行:", "BANK_NAME"},    {"金额:", "AM"}, {"方向:", "TT"},
    {"状态", "TS"},     {"操作时间:", "TD", true}, {"备注:", "REM"}};
constexpr int kTotalCount = sizeof(kTotals) / sizeof(kTotals[0]);

std::string lineText(const JYDict& record, const Line& line) {
    const std::string value = TradeText::textAt(record, line.key);
    return line.isTime ? PXTradeQueryDay::replyTimeText(value) : value;
}

std::unique_ptr<Button> dayButton(const Rect& frame) {
    auto button = std::make_unique<Button>(frame);
    button->setTitleColor(PXJYFundsLook::fieldText());
    return button;
}

}  // namespace

PXJYChuRuJinChaXunVC::PXJYChuRuJinChaXunVC() {
    setTitle("出入金查询");
}

void PXJYChuRuJinChaXunVC::loadView() {
    setView(PXJYFundsLook::rootView());
}

void PXJYChuRuJinChaXunVC::viewDidLoad() {
    m_startDate = PXTradeQueryDay::today();
    m_endDate = m_startDate;
    View& root = *view();
    const Rect area = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(root, area.y, "出入金查询", this);
    const double top = area.y + 54;
    PXTradeViewKit::addTitledRows(root, top, {"开始日期:", "结束日期:"});
    for (int i = 0; i < 2; ++i) {
        const double rowTop = top + kRowHeight * i;
        root.addSubview(std::make_unique<ImageView>(Rect(125, rowTop + 5, 150, 40),
                                                    PXTradeViewKit::stretchable("lashen_x.png")));
    }
    m_startDateButton = root.addSubview(dayButton(Rect(125, top + 5, 150, 40)));
    m_startDateButton->setTitle(PXTradeQueryDay::dayText(m_startDate));
    m_startDateButton->addTarget(TouchUpInside, [this](Control&) { startDateButtonAction(); });
    m_endDateButton = root.addSubview(dayButton(Rect(125, top + 55, 150, 40)));
    m_endDateButton->setTitle(PXTradeQueryDay::dayText(m_endDate));
    m_endDateButton->addTarget(TouchUpInside, [this](Control&) { endDateButtonAction(); });

    auto done = PXJYFundsLook::button(Rect(15, top + 115, 290, 43), "确  定", "anniuhong.png");
    done->addTarget(TouchUpInside, [this](Control&) { doneButtonAction(); });
    root.addSubview(std::move(done));

    setDatePickerView();
    initChuRuJinList();
}

void PXJYChuRuJinChaXunVC::setDatePickerView() {
    auto panel = std::make_unique<PXTradeDatePanel>(m_endDate, [this] { appearButtonAction(); });
    m_datePicker = panel->datePicker();
    m_datePicker->addTarget(ValueChanged, [this](Control&) { datePickerValueChanged(); });
    m_basisView = view()->addSubview(std::move(panel));
}

void PXJYChuRuJinChaXunVC::initChuRuJinList() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto panel = std::make_unique<View>(Rect(area.width, area.y, area.width, area.height));
    panel->setBackgroundColor(PXTradeViewKit::background());
    auto header = std::make_unique<View>(Rect(0, 0, 320, 44));
    header->setBackgroundColor(PXTradeViewKit::background());
    header->addSubview(
        std::make_unique<ImageView>(Rect(0, 43, 320, 1), Image::named("click@2x.png")));
    header->addSubview(
        std::make_unique<ImageView>(Rect(15, 7, 16, 27), Image::named("fanhui.png")));
    auto back = std::make_unique<Button>(Rect(5, 0, 60, 44));
    back->addTarget(TouchUpInside, [this](Control&) { detailViewbackAction(); });
    header->addSubview(std::move(back));
    header->addSubview(PXTradeViewKit::label(Rect(60, 5, 200, 34), "出入金详情", 20,
                                             Color::whiteColor(), TextAlignment::Center));
    panel->addSubview(std::move(header));

    auto list = std::make_unique<TableView>(Rect(0, 44, 320, area.height - 44));
    list->setDataSource(this);
    list->setDelegate(this);
    list->setShowsVerticalScrollIndicator(false);
    list->setBackgroundColor(PXTradeViewKit::background());
    list->setSeparatorStyle(TableView::SeparatorStyle::SingleLine);
    list->setSeparatorColor(PXTradeViewKit::separator());
    m_list = panel->addSubview(std::move(list));
    m_detailView = view()->addSubview(std::move(panel));
}

void PXJYChuRuJinChaXunVC::viewWillAppear(bool) {
    m_shownAccount.follow();
}

void PXJYChuRuJinChaXunVC::forgetAccount() {
    m_history.replace({});
    m_list->reloadData();
    detailViewbackAction();
}

void PXJYChuRuJinChaXunVC::startDateButtonAction() {
    raiseDatePanel(true);
}

void PXJYChuRuJinChaXunVC::endDateButtonAction() {
    raiseDatePanel(false);
}

void PXJYChuRuJinChaXunVC::raiseDatePanel(bool start) {
    m_timeType = start;
    m_basisView->raise(start ? m_startDate : m_endDate);
}

void PXJYChuRuJinChaXunVC::appearButtonAction() {
    m_basisView->park();
}

void PXJYChuRuJinChaXunVC::datePickerValueChanged() {
    const double date = m_datePicker->date();
    (m_timeType ? m_startDate : m_endDate) = date;
    Button* button = m_timeType ? m_startDateButton : m_endDateButton;
    button->setTitle(PXTradeQueryDay::dayText(date));
}

void PXJYChuRuJinChaXunVC::doneButtonAction() {
    if (auto refusal = PXTradeQueryDay::checkRange(m_startDate, m_endDate)) {
        PXTradeMessage::show(*refusal);
        return;
    }
    // The list this query fills is of the account logged in now: showing again keeps it.
    m_shownAccount.filling();
    JYDict query = PXJYFundsWire::common();
    query["s_time"] = PXTradeQueryDay::requestTime(m_startDateButton->title());
    query["e_time"] = PXTradeQueryDay::requestTime(m_endDateButton->title());
    query["start_num"] = std::to_string(PXJYTransferHistory::kEveryRow);
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_query.began(*manager);
    manager->getCheckGoldRecode(query);
}

void PXJYChuRuJinChaXunVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                const PXTradeResult* data) {
    if (!m_query.endedBy(*manager) || !PXTradeShownAccount::takes(*manager)) {
        return;
    }
    std::vector<JYDict> records = PXJYFundsWire::records(data);
    if (records.empty()) {
        PXTradeMessage::show("记录未找到");
        return;
    }
    m_history.replace(std::move(records));
    m_list->reloadData();
    m_list->setContentOffset(Point{0, 0});
    addDetailView();
}

void PXJYChuRuJinChaXunVC::requestFailed(PXTradeNetworkManger* manager, int) {
    if (m_query.endedBy(*manager)) {
        PXTradeRefusalAlert::showNetworkFailed(*manager);
    }
}

void PXJYChuRuJinChaXunVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (m_query.endedBy(*manager)) {
        PXTradeRefusalAlert::show(*manager);
    }
}

void PXJYChuRuJinChaXunVC::addDetailView() {
    PXTradeViewKit::slide(*m_detailView, 0);
}

void PXJYChuRuJinChaXunVC::detailViewbackAction() {
    PXTradeViewKit::slide(*m_detailView, m_detailView->frame().width);
}

int PXJYChuRuJinChaXunVC::numberOfRows(TableView&, int section) {
    return section == 0 ? kTotalCount : static_cast<int>(m_history.records().size());
}

std::optional<double> PXJYChuRuJinChaXunVC::heightForRow(TableView&, IndexPath indexPath) {
    return indexPath.section == 0 ? kTotalHeight : kRecordHeight;
}

std::shared_ptr<View> PXJYChuRuJinChaXunVC::viewForHeader(TableView&, int section) {
    return PXJYFundsLook::sectionHeader(section == 0 ? "总计" : "流水");
}

std::shared_ptr<TableViewCell> PXJYChuRuJinChaXunVC::cellForRow(TableView& table,
                                                                IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    const auto& records = m_history.records();
    if (records.empty()) {
        return cell;
    }
    if (indexPath.section == 0) {
        fillTotal(*cell, indexPath.row);
    } else if (static_cast<std::size_t>(indexPath.row) < records.size()) {
        cell->contentView()->addSubview(recordView(records[indexPath.row]));
    }
    return cell;
}

void PXJYChuRuJinChaXunVC::fillTotal(TableViewCell& cell, int row) const {
    cell.contentView()->addSubview(PXTradeViewKit::label(
        Rect(10, 0, 120, kTotalHeight), kTotals[row].title, 16, PXJYFundsLook::labelGrey()));
    cell.contentView()->addSubview(PXTradeViewKit::label(Rect(120, 0, 160, kTotalHeight),
                                                         m_history.total(kTotals[row].key), 14,
                                                         PXTradeViewKit::valueGrey()));
}

std::shared_ptr<View> PXJYChuRuJinChaXunVC::recordView(const JYDict& record) const {
    auto block = std::make_shared<View>(Rect(0, 0, 320, kRecordHeight));
    double y = 5;
    for (const Line& line : kRecordLines) {
        block->addSubview(PXTradeViewKit::label(Rect(10, y, 150, 25), line.title, 16,
                                                PXJYFundsLook::labelGrey()));
        auto value = PXTradeViewKit::label(Rect(120, y, 200, 25), lineText(record, line), 14,
                                           PXTradeViewKit::valueGrey());
        value->setNumberOfLines(0);
        value->setLineBreakMode(LineBreakMode::WordWrap);
        const Size fits = value->sizeThatFits(Size{200, 1000});
        value->setFrame(Rect(120, y, 200, fits.height));
        block->addSubview(std::move(value));
        y += 25;
    }
    return block;
}

void PXJYChuRuJinChaXunVC::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
