#include "trade/query/PXJYHuiZongViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/close/PXJYChiCangRecordRows.h"
#include "trade/close/PXJYHuiZongListView.h"
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

namespace {
const char* const kSummaryTag = "PXchiCangHuiZong";
const char* const kDetailTag = "PXchiCangMingXi";

PXTradeData& store() {
    return PXTradeModule::shared().PXJYData();
}
}  // namespace

PXJYHuiZongViewController::PXJYHuiZongViewController() {
    setHidesBottomBarWhenPushed(true);
    m_orders = std::make_unique<PXJYQueryOrders>(*this, *this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYHuiZongViewController::~PXJYHuiZongViewController() = default;

void PXJYHuiZongViewController::viewDidLoad() {
    View& root = *view();
    root.setBackgroundColor(PXTradeViewKit::background());
    const Rect app = PXTradeViewKit::appViewRect();
    auto list = std::make_unique<PXJYChiCangShangPinListView>(app);
    list->setDelegate(this);
    list->navigationBarView()->setAlpha(0);
    m_list = root.addSubview(std::move(list));
    PXTradeViewKit::addNavigationBar(root, app.y, "持牌汇总", this);
    initHuiZongDetailView();
    initPingCangView();
    auto numbers =
        std::make_unique<PXJYChiCangDanHaoListView>(Rect(app.width, app.y, app.width, app.height));
    numbers->setDelegate(this);
    numbers->navigationBarView()->title()->setText("持牌明细");
    m_numbers = root.addSubview(std::move(numbers));
}

void PXJYHuiZongViewController::initHuiZongDetailView() {
    m_detailView =
        PXJYQueryPanel::create(*view(), "持牌汇总详细", [this] { removeHuiZongDetailView(); });
    const double listHeight = m_detailView->frame().height - 100;
    auto list = std::make_unique<PXJYHuiZongListView>(Rect(0, 44, 320, listHeight));
    list->creatListView();
    m_showView = m_detailView->addSubview(std::move(list));
    const double bottom = 44 + listHeight;
    m_transferButton = PXJYQueryPanel::addButton(*m_detailView, {15, bottom, 290, 43}, " 转让",
                                                 [this] { HZSJPingCangButtonAction(); });
    // Over the quote-mode transfer, so an order-book summary offers only its own.
    auto strip = std::make_unique<View>(Rect(0, bottom, m_detailView->frame().width, 50));
    strip->setBackgroundColor(PXTradeViewKit::background());
    strip->setAlpha(0);
    m_ZYMSView = m_detailView->addSubview(std::move(strip));
    m_guaPingButton = PXJYQueryPanel::addButton(*m_ZYMSView, {15, 0, 290, 43}, "转让",
                                                [this] { guaPingButtonAction(); });
}

void PXJYHuiZongViewController::initPingCangView() {
    m_pingCangView = PXJYQueryPanel::create(*view(), " 转让", [this] { removePingCangView(); });
    const double height = m_pingCangView->frame().height;
    m_board = m_pingCangView->addSubview(
        std::make_unique<PXCommodityInformationView>(Rect(0, 44, 320, 110)));
    auto form = std::make_unique<PXJYShiJiaZhuanRangView>(Rect(0, 154, 320, height - 154));
    form->setDelegate(this);
    form->setShownAccount(&m_shownAccount);
    form->fixCommodity();
    PXJYQueryPanel::lockSwitcher(*form->switchingAccountView());
    m_SJPCView = m_pingCangView->addSubview(std::move(form));
    m_accountSwitch->add(m_SJPCView->switchingAccountView());
}

void PXJYHuiZongViewController::showAccount() {
    m_accountSwitch->reloadTableView();
    getChiCangHuiZong();
}

void PXJYHuiZongViewController::viewWillAppear(bool) {
    m_shownAccount.follow();
    m_whileShown.start({{"JYRefreshTimer", [this] { JYRefreshView(); }}});
}

// The summary in the panels and the numbers picked were another account's: none stays to be
// sent, and the list is the store's of the logon in force.
void PXJYHuiZongViewController::forgetAccount() {
    m_huiZong.reset();
    m_newDanHao.reset();
    m_transferHolding.forget();
    m_SJPCView->startAfresh();
    m_SJPCView->forgetNumber();
    m_showView->setDataArray({});
    m_showView->listView()->reloadData();
    m_ZYMSView->setAlpha(0);
    m_numbers->forgetRows();
    PXJYQueryPanel::park(*m_pingCangView);
    removeHuiZongDetailView();
    setShangPinListViewInfo();
}

void PXJYHuiZongViewController::viewWillDisappear(bool) {
    m_whileShown.stop();
}

void PXJYHuiZongViewController::VKJYNavBackAction() {
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}

void PXJYHuiZongViewController::getChiCangHuiZong() {
    auto manager = m_orders->newManager();
    m_orders->queryStarted(*manager, kSummaryTag);
    manager->getJYChiCangHuiZong("");
}

void PXJYHuiZongViewController::getChiCangMingXi() {
    if (!m_huiZong) {
        return;
    }
    auto manager = m_orders->newManager();
    m_orders->queryStarted(*manager, kDetailTag);
    manager->getJYChiCangMingXi(m_huiZong->commodityCode);
}

void PXJYHuiZongViewController::setShangPinListViewInfo() {
    m_list->setAllChiCangShangPinCommodity(store().chiCangHuiZongXinXi());
    m_list->chicangShangPinListViewreloadView();
}

void PXJYHuiZongViewController::JYRefreshView() {
    setHuiZongDetailValue();
    setShangPinListViewInfo();
}

void PXJYHuiZongViewController::PXChangeAnCommodity(
    const std::shared_ptr<PXJYChiCangHuiZong>& summary) {
    // The number picked for the previous summary is none of this one's.
    m_SJPCView->startAfresh();
    m_newDanHao.reset();
    m_huiZong = summary;
    m_transferHolding.choose(summary, store());
    setZYMSViewAlpha();
    setHuiZongDetailValue();
    addHuiZongDetailView();
}

void PXJYHuiZongViewController::setZYMSViewAlpha() {
    const PXTradeCommodity* commodity =
        m_huiZong ? PXTradeData::find(store().shangPinXinXi(), m_huiZong->commodityCode) : nullptr;
    m_ZYMSView->setAlpha(commodity && commodity->shangPinJiaoYiMoShi == "4" ? 1 : 0);
}

void PXJYHuiZongViewController::setHuiZongDetailValue() {
    m_list->chicangShangPinListViewreloadView();
    if (!m_huiZong) {
        return;
    }
    const PXTradeData& trade = store();
    // Looked at in either mode, so a holding that went while numbers showed stays gone.
    m_transferHolding.forgetIfGone(trade);
    showDetail(trade);
    m_board->fill(trade, m_huiZong->commodityCode);
    if (m_SJPCView->danHaoOrShangPin()) {
        fillByCommodity(trade);
    } else {
        PXShiJiaZhuanRangFill::byNumber(*m_SJPCView, trade, m_newDanHao.value_or(""));
    }
}

// The picked holding as the store holds it now; nothing once it has gone, as the form offers
// nothing to transfer then.
void PXJYHuiZongViewController::showDetail(const PXTradeData& trade) {
    const auto current = m_transferHolding.current(trade);
    m_showView->setExplanationArray(PXJYChiCangRecordRows::huiZongTitles());
    m_showView->setDataArray(current ? PXJYChiCangRecordRows::huiZongValues(trade, *current)
                                     : std::vector<std::string>{});
    m_showView->listView()->reloadData();
}

// The picked summary's holding, until it goes: a later lot of its commodity and side is not it.
void PXJYHuiZongViewController::fillByCommodity(const PXTradeData& trade) {
    if (const auto current = m_transferHolding.current(trade)) {
        PXShiJiaZhuanRangFill::byCommodity(*m_SJPCView, trade, *current);
        return;
    }
    m_SJPCView->forgetNumber();
}

void PXJYHuiZongViewController::addHuiZongDetailView() {
    PXJYQueryPanel::show(*m_detailView);
}

void PXJYHuiZongViewController::removeHuiZongDetailView() {
    PXJYQueryPanel::park(*m_detailView);
}

void PXJYHuiZongViewController::HZSJPingCangButtonAction() {
    m_XIADANSUCCESS = false;
    PXJYQueryPanel::show(*m_pingCangView);
}

void PXJYHuiZongViewController::removePingCangView() {
    m_SJPCView->cleanView();
    PXJYQueryPanel::park(*m_pingCangView);
    if (m_XIADANSUCCESS) {
        removeHuiZongDetailView();
    }
}

void PXJYHuiZongViewController::showNumbers() {
    std::vector<std::string> numbers;
    for (const auto& [number, ticket] : store().chiCangMingXiXinXi()) {
        if (ticket && m_huiZong && ticket->commodityCode == m_huiZong->commodityCode &&
            ticket->buySellSign == m_huiZong->buySellSign) {
            numbers.push_back(number);
        }
    }
    m_numbers->setAllChiCangDanHaoID(std::move(numbers));
    m_numbers->chicangDanHaoListViewreloadView();
}

void PXJYHuiZongViewController::PXSJPCAddChiCangDanHaoListView() {
    getChiCangMingXi();
    // What the store holds now, until the answer brings the latest.
    showNumbers();
    m_numbers->slideIn();
}

void PXJYHuiZongViewController::PXChangeAnDanHao(const std::string& number) {
    m_SJPCView->cleanView();
    m_newDanHao = number;
    m_numbers->VKJYNavBackAction();
    setHuiZongDetailValue();
}

void PXJYHuiZongViewController::PXSJPCRefreshShiJiaPingCangView() {
    setHuiZongDetailValue();
}

void PXJYHuiZongViewController::guaPingButtonAction() {
    NavigationController* navigation = navigationController();
    if (m_shownAccount.refusesTap() || !navigation || !m_huiZong) {
        return;
    }
    PXTradeScreenArgs args;
    args.summary = m_huiZong;
    PXJYQueryOrders::handToOrderBook(*navigation, args);
}

void PXJYHuiZongViewController::PXShiJiaPingCangClick(const JYDict& order,
                                                      bool fanXiangJianCangSign) {
    if (m_shownAccount.refusesTap()) {
        return;
    }
    m_orders->transfer(order, fanXiangJianCangSign);
}

void PXJYHuiZongViewController::alertViewClickedButtonAtIndex(AlertView&, int) {
    removePingCangView();
    setHuiZongDetailValue();
}

void PXJYHuiZongViewController::orderSent(PXTradeNetworkManger* manager) {
    m_orders->orderSent(*manager);
}

void PXJYHuiZongViewController::finished(const PXTradeNetworkManger& reply,
                                         const std::string& message) {
    m_orders->orderEnded(reply);
    m_XIADANSUCCESS = true;
    m_newDanHao.reset();
    m_orders->showResult(message);
}

void PXJYHuiZongViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                     const PXTradeResult*) {
    const std::string& kind = manager->typeNW();
    if (kind == kSummaryTag) {
        if (!m_orders->queryEnded(*manager) || !PXTradeShownAccount::takes(*manager)) {
            return;
        }
        setShangPinListViewInfo();
        if (store().chiCangHuiZongXinXi().empty()) {
            PXTradeMessage::show("没有持牌商品");
        }
    } else if (kind == kDetailTag) {
        if (m_orders->queryEnded(*manager)) {
            showNumbers();
        }
    } else if (kind == PXJYQueryOrders::kTransferTag) {
        if (m_orders->reverseAsked()) {
            m_orders->sendReverse();
            return;
        }
        finished(*manager, "转让成功");
    } else if (kind == PXJYQueryOrders::kReverseTag) {
        finished(*manager, PXJYQueryOrders::kReverseDone);
    }
}

bool PXJYHuiZongViewController::requestEnded(const PXTradeNetworkManger& reply) {
    const std::string& kind = reply.typeNW();
    if (kind == kSummaryTag || kind == kDetailTag) {
        return m_orders->queryEnded(reply);
    }
    m_orders->orderEnded(reply);
    return true;
}

void PXJYHuiZongViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    const std::string& kind = manager->typeNW();
    // A failed query leaves the list as it was, which is not the server's answer: it says so.
    if (!requestEnded(*manager)) {
        return;
    }
    // The transfer itself went through: say so, and lead back to the list.
    if (kind == PXJYQueryOrders::kReverseTag && m_orders->reverseAsked()) {
        finished(*manager,
                 PXJYQueryOrders::kReverseFailed + std::string(PXTradeMessage::kNetworkFailed));
        return;
    }
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYHuiZongViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    const std::string& kind = manager->typeNW();
    if (!requestEnded(*manager)) {
        return;
    }
    if (kind == PXJYQueryOrders::kReverseTag) {
        if (m_orders->reverseAsked()) {
            finished(*manager, PXJYQueryOrders::kReverseFailed + manager->JY_ErrorMessage());
        }
        return;
    }
    PXTradeRefusalAlert::show(*manager);
}
