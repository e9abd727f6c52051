#include "trade/close/PXJYZhuanRangZYMSVC.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/close/PXJYPingCangViewController.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXTradeClosingRules.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "widgets/GlossAlertView.h"

namespace {
const char* const kListingTag = "PXGuaPaiJC";
const char* const kSummaryTag = "PXchiCangHuiZong";
const char* const kDetailTag = "PXchiCangMingXi";

template <typename Map>
auto* findIn(const Map& map, const std::string& key) {
    const auto found = map.find(key);
    return found != map.end() ? found->second.get() : nullptr;
}

bool isKnown(const std::string& code) {
    return findIn(PXTradeModule::shared().PXJYData().shangPinXinXi(), code) != nullptr;
}

bool isOrderBook(const std::string& code) {
    const auto* commodity = findIn(PXTradeModule::shared().PXJYData().shangPinXinXi(), code);
    return commodity && commodity->shangPinJiaoYiMoShi == "4";
}
}  // namespace

PXJYZhuanRangZYMSVC::PXJYZhuanRangZYMSVC() {
    setHidesBottomBarWhenPushed(true);
    m_relay = PXTradeReplyRelay::create(*this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYZhuanRangZYMSVC::~PXJYZhuanRangZYMSVC() {
    m_relay->detach();
}

PXJYZhuanRangZYMSView* PXJYZhuanRangZYMSVC::SJPCView() {
    if (!m_SJPCView) {
        view();
    }
    return m_SJPCView;
}

void PXJYZhuanRangZYMSVC::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height});
    root->setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*root, area.y, "转让", this);
    m_board = root->addSubview(std::make_unique<PXCommodityInformationViewZYMS>(
        Rect{0, area.y + VKJYNavigationBarView::kHeight, area.width, PXPriceBoardView::kHeight}));
    m_SJPCView = root->addSubview(std::make_unique<PXJYZhuanRangZYMSView>(
        Rect{0, area.y + 154, area.width, area.height - 154}));
    m_SJPCView->setCommodityNameButtonEnabled(true);
    m_SJPCView->setDelegate(this);
    m_SJPCView->setShownAccount(&m_shownAccount);
    m_accountSwitch->add(m_SJPCView->switchingAccountView());
    const Rect parked{area.width, area.y, area.width, area.height};
    m_shangPinList = root->addSubview(std::make_unique<PXJYChiCangShangPinListView>(parked));
    m_shangPinList->setDelegate(this);
    m_danHaoList = root->addSubview(std::make_unique<PXJYChiCangDanHaoListView>(parked));
    m_danHaoList->setDelegate(this);
    setView(root);
}

// Hidden, the form missed the refreshes: what it shows, and so lists, is brought up to date
// before a touch can reach it.
void PXJYZhuanRangZYMSVC::showAccount() {
    m_accountSwitch->reloadTableView();
    setPingCangValue();
}

void PXJYZhuanRangZYMSVC::viewWillAppear(bool) {
    m_shownAccount.follow();
    m_whileShown.start({{"JYRefreshTimer", [this] { JYRefreshView(); }}});
}

// The holding chosen, and the pickers' rows, were another account's: the form shows none, so
// nothing of it can be listed.
void PXJYZhuanRangZYMSVC::forgetAccount() {
    m_huiZong.forget();
    m_nowDanHaoID.clear();
    m_SJPCView->cleanView();
    writeCommodity("");
    m_SJPCView->forgetNumber();
    m_shangPinList->forgetRows();
    m_danHaoList->forgetRows();
}

void PXJYZhuanRangZYMSVC::viewWillDisappear(bool) {
    m_whileShown.stop();
}

void PXJYZhuanRangZYMSVC::JYRefreshView() {
    setPingCangValue();
}

void PXJYZhuanRangZYMSVC::setHuiZongCommodity(std::shared_ptr<PXJYChiCangHuiZong> summary) {
    m_shownAccount.filling();
    m_huiZong.choose(std::move(summary), PXTradeModule::shared().PXJYData());
}

void PXJYZhuanRangZYMSVC::setNowDanHaoID(const std::string& number) {
    m_shownAccount.filling();
    m_nowDanHaoID = number;
}

void PXJYZhuanRangZYMSVC::setPingCangValue() {
    // Looked at in either mode, so a holding that went while the other mode showed stays gone.
    const bool went = m_huiZong.forgetIfGone(PXTradeModule::shared().PXJYData());
    if (SJPCView()->danHaoOrShangPin()) {
        setAnShangPinSJPCViewValueCommodity(went);
    } else {
        setAnDanHaoViewValueCommodity();
    }
}

