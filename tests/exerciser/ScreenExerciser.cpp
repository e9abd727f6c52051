#include "ScreenExerciser.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <typeinfo>

#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/HttpClient.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/WeakLink.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/TabBar.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "shell/VKJYCommonViewUtil.h"
#include "shell/VKJYNavigationBarView.h"
#include "shell/VKJYTabBarHelper.h"
#include "trade/close/PXZhuanRangFormView.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradeTimerManger.h"
#include "trade/login/PXJYCaptchaButton.h"
#include "trade/login/PXJYRootViewController.h"
#include "trade/login/PXJYSimpleLoginVC.h"
#include "trade/login/PXJYTradeLoginVC.h"
#include "trade/open/PXJianCangFormView.h"
#include "trade/quick/PXFastTradeViewController.h"
#include "widgets/PadKeyboardBackspaceIcon.h"

namespace {
// A busy overlay may stay this long after the client's last reply came.
constexpr double kOverlayAfterReplies = 25;
// Past this an overlay is stuck whatever the line does (the client gives up after 20 s).
constexpr double kOverlayAtMost = 120;
constexpr double kLineWait = 2;
constexpr double kLineWaitWhileStalled = 0.5;
constexpr int kLongestText = 200;
// Events at most, and seconds, to find the way to the trade home at the end.
constexpr int kWayHomeEvents = 300;
constexpr int kRestartAttempts = 10;
// The exchange forgives a request of an ended session that reaches it up to 2 s after it said so
// (the two crossed); a person reads the alert longer than that before the next tap.
constexpr double kReadingAnAlert = 2.5;
// The heartbeat (every 2 s) tells the client of an ended session within this.
constexpr double kSessionEndNoticed = 6;
constexpr double kHeartbeatSent = 2.5;

// The test's clock, on which the client's timers, the lines' delays and every wait run.
double now() {
    return Timer::now();
}

std::string typeName(const std::type_info& type) {
    int status = 0;
    char* readable = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : type.name();
    std::free(readable);
    return name;
}

// The enabled button a touch on `hit` goes to, if any.
Button* enabledButtonUnder(View* hit) {
    for (View* v = hit; v; v = v->superview()) {
        auto* button = dynamic_cast<Button*>(v);
        if (button && button->isEnabled()) {
            return button;
        }
    }
    return nullptr;
}

bool lineQuiet() {
    return HttpClient::exchangesInFlight() == 0;
}

bool busy() {
    return VKJYCommonViewUtil::activityCount() > 0;
}

// 200 characters of Chinese, digits, letters and signs, as a paste would bring them.
std::string pastedText() {
    const std::vector<std::string> pieces = {"黄", "金", "1", "2", ".", "5", "a", "Z", "-", " "};
    std::string text;
    for (int i = 0; i < kLongestText; ++i) {
        text += pieces[static_cast<size_t>(i * 7 + i / 3) % pieces.size()];
    }
    return text;
}

std::string pointText(Point p) {
    return "(" + std::to_string(static_cast<int>(p.x)) + "," +
           std::to_string(static_cast<int>(p.y)) + ")";
}
}  // namespace

void ScreenExerciser::exercise(uint64_t seed, int count) {
    m_random = std::make_unique<ExerciseRandom>(seed);
    m_journal = std::make_unique<ExerciseJournal>(seed, snapshotFolder + "/events.txt");
    m_quoteScreen = std::make_unique<QuoteScreenRules>(
        driver, exchange, *m_random, *m_journal,
        QuoteScreenRules::Hooks{[this] { return top<VKJYMarketChartController>(); },
                                [this] { return top<VKJYMarketUIViewController>(); },
                                [this] { return driver.visibleAlert() != nullptr; },
                                [this](const std::string& what) { violation(what); }});
    m_fast = std::make_unique<FastFingerSlowLine>(FastFingerSlowLine::Context{
        driver, screen, exchange, *m_random, *m_journal,
        [this](const std::string& what) { violation(what); }, [this] { return hittables(); },
        [this] { logIn(); }, [this](View* hit) { beforeActing(hit); }, everyAccount()});
    launchClient();
    if (!waitForText("实时行情 随时掌握")) {
        violation("no guide on the first start");
    }
    for (int page = 0; page < 2; ++page) {
        driver.drag({280, 300}, {40, 300});
        driver.settle();
    }
    if (!driver.tapText("立即体验") || !runUntilTabBar()) {
        violation("the guide did not lead to the tab bar");
    }
    for (int i = 0; i < count && m_violations.empty() && !HasFatalFailure(); ++i) {
        step();
    }
    if (m_violations.empty()) {
        reconcile();
    }
    summarise();
    std::string found;
    for (const auto& line : m_violations) {
        found += line + "\n";
    }
    EXPECT_TRUE(m_violations.empty())
        << found << "replay: scripts/exercise --seed " << seed << " --events " << count << "\n"
        << m_journal->text();
}

