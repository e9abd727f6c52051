#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "ReceivedRequests.h"

class ExerciseRandom;
class PXJYSwitchingAccountView;
class ScreenDriver;
class SimProcess;
class VKJYMarketChartController;
class VKJYMarketUIViewController;
class View;
class ViewController;

// What a screen shows and sends belongs to the account logged in now, for the exerciser. After
// every event: once another account logged in (from any tab, a quick panel, after an idle
// log-out), no order, holding or deal number of the account logged in before shows (as a
// list's first column or beside a "号" caption), and no request carries an order, holding or
// listing number that the exchange books to another account than the one sending it; a funds
// form shown again lists the banks of the account now, or has told its failure. Its event,
// logged in: from the trade home, a query list, the reports, a transfer or opening form or a
// funds form opened; with such a screen waiting on the stack, another account logged in on its
// own switcher, or elsewhere: on the market tab (selected as the client's dialogs do, the bar
// being hidden), from a quick panel's switcher or after an idle log-out there; then the trade
// tab again and a tap on what the screen offers (a withdraw, a pull for more, a transfer, an
// order). One owner (the exerciser); main thread.
class AccountOnShow {
public:
    // What the exerciser lends.
    struct Hands {
        std::function<bool(View*, const std::string&)> tap;
        // Shows the tab: by its item, or as the client's own dialogs do while the bar is hidden.
        std::function<void(const std::string&)> showTab;
        std::function<VKJYMarketChartController*()> quoteScreen;
        std::function<VKJYMarketUIViewController*()> marketList;
        // The number of screens on the trade tab's stack while it is shown, else 0.
        std::function<size_t()> tradeStackDepth;
        std::function<ViewController*()> topScreen;
        std::function<void()> logIn;
        std::function<void()> back;
        std::function<void()> idleLogOut;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    AccountOnShow(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    int weight() const;
    void act(ExerciseRandom& random);
    void check();
    // Another account logged in on the switcher of the screen on show; false when none did.
    bool switchOnTheScreen(ExerciseRandom& random);
    // The books start over: every number known so far names nothing.
    void exchangeRestarted();

private:
    struct Account {
        std::string environment;  // "jys=..&env=.." of its trading lines
        std::string user;
        bool operator==(const Account&) const = default;
        bool operator<(const Account& other) const {
            return environment + user < other.environment + other.user;
        }
    };

    static std::optional<Account> loggedIn();
    // Order, holding and deal numbers of the account's books now.
    std::set<std::string> numbersOf(const Account& account);
    void openAScreen(ExerciseRandom& random);
    bool onALoginScreen() const;
    PXJYSwitchingAccountView* switcherOnShow() const;
    bool chooseAnotherAccount(PXJYSwitchingAccountView& switcher, ExerciseRandom& random);
    void logIn();
    void answerAnAlert();
    bool openAQuickPanel(ExerciseRandom& random);
    bool openAQuoteScreen(ExerciseRandom& random);
    void logAnotherAccountIn(ExerciseRandom& random);
    void actOnTheScreen(ExerciseRandom& random);
    void checkBanks();
    void checkShown(const Account& now);
    void checkSent();
    // The visible texts that a person reads as numbers of records.
    std::set<std::string> numbersOnShow() const;

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
    std::optional<Account> m_last;
    std::optional<Account> m_before;
    // The numbers of the account logged in before that the present one does not have.
    std::set<std::string> m_beforeNumbers;
    ReceivedRequests m_received;
    std::set<std::string> m_environments;
};
