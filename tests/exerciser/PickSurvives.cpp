#include "PickSurvives.h"

#include <nlohmann/json.hpp>
#include <vector>

#include "ExerciseRandom.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "support/SimProcess.h"
#include "trade/close/PXJYPingCangViewController.h"
#include "trade/close/PXJYShiJiaZhuanRangView.h"
#include "trade/close/PXJYZhuanRangZYMSVC.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/core/TradeText.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/open/PXJYJianCangViewController.h"
#include "trade/open/PXJYJianCangZYMSVC.h"
#include "trade/open/PXJianCangFormView.h"

namespace {
constexpr double kPickPressLeast = 0.08;
constexpr double kPickPressMost = 0.2;
// Wall-time guards of waits for the client, which answers in a fraction of a second; a wait
// that runs out only ends the event early.
constexpr double kPickSettles = 8;
// Another device's lots reach the client with a heartbeat and the holdings it asks for.
constexpr double kPickHoldingsArrive = 10;
constexpr double kPickBeat = 2.5;
constexpr const char* kPickBookQuery = "faes_sellingbuying_query";
constexpr const char* kListingFirm = "F002";

PXTradeModule& pickTrade() {
    return PXTradeModule::shared();
}

bool pickAtRest() {
    return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0 &&
           !Application::isInTransition();
}

bool ofOrderBook(const std::string& code) {
    const auto* commodity = PXTradeData::find(pickTrade().PXJYData().shangPinXinXi(), code);
    return commodity && commodity->shangPinJiaoYiMoShi == "4";
}

std::string pickedName(const std::string& code) {
    const auto* commodity = PXTradeData::find(pickTrade().PXJYData().shangPinXinXi(), code);
    return commodity ? commodity->commodityName : code;
}

View* rowAround(View* view) {
    while (view && !dynamic_cast<TableViewCell*>(view)) {
        view = view->superview();
    }
    return view;
}

std::string pickRowText(const nlohmann::json& row, const char* key) {
    const nlohmann::json value = row.value(key, nlohmann::json());
    return value.is_string() ? value.get<std::string>() : value.dump();
}
}  // namespace

PickSurvives::PickSurvives(Hands hands) : m(std::move(hands)) {}

PXJYJianCangZYMSVC* PickSurvives::delistingScreen() const {
    return dynamic_cast<PXJYJianCangZYMSVC*>(m.topScreen());
}

PXJYZhuanRangZYMSVC* PickSurvives::orderBookTransfer() const {
    auto* screen = dynamic_cast<PXJYZhuanRangZYMSVC*>(m.topScreen());
    NavigationController* stack = screen ? screen->navigationController() : nullptr;
    const size_t depth = stack ? stack->viewControllers().size() : 0;
    return depth > 1 &&
                   dynamic_cast<PXJYPingCangViewController*>(stack->viewControllers()[depth - 2])
               ? screen
               : nullptr;
}

int PickSurvives::weight() const {
    if (m.driver.visibleAlert() || !pickTrade().tradeLogin()) {
        return 0;
    }
    return delistingScreen() || orderBookTransfer()                   ? 25
           : dynamic_cast<PXJYPingCangViewController*>(m.topScreen()) ? 12
                                                                      : wayWeight();
}

int PickSurvives::wayWeight() const {
    ViewController* top = m.topScreen();
    return dynamic_cast<PXJYJianCangViewController*>(top) ? 15
           : dynamic_cast<PXJYRootViewController*>(top)   ? 12
                                                          : 0;
}

void PickSurvives::goTowards(ExerciseRandom& random) {
    if (dynamic_cast<PXJYJianCangViewController*>(m.topScreen())) {
        return pickAnOrderBookCommodity();
    }
    auto* home = dynamic_cast<PXJYRootViewController*>(m.topScreen());
    if (!m.driver.isVisible(home->menuListView())) {
        m.tap(home->navigationBarView()->menuButton(), "menu");
        m.driver.settle();
    }
    m.tap(m.driver.viewWithText(random.chance(0.5) ? "摘牌" : "转让"), "a pick: the way");
    settle();
}

