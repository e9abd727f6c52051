#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "AlertsTold.h"

class ExerciseRandom;
class ScreenDriver;
class SimProcess;

// A login again with the account in use whose logon the exchange takes at once and answers late
// (a second, several, or past the client's time-out), from 账户's "+" or from a form's 交易账户 →
// 添加账号; and a switch to another saved account whose logoff the exchange takes and never
// answers in time. The exchange ends the session in force the moment it takes either request.
// The rule: no request goes out under a session after a logon or logoff of it has left, a login
// that ends logged in tells no session loss, and what the user is told, is told once.
// Owned by the exerciser; main thread.
class SlowLogonAgain {
public:
    struct Hands {
        std::function<bool()> onTradeHome;
        // From the trade home to the login screen of 账户's "+".
        std::function<bool()> openAccountLogin;
        // From the trade home to the screen of that menu entry.
        std::function<bool(const std::string&)> openMenuEntry;
        // Fills in the login on show (as that account on the full login screen) and taps 登录.
        std::function<void(const std::string&)> logInAs;
        std::function<void()> back;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    SlowLogonAgain(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    int weight() const;
    void act(ExerciseRandom& random);

private:
    void logonAgain(ExerciseRandom& random);
    void switchWithLostLogoff(ExerciseRandom& random);
    // From a form's 交易账户: 添加账号 (another account: false), or a saved account not logged in.
    bool openFormSwitcher(ExerciseRandom& random, bool anotherAccount);
    // What the client holds of the exchange and the user's state, and what the exchange got.
    std::string envQuery() const;
    size_t receivedSoFar(const std::string& query);
    bool liveAtTheExchange(const std::string& query, const std::string& account,
                           const std::string& session);
    void waitQuiet(double seconds);
    void answerAndLeave();
    // The rule, for a request of `name` that ends `session` and left after the first `from`
    // requests the exchange got.
    void check(const std::string& query, size_t from, const std::string& name,
               const std::string& session, bool wasLive);

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
    AlertsTold m_alerts;
};
