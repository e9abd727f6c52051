#include "trade/query/PXJYMingXiViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/close/PXJYChiCangRecordRows.h"
#include "trade/close/PXJYMingXiListView.h"
#include "trade/close/PXShiJiaZhuanRangFill.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "trade/query/PXJYQueryOrders.h"
#include "trade/query/PXJYQueryPanel.h"
#include "trade/query/PXJYQueryRecord.h"

namespace {
const char* const kDetailTag = "PXchiCangMingXi";
const char* const kWithdrawTag = "PXCheXiaoZhiSunZhiYing";
const char* const kNoHoldings = "没有持牌商品";
constexpr int kResultAlertTag = 1;

PXTradeData& store() {
    return PXTradeModule::shared().PXJYData();
}

}  // namespace

PXJYMingXiViewController::PXJYMingXiViewController() {
    setHidesBottomBarWhenPushed(true);
    m_orders = std::make_unique<PXJYQueryOrders>(*this, *this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYMingXiViewController::~PXJYMingXiViewController() = default;

void PXJYMingXiViewController::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    auto list = std::make_unique<PXJYChiCangDanHaoListView>(app);
    list->setDelegate(this);
    list->navigationBarView()->setAlpha(0);
    m_list = root.addSubview(std::move(list));
    PXTradeViewKit::addNavigationBar(root, app.y, "持牌明细", this);
    initMingXiDetailView();
    initPingCangView();
}

void PXJYMingXiViewController::initMingXiDetailView() {
    m_detailView =
        PXJYQueryPanel::create(*view(), "持牌明细详细", [this] { removeMingXiDetailView(); });
    const double listHeight = m_detailView->frame().height - 150;
    auto list = std::make_unique<PXJYMingXiListView>(Rect(0, 44, 320, listHeight));
    list->creatListView();
    m_showListView = m_detailView->addSubview(std::move(list));
    const double bottom = 44 + listHeight;
    View& panel = *m_detailView;
    m_SJPingCangButton = PXJYQueryPanel::addButton(panel, {15, bottom + 10, 140, 43}, " 转让",
                                                   [this] { SJPingCangButtonAction(); });
    m_ZJPingCangButton = PXJYQueryPanel::addButton(panel, {165, bottom + 10, 140, 43}, "条件转让",
                                                   [this] { ZJPingCangButtonAction(); });
    m_CXZhiSunDan = PXJYQueryPanel::addButton(panel, {15, bottom + 58, 140, 43}, "撤销止损单",
                                              [this] { CXZhiSunDanButtonAction(); });
    m_CXZhiYingDan = PXJYQueryPanel::addButton(panel, {165, bottom + 58, 140, 43}, "撤销止盈单",
                                               [this] { CXZhiYingDanButtonAction(); });
    setWithdrawButtons();
    // Over the four buttons, so an order-book holding offers only its own transfer.
    auto strip = std::make_unique<View>(Rect(0, bottom + 10, m_detailView->frame().width, 100));
    strip->setBackgroundColor(PXTradeViewKit::background());
    strip->setAlpha(0);
    m_ZYMSView = panel.addSubview(std::move(strip));
    m_guaPingButton = PXJYQueryPanel::addButton(*m_ZYMSView, {15, 20, 290, 43}, "转让",
                                                [this] { guaPingButtonAction(); });
}

void PXJYMingXiViewController::initPingCangView() {
    m_pingCangView = PXJYQueryPanel::create(*view(), " 转让", [this] { removePingCangView(); });
    m_pingCangTitle = PXJYQueryPanel::title(*m_pingCangView);
    const double height = m_pingCangView->frame().height;
    m_board = m_pingCangView->addSubview(
        std::make_unique<PXCommodityInformationView>(Rect(0, 44, 320, 110)));
    const Rect formFrame(0, 154, 320, height - 154);

    auto market = std::make_unique<PXJYShiJiaZhuanRangView>(formFrame);
    market->setDelegate(this);
    market->setShownAccount(&m_shownAccount);
    market->SPbutton()->setEnabled(false);
    market->DHbutton()->setEnabled(false);
    market->danHaoButtonActionSJPC();
    market->fixCommodity();
    market->fixNumber();
    PXJYQueryPanel::lockSwitcher(*market->switchingAccountView());
    m_SJPCView = m_pingCangView->addSubview(std::move(market));

    auto conditional = std::make_unique<PXJYZhiJiaPingCangView>(formFrame);
    conditional->setDelegate(this);
    conditional->setShownAccount(&m_shownAccount);
    conditional->setAlpha(0);
    conditional->fixNumber();
    PXJYQueryPanel::lockSwitcher(*conditional->switchingAccountView());
    m_ZJPCView = m_pingCangView->addSubview(std::move(conditional));
    m_accountSwitch->add(m_SJPCView->switchingAccountView());
    m_accountSwitch->add(m_ZJPCView->switchingAccountView());
}

void PXJYMingXiViewController::showAccount() {
    m_accountSwitch->reloadTableView();
    getChiCangMingXi();
}

void PXJYMingXiViewController::viewWillAppear(bool) {
    m_shownAccount.follow();
    m_whileShown.start({{"JYRefreshTimer", [this] { JYRefreshView(); }}});
}

// The tickets listed and the one in the panels were another account's: none stays to be sent.
void PXJYMingXiViewController::forgetAccount() {
    m_danHaoID.reset();
    m_commodityCode.clear();
    m_list->setAllChiCangDanHaoID({});
    m_list->chicangDanHaoListViewreloadView();
    m_showListView->setDataArray({});
    m_showListView->listView()->reloadData();
    m_SJPCView->cleanView();
    m_SJPCView->forgetNumber();
    m_ZJPCView->cleanView();
    m_ZJPCView->forgetTicket();
    m_ZYMSView->setAlpha(0);
    setWithdrawButtons();
    PXJYQueryPanel::park(*m_pingCangView);
    removeMingXiDetailView();
}

void PXJYMingXiViewController::viewWillDisappear(bool) {
    m_whileShown.stop();
}

void PXJYMingXiViewController::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(false);
    }
}