void PXJYZhuanRangZYMSVC::writeCommodity(const std::string& code) {
    const auto* commodity = findIn(PXTradeModule::shared().PXJYData().shangPinXinXi(), code);
    m_SJPCView->setCommodityCode(code);
    m_SJPCView->commodityNameButton()->setTitle(commodity ? commodity->commodityName : "--");
    m_SJPCView->zuiXiaoDanWei()->setText("当前最小报价单位是" +
                                         (commodity ? commodity->zuiXiaoHangQingDanWei : "--") +
                                         "元，请输入整数倍价格");
}

void PXJYZhuanRangZYMSVC::setAnShangPinSJPCViewValueCommodity(bool went) {
    // The lots the account holds now, not those of the record handed over.
    const auto current = m_huiZong.current(PXTradeModule::shared().PXJYData());
    if (current) {
        m_SJPCView->setDanHaoID(std::nullopt);
        writeCommodity(current->commodityCode);
        m_SJPCView->danHaoButton()->setTitle(" ");
        // Nothing of a commodity the store does not know may be listed.
        const bool known = isKnown(current->commodityCode);
        m_SJPCView->shuLiangFanWei()->setText(PXTradeClosingRules::freeRangeText(
            known ? PXTradeClosingRules::freeQuantity(*current) : 0));
        const auto direction = PXTradeClosingRules::closingDirection(current->buySellSign);
        m_SJPCView->setXiaDanFangXiang(direction.sign);
        m_SJPCView->maiMaiFangXiangL()->setText(direction.text);
        m_shangPinList->chicangShangPinListViewreloadView();
    } else if (went) {
        // Closed or of another account: the holding chosen has gone, so nothing of it may be
        // listed.
        writeCommodity("");
        m_SJPCView->forgetNumber();
    } else {
        m_SJPCView->clearChoice();
    }
    setYiKouJiaBaoJiaBanValue(current ? current->commodityCode : "");
}

void PXJYZhuanRangZYMSVC::setAnDanHaoViewValueCommodity() {
    const PXTradeData& store = PXTradeModule::shared().PXJYData();
    const PXJYChiCangMingXi* ticket = findIn(store.chiCangMingXiXinXi(), m_nowDanHaoID);
    if (ticket) {
        m_SJPCView->setDanHaoID(m_nowDanHaoID);
        writeCommodity(ticket->commodityCode);
        m_SJPCView->danHaoButton()->setTitle(m_nowDanHaoID);
        m_SJPCView->shuLiangFanWei()->setText(
            isKnown(ticket->commodityCode) ? PXTradeClosingRules::ticketRangeText(store, *ticket)
                                           : PXTradeClosingRules::freeRangeText(0));
        const auto direction = PXTradeClosingRules::closingDirection(ticket->buySellSign);
        m_SJPCView->setXiaDanFangXiang(direction.sign);
        m_SJPCView->maiMaiFangXiangL()->setText(direction.text);
    } else if (!m_nowDanHaoID.empty()) {
        // A number the store does not hold (any more) is forgotten: nothing of it may be listed.
        m_nowDanHaoID.clear();
        writeCommodity("");
        m_SJPCView->forgetNumber();
    } else {
        m_SJPCView->clearChoice();
    }
    setYiKouJiaBaoJiaBanValue(ticket ? ticket->commodityCode : "");
    m_danHaoList->chicangDanHaoListViewreloadView();
}

void PXJYZhuanRangZYMSVC::setYiKouJiaBaoJiaBanValue(const std::string& code) {
    m_SJPCView->cuoHeShangPin();
    m_board->fill(PXTradeModule::shared().PXJYData(), code);
}

std::shared_ptr<PXTradeNetworkManger> PXJYZhuanRangZYMSVC::newManager() {
    return PXTradeReplyRelay::newManager(m_relay);
}

void PXJYZhuanRangZYMSVC::PXZRAddChiCangShangPinListView() {
    newManager()->getJYChiCangHuiZong("");
    m_shangPinList->setAllChiCangShangPinCommodity(
        PXTradeModule::shared().PXJYData().chiCangHuiZongXinXi());
    m_shangPinList->chicangShangPinListViewreloadView();
    m_shangPinList->slideIn();
}

std::vector<std::string> PXJYZhuanRangZYMSVC::pickerNumbers() const {
    std::vector<std::string> numbers;
    for (const auto& entry : PXTradeModule::shared().PXJYData().chiCangMingXiXinXi()) {
        numbers.push_back(entry.first);
    }
    return numbers;
}

std::string PXJYZhuanRangZYMSVC::detailQueryCode() const {
    return "";
}

void PXJYZhuanRangZYMSVC::PXZRAddChiCangDanHaoListView() {
    newManager()->getJYChiCangMingXi(detailQueryCode());
    m_danHaoList->setAllChiCangDanHaoID(pickerNumbers());
    m_danHaoList->chicangDanHaoListViewreloadView();
    m_danHaoList->slideIn();
}

void PXJYZhuanRangZYMSVC::PXZRRefreshShiJiaPingCangView() {
    setPingCangValue();
}

