#include "SlowLogonAgain.h"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>

#include "ExerciseRandom.h"
#include "platform/foundation/HttpClient.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "shell/VKJYCommonViewUtil.h"
#include "support/SimProcess.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeRecords.h"
#include "trade/login/PXJYSwitchingAccountView.h"

namespace {
// Wall-time guards; the rest on the timers' clock. Past the client's 20-s time-out.
constexpr double kSlowGuard = 40;
constexpr double kSlowPastTheTimeOut = 25;
// Two beats and a margin after the login, in which a refusal of the old session would come.
constexpr double kSlowAfterwards = 5;
const char* const kSlowLossTexts[] = {"您的当前登录状态已失效", "长时间未操作登录状态已失效"};
// The forms whose 交易账户 opens a login.
const char* const kSlowForms[] = {"摘牌", "挂牌"};

std::string slowClientSession() {
    const auto& session = PXTradeModule::shared().PXJYData().tradeSession();
    return session ? session->JYsessionID : std::string();
}

bool slowQuiet() {
    return HttpClient::exchangesInFlight() == 0 && VKJYCommonViewUtil::activityCount() == 0;
}

// The session a request the exchange got names.
std::string slowSessionNamed(const nlohmann::json& fields) {
    for (const char* key : {"SESSION_ID", "sessionid"}) {
        if (fields.is_object() && fields.contains(key) && fields[key].is_string()) {
            return fields[key].get<std::string>();
        }
    }
    return {};
}
}  // namespace

SlowLogonAgain::SlowLogonAgain(ScreenDriver& driver, SimProcess& exchange, Hands hands)
    : m_driver(driver), m_exchange(exchange), m_hands(std::move(hands)), m_alerts(driver) {}

int SlowLogonAgain::weight() const {
    return m_hands.onTradeHome() && PXTradeModule::shared().tradeLogin() ? 2 : 0;
}

void SlowLogonAgain::act(ExerciseRandom& random) {
    if (random.chance(0.25)) {
        return switchWithLostLogoff(random);
    }
    logonAgain(random);
}

