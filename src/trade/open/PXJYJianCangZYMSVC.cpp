#include "trade/open/PXJYJianCangZYMSVC.h"

#include <algorithm>

#include "platform/foundation/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "shell/VKJYNavigationBarView.h"
#include "trade/common/PXCommodityInformationViewZYMS.h"
#include "trade/common/PXTradeFormat.h"
#include "trade/common/PXTradeMessage.h"
#include "trade/common/PXTradeRefusalAlert.h"
#include "trade/common/PXTradeReplyRelay.h"
#include "trade/common/PXTradeViewKit.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/TradeText.h"
#include "trade/open/PXJYJianCangViewController.h"
#include "trade/open/PXJianCangAccountSwitch.h"
#include "trade/open/PXJianCangRules.h"
#include "trade/open/PXJianCangTabs.h"

namespace {
const char* const kListingTag = "PXGuaPaiList";
const char* const kDelistingTag = "PXZhaiPai";
const char* const kOpenOrdersTag = "PXweiTuoChaXun";

PXTradeModule& trade() {
    return PXTradeModule::shared();
}

std::string userName() {
    return trade().defaultString("JYUserName");
}

std::string sessionId() {
    const auto& session = trade().PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}

}  // namespace

PXJYJianCangZYMSVC::PXJYJianCangZYMSVC() {
    setHidesBottomBarWhenPushed(true);
    m_relay = PXTradeReplyRelay::create(*this, *this);
    m_accountSwitch = std::make_unique<PXJianCangAccountSwitch>(*this);
}

PXJYJianCangZYMSVC::~PXJYJianCangZYMSVC() {
    m_relay->detach();
}

void PXJYJianCangZYMSVC::loadView() {
    const Rect area = PXTradeViewKit::appViewRect();
    auto root = std::make_shared<View>(Rect{0, 0, area.width, area.y + area.height});
    root->setBackgroundColor(PXTradeViewKit::background());
    m_navigationBarView = PXTradeViewKit::addNavigationBar(*root, area.y, "", this);
    m_tabs = std::make_unique<PXJianCangTabs>(*m_navigationBarView,
                                              [this](bool first) { showTab(first); });
    const double top = area.y + VKJYNavigationBarView::kHeight;
    const Rect formFrame{0, top, area.width, area.height - VKJYNavigationBarView::kHeight};
    const auto codes = PXJianCangFormView::tradedCommodityCodes;
    m_zhaiPaiView = root->addSubview(std::make_unique<PXJYZhaiPaiViewZYMS>(formFrame, codes));
    m_zhaiPaiView->setDelegate(this);
    m_zhaiPaiView->setShownAccount(&m_shownAccount);
    m_zhaiPaiView->setRangeWanted([this] { bookWanted(); });
    m_zhaiPaiView->guaPaiListView()->setDelegate(this);
    m_tiaoJianZhaiPaiView =
        root->addSubview(std::make_unique<PXJYTiaoJianZhaiPaiViewZYMS>(formFrame, codes));
    m_tiaoJianZhaiPaiView->setDelegate(this);
    m_tiaoJianZhaiPaiView->setShownAccount(&m_shownAccount);
    m_tiaoJianZhaiPaiView->setRangeWanted([this] { rangeWanted(); });
    m_accountSwitch->add(m_zhaiPaiView->switchingAccountView());
    m_accountSwitch->add(m_tiaoJianZhaiPaiView->switchingAccountView());
    setView(root);
    showTab(true);
}

void PXJYJianCangZYMSVC::showTab(bool first) {
    closeCommodityLists();
    m_shiJiaZhiJia = first ? 1 : 2;
    m_tabs->show(first);
    m_zhaiPaiView->setAlpha(first ? 1 : 0);
    m_tiaoJianZhaiPaiView->setAlpha(first ? 0 : 1);
    if (first && m_bookOwed) {
        getZYMSGuaPaiList();
    }
}

Button* PXJYJianCangZYMSVC::SJbutton() const {
    return m_tabs->first();
}

Button* PXJYJianCangZYMSVC::ZJbutton() const {
    return m_tabs->second();
}

void PXJYJianCangZYMSVC::SJbuttonAction() {
    showTab(true);
}

void PXJYJianCangZYMSVC::ZJbuttonAction() {
    showTab(false);
}

