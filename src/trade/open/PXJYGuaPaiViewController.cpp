#include "trade/open/PXJYGuaPaiViewController.h"

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXPriceBoardView.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYSwitchingAccountView.h"
#include "trade/open/PXJYTiaoJianZhaiPaiViewZYMS.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "trade/open/PXJianCangRules.h"

namespace {
const char* const kListingTag = "PXGuaPaiJC";
const char* const kOpenOrdersTag = "PXweiTuoChaXun";
const double kFormTop = VKJYNavigationBarView::kHeight + PXPriceBoardView::kHeight;

PXTradeModule& trade() {
    return PXTradeModule::shared();
}

std::string sessionId() {
    const auto& session = trade().PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}
}  // namespace

PXJYGuaPaiViewController::PXJYGuaPaiViewController() {
    setTitle("挂牌");
    setHidesBottomBarWhenPushed(true);
    m_relay = PXTradeReplyRelay::create(*this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYGuaPaiViewController::~PXJYGuaPaiViewController() {
    m_relay->detach();
}

void PXJYGuaPaiViewController::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    setView(std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height}));
}

void PXJYGuaPaiViewController::viewDidLoad() {
    const Rect area = PXTradeViewKit::appViewRect();
    view()->setBackgroundColor(Color::fractions(0.161, 0.161, 0.2));
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*view(), area.y, "挂牌", this);
    m_board = view()->addSubview(std::make_unique<PXCommodityInformationViewZYMS>(
        Rect{0, area.y + VKJYNavigationBarView::kHeight, area.width, PXPriceBoardView::kHeight}));
}

void PXJYGuaPaiViewController::addForm() {
    if (m_guaPaiView) {
        return;
    }
    const Rect area = PXTradeViewKit::appViewRect();
    m_guaPaiView = view()->addSubview(std::make_unique<PXJYGuaPaiView>(
        Rect{0, area.y + kFormTop, area.width, area.height - kFormTop},
        [] { return trade().PXJYData().getAllCommodityCodeFromShangPinXinXi("ZYMS"); }));
    m_guaPaiView->setDelegate(this);
    m_guaPaiView->setShownAccount(&m_shownAccount);
    m_guaPaiView->setRangeWanted([this] { rangeWanted(); });
    m_accountSwitch->add(m_guaPaiView->switchingAccountView());
}

void PXJYGuaPaiViewController::addSimpleGuaPaiView() {
    view();
    getWeiTuoDanInfo(m_nowCommodityCode);
    addForm();
    m_guaPaiView->fixCommodity();
    m_guaPaiView->switchingAccountView()->accountButton()->setEnabled(false);
    m_guaPaiView->switchingAccountView()->xiaSanJiaoImageView()->setAlpha(0);
    setShiJiaZhiJiaViewValue(m_nowCommodityCode);
}

void PXJYGuaPaiViewController::addGuaPaiView() {
    view();
    addForm();
}

void PXJYGuaPaiViewController::viewWillAppear(bool) {
    m_shownAccount.follow();
    m_whileShown.start({{"JYRefreshTimer", [this] { JYRefreshView(); }}});
}

void PXJYGuaPaiViewController::viewWillDisappear(bool) {
    if (m_guaPaiView) {
        m_guaPaiView->closeCommodityList();
    }
    m_whileShown.stop();
}

void PXJYGuaPaiViewController::JYRefreshView() {
    setShiJiaZhiJiaViewValue(m_nowCommodityCode);
    followAccount();
}

void PXJYGuaPaiViewController::followAccount() {
    if (m_nowCommodityCode.empty() || !trade().tradeLogin()) {
        return;
    }
    // Another account logged in meanwhile: the range is its open orders' and holdings'.
    m_openOrders.follow([this] { getWeiTuoDanInfo(m_nowCommodityCode); },
                        [this] { setGuaPaiView(); });
}

void PXJYGuaPaiViewController::showAccount() {
    m_accountSwitch->reloadTableView();
    if (m_nowCommodityCode.empty() || !trade().tradeLogin()) {
        return;
    }
    m_openOrders.show([this] { getWeiTuoDanInfo(m_nowCommodityCode); },
                      [this] { setGuaPaiView(); });
}

void PXJYGuaPaiViewController::rangeWanted() {
    if (m_nowCommodityCode.empty() || !trade().tradeLogin()) {
        return;
    }
    m_openOrders.wanted([this] { getWeiTuoDanInfo(m_nowCommodityCode); });
}