void PXJYMingXiViewController::getChiCangMingXi() {
    auto manager = m_orders->newManager();
    m_orders->queryStarted(*manager, kDetailTag);
    manager->getJYChiCangMingXi(m_requestCommodity);
}

void PXJYMingXiViewController::JYRefreshView() {
    m_list->chicangDanHaoListViewreloadView();
    setMingXiDetailValue();
}

void PXJYMingXiViewController::PXChangeAnDanHao(const std::string& number) {
    m_ZJPCView->cleanView();
    m_SJPCView->cleanView();
    m_danHaoID = number;
    setZYMSViewAlpha();
    setMingXiDetailValue();
    addMingXiDetailView();
}

void PXJYMingXiViewController::setZYMSViewAlpha() {
    const PXJYChiCangMingXi* ticket =
        m_danHaoID ? PXTradeData::find(store().chiCangMingXiXinXi(), *m_danHaoID) : nullptr;
    const PXTradeCommodity* commodity =
        ticket ? PXTradeData::find(store().shangPinXinXi(), ticket->commodityCode) : nullptr;
    m_ZYMSView->setAlpha(commodity && commodity->shangPinJiaoYiMoShi == "4" ? 1 : 0);
}

void PXJYMingXiViewController::setWithdrawButtons() {
    const PXJYChiCangMingXi* ticket =
        m_danHaoID ? PXTradeData::find(store().chiCangMingXiXinXi(), *m_danHaoID) : nullptr;
    const std::pair<Button*, bool> buttons[] = {
        {m_CXZhiSunDan, ticket && PXTradeClosingRules::isPriceSet(ticket->zhiSun)},
        {m_CXZhiYingDan, ticket && PXTradeClosingRules::isPriceSet(ticket->zhiYing)}};
    for (const auto& [button, set] : buttons) {
        button->setEnabled(set && !m_withdrawing);
        button->setBackgroundImage(
            PXTradeViewKit::stretchable(set ? "anniuhong.png" : "anniu.png"));
    }
}