void PXJYJianCangZYMSVC::viewWillAppear(bool) {
    m_shownAccount.follow();
    // Leaving cleared the store's current commodity; the heartbeat's listing news follow it.
    if (!m_nowCommodityCode.empty()) {
        trade().PXJYData().setCurrentCommodityCode(m_nowCommodityCode);
    }
    m_whileShown.start({{"JYRefreshTimer", [this] { JYRefreshView(); }},
                        {"REFRESH_C_LIST_BUY", [this] { PXJYRefreshGuaPaiListBuy(); }},
                        {"REFRESH_C_LIST_SELL", [this] { PXJYRefreshGuaPaiListSell(); }}});
    if (m_bookOwed && trade().tradeLogin()) {
        getZYMSGuaPaiList();
    }
}

void PXJYJianCangZYMSVC::viewWillDisappear(bool) {
    closeCommodityLists();
    trade().PXJYData().setCurrentCommodityCode("");
    m_whileShown.stop();
    // Listing news heard by nobody while hidden (a login screen above, another tab) is not told
    // again: the book asks again when it shows.
    if (!m_nowCommodityCode.empty()) {
        m_bookOwed = true;
    }
}

void PXJYJianCangZYMSVC::closeCommodityLists() {
    m_zhaiPaiView->closeCommodityList();
    m_tiaoJianZhaiPaiView->closeCommodityList();
}

void PXJYJianCangZYMSVC::setPXJianCangZYMSViewValue(const std::string& code) {
    loadViewIfNeeded();
    getWeiTuoDanInfo(code);
    const auto& commodities = trade().PXJYData().shangPinXinXi();
    const auto found = commodities.find(code);
    if (found == commodities.end() || !found->second || found->second->shangPinJiaoYiMoShi != "4") {
        NavigationController* navigation = navigationController();
        if (!navigation) {
            return;
        }
        const auto stack = navigation->viewControllers();
        if (stack.size() < 2) {
            return;
        }
        ViewController* below = stack[stack.size() - 2];
        if (auto* quoteMode = dynamic_cast<PXJYJianCangViewController*>(below)) {
            quoteMode->setPXJianCangViewValue(code);
        }
        m_relay->detach();
        navigation->popToViewController(below, false);
        return;
    }
    const PXTradeCommodity& record = *found->second;
    const bool changed = code != m_nowCommodityCode;
    if (changed) {
        // From either tab: what was typed and chosen, and the rows, were another commodity's,
        // and none of it may go out under this one.
        m_zhaiPaiView->cleanView();
        m_tiaoJianZhaiPaiView->cleanView();
        m_guaPaiInfoArray.clear();
    }
    m_nowCommodityCode = code;
    trade().PXJYData().setCurrentCommodityCode(code);
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(m_zhaiPaiView),
                                     static_cast<PXJianCangFormView*>(m_tiaoJianZhaiPaiView)}) {
        form->setCommodityCode(code);
        form->commodityNameButton()->setTitle(record.commodityName);
    }
    m_tiaoJianZhaiPaiView->zuiXiaoDanWei()->setText(
        PXJYTiaoJianZhaiPaiViewZYMS::quoteUnitHint(record.zuiXiaoHangQingDanWei));
    setTiaoJianZhaiPaiViewValue(code);
    if (changed) {
        shuaXinGuaPaiLieBiaoView();
    }
    getZYMSGuaPaiList();
}

void PXJYJianCangZYMSVC::loadViewIfNeeded() {
    view();
}

void PXJYJianCangZYMSVC::PXZhaiPaiChangeCommodity(const std::string& code) {
    setPXJianCangZYMSViewValue(code);
}

int PXJYJianCangZYMSVC::bookSide() const {
    return m_zhaiPaiView->XiaDan_FangXiang() == 1 ? 2 : 1;
}

void PXJYJianCangZYMSVC::getZYMSGuaPaiList() {
    if (m_shiJiaZhiJia != 1) {
        m_bookOwed = true;
        return;
    }
    PXJYGetGuaPaiListInfo(bookSide());
}

std::shared_ptr<PXTradeNetworkManger> PXJYJianCangZYMSVC::newManager() {
    auto manager = PXTradeNetworkManger::create();
    manager->setDelegate(m_relay);
    return manager;
}

