#pragma once

#include <functional>
#include <string>

class ExerciseRandom;
class ScreenDriver;
class SimProcess;

// A trading line switch in the first seconds of a session whose login heartbeat was refused: on
// the trade root's login, logged out, another device makes a deal for the account; the login's
// own beat is refused, the timers' first beats are answered late, and meanwhile 更多 → 切换链路
// chooses the other line. FastFingerSlowLine's deal rule judges what follows: a deal made before
// the login is never announced. Owned by the exerciser; main thread.
class EarlyLineSwitch {
public:
    struct Hands {
        std::function<bool()> onTheRootLogin;
        // The account the login screen on show logs in by default.
        std::function<std::string()> accountOfTheLogin;
        std::function<void(const std::string&)> logInAs;
        // Deals the account's books hold now are not to be announced by the session to come.
        std::function<void(const std::string&, const std::string&)> dealsBeforeTheLogin;
        std::function<bool(const std::string&)> tapText;
        std::function<void(const std::string&)> note;
    };

    EarlyLineSwitch(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    int weight() const;
    void act(ExerciseRandom& random);

private:
    void dealElsewhere(const std::string& query, const std::string& account);
    void switchTheLine();

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
};
