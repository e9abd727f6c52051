#include "trade/open/PXJYJianCangViewController.h"

#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXCommodityInformationView.h"
#include "trade/common/PXPriceBoardFigures.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeScreenFactory.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "trade/open/PXJianCangRules.h"
#include "trade/open/PXJianCangTabs.h"

namespace {
const char* const kMarketTag = "PXShiJiaJianCang";
const char* const kConditionalTag = "PXZhiJiaJianCang";
const char* const kOrderBookScreen = "PXJYJianCangZYMSVC";
}  // namespace

PXJYJianCangViewController::PXJYJianCangViewController() {
    setHidesBottomBarWhenPushed(true);
    m_relay = PXTradeReplyRelay::create(*this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYJianCangViewController::~PXJYJianCangViewController() {
    m_relay->detach();
}

void PXJYJianCangViewController::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height});
    root->setBackgroundColor(Color::rgb(41, 41, 51));
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*root, area.y, "", this);
    m_tabs = std::make_unique<PXJianCangTabs>(*m_navigationBarView,
                                              [this](bool market) { showTab(market); });

    const double boardTop = area.y + VKJYNavigationBarView::kHeight;
    m_board = root->addSubview(std::make_unique<PXCommodityInformationView>(
        Rect{0, boardTop, area.width, PXPriceBoardView::kHeight}));
    const Rect formFrame{0, boardTop + PXPriceBoardView::kHeight, area.width, area.height - 154};
    const auto codes = PXJianCangFormView::tradedCommodityCodes;
    m_shiJianView = root->addSubview(std::make_unique<PXJYShiJiaJianCangView>(formFrame, codes));
    m_shiJianView->setDelegate(this);
    m_shiJianView->setShownAccount(&m_shownAccount);
    m_zhiJianView = root->addSubview(std::make_unique<PXJYZhiJiaJianCangView>(formFrame, codes));
    m_zhiJianView->setDelegate(this);
    m_zhiJianView->setShownAccount(&m_shownAccount);
    m_accountSwitch->add(m_shiJianView->switchingAccountView());
    m_accountSwitch->add(m_zhiJianView->switchingAccountView());
    showTab(true);
    setView(root);
}

void PXJYJianCangViewController::showTab(bool market) {
    closeCommodityLists();
    m_tabs->show(market);
    m_shiJianView->setAlpha(market ? 1 : 0);
    m_zhiJianView->setAlpha(market ? 0 : 1);
}

Button* PXJYJianCangViewController::SJbutton() const {
    return m_tabs->first();
}

Button* PXJYJianCangViewController::ZJbutton() const {
    return m_tabs->second();
}

void PXJYJianCangViewController::SJbuttonAction() {
    showTab(true);
}

void PXJYJianCangViewController::ZJbuttonAction() {
    showTab(false);
}

void PXJYJianCangViewController::showAccount() {
    m_accountSwitch->reloadTableView();
}

void PXJYJianCangViewController::viewWillAppear(bool) {
    m_shownAccount.follow();
    m_whileShown.start({{"JYRefreshTimer", [this] { JYRefreshView(); }}});
}

void PXJYJianCangViewController::viewWillDisappear(bool) {
    closeCommodityLists();
    m_whileShown.stop();
}

void PXJYJianCangViewController::closeCommodityLists() {
    m_shiJianView->closeCommodityList();
    m_zhiJianView->closeCommodityList();
}

void PXJYJianCangViewController::JYRefreshView() {
    refreshJianCangView();
}

void PXJYJianCangViewController::setPXJianCangViewValue(const std::string& code) {
    // Also handed back by the order-book screen above, after a switch made there.
    m_shownAccount.filling();
    const auto& commodities = PXTradeModule::shared().PXJYData().shangPinXinXi();
    const auto found = commodities.find(code);
    if (found != commodities.end() && found->second && found->second->shangPinJiaoYiMoShi == "4") {
        PXTradeScreenArgs args;
        args.commodityCode = code;
        if (auto screen = PXTradeScreenFactory::create(kOrderBookScreen, args)) {
            navigationController()->pushViewController(std::move(screen), false);
        }
        return;
    }
    // A new commodity must not keep the prices typed for the old one.
    if (code != m_nowCommodityCode) {
        m_shiJianView->cleanView();
        m_zhiJianView->cleanView();
    }
    m_nowCommodityCode = code;
    refreshJianCangView();
}

void PXJYJianCangViewController::refreshJianCangView() {
    const PXTradeData& store = PXTradeModule::shared().PXJYData();
    const auto commodity = store.shangPinXinXi().find(m_nowCommodityCode);
    const auto prices = store.zuiXinYiKouJia().find(m_nowCommodityCode);
    setJianCangViewAndTiaoJianJianCangViewValue(
        commodity != store.shangPinXinXi().end() ? commodity->second.get() : nullptr,
        prices != store.zuiXinYiKouJia().end() ? prices->second.get() : nullptr);
}