std::string SlowLogonAgain::envQuery() const {
    const PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

size_t SlowLogonAgain::receivedSoFar(const std::string& query) {
    const auto reply = m_exchange.get("/control/trade/received?" + query + "&from=0&names=-");
    const auto got = nlohmann::json::parse(reply.body, nullptr, false);
    return got.is_object() ? got.value("next", size_t(0)) : 0;
}

bool SlowLogonAgain::liveAtTheExchange(const std::string& query, const std::string& account,
                                       const std::string& session) {
    const auto reply = m_exchange.get("/control/trade/books?" + query + "&account=" + account);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    return reply.status == 200 && books.is_object() &&
           books.value("session", std::string()) == session;
}

void SlowLogonAgain::waitQuiet(double seconds) {
    m_driver.runUntil(
        [this] {
            m_alerts.note();
            return m_driver.visibleAlert() != nullptr || slowQuiet();
        },
        seconds);
}

// Whatever the login ended in: its alert answered, the login screen left, the timers given the
// time to beat under whatever session the client then holds.
void SlowLogonAgain::answerAndLeave() {
    for (int i = 0; i < 3; ++i) {
        AlertView* alert = m_driver.visibleAlert();
        if (!alert) {
            break;
        }
        m_hands.note("answer '" + alert->message() + "'");
        m_driver.tapAlertButton(alert->buttonTitleAtIndex(std::max(alert->cancelButtonIndex(), 0)));
        m_alerts.watch(0.5);
    }
    if (!m_hands.onTradeHome()) {
        m_hands.back();
    }
    m_alerts.watch(kSlowAfterwards);
}

bool SlowLogonAgain::openFormSwitcher(ExerciseRandom& random, bool anotherAccount) {
    const char* form = kSlowForms[random.below(std::size(kSlowForms))];
    if (!m_hands.openMenuEntry(form)) {
        return false;
    }
    m_driver.runUntil(slowQuiet, kSlowGuard);
    PXJYSwitchingAccountView* switcher = nullptr;
    for (auto* candidate : m_driver.viewsOfClass<PXJYSwitchingAccountView>()) {
        if (m_driver.reaches(candidate->accountButton())) {
            switcher = candidate;
        }
    }
    if (!switcher || !m_driver.tap(switcher->accountButton())) {
        m_hands.note(std::string("no 交易账户 on ") + form);
        return false;
    }
    m_driver.settle();
    m_hands.note(std::string(form) + " → 交易账户");
    if (!anotherAccount) {
        View* add = m_driver.viewWithText("添加账号");
        return add && m_driver.tap(add);
    }
    TableView* list = switcher->environmentListView();
    for (const IndexPath& row : list->indexPathsForVisibleRows()) {
        const TableViewCell* cell = list->cellForRow(row);
        const auto shown = cell ? cell->contentView()->subviews() : std::vector<View*>();
        if (std::none_of(shown.begin(), shown.end(),
                         [](const View* view) { return ScreenDriver::textOf(view) == "已登录"; })) {
            return m_driver.tapRow(*list, row);
        }
    }
    m_hands.note("no other saved account");
    return false;
}

void SlowLogonAgain::logonAgain(ExerciseRandom& random) {
    const std::string query = envQuery();
    const std::string account = PXTradeModule::shared().defaultString("JYUserName");
    const std::string session = slowClientSession();
    // A session the exchange had already ended (a restart, an expiry) is rightly reported lost.
    const bool wasLive = liveAtTheExchange(query, account, session);
    const bool fromAccounts = random.chance(0.5);
    m_hands.note("log in again as " + account +
                 (fromAccounts ? " from 账户's +" : " from a form's 添加账号"));
    if (!(fromAccounts ? m_hands.openAccountLogin() : openFormSwitcher(random, false))) {
        return;
    }
    const double delays[] = {1, random.between(3, 8), kSlowPastTheTimeOut};
    const double delay = delays[random.below(std::size(delays))];
    m_hands.note("fault: the exchange takes the logon and answers it " + std::to_string(delay) +
                 " s later");
    // The captcha the screen asks for first is what the login types.
    m_driver.runUntil(slowQuiet, kSlowGuard);
    m_exchange.post("/control/trade/hold?" + query + "&name=logon&answered=1");
    m_alerts.mark();
    const size_t from = receivedSoFar(query);
    m_hands.logInAs(account);
    m_alerts.watch(delay);
    m_exchange.post("/control/trade/release?" + query + "&name=logon");
    waitQuiet(kSlowGuard);
    answerAndLeave();
    check(query, from, "logon", session, wasLive);
}

void SlowLogonAgain::switchWithLostLogoff(ExerciseRandom& random) {
    const std::string query = envQuery();
    const std::string account = PXTradeModule::shared().defaultString("JYUserName");
    const std::string session = slowClientSession();
    const bool wasLive = liveAtTheExchange(query, account, session);
    m_hands.note("switch from " + account + ", its logoff answered past the time-out");
    if (!openFormSwitcher(random, true)) {
        return;
    }
    m_driver.runUntil(slowQuiet, kSlowGuard);
    m_exchange.post("/control/trade/hold?" + query + "&name=logoff&answered=1");
    m_alerts.mark();
    const size_t from = receivedSoFar(query);
    m_hands.logInAs("");
    m_driver.runUntil([this] { return m_driver.visibleAlert() != nullptr; }, 5);
    if (AlertView* confirm = m_driver.visibleAlert()) {
        // The switch's own question is no telling.
        m_alerts.seen(confirm);
        m_driver.tapAlertButton("确定");
    }
    m_alerts.watch(kSlowPastTheTimeOut);
    m_exchange.post("/control/trade/release?" + query + "&name=logoff");
    waitQuiet(kSlowGuard);
    answerAndLeave();
    check(query, from, "logoff", session, wasLive);
}

void SlowLogonAgain::check(const std::string& query, size_t from, const std::string& name,
                           const std::string& session, bool wasLive) {
    const std::string told = m_alerts.joined();
    m_hands.note("told:" + told);
    const auto reply =
        m_exchange.get("/control/trade/received?" + query + "&from=" + std::to_string(from));
    const auto got = nlohmann::json::parse(reply.body, nullptr, false);
    bool left = false;
    for (const auto& request : got.is_object() ? got["requests"] : nlohmann::json::array()) {
        const std::string named = request.value("name", std::string());
        const std::string under = slowSessionNamed(request["fields"]);
        if (left && !session.empty() && under == session) {
            m_hands.violation(named + " went out under session " + session + " after its " + name +
                              " had left");
            break;
        }
        left = left || (named == name && (name == "logoff" || under.empty()));
    }
    if (!wasLive) {
        return m_hands.note("the session had already ended at the exchange");
    }
    const bool lossTold =
        std::any_of(m_alerts.told().begin(), m_alerts.told().end(), [](const std::string& text) {
            return std::any_of(
                std::begin(kSlowLossTexts), std::end(kSlowLossTexts),
                [&text](const char* loss) { return text.find(loss) != std::string::npos; });
        });
    if (PXTradeModule::shared().tradeLogin() && lossTold) {
        m_hands.violation("a login that ended logged in told a session loss:" + told);
    }
    if (m_alerts.told().size() > 1) {
        m_hands.violation("the " + name + " told the user " +
                          std::to_string(m_alerts.told().size()) + " times:" + told);
    }
}
