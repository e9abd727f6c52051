#include "ShownIsKept.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <vector>

#include "ExerciseRandom.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "quote/QuoteRecords.h"
#include "shell/VKJYNavigationBarView.h"
#include "support/SimProcess.h"
#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/close/PXJYZhiJiaPingCangView.h"
#include "trade/close/PXZhuanRangFormView.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/login/PXTradeHomeView.h"
#include "trade/open/PXJianCangFormView.h"

namespace {
// The figures and the column titles come before the holdings rows.
constexpr int kFirstHoldingRow = 2;
constexpr int kCyclesBehind = 3;
// A refresh's quote request and its answer, on a busy machine.
constexpr double kLatency = 0.5;
constexpr double kSamePrice = 1e-6;
constexpr double kFormSettles = 3;
constexpr double kHoldingArrives = 8;

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

const Button* buttonOf(const View* hit, const View* within) {
    const Button* button = nullptr;
    for (const View* v = hit; v && v != within; v = v->superview()) {
        button = button ? button : dynamic_cast<const Button*>(v);
    }
    return button;
}

template <typename T>
T* first(const std::vector<T*>& items) {
    return items.empty() ? nullptr : items.front();
}
}  // namespace

ShownIsKept::ShownIsKept(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver), m_exchange(exchange), m_hands(std::move(hands)) {}

std::string ShownIsKept::environment() const {
    PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

void ShownIsKept::post(const std::string& path) {
    const auto reply = m_exchange.post(path);
    m_hands.note("the exchange: " + (reply.status == 200 ? std::string("done") : reply.body));
}

void ShownIsKept::confirm() {
    AlertView* alert = m_driver.visibleAlert();
    for (int index = 0; alert && index < alert->numberOfButtons(); ++index) {
        if (alert->buttonTitleAtIndex(index) == "确定") {
            m_hands.tap(alert->buttonAtIndex(index), "confirm");
            m_driver.settle();
            return;
        }
    }
}

// Rules.

void ShownIsKept::check(bool pricesSettled) {
    checkRowTaps();
    if (pricesSettled) {
        checkTradePrices();
    }
}

// The account list and a login over a trading screen pause the price refresh while they are up.
void ShownIsKept::checkTradePrices() {
    PXTradeModule& module = PXTradeModule::shared();
    ViewController* top = m_hands.topScreen();
    if (!module.tradeLogin() || dynamic_cast<PXJYAccountInfoViewController*>(top) ||
        dynamic_cast<PXJYTradeLoginVC*>(top) || dynamic_cast<PXJYSimpleLoginVC*>(top)) {
        return;
    }
    const auto reply = m_exchange.get("/control/trade/prices?" + environment());
    const auto live = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !live.is_object()) {
        return;
    }
    std::string behind;
    const auto caughtUp = [&] {
        behind.clear();
        const auto& shown = module.PXJYData().zuiXinYiKouJia();
        for (const auto& [code, commodity] :
             module.tradeLogin() ? module.PXJYData().shangPinXinXi() : PXTradeCommodityMap{}) {
            const auto price = shown.find(code);
            if (price == shown.end() || !price->second || !live.contains(code)) {
                continue;
            }
            const double exchange = std::stod(live[code].get<std::string>());
            if (std::fabs(price->second->commodityNewPrice - exchange) > kSamePrice) {
                // Whether the quote side's table or the trading side's refresh lags.
                const auto quote = module.PXJYData().getHQYiKouJia(code);
                behind += " " + code + " " + std::to_string(price->second->commodityNewPrice) +
                          " of " + price->second->commodityDate + " (quote side " +
                          (quote ? std::to_string(quote->newPrice) : "none") + ") for " +
                          live[code].get<std::string>();
            }
        }
        return behind.empty();
    };
    const int cycle = std::max(1, Text::intValue(module.defaultString("RefreshTrade")));
    if (!m_driver.runUntil(caughtUp, kCyclesBehind * cycle + kLatency)) {
        m_hands.violation(
            "the trading side's latest prices stay behind the exchange's for three refresh "
            "cycles:" +
            behind);
    }
}