void PXJYMingXiViewController::setMingXiDetailValue() {
    if (!m_danHaoID) {
        return;
    }
    const PXTradeData& trade = store();
    const PXJYChiCangMingXi* ticket = PXTradeData::find(trade.chiCangMingXiXinXi(), *m_danHaoID);
    if (ticket) {
        m_commodityCode = ticket->commodityCode;
    }
    setWithdrawButtons();
    m_showListView->setExplanationArray(PXJYChiCangRecordRows::mingXiTitles());
    m_showListView->setDataArray(PXJYChiCangRecordRows::mingXiValues(trade, *m_danHaoID));
    m_showListView->listView()->reloadData();
    m_board->fill(trade, ticket ? ticket->commodityCode : "");
    PXShiJiaZhuanRangFill::byNumber(*m_SJPCView, trade, *m_danHaoID);
    m_ZJPCView->fillTicket(trade, *m_danHaoID);
}

void PXJYMingXiViewController::addMingXiDetailView() {
    PXJYQueryPanel::show(*m_detailView);
}

void PXJYMingXiViewController::removeMingXiDetailView() {
    PXJYQueryPanel::park(*m_detailView);
}

void PXJYMingXiViewController::showForm(bool market) {
    m_SJPCView->setAlpha(market ? 1 : 0);
    m_ZJPCView->setAlpha(market ? 0 : 1);
    m_pingCangTitle->setText(market ? " 转让" : "条件转让");
    m_XIADANSUCCESS = false;
    PXJYQueryPanel::show(*m_pingCangView);
}

void PXJYMingXiViewController::SJPingCangButtonAction() {
    showForm(true);
}

void PXJYMingXiViewController::ZJPingCangButtonAction() {
    showForm(false);
}

void PXJYMingXiViewController::removePingCangView() {
    m_ZJPCView->cleanView();
    m_SJPCView->cleanView();
    PXJYQueryPanel::park(*m_pingCangView);
    if (m_XIADANSUCCESS) {
        removeMingXiDetailView();
    }
}

void PXJYMingXiViewController::askWithdrawal(bool stopLoss) {
    if (m_withdrawing || m_shownAccount.refusesTap()) {
        return;
    }
    if (!m_danHaoID) {
        PXTradeMessage::show("请选择单号");
        return;
    }
    m_orders->ask(stopLoss ? "确定撤销止损单吗?" : "确定撤销止盈单吗?",
                  stopLoss ? kStopLossAlertTag : kTakeProfitAlertTag);
}

void PXJYMingXiViewController::CXZhiSunDanButtonAction() {
    askWithdrawal(true);
}

void PXJYMingXiViewController::CXZhiYingDanButtonAction() {
    askWithdrawal(false);
}

void PXJYMingXiViewController::sendWithdrawal(const char* type) {
    // One withdrawal at a time: a second confirmation while one travels sends nothing.
    if (m_withdrawing || m_shownAccount.refusesTap() || !m_danHaoID) {
        return;
    }
    JYDict request = PXJYQueryRecord::request();
    request["holdId"] = *m_danHaoID;
    request["commodityid"] = m_commodityCode;
    request["withdrawtype"] = type;
    m_orders->newManager()->cheXiaoZhiSunZhiYingJia(request);
    m_withdrawing = true;
    setWithdrawButtons();
}

void PXJYMingXiViewController::sendCXZhiSunRequest() {
    sendWithdrawal("1");
}

void PXJYMingXiViewController::sendCXZhiYingRequest() {
    sendWithdrawal("2");
}

void PXJYMingXiViewController::guaPingButtonAction() {
    NavigationController* navigation = navigationController();
    if (m_shownAccount.refusesTap() || !navigation || !m_danHaoID) {
        return;
    }
    PXTradeScreenArgs args;
    args.holdingNumber = *m_danHaoID;
    PXJYQueryOrders::handToOrderBook(*navigation, args);
}

void PXJYMingXiViewController::PXShiJiaPingCangClick(const JYDict& order,
                                                     bool fanXiangJianCangSign) {
    if (m_shownAccount.refusesTap()) {
        return;
    }
    m_orders->transfer(order, fanXiangJianCangSign);
}

void PXJYMingXiViewController::PXZhiJiaPingCangClick(const JYDict& order) {
    if (m_shownAccount.refusesTap()) {
        return;
    }
    m_orders->stops(order);
}

