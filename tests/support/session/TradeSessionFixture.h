#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/NavigationController.h"
#include "support/session/ShellFixture.h"

class PXJYSwitchingAccountView;
class PXTradeModule;
class TextField;
class ViewController;
class SimTradeServer;
struct SimTradeReceived;

// A seeded account of the simulated trading side: its exchange (platform) and environment.
struct TradeSessionAccount {
    std::string account = "100000000000001";
    std::string password = "111111";
    std::string platform = "01";
    std::string environment = "01";
};

// The shell launched against the in-process simulated exchange (guide already seen, tab bar
// shown) and a trading account logged in through the trading client the way the login screen
// does it: the automatic line test picks the trading line, a captcha is fetched where the
// environment asks for one and its code read from the simulator, the logon runs the whole login
// chain; then the account and the codes are kept as after a successful login ("JYUserName",
// "platform_code", "environment_code", the account in "AccountsMessage.plist"). Register the
// screens a test needs before launching. Main thread.
class TradeSessionFixture : public ShellTest {
protected:
    explicit TradeSessionFixture(Size screenSize = {320, 568}) : ShellTest(screenSize) {}

    // Launches the shell and runs until the tab bar shows.
    bool launchShell(const std::string& vkAppName = "VKDZ");
    // Logs the account in; false (with the reason as a test failure) when the chain fails.
    bool logIn(const TradeSessionAccount& who = {});
    // Both, in that order.
    bool launchAndLogIn(const TradeSessionAccount& who = {});

    PXTradeModule& tradeModule() const;
    // The simulator's trading server of an environment (the logged-in one by default).
    SimTradeServer& tradeServer(const std::string& platform = "",
                                const std::string& environment = "");
    // The requests of that "req" name the logged-in environment received, in order.
    std::vector<SimTradeReceived> received(const std::string& name);
    // A field of a request's "REQ" ("" when missing or not text).
    static std::string reqValue(const SimTradeReceived& request, const std::string& key);
    // The time of the last change to the sell listings that a heartbeat reported.
    long long reportedSellListing() const;
    // Makes the change to the sell listings at the simulator and runs until a heartbeat reports
    // it. A change is news to the next heartbeat, and an order-book screen on show asks for its
    // book again under the busy overlay when it hears it: heard before the screen shows, it
    // comes under none of the taps after.
    bool listingsHeard(const std::function<void()>& change);
    // Taps the field, presses the digits on the in-app keypad and "完成".
    void typeOnKeypad(TextField* field, const std::string& digits);
    // With the replies to requests of that name held and one of them on its way: a second tap
    // on the button sends none, and once released the reply shows that message with no busy
    // overlay left and one such request received in all.
    ::testing::AssertionResult secondTapUnsentUntilAnswered(View* button, const std::string& name,
                                                            const std::string& message);
    // `send` sends one request of that name, whose reply the simulator holds; while it travels
    // `other` logs on (another environment's account by default, whose login asks nothing of
    // the held server), then the request's line fails. Once `ended` holds (the screen is through
    // with it): no alert up and no busy overlay left.
    ::testing::AssertionResult lineFailureAfterAnotherLogonUntold(
        const std::string& name, const std::function<void()>& send,
        const std::function<bool()>& ended,
        const TradeSessionAccount& other = {"200000000000001", "111111", "01", "02"});
    // The code of the captcha the simulator handed out under this identifier.
    std::string captchaCode(const std::string& uuid, const std::string& platform = "",
                            const std::string& environment = "");

    // Gives the logged-in account bought lots of an order-book commodity: another firm lists
    // them for sale at the simulator and the account takes them up there. `price` is the
    // protocol's text, whole quote units of the commodity.
    ::testing::AssertionResult holdOrderBookLots(const std::string& code, const std::string& price,
                                                 int qty);
    // A market order of the account that the screen under test did not send (another device, a
    // stop), taken by the exchange's books at once: opens lots when `holding` is empty, else
    // closes `qty` of that holding.
    ::testing::AssertionResult orderAtTheExchange(const std::string& code, const std::string& side,
                                                  const std::string& qty,
                                                  const std::string& holding = "");
    // From an order screen's switcher to the saved account of the environment list's second
    // row, typed and confirmed on the switch screen; true once `back` is on top again, logged in
    // and idle.
    ::testing::AssertionResult switchToSavedAccount(PXJYSwitchingAccountView& switcher,
                                                    const ViewController* back);
    // Selects the trade tab and gives its navigation stack.
    NavigationController* tradeNavigation();
    // Pushes a screen on the trade tab (selected first) and lets it appear.
    template <typename T>
    T* pushOnTradeTab(std::unique_ptr<T> screen, bool animated = false) {
        NavigationController* navigation = tradeNavigation();
        T* raw = navigation ? navigation->pushViewController(std::move(screen), animated) : nullptr;
        driver.settle();
        return raw;
    }
    TradeSessionAccount loggedIn;

private:
    bool chooseLine();
    std::string fetchCaptcha(std::string* uuid);
    bool environmentNeedsCaptcha() const;
    void keepAccount(const TradeSessionAccount& who);
};
