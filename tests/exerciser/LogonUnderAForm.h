#pragma once

#include <functional>
#include <string>

class ExerciseRandom;
class PXJianCangFormView;
class ScreenDriver;
class SimProcess;
class TextField;
class View;
class ViewController;

// Another account of the environment logs on while an order-book form bounded by the open
// orders and holdings ("摘牌范围") is on show (the delisting screen's "条件摘牌" tab brought to the
// front first when another is; from the trade home, "挂牌" opened from its menu and an order-book
// commodity picked there), and the order is tapped twice: the first tap is
// refused for the logon, the second is judged by the range the form shows then. So that a range
// left over from the account before would let too many lots through, the other account is first
// given holdings (opened elsewhere) that leave it one or two lots short of its largest holding,
// one lot more is typed, and the price refresh is set to 30 s for the event, as the settings
// allow; those holdings are closed again at the end. RangeOnShowHolds judges
// what the exchange answers. One owner (the exerciser); main thread.
class LogonUnderAForm {
public:
    struct Hands {
        std::function<bool(View*, const std::string&)> tap;
        std::function<void(TextField*, const std::string&)> keys;
        std::function<ViewController*()> topScreen;
        // The two accounts the logon switches between, of the environment whose lines these are.
        std::string environment;
        std::string first;
        std::string second;
        std::string password;
        // Deals the account's books hold now are not to be announced by the session to come.
        std::function<void(const std::string&, const std::string&)> dealsBeforeTheLogin;
        std::function<bool()> lineSteady;
        std::function<void(const std::string&)> note;
    };

    LogonUnderAForm(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    int weight() const;
    void act(ExerciseRandom& random);

private:
    PXJianCangFormView* formOnShow() const;
    // The "条件摘牌" tab of the delisting screen on show, when its form has a range behind it.
    View* conditionalTab() const;
    bool onTradeHome() const;
    // From the trade home's menu to the listing form, an order-book commodity picked there.
    void openAListing(ExerciseRandom& random);
    // Lots the account may still open in the commodity at the exchange.
    int roomOf(const std::string& account, const std::string& code, int largest);
    // The holding opened elsewhere to fill that room, or 0.
    long long fill(const std::string& account, const std::string& code, int lots);
    bool logOn(const std::string& account);
    // The settings' price refresh interval, the running refresh timer set to it.
    static void setRefreshSeconds(const char* seconds);
    void tapTheOrder(View* send, const std::string& what);
    void answerAnAlert();

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
};