// The holdings rows of the trade home on screen, or every one as the home draws it when
// scrolled to: a row open out of view is open all the same.
std::vector<ShownIsKept::HoldingsRow> ShownIsKept::holdingsRows(bool everyRow) const {
    std::vector<HoldingsRow> rows;
    PXTradeHomeView* home = first(m_driver.visibleViewsOfClass<PXTradeHomeView>());
    TableView* table = home ? home->chiCangListView() : nullptr;
    std::vector<IndexPath> paths;
    for (int section = 0; table && section < table->numberOfSections(); ++section) {
        for (int row = kFirstHoldingRow; row < table->numberOfRows(section); ++row) {
            paths.push_back({section, row});
        }
    }
    for (const IndexPath& path : paths) {
        TableViewCell* shown = table->cellForRow(path);
        const auto drawn = everyRow ? table->dataSource()->cellForRow(*table, path) : nullptr;
        TableViewCell* cell = everyRow ? drawn.get() : shown;
        if (!cell) {
            continue;
        }
        HoldingsRow row{{}, false, shown};
        for (View* view : cell->contentView()->subviews()) {
            const auto* label = dynamic_cast<Label*>(view);
            row.name = label && view->frame().x == 0 ? label->text() : row.name;
            row.open = row.open || dynamic_cast<Button*>(view);
        }
        rows.push_back(row);
    }
    return rows;
}

void ShownIsKept::beforeTap(const View* hit) {
    m_formFrom.reset();
    m_opening.reset();
    // A tap during a slide or under an alert reaches no row.
    if (!hit || Application::isInTransition() || m_driver.visibleAlert()) {
        return;
    }
    const std::vector<HoldingsRow> every = holdingsRows(true);
    const bool noneOpen =
        std::none_of(every.begin(), every.end(), [](const auto& r) { return r.open; });
    for (const HoldingsRow& row : holdingsRows()) {
        if (hit != row.cell && !hit->isDescendantOf(row.cell)) {
            continue;
        }
        const Button* button = buttonOf(hit, row.cell);
        if (button && button->isEnabled()) {
            m_formFrom = row.name;
        } else if (!button && noneOpen) {
            m_opening = row.name;
        }
    }
}

void ShownIsKept::checkRowTaps() {
    const auto opening = std::exchange(m_opening, std::nullopt);
    const auto formFrom = std::exchange(m_formFrom, std::nullopt);
    if (opening) {
        const std::vector<HoldingsRow> rows = holdingsRows(true);
        const bool shown = std::any_of(rows.begin(), rows.end(),
                                       [&](const auto& r) { return r.name == *opening; });
        const bool opened = std::any_of(
            rows.begin(), rows.end(), [&](const auto& r) { return r.name == *opening && r.open; });
        if (shown && !opened) {
            m_hands.violation("a tap on the holdings row of " + *opening +
                              " while no row was open left it closed");
        }
    }
    if (!formFrom) {
        return;
    }
    std::string other;
    const auto agrees = [&] {
        std::vector<std::string> names;
        for (auto* form : m_driver.visibleViewsOfClass<PXJianCangFormView>()) {
            names.push_back(m_driver.isVisible(form->commodityNameButton())
                                ? form->commodityNameButton()->currentTitle()
                                : form->commodityNameLabel()->text());
        }
        for (auto* form : m_driver.visibleViewsOfClass<PXZhuanRangFormView>()) {
            names.push_back(form->commodityNameButton()->currentTitle());
        }
        for (auto* form : m_driver.visibleViewsOfClass<PXJYZhiJiaPingCangView>()) {
            names.push_back(form->commodity()->text());
        }
        other.clear();
        for (const std::string& name : names) {
            const std::string shown = trimmed(name);
            other = shown.empty() || shown == "--" || shown == *formFrom ? other : shown;
        }
        return other.empty();
    };
    if (!m_driver.runUntil(agrees, kFormSettles)) {
        m_hands.violation("a form opened from the holdings row of " + *formFrom + " shows " +
                          other);
    }
}