void PXJYGuaPaiViewController::PXChangeCommodity(const std::string& code) {
    m_nowCommodityCode = code;
    // The range needs the open orders of the commodity just chosen.
    getWeiTuoDanInfo(code);
    setShiJiaZhiJiaViewValue(code);
}

void PXJYGuaPaiViewController::setShiJiaZhiJiaViewValue(const std::string& code) {
    const auto& commodities = trade().PXJYData().shangPinXinXi();
    const auto found = commodities.find(code);
    if (m_guaPaiView && found != commodities.end() && found->second) {
        m_guaPaiView->setCommodityCode(code);
        m_guaPaiView->commodityNameButton()->setTitle(found->second->commodityName);
        m_guaPaiView->zuiXiaoDanWei()->setText(
            PXJYTiaoJianZhaiPaiViewZYMS::quoteUnitHint(found->second->zuiXiaoHangQingDanWei));
        m_guaPaiView->cuoHeShangPin();
    } else if (m_guaPaiView && !code.empty()) {
        // The store knows the chosen commodity no more: nothing of it stays on show.
        m_nowCommodityCode.clear();
        m_guaPaiView->setCommodityCode("");
        m_guaPaiView->commodityNameButton()->setTitle(PXTradeFormat::kMissing);
        m_guaPaiView->zuiXiaoDanWei()->setText(PXJYTiaoJianZhaiPaiViewZYMS::quoteUnitHint("--"));
        m_guaPaiView->fanWei()->setText("(摘牌范围:0-0)");
    }
    m_board->fill(trade().PXJYData(), m_nowCommodityCode);
}

void PXJYGuaPaiViewController::getWeiTuoDanInfo(const std::string& code) {
    const JYDict query =
        PXJianCangRules::openOrdersQuery(trade().PXJYPeiZhi().getCurrentDateWith(),
                                         trade().defaultString("JYUserName"), sessionId(), code);
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(m_relay);
    m_openOrdersBusy.began(manager.get());
    m_openOrders.began(*manager);
    // No range until this query's reply: the form refuses every listing meanwhile.
    if (m_guaPaiView) {
        m_guaPaiView->fanWei()->setText("");
    }
    manager->weiTuoDanChaXun(query);
}

void PXJYGuaPaiViewController::setGuaPaiView() {
    const auto& store = trade().PXJYData();
    const auto found = store.shangPinXinXi().find(m_nowCommodityCode);
    if (!m_guaPaiView || found == store.shangPinXinXi().end() || !found->second) {
        return;
    }
    const int held = PXJianCangRules::heldLots(store.chiCangHuiZongXinXi(), m_nowCommodityCode);
    m_guaPaiView->fanWei()->setText(
        PXJianCangRules::orderBookRangeText(*found->second, held, m_openOrders.lots()));
}

void PXJYGuaPaiViewController::PXGuaPaiButtonClick(const JYDict& request) {
    // One listing at a time: a second tap while one travels sends nothing.
    if (m_listing.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(m_relay);
    m_listing.began(*manager);
    manager->sendGuaPaiJianCangRequest(request);
}

void PXJYGuaPaiViewController::VKJYNavBackAction() {
    m_relay->detach();
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}

// Only a request's own reply lowers its overlay or opens the listing's gate.
void PXJYGuaPaiViewController::requestEnded(const PXTradeNetworkManger& manager) {
    m_openOrdersBusy.ended(&manager);
    m_listing.endedBy(manager);
}

void PXJYGuaPaiViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                    const PXTradeResult* data) {
    requestEnded(*manager);
    if (manager->typeNW() == kOpenOrdersTag) {
        if (m_openOrders.answered(*manager, data)) {
            setGuaPaiView();
        }
        return;
    }
    if (manager->typeNW() == kListingTag) {
        VKJYNavBackAction();
        PXTradeMessage::show("下单成功");
    }
}

bool PXJYGuaPaiViewController::isVoid(const PXTradeNetworkManger& reply) const {
    return reply.typeNW() == kOpenOrdersTag && !m_openOrders.isLatest(reply);
}

void PXJYGuaPaiViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    requestEnded(*manager);
    if (isVoid(*manager)) {
        return;
    }
    m_openOrders.failed(*manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYGuaPaiViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    requestEnded(*manager);
    if (isVoid(*manager)) {
        return;
    }
    m_openOrders.failed(*manager);
    PXTradeRefusalAlert::show(*manager);
}