bool PXJYZhuanRangZYMSVC::handBack(bool byCommodity) {
    NavigationController* navigation = navigationController();
    if (!navigation || navigation->viewControllers().size() < 2) {
        return false;
    }
    const auto& stack = navigation->viewControllers();
    auto* below = dynamic_cast<PXJYPingCangViewController*>(stack[stack.size() - 2]);
    // Only the quote-mode transfer screen can take the choice; with another stack the choice
    // stays here.
    if (!below) {
        return false;
    }
    if (byCommodity) {
        below->setHuiZongCommodity(m_huiZong.chosen());
        below->SJPCView()->shangPinButtonActionSJPC();
    } else {
        below->setNowDanHaoID(m_nowDanHaoID);
        below->SJPCView()->danHaoButtonActionSJPC();
    }
    m_relay->detach();
    navigation->popViewController(false);
    return true;
}

void PXJYZhuanRangZYMSVC::PXChangeAnCommodity(const std::shared_ptr<PXJYChiCangHuiZong>& summary) {
    m_SJPCView->cleanView();
    m_shangPinList->VKJYNavBackAction();
    setHuiZongCommodity(summary);
    if (!summary) {
        return;
    }
    if (!isOrderBook(summary->commodityCode) && handBack(true)) {
        return;
    }
    setPingCangValue();
}

void PXJYZhuanRangZYMSVC::PXChangeAnDanHao(const std::string& number) {
    m_SJPCView->cleanView();
    m_danHaoList->VKJYNavBackAction();
    setNowDanHaoID(number);
    const auto* ticket = findIn(PXTradeModule::shared().PXJYData().chiCangMingXiXinXi(), number);
    const std::string code = ticket ? ticket->commodityCode : "";
    if (!isOrderBook(code) && handBack(false)) {
        return;
    }
    setAnDanHaoViewValueCommodity();
}

void PXJYZhuanRangZYMSVC::PXZhuanRangClick(const JYDict& request) {
    if (m_order.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    m_post_dict = request;
    PXTradeModule& trade = PXTradeModule::shared();
    trade.synchronizeDefaults();
    if (trade.defaultString("prompt") != "1") {
        PXGuaPaiButtonClick(m_post_dict);
        return;
    }
    const std::string code = request.value("COMMODITY_ID", "");
    const auto* commodity = findIn(trade.PXJYData().shangPinXinXi(), code);
    const JYDict shown = {{"commodityName", commodity ? commodity->commodityName : code},
                          {"price", request.value("PRICE", "")},
                          {"number", request.value("QTY", "")},
                          {"sign", request.value("BUY_SELL", "")}};
    auto alert = std::make_unique<GlossAlertView>(
        PXTradeMessage::kTitle, PXTradeNetworkManger::confirmationText(shown, 1, 2), this, "确定",
        std::vector<std::string>{"取消"});
    alert->setStyle(GlossAlertView::kStyleAllWhite);
    AlertView::show(std::move(alert));
}

void PXJYZhuanRangZYMSVC::alertViewClickedButtonAtIndex(AlertView&, int buttonIndex) {
    if (buttonIndex == 0) {
        PXGuaPaiButtonClick(m_post_dict);
    }
}

void PXJYZhuanRangZYMSVC::PXGuaPaiButtonClick(const JYDict& request) {
    if (m_order.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    auto manager = newManager();
    m_order.began(*manager);
    manager->sendGuaPaiJianCangRequest(request);
}

void PXJYZhuanRangZYMSVC::VKJYNavBackAction() {
    leave(true);
}

void PXJYZhuanRangZYMSVC::leave(bool toRoot) {
    m_relay->detach();
    NavigationController* navigation = navigationController();
    if (!navigation) {
        return;
    }
    if (toRoot) {
        navigation->popToRootViewController(true);
        return;
    }
    navigation->popViewController(true);
}

void PXJYZhuanRangZYMSVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                               const PXTradeResult*) {
    const std::string& kind = manager->typeNW();
    if (kind == kListingTag) {
        m_order.endedBy(*manager);
        VKJYNavBackAction();
        PXTradeMessage::show("下单成功");
    } else if (kind == kSummaryTag) {
        m_shangPinList->setAllChiCangShangPinCommodity(
            PXTradeModule::shared().PXJYData().chiCangHuiZongXinXi());
        m_shangPinList->chicangShangPinListViewreloadView();
    } else if (kind == kDetailTag) {
        m_danHaoList->setAllChiCangDanHaoID(pickerNumbers());
        m_danHaoList->chicangDanHaoListViewreloadView();
    }
}

void PXJYZhuanRangZYMSVC::requestFailed(PXTradeNetworkManger* manager, int) {
    m_order.endedBy(*manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYZhuanRangZYMSVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    m_order.endedBy(*manager);
    PXTradeRefusalAlert::show(*manager);
}