std::vector<ScreenExerciser::Event> ScreenExerciser::events() {
    return {
        {[this] { return m_offered.empty() ? 0 : 30; }, [this] { tapSomething(); }, true},
        {[this] { return visibleTables().empty() ? 0 : 10; }, [this] { tapARow(); }, true},
        {[] { return 4; }, [this] { swipe(); }, true},
        {[] { return 6; }, [this] { scroll(); }, true},
        {[] { return 2; }, [this] { longPress(); }, true},
        {[] { return 2; }, [this] { pinch(); }, true},
        {[this] { return editedField()             ? 12
                         : offeredFields().empty() ? 0
                                                   : 4; },
         [this] { typeSomething(); }, true},
        {[this] { return keyboardShown() ? 12 : 0; }, [this] { pressAKey(); }, true},
        {[this] { return !visibleBackButton() ? 0
                         : onTradeTab()       ? 6
                                              : 15; }, [this] { back(); },
         true},
        {[this] { return !tabBar()      ? 0
                         : onTradeTab() ? 4
                                        : 15; }, [this] { switchTab(); }, true},
        {[this] { return onLoginScreen() ? 40 : 0; }, [this] { logIn(); }, true},
        {[this] { return onTradeHome() ? 25 : 0; }, [this] { openFromTheMenu(); }, true},
        {[this] { return onOrderForm() ? 15 : 0; }, [this] { fillFields(nullptr); }, true},
        {[this] { return submitButtons().empty() ? 0 : 10; }, [this] { submit(); }, true},
        {[this] { return orderForm().send ? 12 : 0; }, [this] { placeAnOrder(); }, true},
        {[] { return 2; },
         [this] {
             const int64_t ms = 1000 * static_cast<int64_t>(1 + m_random->below(120));
             m_journal->add("the exchange's clock moves " + std::to_string(ms) + " ms");
             exchange.advance(ms);
         }},
        {[] { return 2; }, [this] { injectFault(); }},
        {[this] { return m_quoteScreen->weight(); }, [this] { m_quoteScreen->act(); }},
        {[this] { return m_ownPanel.weight(); }, [this] { m_ownPanel.act(*m_random); }},
        {[this] { return m_dayTurns.weight(); }, [this] { m_dayTurns.act(*m_random); }},
        {[this] { return confirmationUp() ? 8 : 0; },
         [this] { endTheSessionUnderAConfirmation(); }},
        {[this] { return m_upsets.weight(); }, [this] { m_upsets.act(*m_random); }},
        {[this] { return m_upsets.bookWeight(); },
         [this] { m_upsets.holdTheBookReply(*m_random); }},
        {[this] { return m_offered.empty() ? 0 : 8; },
         [this] {
             m_confirming = true;
             m_fast->doubleTap(m_offered);
         },
         true},
        {[this] { return m_stallDelay > 0 ? 0 : 2; },
         [this] {
             m_lists.disturbed();
             m_fast->slowHeartbeats();
         }},
        {[this] { return m_stallDelay > 0 ? 0 : m_reversed.weight(); },
         [this] {
             m_lists.disturbed();
             m_reversed.act(*m_random);
         }},
        {[this] { return m_kept.weight(); }, [this] { m_kept.act(*m_random); }},
        {[this] { return m_pickers.weight(); }, [this] { m_pickers.act(*m_random); }},
        {[this] { return m_press.weight(); }, [this] { m_press.act(*m_random); }},
        {[this] { return m_returns.weight(); }, [this] { m_returns.act(*m_random); }},
        {[this] { return m_accounts.weight(); }, [this] { m_accounts.act(*m_random); }},
        {[this] { return m_gapDay.weight(); }, [this] { m_gapDay.act(*m_random); }},
        {[this] { return m_picks.weight(); }, [this] { m_picks.act(*m_random); }},
        {[this] { return onTradeHome() && PXTradeModule::shared().tradeLogin() ? 3 : 0; },
         [this] {
             m_confirming = true;
             m_fast->addAccountWhileBeating();
         }},
        {[this] { return m_halfWay.weight(); }, [this] { m_halfWay.act(*m_random); }},
        {[this] { return m_slowLogon.weight(); },
         [this] {
             m_confirming = true;
             m_lists.disturbed();
             m_slowLogon.act(*m_random);
         }},
        {[this] { return m_earlySwitch.weight(); },
         [this] {
             m_lists.disturbed();
             m_earlySwitch.act(*m_random);
         }},
        {[this] { return m_openOrdersFailure.weight(); },
         [this] { m_openOrdersFailure.act(*m_random); }},
        {[this] { return m_overMidnight.weight(); },
         [this] {
             m_lists.disturbed();
             m_overMidnight.act(*m_random);
         }},
        {[this] { return m_logonUnderAForm.weight(); },
         [this] {
             m_confirming = true;
             m_logonUnderAForm.act(*m_random);
         }},
        {[this] { return m_slow.weight(); }, [this] { m_slow.act(*m_random); }},
    };
}

void ScreenExerciser::step() {
    liftFaultsWhenDue();
    m_slow.beforeEvent(*m_random);
    m_offered = hittables();
    std::vector<Event> all = events();
    std::vector<int> weights;
    for (const auto& event : all) {
        weights.push_back(m_slow.slow() && !event.byTheCustomer ? 0 : event.weight());
    }
    const size_t chosen = m_random->weighted(weights);
    m_confirming = false;
    m_restartedNow = false;
    all.at(chosen).act();
    afterEvent(m_confirming);
}

void ScreenExerciser::afterEvent(bool confirming) {
    if (confirming) {
        m_ledger.confirmed(now());
    }
    driver.settle();
    waitForTheLine();
    if (ViewController* shown = topScreen()) {
        ++m_screensSeen[typeName(typeid(*shown))];
    }
    pictureWhenAsked();
    checkOverlay();
    checkRequests();
    for (const auto& unshown : m_sentShown.check()) {
        violation(unshown);
    }
    for (const auto& unlisted : m_orderCommodities.check()) {
        violation(unlisted);
    }
    m_pickers.check();
    checkEndedSessions();
    checkTabBar();
    checkAlerts();
    m_quoteScreen->check();
    m_slow.check();
    m_ownPanel.check();
    m_fast->checkAnnouncements();
    m_kept.check(!m_restartedNow);
    m_accounts.check();
    m_gapDay.check();
    m_lists.check();
    for (const auto& refused : m_rangeHolds.check()) {
        violation(refused);
    }
    if (const auto account = loggedInAccount()) {
        m_waitingDeals.check(account->first, account->second);
    }
}

std::optional<std::pair<std::string, std::string>> ScreenExerciser::loggedInAccount() const {
    PXTradeModule& module = PXTradeModule::shared();
    if (!module.tradeLogin() || module.defaultString("JYUserName").empty()) {
        return std::nullopt;
    }
    return std::pair{"jys=" + module.defaultString("platform_code") +
                         "&env=" + module.defaultString("environment_code"),
                     module.defaultString("JYUserName")};
}

// No request may act for a session the client had been told was over.
void ScreenExerciser::checkEndedSessions() {
    std::string latest;
    const int count = endedSessionRequests(&latest);
    if (count > 0) {
        violation(
            "the exchange received " + std::to_string(count) +
            " requests of a session the client knew had ended or of none, the latest:" + latest);
    }
}

// The simulator's count from its status line, with what it had counted before its restarts.
int ScreenExerciser::endedSessionRequests(std::string* latest) {
    const auto reply = exchange.get("/control/trade/status");
    const std::string marker = "ended-session requests ";
    const size_t at = reply.body.find(marker);
    if (reply.status != 200 || at == std::string::npos) {
        return m_endedSessionRequestsBeforeRestart;
    }
    const std::string line =
        reply.body.substr(at + marker.size(), reply.body.find('\n', at) - at - marker.size());
    if (latest && line.find(':') != std::string::npos) {
        *latest = line.substr(line.find(':') + 1);
    }
    return m_endedSessionRequestsBeforeRestart + std::atoi(line.c_str());
}

