#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class ExerciseRandom;
class ScreenDriver;
class SimProcess;
class TextField;
class View;
class ViewController;

// What a screen keeps follows what it shows, for the exerciser. Rules after every event: logged in,
// each listed commodity's latest price on the trading side catches up with the exchange's within
// three refresh cycles, whatever screen or gesture was left (the account list and a login pause the
// refresh while they are up). A form opened from a holdings row of the trade home shows the
// commodity the row showed at the tap, and a tap on a holdings row while none is open opens it. Its
// events: a market row swiped open and left by a tab; a saved account deleted from 账户 with a
// holdings row open; another device's deal that inserts a holding under an open row, then the row's
// order button. Owned by the exerciser; main thread.
class ShownIsKept {
public:
    // What the exerciser lends: its journalled taps, keypad, back button and tabs, its top screen,
    // journal and violations.
    struct Hands {
        std::function<bool(View*, const std::string&)> tap;
        std::function<void(TextField*, const std::string&)> keys;
        std::function<void()> back;
        std::function<void(const std::string&)> tapTab;
        std::function<ViewController*()> topScreen;
        std::function<void(const std::string&)> note;
        std::function<void(const std::string&)> violation;
    };

    ShownIsKept(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    // 0 when none of its events can happen on the screen now.
    int weight() const;
    void act(ExerciseRandom& random);
    // Before a tap that reaches `hit`, with what the tap should bring.
    void beforeTap(const View* hit);
    // After every event; `pricesSettled` is false while the exchange's restart is news.
    void check(bool pricesSettled);

private:
    struct Event {
        int weight;
        void (ShownIsKept::*act)(ExerciseRandom&);
    };
    struct HoldingsRow {
        std::string name;
        bool open = false;
        View* cell = nullptr;
    };

    void checkTradePrices();
    void checkRowTaps();

    std::vector<Event> events() const;
    void swipeAndLeave(ExerciseRandom& random);
    void deleteAnAccount(ExerciseRandom& random);
    void dealOnAnotherDevice(ExerciseRandom& random);
    std::vector<HoldingsRow> holdingsRows(bool everyRow = false) const;
    void openAHoldingsRow(ExerciseRandom& random);
    void tapAnOrderButton(ExerciseRandom& random);
    std::string environment() const;
    void post(const std::string& path);
    // 确定 on the alert up, if it has one.
    void confirm();

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
    // The holdings row whose order button the last tap reached, by the name it showed.
    std::optional<std::string> m_formFrom;
    // The holdings row the last tap reached while no row was open.
    std::optional<std::string> m_opening;
};