void PickSurvives::pickAnOrderBookCommodity() {
    for (auto* form : m.driver.visibleViewsOfClass<PXJianCangFormView>()) {
        Button* picker = form->commodityNameButton();
        if (picker->isEnabled() && m.driver.reaches(picker) && m.tap(picker, "a pick: 商品")) {
            break;
        }
    }
    m.driver.settle();
    for (const auto& [code, commodity] : pickTrade().PXJYData().shangPinXinXi()) {
        View* row = commodity && ofOrderBook(code)
                        ? rowAround(m.driver.viewWithText(commodity->commodityName))
                        : nullptr;
        if (row && m.driver.reaches(row)) {
            m.tap(row, "a pick: " + commodity->commodityName);
            return settle();
        }
    }
    m.note("a pick: no order-book commodity listed");
}

void PickSurvives::act(ExerciseRandom& random) {
    if (wayWeight() > 0 && !delistingScreen()) {
        return goTowards(random);
    }
    if (delistingScreen()) {
        return pickAListing(random);
    }
    if (auto* quoteMode = dynamic_cast<PXJYPingCangViewController*>(m.topScreen())) {
        openTheOrderBookScreen(*quoteMode);
    }
    handAHoldingBack(random);
}

void PickSurvives::pickAListing(ExerciseRandom& random) {
    if (random.chance(0.3)) {
        switchAside(random);
    }
    const WeakLink<PXJYJianCangZYMSVC> screen = delistingScreen();
    if (screen && !m.driver.isVisible(screen->zhaiPaiView())) {
        m.tap(screen->SJbutton(), "摘牌");
        settle();
    }
    listOnAnEmptyBook(screen);
    PXJYGuaPaiList* book = screen ? screen->zhaiPaiView()->guaPaiListView() : nullptr;
    const int rows = book ? book->tableView()->numberOfRows(0) : 0;
    if (rows == 0 || m.driver.visibleAlert()) {
        return m.note("a pick: no listing on show");
    }
    const int row = static_cast<int>(random.below(static_cast<size_t>(rows)));
    TableViewCell* cell = book->tableView()->cellForRow({0, row});
    if (!cell || !m.driver.reaches(cell)) {
        return m.note("a pick: the listing's row is out of reach");
    }
    const Listing listing{
        PXJYGuaPaiList::listingAt(book->dataArray(), row), screen->nowCommodityCode(),
        screen->zhaiPaiView()->XiaDan_FangXiang() == 1 ? 2 : 1, random.chance(0.7)};
    const std::string price = TradeText::textAt(book->dataArray().front(), "PRI");
    const std::string held = environment() + "&name=" + kPickBookQuery;
    if (listing.refreshed) {
        post("/control/trade/hold?" + held);
        post(listingPath(listing.code, listing.side, price));
    }
    pressAndLift(cell, listing, random);
    if (listing.refreshed) {
        post("/control/trade/release?" + held);
    }
    settle();
    if (checkListing(screen, listing) && random.chance(0.4)) {
        takeUp(*screen.get());
    }
}

void PickSurvives::takeUp(PXJYJianCangZYMSVC& screen) {
    PXJYZhaiPaiViewZYMS* form = screen.zhaiPaiView();
    m.keys(form->shuLiang(), "1");
    m.driver.settle();
    if (!m.tap(form->jianCangButton(), "摘牌")) {
        return;
    }
    m.driver.settle();
    if (AlertView* alert = m.driver.visibleAlert(); alert && alert->numberOfButtons() > 1) {
        m.tap(alert->buttonAtIndex(alert->cancelButtonIndex() == 0 ? 1 : 0), "确定");
    }
    settle();
}

void PickSurvives::listOnAnEmptyBook(const WeakLink<PXJYJianCangZYMSVC>& screen) {
    if (!screen || screen->nowCommodityCode().empty() ||
        !exchangeBook(screen->nowCommodityCode(), bookSideOf(*screen.get())).empty()) {
        return;
    }
    const std::string code = screen->nowCommodityCode();
    const auto prices = nlohmann::json::parse(
        m.exchange.get("/control/trade/prices?" + environment()).body, nullptr, false);
    const std::string price = prices.is_object() ? prices.value(code, "") : "";
    const int side = bookSideOf(*screen.get());
    // The first heartbeat after a logon only learns when the books last changed.
    m.driver.runFor(kPickBeat);
    if (price.empty() || !screen || !post(listingPath(code, side, price))) {
        return;
    }
    m.note("a pick: another firm lists " + code + " at " + price);
    m.driver.runUntil(
        [&] {
            return !screen ||
                   screen->zhaiPaiView()->guaPaiListView()->tableView()->numberOfRows(0) > 0;
        },
        kPickHoldingsArrive);
    settle();
}