// Events.

std::vector<ShownIsKept::Event> ShownIsKept::events() const {
    PXTradeModule& module = PXTradeModule::shared();
    ViewController* top = m_hands.topScreen();
    const bool home = dynamic_cast<PXJYRootViewController*>(top) && module.tradeLogin();
    return {
        {dynamic_cast<VKJYMarketUIViewController*>(top) ? 3 : 0, &ShownIsKept::swipeAndLeave},
        {home ? 2 : 0, &ShownIsKept::deleteAnAccount},
        {home                  ? 4
         : module.tradeLogin() ? 1
                               : 0,
         &ShownIsKept::dealOnAnotherDevice},
    };
}

int ShownIsKept::weight() const {
    int total = 0;
    for (const Event& event : m_driver.visibleAlert() ? std::vector<Event>{} : events()) {
        total += event.weight;
    }
    return total;
}

void ShownIsKept::act(ExerciseRandom& random) {
    const std::vector<Event> all = events();
    std::vector<int> weights;
    for (const Event& event : all) {
        weights.push_back(event.weight);
    }
    (this->*all.at(random.weighted(weights)).act)(random);
}

// The row's "添加"/"删除" stays uncovered, unpressed, while the user goes to trade.
void ShownIsKept::swipeAndLeave(ExerciseRandom& random) {
    auto* list = dynamic_cast<VKJYMarketUIViewController*>(m_hands.topScreen());
    TableView* table = list ? list->CommodityInfoListTableView() : nullptr;
    const auto rows = table ? table->indexPathsForVisibleRows() : std::vector<IndexPath>{};
    if (rows.empty()) {
        return m_hands.note("swipe a market row: none on show");
    }
    const IndexPath path = rows[random.below(rows.size())];
    const Rect shown = m_driver.visibleRect(table->cellForRow(path));
    m_hands.note("swipe market row " + std::to_string(path.section) + "/" +
                 std::to_string(path.row) + " open and leave by the tab 交易");
    m_driver.swipe({shown.maxX() - 20, shown.midY()}, {shown.minX() + 40, shown.midY()});
    m_driver.settle();
    m_hands.tapTab("交易");
}

void ShownIsKept::openAHoldingsRow(ExerciseRandom& random) {
    const std::vector<HoldingsRow> every = holdingsRows(true);
    const std::vector<HoldingsRow> rows = holdingsRows();
    if (rows.empty() || std::any_of(every.begin(), every.end(), [](auto& r) { return r.open; })) {
        return;
    }
    m_hands.tap(rows[random.below(rows.size())].cell, "holdings row");
    m_driver.settle();
}

void ShownIsKept::tapAnOrderButton(ExerciseRandom& random) {
    std::vector<Button*> buttons;
    for (const HoldingsRow& row : holdingsRows()) {
        for (View* view : row.open
                              ? static_cast<TableViewCell*>(row.cell)->contentView()->subviews()
                              : std::vector<View*>{}) {
            auto* button = dynamic_cast<Button*>(view);
            if (button && button->isEnabled()) {
                buttons.push_back(button);
            }
        }
    }
    if (!buttons.empty()) {
        m_hands.tap(buttons[random.below(buttons.size())], "order button");
    }
}

