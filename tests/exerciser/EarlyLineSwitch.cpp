#include "EarlyLineSwitch.h"

#include <nlohmann/json.hpp>

#include "platform/foundation/HttpClient.h"
#include "platform/ui/Button.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Window.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "support/SimProcess.h"
#include "trade/account/PXJYChangeLinkVC.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYTradeLoginVC.h"

namespace {
constexpr double kEarlySwitchBeat = 2;
// Wall-time guard of the login's and a screen's answer.
constexpr double kEarlySwitchSeconds = 20;

ViewController* topScreenOf(const ScreenDriver& driver) {
    Window* window = driver.window();
    return window ? window->topViewController() : nullptr;
}
}  // namespace

EarlyLineSwitch::EarlyLineSwitch(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver), m_exchange(exchange), m_hands(std::move(hands)) {}

int EarlyLineSwitch::weight() const {
    return m_hands.onTheRootLogin() && !PXTradeModule::shared().tradeLogin() ? 4 : 0;
}

// At market, on the first commodity whose order the exchange takes (not one of the order book).
void EarlyLineSwitch::dealElsewhere(const std::string& query, const std::string& account) {
    const auto prices = nlohmann::json::parse(
        m_exchange.get("/control/trade/prices?" + query).body, nullptr, false);
    if (!prices.is_object()) {
        return m_hands.note("no prices to deal at before the login");
    }
    for (const auto& [code, price] : prices.items()) {
        const auto reply = m_exchange.post("/control/trade/order?" + query + "&account=" +
                                           account + "&commodity=" + code + "&side=1&qty=1");
        if (reply.status == 200) {
            return m_hands.note("a deal in " + code + " made on another device before the login");
        }
    }
    m_hands.note("no deal could be made before the login");
}

void EarlyLineSwitch::act(ExerciseRandom&) {
    PXTradeModule& module = PXTradeModule::shared();
    auto* login = dynamic_cast<PXJYTradeLoginVC*>(topScreenOf(m_driver));
    if (!login) {
        return;
    }
    const std::string query = "jys=" + login->target().platformCODE +
                              "&env=" + login->target().environmentCODE;
    const std::string account = m_hands.accountOfTheLogin();
    dealElsewhere(query, account);
    m_hands.dealsBeforeTheLogin(query, account);
    m_hands.note("fault: the login's heartbeat is refused");
    m_exchange.post("/control/trade/answer?" + query + "&code=1&name=SYS_TIME_QUERY");
    // The captcha the screen asks for first is what the login types.
    m_driver.runUntil(
        [] {
            return HttpClient::exchangesInFlight() == 0 &&
                   VKJYCommonViewUtil::activityCount() == 0;
        },
        kEarlySwitchSeconds);
    m_hands.logInAs(account);
    m_driver.runUntil([&] { return module.tradeLogin() || m_driver.visibleAlert(); },
                      kEarlySwitchSeconds);
    if (!module.tradeLogin()) {
        return m_hands.note("the login did not go through");
    }
    const std::string held = query + "&name=SYS_TIME_QUERY";
    m_hands.note("fault: heartbeat answers held while the line is switched");
    m_exchange.post("/control/trade/hold?" + held + "&answered=1");
    // The timers' first beat leaves for the line in use.
    m_driver.runFor(kEarlySwitchBeat + 0.5);
    switchTheLine();
    m_exchange.post("/control/trade/release?" + held);
    // The late answers come, and the beats after them are answered and heard.
    m_driver.runFor(3 * kEarlySwitchBeat + 0.5);
}

// 更多 → 切换链路 → the line not in use, from the trade home the login returns to.
void EarlyLineSwitch::switchTheLine() {
    m_driver.runUntil(
        [this] {
            return dynamic_cast<PXJYRootViewController*>(topScreenOf(m_driver)) &&
                   VKJYCommonViewUtil::activityCount() == 0 && !m_driver.visibleAlert();
        },
        kEarlySwitchSeconds);
    auto* home = dynamic_cast<PXJYRootViewController*>(topScreenOf(m_driver));
    if (!home) {
        return m_hands.note("the login led to no trade home");
    }
    if (!m_driver.isVisible(home->menuListView())) {
        m_driver.tap(home->navigationBarView()->menuButton());
        m_driver.settle();
    }
    if (!m_hands.tapText("更多") || !m_hands.tapText("    切换链路")) {
        return m_hands.note("no way to 切换链路");
    }
    auto* lines = dynamic_cast<PXJYChangeLinkVC*>(topScreenOf(m_driver));
    const std::string inUse = PXTradeModule::shared().PXJYData().tradeLinkType();
    for (size_t row = 0; lines && row < lines->tradeLinkArray().size(); ++row) {
        if (lines->tradeLinkArray()[row].code != inUse) {
            m_hands.note("line " + lines->tradeLinkArray()[row].llna + " chosen");
            m_driver.tapRow(*lines->tableView(), {0, static_cast<int>(row)});
            return m_driver.settle();
        }
    }
    m_hands.note("no other line to choose");
}
