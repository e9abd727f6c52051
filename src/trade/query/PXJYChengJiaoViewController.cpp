#include "trade/query/PXJYChengJiaoViewController.h"

#include "platform/graphics/Font.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/query/PXJYChengJiaoDetailView.h"
#include "trade/query/PXJYChengJiaoListView.h"
#include "trade/query/PXJYQueryRecord.h"

namespace {
using Filter = PXJYChengJiaoFilter;
constexpr double kRowHeight = 50;
const Color kPickerBackground = Color::rgb(59, 59, 71);
const Color kPickerRow = Color::rgb(49, 49, 51);

const PXTradeCommodityMap& commodities() {
    return PXTradeModule::shared().PXJYData().shangPinXinXi();
}
}  // namespace

void PXJYChengJiaoViewController::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    PXTradeViewKit::addNavigationBar(root, PXTradeViewKit::appViewRect().y, "成交查询", this);
    initChaXunView();
    initChaXunListView();
    initChaXunDetailView();
}

void PXJYChengJiaoViewController::viewWillAppear(bool) {
    closePicker();
    m_shownAccount.follow();
}

// Nothing of another account's deals stays on show, nor its page to continue from.
void PXJYChengJiaoViewController::forgetAccount() {
    const Rect app = PXTradeViewKit::appViewRect();
    m_listAgain = m_listView->frame().x < app.width;
    if (m_filter.forgetCommodityNotIn(commodities())) {
        m_buttons[Filter::kCommodity]->setTitle(Filter::kAll);
    }
    m_startNum = "1";
    m_listView->dataList().clear();
    m_listView->loadMoreEnd();
    m_listView->reloadDataView();
    PXTradeViewKit::slide(*m_listView, app.width);
    PXTradeViewKit::slide(*m_detailView, app.width);
}

void PXJYChengJiaoViewController::refillAccount() {
    if (m_listAgain) {
        doCheck();
    }
}

void PXJYChengJiaoViewController::initChaXunView() {
    View& root = *view();
    const Rect app = PXTradeViewKit::appViewRect();
    const double top = app.y + 44 + 5;
    PXTradeViewKit::addTitledRows(root, top, {"选择商品:", "摘牌/转让:", "方式:"});
    const std::pair<Filter::Which, void (PXJYChengJiaoViewController::*)()> buttons[] = {
        {Filter::kCommodity, &PXJYChengJiaoViewController::changeCommodityBAction},
        {Filter::kSettle, &PXJYChengJiaoViewController::jianPingCangBAction},
        {Filter::kSide, &PXJYChengJiaoViewController::buySellBAction},
    };
    for (const auto& [which, action] : buttons) {
        auto button = std::make_unique<Button>(Rect(105, top + kRowHeight * (which - 1), 195, 50));
        button->setTitle(Filter::kAll);
        button->setTitleColor(Color::whiteColor());
        button->addTarget(TouchUpInside, [this, action](Control&) { (this->*action)(); });
        m_buttons[which] = root.addSubview(std::move(button));
    }
    auto query = std::make_unique<Button>(Rect(15, 280, 290, 43));
    query->setTitle("查询");
    query->setTitleColor(Color::whiteColor());
    query->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    query->addTarget(TouchUpInside, [this](Control&) { doCheck(); });
    root.addSubview(std::move(query));

    auto picker = std::make_unique<TableView>(Rect(125, app.y, 150, 200));
    picker->setDataSource(this);
    picker->setDelegate(this);
    PXTradeViewKit::styleTable(*picker);
    picker->setBackgroundColor(kPickerBackground);
    picker->setAlpha(0);
    m_pickerView = root.addSubview(std::move(picker));
}

void PXJYChengJiaoViewController::initChaXunListView() {
    const Rect app = PXTradeViewKit::appViewRect();
    auto list =
        std::make_unique<PXJYChengJiaoListView>(Rect(app.width, app.y, app.width, app.height));
    list->setDelegate(this);
    list->setBiaoTiArray(
        {"单    号:", " ", "商    品:", "手  数:", "成交类型:", "方    式:", "成交价:", "盈  亏:"});
    list->setKeyArray({"TR_N", "QTY", "SE_F", "TY", "PR", "LIQPL"});
    m_listView = view()->addSubview(std::move(list));
}

void PXJYChengJiaoViewController::initChaXunDetailView() {
    const Rect app = PXTradeViewKit::appViewRect();
    auto detail =
        std::make_unique<PXJYChengJiaoDetailView>(Rect(app.width, app.y, app.width, app.height));
    detail->setBiaoTiArray(
        {"单  号:", "商  品:", "方  式:", "数  量:", "成交价:", "盈  亏:", "手续费:", "订单号:",
         "持牌单号:", "建牌/转让:", "交易对象:", "成交时间:"});
    detail->setKeyArray(
        {"TR_N", "TY", "QTY", "PR", "LIQPL", "COMM", "OR_N", "HL_N", "SE_F", "FI_I", "TR_T", "TI"});
    m_detailView = view()->addSubview(std::move(detail));
}