void PXJYMingXiViewController::alertViewClickedButtonAtIndex(AlertView& alert, int buttonIndex) {
    if (buttonIndex != 0) {
        return;
    }
    if (alert.tag() == kStopLossAlertTag) {
        sendCXZhiSunRequest();
        return;
    }
    if (alert.tag() == kTakeProfitAlertTag) {
        sendCXZhiYingRequest();
        return;
    }
    removePingCangView();
    getChiCangMingXi();
}

void PXJYMingXiViewController::orderSent(PXTradeNetworkManger* manager) {
    m_orders->orderSent(*manager);
}

void PXJYMingXiViewController::showNumbers(const PXTradeResult* data) {
    const PXTradeTicketMap* tickets =
        data && !data->empty() ? std::get_if<PXTradeTicketMap>(&data->front()) : nullptr;
    std::vector<std::string> numbers;
    for (const auto& [number, ticket] : tickets ? *tickets : PXTradeTicketMap{}) {
        if (ticket && (m_buySellSign.empty() || ticket->buySellSign == m_buySellSign)) {
            numbers.push_back(number);
        }
    }
    m_list->setAllChiCangDanHaoID(std::move(numbers));
    m_list->chicangDanHaoListViewreloadView();
    if (!tickets || tickets->empty()) {
        PXTradeMessage::show(kNoHoldings);
    }
}

void PXJYMingXiViewController::succeeded(const PXTradeNetworkManger& reply,
                                         const std::string& message) {
    m_orders->orderEnded(reply);
    getChiCangMingXi();
    removeMingXiDetailView();
    m_orders->showResult(message, kResultAlertTag);
}

void PXJYMingXiViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                    const PXTradeResult* data) {
    const std::string& kind = manager->typeNW();
    if (kind == kDetailTag) {
        // Only the latest query's tickets are listed: an earlier one, overtaken on a slow line,
        // tells the tickets before the orders that followed it.
        if (m_orders->queryEnded(*manager) && PXTradeShownAccount::takes(*manager)) {
            showNumbers(data);
        }
    } else if (kind == PXJYQueryOrders::kTransferTag) {
        if (m_orders->reverseAsked()) {
            getChiCangMingXi();
            removeMingXiDetailView();
            m_orders->sendReverse();
            return;
        }
        m_XIADANSUCCESS = true;
        succeeded(*manager, "转让成功");
    } else if (kind == PXJYQueryOrders::kReverseTag) {
        m_XIADANSUCCESS = true;
        succeeded(*manager, PXJYQueryOrders::kReverseDone);
    } else if (kind == PXJYQueryOrders::kStopsTag) {
        m_XIADANSUCCESS = true;
        succeeded(*manager, "下单成功");
    } else if (kind == kWithdrawTag) {
        m_withdrawing = false;
        succeeded(*manager, "撤销成功");
    }
}

bool PXJYMingXiViewController::requestEnded(const PXTradeNetworkManger& reply) {
    const std::string& kind = reply.typeNW();
    if (kind == kDetailTag) {
        return m_orders->queryEnded(reply);
    }
    if (kind == kWithdrawTag) {
        m_withdrawing = false;
        setWithdrawButtons();
        return true;
    }
    m_orders->orderEnded(reply);
    return true;
}

void PXJYMingXiViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    const std::string& kind = manager->typeNW();
    if (!requestEnded(*manager)) {
        return;
    }
    // The transfer itself went through: say so, and lead back to the list it changed.
    if (kind == PXJYQueryOrders::kReverseTag && m_orders->reverseAsked()) {
        m_XIADANSUCCESS = true;
        m_orders->showResult(
            PXJYQueryOrders::kReverseFailed + std::string(PXTradeMessage::kNetworkFailed),
            kResultAlertTag);
        return;
    }
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYMingXiViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    const std::string& kind = manager->typeNW();
    if (!requestEnded(*manager)) {
        return;
    }
    if (kind == PXJYQueryOrders::kReverseTag) {
        if (m_orders->reverseAsked()) {
            m_XIADANSUCCESS = true;
            m_orders->showResult(PXJYQueryOrders::kReverseFailed + manager->JY_ErrorMessage(),
                                 kResultAlertTag);
        }
        return;
    }
    PXTradeRefusalAlert::show(*manager);
}