void PXJYJianCangViewController::setJianCangViewAndTiaoJianJianCangViewValue(
    const PXTradeCommodity* commodity, const PXTradeYiKouJia* prices) {
    m_board->fill(
        PXPriceBoardFigures::make(prices, commodity ? commodity->zuiXiaoBianDongJia : ""));
    if (!commodity || commodity->commodityCode.empty()) {
        if (!m_nowCommodityCode.empty()) {
            forgetCommodity();
        }
        return;
    }
    fillForms(*commodity, prices);
}

void PXJYJianCangViewController::forgetCommodity() {
    // The store knows the chosen commodity no more: nothing of it stays on show to be sent.
    m_nowCommodityCode.clear();
    m_board->fill(PXPriceBoardFigures::make(nullptr, ""));
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(m_shiJianView),
                                     static_cast<PXJianCangFormView*>(m_zhiJianView)}) {
        form->setCommodityCode("");
        form->commodityNameButton()->setTitle(PXTradeFormat::kMissing);
        form->commodityNameLabel()->setText(PXTradeFormat::kMissing);
        form->fanWei()->setText(PXTradeFormat::quantityRangeText("0", "0"));
        form->dingJin()->setText(PXJianCangRules::emptyDepositText("摘牌"));
    }
    m_shiJianView->jiaGeZ()->setText(PXTradeFormat::kMissing);
    m_zhiJianView->ZJfanWei()->setText("(<=--,>=--)");
    m_zhiJianView->YfanWei()->setText("");
    m_zhiJianView->SfanWei()->setText("");
}

void PXJYJianCangViewController::fillForms(const PXTradeCommodity& commodity,
                                           const PXTradeYiKouJia* prices) {
    const double buy = prices ? prices->commodityBuyPrice : 0;
    const double sell = prices ? prices->commoditySellPrice : 0;
    const std::string range = PXTradeFormat::quantityRangeText(commodity.DBZuiXiaoKeWeiTuoLiang,
                                                               commodity.DBZuiDaKeWeiTuoLiang);
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(m_shiJianView),
                                     static_cast<PXJianCangFormView*>(m_zhiJianView)}) {
        form->setCommodityCode(commodity.commodityCode);
        form->commodityNameButton()->setTitle(commodity.commodityName);
        form->fanWei()->setText(range);
    }
    const double marketPrice = m_shiJianView->XiaDan_FangXiang() == 1 ? buy : sell;
    m_shiJianView->jiaGeZ()->setText(
        prices ? PXTradeFormat::priceText(marketPrice, commodity.zuiXiaoBianDongJia)
               : PXTradeFormat::kMissing);
    m_shiJianView->dangQianSuoXuDingJin();

    const auto labels = PXJianCangRules::conditionalLabels(
        commodity, m_zhiJianView->XiaDan_FangXiang(), m_zhiJianView->zhiJiaL()->text(),
        prices != nullptr, buy, sell);
    m_zhiJianView->ZJfanWei()->setText(labels.band);
    m_zhiJianView->YfanWei()->setText(labels.takeProfit);
    m_zhiJianView->SfanWei()->setText(labels.stopLoss);
}

void PXJYJianCangViewController::PXChangeCommodity(const std::string& code) {
    setPXJianCangViewValue(code);
}

void PXJYJianCangViewController::PXChangeMaiMaiFangXiang(const std::string& code) {
    setPXJianCangViewValue(code);
}

void PXJYJianCangViewController::PXShiJiaJianCangClick(const JYDict& order) {
    sendOrder(order, true);
}

void PXJYJianCangViewController::PXZhiJiaJianCangClick(const JYDict& order) {
    sendOrder(order, false);
}

void PXJYJianCangViewController::sendOrder(const JYDict& order, bool market) {
    // One order at a time: a second tap while one travels sends nothing.
    if (m_order.isOutstanding() || m_shownAccount.refusesTap()) {
        return;
    }
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(m_relay);
    if (market) {
        manager->SJJianCang(order, false);
    } else {
        manager->ZJJianCang(order);
    }
}

void PXJYJianCangViewController::VKJYNavBackAction() {
    m_shiJianView->cleanView();
    m_zhiJianView->cleanView();
    m_relay->detach();
    if (NavigationController* navigation = navigationController()) {
        navigation->popViewController(true);
    }
}

void PXJYJianCangViewController::orderSent(PXTradeNetworkManger* manager) {
    m_order.began(*manager);
}

void PXJYJianCangViewController::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                                      const PXTradeResult*) {
    if (manager->typeNW() != kMarketTag && manager->typeNW() != kConditionalTag) {
        return;
    }
    m_order.endedBy(*manager);
    VKJYNavBackAction();
    PXTradeMessage::show("下单成功");
}

void PXJYJianCangViewController::requestFailed(PXTradeNetworkManger* manager, int) {
    m_order.endedBy(*manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYJianCangViewController::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    m_order.endedBy(*manager);
    PXTradeRefusalAlert::show(*manager);
}
