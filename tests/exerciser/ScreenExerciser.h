#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AccountOnShow.h"
#include "ChoiceOnReturn.h"
#include "ConfirmationLedger.h"
#include "DayTurnRaces.h"
#include "EarlyLineSwitch.h"
#include "ExerciseJournal.h"
#include "ExerciseRandom.h"
#include "FastFingerSlowLine.h"
#include "FormPickers.h"
#include "FormUpsets.h"
#include "GapDayCrossHair.h"
#include "HalfWayLogin.h"
#include "LogonUnderAForm.h"
#include "OpenOrdersFailure.h"
#include "OrderCommodityCheck.h"
#include "OrdersOverMidnight.h"
#include "PickSurvives.h"
#include "PressAcrossRefresh.h"
#include "QuickPanelOwnPanel.h"
#include "QuoteScreenRules.h"
#include "RangeOnShowHolds.h"
#include "ReversedHeartbeats.h"
#include "SentShownCheck.h"
#include "ShownIsKept.h"
#include "ShownListsMatchExchange.h"
#include "SlowExchange.h"
#include "SlowLogonAgain.h"
#include "WaitingDealRule.h"
#include "acceptance/TradingDayFixture.h"
#include "market/VKJYMarketChartController.h"
#include "market/VKJYMarketUIViewController.h"
#include "platform/foundation/WeakLink.h"

class AlertView;
class Button;
class TabBar;
class TableView;
class TextField;
class View;

// Drives the whole client at random against `vkjy-sim` in its own process: taps on what can be
// hit, rows, swipes, scrolls, long presses, pinches, typing, keypad keys, the back button, tab
// switches, logins and order forms filled in, with faults of the exchange mixed in (idle
// log-out, an expired session, a stalled or refused line, a refused or spoiled reply, a quote
// line down, a restart, the session ended while a confirmation is up or a reply travels). Every
// choice comes from the seed and from what is on screen. After every event it checks that no
// busy overlay outlives the replies by 25 s, that no one-shot request reached the simulator
// without a confirming tap of its own, that no request acted for a session the client had been
// told was over, that no order names a commodity the client does not list, that a trading
// form's picker buttons at rest are as its mode and host say, that a tab's first screen shows the
// tab bar and that no alert outlives its delegate, and what `ShownIsKept` and `QuoteScreenRules`
// hold, and that nothing on show or sent after another account logged in belongs to the one
// before (`AccountOnShow`), and that a failed login leaves one true state, told once
// (`HalfWayLogin`), and that nothing goes under a session after a logon of its account or its
// logoff has left, nor is its loss told of a login that holds (`SlowLogonAgain`), and that an
// exchange only slow in real time makes the client tell of no failure (`SlowExchange`); at the end
// that the books' orders match their deals and the trade home shows the books' holdings. Failures
// carry the seed and the event list.
class ScreenExerciser : public TradingDayFixture {
protected:
    // Runs `events` events from `seed`; the test fails with the event list on a violation.
    void exercise(uint64_t seed, int events);

private:
    // An event's weight given the screen (0 when it cannot happen) and what it does; whether it
    // is the customer's own doing, with no fault of the exchange (all that runs while it is slow).
    struct Event {
        std::function<int()> weight;
        std::function<void()> act;
        bool byTheCustomer = false;
    };

    struct OrderForm {
        Button* picker = nullptr;
        TextField* quantity = nullptr;
        Button* send = nullptr;
    };

    std::vector<Event> events();
    void step();
    void afterEvent(bool confirming);
    void pictureWhenAsked();
    void waitForTheLine();
    void checkOverlay();
    void checkRequests();
    void checkTabBar();
    void checkAlerts();
    void checkEndedSessions();
    int endedSessionRequests(std::string* latest);
    // A stalled line, a quote line down, or held requests still on their way.
    bool faultInForce() const;
    void liftFaultsWhenDue();
    void violation(const std::string& what);
    void reconcile();
    void summarise();