// 账户, a saved account swiped and deleted, back to the home, and a holdings row tapped.
void ShownIsKept::deleteAnAccount(ExerciseRandom& random) {
    WeakLink<PXJYRootViewController> home =
        dynamic_cast<PXJYRootViewController*>(m_hands.topScreen());
    m_hands.note("delete a saved account");
    if (random.chance(0.7)) {
        openAHoldingsRow(random);
    }
    if (home && !m_driver.isVisible(home->menuListView())) {
        m_hands.tap(home->navigationBarView()->menuButton(), "menu");
        m_driver.settle();
    }
    View* entry = home ? m_driver.viewWithText("账户") : nullptr;
    if (!entry || !m_hands.tap(entry, "menu entry")) {
        return;
    }
    m_driver.settle();
    auto* accounts = dynamic_cast<PXJYAccountInfoViewController*>(m_hands.topScreen());
    TableView* table = accounts ? accounts->tableView() : nullptr;
    const std::string current = "账号:" + PXTradeModule::shared().defaultString("JYUserName");
    std::vector<IndexPath> others;
    std::vector<IndexPath> all;
    for (const IndexPath& path :
         table ? table->indexPathsForVisibleRows() : std::vector<IndexPath>{}) {
        View* front = accounts->frontView(path);
        if (!front) {
            continue;
        }
        all.push_back(path);
        if (ScreenDriver::textOf(first(front->subviews())) != current) {
            others.push_back(path);
        }
    }
    // Mostly another account; now and then the one logged in, which asks first.
    const auto& pool = others.empty() || random.chance(0.15) ? all : others;
    if (pool.empty()) {
        return m_hands.back();
    }
    const IndexPath path = pool[random.below(pool.size())];
    const Rect front = m_driver.visibleRect(accounts->frontView(path));
    m_driver.swipe({front.maxX() - 20, front.midY()}, {front.minX() + 40, front.midY()});
    m_driver.settle();
    Button* remove = nullptr;
    for (View* view : table->cellForRow(path)->contentView()->subviews()) {
        auto* button = dynamic_cast<Button*>(view);
        remove = button && button->currentTitle() == "删除" ? button : remove;
    }
    m_hands.tap(remove, "delete");
    m_driver.settle();
    confirm();
    if (dynamic_cast<PXJYAccountInfoViewController*>(m_hands.topScreen())) {
        m_hands.back();
        m_driver.settle();
    }
    const std::vector<HoldingsRow> rows = holdingsRows();
    if (!rows.empty()) {
        m_hands.tap(rows[random.below(rows.size())].cell, "holdings row");
    }
}

// Another device opens a commodity the account does not hold, while a holdings row is open;
// then an order button of the open row.
void ShownIsKept::dealOnAnotherDevice(ExerciseRandom& random) {
    PXTradeModule& module = PXTradeModule::shared();
    PXTradeData& store = module.PXJYData();
    const bool onHome = dynamic_cast<PXJYRootViewController*>(m_hands.topScreen());
    if (onHome && random.chance(0.7)) {
        openAHoldingsRow(random);
    }
    const auto held = [&](const std::string& code) {
        const auto& summaries = store.chiCangHuiZongXinXi();
        return std::any_of(summaries.begin(), summaries.end(), [&](const auto& summary) {
            return summary && summary->commodityCode == code;
        });
    };
    std::vector<std::string> fresh;
    std::vector<std::string> quoteMode;
    for (const auto& [code, commodity] : store.shangPinXinXi()) {
        if (commodity && commodity->shangPinJiaoYiMoShi != "4") {
            quoteMode.push_back(code);
            if (!held(code)) {
                fresh.push_back(code);
            }
        }
    }
    const auto& pool = fresh.empty() ? quoteMode : fresh;
    if (pool.empty()) {
        return m_hands.note("deal on another device: no commodity in quote mode");
    }
    const std::string code = pool[random.below(pool.size())];
    m_hands.note("another device buys or sells " + code);
    post("/control/trade/order?" + environment() +
         "&account=" + module.defaultString("JYUserName") + "&commodity=" + code +
         "&side=" + std::to_string(1 + random.below(2)) + "&qty=1");
    m_driver.runUntil([&] { return !module.tradeLogin() || held(code); }, kHoldingArrives);
    m_driver.settle();
    if (onHome && random.chance(0.7)) {
        tapAnOrderButton(random);
    }
}
