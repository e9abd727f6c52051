#include "trade/query/PXJYZJWeiTuoViewController.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TableViewCell.h"
#include "trade/close/PXJYWeiTuoListView.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/TradeText.h"
#include "trade/query/PXJYQueryPanel.h"
#include "trade/query/PXJYQueryRecord.h"
#include "widgets/GlossAlertView.h"

namespace {
constexpr double kCellHeight = 105;
const Color kCaptionGrey = Color::rgb(132, 132, 132);

const std::vector<std::string> kDetailTitles = {
    "单 号:",    "商 品:",      "方式:",     "数  量:",   "订单价:",   "止损价:",    "止盈价:",
    "已交订金:", "冻结手续费:", "订单类型:", "订单状态:", "有效期限:", "电话交易员:"};

struct CellPair {
    const char* title;
    const char* key;  // empty: the commodity name
};

const CellPair kCellPairs[3][2] = {
    {{"持牌单号:", "OR_N"}, {"状    态:", "STA"}},
    {{"商       品:", ""}, {"数    量:", "QTY"}},
    {{"方    式:", "TYPE"}, {"订单价:", "PRI"}},
};

std::string cellValue(const JYDict& record, const char* key) {
    return *key ? PXJYQueryRecord::text(record, key) : PXJYQueryRecord::commodityName(record);
}

bool isOrderBook(const std::string& code) {
    const auto& table = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = table.find(code);
    return found != table.end() && found->second && found->second->shangPinJiaoYiMoShi == "4";
}

}  // namespace

void PXJYZJWeiTuoViewController::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    PXTradeViewKit::addNavigationBar(root, app.y, "订单查询", this);
    auto table = std::make_unique<TableView>(Rect(app.x, app.y + 44, app.width, app.height - 44));
    table->setDataSource(this);
    table->setDelegate(this);
    PXTradeViewKit::styleTable(*table);
    m_tableView = root.addSubview(std::move(table));
    setDetailView();
}

void PXJYZJWeiTuoViewController::viewWillAppear(bool) {
    m_shownAccount.follow();
}

// Nothing of another account's orders stays to be withdrawn.
void PXJYZJWeiTuoViewController::forgetAccount() {
    m_dataList.clear();
    m_shown = JYDict::object();
    m_danHaoID.reset();
    m_commodityCode.clear();
    m_withdrawButton->setEnabled(false);
    removeDetailView();
    m_tableView->reloadData();
}

void PXJYZJWeiTuoViewController::setDetailView() {
    m_detailView = PXJYQueryPanel::create(*view(), "订单查询详细", [this] { removeDetailView(); });
    const double listHeight = m_detailView->frame().height - 100;
    auto list = std::make_unique<PXJYWeiTuoListView>(Rect(0, 44, 320, listHeight));
    list->creatListView();
    m_showListView = m_detailView->addSubview(std::move(list));
    auto button = std::make_unique<Button>(Rect(15, 44 + listHeight, 290, 43));
    button->setTitle("撤销订单");
    button->setTitleColor(Color::whiteColor());
    button->setBackgroundImage(PXTradeViewKit::stretchable("anniuhong.png"));
    button->addTarget(TouchUpInside, [this](Control&) { CXZhiJiaDanButtonAction(); });
    m_withdrawButton = m_detailView->addSubview(std::move(button));
}

void PXJYZJWeiTuoViewController::zhiJiaCheck() {
    JYDict query = PXJYQueryRecord::request();
    query["sign"] = "";
    query["commodityid"] = "";
    query["start_num"] = "";
    query["time"] = "0";
    query["ortp"] = "";
    query["orst"] = "";
    query["oroc"] = "";
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    m_query.began(*manager);
    manager->weiTuoDanChaXun(query);
}

bool PXJYZJWeiTuoViewController::canWithdraw(const JYDict& record) {
    const std::string status = TradeText::textAt(record, "STA_NUM");
    const int code = Text::intValue(status);
    return !status.empty() && (code == 1 || code == 4);
}

void PXJYZJWeiTuoViewController::setDetailViewValue(const JYDict& record) {
    m_shown = record;
    m_withdrawButton->setEnabled(!m_withdrawing && canWithdraw(record));
    m_danHaoID = TradeText::textAt(record, "OR_N");
    m_commodityCode = TradeText::textAt(record, "CO_I");
    using R = PXJYQueryRecord;
    m_showListView->setExplanationArray(kDetailTitles);
    m_showListView->setDataArray(
        {R::text(record, "OR_N"), R::commodityName(record), R::text(record, "TYPE"),
         R::text(record, "QTY"), R::text(record, "PRI"), R::text(record, "STOP_LOSS"),
         R::text(record, "STOP_PROFIT"), R::text(record, "F_MAR"), R::text(record, "F_FEE"),
         R::text(record, "O_T"), R::text(record, "STA"), "当日有效", R::text(record, "CO_ID")});
    m_showListView->listView()->reloadData();
    addDetailView();
}