// An alert that spoke for a screen leaves with it: none stays once its delegate is gone.
void ScreenExerciser::checkAlerts() {
    std::vector<std::pair<WeakLink<AlertView>, bool>> kept;
    for (AlertView* alert : driver.viewsOfClass<AlertView>()) {
        bool hadDelegate = alert->delegate() != nullptr;
        for (const auto& [seen, had] : m_alerts) {
            hadDelegate = hadDelegate || (seen.get() == alert && had);
        }
        if (hadDelegate && !alert->delegate()) {
            violation("alert '" + alert->title() + "|" + alert->message() +
                      "' is still on the window after its delegate went");
        }
        kept.emplace_back(alert, hadDelegate);
    }
    m_alerts = std::move(kept);
}

// A person can always leave a tab's first screen for another tab.
void ScreenExerciser::checkTabBar() {
    NavigationController* stack = selectedStack();
    if (stack && stack->viewControllers().size() == 1 && !tabBarVisible() &&
        !driver.visibleAlert()) {
        violation("no tab bar on the first screen of a tab, " +
                  describe(stack->topViewController()->view()));
    }
}

// VKJY_EXERCISE_PICTURES=first-last keeps a picture after each of those events, for a replay.
void ScreenExerciser::pictureWhenAsked() {
    const char* range = std::getenv("VKJY_EXERCISE_PICTURES");
    const size_t event = m_journal->size();
    if (!range || event < std::strtoul(range, nullptr, 10)) {
        return;
    }
    const char* dash = std::strchr(range, '-');
    if (dash && event > std::strtoul(dash + 1, nullptr, 10)) {
        return;
    }
    driver.saveSnapshot(snapshotFolder + "/event-" + std::to_string(event) + ".png");
}

void ScreenExerciser::waitForTheLine() {
    driver.runFor(m_stallDelay > 0 ? kLineWaitWhileStalled : kLineWait,
                  [] { return lineQuiet() && !busy(); });
}

void ScreenExerciser::checkOverlay() {
    const double start = now();
    double quietSince = -1;
    while (busy()) {
        RunLoop::runFor(0.05);
        if (quietSince < 0 && lineQuiet()) {
            quietSince = now();
        }
        if (quietSince >= 0 && now() - quietSince > kOverlayAfterReplies) {
            return violation("busy overlay still up 25 s after every reply had come, on " +
                             describe(topScreen() ? topScreen()->view() : nullptr));
        }
        if (now() - start > kOverlayAtMost) {
            return violation("busy overlay up for 120 s");
        }
    }
}

void ScreenExerciser::checkRequests() {
    const std::map<std::string, int> totals = requestTotals();
    if (totals.empty()) {
        return;
    }
    for (const auto& unconfirmed : m_ledger.received(totals, now())) {
        violation(unconfirmed);
    }
    if (lineQuiet()) {
        const double held =
            m_stallDelay > 0 ? m_stallDelay + 1 : std::max(m_lateUntil - now(), 0.0);
        m_ledger.quiet(now(), held + 0.5);
    }
}

// The first violation's screen is kept as a picture beside the event list.
void ScreenExerciser::violation(const std::string& what) {
    std::string texts;
    for (const auto& text : driver.visibleTexts()) {
        texts += text.substr(0, 30) + "|";
    }
    if (m_violations.empty()) {
        driver.saveSnapshot(snapshotFolder + "/violation.png");
    }
    m_violations.push_back("after event " + std::to_string(m_journal->size()) + ": " + what +
                           "\n  on screen: " + texts);
}

// What the run reached: the screens on top after events, and the one-shot requests sent.
void ScreenExerciser::summarise() {
    std::string screens = "screens on top:";
    for (const auto& [name, events] : m_screensSeen) {
        screens += " " + name + "=" + std::to_string(events);
    }
    m_journal->add(screens);
    std::string requests = "requests:";
    for (const auto& [name, count] : requestTotals()) {
        requests += " " + name + "=" + std::to_string(count);
    }
    m_journal->add(requests);
}

// Every environment's totals, with what the exchange had received before its restarts.
std::map<std::string, int> ScreenExerciser::requestTotals() {
    std::map<std::string, int> totals = m_countsBeforeRestart;
    for (const auto& lines : exchange.tradeLines()) {
        const auto reply = exchange.get("/control/trade/requests?jys=" + lines.exchange +
                                        "&env=" + lines.environment);
        const auto counts = nlohmann::json::parse(reply.body, nullptr, false);
        if (reply.status != 200 || !counts.is_object()) {
            return {};
        }
        for (const auto& [name, count] : counts.items()) {
            totals[name] += count.get<int>();
        }
    }
    return totals;
}

// What the screen offers.

std::vector<View*> ScreenExerciser::hittables() const {
    std::vector<View*> found;
    Window* window = driver.window();
    if (!window) {
        return found;
    }
    window->layoutIfNeeded();
    for (View* view : driver.allViews()) {
        auto* control = dynamic_cast<Control*>(view);
        const bool touchable =
            control ? control->isEnabled()
                    : dynamic_cast<TableViewCell*>(view) || !view->gestureRecognizers().empty();
        if (!touchable || !view->takesTouches() || !driver.isVisible(view)) {
            continue;
        }
        View* hit = window->hitTest(driver.visibleRect(view).center());
        if (hit && (hit == view || hit->isDescendantOf(view))) {
            found.push_back(view);
        }
    }
    return found;
}

std::vector<View*> ScreenExerciser::keypadKeys() const {
    std::vector<View*> keys;
    Window* window = driver.window();
    View* keyboard = window ? window->keyboardView() : nullptr;
    for (View* view : keyboard ? hittables() : std::vector<View*>{}) {
        if (dynamic_cast<Button*>(view) && view->isDescendantOf(keyboard)) {
            keys.push_back(view);
        }
    }
    return keys;
}

std::vector<TextField*> ScreenExerciser::offeredFields() const {
    std::vector<TextField*> fields;
    for (View* view : m_offered) {
        if (auto* field = dynamic_cast<TextField*>(view)) {
            fields.push_back(field);
        }
    }
    return fields;
}