std::shared_ptr<PXTradeNetworkManger> PXJYJianCangZYMSVC::newQuery() {
    if (!m_queriesBusy.isRaised()) {
        m_queriesBusy = VKJYActivityHold::raise();
    }
    return newManager();
}

bool PXJYJianCangZYMSVC::asksForBookHeld(int ty) const {
    return TradeText::textAt(m_guaPaiListPostDic, "COMMODITY_ID") == m_nowCommodityCode &&
           TradeText::textAt(m_guaPaiListPostDic, "TY") == std::to_string(ty);
}

void PXJYJianCangZYMSVC::PXJYGetGuaPaiListInfo(int ty) {
    m_bookOwed = false;
    m_bookFailed = false;
    m_bookQuery.reset();
    if (m_nowCommodityCode.empty()) {
        return;
    }
    // The same book asked again keeps its rows until the answer replaces them, so a listing
    // picked meanwhile stays picked while it is still listed. The other side's rows are not
    // this book's: none of them may be picked.
    if (!asksForBookHeld(ty)) {
        m_guaPaiInfoArray.clear();
        shuaXinGuaPaiLieBiaoView();
    }
    JYDict request = JYDict::object();
    request["id"] = trade().PXJYPeiZhi().getCurrentDateWith();
    request["name"] = "faes_sellingbuying_query";
    request["USER_ID"] = userName();
    request["COMMODITY_ID"] = m_nowCommodityCode;
    request["SESSION_ID"] = sessionId();
    request["STARTNUM"] = "1";
    request["RECCNT"] = "";
    request["TY"] = std::to_string(ty);
    request["SORTFLD"] = "PRI";
    request["ISDESC"] = ty == 1 ? "1" : "0";
    request["A_N"] = "";
    request["P_P"] = "";
    m_guaPaiListPostDic = request;
    auto manager = newQuery();
    m_bookQuery = manager;
    manager->getGuaPaiList(request);
}

void PXJYJianCangZYMSVC::getWeiTuoDanInfo(const std::string& code) {
    const JYDict query =
        PXJianCangRules::openOrdersQuery(trade().PXJYPeiZhi().getCurrentDateWith(),
                                         trade().defaultString("JYUserName"), sessionId(), code);
    auto manager = newQuery();
    m_openOrders.began(*manager);
    // No range until this query's reply: the form refuses every conditional order meanwhile.
    m_tiaoJianZhaiPaiView->fanWei()->setText("");
    manager->weiTuoDanChaXun(query);
}

void PXJYJianCangZYMSVC::JYRefreshView() {
    if (!m_nowCommodityCode.empty() &&
        !PXTradeData::find(trade().PXJYData().shangPinXinXi(), m_nowCommodityCode)) {
        forgetCommodity();
    }
    followAccount();
    setTiaoJianZhaiPaiViewValue(m_nowCommodityCode);
}

void PXJYJianCangZYMSVC::followAccount() {
    if (m_nowCommodityCode.empty() || !trade().tradeLogin()) {
        return;
    }
    // Another account logged in meanwhile: the range is its open orders' and holdings'.
    m_openOrders.follow([this] { getWeiTuoDanInfo(m_nowCommodityCode); },
                        [this] { setTiaoJianZhaiPaiView(); });
}

void PXJYJianCangZYMSVC::showAccount() {
    m_accountSwitch->reloadTableView();
    if (m_nowCommodityCode.empty() || !trade().tradeLogin()) {
        return;
    }
    m_openOrders.show([this] { getWeiTuoDanInfo(m_nowCommodityCode); },
                      [this] { setTiaoJianZhaiPaiView(); });
}

void PXJYJianCangZYMSVC::rangeWanted() {
    if (m_nowCommodityCode.empty() || !trade().tradeLogin()) {
        return;
    }
    m_openOrders.wanted([this] { getWeiTuoDanInfo(m_nowCommodityCode); });
}

// No listing to take up: the book that failed is asked for again.
void PXJYJianCangZYMSVC::bookWanted() {
    if (m_bookFailed && trade().tradeLogin()) {
        getZYMSGuaPaiList();
    }
}

