#include "ChoiceOnReturn.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "ExerciseRandom.h"
#include "market/VKJYCustomButton.h"
#include "market/VKJYMarketChartController.h"
#include "platform/foundation/Text.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TextField.h"
#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYTabBarHelper.h"
#include "support/SimProcess.h"
#include "trade/core/PXTradeCommodity.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/quick/PXFastTradeRules.h"
#include "trade/quick/PXFastTradeVCZYMS.h"
#include "trade/quick/PXJYSimpleJianCangVC.h"

namespace {
// The other device's deal reaches the client with a heartbeat and the holdings it asks for.
constexpr double kHoldingsArrive = 10;
// The screen showing again, and a refresh that forgets a vanished holding, on a busy machine.
constexpr double kShowsAgain = 5;
const char* const kNothingToClose = "(数量范围:0-0)";

PXFastTradeViewController* panelOf(const View* view) {
    for (; view; view = view->superview()) {
        if (auto* panel = dynamic_cast<PXFastTradeViewController*>(view->viewController())) {
            return panel;
        }
    }
    return nullptr;
}

// A blank and "--" both show nothing chosen.
bool shown(const std::optional<std::string>& value) {
    return value && value->find_first_not_of(' ') != std::string::npos && *value != "--";
}

// Lots of the commodity by side ("1" bought, "2" sold) as the client holds them.
std::map<std::string, int> clientLots(const std::string& code) {
    std::map<std::string, int> lots;
    for (const auto& summary : PXTradeModule::shared().PXJYData().chiCangHuiZongXinXi()) {
        if (summary && summary->commodityCode == code) {
            lots[Text::intValue(summary->buySellSign) == 1 ? "1" : "2"] +=
                Text::intValue(summary->shuLiang);
        }
    }
    return lots;
}
}  // namespace

ChoiceOnReturn::ChoiceOnReturn(ScreenDriver& driver, SimProcess& exchange,
                               const SentShownCheck& forms, Hands hands)
    : m_driver(driver), m_exchange(exchange), m_forms(forms), m_hands(std::move(hands)) {}

int ChoiceOnReturn::weight() const {
    if (m_driver.visibleAlert() || Application::isInTransition() ||
        !PXTradeModule::shared().tradeLogin()) {
        return 0;
    }
    const std::vector<Button*> buttons = sendButtons();
    // The quick panel's transfer is where a side is chosen.
    const bool panel = std::any_of(buttons.begin(), buttons.end(), panelOf);
    return panel ? 12 : !buttons.empty() ? 6 : quickEntry() ? 20 : 0;
}

// The chart's 速摘 while no panel is open over it.
View* ChoiceOnReturn::quickEntry() const {
    for (auto* entry : m_driver.visibleViewsOfClass<VKJYCustomButton>()) {
        for (const View* view = entry; view; view = view->superview()) {
            auto* chart = dynamic_cast<VKJYMarketChartController*>(view->viewController());
            if (chart && chart->buyButton() == entry && !chart->tradeVC() &&
                m_driver.reaches(entry)) {
                return entry;
            }
        }
    }
    return nullptr;
}

std::vector<Button*> ChoiceOnReturn::sendButtons() const {
    std::vector<Button*> found;
    for (Button* button : m_driver.viewsOfClass<Button>()) {
        if (m_driver.reaches(button) && readingOf(button)) {
            found.push_back(button);
        }
    }
    return found;
}

std::optional<SentShownCheck::Reading> ChoiceOnReturn::readingOf(const Button* send) const {
    const auto readings = send ? m_forms.readForms(send) : std::vector<Reading>{};
    if (readings.empty()) {
        return std::nullopt;
    }
    return readings.front();
}