std::vector<TableView*> ScreenExerciser::visibleTables() const {
    std::vector<TableView*> tables;
    for (auto* table :
         driver.visibleAlert() ? std::vector<TableView*>{} : driver.viewsOfClass<TableView>()) {
        if (driver.isVisible(table) && table->numberOfSections() > 0) {
            tables.push_back(table);
        }
    }
    return tables;
}

TabBar* ScreenExerciser::tabBar() const {
    TabBarController* tabs = delegate ? delegate->tabBarHelper().tabBarController() : nullptr;
    TabBar* bar = tabs ? tabs->tabBar() : nullptr;
    return bar && !bar->items().empty() && driver.isVisible(bar) && !driver.visibleAlert()
               ? bar
               : nullptr;
}

TextField* ScreenExerciser::editedField() const {
    Application* application = Application::shared();
    auto* field = application ? dynamic_cast<TextField*>(application->firstResponder()) : nullptr;
    return field && driver.isVisible(field) ? field : nullptr;
}

// The back button of the top screen, when a tap would reach it.
Button* ScreenExerciser::visibleBackButton() const {
    std::vector<Button*> buttons;
    if (auto* quote = top<VKJYMarketChartController>()) {
        buttons.push_back(quote->backButton());
    }
    for (auto* bar : driver.viewsOfClass<VKJYNavigationBarView>()) {
        buttons.push_back(bar->backButton());
    }
    for (auto* bar : driver.viewsOfClass<NavigationBar>()) {
        buttons.push_back(bar->backButton());
    }
    for (Button* button : buttons) {
        if (driver.reaches(button)) {
            return button;
        }
    }
    return nullptr;
}

bool ScreenExerciser::keyboardShown() const {
    return !keypadKeys().empty();
}

// A login screen whose form a tap reaches: a panel slid over it (account opening, password
// reset) takes the taps first.
bool ScreenExerciser::onLoginScreen() const {
    if (driver.visibleAlert()) {
        return false;
    }
    if (auto* login = top<PXJYTradeLoginVC>()) {
        return driver.reaches(login->loginButton());
    }
    auto* simple = top<PXJYSimpleLoginVC>();
    return simple && driver.reaches(simple->passwordTextField());
}

bool ScreenExerciser::onTradeHome() const {
    return !driver.visibleAlert() && top<PXJYRootViewController>();
}

bool ScreenExerciser::onTheRootLogin() const {
    return onLoginScreen() && top<PXJYTradeLoginVC>() && tradeStackDepth() == 2;
}

bool ScreenExerciser::onOrderForm() const {
    return !driver.visibleAlert() && !onLoginScreen() && !offeredFields().empty();
}

std::string ScreenExerciser::describe(const View* view) const {
    if (!view) {
        return "nothing";
    }
    std::string text = typeName(typeid(*view));
    const std::string shown = ScreenDriver::textOf(view);
    if (!shown.empty()) {
        text += " '" + shown.substr(0, 40) + "'";
    }
    if (view->tag() != 0) {
        text += " tag " + std::to_string(view->tag());
    }
    return text;
}

// Events.

bool ScreenExerciser::reachesAButton(View* hit) {
    return enabledButtonUnder(hit) != nullptr;
}

bool ScreenExerciser::tapView(View* view, const std::string& what) {
    Window* window = driver.window();
    if (!view || !window || !driver.isVisible(view)) {
        m_journal->add(what + ": nothing to tap");
        return false;
    }
    const Point at = driver.visibleRect(view).center();
    View* hit = window->hitTest(at);
    m_journal->add(what + " " + describe(view) + " at " + pointText(at));
    m_confirming = m_confirming || reachesAButton(hit);
    beforeActing(hit);
    driver.tapAt(at);
    return true;
}

// What the checks read of the screen before a touch acts on what it hits: the form a sending
// button sends, the commodities listed, the row or its button.
void ScreenExerciser::beforeActing(View* hit) {
    m_orderCommodities.learn();
    m_sentShown.beforeTap(hit);
    m_rangeHolds.beforeTap(hit);
    m_kept.beforeTap(hit);
}

void ScreenExerciser::tapSomething() {
    tapView(m_offered[m_random->below(m_offered.size())], "tap");
}

void ScreenExerciser::tapARow() {
    const std::vector<TableView*> tables = visibleTables();
    TableView* table = tables[m_random->below(tables.size())];
    const int section = static_cast<int>(m_random->below(size_t(table->numberOfSections())));
    const int rows = table->numberOfRows(section);
    if (rows <= 0) {
        m_journal->add("row: section " + std::to_string(section) + " is empty");
        return;
    }
    const int row = static_cast<int>(m_random->below(size_t(rows)));
    m_journal->add("row " + std::to_string(section) + "/" + std::to_string(row) + " of " +
                   describe(table));
    // Judged by what the tap hits: the trade home's menu may lie over the row.
    const std::optional<Point> at = driver.rowPoint(*table, {section, row});
    Window* window = driver.window();
    m_kept.beforeTap(at && window ? window->hitTest(*at) : nullptr);
    if (at) {
        driver.tapAt(*at);
    }
}

void ScreenExerciser::swipe() {
    const double y = m_random->between(80, 450);
    const bool left = m_random->chance(0.5);
    const Point from{left ? 280.0 : 40.0, y};
    const Point to{left ? 40.0 : 280.0, y};
    m_journal->add("swipe " + pointText(from) + " to " + pointText(to));
    driver.swipe(from, to);
}

void ScreenExerciser::scroll() {
    const double x = m_random->between(40, 280);
    const bool up = m_random->chance(0.5);
    const Point from{x, up ? 420.0 : 150.0};
    const Point to{x, up ? 150.0 : 420.0};
    m_journal->add("drag " + pointText(from) + " to " + pointText(to));
    driver.drag(from, to);
}

void ScreenExerciser::longPress() {
    const std::vector<View*> views = hittables();
    const Point at = views.empty()
                         ? Point{160, 300}
                         : driver.visibleRect(views[m_random->below(views.size())]).center();
    m_journal->add("long press at " + pointText(at));
    // A button acts on a long press as on a tap when the finger lifts inside it: the checks read
    // the screen then, as before a tap (a price may have come while the finger was held).
    driver.longPress(at, 0.8, [this, at] {
        Window* window = driver.window();
        View* hit = window ? window->hitTest(at) : nullptr;
        if (reachesAButton(hit)) {
            m_confirming = true;
            beforeActing(hit);
        }
    });
}