nlohmann::json PickSurvives::exchangeBook(const std::string& code, int side) const {
    const auto reply = m.exchange.get("/control/trade/listings?" + environment() +
                                      "&commodity=" + code + "&side=" + std::to_string(side));
    const auto rows = nlohmann::json::parse(reply.body, nullptr, false);
    return reply.status == 200 && rows.is_array() ? rows : nlohmann::json::array();
}

int PickSurvives::bookSideOf(const PXJYJianCangZYMSVC& screen) {
    return screen.zhaiPaiView()->XiaDan_FangXiang() == 1 ? 2 : 1;
}

std::string PickSurvives::listingPath(const std::string& code, int side,
                                      const std::string& price) const {
    return "/control/trade/listing?" + environment() + "&firm=" + kListingFirm +
           "&commodity=" + code + "&side=" + std::to_string(side) + "&price=" + price + "&qty=3";
}

void PickSurvives::switchAside(ExerciseRandom& random) {
    const WeakLink<PXJYJianCangZYMSVC> screen = delistingScreen();
    if (!screen || !m.tap(screen->ZJbutton(), "条件摘牌")) {
        return;
    }
    m.driver.settle();
    if (!m.switchAccount(random)) {
        return m.note("a pick: no other account logged in");
    }
    settle();
    if (screen && m.topScreen() == screen.get()) {
        m.tap(screen->SJbutton(), "摘牌");
        settle();
    }
}

// Held 80-200 ms; across a refresh, the notice the heartbeat posts for the book lands midway.
void PickSurvives::pressAndLift(View* row, const Listing& listing, ExerciseRandom& random) {
    const Point at = m.driver.visibleRect(row).center();
    const double seconds = random.between(kPickPressLeast, kPickPressMost);
    m.note("a pick: listing " + listing.number + " of " + listing.code + " pressed " +
           std::to_string(static_cast<int>(seconds * 1000)) + " ms" +
           (listing.refreshed ? ", another firm lists and the book is asked for again" : ""));
    m.screen.sendTouches({{1, TouchPhase::Began, at}}, m.driver.nextTime());
    RunLoop::runFor(seconds / 2);
    if (listing.refreshed) {
        pickTrade().post(listing.side == 2 ? "REFRESH_C_LIST_SELL" : "REFRESH_C_LIST_BUY");
    }
    RunLoop::runFor(seconds / 2);
    m.screen.sendTouches({{1, TouchPhase::Ended, at}}, m.driver.nextTime(seconds));
}

bool PickSurvives::checkListing(const WeakLink<PXJYJianCangZYMSVC>& screen,
                                const Listing& listing) {
    if (!screen || m.topScreen() != screen.get() || m.driver.visibleAlert() || !pickAtRest() ||
        !pickTrade().tradeLogin() || screen->nowCommodityCode() != listing.code ||
        bookSideOf(*screen.get()) != listing.side) {
        m.note("a pick: the screen moved on");
        return false;
    }
    std::string price;
    for (const auto& row : exchangeBook(listing.code, listing.side)) {
        price = pickRowText(row, "OR_N") == listing.number ? pickRowText(row, "PRI") : price;
    }
    if (price.empty()) {
        m.note("a pick: the listing went");
        return false;
    }
    PXJYZhaiPaiViewZYMS* form = screen->zhaiPaiView();
    if (form->selectedGuaPaiDanHao() != listing.number || form->jiaGeZ()->text() != price) {
        m.violation("listing " + listing.number + " of " + listing.code + " at " + price +
                    " was picked" + (listing.refreshed ? " across a refresh of the book" : "") +
                    ", yet the form holds listing '" + form->selectedGuaPaiDanHao() +
                    "' and 摘牌价 '" + form->jiaGeZ()->text() + "'");
        return false;
    }
    return true;
}

// An order-book holding picked on the quote-mode form brings its own screen up over it.
void PickSurvives::openTheOrderBookScreen(PXJYPingCangViewController& quoteMode) {
    PXJYShiJiaZhuanRangView* form = quoteMode.SJPCView();
    const std::string key = m.driver.isVisible(form) ? heldKey(true) : std::string();
    if (key.empty() || !m.driver.isVisible(form)) {
        return m.note("a pick: no order-book holding to pick");
    }
    if (!form->commodityNameButton()->isEnabled()) {
        m.tap(form->SPbutton(), "按商品");
        m.driver.settle();
    }
    if (m.tap(form->commodityNameButton(), "持牌商品")) {
        settle();
        pickSummary(key);
        settle();
    }
}