void ChoiceOnReturn::act(ExerciseRandom& random) {
    if (sendButtons().empty() && m_hands.tap(quickEntry(), "速摘")) {
        m_driver.runFor(kShowsAgain,
                        [&] { return !sendButtons().empty() && !Application::isInTransition(); });
    }
    const std::vector<Button*> buttons = sendButtons();
    if (buttons.empty()) {
        return m_hands.note("a choice kept on return: no form on show");
    }
    const WeakLink<Button> button = buttons[random.below(buttons.size())];
    WeakLink<PXFastTradeViewController> panel = panelOf(button.get());
    const bool hadPanel = static_cast<bool>(panel);
    if (panel) {
        chooseASide(*panel.get(), random);
    }
    const auto chosen = readingOf(button.get());
    std::string back;
    if (!chosen) {
        return;
    }
    m_hands.note("a choice kept on return: " + chosen->describe());
    if (!leaveByATab(back)) {
        return;
    }
    const std::string account = PXTradeModule::shared().defaultString("JYUserName");
    changeTheHoldings(*chosen, codeOf(*chosen, panel.get()), random);
    selectTab(back);
    m_driver.runUntil([&] { return !button || m_driver.reaches(button.get()); }, kShowsAgain);
    m_driver.settle();
    const bool sameLogin = PXTradeModule::shared().tradeLogin() &&
                           PXTradeModule::shared().defaultString("JYUserName") == account;
    if (!button || !m_driver.reaches(button.get())) {
        if (hadPanel && sameLogin && (!panel || !panel->isShown())) {
            m_hands.violation("the quick panel closed when the quote screen showed again");
        }
        return m_hands.note("a choice kept on return: the form is not on show");
    }
    // A holding that went is forgotten by the refresh that finds it gone.
    m_driver.runUntil(
        [&] {
            const auto now = readingOf(button.get());
            return !now || !now->holdingGone;
        },
        kShowsAgain);
    if (const auto now = readingOf(button.get()); now && sameLogin) {
        compare(*chosen, *now, startsOnBuying(button.get()));
    }
    if (random.chance(0.7)) {
        send(button.get(), panel.get());
    }
}

// Another device first opens the side the account does not hold, so both are offered.
void ChoiceOnReturn::chooseASide(PXFastTradeViewController& panel, ExerciseRandom& random) {
    WeakLink<PXFastTradeViewController> kept = &panel;
    const std::string code = panel.commodityCode();
    if (panel.XiaDanType() == 1 && !dynamic_cast<PXFastTradeVCZYMS*>(&panel) &&
        random.chance(0.8)) {
        for (const std::string side : {"1", "2"}) {
            if (clientLots(code)[side] == 0) {
                m_hands.note("another device opens " + code + " side " + side);
                post("/control/trade/order?" + environment() +
                     "&account=" + PXTradeModule::shared().defaultString("JYUserName") +
                     "&commodity=" + code + "&side=" + side + "&qty=2");
            }
        }
        awaitHoldings(code);
        m_hands.tap(m_driver.reaches(panel.more()) ? panel.more() : nullptr, "去速转");
        m_driver.runUntil(
            [&] { return !kept || (kept->isShown() && !Application::isInTransition()); },
            kShowsAgain);
    }
    if (!kept || !kept->buyButton()->isEnabled() || !kept->sellButton()->isEnabled()) {
        return;
    }
    m_hands.tap(random.chance(0.5) ? kept->buyButton() : kept->sellButton(), "side");
    m_driver.settle();
    if (kept && kept->shuLiangTextField()->text().empty()) {
        m_hands.tap(kept->key("1"), "key");
        m_driver.settle();
    }
}

// To the other tab by the tab bar, or, where the screen hides it, as the client's own switch to
// the trade tab does; `back` is the tab left.
bool ChoiceOnReturn::leaveByATab(std::string& back) {
    TabBarController* tabs = VKJYAppDelegate::shared()->tabBarHelper().tabBarController();
    TabBar* bar = tabs ? tabs->tabBar() : nullptr;
    if (!bar || bar->items().size() < 2) {
        return false;
    }
    const int from = tabs->selectedIndex();
    back = bar->items()[from].title;
    const int to = from == VKJYTabBarHelper::kTradeTab ? VKJYTabBarHelper::kHangQingTab
                                                       : VKJYTabBarHelper::kTradeTab;
    selectTab(bar->items()[to].title);
    return true;
}

void ChoiceOnReturn::selectTab(const std::string& title) {
    m_hands.note("tab " + title);
    if (m_hands.tapTab(title)) {
        return;
    }
    TabBarController* tabs = VKJYAppDelegate::shared()->tabBarHelper().tabBarController();
    const auto& items = tabs->tabBar()->items();
    for (size_t index = 0; index < items.size(); ++index) {
        if (items[index].title == title) {
            m_hands.note("tab " + title + " (the client's own switch: the bar is hidden)");
            tabs->setSelectedIndex(static_cast<int>(index));
            m_driver.settle();
        }
    }
}

