#include "trade/close/PXJYPingCangViewController.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/close/PXJYZhuanRangZYMSVC.h"
#include "trade/close/PXShiJiaZhuanRangFill.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/open/PXJianCangAccountSwitch.h"

namespace {
const char* const kTransferTag = "PXShiJiaPingCang";
const char* const kReverseTag = "PXShiJiaJianCang";
const char* const kStopsTag = "PXZhiJiaPingCang";
const char* const kSummaryTag = "PXchiCangHuiZong";
const char* const kDetailTag = "PXchiCangMingXi";
const char* const kOrderBookScreen = "PXJYZhuanRangZYMSVC";
const char* const kReverseFailed = "转让成功， 反向摘牌失败 ";

Button* addTab(View& bar, const std::string& title, double x) {
    auto tab = std::make_unique<Button>(Rect{x, 3, 100, 38});
    tab->setTitle(title);
    tab->setTitleColor(Color::whiteColor());
    tab->titleLabel()->setFont(Font::named("Helvetica-Bold", 16));
    return bar.addSubview(std::move(tab));
}
}  // namespace

PXJYPingCangViewController::PXJYPingCangViewController() {
    setHidesBottomBarWhenPushed(true);
    m_relay = PXTradeReplyRelay::create(*this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYPingCangViewController::~PXJYPingCangViewController() {
    m_relay->detach();
}

void PXJYPingCangViewController::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height});
    root->setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*root, area.y, "", this);
    m_navigationBarView->title()->setAlpha(0);
    m_SJbutton = addTab(*m_navigationBarView, " 转让", 60);
    m_SJbutton->addTarget(TouchUpInside, [this](Control&) { SJbuttonAction(); });
    m_ZJbutton = addTab(*m_navigationBarView, "条件转让", 160);
    m_ZJbutton->addTarget(TouchUpInside, [this](Control&) { ZJbuttonAction(); });

    const double boardTop = area.y + VKJYNavigationBarView::kHeight;
    m_board = root->addSubview(std::make_unique<PXCommodityInformationView>(
        Rect{0, boardTop, area.width, PXPriceBoardView::kHeight}));
    const Rect formFrame{0, area.y + 154, area.width, area.height - 154};
    m_SJPCView = root->addSubview(std::make_unique<PXJYShiJiaZhuanRangView>(formFrame));
    m_SJPCView->setDelegate(this);
    m_SJPCView->setShownAccount(&m_shownAccount);
    m_SJPCView->setCommodityNameButtonEnabled(true);
    m_ZJPCView = root->addSubview(std::make_unique<PXJYZhiJiaPingCangView>(formFrame));
    m_ZJPCView->setDelegate(this);
    m_ZJPCView->setShownAccount(&m_shownAccount);
    m_accountSwitch->add(m_SJPCView->switchingAccountView());
    m_accountSwitch->add(m_ZJPCView->switchingAccountView());

    const Rect parked{area.width, area.y, area.width, area.height};
    m_shangPinList = root->addSubview(std::make_unique<PXJYChiCangShangPinListView>(parked));
    m_shangPinList->setDelegate(this);
    m_danHaoList = root->addSubview(std::make_unique<PXJYChiCangDanHaoListView>(parked));
    m_danHaoList->setDelegate(this);
    setView(root);
    showTab(true);
}

void PXJYPingCangViewController::setHuiZongCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary) {
    m_shownAccount.filling();
    m_huiZong.choose(std::move(summary), PXTradeModule::shared().PXJYData());
}

void PXJYPingCangViewController::setNowDanHaoID(const std::string& number) {
    m_shownAccount.filling();
    m_nowDanHaoID = number;
}

void PXJYPingCangViewController::showTab(bool market) {
    m_shiJia_ZhiJia = market ? 1 : 2;
    m_SJbutton->setBackgroundImage(Image::named(market ? "zhouqi_press.png" : "zhouqi.png"));
    m_ZJbutton->setBackgroundImage(Image::named(market ? "fenshi.png" : "fenshi_press.png"));
    m_SJPCView->setAlpha(market ? 1 : 0);
    m_ZJPCView->setAlpha(market ? 0 : 1);
}

void PXJYPingCangViewController::SJbuttonAction() {
    showTab(true);
}

void PXJYPingCangViewController::ZJbuttonAction() {
    showTab(false);
}

// Hidden, the forms missed the refreshes (an account switch, a holding closed meanwhile): what
// they show, and so send, is brought up to date before a touch can reach them.
void PXJYPingCangViewController::showAccount() {
    m_accountSwitch->reloadTableView();
    setPingCangValue();
}

