#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DealLedger.h"
#include "platform/graphics/Geometry.h"

class ExerciseJournal;
class ExerciseRandom;
class Screen;
class ScreenDriver;
class SimProcess;
class View;

// The fast finger and the slow line for the exerciser: double taps, heartbeat answers held past
// the beat (with a deal made on another device meanwhile), an account added from 账户 while the
// logon is held and the heartbeat runs. Two rules checked: no deal of the books is announced
// (its sound) more than once, nor one made before the login that a session starts with, and no
// tap reaches a screen that had not finished appearing when the tap was made. Owned by the
// exerciser; main thread.
class FastFingerSlowLine {
public:
    struct Context {
        ScreenDriver& driver;
        Screen& screen;
        SimProcess& exchange;
        ExerciseRandom& random;
        ExerciseJournal& journal;
        std::function<void(const std::string&)> violation;
        // What a tap reaches on the screen now, and the exerciser's own login on a login screen.
        std::function<std::vector<View*>()> hittables;
        std::function<void()> logIn;
        // Told of each tap before it is made, with the view it would hit, as the exerciser's own.
        std::function<void(View*)> beforeTap;
        // The accounts the exerciser logs in as, in whichever environment has them.
        std::vector<std::string> accounts;
    };
    explicit FastFingerSlowLine(Context context);

    // Two taps 0.05-0.2 s apart, the second often on what the first opened.
    void doubleTap(const std::vector<View*>& offered);
    // Logged in: heartbeat answers held 2.5-6 s, often with a deal made elsewhere meanwhile.
    void slowHeartbeats();
    // On the trade home, logged in: 账户, "+", and a login whose logon is held while beats go.
    void addAccountWhileBeating();
    // From the trade home: 账户 and its "+"; whether the login screen came.
    bool openAccountLogin();
    // Logged out, just before a login of the account: the deals its books hold now were made
    // before the session that starts, which announces none of them.
    void dealsBeforeTheLogin(const std::string& query, const std::string& account);
    // After every event.
    void checkAnnouncements();

private:
    void tap(Point at, double time);
    std::string sessionQuery() const;
    bool sessionLiveAtTheExchange();
    void wait(double seconds);
    std::optional<DealLedger::Books> dealsOf(const DealLedger::Account& account);
    // Every environment's accounts among the context's.
    std::vector<DealLedger::Account> knownAccounts();

    Context m;
    DealLedger m_deals;
};
