#include "FastFingerSlowLine.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <typeinfo>

#include "ExerciseJournal.h"
#include "ExerciseRandom.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemSound.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/Button.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenDriver.h"
#include "platform/ui/Touch.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "support/SimProcess.h"
#include "trade/account/PXJYAccountInfoViewController.h"
#include "trade/core/PXTradeModule.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYTradeLoginVC.h"

namespace {
constexpr unsigned kDealSound = 1007;
constexpr double kBeat = 2;
const char* const kSessionLost = "您的当前登录状态已失效";

size_t dealSounds() {
    const auto played = SystemSound::playedSounds();
    return static_cast<size_t>(std::count(played.begin(), played.end(), kDealSound));
}

// The views of the screens told they will appear and not yet that they did.
void appearing(ViewController* controller, std::vector<WeakLink<View>>& out) {
    if (!controller) {
        return;
    }
    if (controller->isAppearing() && controller->isViewLoaded()) {
        out.emplace_back(controller->view());
    }
    for (ViewController* child : controller->childViewControllers()) {
        appearing(child, out);
    }
    appearing(controller->presentedViewController(), out);
}

ViewController* topScreen(const ScreenDriver& driver) {
    Window* window = driver.window();
    return window ? window->topViewController() : nullptr;
}

template <typename T>
std::string typeName(const T& object) {
    int status = 0;
    char* readable = abi::__cxa_demangle(typeid(object).name(), nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : typeid(object).name();
    std::free(readable);
    return name;
}

std::string pointText(Point p) {
    return "(" + std::to_string(static_cast<int>(p.x)) + "," +
           std::to_string(static_cast<int>(p.y)) + ")";
}
}  // namespace

FastFingerSlowLine::FastFingerSlowLine(Context context)
    : m(std::move(context)),
      m_deals(
          knownAccounts(), [this](const auto& account) { return dealsOf(account); }, dealSounds()) {
}

std::vector<DealLedger::Account> FastFingerSlowLine::knownAccounts() {
    std::vector<DealLedger::Account> known;
    for (const auto& lines : m.exchange.tradeLines()) {
        const std::string query = "jys=" + lines.exchange + "&env=" + lines.environment;
        for (const std::string& account : m.accounts) {
            if (dealsOf({query, account})) {
                known.emplace_back(query, account);
            }
        }
    }
    return known;
}

void FastFingerSlowLine::wait(double seconds) {
    m.driver.runFor(seconds);
}

std::string FastFingerSlowLine::sessionQuery() const {
    PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

// A tap straight through the screen, so that the finger's view can be read while it is down.
void FastFingerSlowLine::tap(Point at, double time) {
    Window* window = m.driver.window();
    if (!window) {
        return;
    }
    m.beforeTap(window->hitTest(at));
    std::vector<WeakLink<View>> sliding;
    appearing(window->rootViewController(), sliding);
    if (!sliding.empty() && sliding.front()) {
        const ViewController* owner = sliding.front()->viewController();
        m.journal.add("a tap at " + pointText(at) + " while " +
                      (owner ? typeName(*owner) : "a screen") + " appears");
    }
    m.screen.sendTouches({{1, TouchPhase::Began, at}}, time);
    const Touch* finger = window->touchInFlight(1);
    View* reached = finger ? finger->view() : nullptr;
    for (const WeakLink<View>& screen : sliding) {
        View* v = screen.get();
        if (reached && v && (reached == v || reached->isDescendantOf(v))) {
            const ViewController* owner = v->viewController();
            m.violation("a tap at " + pointText(at) + " reached " + typeName(*reached) + " on " +
                        (owner ? typeName(*owner) : "a screen") +
                        " before it had finished appearing");
        }
    }
    m.screen.sendTouches({{1, TouchPhase::Ended, at}}, time + 0.05);
}

void FastFingerSlowLine::doubleTap(const std::vector<View*>& offered) {
    const Point first = m.driver.visibleRect(offered[m.random.below(offered.size())]).center();
    const double gap = m.random.between(0.05, 0.2);
    const bool onWhatOpened = m.random.chance(0.6);
    // Slides take their real time here, so the second tap can land in one.
    const double speed = View::animationSpeed();
    View::setAnimationSpeed(1);
    const double time = m.driver.nextTime();
    tap(first, time);
    wait(gap);
    Point second = first;
    if (onWhatOpened) {
        const std::vector<View*> now = m.hittables();
        if (!now.empty()) {
            second = m.driver.visibleRect(now[m.random.below(now.size())]).center();
        }
    }
    m.journal.add("double tap " + pointText(first) + " then " + pointText(second) + " after " +
                  std::to_string(static_cast<int>(gap * 1000)) + " ms");
    tap(second, m.driver.nextTime(0.05 + gap));
    View::setAnimationSpeed(speed);
    m.driver.settle();
}

void FastFingerSlowLine::slowHeartbeats() {
    PXTradeModule& module = PXTradeModule::shared();
    // A session the exchange ended (a restart, say) is refused at the next beat: the client
    // hears so first, for a refusal held on its way would not count as heard.
    m.driver.runFor(2 * kBeat + 0.5, [&] { return !module.tradeLogin(); });
    if (!module.tradeLogin()) {
        return m.journal.add("fault: no heartbeat to hold");
    }
    const std::string held = sessionQuery() + "&name=SYS_TIME_QUERY";
    const double seconds = m.random.between(kBeat + 0.5, 3 * kBeat);
    const bool deal = m.random.chance(0.7);
    static const char* const kCodes[] = {"AG", "AU", "CU"};
    const std::string order = sessionQuery() + "&account=" + module.defaultString("JYUserName") +
                              "&commodity=" + kCodes[m.random.below(3)] +
                              "&side=" + std::to_string(1 + m.random.below(2)) + "&qty=1";
    m.journal.add("fault: heartbeat answers held " + std::to_string(int(seconds * 1000)) + " ms" +
                  (deal ? ", a deal made on another device meanwhile" : ""));
    m.exchange.post("/control/trade/hold?" + held + "&answered=1");
    // Early in the hold, so that more than one held answer can name the deal.
    const double before = m.random.between(0, 0.5);
    wait(before);
    if (deal) {
        const auto reply = m.exchange.post("/control/trade/order?" + order);
        m.journal.add("the other device's order: " + std::to_string(reply.status) + " " +
                      reply.body.substr(0, 80));
    }
    wait(seconds - before);
    m.exchange.post("/control/trade/release?" + held);
    wait(kBeat + 0.5);
}

bool FastFingerSlowLine::openAccountLogin() {
    auto* home = dynamic_cast<PXJYRootViewController*>(topScreen(m.driver));
    if (!home) {
        return false;
    }
    if (!m.driver.isVisible(home->menuListView())) {
        m.driver.tap(home->navigationBarView()->menuButton());
        m.driver.settle();
    }
    View* entry = m.driver.viewWithText("账户");
    if (!entry || !m.driver.tap(entry)) {
        m.journal.add("no 账户 entry to tap");
        return false;
    }
    m.driver.settle();
    auto* accounts = dynamic_cast<PXJYAccountInfoViewController*>(topScreen(m.driver));
    Button* add = nullptr;
    for (View* v : accounts ? m.hittables() : std::vector<View*>{}) {
        auto* button = dynamic_cast<Button*>(v);
        const Rect shown = m.driver.visibleRect(v);
        if (button && v->isDescendantOf(accounts->view()) && shown.x >= 270 && shown.y < 80) {
            add = button;
        }
    }
    if (!add || !m.driver.tap(add)) {
        m.journal.add("no + on the account screen");
        return false;
    }
    m.driver.settle();
    if (!dynamic_cast<PXJYTradeLoginVC*>(topScreen(m.driver))) {
        m.journal.add("+ opened no login");
        return false;
    }
    return true;
}

void FastFingerSlowLine::addAccountWhileBeating() {
    m.journal.add("add an account from 账户 while the heartbeat runs");
    // A session the exchange had already ended (a restart, an expiry) is rightly reported lost.
    const bool wasLive = sessionLiveAtTheExchange();
    if (!openAccountLogin()) {
        return;
    }
    const std::string held = sessionQuery() + "&name=logon";
    m.exchange.post("/control/trade/hold?" + held);
    m.logIn();
    wait(m.random.between(kBeat + 0.5, 3 * kBeat));
    m.exchange.post("/control/trade/release?" + held);
    m.driver.runUntil([] { return VKJYCommonViewUtil::activityCount() == 0; }, 15);
    wait(kBeat + 0.5);
    if (!wasLive) {
        return m.journal.add("the session had already ended at the exchange");
    }
    for (const std::string& text : m.driver.visibleTexts()) {
        if (text.find(kSessionLost) != std::string::npos) {
            m.violation("adding an account lost the live session: " + text);
        }
    }
}

bool FastFingerSlowLine::sessionLiveAtTheExchange() {
    const std::string account = PXTradeModule::shared().defaultString("JYUserName");
    const auto reply =
        m.exchange.get("/control/trade/books?" + sessionQuery() + "&account=" + account);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    return reply.status == 200 && books.is_object() && books.value("live", false);
}

std::optional<DealLedger::Books> FastFingerSlowLine::dealsOf(const DealLedger::Account& account) {
    const auto reply =
        m.exchange.get("/control/trade/books?" + account.first + "&account=" + account.second);
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !books.is_object() || !books.contains("deals")) {
        return std::nullopt;
    }
    DealLedger::Books deals;
    for (const auto& deal : books["deals"]) {
        deals.emplace(deal["no"].get<long long>(), deal["commodity"].get<std::string>(),
                      deal["qty"].get<int>());
    }
    return deals;
}

void FastFingerSlowLine::dealsBeforeTheLogin(const std::string& query, const std::string& account) {
    checkAnnouncements();
    m_deals.startFrom({query, account});
}

void FastFingerSlowLine::checkAnnouncements() {
    PXTradeModule& module = PXTradeModule::shared();
    std::optional<DealLedger::Account> loggedIn;
    if (module.tradeLogin()) {
        loggedIn.emplace(sessionQuery(), module.defaultString("JYUserName"));
    }
    const DealLedger::Outcome outcome = m_deals.check(loggedIn, dealSounds());
    if (outcome.sounds > 0 || outcome.newDeals > 0) {
        m.journal.add("new deals " + std::to_string(outcome.newDeals) + ", deal sounds " +
                      std::to_string(outcome.sounds) + ", deals not yet announced " +
                      std::to_string(outcome.notYetAnnounced));
    }
    if (outcome.announcedTwice > 0) {
        m.violation("a deal was announced more than once or before its login: " +
                    std::to_string(outcome.announcedTwice) +
                    " deal sounds more than the books' new deals");
    }
}