// Mostly what the choice stands on goes: the holding chosen, or every lot the chosen side
// closes; else another lot of the commodity comes.
void ChoiceOnReturn::changeTheHoldings(const Reading& shown, const std::string& code,
                                       ExerciseRandom& random) {
    if (code.empty()) {
        return m_hands.note("holdings unchanged: no commodity on show");
    }
    const std::string account = PXTradeModule::shared().defaultString("JYUserName");
    const std::string closedSide = shown.side && *shown.side == "1" ? "2" : "1";
    const auto reply =
        m_exchange.get("/control/trade/books?" + environment() + "&account=" + account);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    const bool closing = random.chance(0.7) && books.is_object();
    std::vector<std::string> closed;
    for (const auto& holding : closing ? books["holdings"] : nlohmann::json::array()) {
        const std::string id = std::to_string(holding.value("id", int64_t{0}));
        const bool chosen = shown.holding && !shown.holding->empty()
                                ? *shown.holding == id
                                : holding.value("commodity", "") == code &&
                                      std::to_string(holding.value("side", 0)) == closedSide;
        if (chosen) {
            closed.push_back(id);
        }
    }
    for (const std::string& id : closed) {
        m_hands.note("another device closes holding " + id + " of " + code);
        post("/control/trade/close?" + environment() + "&account=" + account + "&holding=" + id);
    }
    if (closed.empty()) {
        m_hands.note("another device opens a lot of " + code);
        post("/control/trade/order?" + environment() + "&account=" + account +
             "&commodity=" + code + "&side=" + std::to_string(1 + random.below(2)) + "&qty=1");
    }
    awaitHoldings(code);
}

void ChoiceOnReturn::awaitHoldings(const std::string& code) {
    const std::string query = "/control/trade/books?" + environment() +
                              "&account=" + PXTradeModule::shared().defaultString("JYUserName");
    const auto books = nlohmann::json::parse(m_exchange.get(query).body, nullptr, false);
    std::map<std::string, int> lots;
    for (const auto& holding : books.is_object() ? books["holdings"] : nlohmann::json::array()) {
        if (holding.value("commodity", "") == code) {
            lots[std::to_string(holding.value("side", 0))] += holding.value("qty", 0);
        }
    }
    std::erase_if(lots, [](const auto& side) { return side.second == 0; });
    m_driver.runUntil(
        [&] { return !PXTradeModule::shared().tradeLogin() || clientLots(code) == lots; },
        kHoldingsArrive);
}

// The one-commodity delisting screen starts again on the buy side each time it shows.
bool ChoiceOnReturn::startsOnBuying(const View* send) {
    for (; send; send = send->superview()) {
        if (dynamic_cast<PXJYSimpleJianCangVC*>(send->viewController())) {
            return true;
        }
    }
    return false;
}

void ChoiceOnReturn::compare(const Reading& chosen, const Reading& now, bool sideResets) {
    const auto replaced = [](const std::optional<std::string>& was,
                             const std::optional<std::string>& is) {
        return shown(was) && shown(is) && *was != *is;
    };
    std::string what;
    if (chosen.side && now.side && *chosen.side != *now.side && !sideResets) {
        what += " side " + *chosen.side + " -> " + *now.side;
    }
    if (replaced(chosen.commodity, now.commodity)) {
        what += " commodity " + *chosen.commodity + " -> " + *now.commodity;
    }
    if (replaced(chosen.holding, now.holding)) {
        what += " holding " + *chosen.holding + " -> " + *now.holding;
    }
    if (now.holdingGone) {
        what += " holding " + *now.holding + " shown after it went";
    }
    if (!what.empty()) {
        m_hands.violation("after " + chosen.form + " showed again it is not as chosen:" + what);
    }
}

// A quick panel with nothing left to close refuses the order.
void ChoiceOnReturn::send(Button* button, PXFastTradeViewController* panel) {
    const bool refused = panel && panel->XiaDanType() == 2 &&
                         panel->fanWei()->text() == kNothingToClose &&
                         Text::intValue(panel->shuLiangTextField()->text()) >= 1;
    m_hands.tap(button, "send");
    m_driver.settle();
    AlertView* alert = m_driver.visibleAlert();
    if (refused && (!alert || alert->message() != PXFastTradeRules::kWrongQuantity)) {
        m_hands.violation("the quick panel showing " + std::string(kNothingToClose) +
                          " did not refuse the order");
    }
}

std::string ChoiceOnReturn::codeOf(const Reading& shown,
                                   const PXFastTradeViewController* panel) const {
    if (panel) {
        return panel->commodityCode();
    }
    for (const auto& [code, commodity] : PXTradeModule::shared().PXJYData().shangPinXinXi()) {
        if (commodity && shown.commodity && commodity->commodityName == *shown.commodity) {
            return code;
        }
    }
    return {};
}

std::string ChoiceOnReturn::environment() const {
    PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

void ChoiceOnReturn::post(const std::string& path) {
    const auto reply = m_exchange.post(path);
    m_hands.note("the exchange: " + (reply.status == 200 ? std::string("done") : reply.body));
}
