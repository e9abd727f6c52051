#include "trade/query/PXTradeBaoBiaoController.h"

#include "platform/foundation/DateFormat.h"
#include "platform/ui/Button.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXTradeDatePanel.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeQueryDay.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/query/PXJYBaoBiaoMingXiInfo.h"
#include "trade/query/PXJYBaoBiaoMingXiList.h"
#include "trade/query/PXJYQueryRecord.h"

namespace {
constexpr double kRowHeight = 50;
const Color kListBackground = Color::rgb(59, 59, 71);

double yesterday() {
    return DateFormat::addingDays(PXTradeQueryDay::today(), -1, DateFormat::Zone::gmt());
}

// A selector of the form: a black box with its button on it.
Button* addSelector(View& root, const Rect& frame, std::function<void()> action) {
    auto box = std::make_unique<View>(frame);
    box->setBackgroundColor(Color::blackColor());
    root.addSubview(std::move(box));
    auto button = std::make_unique<Button>(frame);
    button->setTitleColor(Color::whiteColor());
    button->addTarget(TouchUpInside, [action = std::move(action)](Control&) { action(); });
    return root.addSubview(std::move(button));
}

}  // namespace

PXTradeBaoBiaoController::PXTradeBaoBiaoController() {
    setTitle("报表");
}

void PXTradeBaoBiaoController::viewDidLoad() {
    m_endDate = yesterday();
    m_startDate = m_endDate;
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    PXTradeViewKit::addNavigationBar(root, PXTradeViewKit::appViewRect().y, "报表", this);
    buildForm();
    setDatePickerView();
    const Rect app = PXTradeViewKit::appViewRect();
    auto list =
        std::make_unique<PXJYBaoBiaoMingXiList>(Rect(app.width, app.y, app.width, app.height));
    list->setDelegate(this);
    m_list = root.addSubview(std::move(list));
    m_detail = root.addSubview(
        std::make_unique<PXJYBaoBiaoMingXiInfo>(Rect(app.width, app.y, app.width, app.height)));
}

void PXTradeBaoBiaoController::buildForm() {
    View& root = *view();
    const Rect app = PXTradeViewKit::appViewRect();
    const double top = app.y + 54;
    PXTradeViewKit::addTitledRows(root, top, {"报表类型:", "开始日期:", "结束日期:"});
    m_baoBiaoType =
        addSelector(root, Rect(125, top + 5, 150, 40), [this] { baoBiaoButtonAction(); });
    m_startDateButton =
        addSelector(root, Rect(125, top + 55, 150, 40), [this] { startDateButtonAction(); });
    m_endDateButton =
        addSelector(root, Rect(125, top + 105, 150, 40), [this] { endDateButtonAction(); });
    auto done = std::make_unique<Button>(Rect(15, top + 105 + 80, 290, 43));
    done->setTitle("确 定");
    done->setTitleColor(Color::whiteColor());
    done->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    done->addTarget(TouchUpInside, [this](Control&) { doneButtonAction(); });
    m_done = root.addSubview(std::move(done));

    // Four of the five kinds show at once; the fifth scrolls in.
    auto picker = std::make_unique<TableView>(Rect(125, app.y + 100, 150, 200));
    picker->setDataSource(this);
    picker->setDelegate(this);
    PXTradeViewKit::styleTable(*picker);
    picker->setBackgroundColor(kListBackground);
    picker->setAlpha(0);
    m_pickerView = root.addSubview(std::move(picker));
}

void PXTradeBaoBiaoController::setDatePickerView() {
    auto panel = std::make_unique<PXTradeDatePanel>(m_endDate, [this] { appearButtonAction(); });
    m_datePicker = panel->datePicker();
    m_datePicker->addTarget(ValueChanged, [this](Control&) { datePickerValueChanged(); });
    m_basisView = view()->addSubview(std::move(panel));
}

void PXTradeBaoBiaoController::viewWillAppear(bool) {
    resetForm();
    m_shownAccount.follow();
}

// Another account's report is not continued: its rows, its record and its next page go.
void PXTradeBaoBiaoController::forgetAccount() {
    clearResult();
    m_list->loadMoreEnd();
    const double parked = PXTradeViewKit::appViewRect().width;
    PXTradeViewKit::slide(*m_detail, parked);
    PXTradeViewKit::slide(*m_list, parked);
}

void PXTradeBaoBiaoController::resetForm() {
    m_endDate = yesterday();
    m_startDate = m_endDate;
    showKindList(false);
    m_reportType = PXJYBaoBiaoQuery::kNoKind;
    m_baoBiaoType->setTitle(kNoKindTitle);
    m_startDateButton->setTitle(PXTradeQueryDay::dayText(m_startDate));
    m_endDateButton->setTitle(PXTradeQueryDay::dayText(m_endDate));
}

void PXTradeBaoBiaoController::showKindList(bool shown) {
    m_pickerView->setAlpha(shown ? 1 : 0);
    if (shown) {
        view()->bringSubviewToFront(m_pickerView);
    }
}

void PXTradeBaoBiaoController::baoBiaoButtonAction() {
    const bool hidden = m_pickerView->alpha() == 0;
    if (hidden) {
        appearButtonAction();
    }
    showKindList(hidden);
}

