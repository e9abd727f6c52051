#pragma once

#include <functional>
#include <string>
#include <vector>

#include "AlertsTold.h"

class ExerciseRandom;
class ScreenDriver;
class SimProcess;

// A login again with the account in use (账户, "+") that the exchange fails half-way: it takes
// the logon, which ends the account's session in force, then refuses a later step of the chain.
// The rule: after a failed login the client is in one true state, logged in on the session the
// exchange holds or logged out, and tells the failure once (no session-lost alert after it).
// Owned by the exerciser; main thread.
class HalfWayLogin {
public:
    struct Hands {
        std::function<bool()> onTradeHome;
        // From the trade home to the login screen of 账户's "+".
        std::function<bool()> openAccountLogin;
        std::function<void(const std::string&)> logInAs;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    HalfWayLogin(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    int weight() const;
    void act(ExerciseRandom& random);

private:
    // The session the exchange serves the account under; empty when none.
    std::string liveSession(const std::string& query, const std::string& account);

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
    AlertsTold m_alerts;
};