void PXJYPingCangViewController::viewWillAppear(bool) {
    SJbuttonAction();
    m_shownAccount.follow();
    m_whileShown.start({{"JYRefreshTimer", [this] { JYRefreshView(); }}});
}

// Both forms' holdings and the pickers' rows were another account's: none is shown, none sendable.
void PXJYPingCangViewController::forgetAccount() {
    m_huiZong.forget();
    m_nowDanHaoID.clear();
    m_stopsDanHaoID.clear();
    m_SJPCView->cleanView();
    m_SJPCView->forgetNumber();
    m_ZJPCView->cleanView();
    m_ZJPCView->forgetTicket();
    m_shangPinList->forgetRows();
    m_danHaoList->forgetRows();
}

void PXJYPingCangViewController::viewWillDisappear(bool) {
    m_whileShown.stop();
}

void PXJYPingCangViewController::JYRefreshView() {
    setPingCangValue();
}

void PXJYPingCangViewController::setPingCangValue() {
    // Each form from its own choice only; the board follows the form on show.
    const PXTradeData& store = PXTradeModule::shared().PXJYData();
    const std::string marketCode =
        PXShiJiaZhuanRangFill::refresh(*m_SJPCView, store, m_huiZong, m_nowDanHaoID);
    if (!m_stopsDanHaoID.empty() && !m_ZJPCView->fillTicket(store, m_stopsDanHaoID)) {
        m_stopsDanHaoID.clear();
    }
    const std::string stopsCode = m_stopsDanHaoID.empty() ? "" : m_ZJPCView->commodityCode();
    m_board->fill(store, boardCode(m_shiJia_ZhiJia == 1 ? marketCode : stopsCode));
    m_shangPinList->chicangShangPinListViewreloadView();
    m_danHaoList->chicangDanHaoListViewreloadView();
}

std::shared_ptr<PXTradeNetworkManger> PXJYPingCangViewController::newManager() {
    return PXTradeReplyRelay::newManager(m_relay);
}

void PXJYPingCangViewController::PXSJPCAddChiCangShangPinListView() {
    newManager()->getJYChiCangHuiZong("");
    m_shangPinList->setAllChiCangShangPinCommodity(
        PXTradeModule::shared().PXJYData().chiCangHuiZongXinXi());
    m_shangPinList->chicangShangPinListViewreloadView();
    m_shangPinList->slideIn();
}

std::vector<std::string> PXJYPingCangViewController::numbersForTab() const {
    const PXTradeData& store = PXTradeModule::shared().PXJYData();
    if (m_numberPickerTab == 2) {
        return store.getAllDanHaoIDFromChiCangMingXi("CPMS");
    }
    std::vector<std::string> numbers;
    for (const auto& entry : store.chiCangMingXiXinXi()) {
        numbers.push_back(entry.first);
    }
    return numbers;
}

void PXJYPingCangViewController::slideInNumberPicker() {
    // The pick goes to the form that asked, whatever tab shows when it is made.
    m_numberPickerTab = m_shiJia_ZhiJia;
    m_danHaoList->setAllChiCangDanHaoID(numbersForTab());
    m_danHaoList->chicangDanHaoListViewreloadView();
    m_danHaoList->slideIn();
}

void PXJYPingCangViewController::PXSJPCAddChiCangDanHaoListView() {
    newManager()->getJYChiCangMingXi("");
    slideInNumberPicker();
}

void PXJYPingCangViewController::PXZJPCremoveChiCangDanHaoView() {
    PXSJPCAddChiCangDanHaoListView();
}

void PXJYPingCangViewController::PXSJPCRefreshShiJiaPingCangView() {
    setPingCangValue();
}