    // What the screen offers.
    std::vector<View*> hittables() const;
    std::vector<View*> keypadKeys() const;
    std::vector<TextField*> offeredFields() const;
    std::vector<TableView*> visibleTables() const;
    TabBar* tabBar() const;
    TextField* editedField() const;
    Button* visibleBackButton() const;
    Button* quickPanelHandle();
    bool keyboardShown() const;
    bool onLoginScreen() const;
    bool onTradeHome() const;
    // The trade root's own login, over the trade home.
    bool onTheRootLogin() const;
    bool onOrderForm() const;
    bool onTradeTab() const;
    // By its item, or while the bar is hidden as the client's own dialogs select a tab.
    void showTab(const std::string& title);
    // The screens on the trade tab's stack while it is shown, else 0.
    size_t tradeStackDepth() const;
    std::vector<View*> submitButtons() const;
    OrderForm orderForm() const;

    // Events.
    void tapSomething();
    void tapARow();
    void swipe();
    void scroll();
    void longPress();
    void pinch();
    void typeSomething();
    void pressAKey();
    void back();
    void switchTab();
    // As `account` when given, else as one of the screen's first two accounts.
    void logIn(const std::string& account = {});
    static std::pair<const char*, const char*> accountsOf(const std::string& platform,
                                                          const std::string& environment);
    // The accounts logIn may type, of every exchange and environment.
    static std::vector<std::string> everyAccount();
    // The first account of the login screen on show, as logIn would type it.
    std::string accountOfTheLogin() const;
    void openFromTheMenu();
    // From the trade home, the screen of that menu entry; false when it did not come.
    bool openMenuEntry(const std::string& title);
    void fillFields(TextField* skip);
    void submit();
    void placeAnOrder();
    void injectFault();

    // A touch ending on `hit` reaches an enabled button (and so may confirm something).
    static bool reachesAButton(View* hit);
    bool tapView(View* view, const std::string& what);
    void beforeActing(View* hit);
    void keypadDigits(TextField* field, const std::string& digits);
    bool typePassword(TextField* field);
    std::string anyCaptchaCode(const std::string& uuid);
    std::string describe(const View* view) const;

    // Faults.
    void postControl(const std::string& path);
    std::string environmentQuery() const;
    void idleLogOut();
    // Where the client's session lives, as the query of a trading control route.
    std::string sessionQuery() const;
    bool confirmationUp() const;
    // Ends the client's session one of four ways: the idle log-out, the exchange ending it (a
    // 1004 on its next reply), a logon elsewhere, or a log-off while a heartbeat travels.
    void endTheSession();
    // Posts the control that ends it and waits until the client knows.
    void endTheSessionBy(const std::string& control);
    void logOffWhileAHeartbeatTravels();
    void endTheSessionUnderAConfirmation();
    void stallTheTradingLines();
    void restartTheExchange();

    std::map<std::string, int> requestTotals();
    // "jys=..&env=.." and the account of the trading login that holds, if one does.
    std::optional<std::pair<std::string, std::string>> loggedInAccount() const;