void PickSurvives::handAHoldingBack(ExerciseRandom& random) {
    const WeakLink<PXJYZhuanRangZYMSVC> screen = orderBookTransfer();
    if (!screen) {
        return m.note("a pick: no order-book transfer screen over the quote-mode one");
    }
    if (random.chance(0.7) && m.switchAccount(random)) {
        settle();
    }
    const std::string key = heldKey(false);
    if (!screen || m.topScreen() != screen.get() || key.empty() || m.driver.visibleAlert()) {
        return m.note("a pick: nothing to hand back");
    }
    PXJYZhuanRangZYMSView* form = screen->SJPCView();
    if (!form->commodityNameButton()->isEnabled()) {
        m.tap(form->SPbutton(), "按商品");
        m.driver.settle();
    }
    if (!m.tap(form->commodityNameButton(), "持牌商品")) {
        return;
    }
    settle();
    if (pickSummary(key)) {
        settle();
        checkHandedBack(key);
    }
}

std::string PickSurvives::heldKey(bool orderBook) {
    const auto find = [orderBook] {
        for (const auto& summary : pickTrade().PXJYData().chiCangHuiZongXinXi()) {
            if (summary && ofOrderBook(summary->commodityCode) == orderBook) {
                return summary->key();
            }
        }
        return std::string();
    };
    if (!find().empty()) {
        return find();
    }
    std::string code;
    for (const auto& [each, commodity] : pickTrade().PXJYData().shangPinXinXi()) {
        code = commodity && ofOrderBook(each) == orderBook ? each : code;
    }
    if (code.empty() || !post("/control/trade/holding?" + environment() +
                              "&account=" + pickTrade().defaultString("JYUserName") +
                              "&commodity=" + code + "&side=1&qty=3")) {
        return {};
    }
    m.note("a pick: another device buys 3 lots of " + code);
    m.driver.runUntil([&] { return !find().empty() || !pickTrade().tradeLogin(); },
                      kPickHoldingsArrive);
    settle();
    return find();
}

bool PickSurvives::pickSummary(const std::string& key) {
    for (auto* picker : m.driver.visibleViewsOfClass<PXJYChiCangShangPinListView>()) {
        const auto& rows = picker->allChiCangShangPinCommodity();
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row] && rows[row]->key() == key) {
                m.note("a pick: holding " + key + " in the held-commodity picker");
                return m.driver.tapRow(*picker->tableView(), {0, static_cast<int>(row)});
            }
        }
    }
    m.note("a pick: no row of " + key + " in the picker");
    return false;
}

void PickSurvives::checkHandedBack(const std::string& key) {
    auto* quoteMode = dynamic_cast<PXJYPingCangViewController*>(m.topScreen());
    if (!quoteMode || m.driver.visibleAlert() || !pickTrade().tradeLogin()) {
        return m.note("a pick: the quote-mode screen is not on show");
    }
    const auto reply = m.exchange.get("/control/trade/books?" + environment() +
                                      "&account=" + pickTrade().defaultString("JYUserName"));
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    bool held = false;
    for (const auto& holding : books.is_object() ? books["holdings"] : nlohmann::json::array()) {
        held =
            held ||
            holding.value("commodity", "") + "/" + std::to_string(holding.value("side", 0)) == key;
    }
    if (!held) {
        return m.note("a pick: the holding went");
    }
    const auto& chosen = quoteMode->huiZongCommodity();
    const std::string name = pickedName(key.substr(0, key.find('/')));
    const std::string shown = quoteMode->SJPCView()->commodityNameButton()->title();
    if (!chosen || chosen->key() != key || shown != name) {
        m.violation("holding " + key + " (" + name + ") was picked on the order-book transfer " +
                    "screen and handed back, yet the quote-mode form holds '" +
                    (chosen ? chosen->key() : std::string()) + "' and shows '" + shown + "'");
    }
}

void PickSurvives::settle() {
    m.driver.runUntil([] { return pickAtRest(); }, kPickSettles);
    m.driver.settle();
}

std::string PickSurvives::environment() const {
    return "jys=" + pickTrade().defaultString("platform_code") +
           "&env=" + pickTrade().defaultString("environment_code");
}

bool PickSurvives::post(const std::string& path) {
    const auto reply = m.exchange.post(path);
    if (reply.status != 200) {
        m.note("the exchange: " + reply.body);
    }
    return reply.status == 200;
}