void PXJYZJWeiTuoViewController::addDetailView() {
    PXJYQueryPanel::show(*m_detailView);
}

void PXJYZJWeiTuoViewController::removeDetailView() {
    PXJYQueryPanel::park(*m_detailView);
}

void PXJYZJWeiTuoViewController::CXZhiJiaDanButtonAction() {
    if (m_withdrawing || m_shownAccount.refusesTap()) {
        return;
    }
    if (!m_danHaoID) {
        PXTradeMessage::show("请选择单号");
        return;
    }
    JYDict query = PXJYQueryRecord::request();
    query["holdId"] = *m_danHaoID;
    auto manager = PXTradeReplyRelay::newManager(*this, *this);
    if (isOrderBook(m_commodityCode)) {
        manager->cancelGuaPaiShangPinDingDan(query);
    } else {
        manager->cancelWeiTuoDan(query);
    }
    m_withdrawing = true;
    m_withdrawButton->setEnabled(false);
}

void PXJYZJWeiTuoViewController::withdrawalEnded() {
    m_withdrawing = false;
    m_withdrawButton->setEnabled(canWithdraw(m_shown));
}

int PXJYZJWeiTuoViewController::numberOfRows(TableView&, int) {
    return static_cast<int>(m_dataList.size());
}

std::optional<double> PXJYZJWeiTuoViewController::heightForRow(TableView&, IndexPath) {
    return kCellHeight;
}

std::shared_ptr<TableViewCell> PXJYZJWeiTuoViewController::cellForRow(TableView& table,
                                                                      IndexPath indexPath) {
    auto cell = PXTradeViewKit::blankCell(table);
    cell->setAccessoryType(TableViewCell::AccessoryType::DisclosureIndicator);
    cell->contentView()->addSubview(getCellJYView(indexPath.row));
    return cell;
}

std::unique_ptr<View> PXJYZJWeiTuoViewController::getCellJYView(int row) const {
    auto cellView = std::make_unique<View>(Rect(0, 0, 320, kCellHeight));
    cellView->setBackgroundColor(PXTradeViewKit::background());
    if (row < 0 || row >= static_cast<int>(m_dataList.size())) {
        return cellView;
    }
    const JYDict& record = m_dataList[static_cast<size_t>(row)];
    for (int line = 0; line < 3; ++line) {
        const double y = 5 + 30 * line;
        const CellPair& left = kCellPairs[line][0];
        const CellPair& right = kCellPairs[line][1];
        cellView->addSubview(
            PXTradeViewKit::label(Rect(10, y, 70, 30), left.title, 14, kCaptionGrey));
        cellView->addSubview(PXTradeViewKit::label(
            Rect(75, y, 115, 30), cellValue(record, left.key), 14, Color::whiteColor()));
        cellView->addSubview(
            PXTradeViewKit::label(Rect(170, y, 60, 30), right.title, 14, kCaptionGrey));
        cellView->addSubview(PXTradeViewKit::label(
            Rect(220, y, 115, 30), cellValue(record, right.key), 14, Color::whiteColor()));
    }
    return cellView;
}

void PXJYZJWeiTuoViewController::didSelectRow(TableView&, IndexPath indexPath) {
    if (indexPath.row < 0 || indexPath.row >= static_cast<int>(m_dataList.size())) {
        return;
    }
    setDetailViewValue(m_dataList[static_cast<size_t>(indexPath.row)]);
}

void PXJYZJWeiTuoViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                      const PXTradeResult* data) {
    if (manager->typeNW() == kCancelTag) {
        withdrawalEnded();
        auto alert = std::make_unique<GlossAlertView>(PXTradeMessage::kTitle, "撤销成功", this,
                                                      "确定", std::vector<std::string>{});
        alert->setStyle(GlossAlertView::kStyleAllWhite);
        AlertView::show(std::move(alert));
        return;
    }
    // Only the latest query's answer is taken: an older one, overtaken, lists orders of before.
    if (!m_query.endedBy(*manager) || !PXTradeShownAccount::takes(*manager)) {
        return;
    }
    m_dataList = PXJYQueryRecord::records(data);
    if (m_dataList.empty()) {
        PXTradeMessage::show(kNoOrders);
    }
    m_tableView->reloadData();
}

void PXJYZJWeiTuoViewController::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    if (buttonIndex != 0) {
        return;
    }
    removeDetailView();
    zhiJiaCheck();
}

void PXJYZJWeiTuoViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    if (!requestEnded(*manager)) {
        return;
    }
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYZJWeiTuoViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (!requestEnded(*manager)) {
        return;
    }
    PXTradeRefusalAlert::show(*manager);
}

bool PXJYZJWeiTuoViewController::requestEnded(const PXTradeNetworkManger& reply) {
    if (reply.typeNW() == kCancelTag) {
        withdrawalEnded();
        return true;
    }
    return m_query.endedBy(reply);
}

void PXJYZJWeiTuoViewController::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}