void PXJYJianCangZYMSVC::forgetCommodity() {
    // The store knows the chosen commodity no more: nothing of it, its listing included, stays
    // on show to be sent, and no book of it is asked for again.
    m_nowCommodityCode.clear();
    trade().PXJYData().setCurrentCommodityCode("");
    m_guaPaiInfoArray.clear();
    for (PXJianCangFormView* form : {static_cast<PXJianCangFormView*>(m_zhaiPaiView),
                                     static_cast<PXJianCangFormView*>(m_tiaoJianZhaiPaiView)}) {
        form->cleanView();
        form->setCommodityCode("");
        form->commodityNameButton()->setTitle(PXTradeFormat::kMissing);
        form->commodityNameLabel()->setText(PXTradeFormat::kMissing);
    }
    m_tiaoJianZhaiPaiView->fanWei()->setText("(摘牌范围:0-0)");
    shuaXinGuaPaiLieBiaoView();
}

void PXJYJianCangZYMSVC::forgetBook() {
    m_guaPaiInfoArray.clear();
    shuaXinGuaPaiLieBiaoView();
}

// The book and the listing chosen in it were read under the other logon: none of it stays to be
// taken up, and its answer still on the way is void.
void PXJYJianCangZYMSVC::forgetAccount() {
    m_bookQuery.reset();
    forgetBook();
    if (!m_nowCommodityCode.empty() &&
        !PXTradeData::find(trade().PXJYData().shangPinXinXi(), m_nowCommodityCode)) {
        forgetCommodity();
    }
}

void PXJYJianCangZYMSVC::setTiaoJianZhaiPaiViewValue(const std::string& code) {
    m_tiaoJianZhaiPaiView->commodityInformationView()->fill(trade().PXJYData(), code);
}

// News of the book shown while the delisting tab is hidden leaves it owed.
void PXJYJianCangZYMSVC::PXJYRefreshGuaPaiListBuy() {
    if (bookSide() == 1) {
        getZYMSGuaPaiList();
    }
}

void PXJYJianCangZYMSVC::PXJYRefreshGuaPaiListSell() {
    if (bookSide() == 2) {
        getZYMSGuaPaiList();
    }
}

void PXJYJianCangZYMSVC::PXZhaiPaiChangeMaiMaiFangXiang(int side) {
    PXJYGetGuaPaiListInfo(side == 1 ? 2 : 1);
}

void PXJYJianCangZYMSVC::PXAddGuaPaiListView() {
    m_moreList = std::make_shared<PXJYGuaPaiMoreList>(view()->bounds());
    m_moreList->setDataArray(m_guaPaiInfoArray);
    m_moreList->setDelegate(this);
    m_moreList->reloadTableView();
    view()->addSubview(m_moreList);
}

void PXJYJianCangZYMSVC::selectedGuaPaiList(const JYDict& listing) {
    m_zhaiPaiView->setSelectedGuaPaiDanHao(TradeText::textAt(listing, "OR_N"));
    shuaXinGuaPaiLieBiaoView();
}

void PXJYJianCangZYMSVC::selectedMoreGuaPaiList(const JYDict& listing) {
    // Ticked in the embedded book only when it is among the rows shown there.
    m_zhaiPaiView->setSelectedGuaPaiDanHao(TradeText::textAt(listing, "OR_N"));
    shuaXinGuaPaiLieBiaoView();
}

void PXJYJianCangZYMSVC::shuaXinGuaPaiLieBiaoView() {
    const std::string chosen = m_zhaiPaiView->selectedGuaPaiDanHao();
    const auto row =
        std::find_if(m_guaPaiInfoArray.begin(), m_guaPaiInfoArray.end(),
                     [&](const JYDict& r) { return TradeText::textAt(r, "OR_N") == chosen; });
    // Taken up or withdrawn meanwhile: nothing of it may go out.
    if (!chosen.empty() && row == m_guaPaiInfoArray.end()) {
        m_zhaiPaiView->forgetListing();
    }
    m_zhaiPaiView->guaPaiListView()->refreshTableView(m_guaPaiInfoArray);
    if (m_moreList) {
        m_moreList->setDataArray(m_guaPaiInfoArray);
        m_moreList->reloadTableView();
    }
    if (chosen.empty() || row == m_guaPaiInfoArray.end()) {
        return;
    }
    m_zhaiPaiView->jiaGeZ()->setText(TradeText::textAt(*row, "PRI"));
    m_zhaiPaiView->fanWei()->setText("(摘牌范围:1-" + TradeText::textAt(*row, "UT_QTY") + ")");
    m_zhaiPaiView->dangQianSuoXuDingJin();
}