void ScreenExerciser::pinch() {
    const Point at{m_random->between(80, 240), m_random->between(120, 420)};
    const bool out = m_random->chance(0.5);
    m_journal->add(std::string(out ? "spread" : "pinch") + " at " + pointText(at));
    const double from = out ? 40 : 160;
    const double to = out ? 160 : 40;
    // A finger that lifts inside the button it went down on taps it, as an alert's button under
    // a spread: a confirming touch like any tap.
    Window* window = driver.window();
    for (const double side : {-0.5, 0.5}) {
        View* down = window ? window->hitTest({at.x + side * from, at.y}) : nullptr;
        View* up = window ? window->hitTest({at.x + side * to, at.y}) : nullptr;
        Button* pressed = enabledButtonUnder(down);
        if (pressed && pressed == enabledButtonUnder(up)) {
            m_confirming = true;
            beforeActing(down);
        }
    }
    driver.pinch(at, from, to);
}

void ScreenExerciser::typeSomething() {
    if (!editedField()) {
        const std::vector<TextField*> fields = offeredFields();
        tapView(fields[m_random->below(fields.size())], "type into");
        driver.settle();
    }
    const WeakLink<TextField> field = editedField();
    if (!field) {
        return;
    }
    switch (m_random->below(4)) {
        case 0: {
            const std::string digits = std::to_string(m_random->below(100000000));
            m_journal->add("type digits " + digits);
            driver.typeText(digits);
            break;
        }
        case 1:
            m_journal->add("type letters abcXYZ");
            driver.typeText("abcXYZ");
            break;
        case 2:
            m_journal->add("paste 200 characters");
            driver.typeText(pastedText());
            break;
        default:
            m_journal->add("empty the field");
            for (int i = 0; i <= kLongestText && field && !field->text().empty(); ++i) {
                driver.pressBackspace();
            }
    }
    if (m_random->chance(0.3)) {
        m_journal->add("press return");
        m_confirming = true;
        driver.pressReturn();
    }
}

void ScreenExerciser::pressAKey() {
    const std::vector<View*> keys = keypadKeys();
    if (!keys.empty()) {
        tapView(keys[m_random->below(keys.size())], "key");
    }
}

void ScreenExerciser::back() {
    tapView(visibleBackButton(), "back");
}

void ScreenExerciser::switchTab() {
    TabBar* bar = tabBar();
    int index = static_cast<int>(m_random->below(bar->items().size()));
    // The trading screens are where most can go wrong: their tab comes up most often.
    for (int i = 0; i < static_cast<int>(bar->items().size()); ++i) {
        if (bar->items()[size_t(i)].title == "交易" && m_random->chance(0.6)) {
            index = i;
        }
    }
    const Rect item = bar->itemFrame(index);
    const Point at = bar->convertPointToWindow({item.midX(), item.midY()});
    m_journal->add("tab " + bar->items()[size_t(index)].title + " at " + pointText(at));
    driver.tapAt(at);
}

void ScreenExerciser::keypadDigits(TextField* target, const std::string& digits) {
    const WeakLink<TextField> field = target;
    if (!tapView(target, "field")) {
        return;
    }
    driver.settle();
    for (int i = 0; i < 32 && field && !field->text().empty(); ++i) {
        bool pressed = false;
        for (auto* icon : driver.viewsOfClass<PadKeyboardBackspaceIcon>()) {
            pressed = pressed || driver.tap(icon->superview());
        }
        if (!pressed) {
            driver.pressBackspace();
        }
    }
    m_journal->add("keys " + digits);
    for (char key : digits) {
        if (!driver.pressKey(std::string(1, key))) {
            driver.typeText(std::string(1, key));
        }
    }
    driver.pressKey("完成");
    driver.settle();
}

// The login screen may have been set to any exchange and environment.
std::string ScreenExerciser::anyCaptchaCode(const std::string& uuid) {
    for (const auto& lines : exchange.tradeLines()) {
        const auto reply = exchange.get("/control/trade/captcha?jys=" + lines.exchange +
                                        "&env=" + lines.environment + "&uuid=" + uuid);
        if (reply.status == 200) {
            return reply.body;
        }
    }
    return {};
}

// Whatever earlier events typed into the field goes first.
bool ScreenExerciser::typePassword(TextField* target) {
    const WeakLink<TextField> field = target;
    if (!tapView(target, "field")) {
        return false;
    }
    for (int i = 0; i <= kLongestText && field && !field->text().empty(); ++i) {
        driver.pressBackspace();
    }
    driver.typeText(kPassword);
    return true;
}

// The simulator's first two accounts of the platform and environment a login screen shows: a
// tap on its platform list may have left it on another exchange.
std::pair<const char*, const char*> ScreenExerciser::accountsOf(const std::string& platform,
                                                                const std::string& environment) {
    if (platform == "西部商品") {
        return {"300000000000001", "300000000000002"};
    }
    if (environment == "模拟") {
        return {"200000000000001", "200000000000002"};
    }
    return {kFirstAccount, kSecondAccount};
}

std::vector<std::string> ScreenExerciser::everyAccount() {
    std::vector<std::string> accounts;
    for (const auto& [first, second] :
         {accountsOf("", ""), accountsOf("", "模拟"), accountsOf("西部商品", "")}) {
        accounts.insert(accounts.end(), {first, second});
    }
    return accounts;
}

std::string ScreenExerciser::accountOfTheLogin() const {
    auto* login = top<PXJYTradeLoginVC>();
    return login ? accountsOf(login->platformB()->currentTitle(),
                              login->environmentB()->currentTitle())
                       .first
                 : std::string();
}

