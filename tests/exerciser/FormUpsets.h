#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/foundation/WeakLink.h"

class Button;
class ExerciseRandom;
class ScreenDriver;
class SimProcess;
class TextField;
class View;

// Events that change what stands behind a trading form on show: a price refresh while it is
// half filled, a pick on another tab's form, the holding it names closed by the exchange, the
// listing it took taken by another firm, and a commodity of the order book picked, which hands
// the form over to the order-book screen, then back, and on the order-book delisting screen a
// listing query's reply held at the exchange while the commodity or side changes, then let go:
// the book on show is then of the side on show and holds no listing of the book left. Each keeps to
// what a person or the exchange could do. A pick on another tab (but for the opening screen's one
// commodity) and a price refresh must leave the choices of the forms on show as they were: no
// commodity or holding replaced by another, no typed lots lost (a choice may be forgotten when it
// vanished). Owned by the exerciser; main thread.
class FormUpsets {
public:
    // What the exerciser lends: its tap and keypad (journalled), its journal and its back button.
    struct Hands {
        std::function<bool(View*, const std::string&)> tap;
        std::function<void(TextField*, const std::string&)> keys;
        std::function<void(const std::string&)> note;
        std::function<void()> back;
        std::function<void(const std::string&)> violation;
    };

    FormUpsets(ScreenDriver& driver, SimProcess& exchange, Hands hands);

    // 0 unless a trading form is on show.
    int weight() const;
    void act(ExerciseRandom& random);
    // 0 unless the order-book delisting form is on show.
    int bookWeight() const;
    void holdTheBookReply(ExerciseRandom& random);

private:
    // What a person chose on a form, as it reads: commodity, holding number, lots typed.
    struct Choice {
        std::string commodity;
        std::string holding;
        std::string lots;
    };
    using Choices = std::vector<std::pair<WeakLink<View>, Choice>>;
    Choices choices() const;
    void checkChoicesKept(const Choices& before, const std::string& upset, bool openingForms);
    void moveThePrice(ExerciseRandom& random);
    void pickOnAnotherTab(ExerciseRandom& random);
    void closeTheHolding(ExerciseRandom& random);
    void takeTheListing(ExerciseRandom& random);
    void handOverAndBack(ExerciseRandom& random);
    // Another side, or a commodity of the order book, on the delisting form.
    void switchTheBook(ExerciseRandom& random);
    void checkTheBook(const std::string& code, int side, const std::set<std::string>& left);

    // Lots typed on a form before the upset, and the form sent after it, now and then.
    void typeLots(ExerciseRandom& random);
    void sendTheForm(ExerciseRandom& random);
    // The form's pickers a tap reaches: commodities, holding numbers.
    std::vector<Button*> pickers(bool commoditiesOnly) const;
    std::vector<std::string> orderBookNames() const;
    // Taps the picker, then a row of the list it opened (one of `preferred` when it has one).
    void pick(Button* picker, ExerciseRandom& random, const std::vector<std::string>& preferred);
    std::string environment() const;
    std::string shownCode() const;
    std::string shownHolding() const;
    void post(const std::string& path);
    void waitForARefresh();

    ScreenDriver& m_driver;
    SimProcess& m_exchange;
    Hands m_hands;
    WeakLink<View> m_lastPicker;
};