int PXTradeBaoBiaoController::numberOfRows(TableView&, int) {
    return static_cast<int>(PXJYBaoBiaoQuery::titles().size());
}

std::shared_ptr<TableViewCell> PXTradeBaoBiaoController::cellForRow(TableView& table,
                                                                    IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setBackgroundColor(kListBackground);
    cell->contentView()->addSubview(
        PXTradeViewKit::label(Rect(0, 0, 150, kRowHeight), PXJYBaoBiaoQuery::title(indexPath.row),
                              16, PXTradeViewKit::valueGrey(), TextAlignment::Center));
    return cell;
}

void PXTradeBaoBiaoController::didSelectRow(TableView&, IndexPath indexPath) {
    showKindList(false);
    if (indexPath.row < 0 || indexPath.row >= PXJYBaoBiaoQuery::kKindCount) {
        return;
    }
    m_reportType = indexPath.row;
    m_baoBiaoType->setTitle(PXJYBaoBiaoQuery::title(m_reportType));
}

void PXTradeBaoBiaoController::startDateButtonAction() {
    openDatePanel(true);
}

void PXTradeBaoBiaoController::endDateButtonAction() {
    openDatePanel(false);
}

void PXTradeBaoBiaoController::openDatePanel(bool start) {
    m_timeType = start;
    m_basisView->raise(start ? m_startDate : m_endDate);
}

void PXTradeBaoBiaoController::appearButtonAction() {
    m_basisView->park();
}

void PXTradeBaoBiaoController::datePickerValueChanged() {
    const double date = m_datePicker->date();
    (m_timeType ? m_startDate : m_endDate) = date;
    (m_timeType ? m_startDateButton : m_endDateButton)->setTitle(PXTradeQueryDay::dayText(date));
}

void PXTradeBaoBiaoController::doneButtonAction() {
    showKindList(false);
    // The list this query fills is of the account logged in now: its next page goes.
    m_shownAccount.filling();
    clearResult();
    if (m_reportType == PXJYBaoBiaoQuery::kNoKind) {
        PXTradeMessage::show("请选择报表类型");
        return;
    }
    if (auto refusal = PXTradeQueryDay::checkRange(m_startDate, m_endDate)) {
        PXTradeMessage::show(*refusal);
        return;
    }
    send(m_query.begin(m_reportType, m_startDateButton->title(), m_endDateButton->title()));
}

// Before any check, so a refused query shows no rows of an earlier one.
void PXTradeBaoBiaoController::clearResult() {
    m_query.clear();
    m_inFlight = nullptr;
    m_list->setDataList({});
    m_list->BBtableView()->setContentOffset({0, 0});
    m_list->reloadDataView();
}

void PXTradeBaoBiaoController::loadMore() {
    if (m_shownAccount.refusesTap()) {
        return;
    }
    if (auto page = m_query.more()) {
        send(*page);
        return;
    }
    m_list->loadMoreEnd();
}

void PXTradeBaoBiaoController::send(const PXJYBaoBiaoQuery::Page& page) {
    const JYDict request = PXJYBaoBiaoQuery::request(PXJYQueryRecord::request(), page);
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_inFlight = manager.get();
    m_busy.began(manager.get());
    manager->baoBiaoChaXun(request, page.kind);
}

void PXTradeBaoBiaoController::loadMoreData() {
    loadMore();
}

bool PXTradeBaoBiaoController::endPage(const PXTradeNetworkManger& manager) {
    m_busy.ended(&manager);
    if (&manager != m_inFlight) {
        return false;
    }
    m_inFlight = nullptr;
    m_list->loadMoreEnd();
    return true;
}

void PXTradeBaoBiaoController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                    const PXTradeResult* data) {
    if (!endPage(*manager)) {
        return;
    }
    if (!PXTradeShownAccount::takes(*manager)) {
        m_query.fail();
        return;
    }
    if (!m_query.accept(PXJYQueryRecord::records(data))) {
        PXTradeMessage::show(kNoRecord);
        return;
    }
    const int kind = m_query.kind();
    m_list->navigationBarView()->title()->setText(PXJYBaoBiaoQuery::title(kind));
    m_list->setBaoBiaotype(kind);
    m_detail->setBaoBiaotype(kind);
    m_list->setDataList(m_query.records());
    m_list->setCellLabel();
    m_list->reloadDataView();
    m_detail->setCellLabel();
    addBaoBiaoMingXiView();
}

void PXTradeBaoBiaoController::requestFailed(PXTradeNetworkManger* manager, int) {
    if (!endPage(*manager)) {
        return;
    }
    m_query.fail();
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXTradeBaoBiaoController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (!endPage(*manager)) {
        return;
    }
    m_query.fail();
    PXTradeRefusalAlert::show(*manager);
}

void PXTradeBaoBiaoController::addBaoBiaoMingXiView() {
    PXTradeViewKit::slide(*m_list, 0);
}

void PXTradeBaoBiaoController::addBaoBiaoMingXiInfoView(const JYDict& record) {
    PXTradeViewKit::slide(*m_detail, 0);
    m_detail->setDetailDic(record);
    m_detail->reloadDataView();
}

void PXTradeBaoBiaoController::VKJYNavBackAction() {
    appearButtonAction();
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