// Each step finds the screen again: a reply or a timer may have taken it away meanwhile.
void ScreenExerciser::logIn(const std::string& chosen) {
    // The captcha comes under the busy overlay.
    driver.runUntil([] { return !busy(); }, 5);
    const bool first = m_random->chance(0.7);
    if (WeakLink<PXJYTradeLoginVC> login = top<PXJYTradeLoginVC>()) {
        const auto accounts =
            accountsOf(login->platformB()->currentTitle(), login->environmentB()->currentTitle());
        const std::string account = !chosen.empty() ? chosen
                                    : first         ? accounts.first
                                                    : accounts.second;
        m_journal->add("log in as " + account);
        keypadDigits(login->userNameTextField(), account);
        if (!login || !typePassword(login->passWordTextField())) {
            return;
        }
        driver.pressReturn();
        if (login && login->captchaShown()) {
            const std::string code = anyCaptchaCode(login->captchaButton()->validString());
            keypadDigits(login->captchaTextField(), code.empty() ? "0000" : code);
        }
        tapView(login ? login->loginButton() : nullptr, "log in");
        return;
    }
    if (WeakLink<PXJYSimpleLoginVC> login = top<PXJYSimpleLoginVC>()) {
        m_journal->add("log in with the saved account");
        if (!typePassword(login->passwordTextField())) {
            return;
        }
        driver.pressReturn();
        if (login && driver.isVisible(login->captchaTextField())) {
            const std::string code = anyCaptchaCode(login->captchaButton()->validString());
            keypadDigits(login->captchaTextField(), code.empty() ? "0000" : code);
        }
        tapView(login ? driver.viewWithText("登录") : nullptr, "log in");
    }
}

void ScreenExerciser::openFromTheMenu() {
    const WeakLink<PXJYRootViewController> home = top<PXJYRootViewController>();
    if (!driver.isVisible(home->menuListView())) {
        tapView(home->navigationBarView()->menuButton(), "menu");
        driver.settle();
    }
    std::vector<View*> entries;
    for (View* view : home ? hittables() : std::vector<View*>{}) {
        if (view->isDescendantOf(home->menuListView())) {
            entries.push_back(view);
        }
    }
    if (!entries.empty()) {
        tapView(entries[m_random->below(entries.size())], "menu entry");
    }
}

bool ScreenExerciser::openMenuEntry(const std::string& title) {
    const WeakLink<PXJYRootViewController> home = top<PXJYRootViewController>();
    if (!home) {
        return false;
    }
    if (!driver.isVisible(home->menuListView())) {
        tapView(home->navigationBarView()->menuButton(), "menu");
        driver.settle();
    }
    View* entry = driver.viewWithText(title);
    if (!entry || !tapView(entry, title)) {
        return false;
    }
    driver.settle();
    return home && top<PXJYRootViewController>() != home.get();
}

// The buttons that send what a form holds: orders, transfers, withdrawals, fund changes.
std::vector<View*> ScreenExerciser::submitButtons() const {
    static const std::set<std::string> kTitles = {
        "摘牌",     " 摘牌",    "转让",       " 转让",      "条件摘牌", "条件转让",
        "挂牌",     "确定",     "确  定",     "确 定",      "入金",     "出金",
        "修改密码", "撤销订单", "撤销止盈单", "撤销止损单", "反向摘牌", "查询"};
    std::vector<View*> buttons;
    for (View* view : onTradeTab() ? m_offered : std::vector<View*>{}) {
        auto* button = dynamic_cast<Button*>(view);
        if (button && kTitles.count(button->currentTitle())) {
            buttons.push_back(button);
        }
    }
    return buttons;
}

void ScreenExerciser::submit() {
    const std::vector<View*> buttons = submitButtons();
    tapView(buttons[m_random->below(buttons.size())], "submit");
}

bool ScreenExerciser::onTradeTab() const {
    TabBarController* tabs = delegate ? delegate->tabBarHelper().tabBarController() : nullptr;
    return tabs && tabs->selectedIndex() == 1;
}

void ScreenExerciser::showTab(const std::string& title) {
    m_journal->add("tab " + title);
    if (tapTab(title) || !delegate) {
        return;
    }
    m_journal->add("the bar is hidden: the client selects " + title);
    if (title == "交易") {
        delegate->tabBarHelper().selectTradeTab();
    } else {
        delegate->tabBarHelper().selectHangQingTab();
    }
    driver.settle();
}

size_t ScreenExerciser::tradeStackDepth() const {
    NavigationController* stack = onTradeTab() ? selectedStack() : nullptr;
    return stack ? stack->viewControllers().size() : 0;
}

// The visible opening or transfer form: its commodity picker, quantity and sending button.
ScreenExerciser::OrderForm ScreenExerciser::orderForm() const {
    if (driver.visibleAlert()) {
        return {};
    }
    for (auto* form : driver.viewsOfClass<PXJianCangFormView>()) {
        if (driver.isVisible(form) && driver.isVisible(form->jianCangButton())) {
            return {form->commodityNameButton(), form->shuLiang(), form->jianCangButton()};
        }
    }
    for (auto* form : driver.viewsOfClass<PXZhuanRangFormView>()) {
        if (driver.isVisible(form) && driver.isVisible(form->zhuanRangButton())) {
            return {form->commodityNameButton(), form->shuLiang(), form->zhuanRangButton()};
        }
    }
    return {};
}

// A commodity from the picker, a quantity on the keypad, and the sending button, as a person
// placing an order would.
void ScreenExerciser::placeAnOrder() {
    m_journal->add("order on " + describe(orderForm().send));
    if (tapView(orderForm().picker, "pick")) {
        driver.settle();
        const std::vector<TableView*> tables = visibleTables();
        TableView* list = tables.empty() ? nullptr : tables.back();
        const int rows = list ? list->numberOfRows(0) : 0;
        if (rows > 0) {
            const int row = static_cast<int>(m_random->below(size_t(rows)));
            m_journal->add("row 0/" + std::to_string(row) + " of " + describe(list));
            driver.tapRow(*list, {0, row});
            driver.settle();
        }
    }
    // Other fields (a limit price, a listing's lots) sometimes, whatever they take.
    m_offered = hittables();
    fillFields(orderForm().quantity);
    if (TextField* quantity = orderForm().quantity; quantity && driver.isVisible(quantity)) {
        keypadDigits(quantity, std::to_string(1 + m_random->below(3)));
    }
    // The price comes with the next price refresh.
    driver.runFor(1);
    tapView(orderForm().send, "send");
}

// Some of the fields on offer, each with a few digits, mostly small; `skip` stays as it is.
void ScreenExerciser::fillFields(TextField* skip) {
    std::vector<WeakLink<TextField>> fields;
    for (TextField* field : offeredFields()) {
        if (field != skip) {
            fields.emplace_back(field);
        }
    }
    for (const auto& weak : fields) {
        TextField* field = weak.get();
        if (m_random->chance(0.6) && field && driver.isVisible(field) && field->isEnabled()) {
            keypadDigits(field,
                         std::to_string(1 + m_random->below(m_random->chance(0.8) ? 3 : 9999)));
        }
    }
}

// Faults.