    std::unique_ptr<ExerciseRandom> m_random;
    // The views that take a tap at the start of the event.
    std::vector<View*> m_offered;
    std::unique_ptr<ExerciseJournal> m_journal;
    std::unique_ptr<QuoteScreenRules> m_quoteScreen;
    std::unique_ptr<FastFingerSlowLine> m_fast;
    ConfirmationLedger m_ledger{{"order_s", "order_x", "order_mp", "order_list", "order_wd",
                                 "order_list_wd", "set_loss_profit", "withdraw_loss_profit",
                                 "money_transfer", "money_modpwd", "change_password", "logoff"}};
    std::map<std::string, int> m_countsBeforeRestart;
    int m_endedSessionRequestsBeforeRestart = 0;
    std::vector<std::string> m_violations;
    std::map<std::string, int> m_screensSeen;
    // The alerts on the window at the last check, and whether each had a delegate.
    std::vector<std::pair<WeakLink<AlertView>, bool>> m_alerts;
    bool m_confirming = false;
    // Every order sent is what its form showed; events that change what stands behind a form.
    SentShownCheck m_sentShown{driver, exchange};
    OrderCommodityCheck m_orderCommodities{exchange};
    // A quick panel trades only a commodity of the account's own panel.
    QuickPanelOwnPanel m_ownPanel{
        driver,
        {[this] { return top<VKJYMarketChartController>(); },
         [this] { return top<VKJYMarketUIViewController>(); },
         [this](View* view, const std::string& what) { return tapView(view, what); },
         [this](const std::string& line) { m_journal->add(line); },
         [this] {
             m_journal->add("tab 行情");
             tapTab("行情");
         },
         [this](const std::string& what) { violation(what); }}};
    // The forms' picker buttons at rest follow mode and host; a mode switch under the keypad.
    FormPickers m_pickers{
        driver,
        {[this](View* view, const std::string& what) { return tapView(view, what); },
         [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    FormUpsets m_upsets{
        driver,
        exchange,
        {[this](View* view, const std::string& what) { return tapView(view, what); },
         [this](TextField* field, const std::string& digits) { keypadDigits(field, digits); },
         [this](const std::string& line) { m_journal->add(line); }, [this] { back(); },
         [this](const std::string& what) { violation(what); }}};
    // What a screen keeps follows what it shows: prices, open rows, modes, book replies.
    ShownIsKept m_kept{
        driver,
        exchange,
        {[this](View* view, const std::string& what) { return tapView(view, what); },
         [this](TextField* field, const std::string& digits) { keypadDigits(field, digits); },
         [this] { back(); },
         [this](const std::string& title) {
             m_journal->add("tab " + title);
             tapTab(title);
         },
         [this] { return topScreen(); }, [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    // A press across a refresh acts.
    PressAcrossRefresh m_press{{driver, screen, [this] { return top<VKJYMarketChartController>(); },
                                [this](View* hit) {
                                    m_confirming = m_confirming || reachesAButton(hit);
                                    beforeActing(hit);
                                },
                                [this](const std::string& line) { m_journal->add(line); },
                                [this](const std::string& what) { violation(what); }}};
    // A choice made on a form is the one shown and sent after its screen shows again.
    ChoiceOnReturn m_returns{
        driver,
        exchange,
        m_sentShown,
        {[this](View* view, const std::string& what) { return tapView(view, what); },
         [this](const std::string& title) { return tapTab(title); },
         [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    // What shows and leaves belongs to the account logged in now, wherever it logged in.
    AccountOnShow m_accounts{
        driver,
        exchange,
        {[this](View* view, const std::string& what) { return tapView(view, what); },
         [this](const std::string& title) { showTab(title); },
         [this] { return top<VKJYMarketChartController>(); },
         [this] { return top<VKJYMarketUIViewController>(); }, [this] { return tradeStackDepth(); },
         [this] { return topScreen(); }, [this] { logIn(); }, [this] { back(); },
         [this] { idleLogOut(); }, [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    // A book at rest lists the exchange's listings; a pick on a list, or handed back, stays.
    ShownListsMatchExchange m_lists{
        driver,
        exchange,
        {[this] { return topScreen(); }, [this](const std::string& what) { violation(what); }}};
    PickSurvives m_picks{
        {driver, screen, exchange,
         [this](View* view, const std::string& what) { return tapView(view, what); },
         [this](TextField* field, const std::string& digits) { keypadDigits(field, digits); },
         [this] { return topScreen(); },
         [this](ExerciseRandom& random) { return m_accounts.switchOnTheScreen(random); },
         [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    DayTurnRaces m_dayTurns{driver,
                            exchange,
                            {[this] { return top<VKJYMarketChartController>(); },
                             [this] { return driver.visibleAlert() != nullptr; },
                             [this](const std::string& line) { m_journal->add(line); }}};
    // Two heartbeats answered in the other order, a deal booked between them.
    ReversedHeartbeats m_reversed{driver, exchange,
                                  [this](const std::string& line) { m_journal->add(line); }};
    // On a time-sharing day with a gap, a tap shows the minute under the finger.
    GapDayCrossHair m_gapDay{
        driver,
        {[this] { return top<VKJYMarketChartController>(); },
         [this] { return top<VKJYMarketUIViewController>(); },
         [this] { return driver.visibleAlert() != nullptr; }, [this] { back(); },
         [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    // A login again with the account in use, failed half-way; the state it leaves.
    HalfWayLogin m_halfWay{
        driver,
        exchange,
        {[this] { return onTradeHome(); }, [this] { return m_fast->openAccountLogin(); },
         [this](const std::string& account) { logIn(account); },
         [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    // A logon of the account in use, or a switch's logoff, that the exchange takes and answers
    // late: nothing goes under the session it ended, and no loss is told of a login that holds.
    SlowLogonAgain m_slowLogon{
        driver,
        exchange,
        {[this] { return onTradeHome(); }, [this] { return m_fast->openAccountLogin(); },
         [this](const std::string& title) { return openMenuEntry(title); },
         [this](const std::string& account) { logIn(account); }, [this] { back(); },
         [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    // A line switch while the first beats of a login whose own beat was refused travel.
    EarlyLineSwitch m_earlySwitch{
        driver,
        exchange,
        {[this] { return onTheRootLogin(); }, [this] { return accountOfTheLogin(); },
         [this](const std::string& account) { logIn(account); },
         [this](const std::string& query, const std::string& account) {
             m_fast->dealsBeforeTheLogin(query, account);
         },
         [this](const std::string& text) {
             const bool tapped = tapView(driver.viewWithText(text), "tap");
             driver.settle();
             return tapped;
         },
         [this](const std::string& line) { m_journal->add(line); }}};
    // No lots refused as out of range that the range on show allowed; the events that try it.
    RangeOnShowHolds m_rangeHolds{driver, exchange};
    OpenOrdersFailure m_openOrdersFailure{
        driver,
        exchange,
        {[this](View* view, const std::string& what) { return tapView(view, what); },
         [this](TextField* field, const std::string& digits) { keypadDigits(field, digits); },
         [this] { return topScreen(); }, [this] { return top<VKJYMarketChartController>(); },
         [this] { return top<VKJYMarketUIViewController>(); }, [this] { return m_stallDelay == 0; },
         [this](const std::string& line) { m_journal->add(line); },
         [this](const std::string& what) { violation(what); }}};
    LogonUnderAForm m_logonUnderAForm{
        driver,
        exchange,
        {[this](View* view, const std::string& what) { return tapView(view, what); },
         [this](TextField* field, const std::string& digits) { keypadDigits(field, digits); },
         [this] { return topScreen(); }, std::string("jys=") + kExchange + "&env=" + kEnvironment,
         kFirstAccount, kSecondAccount, kPassword,
         [this](const std::string& query, const std::string& account) {
             m_fast->dealsBeforeTheLogin(query, account);
         },
         [this] { return m_stallDelay == 0; },
         [this](const std::string& line) { m_journal->add(line); }}};
    // No waiting order or stop dealt worse than the market, nor on a later exchange day; the
    // event that carries them over the exchange's midnight.
    WaitingDealRule m_waitingDeals{exchange, [this](const std::string& what) { violation(what); }};
    OrdersOverMidnight m_overMidnight{exchange,
                                      m_waitingDeals,
                                      {[this] { return loggedInAccount(); },
                                       [this](const std::string& line) { m_journal->add(line); }}};
    // A loaded machine: the whole exchange slow in real time for some events; nothing failed.
    SlowExchange m_slow{driver,
                        exchange,
                        {[this] { return faultInForce(); }, [this] { return m_journal->size(); },
                         [this](const std::string& line) { m_journal->add(line); },
                         [this](const std::string& what) { violation(what); }}};
    bool m_restartedNow = false;  // the exchange restarted during this event
    // Faults last a number of events, so that a seed plays them the same way again.
    double m_stallDelay = 0;          // seconds a trading line holds each request; 0 when none
    size_t m_stallLiftEvent = 0;      // the event after which the stalled lines are set back
    double m_lateUntil = 0;           // held requests may reach the simulator late until then
    size_t m_quoteLineBackEvent = 0;  // the event after which the quote line serves; 0: serving
};
