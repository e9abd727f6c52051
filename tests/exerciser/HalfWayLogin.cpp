#include "HalfWayLogin.h"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>

#include "ExerciseRandom.h"
#include "platform/foundation/HttpClient.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/ScreenDriver.h"
#include "shell/VKJYCommonViewUtil.h"
#include "support/SimProcess.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"

namespace {
// Wall-time guard of the login's answer; the timers' seconds after it: two beats and a margin,
// in which a session-lost refusal would come.
constexpr double kHalfWayLoginSeconds = 20;
constexpr double kHalfWayReading = 1;
constexpr double kHalfWayAfterwards = 5;
const char* const kHalfWaySessionLost = "您的当前登录状态已失效";
// The chain's steps after the logon.
const char* const kLaterSteps[] = {"commodity_query", "other_firm_query", "holding_query",
                                   "holding_detail_query", "firm_info"};

std::string sessionOfTheClient() {
    const auto& session = PXTradeModule::shared().PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}
}  // namespace

HalfWayLogin::HalfWayLogin(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver), m_exchange(exchange), m_hands(std::move(hands)), m_alerts(driver) {}

int HalfWayLogin::weight() const {
    return m_hands.onTradeHome() && PXTradeModule::shared().tradeLogin() ? 3 : 0;
}

std::string HalfWayLogin::liveSession(const std::string& query, const std::string& account) {
    const auto reply = m_exchange.get("/control/trade/books?" + query + "&account=" + account);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    return reply.status == 200 && books.is_object() ? books.value("session", std::string())
                                                    : std::string();
}

void HalfWayLogin::act(ExerciseRandom& random) {
    PXTradeModule& module = PXTradeModule::shared();
    const std::string query = "jys=" + module.defaultString("platform_code") +
                              "&env=" + module.defaultString("environment_code");
    const std::string account = module.defaultString("JYUserName");
    // A session the exchange had already ended (a restart, an expiry) is rightly reported lost.
    const bool wasLive = liveSession(query, account) == sessionOfTheClient();
    m_hands.note("log in again as " + account + " from 账户's +");
    if (!m_hands.openAccountLogin()) {
        return;
    }
    const char* step = kLaterSteps[random.below(std::size(kLaterSteps))];
    m_hands.note(std::string("fault: the exchange takes the logon and refuses ") + step);
    m_exchange.post("/control/trade/answer?" + query + "&code=1&name=" + step);
    m_alerts.mark();
    // The captcha the screen asks for first is what the login types.
    m_driver.runUntil(
        [] {
            return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
        },
        kHalfWayLoginSeconds);
    m_hands.logInAs(account);
    m_driver.runUntil(
        [this] {
            m_alerts.note();
            return !m_alerts.told().empty() || (HttpClient::exchangesInFlight() == 0 &&
                                                VKJYCommonViewUtil::activityCount() == 0);
        },
        kHalfWayLoginSeconds);
    if (m_alerts.told().empty()) {
        return m_hands.note("the login went through");
    }
    m_alerts.watch(kHalfWayReading);
    if (AlertView* alert = m_driver.visibleAlert()) {
        m_hands.note("answer '" + alert->message() + "'");
        m_driver.tapAlertButton(alert->buttonTitleAtIndex(std::max(alert->cancelButtonIndex(), 0)));
    }
    m_alerts.watch(kHalfWayAfterwards);
    const std::string told = m_alerts.joined();
    m_hands.note("told:" + told);
    if (!wasLive) {
        return m_hands.note("the session had already ended at the exchange");
    }
    const bool lost =
        std::any_of(m_alerts.told().begin(), m_alerts.told().end(), [](const std::string& text) {
            return text.find(kHalfWaySessionLost) != std::string::npos;
        });
    if (m_alerts.told().size() > 1 || lost) {
        m_hands.violation("a failed login of " + account + " told the user " +
                          std::to_string(m_alerts.told().size()) + " times:" + told);
    }
    const std::string live = liveSession(query, account);
    if (module.tradeLogin() && sessionOfTheClient() != live) {
        m_hands.violation("after a failed login " + account + " is logged in on session " +
                          sessionOfTheClient() + ", which the exchange does not hold (it holds '" +
                          live + "')");
    }
}