std::string ScreenExerciser::environmentQuery() const {
    return std::string("jys=") + kExchange + "&env=" + kEnvironment;
}

void ScreenExerciser::postControl(const std::string& path) {
    const auto reply = exchange.post(path);
    if (reply.status != 200) {
        violation("the exchange refused " + path + ": " + reply.body);
    }
}

void ScreenExerciser::injectFault() {
    m_lists.disturbed();
    switch (m_random->below(8)) {
        case 0:
            return idleLogOut();
        case 1:
            m_journal->add("fault: the exchange ends both accounts' sessions");
            for (const char* account : {kFirstAccount, kSecondAccount}) {
                postControl("/control/trade/expire?" + environmentQuery() + "&account=" + account);
            }
            return;
        case 2:
            return stallTheTradingLines();
        case 3: {
            static const int kCodes[] = {1, 1004, 10001, 2003};
            const int code = kCodes[m_random->below(4)];
            m_journal->add("fault: the next trading reply refuses with " + std::to_string(code));
            return postControl("/control/trade/answer?" + environmentQuery() +
                               "&code=" + std::to_string(code));
        }
        case 4:
            m_journal->add("fault: the next trading reply is spoiled");
            return postControl("/control/trade/malform?" + environmentQuery());
        case 5:
            m_journal->add("fault: the first quote line goes down");
            postControl("/control/quote/line?server=0&line=0&state=refuse");
            m_quoteLineBackEvent = m_journal->size() + 5 + m_random->below(60);
            return;
        case 6:
            return endTheSession();
        default:
            return restartTheExchange();
    }
}

void ScreenExerciser::idleLogOut() {
    m_journal->add("fault: idle log-out after 2.4 s of no touch");
    PXTradeModule& module = PXTradeModule::shared();
    module.setDefaultString("timeoutTime", "0.04");
    module.PXJYTimerManger().screenTimeoutTimer();
    // The log-out may send a logoff of its own.
    m_confirming = true;
    const double until = now() + 3;
    driver.runUntil([until] { return now() > until; }, 4);
    module.setDefaultString("timeoutTime", "10");
    module.PXJYTimerManger().screenTimeoutTimer();
}

std::string ScreenExerciser::sessionQuery() const {
    PXTradeModule& module = PXTradeModule::shared();
    return "jys=" + module.defaultString("platform_code") +
           "&env=" + module.defaultString("environment_code");
}

// A two-button alert over a trading screen while logged in: an order, a transfer, a
// cancellation or a stop waiting for its 确定.
bool ScreenExerciser::confirmationUp() const {
    AlertView* alert = driver.visibleAlert();
    return alert && alert->numberOfButtons() > 1 && onTradeTab() &&
           PXTradeModule::shared().tradeLogin();
}

void ScreenExerciser::endTheSession() {
    const std::string account = PXTradeModule::shared().defaultString("JYUserName");
    const std::string query = sessionQuery() + "&account=" + account;
    switch (m_random->below(4)) {
        case 0:
            return idleLogOut();
        case 1:
            m_journal->add("fault: the exchange ends the session of " + account);
            return endTheSessionBy("/control/trade/expire?" + query);
        case 2:
            m_journal->add("fault: " + account + " logs on elsewhere");
            return endTheSessionBy("/control/trade/elsewhere?" + query);
        default:
            return logOffWhileAHeartbeatTravels();
    }
}

// Before the first login the configuration names no environment, and it may name one without
// that account: the exchange's refusal is no fault of the client.
void ScreenExerciser::endTheSessionBy(const std::string& control) {
    const auto reply = exchange.post(control);
    if (reply.status != 200) {
        return m_journal->add("the exchange: " + reply.body);
    }
    driver.runUntil([] { return !PXTradeModule::shared().tradeLogin(); }, kSessionEndNoticed);
}

// Heartbeats are held before or after the exchange acts on them while the idle log-out sends the
// logoff; their replies arrive once the session has gone.
void ScreenExerciser::logOffWhileAHeartbeatTravels() {
    if (!PXTradeModule::shared().tradeLogin()) {
        return m_journal->add("fault: no session to log off while a heartbeat travels");
    }
    const bool answered = m_random->chance(0.5);
    const std::string held = sessionQuery() + "&name=SYS_TIME_QUERY";
    m_journal->add(std::string("fault: heartbeats held ") + (answered ? "after" : "before") +
                   " the exchange acts on them, and the session logs off");
    postControl("/control/trade/hold?" + held + (answered ? "&answered=1" : ""));
    driver.runFor(kHeartbeatSent);
    idleLogOut();
    // Late enough that whatever the reply sets off no longer crosses the logoff's answer.
    driver.runFor(kReadingAnAlert);
    postControl("/control/trade/release?" + held);
}

// The session ends under the confirmation; what came over it is dismissed, and the old
// confirmation, if it is still there, confirmed.
void ScreenExerciser::endTheSessionUnderAConfirmation() {
    const WeakLink<AlertView> confirmation = driver.visibleAlert();
    int confirm = 0;
    while (confirm == confirmation->cancelButtonIndex()) {
        ++confirm;
    }
    m_journal->add("a confirmation is up: " + describe(confirmation.get()) + " '" +
                   confirmation->title() + "'");
    endTheSession();
    for (int i = 0; i < 3; ++i) {
        AlertView* over = driver.visibleAlert();
        if (!over || over == confirmation.get()) {
            break;
        }
        // 取消 where there is one: a session-loss alert's other button leads to the login.
        int dismiss = std::max(over->cancelButtonIndex(), 0);
        for (int b = 0; b < over->numberOfButtons(); ++b) {
            dismiss = over->buttonTitleAtIndex(b) == "取消" ? b : dismiss;
        }
        tapView(over->buttonAtIndex(dismiss), "alert over the confirmation");
        driver.settle();
    }
    driver.runFor(kReadingAnAlert);
    if (!confirmation || !confirmation->isVisible()) {
        return m_journal->add("the confirmation went with its session");
    }
    tapView(confirmation->buttonAtIndex(confirm), "the old confirmation");
}