void PXJYJianCangZYMSVC::setTiaoJianZhaiPaiView() {
    const auto& store = trade().PXJYData();
    const auto found = store.shangPinXinXi().find(m_nowCommodityCode);
    if (found == store.shangPinXinXi().end() || !found->second) {
        return;
    }
    const int held = PXJianCangRules::heldLots(store.chiCangHuiZongXinXi(), m_nowCommodityCode);
    m_tiaoJianZhaiPaiView->fanWei()->setText(
        PXJianCangRules::orderBookRangeText(*found->second, held, m_openOrders.lots()));
}

void PXJYJianCangZYMSVC::PXZhaiPaiJianCangClick(const JYDict& request) {
    // One order at a time: a second tap while one travels sends nothing.
    if (m_orderOutstanding || m_shownAccount.refusesTap()) {
        return;
    }
    m_orderOutstanding = true;
    m_orderBusy = VKJYActivityHold::raise();
    newManager()->sendZhaiPaiJianCangRequest(request);
}

void PXJYJianCangZYMSVC::VKJYNavBackAction() {
    m_relay->detach();
    if (NavigationController* navigation = navigationController()) {
        navigation->popToRootViewController(true);
    }
}

void PXJYJianCangZYMSVC::requestEnded(PXTradeNetworkManger* manager) {
    if (manager->typeNW() == kDelistingTag) {
        m_orderBusy.release();
        return;
    }
    m_queriesBusy.release();
}

void PXJYJianCangZYMSVC::dataAnalysisFinished(PXTradeNetworkManger* manager,
                                              const PXTradeResult* data) {
    requestEnded(manager);
    if (isVoid(*manager)) {
        return;
    }
    const std::string& tag = manager->typeNW();
    if (tag == kListingTag) {
        m_guaPaiInfoArray = PXJianCangRules::rowsOf(data);
        shuaXinGuaPaiLieBiaoView();
        return;
    }
    if (tag == kOpenOrdersTag) {
        if (m_openOrders.answered(*manager, data)) {
            setTiaoJianZhaiPaiView();
        }
        return;
    }
    if (tag == kDelistingTag) {
        m_orderOutstanding = false;
        VKJYNavBackAction();
        PXTradeMessage::show("下单成功");
    }
}

bool PXJYJianCangZYMSVC::answersBookOnShow(const PXTradeNetworkManger& reply) const {
    return m_bookQuery.lock().get() == &reply &&
           TradeText::textAt(m_guaPaiListPostDic, "COMMODITY_ID") == m_nowCommodityCode &&
           TradeText::textAt(m_guaPaiListPostDic, "TY") == std::to_string(bookSide());
}

bool PXJYJianCangZYMSVC::isVoid(const PXTradeNetworkManger& reply) const {
    if (reply.typeNW() == kListingTag) {
        return !answersBookOnShow(reply);
    }
    return reply.typeNW() == kOpenOrdersTag && !m_openOrders.isLatest(reply);
}

// A book that failed is said to be one, not shown as a book without listings; the side's button
// asks again. Open orders that failed leave the range unknown until asked again.
void PXJYJianCangZYMSVC::failed(const PXTradeNetworkManger& manager) {
    const std::string& tag = manager.typeNW();
    if (tag == kListingTag) {
        m_bookFailed = true;
        forgetBook();
    } else if (tag == kOpenOrdersTag) {
        m_openOrders.failed(manager);
    } else if (tag == kDelistingTag) {
        m_orderOutstanding = false;
    }
}

void PXJYJianCangZYMSVC::requestFailed(PXTradeNetworkManger* manager, int) {
    requestEnded(manager);
    if (isVoid(*manager)) {
        return;
    }
    failed(*manager);
    PXTradeRefusalAlert::showNetworkFailed(*manager);
}

void PXJYJianCangZYMSVC::dataAnalysisFailed(PXTradeNetworkManger* manager, int) {
    requestEnded(manager);
    if (isVoid(*manager)) {
        return;
    }
    failed(*manager);
    PXTradeRefusalAlert::show(*manager);
}