Button* PXJYChengJiaoViewController::filterButton(Filter::Which which) const {
    return which == Filter::kNone ? nullptr : m_buttons[which];
}

void PXJYChengJiaoViewController::changeCommodityBAction() {
    tapFilter(Filter::kCommodity);
}

void PXJYChengJiaoViewController::jianPingCangBAction() {
    tapFilter(Filter::kSettle);
}

void PXJYChengJiaoViewController::buySellBAction() {
    tapFilter(Filter::kSide);
}

void PXJYChengJiaoViewController::tapFilter(Filter::Which which) {
    if (!m_filter.tapButton(which, commodities())) {
        showPicker(false);
        return;
    }
    Rect frame = m_pickerView->frame();
    frame.y = PXTradeViewKit::appViewRect().y + 50 + 50 * which;
    m_pickerView->setFrame(frame);
    showPicker(true);
    m_pickerView->reloadData();
}

void PXJYChengJiaoViewController::showPicker(bool shown) {
    m_pickerView->setAlpha(shown ? 1 : 0);
    if (shown) {
        view()->bringSubviewToFront(m_pickerView);
    }
}

// A list the filter counts as closed leaves the screen with it: left standing, its rows would
// take taps that choose nothing.
void PXJYChengJiaoViewController::closePicker() {
    m_filter.close();
    showPicker(false);
}

void PXJYChengJiaoViewController::doCheck() {
    // The list this query fills is of the account logged in now: its next page goes.
    m_shownAccount.filling();
    closePicker();
    m_startNum = "1";
    m_listView->listView()->setContentOffset({0, 0});
    m_listView->dataList().clear();
    m_listView->reloadDataView();
    sendQuery();
}

void PXJYChengJiaoViewController::checkMore() {
    // The next page follows the page in hand; while a query travels there is none yet.
    if (m_query.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    sendQuery();
}

void PXJYChengJiaoViewController::sendQuery() {
    JYDict query = PXJYQueryRecord::request();
    query["lastDeal_id"] = "";
    query["sign"] = m_filter.value(Filter::kSide);
    query["commodityid"] = m_filter.value(Filter::kCommodity);
    query["start_num"] = m_startNum;
    query["oroc"] = m_filter.value(Filter::kSettle);
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_query.began(*manager);
    manager->chengJiaoChaXun(query);
}

void PXJYChengJiaoViewController::addChaXunListView() {
    PXTradeViewKit::slide(*m_listView, 0);
}

void PXJYChengJiaoViewController::addChaXunDetailView(const JYDict& record) {
    m_detailView->getDetailView(record);
    PXTradeViewKit::slide(*m_detailView, 0);
}

void PXJYChengJiaoViewController::loadMoreDataToTable() {
    checkMore();
}

int PXJYChengJiaoViewController::numberOfRows(TableView&, int) {
    return m_filter.isOpen() ? static_cast<int>(m_filter.rowTexts(commodities()).size()) : 0;
}

std::optional<double> PXJYChengJiaoViewController::heightForRow(TableView&, IndexPath) {
    return kRowHeight;
}

std::shared_ptr<TableViewCell> PXJYChengJiaoViewController::cellForRow(TableView& table,
                                                                       IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setBackgroundColor(kPickerRow);
    const auto rows = m_filter.rowTexts(commodities());
    const auto row = static_cast<size_t>(indexPath.row);
    cell->contentView()->addSubview(PXTradeViewKit::label(
        Rect(0, 0, 150, kRowHeight), row < rows.size() ? rows[row] : std::string(), 16,
        PXTradeViewKit::valueGrey(), TextAlignment::Center));
    return cell;
}

void PXJYChengJiaoViewController::didSelectRow(TableView&, IndexPath indexPath) {
    const Filter::Which which = m_filter.serving();
    m_filter.chooseRow(indexPath.row, commodities());
    showPicker(false);
    if (Button* button = filterButton(which)) {
        button->setTitle(m_filter.title(which));
    }
}

void PXJYChengJiaoViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                       const PXTradeResult* data) {
    if (!m_query.endedBy(*manager)) {
        return;
    }
    m_listView->loadMoreEnd();
    if (!PXTradeShownAccount::takes(*manager)) {
        return;
    }
    const auto page = PXJYQueryRecord::records(data);
    if (page.empty()) {
        PXTradeMessage::show(kNoRecord);
        return;
    }
    auto& list = m_listView->dataList();
    list.insert(list.end(), page.begin(), page.end());
    m_startNum = std::to_string(list.size() + 1);
    m_listView->reloadDataView();
    addChaXunListView();
}

void PXJYChengJiaoViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    if (!m_query.endedBy(*manager)) {
        return;
    }
    m_listView->loadMoreEnd();
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYChengJiaoViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (!m_query.endedBy(*manager)) {
        return;
    }
    m_listView->loadMoreEnd();
    PXTradeRefusalAlert::show(*manager);
}

void PXJYChengJiaoViewController::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