void ScreenExerciser::stallTheTradingLines() {
    const int delayMs = m_random->chance(0.7) ? 3000 : 25000;
    const size_t lasting = 5 + m_random->below(40);
    m_journal->add("fault: both trading lines hold each request " + std::to_string(delayMs) +
                   " ms for " + std::to_string(lasting) + " events");
    for (int line = 0; line < 2; ++line) {
        postControl("/control/trade/line?" + environmentQuery() + "&line=" + std::to_string(line) +
                    "&state=late&delayMs=" + std::to_string(delayMs));
    }
    m_stallDelay = delayMs / 1000.0;
    m_stallLiftEvent = m_journal->size() + lasting;
}

bool ScreenExerciser::faultInForce() const {
    return m_stallDelay > 0 || m_quoteLineBackEvent > 0 || now() < m_lateUntil;
}

void ScreenExerciser::liftFaultsWhenDue() {
    if (m_stallDelay > 0 && m_journal->size() >= m_stallLiftEvent) {
        // What the lines still hold reaches the exchange up to one delay later.
        m_lateUntil = now() + m_stallDelay + 1;
        m_stallDelay = 0;
        for (int line = 0; line < 2; ++line) {
            postControl("/control/trade/line?" + environmentQuery() +
                        "&line=" + std::to_string(line) + "&state=normal");
        }
    }
    if (m_quoteLineBackEvent > 0 && m_journal->size() >= m_quoteLineBackEvent) {
        m_quoteLineBackEvent = 0;
        postControl("/control/quote/line?server=0&line=0&state=normal");
    }
}

void ScreenExerciser::restartTheExchange() {
    m_journal->add("fault: the exchange restarts on its ports");
    const std::map<std::string, int> totals = requestTotals();
    if (!totals.empty()) {
        m_countsBeforeRestart = totals;
    }
    m_endedSessionRequestsBeforeRestart = endedSessionRequests(nullptr);
    // Another program on the machine may hold a freed port for a moment.
    bool started = false;
    for (int attempt = 0; attempt < kRestartAttempts && !started; ++attempt) {
        if (attempt > 0) {
            RunLoop::runFor(1);
        }
        started = exchange.restart();
    }
    if (!started) {
        return violation("vkjy-sim did not start again on its ports");
    }
    m_stallDelay = 0;
    m_quoteLineBackEvent = 0;
    m_sentShown.exchangeRestarted();
    m_orderCommodities.exchangeRestarted();
    m_accounts.exchangeRestarted();
    m_rangeHolds.exchangeRestarted();
    m_restartedNow = true;
    // The client read nothing while the restart held its thread: what the new exchange answered
    // meanwhile (a beat's session is unknown there) is read from now, and what crosses it is no
    // fault.
    postControl("/control/trade/resumed");
}

Button* ScreenExerciser::quickPanelHandle() {
    PXFastTradeViewController* panel =
        QuickPanelOwnPanel::shownPanel(top<VKJYMarketChartController>());
    return panel && driver.reaches(panel->closeButton()) ? panel->closeButton() : nullptr;
}

// At the end: every fault lifted, logged in on the trade home, whose holdings are the books'.
void ScreenExerciser::reconcile() {
    m_journal->add("end: to the trade home");
    m_slow.finish();
    m_stallLiftEvent = 0;
    m_quoteLineBackEvent = m_quoteLineBackEvent > 0 ? 1 : 0;
    liftFaultsWhenDue();
    const double until = now() + 120;
    for (int tries = 0; tries < kWayHomeEvents && now() < until && !(onTradeHome() && !busy()) &&
                        m_violations.empty();
         ++tries) {
        if (AlertView* alert = driver.visibleAlert()) {
            tapView(alert->buttonAtIndex(
                        alert->cancelButtonIndex() >= 0 ? alert->cancelButtonIndex() : 0),
                    "alert");
        } else if (keyboardShown()) {
            m_journal->add("close the keyboard");
            if (!driver.pressKey("完成")) {
                driver.pressReturn();
            }
        } else if (onLoginScreen()) {
            logIn();
        } else if (Button* handle = quickPanelHandle()) {
            // The panel covers the screen's back; a person closes it by its handle.
            tapView(handle, "close the quick panel");
        } else if (Button* backButton = visibleBackButton()) {
            tapView(backButton, "back");
        } else if (tabBar() &&
                   tabBar()->items().at(size_t(tabBar()->selectedIndex())).title != "交易") {
            m_journal->add("tab 交易");
            tapTab("交易");
        } else if (!(m_offered = hittables()).empty()) {
            // A screen of its own making (the quote screen, a panel): whatever it offers.
            tapSomething();
        }
        afterEvent(m_confirming);
        m_confirming = false;
    }
    if (!m_violations.empty()) {
        return;
    }
    if (!onTradeHome()) {
        return violation("the trade home could not be reached at the end");
    }
    PXTradeModule& module = PXTradeModule::shared();
    const auto reply =
        exchange.get("/control/trade/books?jys=" + module.defaultString("platform_code") +
                     "&env=" + module.defaultString("environment_code") +
                     "&account=" + module.defaultString("JYUserName"));
    const auto books = nlohmann::json::parse(reply.body, nullptr, false);
    if (reply.status != 200 || !books.is_object()) {
        return violation("no books for the account on the home: " + reply.body);
    }
    std::map<int64_t, int> dealt;
    for (const auto& deal : books["deals"]) {
        dealt[deal["orderNo"].get<int64_t>()] += deal["qty"].get<int>();
    }
    for (const auto& order : books["orders"]) {
        const int traded = order["traded"].get<int>();
        if (traded > order["qty"].get<int>() || dealt[order["no"].get<int64_t>()] != traded) {
            violation("the books' order " + order.dump() + " against its deals' " +
                      std::to_string(dealt[order["no"].get<int64_t>()]) + " lots");
        }
    }
    // The home's menu may be open over the list, and its columns flipped to the prices: closed,
    // and back to lots and sides.
    if (auto* home = top<PXJYRootViewController>();
        home && driver.isVisible(home->menuListView()) && driver.tapText("取消")) {
        m_journal->add("close the home's menu");
        driver.settle();
    }
    if (View* titles = driver.viewWithText("持牌均价"); titles && driver.tap(titles)) {
        m_journal->add("tap the home's column titles");
        driver.settle();
    }
    const auto booked = holdingsBooked(books);
    if (!waitFor([&] { return holdingsShown() == booked; }, 15)) {
        std::string shown;
        for (const auto& [name, lots] : holdingsShown()) {
            shown += name + "=" + std::to_string(lots) + " ";
        }
        violation("the trade home shows holdings " + shown + "against the books' " +
                  books["holdings"].dump());
    }
}