void PXJYPingCangViewController::PXShiJiaPingCangClick(const JYDict& order,
                                                       bool fanXiangJianCangSign) {
    // One order at a time: a second tap while one travels sends nothing.
    if (m_order.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    m_fanShou = fanXiangJianCangSign;
    m_postDic = order;
    newManager()->SJPingCang(order, false);
}

void PXJYPingCangViewController::PXZhiJiaPingCangClick(const JYDict& order) {
    if (m_order.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    newManager()->ZJPingCang(order);
}

void PXJYPingCangViewController::PXChangeAnCommodity(
    const std::shared_ptr<PXJYChiCangHuiZong>& summary) {
    m_SJPCView->cleanView();
    m_shangPinList->VKJYNavBackAction();
    setHuiZongCommodity(summary);
    changeShangPin();
}

void PXJYPingCangViewController::PXChangeAnDanHao(const std::string& number) {
    m_danHaoList->VKJYNavBackAction();
    // A pick on one tab writes that tab's form only.
    if (m_numberPickerTab == 2) {
        m_shownAccount.filling();
        m_ZJPCView->cleanView();
        m_stopsDanHaoID = number;
        setPingCangValue();
        return;
    }
    m_SJPCView->cleanView();
    setNowDanHaoID(number);
    changeDanHao();
}

bool PXJYPingCangViewController::handToOrderBook(const std::string& code,
                                                 const PXTradeScreenArgs& args, bool byCommodity) {
    const PXTradeCommodity* commodity =
        PXTradeData::find(PXTradeModule::shared().PXJYData().shangPinXinXi(), code);
    if (!commodity || commodity->shangPinJiaoYiMoShi != "4") {
        return false;
    }
    auto screen = PXTradeScreenFactory::create(kOrderBookScreen, args);
    auto* orderBook = dynamic_cast<PXJYZhuanRangZYMSVC*>(screen.get());
    if (!orderBook || !navigationController()) {
        return true;
    }
    screen.release();
    std::unique_ptr<PXJYZhuanRangZYMSVC> owned(orderBook);
    auto* pushed = navigationController()->pushViewController(std::move(owned), false);
    if (byCommodity) {
        pushed->SJPCView()->shangPinButtonActionSJPC();
    } else {
        pushed->SJPCView()->danHaoButtonActionSJPC();
    }
    return true;
}

void PXJYPingCangViewController::changeShangPin() {
    const auto summary = m_huiZong.chosen();
    if (!summary) {
        return;
    }
    PXTradeScreenArgs args;
    args.summary = summary;
    // A choice handed to the order-book screen is that screen's, not this form's.
    if (handToOrderBook(summary->commodityCode, args, true)) {
        m_huiZong.forget();
        return;
    }
    setPingCangValue();
}

void PXJYPingCangViewController::changeDanHao() {
    const PXJYChiCangMingXi* ticket =
        PXTradeData::find(PXTradeModule::shared().PXJYData().chiCangMingXiXinXi(), m_nowDanHaoID);
    PXTradeScreenArgs args;
    args.holdingNumber = m_nowDanHaoID;
    if (ticket && handToOrderBook(ticket->commodityCode, args, false)) {
        m_nowDanHaoID.clear();
        return;
    }
    setPingCangValue();
}

void PXJYPingCangViewController::VKJYNavBackAction() {
    m_SJPCView->cleanView();
    m_ZJPCView->cleanView();
    m_relay->detach();
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}

void PXJYPingCangViewController::fanShouJianCangClick() {
    newManager()->SJJianCangNetwork(PXShiJiaZhuanRangFill::reverseDelistingOrder(
        m_postDic, PXTradeModule::shared().PXJYPeiZhi().getCurrentDateWith()));
}

void PXJYPingCangViewController::orderSent(PXTradeNetworkManger* manager) {
    m_order.began(*manager);
}

void PXJYPingCangViewController::leaveWith(const std::string& message) {
    orderEnded();
    VKJYNavBackAction();
    PXTradeMessage::show(message);
}

void PXJYPingCangViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                      const PXTradeResult*) {
    const std::string& kind = manager->typeNW();
    if (kind == kTransferTag) {
        if (m_fanShou) {
            fanShouJianCangClick();
            return;
        }
        leaveWith("转让成功");
    } else if (kind == kReverseTag) {
        leaveWith("转让成功， 反向摘牌成功");
    } else if (kind == kStopsTag) {
        leaveWith("下单成功");
    } else if (kind == kSummaryTag) {
        m_shangPinList->setAllChiCangShangPinCommodity(
            PXTradeModule::shared().PXJYData().chiCangHuiZongXinXi());
        m_shangPinList->chicangShangPinListViewreloadView();
    } else if (kind == kDetailTag) {
        m_danHaoList->setAllChiCangDanHaoID(numbersForTab());
        m_danHaoList->chicangDanHaoListViewreloadView();
    }
}

void PXJYPingCangViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    // The transfer itself went through: say so, and leave the form it no longer matches.
    if (manager->typeNW() == kReverseTag && m_fanShou) {
        leaveWith(kReverseFailed + std::string(PXTradeMessage::kNetworkFailed));
        return;
    }
    m_order.endedBy(*manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYPingCangViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    if (manager->typeNW() == kReverseTag) {
        if (m_fanShou) {
            leaveWith(kReverseFailed + manager->JY_ErrorMessage());
        }
        return;
    }
    m_order.endedBy(*manager);
    PXTradeRefusalAlert::show(*manager);
}
